// The conversion gives bit for bit the results of the straightforward order of operations: cos and sin taken
// afresh for every position and angle, the grid filled angle by angle, the full Gauss-Jordan elimination and
// the percent values, written here as plainly as the method reads. Any reordering or caching in the core that
// changes a single bit shows up here.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "calc/conversion.h"
#include "measurement/measurement_record.h"
#include "support/record_compare.h"

namespace tessaroven {
namespace {

struct Plain {
    GridMatrix grid{};
    SlotValues reading{};
    SlotValues result{};
};

Plain PlainConversion(const SlotValues& readings, int n, double D) {
    Plain p;
    p.reading = readings;
    const double pi = 3.14159;
    for (int k = 0; k <= n; ++k) {
        for (int m = -45; m <= 44; ++m) {
            const double a = (m + 46) * 2.0 + (-91.0);
            const double theta = (a / 180.0) * pi;
            const double c = std::cos(theta);
            const double s = std::sin(theta);
            const double X = ((D * k) * c) / (D - k * s);
            const double F = (D * D + X * X) / ((D - k * s) * (D - k * s) + (k * c) * (k * c));
            const double W = c / 57.2987;
            const double IX = std::floor(X);
            if (IX < k) {
                const int ix = static_cast<int>(IX);
                p.grid[k][ix] += (F * W) * ((IX + 1) - X);
                p.grid[k][ix + 1] += (F * W) * (X - IX);
            } else {
                p.grid[k][k] += F * W;
            }
        }
    }
    for (int k = 0; k <= n; ++k) {
        const double pivot = p.grid[k][k];
        for (int j = 0; j <= n; ++j) {
            p.grid[k][j] = p.grid[k][j] / pivot;
        }
        p.reading[k] = p.reading[k] / pivot;
        for (int i = k + 1; i <= n; ++i) {
            const double f = p.grid[i][k];
            for (int j = 0; j <= n; ++j) {
                p.grid[i][j] = p.grid[i][j] - f * p.grid[k][j];
            }
            p.reading[i] = p.reading[i] - f * p.reading[k];
        }
    }
    for (int k = n; k >= 0; --k) {
        for (int i = k - 1; i >= 0; --i) {
            const double f = p.grid[i][k];
            for (int j = i; j <= n; ++j) {
                p.grid[i][j] = p.grid[i][j] - f * p.grid[k][j];
            }
            p.reading[i] = p.reading[i] - f * p.reading[k];
        }
    }
    for (int i = 0; i <= n; ++i) {
        p.result[i] = (p.reading[i] / p.reading[0]) * 100.0;
    }
    return p;
}

std::uint64_t Bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

struct OrderCase {
    const char* name;
    double distance;
    std::vector<double> readings;
};

std::vector<double> Bell(int points, double width, double floor) {
    std::vector<double> readings;
    for (int k = 0; k < points; ++k) {
        const double x = k / width;
        readings.push_back(100.0 * std::exp(-x * x) + floor);
    }
    return readings;
}

// Deterministic, irregular readings (including negative ones) that exercise every rounding path.
std::vector<double> Scattered(int points, std::uint32_t seed) {
    std::vector<double> readings;
    for (int k = 0; k < points; ++k) {
        seed = seed * 1664525u + 1013904223u;
        readings.push_back(static_cast<double>(seed % 200000u) / 997.0 - 20.0 + (k == 0 ? 150.0 : 0.0));
    }
    return readings;
}

void PrintTo(const OrderCase& c, std::ostream* os) {
    *os << c.name;
}

class ConversionOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ConversionOrder, results_match_the_plain_order_of_operations_bit_for_bit) {
    const OrderCase& c = GetParam();
    const int n = static_cast<int>(c.readings.size()) - 1;
    MeasurementRecord record;
    ResetMeasurement(record);
    record.lastPosition = n;
    for (int k = 0; k <= n; ++k) {
        record.reading[k] = c.readings[k];
    }
    const Plain plain = PlainConversion(record.reading, n, c.distance);

    const MaybeRefusal refusal = RunConversion(record, c.distance);
    ASSERT_FALSE(refusal.has_value()) << refusal->message;
    for (int k = 0; k < kSlotCount; ++k) {
        EXPECT_EQ(Bits(record.profile[k]), Bits(plain.reading[k])) << "profile[" << k << "]";
        EXPECT_EQ(Bits(record.relativePercent[k]), Bits(plain.result[k])) << "relativePercent[" << k << "]";
        for (int j = 0; j < kSlotCount; ++j) {
            EXPECT_EQ(Bits(record.grid[k][j]), Bits(plain.grid[k][j])) << "grid[" << k << "][" << j << "]";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConversionOrder,
    ::testing::Values(OrderCase{"worked_example", 60, {100, 95, 85, 70, 50}},
                      OrderCase{"centre_only", 60, {42.5}}, OrderCase{"bell_25", 60, Bell(25, 12, 1)},
                      OrderCase{"bell_31", 60, Bell(31, 14, 2)},
                      OrderCase{"scattered_31", 60, Scattered(31, 7)},
                      OrderCase{"short_distance_31", 31.5, Bell(31, 10, 0.5)},
                      OrderCase{"one_centimetre_beyond_radius_31", 31, Scattered(31, 99)},
                      OrderCase{"fractional_distance_25", 45.375, Scattered(25, 3)},
                      OrderCase{"long_distance_31", 1000, Bell(31, 20, 0)}),
    [](const ::testing::TestParamInfo<OrderCase>& info) { return std::string(info.param.name); });

// The plain version is itself checked against the worked example's figures, so that a fault shared by both
// cannot pass unnoticed.
TEST(ConversionOrderReference, plain_version_reproduces_the_worked_example) {
    SlotValues readings{};
    const double entered[] = {100, 95, 85, 70, 50};
    for (int k = 0; k < 5; ++k) {
        readings[k] = entered[k];
    }
    const Plain first = PlainConversion(readings, 4, 60);
    const double solved[] = {99.999936, 93.600683, 79.008466, 57.105193, 27.858070};
    const double percent[] = {100, 93.600744, 79.008517, 57.105230, 27.858088};
    for (int k = 0; k < 5; ++k) {
        EXPECT_NEAR(first.reading[k], solved[k], 5e-7) << k;
        EXPECT_NEAR(first.result[k], percent[k], 5e-7) << k;
    }
}

}  // namespace
}  // namespace tessaroven
