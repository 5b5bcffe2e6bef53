// The Win32 file replacement under Wine: an existing file is replaced through ReplaceFileA, a new
// one is moved into place, a device is written directly, and a read-only file or an unfinished
// replacement leaves the old file as it was. (Windows's ReplaceFileA also keeps the old file's
// attributes and security; Wine's keeps neither, so that is not checked here.)
#include <windows.h>

#include <gtest/gtest.h>

#include "files/file_replacement.h"
#include "tests/ui/support/temp_folder.h"

namespace tessmar::test {
namespace {

std::vector<std::uint8_t> bytes_of(std::string_view text) {
    return {text.begin(), text.end()};
}

class Win32FileReplacement : public ::testing::Test {
  protected:
    std::size_t files_in_folder() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder.path()), {}));
    }
    TempFolder folder{::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(Win32FileReplacement, ReplacesExistingAndNewFiles) {
    write_file_bytes(folder.file("old.orl"), bytes_of("old"));
    for (const char* name : {"old.orl", "new.orl"}) {
        const FileResult result = replace_file(folder.file(name), "new content");
        ASSERT_TRUE(result.ok) << name << ": " << result.error;
        EXPECT_EQ(read_file_bytes(folder.file(name)), bytes_of("new content")) << name;
    }
    EXPECT_EQ(files_in_folder(), 2u);
}

TEST_F(Win32FileReplacement, ADeviceIsWrittenDirectly) {
    const FileResult result = replace_file("NUL", "into the void");
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(files_in_folder(), 0u);
}

TEST_F(Win32FileReplacement, ReadOnlyAndUnfinishedReplacementsLeaveTheOldFile) {
    write_file_bytes(folder.file("ro.orl"), bytes_of("keep"));
    ASSERT_TRUE(SetFileAttributesA(folder.file("ro.orl").c_str(), FILE_ATTRIBUTE_READONLY));
    const FileResult refused = replace_file(folder.file("ro.orl"), "new");
    EXPECT_EQ(refused.error, "cannot replace " + folder.file("ro.orl") + ": the file is read-only");
    SetFileAttributesA(folder.file("ro.orl").c_str(), FILE_ATTRIBUTE_NORMAL);
    {
        const StartedReplacement started = begin_file_replacement(folder.file("ro.orl"));
        ASSERT_TRUE(started.file) << started.result.error;
        started.file->write("half");
    }
    EXPECT_EQ(read_file_bytes(folder.file("ro.orl")), bytes_of("keep"));
    EXPECT_EQ(files_in_folder(), 1u);
}

}  // namespace
}  // namespace tessmar::test
