// The conventions of the command-line programs, tessmar-cli, stampwell and orlo-sim, as a script
// meets them: versions, help on standard output within 80 columns, usage errors of one line and
// where to look, diff's exit codes and sides, -o -, and the messages that name the user's path.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/settings_file.h"
#include "tests/e2e/process.h"
#include "version.h"

namespace tessmar::test {
namespace {

namespace fs = std::filesystem;

// What a stream must hold: exactly the text, or the text at its start, or somewhere in it.
struct Text {
    enum How { exactly, starting, containing } how = exactly;
    std::string text;

    bool matches(const std::string& actual) const {
        switch (how) {
            case exactly:
                return actual == text;
            case starting:
                return actual.starts_with(text);
            case containing:
                return actual.find(text) != std::string::npos;
        }
        return false;
    }
};

Text exactly(std::string text) {
    return {Text::exactly, std::move(text)};
}
Text starting(std::string text) {
    return {Text::starting, std::move(text)};
}
Text containing(std::string text) {
    return {Text::containing, std::move(text)};
}

constexpr const char* kCli = TESSMAR_CLI_PATH;
constexpr const char* kStampwell = STAMPWELL_PATH;
constexpr const char* kSim = ORLO_SIM_PATH;

std::string usage_error(const std::string& program, const std::string& line) {
    return program + line + "\nTry '" + program + " --help'.\n";
}

const std::string kFactorySheet =
    "Orlo Scanner Configuration Sheet\r\n\r\n51277335127700<Enter Setup>"
    "\r\n9993<Restore Default Settings>\r\n\r\n9999<Update>";

class CliConventions : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tessmar-cli-conventions-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        SettingsRecord record = factory_record();
        ASSERT_TRUE(write_settings_file(file("F"), record).ok);
        record.set(Field::scan_mode, 0);
        ASSERT_TRUE(write_settings_file(file("C"), record).ok);
        record = factory_record();
        record.key_string(KeySlot::suffix_code)[0] = 0;
        ASSERT_TRUE(write_settings_file(file("E"), record).ok);
        std::ofstream(file("S"), std::ios::binary)
            .write(reinterpret_cast<const char*>(record.bytes.data()), 100);
        std::ofstream(text_file("T"))
            << "base = \"factory\"\n[scanner]\nscan_mode = \"Auto Off\"\n";
        std::ofstream(text_file("B")) << "[scanner]\nscan_mode = \"Fast\"\n";
    }
    void TearDown() override { fs::remove_all(dir); }

    // The names the table uses for its files: F the factory settings, C one setting changed, E
    // an emptied suffix, S a file of 100 bytes, M a file that does not exist; in text form, T
    // the change of C alone and B a text with a bad value.
    std::string file(const std::string& name) const { return (dir / (name + ".orl")).string(); }
    std::string text_file(const std::string& name) const {
        return (dir / (name + ".toml")).string();
    }

    std::string with_names(std::string text, const std::string& port) const {
        for (const char* name : {"F", "C", "E", "S", "M"}) {
            const std::string token = std::string("$") + name;
            for (std::size_t at; (at = text.find(token)) != std::string::npos;) {
                text.replace(at, token.size(), file(name));
            }
        }
        for (const char* name : {"T", "B"}) {
            const std::string token = std::string("$") + name;
            for (std::size_t at; (at = text.find(token)) != std::string::npos;) {
                text.replace(at, token.size(), text_file(name));
            }
        }
        for (std::size_t at; (at = text.find("$PORT")) != std::string::npos;) {
            text.replace(at, 5, port);
        }
        for (std::size_t at; (at = text.find("$DIR")) != std::string::npos;) {
            text.replace(at, 4, dir.string());
        }
        return text;
    }

    fs::path dir;
};

struct Convention {
    const char* what;
    const char* program;
    std::vector<std::string> args;  // $F, $C, $E, $S, $M, $T, $B, $PORT, $DIR as above
    int exit_code;
    Text out;
    Text err = {};
};

