#include "model/settings_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace tessmar {
namespace {

std::string system_error_text(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

}  // namespace

SettingsFileContents read_settings_file(const std::string& path) {
    SettingsFileContents contents;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        contents.result.error = system_error_text("cannot open", path);
        return contents;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    contents.bytes.resize(kRecordSize);
    in.read(reinterpret_cast<char*>(contents.bytes.data()),
            static_cast<std::streamsize>(contents.bytes.size()));
    if (in.bad() || size < 0) {
        contents.result.error = system_error_text("cannot read", path);
        contents.bytes.clear();
        return contents;
    }
    contents.bytes.resize(static_cast<std::size_t>(in.gcount()));
    contents.file_size = static_cast<std::uintmax_t>(size);
    contents.result.ok = true;
    return contents;
}

FileResult write_settings_file(const std::string& path, const SettingsRecord& record) {
    FileResult result;
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            result.error = system_error_text("cannot create", temporary);
            return result;
        }
        out.write(reinterpret_cast<const char*>(record.bytes.data()),
                  static_cast<std::streamsize>(record.bytes.size()));
        out.flush();
        if (!out) {
            result.error = system_error_text("cannot write", temporary);
            out.close();
            std::remove(temporary.c_str());
            return result;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        result.error = "cannot replace " + path + ": " + error.message();
        std::remove(temporary.c_str());
        return result;
    }
    result.ok = true;
    return result;
}

OpenResult open_settings_file_into(ProgramState& state, const std::string& path) {
    OpenResult opened;
    SettingsFileContents contents = read_settings_file(path);
    opened.result = contents.result;
    if (!contents.result.ok) {
        return opened;
    }
    if (contents.file_size != kRecordSize) {
        opened.warning = path + " holds " + std::to_string(contents.file_size) + " bytes, not " +
                         std::to_string(kRecordSize) +
                         (contents.file_size > kRecordSize
                              ? "; the bytes past the record were ignored"
                              : "; only its bytes replaced the start of the settings");
    }
    load_settings_bytes(state, contents.bytes);
    return opened;
}

}  // namespace tessmar
