// Writes src/calc/cross_section_table.inc: the spline knots of the cross sections the Al-equivalent
// thickness needs, taken from the data files of xraylib's source (aluminium's photoelectric, Rayleigh and
// Compton series, the mass energy-absorption series of dry air's elements) and the NIST mass fractions of
// dry air from its compound table. Each number is made the double that xraylib's library holds: the library
// does not read its data files at run time, its build prints every value with "%.10E" into a C file and
// compiles that, so the values are rounded to 11 digits there and here alike. Stops with a message when the
// source is not laid out as expected or its data no longer cover the energies the program takes.
// Run it through tools/xraylib_knots.sh, which fetches and checks the source package; by hand:
//   build/dev/tools/tessaroven_xraylib_knots XRAYLIB_SOURCE_FOLDER > src/calc/cross_section_table.inc
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The energies (keV) the program takes; each series must reach over them without xraylib's spline refusing.
constexpr double kLowestKeV = 1;
constexpr double kHighestKeV = 800;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "tessaroven_xraylib_knots: %s\n", what.c_str());
    std::exit(1);
}

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        Fail("cannot read " + path);
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The value as the library holds it: read as fscanf's %lf reads it, printed as its build prints it,
// compiled back (a correctly rounded conversion, as strtod's).
double AsCompiledIn(double read) {
    char printed[64];
    std::snprintf(printed, sizeof printed, "%.10E", read);
    return std::strtod(printed, nullptr);
}

struct Knot {
    double x;
    double y;
    double y2;
};

// Numbers separated by whitespace (the data files) or commas (the compound table), read as xraylib's reader
// and its compiler read them (fscanf's "%d" and "%lf", correctly rounded).
class Numbers {
public:
    Numbers(std::string text, std::string name) : m_text(std::move(text)), m_name(std::move(name)) {}
    long integer() {
        skipSeparators();
        char* end = nullptr;
        const long value = std::strtol(m_text.c_str() + m_at, &end, 10);
        advance(end);
        return value;
    }
    double real() {
        skipSeparators();
        char* end = nullptr;
        const double value = std::strtod(m_text.c_str() + m_at, &end);
        advance(end);
        return value;
    }

private:
    void skipSeparators() {
        while (m_at < m_text.size() &&
               (std::isspace(static_cast<unsigned char>(m_text[m_at])) || m_text[m_at] == ',')) {
            ++m_at;
        }
    }
    void advance(const char* end) {
        if (end == m_text.c_str() + m_at) {
            Fail(m_name + ": a number was expected at byte " + std::to_string(m_at));
        }
        m_at = end - m_text.c_str();
    }
    std::string m_text;
    std::string m_name;
    std::size_t m_at = 0;
};

std::vector<Knot> ReadKnots(Numbers& numbers) {
    const long count = numbers.integer();
    if (count < 2 || count > 1000) {
        Fail("a series of " + std::to_string(count) + " knots");
    }
    std::vector<Knot> knots(count);
    for (Knot& knot : knots) {
        knot.x = AsCompiledIn(numbers.real());
        knot.y = AsCompiledIn(numbers.real());
        knot.y2 = AsCompiledIn(numbers.real());
    }
    return knots;
}

// CS_Photo.dat, CS_Rayl.dat, CS_Compt.dat: one series after the other from Z = 1.
std::vector<Knot> ElementSeries(const std::string& source, const char* file, int z) {
    Numbers numbers(FileText(source + "/data/" + file), file);
    for (int element = 1; element < z; ++element) {
        ReadKnots(numbers);
    }
    return ReadKnots(numbers);
}

// CS_Energy.dat: the number of elements, then their series from Z = 1.
std::vector<Knot> EnergyAbsorptionSeries(const std::string& source, int z) {
    Numbers numbers(FileText(source + "/data/CS_Energy.dat"), "CS_Energy.dat");
    if (numbers.integer() < z) {
        Fail("CS_Energy.dat ends before Z = " + std::to_string(z));
    }
    for (int element = 1; element < z; ++element) {
        ReadKnots(numbers);
    }
    return ReadKnots(numbers);
}

