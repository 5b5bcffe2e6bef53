// A fresh folder under the Windows temporary directory, removed again at the end of the test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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

// A path from a name in UTF-8, the code page of the programs. (From a plain char string,
// libstdc++ on Windows reads each byte as one Latin-1 letter, but it gives names back in UTF-8.)
std::filesystem::path utf8_path(std::string_view name);

std::vector<std::uint8_t> read_file_bytes(const std::string& path);
void write_file_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace tessmar::test
