// tessaroven-convert driven through RunConverter: output bytes, list lines, standard input, exit statuses and
// messages, and the --output file.
#include "cli/converter.h"

#include <gtest/gtest.h>

#include "calc/number_text.h"
#include "converter_test_support.h"
#include "files/format_files.h"
#include "formats/bowtie_exports.h"
#include "formats/measurement_file.h"
#include "support/failing_storage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace tessaroven {
namespace {

using namespace converter_testing;

// A device that reads as empty.
#ifdef _WIN32
constexpr const char* kEmptyDevice = "NUL";
#else
constexpr const char* kEmptyDevice = "/dev/null";
#endif

TEST(ConverterOutput, worked_example_gives_the_save_dialogs_bytes) {
    const Outcome outcome = Convert(kExampleReadings);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, kExampleCsv);
    EXPECT_EQ(outcome.err, "");
}

TEST(ConverterOutput, list_prints_the_result_list_lines) {
    const Outcome outcome = Convert(Concat({"--list"}, kExampleReadings));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, kExampleList);
    EXPECT_EQ(outcome.err, "");
}

// A Windows console takes standard output's texts as UTF-16 through the text stream, never the CSV's bytes.
TEST(ConverterOutput, texts_take_the_text_stream_and_the_csv_keeps_its_bytes) {
    std::istringstream in;
    std::ostringstream out, text, err;
    ConverterEnvironment environment;
    environment.textOutput = &text;
    EXPECT_EQ(RunConverter(Concat({"--list"}, kExampleReadings), in, out, err, environment), 0);
    EXPECT_EQ(RunConverter(kExampleReadings, in, out, err, environment), 0);
    EXPECT_EQ(text.str(), kExampleList);
    EXPECT_EQ(out.str(), kExampleCsv);
}

TEST(ConverterOutput, explicit_default_distance_matches_the_default) {
    EXPECT_EQ(Convert(Concat({"--distance", "60"}, kExampleReadings)).out, kExampleCsv);
    EXPECT_EQ(Convert(Concat({"--distance=6E1"}, kExampleReadings)).out, kExampleCsv);
}

TEST(ConverterOutput, another_distance_changes_the_profile) {
    const Outcome outcome = Convert(Concat({"--distance", "30"}, kExampleReadings));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_NE(outcome.out, kExampleCsv);
    EXPECT_TRUE(outcome.out.starts_with("Comment\r\n0, ")) << outcome.out;
}

TEST(ConverterOutput, japanese_comment_is_written_in_code_page_932) {
    const Outcome outcome = Convert(Concat({"--comment", "測定 A,B"}, kExampleReadings));
    EXPECT_EQ(outcome.status, 0);
    // 測 = 91 AA, 定 = 92 E8 in code page 932; comma and blank are written as typed.
    const std::string expected = std::string("\x91\xAA\x92\xE8 A,B\r\n") + kExampleCsv.substr(9);
    EXPECT_EQ(outcome.out, expected);
}

TEST(ConverterOutput, single_centre_reading_gives_one_data_line) {
    const Outcome outcome = Convert({"--comment", "c", "5"});
    EXPECT_EQ(outcome.status, 0);
    // grid[0][0] is the sum of the 90 weights, 1.0000006: 5 / 1.0000006 = 4.999997.
    EXPECT_EQ(outcome.out, "c\r\n0, 5.000,  100.00\r\n");
}

TEST(ConverterOutput, thirty_one_readings_are_accepted) {
    std::vector<std::string> readings(31, "10");
    const Outcome outcome = Convert(readings);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(outcome.out.find("\r\n30, ") != std::string::npos);
    EXPECT_EQ(std::count(outcome.out.begin(), outcome.out.end(), '\n'), 32);
}

