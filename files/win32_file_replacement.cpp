// File replacement on Windows: a uniquely named file beside the target, FlushFileBuffers, then
// ReplaceFileA over an existing target (which keeps its attributes and security) or MoveFileExA
// onto a new one.
#include <windows.h>
#include <aclapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "files/file_replacement.h"
#include "win32/system_error_text.h"

namespace tessmar {
namespace {

// ANSI file functions take paths of at most MAX_PATH - 1 characters.
constexpr std::size_t kMaxPathChars = MAX_PATH - 1;
// Another program (an indexer, an antivirus) may hold the target a moment after it was written.
constexpr int kSharingRetries = 10;
constexpr DWORD kSharingRetryMs = 100;
// Names tried for the temporary file before giving up.
constexpr int kTemporaryNameTries = 100;

FileResult failure(const char* what, const std::string& path, DWORD error) {
    return {false, std::string(what) + " " + path + ": " + system_error_text(error)};
}

// Writes every byte; 0 or the error.
DWORD write_all(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            return GetLastError();
        }
        if (written == 0) {
            return ERROR_WRITE_FAULT;
        }
        bytes.remove_prefix(written);
    }
    return 0;
}

std::string folder_of(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/:");
    if (separator == std::string::npos) {
        return ".";
    }
    // "C:name" is in the current folder of drive C:, "\name" in the root.
    return path.substr(0, separator + 1);
}

// A device or a pipe: bytes go straight to the handle.
class DirectFile final : public FileReplacement {
  public:
    DirectFile(HANDLE file, bool owned, std::string name)
        : file_(file), owned_(owned), name_(std::move(name)) {}
    ~DirectFile() override {
        if (owned_) {
            CloseHandle(file_);
        }
    }
    DirectFile(const DirectFile&) = delete;
    DirectFile& operator=(const DirectFile&) = delete;

    void write(std::string_view bytes) override {
        if (error_ == 0) {
            error_ = write_all(file_, bytes);
        }
    }

    FileResult commit() override {
        if (owned_) {
            owned_ = false;
            if (!CloseHandle(file_) && error_ == 0) {
                error_ = GetLastError();
            }
        }
        return error_ == 0 ? FileResult{true, {}} : failure("cannot write", name_, error_);
    }

  private:
    HANDLE file_;
    bool owned_;
    std::string name_;
    DWORD error_ = 0;
};

class TemporaryFile final : public FileReplacement {
  public:
    TemporaryFile(HANDLE file, std::string temporary, std::string target, bool target_exists,
                  std::string shown)
        : file_(file),
          temporary_(std::move(temporary)),
          target_(std::move(target)),
          target_exists_(target_exists),
          shown_(std::move(shown)) {}
    ~TemporaryFile() override {
        if (file_ != INVALID_HANDLE_VALUE) {
            CloseHandle(file_);
        }
        if (!committed_) {
            DeleteFileA(temporary_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(std::string_view bytes) override {
        if (error_ == 0) {
            error_ = write_all(file_, bytes);
        }
    }

    FileResult commit() override;

  private:
    DWORD put_in_place();

    HANDLE file_;
    std::string temporary_;
    std::string target_;
    bool target_exists_;
    std::string shown_;  // the name the caller gave, for messages
    DWORD error_ = 0;
    bool committed_ = false;
};

FileResult TemporaryFile::commit() {
    // ReplaceFileA has no write-through of its own, so the data is on disk before the swap; and
    // it opens the replacement without sharing, so the handle is closed first.
    if (error_ == 0 && !FlushFileBuffers(file_)) {
        error_ = GetLastError();
    }
    if (!CloseHandle(file_) && error_ == 0) {
        error_ = GetLastError();
    }
    file_ = INVALID_HANDLE_VALUE;
    if (error_ != 0) {
        return failure("cannot write", shown_, error_);
    }
    if (const DWORD error = put_in_place(); error != 0) {
        return failure("cannot replace", shown_, error);
    }
    committed_ = true;
    return {true, {}};
}

DWORD TemporaryFile::put_in_place() {
    const DWORD move_flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (!target_exists_) {
        return MoveFileExA(temporary_.c_str(), target_.c_str(), move_flags) ? 0 : GetLastError();
    }
    for (int attempt = 0;; ++attempt) {
        if (ReplaceFileA(target_.c_str(), temporary_.c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            return 0;
        }
        const DWORD error = GetLastError();
        // The target went away, or was removed by the swap without the new file taking its
        // name: the new content still has its own name, and moves into the empty place.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
            return MoveFileExA(temporary_.c_str(), target_.c_str(), move_flags) ? 0
                                                                                : GetLastError();
        }
        if (error != ERROR_SHARING_VIOLATION || attempt == kSharingRetries) {
            return error;
        }
        Sleep(kSharingRetryMs);
    }
}

// The path a symbolic link ends at, in the plain form the ANSI functions take; 0 or the error.
DWORD final_path(const std::string& path, std::string& resolved) {
    HANDLE file =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    char buffer[MAX_PATH + 8];
    const DWORD length = GetFinalPathNameByHandleA(file, buffer, sizeof buffer,
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (length == 0) {
        return error;
    }
    if (length >= sizeof buffer) {
        return ERROR_FILENAME_EXCED_RANGE;
    }
    resolved.assign(buffer, length);
    // "\\?\C:\..." becomes "C:\...", and "\\?\UNC\server\share\..." "\\server\share\...".
    if (resolved.starts_with("\\\\?\\UNC\\")) {
        resolved.erase(2, 6);
    } else if (resolved.starts_with("\\\\?\\")) {
        resolved.erase(0, 4);
    }
    return resolved.size() > kMaxPathChars ? ERROR_FILENAME_EXCED_RANGE : 0;
}

// Wine's ReplaceFileA refuses a name without its folder ("Barcode.prn"), so the target is always
// named in full; 0 or the error.
DWORD full_path(const std::string& path, std::string& full) {
    char buffer[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (length == 0) {
        return GetLastError();
    }
    if (length >= sizeof buffer) {
        return ERROR_FILENAME_EXCED_RANGE;
    }
    full.assign(buffer, length);
    return 0;
}

StartedReplacement begin_direct(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {nullptr, failure("cannot create", path, GetLastError())};
    }
    return {std::make_unique<DirectFile>(file, true, path), {true, {}}};
}

// A name no file has yet, in `folder`, created at once so that no one else takes it.
HANDLE create_temporary(const std::string& folder, std::string& name, DWORD& error) {
    static unsigned counter = 0;
    const bool separated = folder.ends_with('\\') || folder.ends_with('/') || folder.ends_with(':');
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        char unique[32];
        std::snprintf(unique, sizeof unique, "~tsm%04lX%04lX.tmp", GetCurrentProcessId() & 0xFFFF,
                      (GetTickCount() + ++counter) & 0xFFFF);
        name = separated ? folder : folder + "\\";
        name += unique;
        if (name.size() > kMaxPathChars) {
            error = ERROR_FILENAME_EXCED_RANGE;
            return INVALID_HANDLE_VALUE;
        }
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            return file;
        }
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return INVALID_HANDLE_VALUE;
        }
    }
    return INVALID_HANDLE_VALUE;
}

StartedReplacement begin_beside(const std::string& path, const std::string& target, bool exists) {
    std::string temporary;
    DWORD error = 0;
    HANDLE file = create_temporary(folder_of(target), temporary, error);
    if (file == INVALID_HANDLE_VALUE) {
        return {nullptr, failure("cannot create", path, error)};
    }
    return {std::make_unique<TemporaryFile>(file, temporary, target, exists, path), {true, {}}};
}

}  // namespace

