// Files for the tests: a scratch directory of the running test's own, and whole-file reads.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tessmar::test {

// An empty directory, removed again when the test ends.
class ScratchDirectory {
  public:
    explicit ScratchDirectory(const std::string& prefix)
        : dir_(std::filesystem::temp_directory_path() /
               (prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    ~ScratchDirectory() { std::filesystem::remove_all(dir_); }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

  private:
    std::filesystem::path dir_;
};

inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace tessmar::test
