// File names travel as UTF-8: the programs' code page on Windows, the usual encoding elsewhere.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tessmar {

// A path from a name in UTF-8. From a plain char string, libstdc++ on Windows reads each byte as
// one Latin-1 letter (though it gives names back in UTF-8), so the name is read as UTF-8 here.
inline std::filesystem::path utf8_path(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

}  // namespace tessmar
