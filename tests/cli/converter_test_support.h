// What the converter's tests share: the worked example's outputs, running the converter in memory, and
// temporary folders.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/converter.h"

namespace tessaroven::converter_testing {

namespace fs = std::filesystem;

// The worked example (D = 60, readings 100 95 85 70 50), written out by hand from its listed values.
inline const std::string kExampleCsv =
    "Comment\r\n"
    "0, 100.000,  100.00\r\n"
    "1, 93.601,  93.60\r\n"
    "2, 79.008,  79.01\r\n"
    "3, 57.105,  57.11\r\n"
    "4, 27.858,  27.86\r\n";

inline const std::string kExampleList =
    "0 : 100.000  100.0\n"
    "1 : 93.601  93.6\n"
    "2 : 79.008  79.0\n"
    "3 : 57.105  57.1\n"
    "4 : 27.858  27.9\n";

inline const std::vector<std::string> kExampleReadings{"100", "95", "85", "70", "50"};

// Its profile table: every value at full precision, no uncertainties (the example file gives none).
inline const std::string kExampleTable =
    "# distance_cm=60 comment=Comment uncertainty=standard (k=1)\n"
    "position_cm,fan_angle_deg,reading,reading_u,profile,profile_u,relative_percent,relative_percent_u,"
    "relative_on_arc_percent,relative_on_arc_percent_u\n"
    "0,0,100,,99.99993561505902,,100,,100,\n"
    "1,0.9548412538721887,95,,93.60068337320365,,93.60074363798721,,93.62674384455332,\n"
    "2,1.9091524329963763,85,,79.00846601148713,,79.0085168810741,,79.09630412205307,\n"
    "3,2.862405226111748,70,,57.10519279957721,,57.105229566745564,,57.247992640662424,\n"
    "4,3.8140748342903543,50,,27.85807009425342,,27.858088030666963,,27.981901755247705,\n";

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

inline Outcome Convert(const std::vector<std::string>& args, const std::string& input = "",
                       const ConverterEnvironment& environment = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    outcome.status = RunConverter(args, in, out, err, environment);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

inline std::vector<std::string> Concat(std::vector<std::string> front, const std::vector<std::string>& back) {
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

inline std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
}

class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
            const fs::path folder = fs::temp_directory_path() / ("tessaroven-cli-" + std::to_string(seed()));
            if (fs::create_directory(folder)) {
                m_path = folder;
            }
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& path() const { return m_path; }
    std::vector<fs::path> Entries() const {
        std::vector<fs::path> entries;
        for (const auto& entry : fs::directory_iterator(m_path)) {
            entries.push_back(entry.path().filename());
        }
        return entries;
    }

private:
    fs::path m_path;
};

}  // namespace tessaroven::converter_testing
