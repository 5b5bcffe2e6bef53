#include "model/settings_file.h"

#include <cerrno>
#include <cstring>
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

std::string_view settings_file_bytes(const SettingsRecord& record) {
    return {reinterpret_cast<const char*>(record.bytes.data()), record.bytes.size()};
}

FileResult write_settings_file(const std::string& path, const SettingsRecord& record) {
    return replace_file(path, settings_file_bytes(record));
}

OpenResult open_settings_file_into(ProgramState& state, const std::string& path) {
    OpenResult opened;
    SettingsFileContents contents = read_settings_file(path);
    opened.result = contents.result;
    opened.file_size = contents.file_size;
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
