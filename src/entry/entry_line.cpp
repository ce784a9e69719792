// The reading-list line of one point.
#include "entry/entry_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "calc/number_text.h"
#include "messages/echoed_text.h"
#include "record/measurement_file.h"

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
