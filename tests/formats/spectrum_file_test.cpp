// The centre spectrum's file: both forms read as the spectrum programs write them, every refusal naming the
// line.
#include <gtest/gtest.h>

#include "formats/spectrum_file.h"

namespace tessaroven {
namespace {

struct Accepted {
    const char* text;
    SpectrumForm form;
    Spectrum spectrum;
};

TEST(SpectrumFile, reads_two_columns_and_the_egsnrc_form_per_bin_and_per_mev) {
    const Accepted cases[] = {
        {"\xEF\xBB\xBF# keV, photons\r\n20, 0.5\r\n\r\n30 1e1\r\n  40 ,\t2  \r\n",
         SpectrumForm::TwoColumns,
         {{20, 30, 40}, {0.5, 10, 2}}},
        {"title\n2, 0.010, 0\n0.020, 3\n0.040, 1\n\n", SpectrumForm::Egsnrc, {{15, 30}, {3, 1}}},
        {"# title\n2, 0.010, 1\n0.020E+00, 100\n0.040E+00, 50\n", SpectrumForm::Egsnrc, {{15, 30}, {1, 1}}},
    };
    for (const Accepted& c : cases) {
        const Expected<ParsedSpectrum> parsed = ParseSpectrumFile(c.text);
        ASSERT_TRUE(parsed.has_value()) << c.text << parsed.error().message;
        EXPECT_EQ(parsed->form, c.form) << c.text;
        ASSERT_EQ(parsed->spectrum.energiesKeV.size(), c.spectrum.energiesKeV.size()) << c.text;
        for (std::size_t i = 0; i < c.spectrum.weights.size(); ++i) {
            EXPECT_DOUBLE_EQ(parsed->spectrum.energiesKeV[i], c.spectrum.energiesKeV[i]) << c.text;
            EXPECT_DOUBLE_EQ(parsed->spectrum.weights[i], c.spectrum.weights[i]) << c.text;
        }
    }
}

struct Refused {
    const char* text;
    Reason reason;
    const char* line;  // the line number the message names, or "" for none
};

TEST(SpectrumFile, refuses_with_a_message_naming_the_line) {
    const Refused cases[] = {
        {"20, 1\n30, 1, 2\n40, 1\n", Reason::SpectrumLineNotTwoNumbers, "2 行目"},
        {"20, 1\n30, x\n", Reason::SpectrumLineNotTwoNumbers, "2 行目"},
        {"20, 1\n30,, 1\n", Reason::SpectrumLineNotTwoNumbers, "2 行目"},
        {"20, 1\n30, 1,\n", Reason::SpectrumLineNotTwoNumbers, "2 行目"},
        {"20, 1\n30, nan\n", Reason::SpectrumLineNotTwoNumbers, "2 行目"},
        {"20, 1\n30, +-1\n", Reason::SpectrumLineNotTwoNumbers, "2 行目"},
        {"20, 1\n30 1 2\n", Reason::SpectrumLineNotTwoNumbers, "2 行目"},
        {"#\n#\n0, 1\n", Reason::SpectrumEnergyNotPositive, "3 行目"},
        {"20, 1\n20, 1\n", Reason::SpectrumEnergyNotAscending, "2 行目"},
        {"20, 1\n30, -1\n", Reason::SpectrumNegativeValue, "2 行目"},
        {"# nothing\n", Reason::SpectrumNoValues, ""},
        {"#\n20,0\n", Reason::SpectrumNoValues, ""},
        {"20, 1e308\n30, 1e308\n", Reason::SpectrumWeightsOverflow, ""},
        {"t\n1.5, 0.01, 0\n0.02, 1\n", Reason::SpectrumHeaderInvalid, "2 行目"},
        {"t\n1, -0.01, 0\n0.02, 1\n", Reason::SpectrumHeaderInvalid, "2 行目"},
        {"t\n1, 0.01, 3\n0.02, 1\n", Reason::SpectrumModeUnsupported, "2 行目のモード 3"},
        {"t\n2, 0.01, 0\n0.02, 1\n", Reason::SpectrumBinCountMismatch,
         "2 行目では 2 ですが、ビンの行は 1 行"},
        {"t\n1e300, 0.01, 0\n0.02, 1\n", Reason::SpectrumBinCountMismatch, "1e+300"},
        {"t\n2, 0.01, 0\n0.02, 1\n0.02, 1\n", Reason::SpectrumEnergyNotAscending, "4 行目"},
        {"t\n1, 0.01, 0\n0.01, 1\n", Reason::SpectrumEnergyNotAscending, "3 行目"},
        {"t\n1, 0, 1\n-0.01, 1\n", Reason::SpectrumEnergyNotPositive, "3 行目"},
        {"t\n1, 0, 1\n0.01 1 1\n", Reason::SpectrumBinLineNotTwoNumbers, "3 行目"},
        {"t\n1, 0, 1\n0.01, -1\n", Reason::SpectrumNegativeValue, "3 行目"},
    };
    for (const Refused& c : cases) {
        const Expected<ParsedSpectrum> parsed = ParseSpectrumFile(c.text);
        ASSERT_FALSE(parsed.has_value()) << c.text;
        EXPECT_EQ(parsed.error().reason, c.reason) << c.text << parsed.error().message;
        EXPECT_NE(parsed.error().message.find(c.line), std::string::npos) << c.text << parsed.error().message;
    }
}

}  // namespace
}  // namespace tessaroven
