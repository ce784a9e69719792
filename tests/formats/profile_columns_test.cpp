// The profile file of --simulate: what a spreadsheet writes is read, and every fault is refused naming its
// line (and column), in both languages.
#include <gtest/gtest.h>

#include <string>

#include "formats/profile_columns.h"

namespace tessaroven {
namespace {

TEST(ProfileColumns, reads_either_heading_with_comments_blanks_crlf_a_byte_order_mark_and_a_step) {
    const Expected<TabulatedProfile> line = ParseProfileColumns(
        "\xEF\xBB\xBF# bow-tie\r\n\r\n Position_cm , relative\r\n0,1\r\n  2.5 ,\t0.5 \r\n"
        "# step\r\n2.5,0.25\r\n1e1,0");
    ASSERT_TRUE(line) << line.error().message;
    EXPECT_FALSE(line->onArc);
    EXPECT_EQ(line->at, (std::vector<double>{0, 2.5, 2.5, 10}));
    EXPECT_EQ(line->value, (std::vector<double>{1, 0.5, 0.25, 0}));
    EXPECT_TRUE(ParseProfileColumns("fan_angle_deg,relative\n0,1\n")->onArc);
}

struct Refused {
    std::string text;
    Reason reason;
    std::string place;  // in the Japanese message
};

class ProfileColumnsRefusals : public ::testing::TestWithParam<Refused> {};

TEST_P(ProfileColumnsRefusals, name_the_line_and_column) {
    const Refused& c = GetParam();
    for (Language language : {Language::English, Language::Japanese}) {
        SetMessageLanguage(language);
        const Expected<TabulatedProfile> parsed = ParseProfileColumns(c.text);
        ASSERT_FALSE(parsed) << c.text;
        EXPECT_EQ(parsed.error().reason, c.reason) << parsed.error().message;
        EXPECT_TRUE(IsMessageOf(c.reason, parsed.error().message)) << parsed.error().message;
    }
    const std::string message = ParseProfileColumns(c.text).error().message;
    EXPECT_NE(message.find(c.place), std::string::npos) << message;
}

const std::string kHead = "# c\nposition_cm,relative\n0,1\n";

INSTANTIATE_TEST_SUITE_P(
    Faults, ProfileColumnsRefusals,
    ::testing::Values(
        Refused{"# only a comment\n\n", Reason::ProfileColumnsNoHeader, ""},
        Refused{"x_cm,relative\n0,1\n", Reason::ProfileColumnsBadHeader, "1 行目「x_cm,relative」"},
        Refused{"0,1\n1,1\n", Reason::ProfileColumnsBadHeader, "1 行目「0,1」"},
        Refused{kHead + "1;0.5\n", Reason::ProfileColumnsNotTwoColumns, "4 行目「1;0.5」"},
        Refused{kHead + "1,0.5,0\n", Reason::ProfileColumnsNotTwoColumns, "4 行目"},
        Refused{kHead + "1, 0,5\r\n", Reason::ProfileColumnsNotTwoColumns, "4 行目「1, 0,5」"},
        Refused{kHead + "1 cm,0.5\n", Reason::ProfileColumnsNotANumber, "4 行目 1 列目の「1 cm」"},
        Refused{kHead + "1,\n", Reason::ProfileColumnsNotANumber, "4 行目 2 列目の「」"},
        Refused{kHead + "1,nan\n", Reason::ProfileColumnsNotANumber, "2 列目の「nan」"},
        Refused{kHead + "1,1e999\n", Reason::ProfileColumnsNotANumber, "2 列目の「1e999」"},
        Refused{kHead + "-1,1\n", Reason::ProfileColumnsNegative, "4 行目 1 列目"},
        Refused{kHead + "1,-0.5\n", Reason::ProfileColumnsNegative, "4 行目 2 列目"},
        Refused{kHead + "2,1\n1,1\n", Reason::ProfileColumnsNotAscending, "5 行目"},
        Refused{kHead + "1,1\n1,0.5\n\n1,0\n", Reason::ProfileColumnsThreeEqual, "7 行目"}));

TEST(ProfileColumns, refuses_more_rows_than_the_largest_number) {
    std::string text = "position_cm,relative\n";
    for (std::size_t i = 0; i <= kMaxProfileFileRows; ++i) {
        text += std::to_string(i) + ",1\n";
    }
    EXPECT_EQ(ParseProfileColumns(text).error().reason, Reason::ProfileColumnsTooManyRows);
}

}  // namespace
}  // namespace tessaroven
