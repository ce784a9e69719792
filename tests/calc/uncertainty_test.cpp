// The uncertainty of every profile point: a Monte Carlo of the conversion, the formulas with the grid's
// inverse taken from the solver, and the one-point, single-reading and unknown cases.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>

#include "calc/conversion.h"
#include "calc/solver.h"
#include "calc/uncertainty.h"

namespace tessaroven {
namespace {

using Readings = std::vector<std::vector<double>>;  // each position's repeats

struct Converted {
    MeasurementRecord record;
    ProfileEvaluation evaluation;
    Converted(const Readings& readings, std::optional<double> r, std::optional<double> c, double d = 60) {
        TakeMeasurement({d, "", readings, r, c, {}, {}}, record);
        EXPECT_FALSE(RunConversion(record, d));
        evaluation = *EvaluateProfile(record);
    }
    const PositionEvaluation& operator[](std::size_t k) const { return evaluation.positions[k]; }
};

const Readings kWorked{{99, 101}, {95}, {84.5, 85.5}, {70}, {49, 50, 51}};  // 100, 95, 85, 70, 50

TEST(ProfileUncertainty, propagation_matches_a_monte_carlo_of_the_conversion) {
    const Converted c(kWorked, 0.8, 2);
    std::vector<double> squares(10);  // of the deviations from the conversion's P_0..P_4, then q_0..q_4
    std::mt19937_64 random(20240517);
    std::normal_distribution<double> normal;
    MeasurementRecord draw = c.record;
    for (int i = 0; i < 10000; ++i) {
        const double calibration = 1 + 0.02 * normal(random);  // common to every reading
        for (int k = 0; k < 5; ++k) {
            draw.reading[k] = (c.record.reading[k] + *c[k].readingU * normal(random)) * calibration;
        }
        ASSERT_FALSE(RunConversion(draw, 60));
        for (int k = 0; k < 5; ++k) {
            squares[k] += std::pow(draw.profile[k] - c[k].profile, 2);
            squares[k + 5] += std::pow(draw.relativePercent[k] - c[k].relativePercent, 2);
        }
    }
    for (int j = 0; j < 10; ++j) {  // q_0 is 100 in every draw
        const double deviation = std::sqrt(squares[j] / 1e4);
        EXPECT_NEAR(deviation, j < 5 ? *c[j].profileU : *c[j - 5].relativePercentU, 0.05 * deviation) << j;
    }
}

TEST(ProfileUncertainty, one_point_single_readings_unknown_readings_and_unconverted_record) {
    const Converted one({{99, 100.5, 101.5}}, {}, {});
    EXPECT_DOUBLE_EQ(*one[0].readingU, std::sqrt(19.0 / 36.0));  // s^2 = 19 / 12, over n = 3
    EXPECT_DOUBLE_EQ(*one[0].profileU, *one[0].readingU * one[0].profile / one[0].reading);  // u(R_0) / A_00
    // Measured once: r |R|, or else no u(R), and then no u(P) nor u(q) anywhere, whatever the calibration's.
    const Converted unknown({{99, 100.5, 101.5}, {-95}}, {}, 2), single({{99, 100.5, 101.5}, {-95}}, 1.5, 2);
    EXPECT_FALSE(unknown.evaluation.uncertaintyKnown || unknown[1].readingU || unknown[0].profileU ||
                 unknown[1].relativePercentU);
    EXPECT_EQ(single[0].readingU, one[0].readingU);
    EXPECT_DOUBLE_EQ(*single[1].readingU, 1.425);
    EXPECT_EQ(EvaluateProfile(MeasurementRecord{}).error().reason, Reason::ProfileNotConverted);
}

// V = A^-1 diag(u(R)^2) A^-T, with A^-1 e_j from the solver; u(P), and u(q) without the calibration's 3 %.
TEST(ProfileUncertainty, agrees_with_the_formulas_and_calibration_leaves_relative_values_alone) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> uniform(0, 1);
    for (std::size_t i = 0; i < 21; ++i) {
        const double distance = i ? 35 + 85 * uniform(random) : 60, r = 0.2 + 2 * uniform(random);
        Readings readings = i ? Readings(1 + std::size_t(31 * uniform(random))) : kWorked;
        for (std::size_t k = 0; i > 0 && k < readings.size(); ++k) {
            const double x = 10 + 90 * uniform(random);
            readings[k] = uniform(random) < 0.5 ? std::vector{x} : std::vector{x, x * 1.01, x * 0.985};
        }
        const Converted c(readings, r, 3, distance);
        const std::size_t n = readings.size();
        std::vector<SlotValues> rows(n);  // rows[k][j] = (A^-1)_kj u(R_j)
        for (std::size_t j = 0; j < n; ++j) {
            MeasurementRecord unit = c.record;
            unit.reading = {};
            unit.reading[j] = *c[j].readingU;
            ASSERT_FALSE(BuildGrid(unit, distance) || SolveGrid(unit));
            for (std::size_t k = 0; k < n; ++k) {
                rows[k][j] = unit.profile[k];
            }
        }
        const auto v = [&](std::size_t a, std::size_t b) {
            return std::inner_product(rows[a].begin(), rows[a].end(), rows[b].begin(), 0.0);
        };
        for (std::size_t k = 0; k < n; ++k) {
            const double p = c[k].profile, p0 = c[0].profile, rho = p / p0;
            const double uQ = 100 / p0 * std::sqrt(v(k, k) - 2 * rho * v(k, 0) + rho * rho * v(0, 0));
            EXPECT_NEAR(*c[k].profileU, std::sqrt(v(k, k) + 0.03 * p * 0.03 * p), 1e-9 * *c[k].profileU) << k;
            EXPECT_NEAR(*c[k].relativePercentU, uQ, 1e-9 * uQ) << k;
        }
    }
}

}  // namespace
}  // namespace tessaroven
