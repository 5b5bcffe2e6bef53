// tessmar-cli's download and read against orlo-sim on a pseudo-terminal.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "model/program_state.h"
#include "model/settings_fingerprint.h"
#include "tests/e2e/process.h"

namespace tessmar::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_bytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

class LinkCli : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tessmar-link-cli-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        // Settings unlike the factory's in the first, a middle and the last byte.
        const SettingsRecord factory = factory_record();
        settings.assign(factory.bytes.begin(), factory.bytes.end());
        settings[0] = 0x00;
        settings[700] = 0xA5;
        settings[kRecordSize - 1] = 0xFF;
        write_bytes(file("settings.orl"), settings);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string file(const char* name) const { return (dir / name).string(); }

    Outcome download(const Simulator& sim) {
        return run_cli({"download", file("settings.orl"), "--port", sim.port()});
    }
    Outcome read(const Simulator& sim) {
        return run_cli({"read", "--port", sim.port(), "-o", file("read.orl")});
    }

    fs::path dir;
    std::vector<std::uint8_t> settings;
};

TEST_F(LinkCli, DownloadThenReadBackGivesTheSameBytes) {
    Simulator sim({"--save", file("scanner.bin")});
    ASSERT_FALSE(sim.port().empty());
    const Outcome sent = download(sim);
    ASSERT_EQ(sent.exit_code, 0) << sent.err;
    EXPECT_EQ(sent.out, "Downloaded completely!\n");
    EXPECT_EQ(sent.err, "");  // no progress bar when stderr is not a terminal

    // The scanner holds the record and zeros after it.
    std::vector<std::uint8_t> expected = settings;
    expected.resize(1792, 0x00);
    EXPECT_EQ(read_bytes(file("scanner.bin")), expected);

    const Outcome got = read(sim);
    ASSERT_EQ(got.exit_code, 0) << got.err;
    EXPECT_EQ(read_bytes(file("read.orl")), settings);
}

TEST_F(LinkCli, LowerCaseAndSplitRepliesReadTheSame) {
    const std::vector<std::string> variants[] = {{"--lower-case"},
                                                 {"--split", "5", "--pause", "3"}};
    for (const auto& variant : variants) {
        std::vector<std::string> options = {"--settings", file("settings.orl")};
        options.insert(options.end(), variant.begin(), variant.end());
        Simulator sim(options);
        const Outcome got = read(sim);
        ASSERT_EQ(got.exit_code, 0) << got.err;
        EXPECT_EQ(read_bytes(file("read.orl")), settings) << variant[0];
    }
}

TEST_F(LinkCli, SilentScannerFailsTheDownloadAndKeepsItsSettings) {
    Simulator sim({"--silent-after", "3", "--save", file("scanner.bin")});
    const Outcome sent = download(sim);
    EXPECT_EQ(sent.exit_code, 1);
    EXPECT_EQ(sent.out, "");
    EXPECT_EQ(sent.err,
              "tessmar-cli: download failed: no reply to packet 4 of 112 (offset 0030) within "
              "2000 ms\n");
    EXPECT_FALSE(fs::exists(file("scanner.bin")));
}

TEST_F(LinkCli, WrongRepliesAreResentThreeTimesNotFour) {
    Simulator patient({"--wrong-replies", "3", "--save", file("scanner.bin")});
    EXPECT_EQ(download(patient).exit_code, 0);
    EXPECT_TRUE(fs::exists(file("scanner.bin")));

    Simulator refusing({"--wrong-replies", "4"});
    const Outcome sent = download(refusing);
    EXPECT_EQ(sent.exit_code, 1);
    EXPECT_EQ(sent.err,
              "tessmar-cli: download failed: the scanner refused packet 1 of 112 (offset 0000) "
              "four times; its last reply was \"NAK\\r\"\n");
}

