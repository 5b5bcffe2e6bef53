// Replacing a file: the new content lands whole or not at all, in the file a link names, with the
// old file's permissions, and nothing else is left in the folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "files/file_replacement.h"
#include "tests/core/test_files.h"

namespace tessmar {
namespace {

namespace fs = std::filesystem;

class FileReplacementTest : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return dir_.path(name); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
    }
    std::string read(const std::string& name) const { return test::read_file(path(name)); }
    // The names in the folder: a temporary file left behind shows here.
    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(fs::path(path("")))) {
            found.insert(entry.path().filename().string());
        }
        return found;
    }
    static mode_t mode_of(const std::string& file) {
        struct stat info {};
        EXPECT_EQ(::lstat(file.c_str(), &info), 0) << file;
        return info.st_mode;
    }

    test::ScratchDirectory dir_{"tessmar-replace-test-"};
};

TEST_F(FileReplacementTest, ReplacesTheFileAndLeavesNothingElse) {
    write("x.orl", "old");
    const FileResult result = replace_file(path("x.orl"), "new content");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(read("x.orl"), "new content");
    EXPECT_EQ(names(), std::set<std::string>{"x.orl"});
}

// A user's files whose names a fixed temporary name would have taken stay untouched.
TEST_F(FileReplacementTest, FilesBesideTheTargetStayUntouched) {
    for (const char* name : {"x.orl.tmp", ".tmp", "x.tmp", ".x.orl"}) {
        write(name, name);
    }
    ASSERT_TRUE(replace_file(path("x.orl"), "saved").ok);
    for (const char* name : {"x.orl.tmp", ".tmp", "x.tmp", ".x.orl"}) {
        EXPECT_EQ(read(name), name);
    }
    EXPECT_EQ(names().size(), 5u);
}

TEST_F(FileReplacementTest, KeepsTheTargetsPermissions) {
    for (const mode_t mode : {0600, 0640, 0755, 0604}) {
        write("p.orl", "old");
        ASSERT_EQ(::chmod(path("p.orl").c_str(), mode), 0);
        ASSERT_TRUE(replace_file(path("p.orl"), "new").ok);
        EXPECT_EQ(mode_of(path("p.orl")) & 07777, mode) << std::oct << mode;
    }
}

TEST_F(FileReplacementTest, ANewFileGetsTheUsualPermissions) {
    const mode_t mask = ::umask(022);
    const FileResult result = replace_file(path("new.orl"), "new");
    ::umask(mask);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(mode_of(path("new.orl")) & 07777, 0644u);
}

// Read-only for everyone: root, who could write it, leaves it alone as well.
TEST_F(FileReplacementTest, RefusesAReadOnlyFile) {
    write("ro.orl", "keep");
    ASSERT_EQ(::chmod(path("ro.orl").c_str(), 0444), 0);
    const FileResult result = replace_file(path("ro.orl"), "new");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "cannot replace " + path("ro.orl") + ": the file is read-only");
    EXPECT_EQ(read("ro.orl"), "keep");
    EXPECT_EQ(names(), std::set<std::string>{"ro.orl"});
}

TEST_F(FileReplacementTest, FollowsSymbolicLinksToTheFileTheyName) {
    fs::create_directory(path("real"));
    write("real/settings.orl", "old");
    fs::create_symlink("real/settings.orl", path("relative.orl"));
    fs::create_symlink(path("relative.orl"), path("chain.orl"));
    fs::create_symlink("real/new.orl", path("dangling.orl"));
    const struct {
        const char* link;
        const char* lands_in;
    } kLinks[] = {
        {"relative.orl", "real/settings.orl"},
        {"chain.orl", "real/settings.orl"},
        {"dangling.orl", "real/new.orl"},
    };
    for (const auto& link : kLinks) {
        const FileResult result = replace_file(path(link.link), link.link);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_TRUE(fs::is_symlink(path(link.link))) << link.link;
        EXPECT_EQ(read(link.lands_in), link.link);
    }
    EXPECT_EQ(names(),
              (std::set<std::string>{"real", "relative.orl", "chain.orl", "dangling.orl"}));
}

