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

#include "measurement/spectrum.h"
#include "messages/outcome.h"

namespace tessaroven {

inline constexpr std::size_t kMaxSpectrumFileBytes = 1 << 20;

struct ParsedSpectrum {
    SpectrumForm form = SpectrumForm::TwoColumns;
    Spectrum spectrum;
};

// Reads a spectrum file's text (a UTF-8 byte order mark and CR LF line ends are accepted).
Expected<ParsedSpectrum> ParseSpectrumFile(std::string_view text);

}  // namespace tessaroven