TEST_F(LinkCli, FailedReadsWriteNoFileAndKeepAnOldOne) {
    Simulator silent({"--silent-after", "50"});
    const Outcome got = read(silent);
    EXPECT_EQ(got.exit_code, 1);
    EXPECT_EQ(got.err,
              "tessmar-cli: read failed: no reply to request 51 of 99 (offset 0320) within "
              "2000 ms; " +
                  file("read.orl") + " was not written\n");
    EXPECT_FALSE(fs::exists(file("read.orl")));

    write_bytes(file("read.orl"), {1, 2, 3});
    Simulator refusing({"--wrong-replies", "1"});
    const Outcome wrong = read(refusing);
    EXPECT_EQ(wrong.exit_code, 1);
    EXPECT_NE(wrong.err.find("the reply to request 1 of 99 (offset 0000) was not 32 hexadecimal "
                             "digits and CR: \"NAK\\r\""),
              std::string::npos)
        << wrong.err;
    EXPECT_EQ(read_bytes(file("read.orl")), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(LinkCli, AReplySpreadOverMoreThanTwoSecondsFails) {
    Simulator slow({"--split", "4", "--pause", "300"});  // 9 pieces over 2.4 s
    const Outcome got = read(slow);
    EXPECT_EQ(got.exit_code, 1);
    EXPECT_NE(got.err.find("no reply to request 1 of 99"), std::string::npos) << got.err;
}

TEST_F(LinkCli, PortsThatCannotBeUsedAreNamedWithTheReason) {
    const Outcome absent = run_cli({"read", "--port", file("no-such-tty"), "-o", file("r.orl")});
    EXPECT_EQ(absent.exit_code, 1);
    EXPECT_EQ(absent.err,
              "tessmar-cli: cannot open " + file("no-such-tty") + ": No such file or directory\n");

    const Outcome not_a_line = run_cli({"download", file("settings.orl"), "--port", "/dev/null"});
    EXPECT_EQ(not_a_line.exit_code, 1);
    EXPECT_EQ(not_a_line.err.rfind("tessmar-cli: cannot set up the line on /dev/null: ", 0), 0u)
        << not_a_line.err;

    // A terminal with nothing behind it, as a serial port whose device is missing.
    Simulator unplugged({"--unplugged"});
    const Outcome missing = run_cli({"read", "--port", unplugged.port(), "-o", file("r.orl")});
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_EQ(missing.err,
              "tessmar-cli: cannot open " + unplugged.port() + ": Input/output error\n");

    Simulator sim({});
    const int holder = open(sim.port().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(flock(holder, LOCK_EX), 0);
    const Outcome busy = download(sim);
    close(holder);
    EXPECT_EQ(busy.exit_code, 1);
    EXPECT_EQ(busy.err, "tessmar-cli: cannot open " + sim.port() + ": it is in use\n");
    EXPECT_FALSE(fs::exists(file("r.orl")));
}

// What tessmar-cli draws on a terminal as its standard error while it runs with `args`.
std::string drawn_on_terminal(const std::vector<std::string>& args) {
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    EXPECT_GE(terminal, 0);
    EXPECT_EQ(grantpt(terminal), 0);
    EXPECT_EQ(unlockpt(terminal), 0);
    const int stderr_side = open(ptsname(terminal), O_RDWR | O_NOCTTY);
    const Outcome sent = run_cli(args, stderr_side);
    close(stderr_side);
    EXPECT_EQ(sent.exit_code, 0);
    std::string drawn;
    char buffer[4096];
    fcntl(terminal, F_SETFL, O_NONBLOCK);
    for (ssize_t n; (n = ::read(terminal, buffer, sizeof buffer)) > 0;) {
        drawn.append(buffer, static_cast<std::size_t>(n));
    }
    close(terminal);
    return drawn;
}

// One port has a bar of its own; several have a line each, redrawn in place in their order.
TEST_F(LinkCli, ProgressBarIsDrawnOnATerminal) {
    Simulator first({});
    Simulator second({});
    const std::string a = first.port(), b = second.port();
    const auto named = [&](std::string port) {
        port.resize(std::max(a.size(), b.size()), ' ');
        return port + "  Downloading [########################################] 100%\x1b[K";
    };
    const struct {
        std::vector<std::string> ports;
        std::vector<std::string> drawn;
    } kCases[] = {
        {{a},
         {"\rDownloading [........................................]   0%",
          "\rDownloading [########################################] 100%"}},
        {{a, b}, {"\x1b[2A\r" + named(a) + "\x1b[2B\r", "\x1b[1A\r" + named(b) + "\x1b[1B\r"}},
    };
    for (const auto& c : kCases) {
        std::vector<std::string> args = {"download", file("settings.orl")};
        for (const std::string& port : c.ports) {
            args.insert(args.end(), {"--port", port});
        }
        const std::string drawn = drawn_on_terminal(args);
        for (const std::string& line : c.drawn) {
            EXPECT_NE(drawn.find(line), std::string::npos) << line << " in " << drawn;
        }
    }
}

// What a scanner holds, asked of the CLI: after a download, and of a file at any time. The
// simulator's --corrupt keeps one byte of what it is sent inverted.
struct Verification {
    const char* name;
    std::vector<std::string> simulator;
    std::vector<std::string> command;  // FILE and PORT stand for the settings file and the port
    int exit_code;
    std::function<std::string(const std::vector<std::uint8_t>& settings)> out;
    std::string err;
};

std::string hex2(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

TEST_F(LinkCli, VerifyAndDiffTellWhatTheScannerHolds) {
    const std::string sent = "Downloaded completely!\n";
    const std::string header = "--- FILE\n+++ the scanner\n";
    const Verification cases[] = {
        {"a scanner that keeps what it is sent",
         {},
         {"download", "FILE", "--port", "PORT", "--verify"},
         0,
         [&](const auto& bytes) {
             return sent + "The scanner holds exactly the settings sent (fingerprint " +
                    settings_fingerprint(bytes) + ").\n";
         },
         ""},
        {"a byte kept wrong that a line shows (the scanner timeout)",
         {"--corrupt", "21"},
         {"download", "FILE", "--port", "PORT", "--verify"},
         1,
         [&](const auto& bytes) {
             return sent + header + "Scanner\n  - Scanner Timeout: " + std::to_string(bytes[21]) +
                    " sec\n  + Scanner Timeout: " + std::to_string(bytes[21] ^ 0xFF) + " sec\n";
         },
         "tessmar-cli: the scanner holds other settings than FILE\n"},
        {"a byte kept wrong that no line shows (the RS-232 line of a keyboard wedge)",
         {"--corrupt", "26"},
         {"download", "FILE", "--port", "PORT", "--verify"},
         1,
         [&](const auto& bytes) {
             return sent + header + "Byte 26 (0x001A), shown by no line\n  - " + hex2(bytes[26]) +
                    "\n  + " + hex2(bytes[26] ^ 0xFF) + "\n";
         },
         "tessmar-cli: the scanner holds other settings than FILE\n"},
        {"a scanner that stops answering after the download",
         {"--silent-after", "113"},
         {"download", "FILE", "--port", "PORT", "--verify"},
         1,
         [&](const auto&) { return sent; },
         "tessmar-cli: the download could not be verified: read failed: no reply to request 1 "
         "of 99 (offset 0000) within 2000 ms\n"},
        {"a scanner that holds the file",
         {"--settings", "FILE"},
         {"diff", "FILE", "--port", "PORT"},
         0,
         [](const auto&) { return std::string(); },
         ""},
        {"a scanner with the factory settings",
         {},
         {"diff", "FILE", "--port", "PORT"},
         1,
         [](const auto&) { return std::string("--- FILE\n+++ the scanner on PORT\n"); },
         ""},
        {"a scanner that does not answer",
         {"--silent-after", "0"},
         {"diff", "FILE", "--port", "PORT"},
         2,
         [](const auto&) { return std::string(); },
         "tessmar-cli: read failed: no reply to request 1 of 99 (offset 0000) within 2000 ms\n"},
    };
    const auto with_names = [&](std::string text, const Simulator& sim) {
        for (const auto& [name, value] :
             {std::pair<std::string, std::string>{"FILE", file("settings.orl")},
              {"PORT", sim.port()}}) {
            for (std::size_t at; (at = text.find(name)) != std::string::npos;) {
                text.replace(at, name.size(), value);
            }
        }
        return text;
    };
    for (const Verification& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> options;
        for (const std::string& option : c.simulator) {
            options.push_back(option == "FILE" ? file("settings.orl") : option);
        }
        Simulator sim(options);
        ASSERT_FALSE(sim.port().empty());
        std::vector<std::string> args;
        for (const std::string& arg : c.command) {
            args.push_back(with_names(arg, sim));
        }
        const Outcome outcome = run_cli(args);
        EXPECT_EQ(outcome.exit_code, c.exit_code) << outcome.err;
        const std::string out = with_names(c.out(settings), sim);
        if (std::string(c.name) == "a scanner with the factory settings") {
            // The three changed bytes, whichever lines and bytes show them.
            EXPECT_EQ(outcome.out.rfind(out, 0), 0u) << outcome.out;
            EXPECT_GT(outcome.out.size(), out.size());
        } else {
            EXPECT_EQ(outcome.out, out);
        }
        EXPECT_EQ(outcome.err, with_names(c.err, sim));
    }
}

// Three scanners at once: one keeps what it is sent, one is silent, one keeps a byte wrong. Each
// port's result comes back in the order given, and the silent one stops no other.
TEST_F(LinkCli, SeveralPortsAtOnceEachWithItsOwnResult) {
    Simulator good({});
    Simulator silent({"--silent-after", "0"});
    Simulator corrupt({"--corrupt", "21"});
    const std::string a = good.port(), b = silent.port(), c = corrupt.port();
    const std::string no_reply = "no reply to ";
    const std::string timeout = " (offset 0000) within 2000 ms";
    std::vector<std::uint8_t> corrupted = settings;
    corrupted[21] ^= 0xFF;
    const std::string kept = " (fingerprint " + settings_fingerprint(settings) + ")";
    const std::string changed = " (fingerprint " + settings_fingerprint(corrupted) + ")";

    const Outcome sent = run_cli(
        {"download", file("settings.orl"), "--port", a, "--port", b, "--port", c, "--verify"});
    EXPECT_EQ(sent.exit_code, 1);
    EXPECT_EQ(sent.out, "--- " + file("settings.orl") + "\n+++ the scanner on " + c +
                            "\nScanner\n  - Scanner Timeout: 10 sec\n  + Scanner Timeout: 245 "
                            "sec\n" +
                            a + ": verified" + kept + "\n" + b + ": download failed: " + no_reply +
                            "packet 1 of 112" + timeout + "\n" + c +
                            ": the scanner holds other settings than " + file("settings.orl") +
                            "\n");
    EXPECT_EQ(sent.err, "tessmar-cli: 2 of 3 downloads failed\n");

    const Outcome read =
        run_cli({"read", "--port", a, "--port", b, "--port", c, "-o", file("fleet")});
    EXPECT_EQ(read.exit_code, 1);
    const auto read_into = [&](const std::string& port) {
        return (dir / "fleet" / (port.substr(5).replace(3, 1, "-") + "-settings.orl")).string();
    };
    EXPECT_EQ(read.out, a + ": read into " + read_into(a) + kept + "\n" + b +
                            ": read failed: " + no_reply + "request 1 of 99" + timeout + "; " +
                            read_into(b) + " was not written\n" + c + ": read into " +
                            read_into(c) + changed + "\n");
    EXPECT_EQ(read_bytes(read_into(a)), settings);
    EXPECT_FALSE(fs::exists(read_into(b)));
    EXPECT_EQ(read_bytes(read_into(c))[21], settings[21] ^ 0xFF);

    const Outcome diff =
        run_cli({"diff", file("settings.orl"), "--port", a, "--port", b, "--port", c});
    EXPECT_EQ(diff.exit_code, 2);
    EXPECT_TRUE(diff.out.ends_with(a + ": equal" + kept + "\n" + b + ": read failed: " + no_reply +
                                   "request 1 of 99" + timeout + "\n" + c + ": differs" + changed +
                                   "\n"))
        << diff.out;
    EXPECT_EQ(diff.err, "tessmar-cli: 1 of 3 scanners could not be read\n");
}

// One answer with a digit changed, as orlo-sim plays it: read twice, the file holds the scanner's
// settings.
TEST_F(LinkCli, AChangedDigitIsOutvoted) {
    Simulator sim({"--settings", file("settings.orl"), "--flip-digit", "3"});
    const Outcome got = read(sim);
    ASSERT_EQ(got.exit_code, 0) << got.err;
    EXPECT_EQ(read_bytes(file("read.orl")), settings);
}

// A port is given once, by any of its names; a read into a folder checks the folder and its
// names before it makes the folder or opens a port; a closed output is told, not died of.
TEST_F(LinkCli, OnePortOnceAndNothingLeftByARefusal) {
    Simulator first({});
    Simulator second({});
    const std::string a = first.port(), b = second.port();
    fs::create_symlink(a, dir / "alias");
    fs::create_symlink(b, dir / "g1");
    const std::string cli = TESSMAR_CLI_PATH;
    const struct {
        std::string command;  // run by sh in the test's folder
        int exit_code;
        std::string err;
        const char* absent;  // a file the command must not leave behind
    } kRuns[] = {
        {cli + " download settings.orl --port " + a + " --port alias --verify", 2,
         "tessmar-cli download: " + a + " and alias are the same port\nTry 'tessmar-cli --help'.\n",
         ""},
        {cli + " read --port " + a + " --port " + a + " -o fleet", 2,
         "tessmar-cli read: ", "fleet"},
        {cli + " read --port " + a + " --port pts" + a.substr(8) + " -o fleet", 1,
         "tessmar-cli: " + a + " and pts" + a.substr(8) + " would both be read into fleet/",
         "fleet"},
        {cli + " read --port ./g1 --port " + a + " -o fleet", 0, "", "fleet/.-g1-settings.orl"},
        {cli + " download settings.orl --port " + a + " --port " + b + " | true; exit $((" +
             "${PIPESTATUS[0]}))",
         1, "tessmar-cli: cannot write standard output: Broken pipe\n", ""},
    };
    for (const auto& run : kRuns) {
        SCOPED_TRACE(run.command);
        const Outcome outcome =
            run_program("/bin/bash", {"-c", "cd '" + dir.string() + "' && " + run.command});
        EXPECT_EQ(outcome.exit_code, run.exit_code);
        EXPECT_TRUE(outcome.err.starts_with(run.err)) << outcome.err;
        if (*run.absent != '\0') {
            EXPECT_FALSE(fs::exists(dir / run.absent));
        }
    }
    EXPECT_EQ(read_bytes(dir / "fleet" / "g1-settings.orl").size(), kRecordSize);
}

}  // namespace
}  // namespace tessmar::test
