// A fresh folder under the Windows temporary directory, removed again at the end of the test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "files/utf8_path.h"

namespace tessmar::test {

class TempFolder {
  public:
    explicit TempFolder(const std::string& name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The Windows path of a file in the folder, in UTF-8.
    std::string file(const std::string& name) const;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> read_file_bytes(const std::string& path);
void write_file_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace tessmar::test
