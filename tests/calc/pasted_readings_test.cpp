// What a paste into the readings table reads as, table-driven: the separators a spreadsheet or a typed list
// uses, a decimal comma never split into two readings, and the whole paste refused when it does not fit.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "calc/pasted_readings.h"

namespace tessaroven {
namespace {

struct PasteCase {
    const char* text;
    char decimalSeparator;
    std::vector<std::vector<ReadingCell>> cells;  // expected; empty with a refusal
    std::optional<Reason> refusal;
};

class PastedReadings : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PastedReadings, ReadsEveryCellOrRefusesTheWholePaste) {
    const PasteCase& c = GetParam();
    // Placed at position 27 cm, reading 2, of a measurement whose last position is 30 cm: four rows fit.
    const Expected<ReadingBlock> block = ReadPastedReadings(c.text, 27, 1, 30, c.decimalSeparator);
    if (c.refusal) {
        ASSERT_FALSE(block) << c.text;
        EXPECT_EQ(block.error().reason, *c.refusal) << block.error().message;
    } else {
        ASSERT_TRUE(block) << block.error().message;
        EXPECT_EQ(*block, c.cells) << c.text;
    }
}

constexpr std::nullopt_t kEmpty = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Texts, PastedReadings,
    ::testing::Values(
        PasteCase{"100\r99\r\n98\n", '.', {{100}, {99}, {98}}, {}},  // every line break, one at the end
        PasteCase{"100\n\n", '.', {{100}, {kEmpty}}, {}},            // a copied empty cell clears
        PasteCase{"", '.', {}, {}},
        PasteCase{"1,5；２\t3", '.', {}, Reason::ReadingCellNotANumber},  // tabs: the rest is one cell
        PasteCase{"100,5\t99", ',', {}, Reason::ReadingCellNotANumber},   // a decimal comma is never split
        PasteCase{"100,5", ',', {}, Reason::ReadingCellNotANumber},
        PasteCase{"100 ,５，99.5", '.', {{100, 5, 99.5}}, {}},
        PasteCase{"1e400", '.', {}, Reason::ReadingCellOutOfRange},
        PasteCase{"1\n2\n3\n4\n5", '.', {}, Reason::PastedRowsDoNotFit},
        PasteCase{"1\n2\n3\n4", '.', {{1}, {2}, {3}, {4}}, {}}));

TEST(PastedReadings, NamesWhereThePasteStopsFitting) {
    const Expected<ReadingBlock> rows = ReadPastedReadings("1\n2\n3\n4\n5\n6", 27, 0, 30);
    ASSERT_FALSE(rows);
    EXPECT_EQ(rows.error().message, Message(Reason::PastedRowsDoNotFit, {"6", "27", "4", "30"}));
    const std::string wide(2 * kMaxReadingsPerPosition, ';');
    const Expected<ReadingBlock> columns = ReadPastedReadings("1\n" + wide, 27, 0, 30);
    ASSERT_FALSE(columns);
    EXPECT_EQ(columns.error().message,
              Message(Reason::TooManyReadingsAtPosition, {"28", std::to_string(kMaxReadingsPerPosition)}));
}

}  // namespace
}  // namespace tessaroven
