// Pasted and typed readings of the readings table.
#include "calc/pasted_readings.h"

#include <algorithm>
#include <string>

#include "calc/number_text.h"
#include "messages/echoed_text.h"

namespace tessaroven {

namespace {

constexpr std::string_view kFullWidthSemicolon = "\xEF\xBC\x9B";  // ；
constexpr std::string_view kFullWidthComma = "\xEF\xBC\x8C";      // ，

// The length of the cell separator that starts at line[at], or 0 when none does.
std::size_t SeparatorAt(std::string_view line, std::size_t at, bool tabs, bool commas) {
    const char c = line[at];
    if (tabs) {
        return c == '\t' ? 1 : 0;
    }
    if (c == ';' || (commas && c == ',')) {
        return 1;
    }
    const std::string_view rest = line.substr(at);
    return rest.starts_with(kFullWidthSemicolon) || (commas && rest.starts_with(kFullWidthComma))
               ? kFullWidthSemicolon.size()
               : 0;
}

}  // namespace

PastedCells SplitPastedCells(std::string_view utf8, std::size_t maxRows, std::size_t maxCells,
                             char decimalSeparator) {
    PastedCells cells;
    if (utf8.ends_with("\r\n")) {
        utf8.remove_suffix(2);
    } else if (utf8.ends_with('\n') || utf8.ends_with('\r')) {
        utf8.remove_suffix(1);
    }
    if (utf8.empty()) {
        return cells;
    }
    const bool tabs = utf8.find('\t') != std::string_view::npos;
    const bool commas = !tabs && decimalSeparator != ',';
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = std::min(utf8.find_first_of("\r\n", from), utf8.size());
        // Rows beyond maxRows are only counted, so a huge paste costs one pass over its text.
        if (cells.rowCount < maxRows) {
            const std::string_view line = utf8.substr(from, end - from);
            std::vector<std::string_view>& row = cells.rows.emplace_back();
            std::size_t start = 0;
            for (std::size_t i = 0; i <= line.size();) {
                // The end of the line ends the last cell.
                const std::size_t length = i < line.size() ? SeparatorAt(line, i, tabs, commas) : 1;
                if (length == 0) {
                    ++i;
                    continue;
                }
                row.push_back(line.substr(start, i - start));
                if (row.size() > maxCells) {
                    cells.overfullRow = cells.overfullRow.value_or(cells.rowCount);
                    break;
                }
                i += length;
                start = i;
            }
        }
        ++cells.rowCount;
        if (end == utf8.size()) {
            return cells;
        }
        from = end + (utf8.substr(end).starts_with("\r\n") ? 2 : 1);
    }
}

Expected<ReadingCell> ReadReadingCell(std::string_view utf8, int position, int reading) {
    const std::string text = HalfWidthNumberText(utf8);
    if (text.find_first_not_of(kStrictNumberBlanks) == std::string::npos) {
        return ReadingCell{};
    }
    const StrictNumber number = ReadStrictNumber(text);
    const std::string where = std::to_string(position);
    const std::string which = std::to_string(reading + 1);
    if (!number.isNumber) {
        return Refuse(Reason::ReadingCellNotANumber, {where, which, EchoedText(utf8)});
    }
    if (number.outOfRange) {
        return Refuse(Reason::ReadingCellOutOfRange, {where, which});
    }
    return ReadingCell{number.value};
}

Expected<ReadingBlock> ReadPastedReadings(std::string_view utf8, int position, int reading, int lastPosition,
                                          char decimalSeparator) {
    const auto fit = static_cast<std::size_t>(std::max(lastPosition - position + 1, 0));
    const auto room = static_cast<std::size_t>(std::max(kMaxReadingsPerPosition - reading, 0));
    const PastedCells cells = SplitPastedCells(utf8, fit, room, decimalSeparator);
    if (cells.rowCount > fit) {
        return Refuse(Reason::PastedRowsDoNotFit, {std::to_string(cells.rowCount), std::to_string(position),
                                                   std::to_string(fit), std::to_string(lastPosition)});
    }
    if (cells.overfullRow) {
        return Refuse(Reason::TooManyReadingsAtPosition,
                      {std::to_string(position + static_cast<int>(*cells.overfullRow)),
                       std::to_string(kMaxReadingsPerPosition)});
    }
    ReadingBlock block(cells.rows.size());
    for (std::size_t r = 0; r < cells.rows.size(); ++r) {
        for (std::size_t c = 0; c < cells.rows[r].size(); ++c) {
            Expected<ReadingCell> cell = ReadReadingCell(cells.rows[r][c], position + static_cast<int>(r),
                                                         reading + static_cast<int>(c));
            if (!cell) {
                return cell.error();
            }
            block[r].push_back(*cell);
        }
    }
    return block;
}

}  // namespace tessaroven
