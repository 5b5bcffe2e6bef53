// A whole run against a recording platform: what is written, reported and opened.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <cctype>

#include "sheet/print_tool_command.h"
#include "tools/stampwell/stampwell.h"

namespace stampwell {
namespace {

namespace fs = std::filesystem;

class RecordingPlatform : public Platform {
  public:
    void report_error(const std::string& text) override { errors.push_back(text); }
    void report_note(const std::string& text) override { notes.push_back(text); }
    void print(const std::string& text) override { printed += text; }
    std::string open_in_browser(const std::string& page) override {
        opened.push_back(page);
        return open_error;
    }
    bool browser_disabled() override { return disabled; }

    std::vector<std::string> errors, notes, opened;
    std::string printed;
    std::string open_error;
    bool disabled = false;
};

class StampwellRun : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("stampwell-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        sheet = (dir / "Barcode.prn").string();
        page = (dir / "Barcode.html").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    void write_sheet(const std::string& text) { std::ofstream(sheet, std::ios::binary) << text; }
    static std::string test_read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path dir;
    std::string sheet, page;
    RecordingPlatform platform;
};

constexpr char kSheet[] = "Orlo Scanner Configuration Sheet\r\n0207<Scanner Timeout>9999<Update>";

TEST_F(StampwellRun, WritesThePageBesideTheSheetAndOpensIt) {
    write_sheet(kSheet);
    EXPECT_EQ(run({sheet}, platform), 0);
    EXPECT_TRUE(fs::exists(page));
    EXPECT_EQ(platform.opened, std::vector<std::string>{page});
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(StampwellRun, NoOpenAndTheEnvironmentOnlyWriteThePage) {
    write_sheet(kSheet);
    EXPECT_EQ(run({"--no-open", sheet}, platform), 0);
    platform.disabled = true;
    EXPECT_EQ(run({sheet}, platform), 0);
    EXPECT_TRUE(fs::exists(page));
    EXPECT_TRUE(platform.opened.empty());
}

TEST_F(StampwellRun, ABrowserThatFailsIsReportedAndThePageStays) {
    write_sheet(kSheet);
    platform.open_error = "xdg-open: No such file or directory";
    EXPECT_EQ(run({sheet}, platform), 1);
    EXPECT_TRUE(fs::exists(page));
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_NE(platform.errors[0].find("was written, but no browser could show it"),
              std::string::npos);
}

// Anything but a complete sheet, such as a settings file or a sheet cut short, gets a message
// naming what is missing and no page.
TEST_F(StampwellRun, AFileThatIsNoCompleteSheetGetsAMessageAndNoPage) {
    const struct {
        std::string text;
        const char* why;
    } kFiles[] = {
        {std::string(1562, '\0'),
         "it does not begin with the line \"Orlo Scanner Configuration Sheet\""},
        {"Orlo Scanner Configuration Sheet\r\n\r\n51277335127700<Enter Setup>",
         "it does not end with the closing code 9999<Update>, so it is not complete"},
    };
    for (const auto& file : kFiles) {
        write_sheet(file.text);
        platform.errors.clear();
        EXPECT_EQ(run({sheet}, platform), 1);
        EXPECT_FALSE(fs::exists(page));
        EXPECT_EQ(platform.errors, std::vector<std::string>{
                                       sheet + " is not a setup-code sheet: " + file.why + "."});
    }
    EXPECT_TRUE(platform.opened.empty());
}

TEST_F(StampwellRun, MissingSheetAndUsageErrors) {
    EXPECT_EQ(run({sheet}, platform), 1);
    EXPECT_EQ(platform.errors.at(0).rfind("Cannot read " + sheet, 0), 0u);
    EXPECT_EQ(run({dir.string()}, platform), 1);
    EXPECT_EQ(platform.errors.at(1),
              "Cannot read " + dir.string() + ": it is a folder, not a sheet.");
    platform.errors.clear();
    EXPECT_EQ(run({}, platform), 2);
    EXPECT_EQ(run({"--colour", sheet}, platform), 2);
    EXPECT_EQ(run({sheet, sheet}, platform), 2);
    EXPECT_EQ(platform.errors,
              (std::vector<std::string>{"no SHEET given\nTry 'stampwell --help'.",
                                        "unknown option '--colour'\nTry 'stampwell --help'.",
                                        "more than one SHEET given\nTry 'stampwell --help'."}));
    EXPECT_FALSE(fs::exists(page));
    EXPECT_EQ(platform.printed, "");
}

// The footer names the sheet and the time it was written.
TEST_F(StampwellRun, ThePageNamesTheSheetAndWhenItWasWritten) {
    write_sheet(kSheet);
    fs::last_write_time(sheet, fs::file_time_type::clock::now() - std::chrono::hours(24 * 400));
    const std::time_t then = std::time(nullptr) - 24 * 400 * 3600;
    char year[8];
    std::strftime(year, sizeof year, "%Y", std::localtime(&then));
    EXPECT_EQ(run({"--no-open", sheet}, platform), 0);
    const std::string html = test_read(page);
    const std::string source = "<span class=\"source\">Barcode.prn, written ";
    const std::size_t at = html.find(source);
    ASSERT_NE(at, std::string::npos);
    // "2024-05-01 14:32"
    const std::string written = html.substr(at + source.size(), 16);
    EXPECT_EQ(written.substr(0, 5), std::string(year) + "-") << written;
    for (const std::size_t digit : {5, 6, 8, 9, 11, 12, 14, 15}) {
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(written[digit]))) << written;
    }
    EXPECT_EQ(written.substr(7, 1) + written.substr(10, 1) + written.substr(13, 1), "- :");
    EXPECT_EQ(html.substr(at + source.size() + 16, 7), "</span>");
}

// A page of a sheet far larger than any Tessmar writes would take hundreds of megabytes.
TEST_F(StampwellRun, ASheetPastTheLimitIsRefused) {
    const std::string head = kSheet;
    write_sheet(head + std::string(kMaxSheetBytes - head.size() + 1, '\n'));
    EXPECT_EQ(run({sheet}, platform), 1);
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_NE(platform.errors[0].find("far too large"), std::string::npos);
    EXPECT_FALSE(fs::exists(page));

    platform.errors.clear();
    write_sheet(head + std::string(kMaxSheetBytes - head.size(), '\n'));
    EXPECT_EQ(run({sheet}, platform), 0) << ::testing::PrintToString(platform.errors);
}

// Where the page's name is another name of the sheet (here a link; on Windows also S.HTML for a
// sheet S.html), the page goes beside it under the sheet's whole name and the sheet stays.
TEST_F(StampwellRun, NeverWritesOverItsInput) {
    write_sheet(kSheet);
    fs::create_symlink("Barcode.prn", page);
    EXPECT_EQ(run({"--no-open", sheet}, platform), 0);
    EXPECT_EQ(test_read(sheet), kSheet);
    EXPECT_TRUE(fs::is_symlink(page));
    EXPECT_NE(test_read(sheet + ".html").find("</html>"), std::string::npos);

    const std::string linked = (dir / "Linked.prn").string();
    fs::create_hard_link(sheet, linked);
    fs::create_hard_link(sheet, (dir / "Linked.html").string());
    EXPECT_EQ(run({"--no-open", linked}, platform), 0);
    EXPECT_EQ(test_read(sheet), kSheet);
    EXPECT_TRUE(fs::exists(linked + ".html"));
}

// A page's name is never taken for another kind of URL, whatever it holds.
TEST(StampwellPagePath, OpenedAsAFileUrl) {
    const std::pair<const char*, const char*> kUrls[] = {
        {"/tmp/Barcode.html", "file:///tmp/Barcode.html"},
        {"/tmp/mailto:ops@example.com?body=x.html",
         "file:///tmp/mailto%3Aops%40example.com%3Fbody%3Dx.html"},
        {"/a b/#%\xc3\xa5.html", "file:///a%20b/%23%25%C3%A5.html"},
    };
    for (const auto& [path, url] : kUrls) {
        EXPECT_EQ(file_url(path), url);
    }
}

TEST(StampwellPagePath, BesideTheSheetNeverOverIt) {
    // Tessmar names this page in its status bar.
    EXPECT_EQ(page_path_for(tessmar::kSheetFileName), tessmar::kSheetPageFileName);
    EXPECT_EQ(page_path_for("dir/sheet"), "dir/sheet.html");
    EXPECT_EQ(page_path_for("odd.html"), "odd.html.html");
}

}  // namespace
}  // namespace stampwell