// xraylib's spline refuses x below the first knot and more than 1e-7 above the last.
void CheckCovers(const std::vector<Knot>& knots, double lowX, double highX, const std::string& name) {
    for (std::size_t i = 1; i < knots.size(); ++i) {
        if (!(knots[i].x >= knots[i - 1].x)) {
            Fail(name + ": the energies are not ascending");
        }
    }
    if (lowX < knots.front().x || highX - knots.back().x > 1e-7) {
        Fail(name + " does not cover " + std::to_string(kLowestKeV) + " to " + std::to_string(kHighestKeV) +
             " keV");
    }
}

// The text between `open` and the next `close` after `from`.
std::string Between(const std::string& text, std::size_t from, const std::string& open,
                    const std::string& close, const std::string& what) {
    const std::size_t start = text.find(open, from);
    const std::size_t end = start == std::string::npos ? start : text.find(close, start + open.size());
    if (end == std::string::npos) {
        Fail("no " + what);
    }
    return text.substr(start + open.size(), end - start - open.size());
}

struct AirElement {
    long z;
    double massFraction;
};

// The compound as the library's NIST table has it: its entry names two arrays, the elements and their mass
// fractions, each compiled from the literal in the header (no rounding to 11 digits there).
std::vector<AirElement> DryAir(const std::string& source) {
    const std::string header = FileText(source + "/src/xraylib-nist-compounds-internal.h");
    const std::string entry = Between(header, 0, "{\"Air, Dry (near sea level)\" ,", "}", "entry of dry air");
    std::istringstream fields(entry);
    std::string count, elements, fractions;
    std::getline(fields, count, ',');
    std::getline(fields, elements, ',');
    std::getline(fields, fractions, ',');
    const auto trimmed = [](const std::string& s) {
        const std::size_t first = s.find_first_not_of(" \t");
        return first == std::string::npos ? s : s.substr(first, s.find_last_not_of(" \t") - first + 1);
    };
    Numbers z(Between(header, 0, "static int " + trimmed(elements) + "[] = {", "}", elements), elements);
    Numbers fraction(Between(header, 0, "static double " + trimmed(fractions) + "[] = {", "}", fractions),
                     fractions);
    std::vector<AirElement> air(std::stol(count));
    for (AirElement& element : air) {
        element.z = z.integer();
        element.massFraction = fraction.real();
    }
    return air;
}

// The licence as comment lines, each paragraph of the file wrapped at about 110 columns.
void PrintLicence(const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string out = "//";
        for (std::string word; words >> word;) {
            if (out.size() + 1 + word.size() > 110) {
                std::printf("%s\n", out.c_str());
                out = "//  ";
            }
            out += " " + word;
        }
        std::printf("%s\n", out.c_str());
    }
}

void PrintSeries(const char* name, const std::vector<Knot>& knots) {
    std::printf("constexpr SplineKnot %s[%zu] = {\n", name, knots.size());
    for (const Knot& knot : knots) {
        std::printf("    {%a, %a, %a},\n", knot.x, knot.y, knot.y2);
    }
    std::printf("};\n\n");
}

// The meson project's version, for the header.
std::string Version(const std::string& source) {
    return Between(FileText(source + "/meson.build"), 0, "version:'", "'", "version in meson.build");
}

