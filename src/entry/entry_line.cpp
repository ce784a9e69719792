// The reading-list line of one point.
#include "entry/entry_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "calc/number_text.h"
#include "record/measurement_file.h"

namespace tessaroven {

std::string EntryLineText(double pointNumber, double slot, double reading, char decimalSeparator) {
    return " (" + GeneralNumberText(pointNumber, decimalSeparator) + ")  " +
           GeneralNumberText(slot, decimalSeparator) + "  :  " + GeneralNumberText(reading, decimalSeparator);
}

namespace {

// Decimals of the shortest text that reads back as value: 100.2 has 1, 100 has 0, 1.5e-07 has 8.
int ShortestDecimals(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) {
        return 0;
    }
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t e = text.find('e');
    const std::string_view mantissa = text.substr(0, e);
    const std::size_t point = mantissa.find('.');
    int decimals = point == std::string_view::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    if (e != std::string_view::npos) {
        int exponent = 0;
        std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                        exponent);
        decimals = std::max(0, decimals - exponent);
    }
    return decimals;
}

}  // namespace

std::string RepeatsLineText(double pointNumber, double slot, const std::vector<double>& repeats,
                            char decimalSeparator) {
    int decimals = 0;
    for (double repeat : repeats) {
        decimals = std::max(decimals, ShortestDecimals(repeat));
    }
    const double mean = MeanOfRepeats(repeats);
    return " (" + GeneralNumberText(pointNumber, decimalSeparator) + ")  " +
           GeneralNumberText(slot, decimalSeparator) + "  :  " +
           FixedNumberText(mean, std::min(decimals + 1, 15), decimalSeparator) +
           " (n=" + std::to_string(repeats.size()) + ")";
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
            return Refuse(Reason::RepeatNotANumber, {part});
        }
        repeats.push_back(number.value);
        if (end == utf8.size()) {
            return repeats;
        }
        from = end + 1;
    }
}

}  // namespace tessaroven
