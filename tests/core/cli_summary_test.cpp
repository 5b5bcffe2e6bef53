// tessmar-cli tree and diff, run as a program on files in a scratch directory.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>

#include "model/settings_file.h"
#include "tests/core/test_files.h"

namespace tessmar {
namespace {

struct CliRun {
    int exit_code = -1;
    std::string out;
    std::string err;
};

class CliSummaryTest : public ::testing::Test {
  protected:
    void SetUp() override { load_factory_defaults(state_); }
    std::string path(const char* name) const { return dir_.path(name); }

    CliRun cli(const std::string& arguments) const {
        const std::string command =
            std::string(TESSMAR_CLI) + " " + arguments + " 2>" + dir_.path("stderr.txt");
        CliRun run;
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) {
            ADD_FAILURE() << "cannot run " << command;
            return run;
        }
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            run.out.append(buffer, n);
        }
        const int status = pclose(pipe);
        run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.err = test::read_file(dir_.path("stderr.txt"));
        return run;
    }

    void write_prefix(const char* name, std::size_t size) const {
        std::vector<char> bytes(size, 0);
        std::copy_n(state_.record.bytes.begin(), std::min(size, kRecordSize), bytes.begin());
        std::ofstream(path(name), std::ios::binary).write(bytes.data(), bytes.size());
    }

    test::ScratchDirectory dir_{"tessmar-cli-test-"};
    ProgramState state_;
};

TEST_F(CliSummaryTest, TreePrintsTheWholeFactoryTree) {
    ASSERT_EQ(cli("defaults -o " + path("f.orl")).exit_code, 0);
    const CliRun run = cli("tree " + path("f.orl"));
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, test::read_file(TESSMAR_TEST_DATA "/factory_summary_tree.txt"));
}

TEST_F(CliSummaryTest, DiffListsTheDifferingLinesUnderTheirPath) {
    state_.record.set(Field::scan_mode, 0);
    state_.record.set(Field::keyboard_type, 0);
    state_.record.set(Field::length_code_pdf417, 1);
    ASSERT_TRUE(write_settings_file(path("a.orl"), state_.record).ok);
    const std::string interface_lines =
        "Interface\n"
        "  - Scanner Interface : Keyboard Wedge\n"
        "  + Scanner Interface : RS-232\n"
        "  - Keyboard Type : PCAT (US)\n"
        "  - Alphabets Transmission : Case Sensitive\n"
        "  - Capital Lock Type : Normal\n"
        "  - Alphabets Layout : Normal\n"
        "  - Capital Lock Auto-Dection : OFF\n"
        "  - Alternate Composing : Disable\n"
        "  - Digits Transmission : Alpha Numeric Key Pad\n"
        "  - Capital Lock State : OFF\n"
        "  - Digits Layout : Normal\n"
        "  + Transmission Mode : Single Port\n"
        "  + Baud Rate : 9600 bps\n"
        "  + Parity : None\n"
        "  + Data Bit : 8 bits\n"
        "  + Flow Control : None\n"
        "  - Laptop Support : Disable\n";

    // With one file, the factory settings are the old side: what was changed.
    const CliRun against_factory = cli("diff " + path("a.orl"));
    EXPECT_EQ(against_factory.exit_code, 1);
    // A's key strings show in character form, as its interface is RS-232.
    EXPECT_EQ(against_factory.out, "--- factory settings\n+++ " + path("a.orl") + "\n" +
                                       "Scanner\n"
                                       "  - Scan Mode : Laser\n"
                                       "  + Scan Mode : Auto Off\n" +
                                       interface_lines +
                                       "Symbology\n"
                                       "  - Suffix Code : [Enter]\n"
                                       "  + Suffix Code : [CR]\n"
                                       "Symbology > Disable EAN 128\n"
                                       "  - Field Separator : [Send]\n"
                                       "  + Field Separator : [GS]\n"
                                       "Symbology > PDF 417\n"
                                       "  - Suffix Code : [Enter]\n"
                                       "  + Suffix Code : [CR]\n"
                                       "Length Code\n"
                                       "  - PDF 417 : Disable\n"
                                       "  + PDF 417 : Enable\n");
    EXPECT_EQ(against_factory.err, "");

    ASSERT_EQ(cli("defaults -o " + path("f.orl")).exit_code, 0);
    const CliRun same = cli("diff " + path("f.orl"));
    EXPECT_EQ(same.exit_code, 0);
    EXPECT_EQ(same.out, "");
    const CliRun two_files = cli("diff " + path("f.orl") + " " + path("a.orl"));
    EXPECT_EQ(two_files.exit_code, 1);
    std::string from_file = against_factory.out;
    EXPECT_EQ(two_files.out, from_file.replace(4, 16, path("f.orl")));
}

TEST_F(CliSummaryTest, FilesOfAnotherSizeLoadWithAWarningGivingTheirSize) {
    state_.record.set(Field::scan_mode, 1);
    write_prefix("short.orl", 100);
    const CliRun short_run = cli("tree " + path("short.orl"));
    EXPECT_EQ(short_run.exit_code, 0);
    EXPECT_NE(short_run.err.find("warning: " + path("short.orl") + " holds 100 bytes"),
              std::string::npos)
        << short_run.err;
    // Only the file's bytes replaced the start of the factory record.
    EXPECT_NE(short_run.out.find("  Scan Mode : Continuous\n"), std::string::npos);
    EXPECT_NE(short_run.out.find("  Suffix Code : [Enter]\n"), std::string::npos);

    write_prefix("long.orl", 2000);
    const CliRun long_run = cli("diff " + path("long.orl"));
    EXPECT_EQ(long_run.exit_code, 1);
    EXPECT_NE(long_run.err.find("holds 2000 bytes"), std::string::npos) << long_run.err;
    EXPECT_NE(long_run.out.find("  + Scan Mode : Continuous\n"), std::string::npos);
}

}  // namespace
}  // namespace tessmar
