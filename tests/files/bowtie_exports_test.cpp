// The bow-tie files for XCIST and EGSnrc: their header lines and angle grids as the programs' own example
// files have them, the values interpolated in angle, and no file for a profile with a position missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/format_files.h"
#include "formats/bowtie_exports.h"

namespace tessaroven {
namespace {

std::vector<std::string> Lines(std::istream&& in) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}
std::vector<std::string> Lines(const std::string& text) {
    return Lines(std::istringstream(text));
}
std::vector<std::string> FileLines(const std::string& path) {
    return Lines(std::ifstream(path));
}

// Largest fan angle 21.9375 degrees, the last row of EGSnrc's example grid (0.3828816151875 rad).
const BowtieTable kTable{{0, 10, 21.9375}, {10, 20, 43}, {1, 0.5, 0.1}};

// Against nrc-cnrc/EGSnrc, HEN_HOUSE/egs++/sources/egs_al_eq_ct_source/example/ (copied to
// tests/data/egsnrc): the bow-tie file's ten header lines and the distribution's count line and 177 angles,
// text for text.
TEST(BowtieExports, egsnrc_files_follow_the_published_example_line_for_line) {
    const EgsnrcBowtieTexts texts = EgsnrcBowtieText(kTable, 0.125, "measured bow-tie");
    const std::string data = std::string(TESSAROVEN_TEST_DATA_DIR) + "/egsnrc/";
    const std::vector<std::string> bowtie = Lines(texts.bowtie);
    const std::vector<std::string> theirBowtie = FileLines(data + "201110_equivBowtie_100kV_body.dat");
    ASSERT_EQ(bowtie.size(), 10u + 177u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(bowtie[i], theirBowtie[i]) << i;
    }
    const std::vector<std::string> distribution = Lines(texts.distribution);
    const std::vector<std::string> theirDistribution =
        FileLines(data + "201110_attenuationData_100kV_body.dat");
    ASSERT_EQ(distribution.size(), theirDistribution.size());
    EXPECT_EQ(distribution[0], "measured bow-tie");
    EXPECT_EQ(distribution[1], theirDistribution[1]);
    for (std::size_t i = 2; i < distribution.size();
         ++i) {                                             // the same grid and digits (theirs takes pi / 180
        EXPECT_EQ(distribution[i].find("    "), 15u) << i;  // as 0.017453293)
        EXPECT_NEAR(std::stod(distribution[i]), std::stod(theirDistribution[i]),
                    1e-7 * std::stod(distribution[i]))
            << i;
    }
    // Row 81 at 10 degrees (80.5 steps is 10.0625): between the first two positions' values.
    EXPECT_NEAR(std::stod(distribution[2 + 81].substr(15)), 0.5 - 0.0625 / 11.9375 * 0.4, 1e-12);
    EXPECT_NEAR(std::stod(bowtie[10 + 81]), 20 + 0.0625 / 11.9375 * 23, 1e-12);
    EXPECT_EQ(bowtie.back(), "43");
}

// XCIST's gecatsim/bowtie/small.txt (xcist/main) has the header line below, then rows such as
// "-0.479852<TAB>3.547008<TAB>0.000000<TAB>0.000000<TAB>0.000000".
TEST(BowtieExports, xcist_file_has_its_header_and_mirrored_rows_in_radians_and_centimetres) {
    const std::vector<std::string> lines = Lines(XcistBowtieText(kTable, 5));
    ASSERT_EQ(lines.size(), 1u + 11u);  // 0, 5, 10, 15, 20, 21.9375 mirrored
    EXPECT_EQ(lines[0], "# angle, materials in cm ('al', 'graphite', 'cu', 'ti')");
    EXPECT_EQ(lines[1], "-0.382882\t4.300000\t0.000000\t0.000000\t0.000000");
    EXPECT_EQ(lines[5], "-0.087266\t1.500000\t0.000000\t0.000000\t0.000000");
    EXPECT_EQ(lines[6], "0.000000\t1.000000\t0.000000\t0.000000\t0.000000");
    EXPECT_EQ(lines[11], "0.382882\t4.300000\t0.000000\t0.000000\t0.000000");
}

TEST(BowtieExports, writes_both_egsnrc_files_and_refuses_a_profile_with_a_position_missing) {
    AlEquivalentProfile profile{{{0, 0, 0.0, {}, 4.0, 1.0, {}}, {1, 1, 2.0, {}, 4.1, 0.9, {}}}, 10};
    const std::string prefix = (std::filesystem::temp_directory_path() / "tessaroven-bowtie-test").string();
    ASSERT_FALSE(SaveEgsnrcBowtie(prefix, profile, 2, "t"));  // rows at 0 and 1 degree
    EXPECT_EQ(FileLines(prefix + "_bowtie.dat").back(), "12");
    EXPECT_EQ(FileLines(prefix + "_distribution.dat").back(), "0.0174532925199    0.9");
    std::filesystem::remove(prefix + "_bowtie.dat");
    std::filesystem::remove(prefix + "_distribution.dat");
    profile.positions[1].thicknessMm.reset();
    EXPECT_EQ(SaveXcistBowtie(prefix + ".txt", profile, 0.125)->reason, Reason::BowtieExportIncomplete);
    EXPECT_EQ(SaveXcistBowtie(prefix + ".txt", profile, 0)->reason, Reason::AngleStepOptionInvalid);
    EXPECT_FALSE(std::filesystem::exists(prefix + ".txt"));
}

}  // namespace
}  // namespace tessaroven
