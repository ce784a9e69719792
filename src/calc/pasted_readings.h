// Readings typed or pasted into the readings table: a pasted text split into rows and cells as a spreadsheet
// or a typed list copies them, and every cell read as one complete number, the way the converter reads a
// reading. The text comes from the clipboard, so this reader is fuzzed like the files are.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "messages/outcome.h"

namespace tessaroven {

// The most readings one position takes in the table. Far more than anyone repeats a reading, it keeps a
// pasted line of thousands of numbers from turning into as many columns.
inline constexpr int kMaxReadingsPerPosition = 100;

// A pasted text cut into rows and cells; the cells are views into the text, blanks kept.
struct PastedCells {
    std::vector<std::vector<std::string_view>> rows;  // the first maxRows rows
    std::size_t rowCount = 0;                         // the rows of the whole text
    // The first row (from 0) with more than maxCells cells, if any; that row is cut after maxCells + 1.
    std::optional<std::size_t> overfullRow;
};

// Rows end at a line break (LF, CR LF or CR); one at the very end, as spreadsheets copy, only ends the last
// row. Cells are separated by tabs when the text holds one: a spreadsheet's copy, whose cells may hold a
// decimal comma that must not split them. Otherwise ";", "；", "," and "，" separate, the commas only where
// the decimal separator is not a comma. Empty text has no rows.
PastedCells SplitPastedCells(std::string_view utf8, std::size_t maxRows, std::size_t maxCells,
                             char decimalSeparator = '.');

// A cell's content: a reading, or nothing (an empty cell, which removes the reading it lands on).
using ReadingCell = std::optional<double>;
using ReadingBlock = std::vector<std::vector<ReadingCell>>;

// One cell as typed at position (cm) and reading (from 0): blanks only are an empty cell; anything else must
// be one complete number, full-width forms mapped (ReadStrictNumber after HalfWidthNumberText). Refused
// naming the position and the reading.
Expected<ReadingCell> ReadReadingCell(std::string_view utf8, int position, int reading);

// A pasted text with its top-left cell at (position, reading), for a measurement whose last position is
// lastPosition; every cell read as by ReadReadingCell. Refused whole when it has more rows than fit up to
// the last position (naming how many fit), when a row would give a position more than
// kMaxReadingsPerPosition readings, or at its first cell that is not a number.
Expected<ReadingBlock> ReadPastedReadings(std::string_view utf8, int position, int reading, int lastPosition,
                                          char decimalSeparator = '.');

}  // namespace tessaroven