TEST_F(CliConventions, EachProgramFollowsThem) {
    const std::string cli = "tessmar-cli";
    const std::string factory_bytes(settings_file_bytes(factory_record()));
    const std::string version = " " TESSMAR_VERSION "\n";
    const std::string cannot_open_m = "tessmar-cli: cannot open $M: No such file or directory\n";
    const Convention kConventions[] = {
        {"the version", kCli, {"--version"}, 0, exactly(cli + version)},
        {"Stampwell's version", kStampwell, {"--version"}, 0, exactly("stampwell" + version)},
        {"orlo-sim's version", kSim, {"--version"}, 0, exactly("orlo-sim" + version)},
        {"help", kCli, {"--help"}, 0, starting("Usage: tessmar-cli COMMAND [ARGUMENTS]\n")},
        {"help as a command", kCli, {"help"}, 0, starting("Usage: tessmar-cli COMMAND")},
        {"help on one command",
         kCli,
         {"help", "diff"},
         0,
         starting("Usage:\n  tessmar-cli diff [A.orl] B.orl\n  tessmar-cli diff FILE.orl --port")},
        {"download's help tells the link",
         kCli,
         {"download", "--help"},
         0,
         containing(
             "9600 baud, 8 data bits, no parity, 1 stop bit (8N1), without flow\ncontrol."
             " The settings go as 112 packets of 16 bytes in hexadecimal text; the\nscanner "
             "answers each with ACK (or DONE) within 2 seconds. A packet answered\notherwise "
             "is sent again, up to 3 times;")},
        {"Stampwell's help", kStampwell, {"--help"}, 0, starting("Usage: stampwell [--no-open]")},
        {"no command", kCli, {}, 2, {}, exactly(usage_error(cli, ": no command given"))},
        {"an unknown command",
         kCli,
         {"nosuch"},
         2,
         {},
         exactly(usage_error(cli, ": unknown command 'nosuch'"))},
        {"help on an unknown command",
         kCli,
         {"help", "nosuch"},
         2,
         {},
         exactly(usage_error(cli, ": unknown command 'nosuch'"))},
        {"an unknown option",
         kCli,
         {"--colour"},
         2,
         {},
         exactly(usage_error(cli, ": unknown option '--colour'"))},
        {"an unknown option of a command",
         kCli,
         {"tree", "--depth", "2", "$F"},
         2,
         {},
         exactly(usage_error(cli, " tree: unknown option '--depth'"))},
        {"an option without its value",
         kCli,
         {"sheet", "$F", "-o"},
         2,
         {},
         exactly(usage_error(cli, " sheet: option -o needs a value"))},
        {"wrong arguments",
         kCli,
         {"diff", "$F", "$F", "$F"},
         2,
         {},
         exactly(usage_error(cli,
                             " diff: wrong arguments; it takes [A.orl] B.orl, or FILE.orl "
                             "--port DEV [--port DEV ...]"))},
        {"a command without its file",
         kCli,
         {"tree"},
         2,
         {},
         exactly(usage_error(cli, " tree: wrong arguments; it takes FILE.orl"))},
        {"a file that cannot be read", kCli, {"tree", "$M"}, 1, {}, exactly(cannot_open_m)},
        {"an option given twice",
         kCli,
         {"sheet", "$F", "-o", "$DIR/a.prn", "-o", "$DIR/b.prn"},
         2,
         {},
         exactly(usage_error(cli, " sheet: option -o given twice"))},
        {"settings in text form wherever a settings file is taken",
         kCli,
         {"diff", "$C", "$T"},
         0,
         {}},
        {"a text's errors at their place, and nothing written",
         kCli,
         {"import", "$B", "-o", "$DIR/b.orl"},
         1,
         {},
         starting("$B:2:13: \"Fast\" is no value of scan_mode; it takes \"Auto Off\"")},
        {"(nothing written)",
         kCli,
         {"tree", "$DIR/b.orl"},
         1,
         {},
         exactly("tessmar-cli: cannot open $DIR/b.orl: No such file or directory\n")},
        {"import never replaces the file it reads",
         kCli,
         {"import", "$F"},
         1,
         {},
         exactly("tessmar-cli: the output would replace $F itself; name another with -o\n")},
        {"Stampwell's unknown option",
         kStampwell,
         {"--colour"},
         2,
         {},
         exactly(usage_error("stampwell", ": unknown option '--colour'"))},
        {"orlo-sim's unknown option",
         kSim,
         {"--colour"},
         2,
         {},
         exactly(usage_error("orlo-sim", ": unknown option '--colour'"))},
        {"diff of equal settings", kCli, {"diff", "$F"}, 0, {}},
        {"diff of one file: what was changed from the factory settings",
         kCli,
         {"diff", "$C"},
         1,
         exactly("--- factory settings\n+++ $C\nScanner\n  - Scan Mode : Laser\n"
                 "  + Scan Mode : Auto Off\n")},
        {"diff of two files",
         kCli,
         {"diff", "$C", "$F"},
         1,
         exactly("--- $C\n+++ $F\nScanner\n  - Scan Mode : Auto Off\n  + Scan Mode : Laser\n")},
        {"diff lines end without blanks",
         kCli,
         {"diff", "$E"},
         1,
         containing("Symbology\n  - Suffix Code : [Enter]\n  + Suffix Code :\n")},
        {"diff of a file that cannot be read", kCli, {"diff", "$M"}, 2, {}, exactly(cannot_open_m)},
        {"diff of a second file that cannot be read",
         kCli,
         {"diff", "$F", "$M"},
         2,
         {},
         exactly(cannot_open_m)},
        {"diff with a scanner out of reach",
         kCli,
         {"diff", "$F", "--port", "$DIR/tty"},
         2,
         {},
         starting("tessmar-cli: ")},
        {"defaults to standard output", kCli, {"defaults", "-o", "-"}, 0, exactly(factory_bytes)},
        {"a sheet to standard output", kCli, {"sheet", "$F", "-o", "-"}, 0, exactly(kFactorySheet)},
        {"a scanner's settings to standard output",
         kCli,
         {"read", "--port", "$PORT", "-o", "-"},
         0,
         exactly(factory_bytes)},
        {"a failure names the user's path",
         kCli,
         {"sheet", "$F", "-o", "$DIR/none/x.prn"},
         1,
         {},
         exactly("tessmar-cli: cannot create $DIR/none/x.prn: No such file or directory\n")},
        {"a file that is no whole record is not sent",
         kCli,
         {"download", "$S", "--port", "$PORT"},
         1,
         {},
         exactly("tessmar-cli: $S holds 100 bytes, not 1562: it is no whole settings file "
                 "(--force takes it all the same)\n")},
        {"unless forced",
         kCli,
         {"download", "$S", "--port", "$PORT", "--force"},
         0,
         exactly("Downloaded completely!\n"),
         exactly("tessmar-cli: warning: $S holds 100 bytes, not 1562; only its bytes replaced "
                 "the start of the settings\n")},
    };
    for (const Convention& c : kConventions) {
        SCOPED_TRACE(c.what);
        Simulator scanner({});
        ASSERT_FALSE(scanner.port().empty());
        std::vector<std::string> args;
        for (const std::string& arg : c.args) {
            args.push_back(with_names(arg, scanner.port()));
        }
        const Outcome outcome = run_program(c.program, args);
        EXPECT_EQ(outcome.exit_code, c.exit_code) << outcome.err;
        const Text out{c.out.how, with_names(c.out.text, scanner.port())};
        const Text err{c.err.how, with_names(c.err.text, scanner.port())};
        EXPECT_TRUE(out.matches(outcome.out)) << outcome.out;
        EXPECT_TRUE(err.matches(outcome.err)) << outcome.err;
    }
}

