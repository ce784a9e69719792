// The measurement file: what is written reads back bit for bit, and every fault a reader refuses is named
// with its place.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "formats/measurement_file.h"
#include "support/record_compare.h"

namespace tessaroven {
namespace {

// A file whose members after format and version are the given ones.
std::string File(const std::string& members) {
    return R"({"format": "tessaroven-measurement", "version": 1, )" + members + "}";
}
std::string Readings(const std::string& readings) {
    return File(R"("comment": "c", "distance_cm": 60, "readings": )" + readings);
}
std::string With(const std::string& member) {
    return Readings("[[100], [95, 96]], " + member);
}

TEST(MeasurementFile, writes_a_readable_layout_and_reads_back_bit_for_bit) {
    Measurement small;
    small.readings = {{100}, {95, 94.5}};
    small.readingRepeatabilityPercent = 0.5;
    small.conditions.scanner = "X";
    small.conditions.tubeVoltageKv = 120;
    EXPECT_EQ(MeasurementFileText(small),
              "{\n  \"format\": \"tessaroven-measurement\",\n  \"version\": 1,\n  \"comment\": \"Comment\",\n"
              "  \"distance_cm\": 60.0,\n  \"readings\": [\n    [100.0],\n    [95.0, 94.5]\n  ],\n"
              "  \"reading_repeatability_percent\": 0.5,\n"
              "  \"conditions\": {\n    \"scanner\": \"X\",\n    \"tube_voltage_kv\": 120.0\n  }\n}\n");
    // Only a measurement for the isotropic model names it, as version 2, so that a program that reads only
    // version 1 (and knows only the compatible model) refuses it.
    small.model = ConversionModel::Isotropic;
    const std::string isotropic = MeasurementFileText(small);
    EXPECT_NE(isotropic.find("\"version\": 2,\n  \"comment\": \"Comment\",\n  \"distance_cm\": 60.0,\n"
                             "  \"model\": \"isotropic\",\n  \"readings\": ["),
              std::string::npos)
        << isotropic;
    EXPECT_EQ(ParseMeasurementFile(isotropic)->model, ConversionModel::Isotropic);
    EXPECT_EQ(ParseMeasurementFile(With(R"("model": "compatible")"))->model, ConversionModel::Compatible);

    EXPECT_TRUE(ParseMeasurementFile(With(R"("later": {"x": [null]})"))) << "unknown keys are ignored";
}

TEST(MeasurementFile, refusals_name_the_place) {
    struct Case {
        std::string text;
        Reason reason;
        std::string place;  // must appear in the message
    };
    std::string positions32 = "[[1]";
    for (int k = 1; k < 32; ++k) {
        positions32 += ", [1]";
    }
    const std::string header = R"({"format": "tessaroven-measurement", )";
    const Case cases[] = {
        {"{\n  \"comment\": \"a\xE3\x81\"}", Reason::MeasurementFileNotUtf8, "2 行 16 列目"},
        {"{\n  \"format\": \"x\",\n  \"version\" 1\n}", Reason::MeasurementFileNotJson, "3 行 13 列目"},
        {"{\n\"distance_cm\": 1e999}", Reason::MeasurementFileNumberOutOfRange, "2 行 16 列目"},
        {"[1]", Reason::MeasurementFileNotObject, ""},
        {R"({"format": "csv", "version": 1})", Reason::MeasurementFileUnknownFormat, "「csv」"},
        {header + R"("version": 3})", Reason::MeasurementFileNewerVersion, "version 3"},
        {With(R"("model": "cosine")"), Reason::MeasurementFileUnknownModel, "model「cosine」"},
        {With(R"("model": 1)"), Reason::MeasurementFileNotText, "model"},
        {With(R"("model": "isotropic")"), Reason::MeasurementFileModelNeedsVersion, "version 1"},
        {header + R"("version": 1.5})", Reason::MeasurementFileBadVersion, "「1.5」"},
        {header + R"("version": "1"})", Reason::MeasurementFileBadVersion, "「\"1\"」"},
        {header + R"("version": 0})", Reason::MeasurementFileBadVersion, "「0」"},
        {R"({"version": 1})", Reason::MeasurementFileMissingKey, "format"},
        {File(R"("comment": "c", "readings": [[1]])"), Reason::MeasurementFileMissingKey, "distance_cm"},
        {Readings("{}"), Reason::MeasurementFileNotArray, "readings"},
        {Readings("[[1], 2]"), Reason::MeasurementFileNotArray, "readings[1]"},
        {Readings(R"([[1], [1], [1], [1, "x"]])"), Reason::MeasurementFileNotANumber, "readings[3][1]"},
        {With(R"("conditions": {"tube_voltage_kv": "120"})"), Reason::MeasurementFileNotANumber,
         "conditions.tube_voltage_kv"},
        {With(R"("conditions": {"site": 1})"), Reason::MeasurementFileNotText, "conditions.site"},
        {With(R"("conditions": [])"), Reason::MeasurementFileNotObjectValue, "conditions"},
        {File(R"("comment": "c", "distance_cm": 0, "readings": [[1]])"),
         Reason::MeasurementFileDistanceNotPositive, "値: 0"},
        {With(R"("calibration_uncertainty_percent": -1e-9)"), Reason::MeasurementFileNegativeUncertainty,
         "calibration_uncertainty_percent"},
        {Readings("[[1], [2], []]"), Reason::MeasurementFileEmptyPosition, "readings[2]"},
        {Readings("[]"), Reason::MeasurementFilePositionCount, "数が 0 です"},
        {Readings(positions32 + "]"), Reason::MeasurementFilePositionCount, "数が 32 です"},
        {File(R"("comment": "a\nb", "distance_cm": 60, "readings": [[1]])"),
         Reason::MeasurementFileLineBreakInComment, "comment"},
        {File(R"("comment": "a\r", "distance_cm": 60, "readings": [[1]])"),
         Reason::MeasurementFileLineBreakInComment, "comment"},
        {With(R"("conditions": {"measured_on": "2023-02-29"})"), Reason::MeasurementFileBadDate,
         "conditions.measured_on「2023-02-29」"},
        {With(R"("conditions": {"measured_on": "2024/01/05"})"), Reason::MeasurementFileBadDate,
         "2024/01/05"},
        {With(R"("spectrum": {"file": "s", "form": "csv"})"), Reason::MeasurementFileSpectrumInvalid, "csv"},
        {With(R"("spectrum": {"file": "s", "form": "egsnrc", "weights": []})"),
         Reason::MeasurementFileMissingKey, "spectrum.energies_kev"},
        {With(
             R"("spectrum": {"file": "s", "form": "egsnrc", "energies_kev": [20, 30], "weights": [1, "1"]})"),
         Reason::MeasurementFileNotANumber, "spectrum.weights[1]"},
        {With(R"("spectrum": {"file": "s", "form": "egsnrc", "energies_kev": [30, 20], "weights": [1, 1]})"),
         Reason::MeasurementFileSpectrumInvalid, "2 番目"},
        {With(R"("spectrum": {"file": "s", "form": "two_columns", "energies_kev": [30], "weights": []})"),
         Reason::MeasurementFileSpectrumInvalid, "数が違います"},
        {With(R"("spectrum": {"file": "s", "form": "two_columns", "centre_al_mm": -1, "energies_kev": [30],
         "weights": [1]})"),
         Reason::MeasurementFileNegativeUncertainty, "spectrum.centre_al_mm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Expected<Measurement> parsed = ParseMeasurementFile(c.text);
        ASSERT_FALSE(parsed);
        EXPECT_EQ(parsed.error().reason, c.reason) << parsed.error().message;
        EXPECT_TRUE(IsMessageOf(c.reason, parsed.error().message)) << parsed.error().message;
        EXPECT_NE(parsed.error().message.find(c.place), std::string::npos) << parsed.error().message;
    }
}

// Nesting is refused, with its place, before the parse: 100,000 levels once crashed the message's dump().
// Values of the wrong kind are named by their kind, never written out.
TEST(MeasurementFile, deep_nesting_is_refused_before_the_parse_and_no_message_writes_out_a_value) {
    const auto nested = [](std::size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); };
    const std::string header = R"({"format": "tessaroven-measurement", "version": )";
    const std::string later = With(R"("later": {"x": ")" + nested(70) + R"(", "y": )" + nested(65) + "}");
    // The column of the first bracket beyond 64 levels, the object around everything counting as one.
    const std::pair<std::string, std::size_t> cases[] = {
        {header + nested(100000) + "}", header.size() + 64},
        {Readings("[" + nested(64) + "]"), Readings("").size() - 1 + 64},
        {With(R"("conditions": )" + nested(70)), With(R"("conditions": )").size() - 1 + 64},
        {later, later.find(R"("y": )") + 5 + 63},
    };
    for (const auto& [text, column] : cases) {
        const Expected<Measurement> parsed = ParseMeasurementFile(text);
        ASSERT_FALSE(parsed);
        EXPECT_EQ(parsed.error().message, Message(Reason::MeasurementFileTooDeep,
                                                  {"1 行 " + std::to_string(column) + " 列目", "64"}));
    }
    EXPECT_TRUE(ParseMeasurementFile(With(R"("later": )" + nested(63)))) << "64 levels with the file's own";
    const std::string shown =
        ParseMeasurementFile(header + "[[1, 2], {\"a\": 3}]}").error().message +
        ParseMeasurementFile(header + "\"\\u001b[2J" + std::string(300, 'v') + "\"}").error().message;
    EXPECT_EQ(shown,
              Message(Reason::MeasurementFileBadVersion, {"配列 ([ ... ])"}) +
                  Message(Reason::MeasurementFileBadVersion, {"\"\\x1B[2J" + std::string(36, 'v') + "…\""}));
}

}  // namespace
}  // namespace tessaroven
