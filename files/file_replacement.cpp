#include "files/file_replacement.h"

namespace tessmar {

FileResult replace_file(const std::string& path, std::string_view content) {
    StartedReplacement started = begin_file_replacement(path);
    if (!started.file) {
        return started.result;
    }
    started.file->write(content);
    return started.file->commit();
}

}  // namespace tessmar
