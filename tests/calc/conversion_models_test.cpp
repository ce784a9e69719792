// The conversion models against the forward simulator, and the simulator against the closed forms.
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include <gtest/gtest.h>

#include "calc/conversion.h"
#include "calc/isotropic_model.h"
#include "calc/simulator.h"
#include "calc/uncertainty.h"

namespace tessaroven {
namespace {

using LineProfile = std::function<double(double)>;

// Two closed forms: a profile flat on the line gives (1 - k^2/D^2)^(-3/2), one flat per fan angle (an open
// beam) D^2 / (D^2 - k^2). And each row of the isotropic grid is the reading of its nodes' hat functions,
// which ties the model's reduced integral to the plain integral over the turn.
TEST(Simulator, MatchesTheClosedFormsAndTheIsotropicWeights) {
    for (double d : {50.0, 60.0, 70.0}) {
        for (int k = 0; k <= 30; ++k) {
            const double flat = SimulatedReading(ArcOfLineProfile([](double) { return 1.0; }, d), d, k);
            const double open = SimulatedReading([](double) { return 1.0; }, d, k);
            EXPECT_NEAR(flat / std::pow(1 - (k * k) / (d * d), -1.5), 1, 1e-12) << d << " " << k;
            EXPECT_NEAR(open / ((d * d) / (d * d - k * k)), 1, 1e-12) << d << " " << k;
        }
        MeasurementRecord record;
        ResetMeasurement(record);
        record.lastPosition = 30;
        ASSERT_FALSE(BuildIsotropicGrid(record, d));
        std::vector<double> nodeFanAngles;
        for (int j = 0; j <= 30; ++j) {
            nodeFanAngles.push_back(std::asin(j / d));
        }
        for (int k : {1, 2, 7, 30}) {
            for (int j = 0; j <= k; ++j) {
                const LineProfile hat = [&](double x) {
                    const double p =
                        x / std::sqrt(1 + (x / d) * (x / d));  // the ray's distance from the centre
                    return std::fmax(0.0, 1 - std::fabs(p - j));
                };
                EXPECT_NEAR(record.grid[k][j],
                            SimulatedReading(ArcOfLineProfile(hat, d), d, k, nodeFanAngles), 1e-12)
                    << d << " " << k << " " << j;
            }
        }
    }
}

// Readings simulated for each profile are converted with the isotropic model; the relative values must be
// within the aims of the true ones at every position. The compatible model misses the flat profile by 14 to
// 31 points at 30 cm, so a wrong weight cannot pass. The model's map from readings to profile, which the
// uncertainty goes through, must reproduce the conversion.
TEST(IsotropicModel, RecoversSimulatedProfilesWithinTheAims) {
    struct Case {
        const char* name;
        LineProfile onLine;
        double aimPoints;
        bool openBeam = false;  // flat per fan angle: cos^2 of the fan angle on the line
    };
    const Case cases[] = {
        {"flat", [](double) { return 1.0; }, 0.01},
        {"open beam", nullptr, 0.05, true},
        {"bow-tie", [](double x) { return std::exp(-2.1 * (x / 25) * (x / 25)); }, 0.1},
        {"steep bow-tie", [](double x) { return std::exp(-8.4 * (x / 25) * (x / 25)); }, 0.3},
    };
    for (double d : {50.0, 60.0, 70.0}) {
        for (const Case& c : cases) {
            const LineProfile truth =
                c.openBeam ? LineProfile([d](double x) { return (d * d) / (d * d + x * x); }) : c.onLine;
            const ArcProfile arc =
                c.openBeam ? ArcProfile([](double) { return 1.0; }) : ArcOfLineProfile(truth, d);
            MeasurementRecord record;
            ResetMeasurement(record);
            record.lastPosition = 30;
            record.model = ConversionModel::Isotropic;
            for (int k = 0; k <= 30; ++k) {
                record.reading[k] = SimulatedReading(arc, d, k);
            }
            ASSERT_FALSE(RunConversion(record, d));
            EXPECT_EQ(record.convertedModel, ConversionModel::Isotropic);
            const Expected<GridMatrix> map = ReadingsToProfile(record);
            ASSERT_TRUE(map);
            for (int k = 0; k <= 30; ++k) {
                EXPECT_NEAR(record.relativePercent[k], 100 * truth(k) / truth(0), c.aimPoints)
                    << c.name << " D=" << d << " at " << k;
                double mapped = 0;
                for (int m = 0; m <= k; ++m) {
                    mapped += (*map)[k][m] * record.reading[m];
                }
                EXPECT_NEAR(mapped, record.profile[k], 1e-12 * record.profile[0]) << c.name << " at " << k;
            }
        }
    }
}

// The model that removes the bias amplifies the readings' noise more; within five times the compatible
// model's at every position beyond the centre (0.3 % on each reading, a flat profile).
TEST(IsotropicModel, NoiseGainStaysWithinFiveTimesTheCompatibleModels) {
    for (double d : {50.0, 60.0, 70.0}) {
        double spread[2][kSlotCount];
        for (ConversionModel model : {ConversionModel::Compatible, ConversionModel::Isotropic}) {
            MeasurementRecord record;
            ResetMeasurement(record);
            record.lastPosition = 30;
            record.model = model;
            record.readingRepeatabilityPercent = 0.3;
            for (int k = 0; k <= 30; ++k) {
                record.reading[k] = std::pow(1 - (k * k) / (d * d), -1.5);
            }
            ASSERT_FALSE(RunConversion(record, d));
            const Expected<ProfileEvaluation> evaluation = EvaluateProfile(record);
            ASSERT_TRUE(evaluation);
            EXPECT_EQ(evaluation->model, model);
            for (int k = 0; k <= 30; ++k) {
                spread[static_cast<int>(model)][k] = *evaluation->positions[k].relativePercentU;
            }
        }
        for (int k = 1; k <= 30; ++k) {
            EXPECT_LT(spread[1][k], 5 * spread[0][k]) << d << " " << k;
            EXPECT_GT(spread[1][k], spread[0][k]) << d << " " << k;
        }
    }
}

}  // namespace
}  // namespace tessaroven
