// The reading-list line of one point: pieces, blanks and number texts.
#include <gtest/gtest.h>

#include "entry/entry_line.h"

namespace tessaroven {
namespace {

struct EntryLineCase {
    double point;
    double slot;
    double reading;
    char separator;
    const char* expected;
};

class EntryLineTextTest : public ::testing::TestWithParam<EntryLineCase> {};

TEST_P(EntryLineTextTest, joins_point_slot_and_reading_with_fixed_blanks) {
    const EntryLineCase& c = GetParam();
    EXPECT_EQ(EntryLineText(c.point, c.slot, c.reading, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, EntryLineTextTest,
    ::testing::Values(EntryLineCase{3, 2, 95.5, '.', " (3)  2  :  95.5"},        // the documented example
                      EntryLineCase{1, 0, 100, '.', " (1)  0  :  100"},          // whole numbers without ".0"
                      EntryLineCase{2.5, 3, 1, '.', " (2.5)  3  :  1"},          // point number not rounded
                      EntryLineCase{0, 0, 0, '.', " (0)  0  :  0"},              // empty fields read as 0
                      EntryLineCase{4, 3, -12.25, '.', " (4)  3  :  -12.25"},    // negative reading
                      EntryLineCase{2.5, 1, 0.125, ',', " (2,5)  1  :  0,125"},  // locale's separator
                      EntryLineCase{31, 30, 2.3 + 1, '.', " (31)  30  :  3.3"}));  // 15 significant digits

TEST(AlignedEntryLines, pads_shorter_point_numbers_and_slots_and_keeps_the_rest) {
    // The widest line and a line of another form stay as they are; the others start their readings in the
    // same column.
    EXPECT_EQ(AlignedEntryLines({" (9)  8  :  100", " (10)  9  :  95.00 (n=3)", " (11)  10  :  85", "x"}),
              (std::vector<std::string>{"  (9)   8  :  100", " (10)   9  :  95.00 (n=3)", " (11)  10  :  85",
                                        "x"}));
    EXPECT_EQ(AlignedEntryLines({" (1)  0  :  100", " (2)  1  :  95"}),
              (std::vector<std::string>{" (1)  0  :  100", " (2)  1  :  95"}));
}

}  // namespace
}  // namespace tessaroven
