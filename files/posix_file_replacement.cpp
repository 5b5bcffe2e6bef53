// File replacement on POSIX systems: mkstemp beside the target, fsync, rename(2) over it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "files/file_replacement.h"

namespace tessmar {
namespace {

// How many symbolic links are followed before giving up, as the kernel's own limit.
constexpr int kMaxLinkHops = 40;
// A temporary file's name starts with this much of the target's name, so that one left behind by
// a crash says whose it was, and stays within the system's 255-byte limit for a name.
constexpr std::size_t kNameKeptInTemporary = 200;

FileResult failure(const char* what, const std::string& path, int error) {
    return {false, std::string(what) + " " + path + ": " + std::strerror(error)};
}

// Writes every byte, through partial writes and interrupted calls; 0 or the error.
int write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return EIO;  // no progress, and no error to tell why
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// The folder part of a path, "" when it has none.
std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return "";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A device, a pipe or standard output: bytes go straight to the descriptor.
class DirectFile final : public FileReplacement {
  public:
    DirectFile(int fd, bool owned, std::string name)
        : fd_(fd), owned_(owned), name_(std::move(name)) {}
    ~DirectFile() override {
        if (owned_) {
            ::close(fd_);
        }
    }
    DirectFile(const DirectFile&) = delete;
    DirectFile& operator=(const DirectFile&) = delete;

    void write(std::string_view bytes) override {
        if (error_ == 0) {
            error_ = write_all(fd_, bytes);
        }
    }

    FileResult commit() override {
        if (owned_) {
            owned_ = false;
            if (::close(fd_) != 0 && error_ == 0) {
                error_ = errno;
            }
        }
        return error_ == 0 ? FileResult{true, {}} : failure("cannot write", name_, error_);
    }

  private:
    int fd_;
    bool owned_;
    std::string name_;
    int error_ = 0;
};

// The new content in a file of its own in the target's folder, renamed over the target once it
// is complete and on disk.
class TemporaryFile final : public FileReplacement {
  public:
    TemporaryFile(int fd, std::string temporary, std::string target, std::string shown)
        : fd_(fd),
          temporary_(std::move(temporary)),
          target_(std::move(target)),
          shown_(std::move(shown)) {}
    ~TemporaryFile() override {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!committed_) {
            ::unlink(temporary_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(std::string_view bytes) override {
        if (error_ == 0) {
            error_ = write_all(fd_, bytes);
        }
    }

    FileResult commit() override;

  private:
    int fd_;
    std::string temporary_;
    std::string target_;
    std::string shown_;  // the name the caller gave, for messages
    int error_ = 0;
    bool committed_ = false;
};

// A full disk may show only here: the data reaches the disk at fsync, and some file systems
// report a failed write at close.
FileResult TemporaryFile::commit() {
    if (error_ == 0 && ::fsync(fd_) != 0) {
        error_ = errno;
    }
    if (::close(fd_) != 0 && error_ == 0) {
        error_ = errno;
    }
    fd_ = -1;
    if (error_ != 0) {
        return failure("cannot write", shown_, error_);
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        return failure("cannot replace", shown_, errno);
    }
    committed_ = true;
    // The rename itself reaches the disk with the folder. Some file systems cannot sync a
    // folder; the file is in place all the same, so that is no failure.
    const std::string folder = folder_of(target_);
    const int folder_fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_fd >= 0) {
        ::fsync(folder_fd);
        ::close(folder_fd);
    }
    return {true, {}};
}

// Where a save to `path` lands: the file a chain of symbolic links ends at, which may not exist
// yet. `info` is filled when it exists.
struct Target {
    std::string path;
    bool exists = false;
    struct stat info {};
    std::string refused_link;  // a link not followed, as the kernel would not follow it
};

// The kernel's rule for links in a sticky folder that every account may write (/tmp): one is
// followed only when it belongs to the user or to the folder's owner. Our own resolving would
// otherwise let another account's link steer the write to any file the user may write.
bool may_follow(const std::string& link, const struct stat& info) {
    const std::string folder = folder_of(link);
    struct stat shared {};
    if (::stat(folder.empty() ? "." : folder.c_str(), &shared) != 0) {
        return false;
    }
    const bool open_to_all = (shared.st_mode & S_ISVTX) != 0 && (shared.st_mode & S_IWOTH) != 0;
    return !open_to_all || info.st_uid == ::geteuid() || info.st_uid == shared.st_uid;
}

int find_target(const std::string& path, Target& target) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                return errno;
            }
            target = {current, false, {}, {}};
            return 0;
        }
        if (!S_ISLNK(info.st_mode)) {
            target = {current, true, info, {}};
            return 0;
        }
        if (!may_follow(current, info)) {
            target.refused_link = current;
            return EACCES;
        }
        std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096), '\0');
        const ssize_t length = ::readlink(current.c_str(), link.data(), link.size());
        if (length < 0) {
            return errno;
        }
        link.resize(static_cast<std::size_t>(length));
        const std::string folder = folder_of(current);
        current = link.starts_with('/') || folder.empty() ? link : folder + "/" + link;
    }
    return ELOOP;
}

