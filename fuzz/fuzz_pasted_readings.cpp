// The readings table's paste on arbitrary clipboard text, placed anywhere: the split keeps every cell inside
// one row and between separators, stops splitting where it said it would, and the reading of the block either
// refuses with a short message free of control characters or gives, for every cell, exactly what that cell
// reads as on its own.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/pasted_readings.h"
#include "fuzz_check.h"

namespace {

using namespace tessaroven;

bool HasControlCharacter(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\n') || byte == 0x7F) {
            return true;
        }
    }
    return false;
}

void CheckSplit(std::string_view text, const PastedCells& cells, std::size_t maxRows, std::size_t maxCells,
                char decimalSeparator) {
    FUZZ_CHECK(cells.rows.size() == std::min(cells.rowCount, maxRows), "the first maxRows rows are split");
    const bool tabs = text.find('\t') != std::string_view::npos;
    const bool commas = !tabs && decimalSeparator != ',';
    for (std::size_t r = 0; r < cells.rows.size(); ++r) {
        const std::vector<std::string_view>& row = cells.rows[r];
        FUZZ_CHECK(!row.empty() && row.size() <= maxCells + 1, "a row is cut after one cell too many");
        FUZZ_CHECK(row.size() <= maxCells || (cells.overfullRow && *cells.overfullRow <= r),
                   "an overfull row is named, or one before it");
        FUZZ_CHECK(cells.overfullRow != r || row.size() == maxCells + 1, "the row named is overfull");
        for (const std::string_view cell : row) {
            FUZZ_CHECK(cell.data() >= text.data() && cell.data() + cell.size() <= text.data() + text.size(),
                       "a cell lies inside the text");
            FUZZ_CHECK(cell.find_first_of("\r\n\t") == std::string_view::npos,
                       "a cell never spans a separator");
            FUZZ_CHECK(tabs || (cell.find(';') == std::string_view::npos &&
                                cell.find("\xEF\xBC\x9B") == std::string_view::npos),
                       "no semicolon inside a cell of a text without tabs");
            FUZZ_CHECK(!commas || (cell.find(',') == std::string_view::npos &&
                                   cell.find("\xEF\xBC\x8C") == std::string_view::npos),
                       "no comma inside a cell where commas separate");
        }
        if (tabs && row.size() <= maxCells) {
            // A tab-separated row is its cells joined by tabs again.
            std::string joined;
            for (std::size_t c = 0; c < row.size(); ++c) {
                joined.append(c == 0 ? "" : "\t").append(row[c]);
            }
            const std::size_t at = static_cast<std::size_t>(row.front().data() - text.data());
            FUZZ_CHECK(text.substr(at, joined.size()) == joined, "the split loses nothing");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const int position = provider.ConsumeIntegralInRange<int>(0, 31);
    const int reading = provider.ConsumeIntegralInRange<int>(0, kMaxReadingsPerPosition + 1);
    const int lastPosition = provider.ConsumeIntegralInRange<int>(-1, 31);
    const char decimalSeparator = provider.ConsumeBool() ? ',' : '.';
    const std::string text = provider.ConsumeRemainingBytesAsString();

    const auto maxRows = static_cast<std::size_t>(std::max(lastPosition - position + 1, 0));
    const auto maxCells = static_cast<std::size_t>(std::max(kMaxReadingsPerPosition - reading, 0));
    const PastedCells cells = SplitPastedCells(text, maxRows, maxCells, decimalSeparator);
    CheckSplit(text, cells, maxRows, maxCells, decimalSeparator);

    const Expected<ReadingBlock> block =
        ReadPastedReadings(text, position, reading, lastPosition, decimalSeparator);
    if (!block) {
        const std::string& message = block.error().message;
        FUZZ_CHECK(!message.empty() && message.size() < 1024, "a refusal is short and says why");
        FUZZ_CHECK(!HasControlCharacter(message), "a refusal shows no control character of the text");
        return 0;
    }
    FUZZ_CHECK(cells.rowCount <= maxRows && !cells.overfullRow, "an accepted block fits");
    FUZZ_CHECK(block->size() == cells.rows.size(), "one row of readings per row of text");
    for (std::size_t r = 0; r < block->size(); ++r) {
        FUZZ_CHECK((*block)[r].size() == cells.rows[r].size(), "one reading per cell");
        for (std::size_t c = 0; c < (*block)[r].size(); ++c) {
            const ReadingCell& cell = (*block)[r][c];
            const Expected<ReadingCell> alone = ReadReadingCell(cells.rows[r][c], 0, 0);
            FUZZ_CHECK(alone && *alone == cell, "a pasted cell reads as the same text typed");
            FUZZ_CHECK(!cell || std::isfinite(*cell), "a reading is finite");
        }
    }
    return 0;
}