TEST(ConverterOutput, negative_readings_are_readings_not_options) {
    const Outcome outcome = Convert({"--list", "100", "-5"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(std::count(outcome.out.begin(), outcome.out.end(), '\n'), 2);
    EXPECT_TRUE(outcome.out.find("\n1 : -") != std::string::npos) << outcome.out;
}

TEST(ConverterOutput, double_dash_ends_the_options) {
    const Outcome outcome = Convert(Concat({"--list", "--"}, kExampleReadings));
    EXPECT_EQ(outcome.out, kExampleList);
}

// --lang en changes what the run says, never what it writes; the language before the run comes back after it.
TEST(ConverterLanguage, english_messages_and_usage_with_the_same_bytes) {
    EXPECT_EQ(Convert(Concat({"--lang", "en"}, kExampleReadings)).out, kExampleCsv);
    EXPECT_EQ(Convert(Concat({"--lang=en", "--profile", "-"}, kExampleReadings)).out, kExampleTable);
    EXPECT_TRUE(Convert({"--help", "--lang", "en"}).out.starts_with("Usage: tessaroven-convert"));
    const Outcome refused = Convert({"--lang", "en", "--distance", "6O", "100"});
    EXPECT_EQ(refused.status, 2);
    const std::string_view english = MessageText(Reason::DistanceOptionNotANumber, Language::English);
    EXPECT_NE(refused.err.find(english.substr(0, english.find('{'))), std::string::npos) << refused.err;
    EXPECT_EQ(MessageLanguage(), Language::Japanese);
    // "--lang" as another option's value is that value, and "en" then a reading that is not a number.
    EXPECT_NE(Convert({"--comment", "--lang", "en"}).err.find("「en」は数値ではありません"),
              std::string::npos);
    const Outcome unknown = Convert(Concat({"--lang", "fr"}, kExampleReadings));
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "tessaroven-convert: " + Message(Reason::LanguageOptionInvalid, {"fr"}) +
                               std::string(MessageText(Reason::UsageHint)) + "\n");
}

TEST(ConverterInput, readings_from_standard_input_skip_comment_lines) {
    const std::string input =
        "# focus 60 cm\n"
        "  # indented comment 1 2 3\n"
        "100\t95\n"
        "\n"
        "85 70 \r\n"
        "50";
    const Outcome outcome = Convert({}, input);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, kExampleCsv);
}

TEST(ConverterInput, byte_order_mark_at_the_start_of_input_is_ignored) {
    EXPECT_EQ(Convert({"--list"}, "\xEF\xBB\xBF# readings\n100 95 85 70 50\n").out, kExampleList);
}

TEST(ConverterInput, arguments_take_precedence_over_standard_input) {
    EXPECT_EQ(Convert(kExampleReadings, "1 2 3\n").out, kExampleCsv);
}

TEST(ConverterInput, exponent_forms_are_complete_numbers) {
    EXPECT_EQ(Convert({"1E2", "9.5e1", "0.85D2", "+70", "50."}).out, kExampleCsv);
}

// An endless line (standard input from /dev/zero) is refused after its first pieces, not held whole.
TEST(ConverterInput, endless_line_is_refused_after_a_bounded_read) {
    struct Zeros : std::streambuf {
        char zeros[4096] = {};
        std::size_t given = 0;
        int_type underflow() override {
            given += sizeof zeros;
            setg(zeros, zeros, zeros + sizeof zeros);
            return 0;
        }
    } zeros;
    std::istream in(&zeros);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunConverter({}, in, out, err), 2);
    EXPECT_LE(zeros.given, 1u << 20);
    EXPECT_NE(err.str().find("「\\x00\\x00"), std::string::npos) << err.str();
}

TEST(ConverterHelp, help_prints_usage_and_succeeds) {
    for (const char* option : {"--help", "-h"}) {
        const Outcome outcome = Convert({"100", option, "--bogus"});
        EXPECT_EQ(outcome.status, 0);
        EXPECT_TRUE(outcome.out.find(
                        "[--calibration-uncertainty PCT] [--save-measurement FILE] [--output FILE]\n"
                        "                           [--profile FILE] [--list]\n                           "
                        "[--baseline FILE] [--tolerance PCT] [--fail-on-deviation]\n") != std::string::npos)
            << outcome.out;
        EXPECT_TRUE(outcome.out.find(
                        "[--angle-step DEG]]\n                           [--lang ja|en] [READING ...]\n") !=
                    std::string::npos)
            << outcome.out;
        EXPECT_EQ(outcome.err, "");
    }
}

