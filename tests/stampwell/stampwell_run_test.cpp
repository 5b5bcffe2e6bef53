// A whole run against a recording platform: what is written, reported and opened.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tools/stampwell/stampwell.h"

namespace stampwell {
namespace {

namespace fs = std::filesystem;

class RecordingPlatform : public Platform {
  public:
    void report_error(const std::string& text) override { errors.push_back(text); }
    void report_note(const std::string& text) override { notes.push_back(text); }
    std::string open_in_browser(const std::string& page) override {
        opened.push_back(page);
        return open_error;
    }
    bool browser_disabled() override { return disabled; }

    std::vector<std::string> errors, notes, opened;
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

TEST_F(StampwellRun, AFileThatIsNoSheetGetsAMessageAndNoPage) {
    write_sheet(std::string(1562, '\0'));
    EXPECT_EQ(run({sheet}, platform), 1);
    EXPECT_FALSE(fs::exists(page));
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0], sheet +
                                      " is not a setup-code sheet: it does not begin with the "
                                      "line \"Orlo Scanner Configuration Sheet\".");
    EXPECT_TRUE(platform.opened.empty());
}

TEST_F(StampwellRun, MissingSheetAndUsageErrors) {
    EXPECT_EQ(run({sheet}, platform), 1);
    EXPECT_EQ(platform.errors.at(0).rfind("Cannot read " + sheet, 0), 0u);
    EXPECT_EQ(run({}, platform), 2);
    EXPECT_EQ(run({"--colour", sheet}, platform), 2);
    EXPECT_EQ(run({sheet, sheet}, platform), 2);
    EXPECT_FALSE(fs::exists(page));
}

TEST(StampwellPagePath, BesideTheSheetNeverOverIt) {
    EXPECT_EQ(page_path_for("Barcode.prn"), "Barcode.html");
    EXPECT_EQ(page_path_for("dir/sheet"), "dir/sheet.html");
    EXPECT_EQ(page_path_for("odd.html"), "odd.html.html");
}

}  // namespace
}  // namespace stampwell
