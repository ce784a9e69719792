// Prints the tables of docs/conversion-models.md: the error of each conversion model on readings from the
// forward simulator, for known profiles and distances, and the noise each model passes on. Run it from the
// build folder: tools/tessaroven_model_tables [folder of EGSnrc's example data].
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "calc/conversion.h"
#include "calc/simulator.h"
#include "calc/uncertainty.h"

namespace {

using tessaroven::ArcProfile;
using tessaroven::ConversionModel;
using tessaroven::MeasurementRecord;

using LineProfile = std::function<double(double)>;

struct Profile {
    const char* name;
    ArcProfile arc;
    LineProfile truthOnLine;    // the profile on the line, for the relative values it should give
    std::vector<double> kinks;  // fan angles (radians) where the profile has a kink or a step
};

// Relative values (percent of the centre) that the model gives for the simulated readings, or empty when the
// conversion is refused.
std::vector<double> Converted(const Profile& profile, double d, int positions, ConversionModel model) {
    MeasurementRecord record;
    tessaroven::ResetMeasurement(record);
    record.lastPosition = positions - 1;
    record.model = model;
    for (int k = 0; k < positions; ++k) {
        record.reading[k] = tessaroven::SimulatedReading(profile.arc, d, k, profile.kinks);
    }
    if (tessaroven::RunConversion(record, d)) {
        return {};
    }
    return std::vector<double>(record.relativePercent.begin(), record.relativePercent.begin() + positions);
}

const int kShown[] = {1, 2, 3, 5, 10, 15, 20, 22, 25, 28, 29, 30};

// A table's heading: the first columns, one column per shown position, the last columns ("a | b" for two).
void Header(std::string_view first, std::string_view last) {
    std::printf("| %.*s |", static_cast<int>(first.size()), first.data());
    for (int k : kShown) {
        std::printf(" %d cm |", k);
    }
    std::printf(" %.*s |\n|", static_cast<int>(last.size()), last.data());
    const auto columns = [](std::string_view text) { return 1 + std::count(text.begin(), text.end(), '|'); };
    const long count = columns(first) + static_cast<long>(std::size(kShown)) + columns(last);
    for (long i = 0; i < count; ++i) {
        std::printf("---|");
    }
    std::printf("\n");
}

// Standard deviation (percent points) of each relative value for 0.3 % independent noise on every reading.
void NoiseTable() {
    Header("D | model", "largest ratio | repeats to match");
    for (double d : {50.0, 60.0, 70.0}) {
        double spread[2][31];
        for (ConversionModel model : {ConversionModel::Compatible, ConversionModel::Isotropic}) {
            MeasurementRecord record;
            tessaroven::ResetMeasurement(record);
            record.lastPosition = 30;
            record.model = model;
            record.readingRepeatabilityPercent = 0.3;
            for (int k = 0; k <= 30; ++k) {
                record.reading[k] = std::pow(1 - (k * k) / (d * d), -1.5);
            }
            tessaroven::RunConversion(record, d);
            const auto evaluation = tessaroven::EvaluateProfile(record);
            for (int k = 0; k <= 30; ++k) {
                spread[static_cast<int>(model)][k] = *evaluation->positions[k].relativePercentU;
            }
        }
        double ratio = 0;
        for (int k = 1; k <= 30; ++k) {
            ratio = std::fmax(ratio, spread[1][k] / spread[0][k]);
        }
        for (int m = 0; m < 2; ++m) {
            std::printf("| %g | %s |", d, m == 1 ? "isotropic" : "compatible");
            for (int k : kShown) {
                std::printf(" %.2f |", spread[m][k]);
            }
            if (m == 1) {
                std::printf(" %.2f | %d |\n", ratio, static_cast<int>(std::ceil(ratio * ratio)));
            } else {
                std::printf(" | |\n");
            }
        }
    }
    std::printf("\n");
}

// EGSnrc's published example: the intensity per fan angle (radians), taken as the arc profile, linear
// between its rows.
Profile PublishedExample(const std::string& folder, std::vector<double>& angles,
                         std::vector<double>& values) {
    std::ifstream file(folder + "/201110_attenuationData_100kV_body.dat");
    std::string line;
    std::getline(file, line);
    std::getline(file, line);
    for (double a, v; file >> a >> v;) {
        angles.push_back(a);
        values.push_back(v);
    }
    const auto at = [&angles, &values](double gamma) {
        if (gamma >= angles.back()) {
            return values.back();
        }
        std::size_t i = 0;
        while (angles[i + 1] <= gamma) {
            ++i;
        }
        const double share = (gamma - angles[i]) / (angles[i + 1] - angles[i]);
        return values[i] + share * (values[i + 1] - values[i]);
    };
    return {"published 100 kV example", at, nullptr, angles};
}

}  // namespace

