// Al-equivalent thickness, half-value layer and fluence transmission per position, with xraylib's data.
#include "calc/al_equivalent.h"

#include <cmath>
#include <numbers>

#include "calc/cross_sections.h"
#include "calc/portable_math.h"
#include "messages/number_chars.h"

namespace tessaroven {

namespace {

std::string NumberText(double value) {
    char buffer[32];
    const std::to_chars_result written = DoubleToChars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

// ln K(t) and the kerma-weighted mean of mu at t, summed in the log domain so that neither a thick filter
// nor a negative thickness overflows or underflows.
struct LogTransmission {
    double logK = 0;
    double meanMu = 0;
};

// ln sum weights exp(-mu t) and the weighted mean of mu at t.
LogTransmission LogSum(const std::vector<double>& weights, const std::vector<double>& mu, double t) {
    double largest = -HUGE_VAL;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        largest = std::max(largest, maths::Log(weights[i]) - mu[i] * t);
    }
    double sum = 0;
    double muSum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const double term = maths::Exp(maths::Log(weights[i]) - mu[i] * t - largest);
        sum += term;
        muSum += term * mu[i];
    }
    return {largest + maths::Log(sum), muSum / sum};
}

// Relative to t = 0, summed the same way, so that K(0) is exactly 1.
LogTransmission AtThickness(const std::vector<double>& weights, const std::vector<double>& mu, double t) {
    LogTransmission at = LogSum(weights, mu, t);
    at.logK -= LogSum(weights, mu, 0).logK;
    return at;
}

// The t with ln K(t) = logTarget. ln K is convex and strictly decreasing in t, so Newton's method from any
// start converges monotonically after its first step; the iteration count is only a guard.
std::optional<double> SolveLog(const AttenuationTable& table, double logTarget) {
    if (!std::isfinite(logTarget)) {
        return std::nullopt;
    }
    double t = -logTarget / AtThickness(table.kerma, table.muPerMm, 0).meanMu;
    for (int iteration = 0; iteration < 200; ++iteration) {
        const LogTransmission at = AtThickness(table.kerma, table.muPerMm, t);
        const double step = (at.logK - logTarget) / at.meanMu;
        t += step;
        if (!std::isfinite(t)) {
            return std::nullopt;
        }
        if (std::abs(step) <= 1e-10 * std::max(1.0, std::abs(t))) {
            return t;
        }
    }
    return std::nullopt;
}

}  // namespace

Expected<AttenuationTable> MakeAttenuationTable(const Spectrum& spectrum) {
    if (auto refusal = CheckSpectrum(spectrum)) {
        return *refusal;
    }
    AttenuationTable table;
    for (std::size_t i = 0; i < spectrum.energiesKeV.size(); ++i) {
        const double energy = spectrum.energiesKeV[i];
        const double weight = spectrum.weights[i];
        if (weight == 0) {
            continue;
        }
        if (!(energy >= kLowestEnergyKeV && energy <= kHighestEnergyKeV)) {
            return Refuse(Reason::AttenuationDataUnavailable,
                          {NumberText(energy), MessageText(Reason::AttenuationOutOfRange)});
        }
        const double massAttenuation = AluminiumMassAttenuation(energy);
        const double airAbsorption = DryAirMassEnergyAbsorption(energy);
        table.energiesKeV.push_back(energy);
        table.fluence.push_back(weight);
        table.kerma.push_back(weight * energy * airAbsorption);
        table.muPerMm.push_back(massAttenuation * kAluminiumDensity / 10);  // 1/cm to 1/mm
    }
    return table;
}

double KermaTransmission(const AttenuationTable& table, double thicknessMm) {
    return maths::Exp(AtThickness(table.kerma, table.muPerMm, thicknessMm).logK);
}

double FluenceTransmission(const AttenuationTable& table, double thicknessMm) {
    return maths::Exp(AtThickness(table.fluence, table.muPerMm, thicknessMm).logK);
}

std::optional<double> AlEquivalentThicknessMm(const AttenuationTable& table, double transmission) {
    if (!std::isfinite(transmission) || !(transmission > 0)) {
        return std::nullopt;
    }
    return SolveLog(table, maths::Log(transmission));
}

double HalfValueLayerMm(const AttenuationTable& table, double thicknessMm) {
    const double logK = AtThickness(table.kerma, table.muPerMm, thicknessMm).logK;
    const std::optional<double> halved = SolveLog(table, logK - std::numbers::ln2);
    return halved ? *halved - thicknessMm : std::nan("");
}

bool AlEquivalentProfile::complete() const {
    for (const AlEquivalentPosition& p : positions) {
        if (!p.thicknessMm) {
            return false;
        }
    }
    return true;
}

Expected<AlEquivalentProfile> EvaluateAlEquivalent(const ProfileEvaluation& evaluation,
                                                   const Spectrum& spectrum, double centreAlMm) {
    const Expected<AttenuationTable> table = MakeAttenuationTable(spectrum);
    if (!table) {
        return table.error();
    }
    AlEquivalentProfile profile;
    profile.centreAlMm = centreAlMm;
    profile.model = evaluation.model;
    for (const PositionEvaluation& p : evaluation.positions) {
        AlEquivalentPosition& out = profile.positions.emplace_back();
        out.position = p.position;
        out.fanAngleDeg = p.fanAngleDeg;
        const double transmission = p.relativeOnArcPercent / 100;
        const std::optional<double> t = AlEquivalentThicknessMm(*table, transmission);
        if (!t) {
            out.refusal = Refuse(std::isfinite(transmission) && transmission > 0
                                     ? Reason::AlEquivalentNotSolved
                                     : Reason::AlEquivalentTransmissionInvalid,
                                 {std::to_string(p.position), NumberText(p.relativeOnArcPercent)});
            continue;
        }
        // Far out in the tails a value may underflow or overflow; it is then left empty, never written as
        // a non-finite number.
        const auto finite = [](double value) {
            return std::isfinite(value) ? std::optional(value) : std::nullopt;
        };
        out.thicknessMm = *t;
        out.hvlMm = finite(HalfValueLayerMm(*table, *t));
        out.fluenceTransmission = finite(FluenceTransmission(*table, *t));
        if (p.relativeOnArcPercentU) {
            const LogTransmission at = AtThickness(table->kerma, table->muPerMm, *t);
            const double slope = maths::Exp(at.logK) * at.meanMu;  // |dK/dt|
            out.thicknessU = finite(*p.relativeOnArcPercentU / 100 / slope);
        }
    }
    return profile;
}

}  // namespace tessaroven
