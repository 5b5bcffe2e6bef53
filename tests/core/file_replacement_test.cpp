// Replacing a file: the new content lands whole or not at all, in the file a link names, with the
// old file's permissions, and nothing else is left in the folder. tessmar-cli's tests
// (cli_output_test.sh) add devices, pipes, long names and saves at once.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

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
    mode_t mode_of(const std::string& name) const {
        struct stat info {};
        EXPECT_EQ(::stat(path(name).c_str(), &info), 0) << name;
        return info.st_mode & 07777;
    }

    test::ScratchDirectory dir_{"tessmar-replace-test-"};
};

TEST_F(FileReplacementTest, KeepsTheTargetsPermissionsAndLeavesNothingElse) {
    for (const mode_t mode : {0600, 0640, 0755, 0604}) {
        write("p.orl", "old");
        ASSERT_EQ(::chmod(path("p.orl").c_str(), mode), 0);
        const FileResult result = replace_file(path("p.orl"), "new");
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(read("p.orl"), "new");
        EXPECT_EQ(mode_of("p.orl"), mode) << std::oct << mode;
    }
    const mode_t mask = ::umask(022);
    const FileResult created = replace_file(path("new.orl"), "new");
    ::umask(mask);
    ASSERT_TRUE(created.ok) << created.error;
    EXPECT_EQ(mode_of("new.orl"), 0644u);
    EXPECT_EQ(names(), (std::set<std::string>{"p.orl", "new.orl"}));
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

// In a sticky folder every account may write, a link of another account is not followed, as the
// kernel would not follow it; the user's own and the folder owner's are. Giving a link away
// takes root.
TEST_F(FileReplacementTest, ALinkPlantedByAnotherAccountIsNotFollowed) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a link to another account takes root";
    }
    const uid_t other = 65534;  // nobody
    fs::create_directory(path("shared"));
    fs::create_directory(path("private"));
    ASSERT_EQ(::chmod(path("shared").c_str(), 01777), 0);
    ASSERT_EQ(::chmod(path("private").c_str(), 0777), 0);
    const struct {
        const char* link;
        uid_t owner;
        bool followed;
    } kLinks[] = {
        {"shared/planted.html", other, false},
        {"shared/own.html", ::geteuid(), true},
        {"private/planted.html", other, true},
    };
    for (const auto& link : kLinks) {
        write("victim", "keys");
        fs::create_symlink(path("victim"), path(link.link));
        ASSERT_EQ(::lchown(path(link.link).c_str(), link.owner, link.owner), 0);
        const FileResult result = replace_file(path(link.link), "page");
        EXPECT_EQ(result.ok, link.followed) << link.link;
        EXPECT_EQ(read("victim"), link.followed ? "page" : "keys") << link.link;
        EXPECT_EQ(result.error.find(path(link.link) + " is a link of another account"),
                  link.followed ? std::string::npos : 16 + path(link.link).size());
    }
}

// Read-only for everyone: root, who could write it, leaves it alone as well.
TEST_F(FileReplacementTest, TargetsThatCannotBeReplacedAreRefusedAndStayAsTheyWere) {
    write("ro.orl", "keep");
    ASSERT_EQ(::chmod(path("ro.orl").c_str(), 0444), 0);
    fs::create_directory(path("folder"));
    fs::create_symlink("loop-b", path("loop-a"));
    fs::create_symlink("loop-a", path("loop-b"));
    const struct {
        std::string target;
        std::string error;
    } kRefused[] = {
        {path("ro.orl"), "cannot replace " + path("ro.orl") + ": the file is read-only"},
        {path("folder"), "cannot create " + path("folder") + ": Is a directory"},
        {path("loop-a"), "cannot create " + path("loop-a") + ": Too many levels of symbolic links"},
        {path("no/folder/x.orl"), "cannot create " + path("no/folder/x.orl") + ": No such file"},
        {"", "cannot create a file without a name"},
    };
    for (const auto& refused : kRefused) {
        const FileResult result = replace_file(refused.target, "new");
        EXPECT_FALSE(result.ok) << refused.target;
        EXPECT_TRUE(result.error.starts_with(refused.error)) << result.error;
    }
    EXPECT_EQ(read("ro.orl"), "keep");
    EXPECT_EQ(names(), (std::set<std::string>{"ro.orl", "folder", "loop-a", "loop-b"}));
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

}  // namespace
}  // namespace tessmar