int main(int argc, char** argv) {
    const auto bowtie = [](double steepness) {
        return [steepness](double x) { return std::exp(-steepness * (x / 25) * (x / 25)); };
    };
    // Each profile is given on the line; its arc form depends on D, so the list is made per distance below.
    struct LineCase {
        const char* name;
        LineProfile line;
        bool openBeam;
        std::vector<double> kinksOnLine;  // cm
    };
    const std::vector<LineCase> smoothCases = {
        {"flat on the line", [](double) { return 1.0; }, false, {}},
        {"open beam (flat per fan angle)", nullptr, true, {}},
        {"bow-tie exp(-2.1 (x/25)^2)", bowtie(2.1), false, {}},
        {"steep bow-tie exp(-8.4 (x/25)^2)", bowtie(8.4), false, {}},
    };
    const std::vector<LineCase> edgeCases = {
        {"step: 100 % to 15 cm, 60 % beyond", [](double x) { return x < 15 ? 1.0 : 0.6; }, false, {15}},
        {"bow-tie cut off at 25 cm",
         [bowtie](double x) { return x < 25 ? bowtie(2.1)(x) : 0.0; },
         false,
         {25}},
    };
    const auto tableFor = [](const std::vector<LineCase>& cases) {
        Header("profile | D | model", "largest");
        for (const LineCase& c : cases) {
            for (double d : {50.0, 60.0, 70.0}) {
                Profile profile{c.name, nullptr, c.line, {}};
                if (c.openBeam) {
                    profile.truthOnLine = [d](double x) { return (d * d) / (d * d + x * x); };
                    profile.arc = [](double) { return 1.0; };
                } else {
                    profile.arc = tessaroven::ArcOfLineProfile(c.line, d);
                }
                for (double x : c.kinksOnLine) {
                    profile.kinks.push_back(std::atan(x / d));
                }
                for (ConversionModel model : {ConversionModel::Compatible, ConversionModel::Isotropic}) {
                    const std::vector<double> relative = Converted(profile, d, 31, model);
                    std::printf("| %s | %g | %s |", c.name, d,
                                model == ConversionModel::Isotropic ? "isotropic" : "compatible");
                    double largest = 0;
                    for (int k = 0; k <= 30; ++k) {
                        const double error =
                            relative[k] - 100 * profile.truthOnLine(k) / profile.truthOnLine(0);
                        largest = std::fmax(largest, std::fabs(error));
                        for (int shown : kShown) {
                            if (shown == k) {
                                std::printf(" %+.3f |", error);
                            }
                        }
                    }
                    std::printf(" %.3f |\n", largest);
                }
            }
        }
        std::printf("\n");
    };

    std::printf("## Smooth profiles: converted minus true relative value (percent points)\n\n");
    tableFor(smoothCases);
    std::printf("## A step and a cut-off: converted minus true relative value (percent points)\n\n");
    tableFor(edgeCases);
    std::printf(
        "## Noise: standard deviation of the relative value (percent points), 0.3 %% per reading\n\n");
    NoiseTable();

    if (argc > 1) {
        std::vector<double> angles;
        std::vector<double> values;
        const Profile example = PublishedExample(argv[1], angles, values);
        const double d = 60;
        // The table ends at 22 degrees: 60 sin 22 degrees = 22.5 cm, so positions 0..22.
        const int positions = static_cast<int>(std::floor(d * std::sin(angles.back()))) + 1;
        std::printf(
            "## The published 100 kV example at D = 60 cm, positions 0..%d: relative value on the arc "
            "(%%)\n\n",
            positions - 1);
        std::printf("| cm | true | compatible | isotropic |\n|---|---|---|---|\n");
        const std::vector<double> compatible = Converted(example, d, positions, ConversionModel::Compatible);
        const std::vector<double> isotropic = Converted(example, d, positions, ConversionModel::Isotropic);
        for (int k = 0; k < positions; ++k) {
            const double ratio = k / d;
            const double onArc = 1 + ratio * ratio;
            const double truth = 100 * example.arc(std::atan(ratio)) / example.arc(0);
            std::printf("| %d | %.2f | %.2f | %.2f |\n", k, truth, compatible[k] * onArc,
                        isotropic[k] * onArc);
        }
    }
    return 0;
}
