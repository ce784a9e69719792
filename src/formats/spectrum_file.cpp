// Reading the centre spectrum's file, line by line, with the line named in every refusal.
#include "formats/spectrum_file.h"

#include <cmath>

#include "messages/echoed_text.h"
#include "messages/number_chars.h"

namespace tessaroven {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\f\v";

struct Line {
    std::string_view text;  // without the line end and the blanks around it
    int number = 0;         // from 1
};

std::vector<Line> SplitLines(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::vector<Line> lines;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const std::size_t first = line.find_first_not_of(kBlanks);
        line = first == std::string_view::npos
                   ? std::string_view()
                   : line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
        lines.push_back({line, ++number});
    }
    return lines;
}

// The numbers of a line, separated by one comma and/or blanks; nothing when a field is not one complete,
// finite number.
std::optional<std::vector<double>> Numbers(std::string_view line) {
    std::vector<double> numbers;
    std::size_t at = 0;
    while (at < line.size()) {
        std::size_t end = line.find_first_of(", \t", at);
        end = end == std::string_view::npos ? line.size() : end;
        std::string_view field = line.substr(at, end - at);
        if (field.starts_with('+')) {
            field.remove_prefix(1);
            if (field.starts_with('-')) {
                return std::nullopt;  // "+-30" is no number; from_chars alone would read -30
            }
        }
        double value = 0;
        const auto [ptr, ec] = DoubleFromChars(field.data(), field.data() + field.size(), value);
        if (field.empty() || ec != std::errc() || ptr != field.data() + field.size() ||
            !std::isfinite(value)) {
            return std::nullopt;
        }
        numbers.push_back(value);
        // Blanks, at most one comma, blanks.
        at = line.find_first_not_of(" \t", end);
        if (at != std::string_view::npos && line[at] == ',') {
            at = line.find_first_not_of(" \t", at + 1);
            if (at == std::string_view::npos) {
                return std::nullopt;  // a trailing comma
            }
        }
        at = at == std::string_view::npos ? line.size() : at;
    }
    return numbers;
}

std::string LineText(int number) {
    return std::to_string(number);
}

std::string NumberText(double value) {
    char buffer[32];
    const std::to_chars_result written = DoubleToChars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

// The checks both forms share, for the value at a line whose energy (keV) follows previousKeV.
MaybeRefusal CheckEntry(double energyKeV, double previousKeV, bool first, double value, int line) {
    if (!(energyKeV > 0)) {
        return Refuse(Reason::SpectrumEnergyNotPositive, {LineText(line)});
    }
    if (!first && !(energyKeV > previousKeV)) {
        return Refuse(Reason::SpectrumEnergyNotAscending, {LineText(line)});
    }
    if (value < 0) {
        return Refuse(Reason::SpectrumNegativeValue, {LineText(line)});
    }
    return std::nullopt;
}

Expected<ParsedSpectrum> ParseTwoColumns(const std::vector<Line>& lines) {
    ParsedSpectrum parsed{SpectrumForm::TwoColumns, {}};
    Spectrum& spectrum = parsed.spectrum;
    for (const Line& line : lines) {
        if (line.text.empty() || line.text.starts_with('#')) {
            continue;
        }
        const auto numbers = Numbers(line.text);
        if (!numbers || numbers->size() != 2) {
            return Refuse(Reason::SpectrumLineNotTwoNumbers, {LineText(line.number), EchoedText(line.text)});
        }
        const double energy = (*numbers)[0];
        if (auto refusal = CheckEntry(energy, spectrum.energiesKeV.empty() ? 0 : spectrum.energiesKeV.back(),
                                      spectrum.energiesKeV.empty(), (*numbers)[1], line.number)) {
            return *refusal;
        }
        spectrum.energiesKeV.push_back(energy);
        spectrum.weights.push_back((*numbers)[1]);
    }
    return parsed;
}

Expected<ParsedSpectrum> ParseEgsnrc(const std::vector<Line>& lines, const std::vector<double>& header) {
    const Line& headerLine = lines[1];
    const double count = header[0];
    const double minimumMeV = header[1];
    const double mode = header[2];
    if (!(count >= 1) || count != std::floor(count) || !(minimumMeV >= 0)) {
        return Refuse(Reason::SpectrumHeaderInvalid,
                      {LineText(headerLine.number), EchoedText(headerLine.text)});
    }
    if (mode != 0 && mode != 1) {
        return Refuse(Reason::SpectrumModeUnsupported, {LineText(headerLine.number), NumberText(mode)});
    }
    std::size_t found = 0;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        found += lines[i].text.empty() ? 0 : 1;
    }
    if (count != static_cast<double>(found)) {
        return Refuse(Reason::SpectrumBinCountMismatch, {NumberText(count), std::to_string(found)});
    }
    ParsedSpectrum parsed{SpectrumForm::Egsnrc, {}};
    Spectrum& spectrum = parsed.spectrum;
    double lowerMeV = minimumMeV;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.text.empty()) {
            continue;
        }
        const auto numbers = Numbers(line.text);
        if (!numbers || numbers->size() != 2) {
            return Refuse(Reason::SpectrumBinLineNotTwoNumbers,
                          {LineText(line.number), EchoedText(line.text)});
        }
        const double upperMeV = (*numbers)[0];
        const double value = (*numbers)[1];
        // The first bin's upper edge must lie above emin, and every edge above the one before.
        if (!(upperMeV > lowerMeV)) {
            return Refuse(
                upperMeV > 0 ? Reason::SpectrumEnergyNotAscending : Reason::SpectrumEnergyNotPositive,
                {LineText(line.number)});
        }
        if (value < 0) {
            return Refuse(Reason::SpectrumNegativeValue, {LineText(line.number)});
        }
        spectrum.energiesKeV.push_back((lowerMeV + upperMeV) / 2 * 1000);
        spectrum.weights.push_back(mode == 1 ? value * (upperMeV - lowerMeV) : value);
        lowerMeV = upperMeV;
    }
    return parsed;
}

}  // namespace

Expected<ParsedSpectrum> ParseSpectrumFile(std::string_view text) {
    const std::vector<Line> lines = SplitLines(text);
    // The EGSnrc form: a title (anything but a line of two numbers), then "n, emin, mode".
    std::optional<std::vector<double>> header;
    if (lines.size() >= 2) {
        const auto title = Numbers(lines[0].text);
        header = title && title->size() == 2 ? std::nullopt : Numbers(lines[1].text);
    }
    Expected<ParsedSpectrum> parsed =
        header && header->size() == 3 ? ParseEgsnrc(lines, *header) : ParseTwoColumns(lines);
    if (!parsed) {
        return parsed;
    }
    if (auto refusal = CheckSpectrum(parsed->spectrum)) {
        return *refusal;
    }
    return parsed;
}

}  // namespace tessaroven
