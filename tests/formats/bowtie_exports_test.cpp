// The bow-tie files for XCIST and EGSnrc: their header lines and angle grids as the programs' own example
// files have them, the values interpolated in angle, and no file for a profile with a position missing.
#include <gtest/gtest.h>

#include <sstream>

#include "formats/bowtie_exports.h"

namespace tessaroven {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Largest fan angle 21.9375 degrees, the last row of EGSnrc's example grid (0.3828816151875 rad).
const BowtieTable kTable{{0, 10, 21.9375}, {10, 20, 43}, {1, 0.5, 0.1}};

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

}  // namespace
}  // namespace tessaroven