namespace stampwell {
namespace {

// The settings' name and fingerprint travel as options before "--": whatever the name holds, it
// is text on the page, and a sheet after "--" may begin with "-".
TEST_F(StampwellRun, ThePageSaysWhoseSettingsItSetsUp) {
    const struct {
        std::vector<std::string> options;
        int exit_code;
        const char* shown;  // in the title, the heading and every footer
    } kCases[] = {
        {{"--settings", "Site A.orl", "--fingerprint", "5B52-03E2"}, 0, "5B52-03E2 Site A.orl"},
        {{"--settings", "-<b>.orl", "--"}, 0, "-&lt;b&gt;.orl"},
        {{"--settings", "two\nlines.orl", "--"}, 2, nullptr},
        {{"--fingerprint", "5b52-03e2", "--"}, 2, nullptr},
        {{"--settings"}, 2, nullptr},
    };
    write_sheet(kSheet);
    for (const auto& c : kCases) {
        std::vector<std::string> args = c.options;
        args.insert(args.begin(), "--no-open");
        if (c.exit_code == 0) {
            args.push_back(sheet);
        }
        fs::remove(page);
        EXPECT_EQ(run(args, platform), c.exit_code) << c.options.back();
        if (!c.shown) {
            continue;
        }
        const std::string html = test_read(page);
        for (const std::string& place : {std::string(": ") + c.shown + " (Barcode.prn)</title>",
                                         "<small>" + std::string(c.shown) + "</small></h1>",
                                         "\"source\">" + std::string(c.shown) + ", Barcode.prn"}) {
            EXPECT_NE(html.find(place), std::string::npos) << place;
        }
    }
}

}  // namespace
}  // namespace stampwell