// A file nobody may write is read-only even to root, who could write it anyway.
bool is_read_only(const Target& target) {
    return (target.info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           ::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0;
}

// The new file gets the old one's permissions and owner, or what a new file would get.
int give_permissions(int fd, const Target& target) {
    if (!target.exists) {
        // The mask can only be read by setting it; the programs save from one thread.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return ::fchmod(fd, 0666 & ~mask) == 0 ? 0 : errno;
    }
    // Only root may give a file away; for anyone else the file stays theirs, as when they
    // write a new one.
    if (target.info.st_uid != ::geteuid() || target.info.st_gid != ::getegid()) {
        [[maybe_unused]] const int ignored = ::fchown(fd, target.info.st_uid, target.info.st_gid);
    }
    return ::fchmod(fd, target.info.st_mode & 07777) == 0 ? 0 : errno;
}

StartedReplacement begin_direct(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return {nullptr, failure("cannot create", path, errno)};
    }
    return {std::make_unique<DirectFile>(fd, true, path), {true, {}}};
}

StartedReplacement begin_beside(const std::string& path, const Target& target) {
    if (target.exists && is_read_only(target)) {
        return {nullptr, {false, "cannot replace " + path + ": the file is read-only"}};
    }
    const std::string folder = folder_of(target.path);
    std::string temporary = (folder.empty() ? "" : folder + "/") + "." +
                            name_of(target.path).substr(0, kNameKeptInTemporary) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return {nullptr, failure("cannot create", path, errno)};
    }
    auto file = std::make_unique<TemporaryFile>(fd, temporary, target.path, path);
    if (const int error = give_permissions(fd, target); error != 0) {
        return {nullptr, failure("cannot create", path, error)};
    }
    return {std::move(file), {true, {}}};
}

}  // namespace

StartedReplacement begin_file_replacement(const std::string& path) {
    if (path.empty()) {
        return {nullptr, {false, "cannot create a file without a name"}};
    }
    // stat follows every link, also the kernel's own (/dev/stdout), which readlink cannot.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        if (S_ISDIR(info.st_mode)) {
            return {nullptr, failure("cannot create", path, EISDIR)};
        }
        return begin_direct(path);
    }
    Target target;
    if (const int error = find_target(path, target); error != 0) {
        if (!target.refused_link.empty()) {
            return {nullptr,
                    {false, "cannot create " + path + ": " + target.refused_link +
                                " is a link of another account in a folder every "
                                "account may write; it is not followed"}};
        }
        return {nullptr, failure("cannot create", path, error)};
    }
    return begin_beside(path, target);
}

std::unique_ptr<FileReplacement> standard_output_replacement() {
    return std::make_unique<DirectFile>(STDOUT_FILENO, false, "standard output");
}

}  // namespace tessmar
