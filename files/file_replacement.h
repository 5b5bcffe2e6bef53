// Replacing a file so that it is never lost: the new content goes into a file of its own beside
// the target, is flushed to disk, and takes the target's place in one step once every byte is
// there. A failure at any point leaves the target as it was, byte for byte, and no other file
// behind. There is one implementation per platform (rename(2); ReplaceFileA and MoveFileExA).
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tessmar {

struct FileResult {
    bool ok = false;
    std::string error;  // why it failed, for the user: the path and the system's own words
};

// The new content of one file, written piece by piece and put in place by commit().
class FileReplacement {
  public:
    // Without a successful commit the target stays as it was and the new content is dropped.
    virtual ~FileReplacement() = default;

    // Appends bytes. A failure is kept and reported by commit().
    virtual void write(std::string_view bytes) = 0;
    // Puts what was written in place of the target. Called once.
    virtual FileResult commit() = 0;
};

struct StartedReplacement {
    std::unique_ptr<FileReplacement> file;  // null on failure
    FileResult result;
};

// Begins to replace the file `path`. A symbolic link is followed to the file it names; an existing
// file keeps its permissions, and a read-only one is refused. A target that is no regular file (a
// device, a pipe) is written directly, without a file beside it.
StartedReplacement begin_file_replacement(const std::string& path);

// The process's standard output, written directly; commit() reports a failed write.
std::unique_ptr<FileReplacement> standard_output_replacement();

// Replaces the file `path` with `content` in one go.
FileResult replace_file(const std::string& path, std::string_view content);

}  // namespace tessmar
