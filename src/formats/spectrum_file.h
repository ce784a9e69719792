// The x-ray spectrum at the centre of the field, read from the text a spectrum program writes, in one of two
// forms:
//   - two columns: "keV, value" per line (a comma or blanks between), lines starting with '#' and blank lines
//     ignored;
//   - the EGSnrc form: a title line, "n, emin, mode", then n lines "upper edge in MeV, value". Each bin is
//     taken at its middle; mode 0 gives the value per bin, mode 1 per MeV (multiplied by the bin width here).
// The form is the EGSnrc one when the second line holds exactly three numbers and the first line is not a
// line of two numbers. Reading is strict: every
// refusal names the line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "messages/outcome.h"

namespace tessaroven {

inline constexpr std::size_t kMaxSpectrumFileBytes = 1 << 20;

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

struct ParsedSpectrum {
    SpectrumForm form = SpectrumForm::TwoColumns;
    Spectrum spectrum;
};

// Reads a spectrum file's text (a UTF-8 byte order mark and CR LF line ends are accepted).
Expected<ParsedSpectrum> ParseSpectrumFile(std::string_view text);

// Reads the file at path; a file that cannot be read or is larger than kMaxSpectrumFileBytes is refused, and
// every message names the file.
Expected<ParsedSpectrum> ReadSpectrumFile(const std::string& path);

// Why a spectrum (from a file or from a measurement file) cannot be used: lengths that differ, no values, an
// energy not above 0 or not above the one before, a weight below 0 or not finite, all weights 0. The
// message names the entry by its index from 1.
MaybeRefusal CheckSpectrum(const Spectrum& spectrum);

}  // namespace tessaroven
