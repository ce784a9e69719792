// The bow-tie files for XCIST and EGSnrc, laid out as their own example files are.
#include "formats/bowtie_exports.h"

#include <cmath>
#include <numbers>

#include "messages/number_chars.h"

namespace tessaroven {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;

std::string Shortest(double value) {
    char buffer[32];
    const std::to_chars_result written = DoubleToChars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

// printf's "%.*f" without its locale: under a locale with a decimal comma (which the desktop program takes
// from the system), printf wrote "0,123456" into files that their programs read with a point.
std::string Fixed(double value, int decimals) {
    char buffer[400];
    const std::to_chars_result written =
        DoubleToChars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, written.ptr);
}

double LargestAngle(const BowtieTable& table) {
    return table.angleDeg.empty() ? 0 : table.angleDeg.back();
}

MaybeRefusal CheckExport(const AlEquivalentProfile& profile, double stepDeg, std::string_view what) {
    if (!(stepDeg >= kSmallestAngleStepDeg) || !std::isfinite(stepDeg)) {
        return Refuse(Reason::AngleStepOptionInvalid, {Shortest(stepDeg)});
    }
    if (!profile.complete() || profile.positions.empty()) {
        return Refuse(Reason::BowtieExportIncomplete, {what});
    }
    return std::nullopt;
}

}  // namespace

BowtieTable BowtieTableOf(const AlEquivalentProfile& profile) {
    BowtieTable table;
    for (const AlEquivalentPosition& p : profile.positions) {
        table.angleDeg.push_back(p.fanAngleDeg);
        table.thicknessMm.push_back(profile.centreAlMm + p.thicknessMm.value_or(0));
        table.fluenceTransmission.push_back(p.fluenceTransmission.value_or(0));
    }
    return table;
}

double InterpolateAtAngle(const BowtieTable& table, const std::vector<double>& values, double angleDeg) {
    std::size_t upper = 1;
    while (upper + 1 < table.angleDeg.size() && table.angleDeg[upper] < angleDeg) {
        ++upper;
    }
    if (upper >= table.angleDeg.size()) {
        return values.front();  // one position only
    }
    const double a0 = table.angleDeg[upper - 1];
    const double a1 = table.angleDeg[upper];
    const double f = a1 > a0 ? std::min(std::max((angleDeg - a0) / (a1 - a0), 0.0), 1.0) : 0;
    return values[upper - 1] + f * (values[upper] - values[upper - 1]);
}

std::string XcistBowtieText(const BowtieTable& table, double stepDeg) {
    // 0, step, 2 step, ... and the largest angle itself, mirrored.
    const double largest = LargestAngle(table);
    std::vector<double> half;
    for (int j = 0; j * stepDeg < largest - 1e-9 * stepDeg; ++j) {
        half.push_back(j * stepDeg);
    }
    half.push_back(largest);
    std::string text(kXcistHeader);
    text += '\n';
    const auto row = [&](double angleDeg) {
        const double cm = InterpolateAtAngle(table, table.thicknessMm, std::abs(angleDeg)) / 10;
        text +=
            Fixed(angleDeg * kRadiansPerDegree, 6) + '\t' + Fixed(cm, 6) + "\t0.000000\t0.000000\t0.000000\n";
    };
    for (std::size_t j = half.size(); j-- > 1;) {
        row(-half[j]);
    }
    for (double angle : half) {
        row(angle);
    }
    return text;
}

EgsnrcBowtieTexts EgsnrcBowtieText(const BowtieTable& table, double stepDeg, std::string_view title) {
    std::vector<double> angles{0};
    const double largest = LargestAngle(table);
    for (int i = 1; (i - 0.5) * stepDeg <= largest + 1e-9 * stepDeg; ++i) {
        angles.push_back((i - 0.5) * stepDeg);
    }
    const std::string count = std::to_string(angles.size());
    EgsnrcBowtieTexts texts;
    texts.distribution.append(title).append("\n").append(count).append(", 0.0, 0\n");
    texts.bowtie =
        "Filter\n#Name of the material\nAl\n# Density of the material (g/cm^3)\n2.7\n"
        "# Angular increment (\xC2\xB0)\n" +
        Shortest(stepDeg) + "\n# Num values\n" + count + "\n# Thickness array (mm)\n";
    for (double angle : angles) {
        const double a = std::min(angle, largest);  // the last row may lie a rounding above it
        texts.distribution += Fixed(angle * kRadiansPerDegree, 13) + "    " +
                              Shortest(InterpolateAtAngle(table, table.fluenceTransmission, a)) + '\n';
        texts.bowtie += Shortest(InterpolateAtAngle(table, table.thicknessMm, a)) + '\n';
    }
    return texts;
}

Expected<std::string> XcistBowtieFile(const AlEquivalentProfile& profile, double stepDeg) {
    if (auto refusal = CheckExport(profile, stepDeg, "XCIST")) {
        return *refusal;
    }
    std::string text = XcistBowtieText(BowtieTableOf(profile), stepDeg);
    if (profile.model == ConversionModel::Compatible) {
        text.insert(kXcistHeader.size() + 1, "# " + std::string(kCompatibleModelNote) + "\n");
    }
    return text;
}

Expected<EgsnrcBowtieTexts> EgsnrcBowtieFiles(const AlEquivalentProfile& profile, double stepDeg,
                                              std::string_view title) {
    if (auto refusal = CheckExport(profile, stepDeg, "EGSnrc")) {
        return *refusal;
    }
    std::string fullTitle(title);
    if (profile.model == ConversionModel::Compatible) {
        fullTitle.append(fullTitle.empty() ? "" : " -- ").append(kCompatibleModelNote);
    }
    return EgsnrcBowtieText(BowtieTableOf(profile), stepDeg, fullTitle);
}

}  // namespace tessaroven