struct ErrorCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string messagePart;  // must appear in the message on standard error
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.name;
}

class ConverterErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ConverterErrors, reports_the_fault_and_writes_nothing) {
    const ErrorCase& c = GetParam();
    const Outcome outcome = Convert(c.args, c.input);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.out, "");
    EXPECT_TRUE(outcome.err.starts_with("tessaroven-convert: ")) << outcome.err;
    EXPECT_TRUE(outcome.err.find(c.messagePart) != std::string::npos) << outcome.err;
    EXPECT_TRUE(outcome.err.ends_with("\n"));
}

std::vector<std::string> Readings(int count) {
    return std::vector<std::string>(count, "10");
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, ConverterErrors,
    ::testing::Values(
        ErrorCase{"letter_o_for_zero", {"100", "9O", "85"}, "", 2, "測定値「9O」は数値ではありません"},
        ErrorCase{"trailing_unit", {"100", "95cm"}, "", 2, "「95cm」"},
        ErrorCase{"blank_inside_one_argument", {"1 00"}, "", 2, "「1 00」は数値ではありません"},
        ErrorCase{"empty_argument", {"100", ""}, "", 2, "「」は数値ではありません"},
        ErrorCase{"lone_minus", {"100", "-"}, "", 2, "「-」は数値ではありません"},
        ErrorCase{"not_a_number_word", {"nan"}, "", 2, "「nan」は数値ではありません"},
        ErrorCase{"reading_beyond_double_range", {"100", "1e999"}, "", 2, "「1e999」は大きすぎて扱えません"},
        ErrorCase{"bad_token_on_input_line",
                  {},
                  "# head\n100 95\n85 x70\n",
                  2,
                  "標準入力の 3 行目の測定値「x70」は数値ではありません"},
        ErrorCase{"hash_after_a_reading_is_not_a_comment", {}, "100 # centre\n", 2, "1 行目の測定値「#」"},
        ErrorCase{"token_over_1000_characters",
                  {},
                  "100\n" + std::string(1001, '9'),
                  2,
                  "2 行目の測定値「" + std::string(40, '9') + "…」が長すぎます"},
        ErrorCase{
            "escape_sequence_echoed_as_text", {"--comment=c", "\x1B]0;x\x07"}, "", 2, "「\\x1B]0;x\\x07」"},
        ErrorCase{"bad_distance", Concat({"--distance", "6O"}, kExampleReadings), "", 2,
                  "(--distance) 「6O」は数値ではありません"},
        ErrorCase{"distance_with_unit", Concat({"--distance=60cm"}, kExampleReadings), "", 2, "「60cm」"},
        ErrorCase{"distance_beyond_double_range", Concat({"--distance", "-1e400"}, kExampleReadings), "", 2,
                  "大きすぎて扱えません"},
        ErrorCase{"distance_without_value", {"100", "--distance"}, "", 2, "--distance には値が必要です"},
        ErrorCase{"unknown_option", Concat({"--distanse", "60"}, kExampleReadings), "", 2,
                  "不明なオプションです: --distanse"},
        ErrorCase{"option_twice", Concat({"--list", "--list"}, kExampleReadings), "", 2,
                  "--list が二回以上指定されています"},
        ErrorCase{"flag_with_value", Concat({"--list=yes"}, kExampleReadings), "", 2,
                  "--list は値を取りません"},
        ErrorCase{"too_many_readings", Readings(32), "", 2, "測定値が多すぎます"},
        ErrorCase{"too_many_readings_on_input",
                  {},
                  "1 2 3 4 5 6 7 8 9 10 11 12 13 14 "
                  "15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32\n",
                  2,
                  "測定値が多すぎます"},
        ErrorCase{"no_readings_at_all", {}, "", 2, "測定値がありません"},
        ErrorCase{"only_comment_lines", {"--list"}, "# 100 95\n   \n#\n", 2, "測定値がありません"},
        ErrorCase{"empty_output_name", Concat({"--output="}, kExampleReadings), "", 2, "(--output) が空です"},
        ErrorCase{"empty_comment", Concat({"--comment", ""}, kExampleReadings), "", 2,
                  "(--comment) が空です"},
        ErrorCase{"comment_with_line_break", Concat({"--comment", "a\nb"}, kExampleReadings), "", 2,
                  "(--comment) に改行は使えません"},
        ErrorCase{"comment_not_in_code_page_932",
                  Concat({"--comment", "dose \xF0\x9F\x98\x80"}, kExampleReadings), "", 2,
                  "\xF0\x9F\x98\x80"},
        ErrorCase{"distance_too_short", Concat({"--distance", "3"}, kExampleReadings), "", 1,
                  "(--distance 3)"},
        ErrorCase{"distance_zero", Concat({"--distance", "0"}, kExampleReadings), "", 1, "(--distance 0)"},
        ErrorCase{"negative_distance", Concat({"--distance", "-60"}, kExampleReadings), "", 1,
                  "(--distance -60)"},
        ErrorCase{"zero_centre_reading", {"0", "10", "20"}, "", 1, ""},
        ErrorCase{
            "readings_with_measurement", {"--measurement", "m", "1"}, "", 2, "READING を指定できません"},
        ErrorCase{"empty_measurement_name", {"--measurement="}, "", 2, "--measurement のファイル名が空です"},
        ErrorCase{"empty_save_measurement_name", Concat({"--save-measurement="}, kExampleReadings), "", 2,
                  "--save-measurement のファイル名が空です"},
        ErrorCase{"missing_measurement_file",
                  {"--measurement", "/none/m"},
                  "1",
                  2,
                  "/none/m\n理由: ファイルまたは"},
        ErrorCase{"measurement_file_not_json", {"--measurement", kEmptyDevice}, "", 2, "1 行 1 列目が JSON"},
        ErrorCase{"measurement_not_saved", Concat({"--save-measurement", "/none/m"}, kExampleReadings), "", 1,
                  "/none/m"},
        ErrorCase{"bad_repeatability", {"--reading-repeatability=1%", "5"}, "", 2, "「1%」は 0 以上"},
        ErrorCase{"negative_uncertainty", {"--calibration-uncertainty=-1", "5"}, "", 2, "「-1」は 0 以上"},
        ErrorCase{"huge_uncertainty", {"--calibration-uncertainty=1e999", "5"}, "", 2, "「1e999」は 0 以上"},
        ErrorCase{"profile_and_output", {"--profile=-", "--output=p", "5"}, "", 2, "と --output は同時"},
        ErrorCase{"profile_not_written", {"--profile=/none/p", "5"}, "", 1, "/none/p"},
        ErrorCase{"tolerance_without_baseline", {"--tolerance=3", "5"}, "", 2, "は --baseline と"},
        ErrorCase{"negative_tolerance", {"--baseline=b", "--tolerance=-1", "5"}, "", 2, "許容差「-1」"},
        ErrorCase{"missing_baseline", {"--baseline=/none/b", "5"}, "", 2, "(--baseline /none/b): "},
        ErrorCase{"unknown_model", {"--model", "cosine", "5"}, "", 2, "(--model) 「cosine」は使えません"},
        ErrorCase{"simulate_with_output", {"--simulate=p", "--output=o"}, "", 2, "--simulate と --output は"},
        ErrorCase{"simulate_with_reading", {"--simulate=p", "100"}, "", 2, "--simulate と READING は"},
        ErrorCase{"positions_without_simulate", {"--positions=3", "5"}, "", 2, "は --simulate と一緒に"},
        ErrorCase{"positions_above_31", {"--simulate=p", "--positions=32"}, "", 2, "「32」は 1 ～ 31"},
        ErrorCase{"missing_profile_file", {"--simulate", "/none/p"}, "", 2, "/none/p\n理由: ファイルまたは"}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

// A stream that refuses every byte, as a closed pipe or a full disk does.
class FailingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(ConverterOutput, failed_write_to_standard_output_is_reported) {
    FailingBuffer buffer;
    std::ostream out(&buffer);
    std::istringstream in;
    std::ostringstream err;
    EXPECT_EQ(RunConverter(kExampleReadings, in, out, err), 1);
    EXPECT_TRUE(err.str().find("標準出力に書き込めません") != std::string::npos) << err.str();
}

TEST(ConverterFile, output_option_writes_the_file_under_the_name_as_given) {
    TempFolder folder;
    const fs::path target = folder.path() / "profile";
    const Outcome outcome = Convert(Concat({"--output", target.string()}, kExampleReadings));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(ReadFile(target), kExampleCsv);
    EXPECT_EQ(folder.Entries(), std::vector<fs::path>{"profile"});
}

TEST(ConverterFile, output_option_replaces_a_longer_old_file) {
    TempFolder folder;
    const fs::path target = folder.path() / "old.csv";
    WriteFile(target, kExampleCsv + kExampleCsv + "tail");
    const Outcome outcome = Convert({"--output", target.string(), "--list", "100", "95", "85", "70", "50"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadFile(target), kExampleList);
}

TEST(ConverterFile, missing_folder_is_a_failed_write) {
    TempFolder folder;
    const fs::path target = folder.path() / "no-such-folder" / "profile.csv";
    const Outcome outcome = Convert(Concat({"--output", target.string()}, kExampleReadings));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_TRUE(outcome.err.find("profile.csv") != std::string::npos) << outcome.err;
    EXPECT_TRUE(folder.Entries().empty());
}

// A run writes its first output only once every computation and every check has passed (each target as the
// writer would take it, no file named twice), so a failed run leaves no file; a write that still fails
// says which outputs were written and which not. "@" stands for the run's folder.
TEST(ConverterFile, outputs_are_written_only_after_every_check_of_the_run) {
    TempFolder spectrumFolder;
    const std::string spectrum = (spectrumFolder.path() / "s.txt").string();
    WriteFile(spectrum, "40, 1\n60, 2\n");
    int pictures = 0;
    ConverterEnvironment environment;
    environment.extensions.push_back({"--picture", "FILE", Reason::PlotOptionHelp,
                                      [&](const ConverterRun&, const std::string&) {
                                          ++pictures;
                                          return MaybeRefusal{};
                                      },
                                      true});
    const std::vector<std::string> runs[] = {
        {"--save-measurement", "@m.json", "--profile", "@p.csv", "--output", "@nosuch/o.csv"},
        {"--spectrum", spectrum, "--xcist", "@x.txt", "--egsnrc", "@e", "--profile", "@x.txt/p.csv"},
        {"--picture", "@p.png", "--save-measurement", "@m.json", "--output", "@."},
        {"--output", "@o.csv", "--profile", "@./o.csv"},
    };
    for (const std::vector<std::string>& run : runs) {
        TempFolder folder;
        std::vector<std::string> args = kExampleReadings;
        for (const std::string& arg : run) {
            args.push_back(arg.starts_with('@') ? folder.path().string() + "/" + arg.substr(1) : arg);
        }
        SCOPED_TRACE(::testing::PrintToString(run));
        const Outcome outcome = Convert(args, "", environment);
        EXPECT_EQ(outcome.status, run[0] == "--output" ? 2 : 1) << outcome.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(folder.Entries(), std::vector<fs::path>{});
    }
    EXPECT_EQ(pictures, 0);

    TempFolder folder;
    fs::create_directory(folder.path() / "full");
    const FileSystemOps fullFolder = testing::FileSystemWithAFullFolder();
    environment.fileSystem = &fullFolder;
    const std::string at = folder.path().string() + "/";
    const Outcome late = Convert(Concat({"--profile", at + "p.csv", "--save-measurement", at + "full/m.json",
                                         "--output", at + "o.csv"},
                                        kExampleReadings),
                                 "", environment);
    EXPECT_EQ(late.status, 1);
    EXPECT_TRUE(late.err.ends_with("\n書き込んだ出力: --profile " + at + "p.csv\n書き込まなかった出力: " +
                                   "--save-measurement " + at + "full/m.json, --output " + at + "o.csv\n"))
        << late.err;
    EXPECT_EQ(ReadFile(at + "p.csv"), kExampleTable);
    EXPECT_FALSE(fs::exists(at + "o.csv"));
}

TEST(ConverterFile, refused_conversion_leaves_the_old_file) {
    TempFolder folder;
    const fs::path target = folder.path() / "profile.csv";
    WriteFile(target, "old content\r\n");
    const Outcome outcome =
        Convert(Concat({"--output", target.string(), "--distance", "2"}, kExampleReadings));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(ReadFile(target), "old content\r\n");
}

TEST(ConverterFile, measurement_file_round_trip_and_options_over_the_file) {
    TempFolder folder;
    const std::string saved = (folder.path() / "saved.tessaroven.json").string();
    EXPECT_EQ(Convert(Concat({"--save-measurement", saved}, kExampleReadings)).out, kExampleCsv);
    EXPECT_EQ(Convert({"--measurement", saved}, "not read").out, kExampleCsv);
    EXPECT_EQ(Convert({"--measurement", saved, "--distance", "30", "--comment", "c"}).out,
              Convert(Concat({"--distance", "30", "--comment", "c"}, kExampleReadings)).out);

    // Repeats are averaged for the conversion and kept, with the rest of the file, by --save-measurement.
    Measurement repeated;
    repeated.readings = {{99, 101}, {95}, {84, 86}, {70}, {49, 50, 51}};
    repeated.calibrationUncertaintyPercent = 1.5;
    repeated.conditions.scanner = "CT 1";
    ASSERT_EQ(SaveMeasurementFile(saved, repeated), std::nullopt);
    const std::string copy = (folder.path() / "copy.tessaroven.json").string();
    EXPECT_EQ(
        Convert({"--measurement", saved, "--save-measurement", copy, "--distance", "6E1", "--list"}).out,
        kExampleList);
    EXPECT_EQ(*ReadMeasurementFile(copy), repeated);
    Convert({"--measurement", saved, "--save-measurement", copy, "--calibration-uncertainty=2",
             "--reading-repeatability=0"});
    repeated.calibrationUncertaintyPercent = 2;  // the options' over the file's
    repeated.readingRepeatabilityPercent = 0;
    EXPECT_EQ(*ReadMeasurementFile(copy), repeated);

    repeated.comment.clear();
    ASSERT_EQ(SaveMeasurementFile(saved, repeated), std::nullopt);
    EXPECT_NE(Convert({"--measurement", saved}).err.find("測定ファイルのコメントが空です"),
              std::string::npos);
}

TEST(ConverterFile, profile_table_of_the_worked_example_on_standard_output_or_beside_the_csv) {
    const std::string example = TESSAROVEN_EXAMPLES_DIR "/worked-example.tessaroven.json";
    EXPECT_EQ(Convert({"--measurement", example, "--profile", "-", "--list"}).out, kExampleTable);
    TempFolder folder;
    EXPECT_EQ(Convert(Concat({"--profile", (folder.path() / "p").string()}, kExampleReadings)).out,
              kExampleCsv);
    EXPECT_EQ(ReadFile(folder.path() / "p"), kExampleTable);
}

TEST(ConverterBaseline, reading_raised_by_15_percent_is_flagged_and_fails_only_after_every_output) {
    TempFolder folder;
    const std::string base = (folder.path() / "base").string(), csv = (folder.path() / "csv").string();
    ASSERT_EQ(SaveMeasurementFile(base, {60, "b", {{100}, {95}, {85 * 1.15}, {70}, {50}}, {}, {}, {}, {}}),
              std::nullopt);
    const auto run = [&](const std::vector<std::string>& options) {
        return Convert(Concat(Concat({"--baseline", base}, options), kExampleReadings));
    };
    const Outcome failed = run({"--fail-on-deviation", "--output", csv, "--profile", csv + ".table"});
    EXPECT_EQ(failed.status, 3);
    EXPECT_NE(failed.err.find("外れた位置が 2 個あります (位置 2, 3 cm)"), std::string::npos) << failed.err;
    EXPECT_EQ(ReadFile(csv), kExampleCsv);
    const std::string table = ReadFile(csv + ".table");
    std::string flags;  // the last cell of every row
    for (auto end = table.find('\n', table.find(",flagged\n") + 9); end != std::string::npos;
         end = table.find('\n', end + 1)) {
        flags += table[end - 1];
    }
    EXPECT_EQ(flags, "00110");
    EXPECT_EQ(run({}).status, 0);
    EXPECT_EQ(run({"--fail-on-deviation", "--tolerance=25"}).status, 0);
    EXPECT_EQ(run({"--fail-on-deviation", "--profile=/none/p"}).status, 1);  // a failed write comes first
}

// The relative value of every line of --list.
std::vector<double> ListedRelative(const std::string& list) {
    std::vector<double> relative;
    for (std::size_t end = list.find('\n'), start = 0; end != std::string::npos;
         start = end + 1, end = list.find('\n', start)) {
        relative.push_back(std::stod(list.substr(list.rfind(' ', end) + 1, end)));
    }
    return relative;
}

// A bow-tie simulated and converted back: the isotropic model gives its profile, the compatible one does not;
// the model travels through the measurement file to a later run, the profile table and the comparison.
TEST(ConverterModel, simulated_bowtie_converts_back_with_the_isotropic_model_and_keeps_it) {
    TempFolder folder;
    const std::string profile = (folder.path() / "bowtie.csv").string();
    const std::string saved = (folder.path() / "m.tessaroven.json").string();
    const auto truth = [](double x) { return std::exp(-2.1 * (x / 25) * (x / 25)); };
    std::string rows = "position_cm,relative\n";
    for (int i = 0; i <= 160; ++i) {
        rows += ShortestNumberText(i * 0.25) + "," + ShortestNumberText(truth(i * 0.25)) + "\n";
    }
    WriteFile(profile, rows);
    const Outcome simulated = Convert({"--simulate", profile});
    ASSERT_EQ(simulated.status, 0) << simulated.err;
    const Outcome isotropic =
        Convert({"--model", "isotropic", "--list", "--save-measurement", saved}, simulated.out);
    ASSERT_EQ(isotropic.status, 0) << isotropic.err;
    const std::vector<double> relative = ListedRelative(isotropic.out);
    ASSERT_EQ(relative.size(), 31u);
    for (int k = 0; k <= 30; ++k) {
        EXPECT_NEAR(relative[k], 100 * truth(k), 0.1) << k;
    }
    const std::string compatible = Convert({"--list"}, simulated.out).out;
    EXPECT_GT(std::abs(ListedRelative(compatible).back() - 100 * truth(30)), 10);

    EXPECT_EQ(ReadMeasurementFile(saved)->model, ConversionModel::Isotropic);
    EXPECT_EQ(Convert({"--measurement", saved, "--list"}).out, isotropic.out);
    EXPECT_EQ(Convert({"--measurement", saved, "--list", "--model=compatible"}).out, compatible);
    EXPECT_TRUE(Convert({"--measurement", saved, "--profile", "-"})
                    .out.starts_with("# distance_cm=60 model=isotropic comment=Comment uncertainty="));
    EXPECT_NE(Convert({"--measurement", saved, "--baseline", saved})
                  .err.find("\ntessaroven-convert: 変換モデル: 等方検出器\n"),
              std::string::npos);

    // The table must reach 60 tan(asin(30 / 60)) cm; a distance the conversion refuses is refused alike.
    WriteFile(profile, rows.substr(0, rows.find("\n10.25,")));
    const Outcome shortTable = Convert({"--simulate", profile});
    EXPECT_EQ(shortTable.status, 2);
    EXPECT_NE(shortTable.err.find("34.642 cm"), std::string::npos) << shortTable.err;
    EXPECT_EQ(Convert({"--simulate", profile, "--positions", "4", "--distance", "3"}).status, 1);
    const std::string four = Convert({"--simulate", profile, "--positions", "4", "--distance", "30"}).out;
    EXPECT_EQ(std::count(four.begin(), four.end(), '\n'), 4) << four;
}

TEST(ConverterExtensions, extension_option_sees_the_finished_record) {
    std::string seenValue;
    double seenCentre = 0;
    ConverterEnvironment environment;
    environment.extensions.push_back(
        {"--picture", "FILE", Reason::PlotOptionHelp, [&](const ConverterRun& run, const std::string& v) {
             seenValue = v;
             seenCentre = run.record.relativePercent[0];
             return MaybeRefusal{};
         }});
    const Outcome outcome = Convert(Concat({"--picture", "p.png"}, kExampleReadings), "", environment);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, kExampleCsv);
    EXPECT_EQ(seenValue, "p.png");
    EXPECT_EQ(seenCentre, 100.0);
    EXPECT_TRUE(Convert({"--help"}, "", environment).out.find("[--picture FILE]") != std::string::npos);
}

TEST(ConverterExtensions, refused_extension_stops_before_anything_is_written) {
    ConverterEnvironment environment;
    environment.extensions.push_back(
        {"--picture", "FILE", Reason::PlotOptionHelp, [](const ConverterRun&, const std::string&) {
             return MaybeRefusal{Refusal{Reason::FileWriteFailed, "書けません"}};
         }});
    const Outcome outcome = Convert(Concat({"--picture", "p.png"}, kExampleReadings), "", environment);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "tessaroven-convert: 書けません\n");
}

// The centre spectrum adds the Al-equivalent columns to the profile table, writes the files for XCIST and
// EGSnrc, and is kept in the saved measurement file, which gives the same table again on its own.
TEST(ConverterFile, spectrum_adds_al_equivalent_columns_bowtie_files_and_is_kept_in_the_measurement_file) {
    TempFolder folder;
    const std::string spectrum = (folder.path() / "centre.txt").string();
    const std::string saved = (folder.path() / "m.tessaroven.json").string();
    const std::string prefix = (folder.path() / "e").string();
    WriteFile(spectrum, "# keV, photons\n40, 1\n60, 2\n80, 1\n");
    const Outcome outcome =
        Convert(Concat({"--spectrum", spectrum, "--centre-al", "5", "--profile", "-", "--xcist",
                        prefix + ".txt", "--egsnrc", prefix, "--save-measurement", saved},
                       kExampleReadings));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("relative_on_arc_percent_u,al_equivalent_mm,al_equivalent_mm_u,hvl_mm,"
                               "fluence_transmission\n0,0,100,,99.99993561505902,,100,,100,,0,,"),
              std::string::npos);
    // The compatible model's files recommend the isotropic one where the format has room for a note.
    const std::string note(kCompatibleModelNote);
    EXPECT_TRUE(
        ReadFile(prefix + ".txt")
            .starts_with("# angle, materials in cm ('al', 'graphite', 'cu', 'ti')\n# " + note + "\n-0.06"));
    EXPECT_TRUE(ReadFile(prefix + "_bowtie.dat").starts_with("Filter\n#Name of the material\nAl\n"));
    EXPECT_TRUE(ReadFile(prefix + "_distribution.dat").starts_with("Comment -- " + note + "\n32, 0.0, 0\n"));
    ASSERT_EQ(Convert(Concat({"--spectrum", spectrum, "--model=isotropic", "--xcist", prefix + ".txt",
                              "--egsnrc", prefix},
                             kExampleReadings))
                  .status,
              0);
    EXPECT_EQ(ReadFile(prefix + ".txt").find(note), std::string::npos);
    EXPECT_TRUE(ReadFile(prefix + "_distribution.dat").starts_with("Comment\n32, 0.0, 0\n"));
    EXPECT_EQ(Convert({"--measurement", saved, "--profile", "-"}).out, outcome.out);
    EXPECT_EQ(Convert(Concat({"--egsnrc", prefix}, kExampleReadings)).status, 2);
    EXPECT_EQ(Convert(Concat({"--spectrum", spectrum, "--angle-step", "0"}, kExampleReadings)).status, 2);
}

}  // namespace
}  // namespace tessaroven
