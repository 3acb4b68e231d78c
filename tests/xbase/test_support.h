#pragma once

#include "xbase/table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace xbase::test {

/// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        path_ = std::filesystem::temp_directory_path() / ("corvane_xbase_" + name);
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

/// The 23 fields of an address file.
inline std::vector<Field> addressFields() {
    return {{"LNAME", 'C', 30}, {"FNAME", 'C', 30}, {"MIDDLE", 'C', 1},  {"PREFIX", 'C', 12},
            {"TITLE", 'C', 30}, {"ORG", 'C', 30},   {"STREET", 'C', 40}, {"STREET2", 'C', 40},
            {"CITY", 'C', 30},  {"STATE", 'C', 20}, {"ZIP", 'C', 10},    {"COUNTRY", 'C', 30},
            {"DATE", 'C', 15},  {"PHONE", 'C', 30}, {"PHONE2", 'C', 30}, {"FAX", 'C', 30},
            {"EMAIL", 'C', 30}, {"CODES", 'C', 30}, {"USER1", 'C', 40},  {"USER2", 'C', 40},
            {"ISDEL", 'L', 1},  {"TAG", 'C', 8},    {"MEMO", 'M', 10}};
}

inline std::filesystem::path fixture(const std::string& name) {
    return std::filesystem::path(CORVANE_FIXTURES) / name;
}

} // namespace xbase::test
