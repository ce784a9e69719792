// The result file's bytes: comment line, data lines, CR LF, code page 932.
#include <cmath>
#include <limits>
#include <string_view>

#include <gtest/gtest.h>

#include "calc/conversion.h"
#include "formats/csv.h"
#include "support/record_compare.h"

namespace tessaroven {
namespace {

using testing::RecordWithProfile;
using testing::RecordWithReadings;

MeasurementRecord ThreePositionExample() {
    MeasurementRecord record = RecordWithProfile({2.468, 2.2, 1.137});
    record.relativePercent[0] = 100;
    record.relativePercent[1] = 89.141;
    record.relativePercent[2] = 46.0697;
    return record;
}

TEST(CsvDataLine, SeparatorsHaveOneAndThenTwoBlanks) {
    const std::string line = CsvDataLine(0, 2.468, 100);
    const std::string expected{0x30, 0x2C, 0x20, 0x32, 0x2E, 0x34, 0x36, 0x38, 0x2C,
                               0x20, 0x20, 0x31, 0x30, 0x30, 0x2E, 0x30, 0x30};
    EXPECT_EQ(line, expected);
    EXPECT_EQ(CsvDataLine(30, -0.25, 7.5), "30, -0.250,  7.50");
    EXPECT_EQ(CsvDataLine(2, 1234.5, 0), "2, 1234.500,  0.00");
}

TEST(CsvFile, MadeUpExampleByteForByte) {
    const auto file = BuildCsvFile("Comment", ThreePositionExample());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->bytes,
              "Comment\r\n"
              "0, 2.468,  100.00\r\n"
              "1, 2.200,  89.14\r\n"
              "2, 1.137,  46.07\r\n");
    ASSERT_EQ(file->dataLines.size(), 3u);
    EXPECT_EQ(file->dataLines[1], "1, 2.200,  89.14");
}

TEST(CsvFile, WorkedExampleAfterTheConversion) {
    MeasurementRecord record = RecordWithReadings({100, 95, 85, 70, 50});
    ASSERT_FALSE(RunConversion(record, 60, ','));  // a comma locale must not reach the file
    const auto file = BuildCsvFile("Comment", record);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->bytes,
              "Comment\r\n"
              "0, 100.000,  100.00\r\n"
              "1, 93.601,  93.60\r\n"
              "2, 79.008,  79.01\r\n"
              "3, 57.105,  57.11\r\n"
              "4, 27.858,  27.86\r\n");
}

TEST(CsvFile, PositionCountsAtTheEdges) {
    MeasurementRecord record;
    ResetMeasurement(record);  // a save right after a reset: one data line of zeros
    auto file = BuildCsvFile("c", record);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->bytes, "c\r\n0, 0.000,  0.00\r\n");

    record.lastPosition = -1;
    file = BuildCsvFile("only the comment", record);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->bytes, "only the comment\r\n");

    record.lastPosition = 30;
    file = BuildCsvFile("c", record);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->dataLines.size(), 31u);
    EXPECT_EQ(file->dataLines.back(), "30, 0.000,  0.00");

    record.lastPosition = 31;
    file = BuildCsvFile("c", record);
    ASSERT_FALSE(file);
    EXPECT_EQ(file.error().reason, Reason::TooManyPositions);
}

TEST(CsvFile, CommentIsWrittenAsTypedInCodePage932) {
    MeasurementRecord record = ThreePositionExample();
    record.lastPosition = -1;
    auto file = BuildCsvFile("計算コメント", record);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->bytes, "\x8C\x76\x8E\x5A\x83\x52\x83\x81\x83\x93\x83\x67\r\n");

    file = BuildCsvFile("a, \"b\"  ", record);  // no quoting, blanks kept
    ASSERT_TRUE(file);
    EXPECT_EQ(file->bytes, "a, \"b\"  \r\n");

    file = BuildCsvFile("①～", record);  // characters of the Windows extensions
    ASSERT_TRUE(file);
    EXPECT_EQ(file->bytes, "\x87\x40\x81\x60\r\n");
}

TEST(CsvFile, CommentsThatCannotBeWrittenAreRefusedNamingTheCharacter) {
    struct Case {
        std::string_view comment;
        Reason reason;
        const char* named;
    };
    for (const Case& c : {Case{"abc한", Reason::UnrepresentableCharacter, "한"},
                          Case{std::string_view("nul\0byte", 8), Reason::UnrepresentableCharacter, "U+0000"},
                          Case{"profile 😀", Reason::UnrepresentableCharacter, "😀"},
                          Case{"line\r\nbreak", Reason::LineBreakInComment, "改行"},
                          Case{"bad \xFF byte", Reason::InvalidText, ""}}) {
        const auto file = BuildCsvFile(c.comment, ThreePositionExample());
        ASSERT_FALSE(file) << c.comment;
        EXPECT_EQ(file.error().reason, c.reason) << c.comment;
        EXPECT_NE(file.error().message.find(c.named), std::string::npos) << file.error().message;
    }
}

TEST(CsvFile, NonFiniteValuesAreRefused) {
    MeasurementRecord record = ThreePositionExample();
    record.relativePercent[2] = std::numeric_limits<double>::infinity();
    auto file = BuildCsvFile("c", record);
    ASSERT_FALSE(file);
    EXPECT_EQ(file.error().reason, Reason::NonFiniteValue);
    record.relativePercent[2] = 1;
    record.profile[0] = std::nan("");
    EXPECT_FALSE(BuildCsvFile("c", record));
}

}  // namespace
}  // namespace tessaroven
