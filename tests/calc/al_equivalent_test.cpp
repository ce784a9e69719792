// Al-equivalent thickness per fan angle: a round trip through the whole conversion, and the half-value layer
// against a direct evaluation of the attenuation sums. (EGSnrc's published example, read from its files, is
// in tests/files.)
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "calc/al_equivalent.h"
#include "calc/conversion.h"
#include "calc/cross_sections.h"

namespace tessaroven {
namespace {

double Mu(double keV) {  // aluminium, 1/mm, straight from the cross sections
    return AluminiumMassAttenuation(keV) * kAluminiumDensity / 10;
}

double Kerma(double keV) {
    return keV * DryAirMassEnergyAbsorption(keV);
}

// Known thicknesses -> air-kerma transmissions -> relative values on the arc -> profile -> readings through
// the grid model -> conversion and evaluation -> thicknesses back.
TEST(AlEquivalent, round_trip_through_the_grid_model_gives_the_thicknesses_back) {
    const Spectrum spectrum{{30, 40, 50, 60, 70, 80, 90}, {0.5, 1, 1.2, 1.1, 0.9, 0.6, 0.2}};
    const AttenuationTable table = *MakeAttenuationTable(spectrum);
    const std::vector<double> known{0, -0.4, 0.8, 2.5, 6, 11, 17, 24, 32, 40};
    const double distance = 60;
    MeasurementRecord record;
    TakeMeasurement({distance, "", std::vector<std::vector<double>>(known.size(), {1.0}), 0.5, {}, {}, {}},
                    record);
    ASSERT_FALSE(BuildGrid(record, distance));
    for (std::size_t k = 0; k < known.size(); ++k) {
        const double ratio = static_cast<double>(k) / distance;
        record.profile[k] = 100 * KermaTransmission(table, known[k]) / (1 + ratio * ratio);
    }
    for (std::size_t k = 0; k < known.size(); ++k) {
        double reading = 0;
        for (std::size_t j = 0; j <= k; ++j) {
            reading += record.grid[k][j] * record.profile[j];
        }
        record.reading[k] = reading;
        record.repeats[k].clear();
    }
    ASSERT_FALSE(RunConversion(record, distance));
    const Expected<AlEquivalentProfile> result = EvaluateAlEquivalent(*EvaluateProfile(record), spectrum);
    ASSERT_TRUE(result.has_value()) << result.error().message;
    for (std::size_t k = 0; k < known.size(); ++k) {
        const AlEquivalentPosition& p = result->positions[k];
        ASSERT_TRUE(p.thicknessMm) << k;
        EXPECT_NEAR(*p.thicknessMm, known[k], 1e-4) << k;
        EXPECT_NEAR(*p.fluenceTransmission, FluenceTransmission(table, known[k]), 1e-6) << k;
        // u(t) maps u(T) through the slope: a step of u(T) in T moves t by u(t), to first order.
        const double uT = *EvaluateProfile(record)->positions[k].relativeOnArcPercentU / 100;
        const double moved =
            *AlEquivalentThicknessMm(table, KermaTransmission(table, *p.thicknessMm) + 1e-3 * uT);
        EXPECT_NEAR((*p.thicknessMm - moved) * 1e3, *p.thicknessU, 1e-3 * *p.thicknessU + 1e-12) << k;
    }
}

// The half-value layer makes the directly summed air kerma of the filtered spectrum half of what it was; for
// one energy it is ln 2 / mu.
TEST(AlEquivalent, half_value_layer_halves_the_directly_summed_air_kerma) {
    const Spectrum one{{60}, {1}}, many{{20, 35, 50, 65, 80, 95, 110}, {0.1, 0.8, 1, 0.9, 0.6, 0.3, 0.05}};
    EXPECT_NEAR(HalfValueLayerMm(*MakeAttenuationTable(one), 0), std::numbers::ln2 / Mu(60), 1e-9);
    for (double filterMm : {0.0, 12.5, -2.0}) {
        const double h = HalfValueLayerMm(*MakeAttenuationTable(many), filterMm);
        double before = 0;
        double after = 0;
        for (std::size_t i = 0; i < many.weights.size(); ++i) {
            const double e = many.energiesKeV[i];
            before += many.weights[i] * Kerma(e) * std::exp(-Mu(e) * filterMm);
            after += many.weights[i] * Kerma(e) * std::exp(-Mu(e) * (filterMm + h));
        }
        EXPECT_NEAR(after / before, 0.5, 1e-9) << filterMm;
    }
}

// A bad energy or transmission is refused with a message, never a crash.
TEST(AlEquivalent, refuses_energies_without_data_and_transmissions_that_are_not_positive) {
    // Beyond 800 keV the cross sections give no value; the range is checked first.
    for (double keV : {0.5, 800.5, 1000.0}) {
        const Refusal refusal = MakeAttenuationTable({{keV}, {1}}).error();
        EXPECT_EQ(refusal.reason, Reason::AttenuationDataUnavailable);
        EXPECT_NE(refusal.message.find(MessageText(Reason::AttenuationOutOfRange)), std::string::npos) << keV;
    }
    EXPECT_TRUE(MakeAttenuationTable({{800}, {1}}));  // the data's last energy
    const AttenuationTable table = *MakeAttenuationTable({{60}, {1}});
    for (double t : {0.0, -0.2, std::nan(""), HUGE_VAL}) {
        EXPECT_FALSE(AlEquivalentThicknessMm(table, t)) << t;
    }
    ProfileEvaluation evaluation{60, {{}, {}}, false};
    evaluation.positions[0].relativeOnArcPercent = 100;
    evaluation.positions[1] = {1, 1, 0, 1, {}, 0, {}, 0, {}, -3, {}};
    const AlEquivalentProfile profile = *EvaluateAlEquivalent(evaluation, {{60}, {1}});
    EXPECT_FALSE(profile.complete());
    EXPECT_EQ(profile.positions[1].refusal->reason, Reason::AlEquivalentTransmissionInvalid);
}

}  // namespace
}  // namespace tessaroven
