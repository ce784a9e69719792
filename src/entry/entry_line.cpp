// The reading-list line of one point.
#include "entry/entry_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "calc/number_text.h"
#include "formats/measurement_file.h"
#include "messages/echoed_text.h"

namespace tessaroven {

std::string EntryLineText(double pointNumber, double slot, double reading, char decimalSeparator) {
    return " (" + GeneralNumberText(pointNumber, decimalSeparator) + ")  " +
           GeneralNumberText(slot, decimalSeparator) + "  :  " + GeneralNumberText(reading, decimalSeparator);
}

std::string RepeatsLineText(double pointNumber, double slot, const std::vector<double>& repeats,
                            char decimalSeparator) {
    const double mean = MeanOfRepeats(repeats);
    return " (" + GeneralNumberText(pointNumber, decimalSeparator) + ")  " +
           GeneralNumberText(slot, decimalSeparator) + "  :  " +
           FixedNumberText(mean, MeanDecimals(repeats), decimalSeparator) +
           " (n=" + std::to_string(repeats.size()) + ")";
}

namespace {

// A line as EntryLineText and RepeatsLineText write it: " (" point ")  " slot "  :  " the rest.
struct LineColumns {
    std::string_view point;
    std::string_view slot;
    std::string_view rest;
};

std::optional<LineColumns> ColumnsOf(std::string_view line) {
    constexpr std::string_view kOpen = " (";
    constexpr std::string_view kClose = ")  ";
    constexpr std::string_view kColon = "  :  ";
    const std::size_t close = line.find(kClose);
    const std::size_t colon =
        close == std::string_view::npos ? close : line.find(kColon, close + kClose.size());
    if (!line.starts_with(kOpen) || colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t slot = close + kClose.size();
    return LineColumns{line.substr(kOpen.size(), close - kOpen.size()), line.substr(slot, colon - slot),
                       line.substr(colon + kColon.size())};
}

}  // namespace

std::vector<std::string> AlignedEntryLines(const std::vector<std::string>& lines) {
    std::size_t pointWidth = 0;
    std::size_t slotWidth = 0;
    for (const std::string& line : lines) {
        if (const std::optional<LineColumns> columns = ColumnsOf(line)) {
            pointWidth = std::max(pointWidth, columns->point.size());
            slotWidth = std::max(slotWidth, columns->slot.size());
        }
    }
    std::vector<std::string> aligned;
    aligned.reserve(lines.size());
    for (const std::string& line : lines) {
        const std::optional<LineColumns> columns = ColumnsOf(line);
        if (!columns) {
            aligned.push_back(line);
            continue;
        }
        aligned.push_back(std::string(pointWidth - columns->point.size(), ' ') + " (" +
                          std::string(columns->point) + ")  " +
                          std::string(slotWidth - columns->slot.size(), ' ') + std::string(columns->slot) +
                          "  :  " + std::string(columns->rest));
    }
    return aligned;
}

Expected<std::vector<double>> ParseRepeats(std::string_view utf8) {
    std::vector<double> repeats;
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = std::min(utf8.find(';', from), utf8.size());
        const std::string_view part = utf8.substr(from, end - from);
        const ParsedNumber number = ParseTypedNumber(part);
        if (number.outOfRange) {
            return Refuse(Reason::NumberOutOfRange);
        }
        if (!number.found) {
            return Refuse(Reason::RepeatNotANumber, {EchoedText(part)});
        }
        repeats.push_back(number.value);
        if (end == utf8.size()) {
            return repeats;
        }
        from = end + 1;
    }
}

}  // namespace tessaroven