TEST_F(FileReplacementTest, ALinkLoopIsAFailure) {
    fs::create_symlink("b", path("a"));
    fs::create_symlink("a", path("b"));
    const FileResult result = replace_file(path("a"), "x");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("cannot create " + path("a")), std::string::npos) << result.error;
}

// The longest name a folder takes: a temporary name made by adding to it would not fit.
TEST_F(FileReplacementTest, SavesUnderTheLongestLegalName) {
    for (const std::size_t length : {252u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".orl";
        const FileResult result = replace_file(path(name), "long");
        ASSERT_TRUE(result.ok) << length << ": " << result.error;
        EXPECT_EQ(read(name), "long");
    }
}

TEST_F(FileReplacementTest, NoNameIsRefusedAndCreatesNothing) {
    const fs::path before = fs::current_path();
    fs::current_path(path(""));
    const FileResult result = replace_file("", "x");
    fs::current_path(before);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "cannot create a file without a name");
    EXPECT_TRUE(names().empty());
}

TEST_F(FileReplacementTest, AFolderIsNoFile) {
    fs::create_directory(path("folder"));
    const FileResult result = replace_file(path("folder"), "x");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "cannot create " + path("folder") + ": Is a directory");
}

// Dropped before commit (the writer stopped half way), the new content never shows.
TEST_F(FileReplacementTest, AReplacementNotCommittedLeavesTheOldFile) {
    write("half.prn", "old sheet");
    {
        const StartedReplacement started = begin_file_replacement(path("half.prn"));
        ASSERT_TRUE(started.file) << started.result.error;
        started.file->write("half of a new");
        EXPECT_EQ(read("half.prn"), "old sheet");
    }
    EXPECT_EQ(read("half.prn"), "old sheet");
    EXPECT_EQ(names(), std::set<std::string>{"half.prn"});
}

// Devices and pipes are written in place: they stay what they are. The devices are the test's
// own (a copy of /dev/null and /dev/full), so a fault cannot replace the system's.
TEST_F(FileReplacementTest, DevicesAndPipesAreWrittenDirectly) {
    if (::mknod(path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
        ::mknod(path("full").c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0) {
        ASSERT_TRUE(replace_file(path("null"), "gone").ok);
        EXPECT_TRUE(fs::is_character_file(path("null")));
        const FileResult full = replace_file(path("full"), "x");
        EXPECT_FALSE(full.ok);
        EXPECT_EQ(full.error, "cannot write " + path("full") + ": No space left on device");
        EXPECT_TRUE(fs::is_character_file(path("full")));
    }

    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = read("pipe"); });
    const FileResult piped = replace_file(path("pipe"), "through the pipe");
    reader.join();
    EXPECT_TRUE(piped.ok) << piped.error;
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(path("pipe")));
}

// Saves of one file at once each land whole; none fails for another's temporary file.
TEST_F(FileReplacementTest, ConcurrentSavesOfOneFileAllSucceed) {
    write("shared.orl", "start");
    const std::string a(1562, 'a'), b(1562, 'b');
    int failures = 0;
    std::thread other([&] {
        for (int i = 0; i < 200; ++i) {
            failures += !replace_file(path("shared.orl"), a).ok;
        }
    });
    for (int i = 0; i < 200; ++i) {
        const FileResult result = replace_file(path("shared.orl"), b);
        EXPECT_TRUE(result.ok) << result.error;
    }
    other.join();
    EXPECT_EQ(failures, 0);
    const std::string last = read("shared.orl");
    EXPECT_TRUE(last == a || last == b);
    EXPECT_EQ(names(), std::set<std::string>{"shared.orl"});
}

}  // namespace
}  // namespace tessmar
