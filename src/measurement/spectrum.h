// The x-ray spectrum at the centre of the field as values: photon numbers per energy, and how a measurement
// keeps it (the file it came from and the bow-tie's central thickness). Reading it is the spectrum file's
// work (formats/spectrum_file.h); whether its values can be used is checked here, for a spectrum from either
// file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "messages/outcome.h"

namespace tessaroven {

enum class SpectrumForm { TwoColumns, Egsnrc };

// Photon numbers per energy: energiesKeV strictly ascending and above 0, weights 0 or more and not all 0,
// both of the same length.
struct Spectrum {
    std::vector<double> energiesKeV;
    std::vector<double> weights;

    bool operator==(const Spectrum&) const = default;
};

// The spectrum a measurement uses, as the measurement file keeps it: the file it came from, its form, a copy
// of its values, and the bow-tie's central Al-equivalent thickness when the user knows it.
struct MeasurementSpectrum {
    std::string fileName;
    SpectrumForm form = SpectrumForm::TwoColumns;
    Spectrum spectrum;
    std::optional<double> centreAlMm;

    bool operator==(const MeasurementSpectrum&) const = default;
};

// Why a spectrum (from a file or from a measurement file) cannot be used: lengths that differ, no values, an
// energy not above 0 or not above the one before, a weight below 0 or not finite, all weights 0. The
// message names the entry by its index from 1.
MaybeRefusal CheckSpectrum(const Spectrum& spectrum);

}  // namespace tessaroven
