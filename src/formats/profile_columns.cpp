// Reading the profile file of --simulate line by line, with the line named in every refusal.
#include "formats/profile_columns.h"

#include <optional>
#include <string>

#include "calc/number_text.h"
#include "messages/echoed_text.h"

namespace tessaroven {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\f\v";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The heading as compared: blanks around its two names dropped, lower case, whatever a spreadsheet wrote.
std::string Heading(std::string_view line) {
    const std::size_t comma = line.find(',');
    std::string heading(Trimmed(line.substr(0, comma)));
    if (comma != std::string_view::npos) {
        heading.append(",").append(Trimmed(line.substr(comma + 1)));
    }
    for (char& c : heading) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return heading;
}

// The check of one row against the rows before it.
MaybeRefusal CheckRow(const TabulatedProfile& profile, double at, double value, const std::string& line) {
    if (at < 0) {
        return Refuse(Reason::ProfileColumnsNegative, {line, "1"});
    }
    if (value < 0) {
        return Refuse(Reason::ProfileColumnsNegative, {line, "2"});
    }
    const std::size_t rows = profile.at.size();
    if (rows > 0 && at < profile.at.back()) {
        return Refuse(Reason::ProfileColumnsNotAscending, {line});
    }
    if (rows > 1 && at == profile.at[rows - 1] && at == profile.at[rows - 2]) {
        return Refuse(Reason::ProfileColumnsThreeEqual, {line});
    }
    if (rows == kMaxProfileFileRows) {
        return Refuse(Reason::ProfileColumnsTooManyRows, {std::to_string(kMaxProfileFileRows)});
    }
    return std::nullopt;
}

}  // namespace

Expected<TabulatedProfile> ParseProfileColumns(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    TabulatedProfile profile;
    bool headed = false;
    int number = 0;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view line = Trimmed(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        const std::string lineText = std::to_string(++number);
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        if (!headed) {
            const std::string heading = Heading(line);
            if (heading != kLineProfileHeading && heading != kArcProfileHeading) {
                return Refuse(Reason::ProfileColumnsBadHeader, {lineText, EchoedText(line)});
            }
            profile.onArc = heading == kArcProfileHeading;
            headed = true;
            continue;
        }
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos || line.find(',', comma + 1) != std::string_view::npos) {
            return Refuse(Reason::ProfileColumnsNotTwoColumns, {lineText, EchoedText(line)});
        }
        double cells[2] = {0, 0};
        for (int column = 0; column < 2; ++column) {
            const std::string_view cell = column == 0 ? line.substr(0, comma) : line.substr(comma + 1);
            const StrictNumber read = ReadStrictNumber(cell);
            if (!read.isNumber || read.outOfRange) {
                return Refuse(Reason::ProfileColumnsNotANumber,
                              {lineText, std::to_string(column + 1), EchoedText(Trimmed(cell))});
            }
            cells[column] = read.value;
        }
        if (auto refusal = CheckRow(profile, cells[0], cells[1], lineText)) {
            return *refusal;
        }
        profile.at.push_back(cells[0]);
        profile.value.push_back(cells[1]);
    }
    if (!headed) {
        return Refuse(Reason::ProfileColumnsNoHeader);
    }
    return profile;
}

}  // namespace tessaroven
