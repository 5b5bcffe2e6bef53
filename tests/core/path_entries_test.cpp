#include "tools/install-step/path_entries.h"

#include <gtest/gtest.h>

#include <string>

namespace tessmar::install {
namespace {

const std::wstring kFolder = L"D:\\Service Tools\\Tessmar";

// A PATH far past the 1024 characters the installer's own strings hold, which cut it.
std::wstring long_path() {
    std::wstring path = L"%SystemRoot%\\system32";
    while (path.size() < 4000) {
        path += L";C:\\Vendor\\Tool " + std::to_wstring(path.size());
    }
    return path;
}

TEST(PathEntries, AddingAppendsTheFolderOnceAndKeepsEveryOtherCharacter) {
    const std::wstring big = long_path();
    const struct {
        const char* name;
        std::wstring path, expected;
    } kCases[] = {
        {"none yet", L"", kFolder},
        {"after the last entry", L"C:\\Tools", L"C:\\Tools;" + kFolder},
        {"after a closing separator", L"C:\\Tools;", L"C:\\Tools;" + kFolder},
        {"there already, in other case", L"d:\\service tools\\TESSMAR\\;C:\\Tools",
         L"d:\\service tools\\TESSMAR\\;C:\\Tools"},
        {"a longer name is another folder", kFolder + L"2", kFolder + L"2;" + kFolder},
        {"4000 characters", big, big + L";" + kFolder},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(path_with_folder(c.path, kFolder), c.expected);
    }
}

TEST(PathEntries, RemovingTakesOutEveryEntryOfTheFolderAndNothingElse) {
    const std::wstring big = long_path();
    const struct {
        const char* name;
        std::wstring path, expected;
    } kCases[] = {
        {"the only entry", kFolder, L""},
        {"first", kFolder + L";C:\\Tools", L"C:\\Tools"},
        {"middle, with a backslash", L"C:\\A;" + kFolder + L"\\;C:\\B", L"C:\\A;C:\\B"},
        {"twice", kFolder + L";C:\\A;" + kFolder, L"C:\\A"},
        {"not there; empty entries kept", L"C:\\A;;C:\\B;", L"C:\\A;;C:\\B;"},
        {"a folder inside it stays", kFolder + L"\\bin", kFolder + L"\\bin"},
        {"after 4000 characters", big + L";" + kFolder, big},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(path_without_folder(c.path, kFolder), c.expected);
    }
}

}  // namespace
}  // namespace tessmar::install
