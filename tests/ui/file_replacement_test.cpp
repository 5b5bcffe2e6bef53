// The Win32 file replacement under Wine: an existing file is replaced through ReplaceFileA, a new
// one is moved into place, a device is written directly, and a read-only file or an unfinished
// replacement leaves the old file as it was. (Windows's ReplaceFileA also keeps the old file's
// attributes and security; Wine's keeps neither, so that is not checked here.)
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "files/file_replacement.h"
#include "tests/ui/support/temp_folder.h"

namespace tessmar::test {
namespace {

std::vector<std::uint8_t> bytes_of(std::string_view text) {
    return {text.begin(), text.end()};
}

// The name Linux knows a file by, from Wine's own function for it.
std::string unix_name(const std::string& path) {
    using UnixName = char*(CDECL*)(const WCHAR*);
    // Through void (*)(), the type that casts to any function type without a warning.
    const auto to_unix = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    const std::wstring wide(path.begin(), path.end());
    char* name = to_unix ? to_unix(wide.c_str()) : nullptr;
    if (!name) {
        return {};
    }
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Runs a Linux program (Wine starts one given by its path on drive Z:, with no process handle
// to wait on) and waits until `done` says it has acted, ten seconds at most.
bool run_linux(std::string command, const std::function<bool()>& done) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    for (const HANDLE handle : {process.hThread, process.hProcess}) {
        if (handle) {
            CloseHandle(handle);
        }
    }
    for (int tries = 0; tries < 1000 && !done(); ++tries) {
        Sleep(10);
    }
    return done();
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
    const auto link_exists = [&] { return std::filesystem::exists(link); };
    ASSERT_TRUE(run_linux("Z:\\bin\\ln -s real/target.orl " + unix_name(link), link_exists));
    const FileResult result = replace_file(link, "new content");
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(read_file_bytes(target), bytes_of("new content"));
    EXPECT_EQ(files_in_folder(), 2u);  // the link and the folder, nothing left beside them
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "real"), {}), 1);
    // Wine cannot remove a link whose file is gone, so it goes first.
    EXPECT_TRUE(run_linux("Z:\\bin\\rm " + unix_name(link), [&] { return !link_exists(); }));
}

}  // namespace
}  // namespace tessmar::test
