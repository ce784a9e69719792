// The result file's lines and bytes.
#include "formats/csv.h"

#include <cmath>

#include "calc/number_text.h"
#include "formats/cp932.h"

namespace tessaroven {

std::string CsvDataLine(int index, double profile, double relativePercent) {
    // Always "." here: a locale's decimal comma would split the file's columns.
    return std::to_string(index) + ", " + Pattern000(profile, '.') + ",  " + Pattern00(relativePercent, '.');
}

Expected<CsvFile> BuildCsvFile(std::string_view commentUtf8, const MeasurementRecord& record) {
    const int n = LastPositionIndex(record.lastPosition);
    if (n > kLastSlot) {
        return Refuse(Reason::TooManyPositions);
    }
    for (int i = 0; i <= n; ++i) {
        if (!std::isfinite(record.profile[i]) || !std::isfinite(record.relativePercent[i])) {
            return Refuse(Reason::NonFiniteValue);
        }
    }
    // A line break inside the comment would add lines to the file.
    const std::size_t lineBreak = commentUtf8.find_first_of("\r\n");
    if (lineBreak != std::string_view::npos) {
        return Refuse(Reason::LineBreakInComment);
    }
    // A NUL would end the first line early for most programs that read the file.
    if (commentUtf8.find('\0') != std::string_view::npos) {
        return Refuse(Reason::UnrepresentableCharacter, {Message(Reason::ControlCharacterName, {"U+0000"})});
    }
    auto comment = EncodeCp932(commentUtf8);
    if (!comment) {
        return comment.error();
    }

    CsvFile file;
    file.bytes = *comment + "\r\n";
    for (int i = 0; i <= n; ++i) {
        file.dataLines.push_back(CsvDataLine(i, record.profile[i], record.relativePercent[i]));
        file.bytes += file.dataLines.back() + "\r\n";
    }
    return file;
}

}  // namespace tessaroven
