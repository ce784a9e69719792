// A fresh folder in the system's temporary folder (/tmp unless TMPDIR says otherwise; on Windows the user's
// Temp) for each test, removed afterwards, with the looks into it that file tests need.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace tessaroven::testing {

class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        for (int attempt = 0; attempt < 100 && m_folder.empty(); ++attempt) {
            const std::filesystem::path folder =
                std::filesystem::temp_directory_path() / ("tessaroven-test-" + std::to_string(seed()));
            if (std::filesystem::create_directory(folder)) {
                m_folder = folder.string();
            }
        }
        ASSERT_FALSE(m_folder.empty());
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string PathOf(const std::string& name) const { return m_folder + "/" + name; }

    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream buffer;
        buffer << in.rdbuf();
        return buffer.str();
    }

    // The names in the folder, sorted.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string m_folder;
};

}  // namespace tessaroven::testing
