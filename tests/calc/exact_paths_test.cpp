// The quick paths of the grid, the solver and the number texts give the bits of the straightforward ones: the
// grid against a per-angle build with every check, the solver against the full elimination, the texts against
// the C library's exactly rounded printf, on random inputs that reach every path.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "calc/conversion.h"
#include "calc/number_text.h"
#include "calc/solver.h"

namespace tessaroven {
namespace {

// Bits, every NaN alike (which NaN an operation on two NaNs gives depends on the operand order).
std::uint64_t Bits(double v) {
    return std::isnan(v) ? 1 : std::bit_cast<std::uint64_t>(v);
}

bool PlainGrid(GridMatrix& grid, int n, double d) {
    grid = {};
    for (int k = 0; k <= n; ++k) {
        for (int m = -45; m <= 44; ++m) {
            const double theta = (((m + 46) * 2.0 + (-91.0)) / 180.0) * 3.14159;
            const double c = std::cos(theta), s = std::sin(theta);
            if (!(d - k * s > 0)) {
                return false;
            }
            const double x = ((d * k) * c) / (d - k * s);
            const double f = (d * d + x * x) / ((d - k * s) * (d - k * s) + (k * c) * (k * c));
            if (!std::isfinite(x) || !std::isfinite(f)) {
                return false;
            }
            const double ix = std::floor(x), w = c / 57.2987;
            if (ix < k) {
                grid[k][static_cast<int>(ix)] += (f * w) * ((ix + 1) - x);
                grid[k][static_cast<int>(ix) + 1] += (f * w) * (x - ix);
            } else {
                grid[k][k] += f * w;
            }
        }
    }
    return true;
}

TEST(ExactPaths, grid_rows_with_and_without_checks_match_the_per_angle_build) {
    const double largestSine = std::sin((89.0 / 180.0) * 3.14159);
    std::mt19937_64 random(1);
    for (int trial = 0; trial < 31 * 50; ++trial) {
        // Just outside the measuring radius by 2^-margin, or anywhere from below 1e-200 to beyond where
        // squares overflow.
        const int n = trial % 31, margin = trial / 31;
        const double d = margin < 45 ? n * largestSine + std::ldexp(1.0, -margin)
                                     : std::ldexp(1.0 + (random() % 1000) / 1000.0,
                                                  static_cast<int>(random() % 1400) - 700);
        MeasurementRecord record;
        ResetMeasurement(record);
        record.lastPosition = n;
        GridMatrix plain;
        EXPECT_EQ(!BuildGrid(record, d), PlainGrid(plain, n, d)) << d;
        for (int k = 0; k <= n; ++k) {
            for (int j = 0; j <= n; ++j) {
                ASSERT_EQ(Bits(record.grid[k][j]), Bits(plain[k][j])) << d << " " << k << "," << j;
            }
        }
    }
}

// Solves record with SolveGrid and with the elimination as the method reads, every cell, and compares.
void ExpectTheFullEliminationsBits(MeasurementRecord record) {
    const int n = LastPositionIndex(record.lastPosition);
    MeasurementRecord full = record;
    const bool solved = !SolveGrid(record);
    bool fullSolved = true;
    full.profile = full.reading;
    for (int k = 0; k <= n && fullSolved; ++k) {
        const double p = full.grid[k][k];
        fullSolved = p != 0;
        for (int j = 0; j <= n; ++j) {
            full.grid[k][j] = full.grid[k][j] / p;
        }
        full.profile[k] = full.profile[k] / p;
        for (int i = k + 1; i <= n; ++i) {
            const double f = full.grid[i][k];
            for (int j = 0; j <= n; ++j) {
                full.grid[i][j] = full.grid[i][j] - f * full.grid[k][j];
            }
            full.profile[i] = full.profile[i] - f * full.profile[k];
        }
    }
    for (int k = n; k >= 0 && fullSolved; --k) {
        for (int i = k - 1; i >= 0; --i) {
            const double f = full.grid[i][k];
            for (int j = i; j <= n; ++j) {
                full.grid[i][j] = full.grid[i][j] - f * full.grid[k][j];
            }
            full.profile[i] = full.profile[i] - f * full.profile[k];
        }
    }
    ASSERT_EQ(solved, fullSolved);
    for (int k = 0; k <= n && solved; ++k) {
        ASSERT_EQ(Bits(record.profile[k]), Bits(full.profile[k])) << k;
        for (int j = 0; j <= n; ++j) {
            ASSERT_EQ(Bits(record.grid[k][j]), Bits(full.grid[k][j])) << k << "," << j;
        }
    }
}

TEST(ExactPaths, lower_triangular_solves_match_the_full_elimination) {
    std::mt19937_64 random(2);
    std::uniform_real_distribution<double> uniform(-1, 3);
    const double unusual[] = {0.0, -0.0, INFINITY, NAN, 1e300, -1e-300};
    for (int trial = 0; trial < 3000; ++trial) {
        MeasurementRecord record;
        ResetMeasurement(record);
        record.lastPosition = static_cast<double>(random() % 31);
        for (int k = 0; k <= record.lastPosition; ++k) {
            for (int j = 0; j <= k; ++j) {  // zero cells, negative pivots, now and then a -0 or an infinity
                const bool special = trial % 3 == 0 && random() % 20 == 0;
                record.grid[k][j] = special ? unusual[1 + random() % 2]
                                            : (random() % (j == k ? 200 : 4) == 0 ? 0.0 : uniform(random));
            }
            // Now and then only zeros of either sign, whose signs then show every operation on them.
            record.reading[k] = trial % 7 == 0       ? unusual[random() % 2]
                                : random() % 30 == 0 ? unusual[random() % 6]
                                                     : uniform(random) * 100;
        }
        ExpectTheFullEliminationsBits(record);
    }
    // Every sign and zero in the lower cells of a 3 x 3 block, both signs on the diagonal, zeros of either
    // sign and both signs in the readings.
    const double cells[] = {1.0, -1.0, 0.0, -0.0};
    for (int combination = 0; combination < (1 << 15); ++combination) {
        MeasurementRecord record;
        ResetMeasurement(record);
        record.lastPosition = 2;
        for (int k = 0, at = 0; k <= 2; at += 3 + 2 * k, ++k) {  // row k's 3 + 2k bits start at bit `at`
            record.grid[k][k] = (combination >> at) & 1 ? -1.0 : 1.0;
            record.reading[k] = cells[(combination >> (at + 1)) & 3];
            for (int j = 0; j < k; ++j) {
                record.grid[k][j] = cells[(combination >> (at + 3 + 2 * j)) & 3];
            }
        }
        ExpectTheFullEliminationsBits(record);
    }
}

TEST(ExactPaths, fifteen_digit_texts_match_the_exactly_rounded_printf) {
    std::mt19937_64 random(3);
    char expected[400];
    for (int trial = 0; trial < 50000; ++trial) {
        const double v = trial % 2 ? std::bit_cast<double>(random())
                                   : std::ldexp(static_cast<double>(random() >> (random() % 64)), -40);
        if (!std::isfinite(v) || v == 0) {
            continue;
        }
        std::snprintf(expected, sizeof expected, "%.14e", v);
        const int exponent = std::atoi(std::strchr(expected, 'e') + 1);  // of the 15-digit form
        std::snprintf(expected, sizeof expected, "%.15G", v);
        if (exponent != -5) {  // "0.00001" here, "1E-05" there
            ASSERT_EQ(GeneralNumberText(v), expected) << std::hexfloat << v;
        }
        if (exponent >= -1 && exponent <= 14) {  // all 15 digits as decimals: no second rounding
            std::snprintf(expected, sizeof expected, "%.*f", 14 - exponent, v);
            ASSERT_EQ(FixedNumberText(v, 14 - exponent), expected) << std::hexfloat << v;
        }
    }
}

}  // namespace
}  // namespace tessaroven
