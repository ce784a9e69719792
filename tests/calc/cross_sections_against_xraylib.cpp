// The checked-in knots against xraylib's library: evaluated by the core they give the library's doubles at
// every 0.1 keV from 1 to 800 keV and refuse where it refuses, and the table is what its generator makes of
// the source package. The exact thickness tests elsewhere build on these values without the library.
#include <gtest/gtest.h>
#include <xraylib.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "calc/cross_sections.h"

namespace tessaroven {
namespace {

// How far the core's values may lie from the library's, in units in the last place. The core evaluates the
// knots with its own exp and log, which differ from glibc's (xraylib's) by 1 ulp at a few energies in a
// thousand (7 of 7,991 for aluminium's total, 35 of 31,964 element values), and so may the cross sections.
constexpr std::int64_t kUlpsAllowed = 1;

std::int64_t UlpsApart(double a, double b) {
    return std::abs(std::bit_cast<std::int64_t>(a) - std::bit_cast<std::int64_t>(b));
}

TEST(CrossSections, equal_xraylibs_to_the_bit_and_refuse_where_it_refuses) {
    xrl_error* error = nullptr;
    compoundDataNIST* air = GetCompoundDataNISTByName("Air, Dry (near sea level)", &error);
    ASSERT_NE(air, nullptr);
    int differing = 0;
    const auto compare = [&](double ours, double theirs, const char* what, int z, double keV) {
        if (!(ours == theirs || UlpsApart(ours, theirs) <= kUlpsAllowed) && differing++ < 10) {
            ADD_FAILURE() << what << " Z " << z << " at " << keV << " keV: " << ours << " != " << theirs;
        }
    };
    for (int tenths = 10; tenths <= 8000; ++tenths) {
        const double keV = tenths / 10.0;
        compare(AluminiumMassAttenuation(keV), CS_Total(13, keV, nullptr), "CS_Total", 13, keV);
        double airSum = 0;
        for (int i = 0; i < air->nElements; ++i) {
            const double element = CS_Energy(air->Elements[i], keV, nullptr);
            compare(ElementMassEnergyAbsorption(air->Elements[i], keV), element, "CS_Energy",
                    air->Elements[i], keV);
            airSum += air->massFractions[i] * element;
        }
        compare(DryAirMassEnergyAbsorption(keV), airSum, "dry air", 0, keV);
    }
    FreeCompoundDataNIST(air);
    for (double keV : {0.0999, 0.5, 800.03, 999.9, 1e3, 2e4, 3e4}) {
        xrl_error* total = nullptr;
        xrl_error* carbon = nullptr;
        const double totalValue = CS_Total(13, keV, &total);
        const double carbonValue = CS_Energy(6, keV, &carbon);
        EXPECT_EQ(std::isnan(AluminiumMassAttenuation(keV)), total != nullptr) << keV;
        EXPECT_EQ(std::isnan(ElementMassEnergyAbsorption(6, keV)), carbon != nullptr) << keV;
        compare(total ? 0 : AluminiumMassAttenuation(keV), totalValue, "CS_Total", 13, keV);
        compare(carbon ? 0 : ElementMassEnergyAbsorption(6, keV), carbonValue, "CS_Energy", 6, keV);
        xrl_error_free(total);
        xrl_error_free(carbon);
    }
    EXPECT_TRUE(std::isnan(ElementMassEnergyAbsorption(1, 60)));  // no table for hydrogen
}

TEST(CrossSections, table_is_what_the_generator_makes_of_the_source_package) {
    if (!std::filesystem::exists(TESSAROVEN_XRAYLIB_SOURCE)) {
        GTEST_SKIP() << "tools/xraylib_knots.sh has not fetched the source into "
                     << TESSAROVEN_XRAYLIB_SOURCE;
    }
    const std::string command =
        std::string("'") + TESSAROVEN_KNOTS_GENERATOR + "' '" + TESSAROVEN_XRAYLIB_SOURCE + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string generated;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        generated.append(buffer, n);
    }
    ASSERT_EQ(pclose(pipe), 0);
    std::ostringstream checkedIn;
    checkedIn << std::ifstream(TESSAROVEN_KNOTS_TABLE).rdbuf();
    EXPECT_TRUE(generated == checkedIn.str()) << "regenerate with tools/xraylib_knots.sh";
}

}  // namespace
}  // namespace tessaroven