struct ElementName {
    long z;
    const char* symbol;
    const char* array;
};
constexpr ElementName kAirElementNames[] = {{6, "C", "kCarbonEnergyAbsorption"},
                                            {7, "N", "kNitrogenEnergyAbsorption"},
                                            {8, "O", "kOxygenEnergyAbsorption"},
                                            {18, "Ar", "kArgonEnergyAbsorption"}};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        Fail("usage: tessaroven_xraylib_knots XRAYLIB_SOURCE_FOLDER > src/calc/cross_section_table.inc");
    }
    const std::string source = argv[1];
    constexpr int kAluminium = 13;
    // CS_Photo, CS_Rayl and CS_Compt take ln of the energy in eV, CS_Energy ln of the energy in keV.
    const double lowEv = std::log(kLowestKeV * 1000.0), highEv = std::log(kHighestKeV * 1000.0);
    const std::vector<Knot> photo = ElementSeries(source, "CS_Photo.dat", kAluminium);
    const std::vector<Knot> rayleigh = ElementSeries(source, "CS_Rayl.dat", kAluminium);
    const std::vector<Knot> compton = ElementSeries(source, "CS_Compt.dat", kAluminium);
    CheckCovers(photo, lowEv, highEv, "CS_Photo.dat");
    CheckCovers(rayleigh, lowEv, highEv, "CS_Rayl.dat");
    CheckCovers(compton, lowEv, highEv, "CS_Compt.dat");
    const std::vector<AirElement> air = DryAir(source);
    if (air.size() != std::size(kAirElementNames)) {
        Fail("dry air has " + std::to_string(air.size()) + " elements");
    }
    std::vector<std::vector<Knot>> absorption;
    for (std::size_t i = 0; i < air.size(); ++i) {
        if (air[i].z != kAirElementNames[i].z) {
            Fail("dry air's element " + std::to_string(i) + " is Z = " + std::to_string(air[i].z));
        }
        absorption.push_back(EnergyAbsorptionSeries(source, air[i].z));
        CheckCovers(absorption.back(), std::log(kLowestKeV), std::log(kHighestKeV),
                    std::string("CS_Energy.dat, ") + kAirElementNames[i].symbol);
    }

    std::size_t knotCount = photo.size() + rayleigh.size() + compton.size();
    for (const std::vector<Knot>& series : absorption) {
        knotCount += series.size();
    }
    std::printf(
        "// The spline knots of xraylib %s, from the data files of the Debian source package that\n"
        "// tools/xraylib_knots.sh fetches: aluminium's photoelectric, Rayleigh and Compton series\n"
        "// (data/CS_Photo.dat, CS_Rayl.dat, CS_Compt.dat) and the mass energy-absorption series of dry "
        "air's\n"
        "// elements (data/CS_Energy.dat), with dry air's mass fractions from\n"
        "// src/xraylib-nist-compounds-internal.h; %zu knots. Each knot is {x, ln sigma, the second "
        "derivative\n"
        "// xraylib keeps for it}, x being ln E with E in eV for the three aluminium series and in keV for "
        "the\n"
        "// energy-absorption series, sigma in cm^2/g. Every value is the double xraylib's library holds "
        "(its\n"
        "// build prints the data with %%.10E and compiles them back).\n"
        "//\n"
        "// Generated by tools/xraylib_knots.cpp; do not edit. Regenerate from the source folder with\n"
        "//   tools/xraylib_knots.sh\n"
        "// which fetches the source package, checks its SHA-256 and writes this file.\n"
        "//\n"
        "// xraylib's licence (license_all.txt of its source), under which these data are redistributed:\n"
        "//\n",
        Version(source).c_str(), knotCount);
    PrintLicence(FileText(source + "/license_all.txt"));
    std::printf("\n");
    PrintSeries("kAluminiumPhoto", photo);
    PrintSeries("kAluminiumRayleigh", rayleigh);
    PrintSeries("kAluminiumCompton", compton);
    for (std::size_t i = 0; i < air.size(); ++i) {
        PrintSeries(kAirElementNames[i].array, absorption[i]);
    }
    std::printf("// Dry air (near sea level): element, mass fraction, its energy-absorption series.\n");
    std::printf("constexpr AirElement kDryAir[%zu] = {\n", air.size());
    for (std::size_t i = 0; i < air.size(); ++i) {
        std::printf("    {%ld, %a, %s},\n", air[i].z, air[i].massFraction, kAirElementNames[i].array);
    }
    std::printf("};\n");
    return 0;
}