// Settings texts as the commands take them: a text cut short, emptied or with a setting deleted is
// refused with nothing written; a partial one says so; a folder or an output that is the input
// itself is refused.
TEST_F(CliConventions, SettingsTextsAreWholeOrSayTheyArePartial) {
    ASSERT_EQ(run_cli({"export", file("C"), "-o", text_file("W")}).exit_code, 0);
    std::ifstream whole(text_file("W"));
    std::ofstream half(text_file("H"));
    std::string line;
    for (int n = 0; n < 297 && std::getline(whole, line); ++n) {
        half << line << "\n";
    }
    half.close();
    fs::create_directory(dir / "X.toml");
    const auto out = [&](const char* name) { return (dir / name).string(); };
    const struct {
        std::vector<std::string> args;
        int exit_code;
        std::string err;      // its start
        const char* written;  // the output file, which must exist afterwards, or not
        bool exists;
    } kRuns[] = {
        {{"import", text_file("H"), "-o", out("h.orl")},
         1,
         text_file("H") + ": 248 settings missing, the first at line 296: ",
         "h.orl",
         false},
        {{"export", file("C"), "--changed", "-o", out("c.toml")}, 0, "", "c.toml", true},
        {{"tree", (dir / "X.toml").string()},
         1,
         "tessmar-cli: cannot read " + (dir / "X.toml").string() + ": Is a directory\n",
         "X.toml",
         true},
        {{"diff", (dir / "X.toml").string()}, 2, "tessmar-cli: cannot read ", "X.toml", true},
        {{"export", file("C"), "-o", (dir / "." / "C.orl").string()},
         1,
         "tessmar-cli: the output would replace " + file("C") + " itself",
         "C.orl",
         true},
    };
    for (const auto& run : kRuns) {
        SCOPED_TRACE(run.args[0] + " " + run.args[1]);
        const Outcome outcome = run_cli(run.args);
        EXPECT_EQ(outcome.exit_code, run.exit_code);
        EXPECT_TRUE(outcome.err.starts_with(run.err)) << outcome.err;
        EXPECT_EQ(fs::exists(dir / run.written), run.exists);
    }
    // What the partial text holds is all that differs: it reads back to C's settings.
    ASSERT_EQ(run_cli({"import", out("c.toml"), "-o", out("c.orl")}).exit_code, 0);
    EXPECT_EQ(run_cli({"diff", file("C"), out("c.orl")}).exit_code, 0);
}

