// Each format's file on disk: what is saved reads back, a refused value writes nothing, a file too large or
// missing is refused naming it, and the published EGSnrc example files read as the formats expect. The
// formats' own tests stay off the file system; what needs a file is here.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "calc/al_equivalent.h"
#include "calc/cross_sections.h"
#include "files/format_files.h"
#include "support/failing_storage.h"
#include "support/record_compare.h"
#include "support/temp_folder.h"

namespace tessaroven {
namespace {

namespace fs = std::filesystem;

std::string TempPath(const std::string& name) {
    return (fs::temp_directory_path() / ("tessaroven-" + std::to_string(getpid()) + "-" + name)).string();
}

std::string Readings(const std::string& readings) {
    return R"({"format": "tessaroven-measurement", "version": 1, "comment": "c", "distance_cm": 60, "readings": )" +
           readings + "}";
}

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

// One column (0 or 1) of a file of EGSnrc's example after its header lines.
std::vector<double> Column(const std::string& name, int headerLines, int column) {
    std::ifstream file(std::string(TESSAROVEN_TEST_DATA_DIR) + "/egsnrc/" + name);
    std::string line;
    for (int i = 0; i < headerLines; ++i) {
        std::getline(file, line);
    }
    std::vector<double> values;
    for (double value[2]; file >> value[0] && (column == 0 || file >> value[1]);) {
        values.push_back(value[column]);
    }
    return values;
}

double Mu(double keV) {  // aluminium, 1/mm, straight from the cross sections
    return AluminiumMassAttenuation(keV) * kAluminiumDensity / 10;
}

class FormatFiles : public testing::TempFolderTest {};

TEST(MeasurementFile, saves_and_reads_back_bit_for_bit) {
    Measurement m;
    m.distanceCm = std::nextafter(60.0, 61.0);
    m.comment = "線量 😀 \"A\",B\\ \t";
    m.readings = {
        {0.1 + 0.2, -0.0, 5e-324}, {1e-300}, {1.7976931348623157e308, -2.2250738585072014e-308}, {1.0 / 3}};
    m.readingRepeatabilityPercent = -0.0;
    m.calibrationUncertaintyPercent = 2.5;
    m.conditions = {"スキャナ",   "S-1",    "大",         "電離箱", "D-2",
                    "2024-01-31", "技師",   "2024-02-29", "病院",   "1 行目\n2 行目",
                    120,          0.6 * 64, 0.28,         1e-7,     -1.0000000000000002};
    m.spectrum = {
        "中心 spectrum.txt", SpectrumForm::Egsnrc, {{0.1 + 0.2, 14.5, 1e3 / 3}, {0, 1e-300, 0.7}}, 10.88};
    const std::string path = TempPath("round-trip.tessaroven.json");
    ASSERT_EQ(SaveMeasurementFile(path, m), std::nullopt);
    const Expected<Measurement> read = ReadMeasurementFile(path);
    fs::remove(path);
    ASSERT_TRUE(read) << read.error().message;
    EXPECT_TRUE(testing::SameMeasurement(*read, m)) << MeasurementFileText(*read);
}

TEST(MeasurementFile, save_refuses_what_the_reader_would_refuse_and_writes_nothing) {
    const std::string path = TempPath("refused.tessaroven.json");
    Measurement m;
    EXPECT_EQ(SaveMeasurementFile(path, m)->reason, Reason::MeasurementFilePositionCount);
    m.readings = {{1}};
    m.conditions.notes = "\xFF";
    EXPECT_EQ(SaveMeasurementFile(path, m)->reason, Reason::InvalidText);
    // A spectrum long enough that the file would be larger than the reader takes.
    m.conditions.notes.clear();
    m.spectrum = MeasurementSpectrum{"s", SpectrumForm::TwoColumns, {}, {}};
    for (int i = 1; i <= 200000; ++i) {
        m.spectrum->spectrum.energiesKeV.push_back(1 + i / 3.0);
        m.spectrum->spectrum.weights.push_back(1 / 3.0);
    }
    EXPECT_EQ(SaveMeasurementFile(path, m)->reason, Reason::MeasurementFileTooLargeToSave);
    EXPECT_FALSE(fs::exists(path));
}

TEST(MeasurementFile, reading_refuses_a_file_over_the_largest_size_naming_it) {
    const std::string path = TempPath("size.tessaroven.json");
    std::ofstream(path) << Readings("[[1]]") +
                               std::string(kMaxMeasurementFileBytes - Readings("[[1]]").size(), ' ');
    EXPECT_TRUE(ReadMeasurementFile(path)) << "a file of exactly the largest size is read";
    std::ofstream(path, std::ios::app) << ' ';
    const Expected<Measurement> tooLarge = ReadMeasurementFile(path);
    fs::remove(path);
    ASSERT_FALSE(tooLarge);
    EXPECT_EQ(tooLarge.error().reason, Reason::MeasurementFileTooLarge);
    EXPECT_NE(tooLarge.error().message.find(path), std::string::npos);
}

TEST(SpectrumFile, reading_a_missing_file_is_refused_naming_it) {
    const Expected<ParsedSpectrum> missing = ReadSpectrumFile("/nonexistent/spectrum.txt");
    EXPECT_TRUE(IsMessageOf(Reason::SpectrumFileUnreadable, missing.error().message));
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

// EGSnrc's example of its Al-equivalent CT source (nrc-cnrc/EGSnrc,
// HEN_HOUSE/egs++/sources/egs_al_eq_ct_source/example/, copied to tests/data/egsnrc): the 100 kV body base
// spectrum, the angular distribution (177 rows) and the Al-equivalent thickness array on the same grid. With
// the base spectrum hardened by their central thickness as the centre spectrum, the thickness found from
// the distribution matches theirs, relative to the centre, at every angle.
TEST(AlEquivalent, matches_egsnrc_published_example_within_three_tenths_of_a_millimetre) {
    Expected<ParsedSpectrum> base = ReadSpectrumFile(std::string(TESSAROVEN_TEST_DATA_DIR) +
                                                     "/egsnrc/201110_HVLDyn_spec_100kV_body.spectrum");
    ASSERT_TRUE(base.has_value()) << base.error().message;
    const std::vector<double> intensity = Column("201110_attenuationData_100kV_body.dat", 2, 1);
    std::vector<double> thickness = Column("201110_equivBowtie_100kV_body.dat", 10, 0);
    ASSERT_EQ(intensity.size(), 177u);
    thickness.resize(177);  // the array goes on with zeros beyond its count
    Spectrum centre = base->spectrum;
    for (std::size_t i = 0; i < centre.weights.size(); ++i) {
        centre.weights[i] *= std::exp(-Mu(centre.energiesKeV[i]) * thickness[0]);
    }
    const AttenuationTable table = *MakeAttenuationTable(centre);
    double worst = 0;
    for (std::size_t i = 0; i < intensity.size(); ++i) {
        const double t = *AlEquivalentThicknessMm(table, intensity[i] / intensity[0]);
        worst = std::max(worst, std::abs(t - (thickness[i] - thickness[0])));
    }
    EXPECT_LT(worst, 0.3);
    std::printf("worst difference from EGSnrc's thicknesses: %.4f mm\n", worst);
}

TEST_F(FormatFiles, csv_save_stores_the_file_lines_in_the_record_only_when_the_write_succeeded) {
    MeasurementRecord record = testing::RecordWithProfile({2.468, 2.2});
    record.relativePercent[0] = 100;
    record.relativePercent[1] = 89.141;
    record.resultLines[0] = "list line";
    const MeasurementRecord before = record;

    ASSERT_TRUE(SaveCsvFile(PathOf("p.csv"), "Comment", record, testing::FileSystemFailingAtTheRename()));
    EXPECT_TRUE(testing::SameRecord(record, before));
    ASSERT_TRUE(SaveCsvFile(PathOf("p.csv"), "한", record));
    EXPECT_TRUE(testing::SameRecord(record, before));
    EXPECT_TRUE(Entries().empty());

    ASSERT_FALSE(SaveCsvFile(PathOf("p.csv"), "Comment", record));
    EXPECT_EQ(record.resultLines[0], "0, 2.468,  100.00");
    EXPECT_EQ(record.resultLines[1], "1, 2.200,  89.14");
    EXPECT_EQ(Contents(PathOf("p.csv")), "Comment\r\n0, 2.468,  100.00\r\n1, 2.200,  89.14\r\n");
}

}  // namespace
}  // namespace tessaroven
