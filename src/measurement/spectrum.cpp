// Whether a spectrum's values can be used.
#include "measurement/spectrum.h"

#include <cmath>

namespace tessaroven {

MaybeRefusal CheckSpectrum(const Spectrum& spectrum) {
    if (spectrum.energiesKeV.size() != spectrum.weights.size()) {
        return Refuse(Reason::SpectrumLengthMismatch);
    }
    double sum = 0;
    for (std::size_t i = 0; i < spectrum.weights.size(); ++i) {
        const double energy = spectrum.energiesKeV[i];
        const double weight = spectrum.weights[i];
        if (!std::isfinite(energy) || !(energy > 0) || (i > 0 && !(energy > spectrum.energiesKeV[i - 1])) ||
            !std::isfinite(weight) || weight < 0) {
            return Refuse(Reason::SpectrumEntryInvalid, {std::to_string(i + 1)});
        }
        sum += weight;
    }
    if (!std::isfinite(sum)) {
        return Refuse(Reason::SpectrumWeightsOverflow);
    }
    if (!(sum > 0)) {
        return Refuse(Reason::SpectrumNoValues);
    }
    return std::nullopt;
}

}  // namespace tessaroven