// Every line of every help fits 80 columns and ends without a blank.
TEST_F(CliConventions, HelpFitsEightyColumns) {
    const std::pair<const char*, std::vector<std::string>> kHelps[] = {
        {TESSMAR_CLI_PATH, {"--help"}},
        {TESSMAR_CLI_PATH, {"defaults", "--help"}},
        {TESSMAR_CLI_PATH, {"tree", "--help"}},
        {TESSMAR_CLI_PATH, {"diff", "--help"}},
        {TESSMAR_CLI_PATH, {"sheet", "--help"}},
        {TESSMAR_CLI_PATH, {"download", "--help"}},
        {TESSMAR_CLI_PATH, {"read", "--help"}},
        {TESSMAR_CLI_PATH, {"export", "--help"}},
        {TESSMAR_CLI_PATH, {"import", "--help"}},
        {TESSMAR_CLI_PATH, {"monitor", "--help"}},
        {STAMPWELL_PATH, {"--help"}},
        {ORLO_SIM_PATH, {"--help"}},
    };
    for (const auto& [program, args] : kHelps) {
        const Outcome outcome = run_program(program, args);
        EXPECT_EQ(outcome.exit_code, 0);
        EXPECT_EQ(outcome.err, "");
        std::istringstream lines(outcome.out);
        int count = 0;
        for (std::string line; std::getline(lines, line); ++count) {
            EXPECT_LE(line.size(), 80u) << program << " " << args[0] << ": " << line;
            EXPECT_FALSE(line.ends_with(' ')) << program << ": " << line;
        }
        EXPECT_GT(count, 2) << program << " " << args[0];
    }
}

}  // namespace
}  // namespace tessmar::test