// Whether the reparse point itself, not what it names, belongs to the user (or to a group the user
// is in, such as Administrators, which owns what an elevated administrator makes). Another
// account's link in a folder both may write would otherwise steer the write to the user's files.
bool link_is_users(const std::string& path) {
    // READ_CONTROL reads the owner; FILE_FLAG_OPEN_REPARSE_POINT opens the link, not its target.
    HANDLE link = CreateFileA(
        path.c_str(), READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (link == INVALID_HANDLE_VALUE) {
        return false;
    }
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD error = GetSecurityInfo(link, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                        nullptr, nullptr, nullptr, &descriptor);
    CloseHandle(link);
    if (error != ERROR_SUCCESS) {
        return false;
    }
    BOOL member = FALSE;
    const bool mine = CheckTokenMembership(nullptr, owner, &member) && member;
    LocalFree(descriptor);
    return mine;
}

StartedReplacement begin_file_replacement(const std::string& path) {
    if (path.empty()) {
        return {nullptr, {false, "cannot create a file without a name"}};
    }
    std::string target;
    if (const DWORD error = full_path(path, target); error != 0) {
        return {nullptr, failure("cannot create", path, error)};
    }
    // Reserved names (NUL, CON, COM1, in any folder) and \\.\ paths are devices.
    if (target.starts_with("\\\\.\\")) {
        return begin_direct(path);
    }
    DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        !link_is_users(target)) {
        return {nullptr,
                {false, "cannot create " + path +
                            ": it is a link of another account; it is not followed"}};
    }
    // Every existing file is followed to its final path, not only a reparse point: Wine shows a
    // POSIX symbolic link as a plain file, and replacing the link's own name would leave the file
    // it names unchanged (Wine's ReplaceFileA even deletes it).
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        std::string resolved;
        if (const DWORD error = final_path(target, resolved); error != 0) {
            return {nullptr, failure("cannot create", path, error)};
        }
        target = resolved;
        attributes = GetFileAttributesA(target.c_str());
    }
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) {
            return {nullptr, failure("cannot create", path, error)};
        }
        return begin_beside(path, target, false);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return {nullptr, {false, "cannot create " + path + ": it is a folder"}};
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        return {nullptr, {false, "cannot replace " + path + ": the file is read-only"}};
    }
    return begin_beside(path, target, true);
}

std::unique_ptr<FileReplacement> standard_output_replacement() {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    return std::make_unique<DirectFile>(output, false, "standard output");
}

}  // namespace tessmar
