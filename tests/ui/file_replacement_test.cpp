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

// A symbolic link as `ln -s` makes it, through Wine's way of starting a Linux program.
bool make_posix_link(const std::string& target, const std::string& link) {
    char unix_link[MAX_PATH];
    std::string command = "Z:\\bin\\ln -s " + target + " ";
    using UnixName = char*(CDECL*)(const WCHAR*);
    // Through void (*)(), the type that casts to any function type without a warning.
    const auto to_unix = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    std::wstring wide(link.begin(), link.end());
    char* name = to_unix ? to_unix(wide.c_str()) : nullptr;
    if (!name) {
        return false;
    }
    lstrcpynA(unix_link, name, MAX_PATH);
    HeapFree(GetProcessHeap(), 0, name);
    command += unix_link;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Win32FileReplacement : public ::testing::Test {
  protected:
    std::size_t files_in_folder() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder.path()), {}));
    }
    TempFolder folder{::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

// By the full name, and by the bare name of a file in the current folder, as the sheet
// Barcode.prn is written.
TEST_F(Win32FileReplacement, ReplacesExistingAndNewFiles) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    for (const bool bare : {false, true}) {
        write_file_bytes(folder.file("old.orl"), bytes_of("old"));
        std::filesystem::remove(folder.file("new.orl"));
        for (const char* name : {"old.orl", "new.orl"}) {
            const FileResult result = replace_file(bare ? name : folder.file(name), "new content");
            EXPECT_TRUE(result.ok) << name << ": " << result.error;
            EXPECT_EQ(read_file_bytes(folder.file(name)), bytes_of("new content")) << name;
        }
        EXPECT_EQ(files_in_folder(), 2u);
    }
    std::filesystem::current_path(previous);
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

// Wine shows a link made on Linux as a plain file (and makes none of its own): saving through it
// writes the file it names and leaves the link a link.
TEST_F(Win32FileReplacement, ALinkIsSavedThroughToTheFileItNames) {
    std::filesystem::create_directory(folder.path() / "real");
    const std::string target = folder.file("real\\target.orl");
    write_file_bytes(target, bytes_of("old"));
    const std::string link = folder.file("link.orl");
    ASSERT_TRUE(make_posix_link("real/target.orl", link));
    const FileResult result = replace_file(link, "new content");
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(read_file_bytes(target), bytes_of("new content"));
    EXPECT_EQ(files_in_folder(), 2u);  // the link and the folder, nothing left beside them
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "real"), {}), 1);
}

}  // namespace
}  // namespace tessmar::test
