#include "cli/cli.h"

#include <algorithm>
#include <iostream>

#include "cli/console.h"
#include "cli/link_session.h"
#include "link/serial_port.h"
#include "version.h"

namespace tessmar::cli {
namespace {

bool operands(const Arguments& args, std::size_t count) {
    return args.positional.size() == count;
}

const Option kOutput = {.name = "-o", .takes = Takes::value};
const Option kPorts = {.name = "--port", .takes = Takes::values};

// Every line of the help stays within 80 columns.
const Command kCommands[] = {
    {.name = "defaults",
     .forms = {"-o FILE.orl"},
     .summary = "write the factory settings file",
     .options = {kOutput},
     .accepts = [](const Arguments& a) { return operands(a, 0) && a.has("-o"); },
     .run = run_defaults},
    {.name = "tree",
     .forms = {"FILE.orl"},
     .summary = "print the summary tree, two spaces of indent per level",
     .accepts = [](const Arguments& a) { return operands(a, 1); },
     .run = run_tree},
    {.name = "diff",
     .forms = {"[A.orl] B.orl", "FILE.orl --port DEV [--port DEV ...]"},
     .summary = "the summary lines in which B differs from A (A: the factory settings)",
     .options = {kPorts},
     .accepts =
         [](const Arguments& a) { return operands(a, 1) || (operands(a, 2) && !a.has("--port")); },
     .run = run_diff,
     .details = "Lists the lines of the summary tree in which A and B differ, each under the\n"
                "path of its parent in the tree: \"- \" and A's text, \"+ \" and B's text, one of\n"
                "them alone when only one tree has the line. With one file, A is the factory\n"
                "settings and B the file: what was changed. As diff(1) does, it exits 0 when the\n"
                "trees agree (printing nothing), 1 when they differ and 2 when a file cannot be\n"
                "read.\n"
                "\n"
                "With --port it compares the file (A) with what the scanner on DEV holds (B),\n"
                "changing neither: the lines that differ, then each differing byte that no line\n"
                "shows (the options of an interface not selected, say) with its offset. It\n"
                "exits 0 when they are equal, 1 when they differ and 2 when the scanner cannot\n"
                "be read. With several ports, the scanners are read at once and listed port\n"
                "by port, then one line a port says \"equal\", \"differs\" or why it could not\n"
                "be read; it exits 1 when any differs, and 2 when any cannot be read.\n"
                "A scanner is read once, not twice as read does: a wrong answer shows as a\n"
                "difference, and running it again clears it.\n",
     .trouble = kTrouble},
    {.name = "sheet",
     .forms = {"FILE.orl [-o PATH]"},
     .summary = "write the setup-code sheet (default ./Barcode.prn)",
     .options = {kOutput},
     .accepts = [](const Arguments& a) { return operands(a, 1); },
     .run = run_sheet},
    {.name = "download",
     .forms = {"FILE.orl --port DEV [--verify] [--force]",
               "FILE.orl --port DEV --port DEV ... [--verify] [--force]"},
     .summary = "send the settings to a scanner, or to many at once",
     .options = {kPorts, {.name = "--verify"}, {.name = "--force"}},
     .accepts = [](const Arguments& a) { return operands(a, 1) && a.has("--port"); },
     .run = run_download,
     .details = "Sends the settings to the scanner on DEV, which takes them into use. The line\n"
                "runs at 9600 baud, 8 data bits, no parity, 1 stop bit (8N1), without flow\n"
                "control. The settings go as 112 packets of 16 bytes in hexadecimal text; the\n"
                "scanner answers each with ACK (or DONE) within 2 seconds. A packet answered\n"
                "otherwise is sent again, up to 3 times; one not answered within 2 seconds\n"
                "ends the download. Then UPDATE has the scanner take the settings into use;\n"
                "after a failure it is sent EXIT instead. Exits 1 when the download failed:\n"
                "run it again to retry.\n"
                "\n"
                "FILE.orl must be a whole settings file of 1562 bytes. --force sends a file of\n"
                "another size as Tessmar opens it: its bytes over the factory settings.\n"
                "\n"
                "With --verify the scanner is read back after the download and compared with\n"
                "the file: exit 0 when it holds exactly what was sent; otherwise the\n"
                "differences are listed as diff lists them, and the exit is 1, as it is when\n"
                "the read-back fails.\n"
                "\n"
                "With several ports, the settings go to every scanner at the same time, each\n"
                "on a connection of its own: one that fails stops no other. At the end one\n"
                "line a port, in the order given, says \"ok\", \"verified\" or why it failed;\n"
                "the exit is 0 only when every port succeeded.\n"},
    {.name = "read",
     .forms = {"--port DEV [--once] -o FILE.orl", "--port DEV --port DEV ... [--once] -o DIR"},
     .summary = "read a scanner's settings into a file, or many scanners' into a folder",
     .options = {kPorts, kOutput, {.name = "--once"}},
     .accepts = [](const Arguments& a) { return operands(a, 0) && a.has("--port") && a.has("-o"); },
     .run = run_read,
     .details = "Reads the settings of the scanner on DEV over the same line as download\n"
                "(9600 baud, 8N1): 99 requests of 16 bytes, each answered within 2 seconds.\n"
                "The answers carry no checksum, so every block is read twice and compared; a\n"
                "block whose two answers differ is read a third time and taken only when two\n"
                "of the three agree. --once reads each block once, in half the time. The file\n"
                "is written only when every answer arrived; a failed read leaves an existing\n"
                "file as it was.\n"
                "\n"
                "With several ports, the scanners are read at once, each into a file in DIR\n"
                "named after its port (/dev/ttyUSB0 gives ttyUSB0-settings.orl, COM3 gives\n"
                "COM3-settings.orl), and one line a port tells where its settings went or why\n"
                "they could not be read. DIR is made if it is missing.\n"},
    {.name = "monitor",
     .forms = {"--port DEV [--settings FILE] [--count N] [LINE]"},
     .summary = "print what the scanner sends, one line per scan",
     .options = {{.name = "--port", .takes = Takes::value},
                 {.name = "--baud", .takes = Takes::value},
                 {.name = "--parity", .takes = Takes::value},
                 {.name = "--data-bits", .takes = Takes::value},
                 {.name = "--settings", .takes = Takes::value},
                 {.name = "--count", .takes = Takes::value}},
     .accepts = [](const Arguments& a) { return operands(a, 0) && a.has("--port"); },
     .run = run_monitor,
     .details = "Listens on DEV and prints each scan the scanner sends as one line: the time,\n"
                "the text with control characters named ([STX], [CR], [LF]), the shortest and\n"
                "longest gap between its characters, and \"ok\" or \"MISMATCH:\" and what is\n"
                "wrong with its prefix or suffix (\"expected suffix [CR][LF], got [CR]\"). A\n"
                "scan ends with the suffix or after more than 100 ms without a character.\n"
                "\n"
                "The line, prefix and suffix are those of the settings in FILE (default: the\n"
                "factory settings), RS-232 group. LINE overrides the line: --baud N (300 to\n"
                "38400), --parity none|even|odd, --data-bits 7|8. The port is only read:\n"
                "nothing is sent to the scanner. Ends after N scans (exit 0) or on Ctrl+C\n"
                "(exit 130).\n"},
    {.name = "export",
     .forms = {"FILE.orl [-o FILE.toml] [--changed]"},
     .summary = "write every setting as text (TOML), for review and version control",
     .options = {kOutput, {.name = "--changed"}},
     .accepts = [](const Arguments& a) { return operands(a, 1); },
     .run = run_export,
     .details = "Writes every setting of FILE.orl as TOML, into FILE.toml unless -o names\n"
                "another file. The settings stand in the summary tree's groups, as tables such\n"
                "as [scanner], [symbology.code_39] and [editing_format.2], each under its\n"
                "field's name: scan_mode = \"Laser\". A value is the tree's word for it, true or\n"
                "false for a switch, or a number where the tree has no word. A key string is\n"
                "given with its form: { form = \"normal key\", keys = \"[Shift][A][Enter]\" }.\n"
                "The bits no setting carries (reserved bits, bytes after a key string's end)\n"
                "go into a last table, [bytes], of offsets and hexadecimal bytes (\"0A/0F\": only\n"
                "the bits of mask 0F), so import gives back FILE.orl byte for byte.\n"
                "\n"
                "--changed writes only the settings that differ from the factory, under the\n"
                "line base = \"factory\": a short text to keep under version control. What no\n"
                "setting carries is then the factory's.\n"},
    {.name = "import",
     .forms = {"FILE.toml [-o FILE.orl]"},
     .summary = "make a settings file of settings in text form",
     .options = {kOutput},
     .accepts = [](const Arguments& a) { return operands(a, 1); },
     .run = run_import,
     .details = "Reads settings in text form, as export writes them, and writes them as a\n"
                "settings file: FILE.orl unless -o names another. The text names every setting,\n"
                "or begins with base = \"factory\": then the settings it leaves out take their\n"
                "factory values, and it has no [bytes]. A text that leaves settings out without\n"
                "that line is refused, with the first settings missing. [bytes] may repeat a\n"
                "named setting's bits only with the same value.\n"
                "A value may be a word or a number; a key string { form, keys }, or its keys\n"
                "alone in the form of the interface chosen. Printable characters may stand\n"
                "without brackets: \"[Shift]aB\". Each error is shown as FILE:LINE:COLUMN:\n"
                "message, at most 20 of them, and then nothing is written. A text over 1 MB\n"
                "is refused.\n"},
};

const Command* find_command(const std::string& name) {
    const auto found = std::ranges::find(kCommands, name, &Command::name);
    return found == std::end(kCommands) ? nullptr : found;
}

void print_forms(const Command& command, std::ostream& out) {
    for (const char* form : command.forms) {
        out << "  tessmar-cli " << command.name << " " << form << "\n";
    }
}

void print_usage(std::ostream& out) {
    out << "Usage: tessmar-cli COMMAND [ARGUMENTS]\n\n"
           "Works with Velkor Orlo scanner settings files (.orl). Wherever a command\n"
           "takes a FILE.orl, it also takes settings in text form, FILE.toml.\n\nCommands:\n";
    for (const Command& command : kCommands) {
        print_forms(command, out);
        out << "      " << command.summary << "\n";
    }
    out << "  tessmar-cli help [COMMAND]\n"
           "      show this help, or more about one command\n"
           "  tessmar-cli --version\n"
           "      show the version\n"
           "\n"
           "DEV is a serial device (/dev/ttyUSB0) or, on Windows, a port (COM3).\n"
           "-o - writes to standard output. An output file is replaced only once all of\n"
           "it was written, so a failure leaves the old file as it was.\n"
           "Exits 0 on success, 1 on failure (with one line on standard error) and 2 on a\n"
           "usage error; diff exits 1 when there are differences, and 2 on trouble.\n";
}

void print_command_usage(const Command& command, std::ostream& out) {
    out << "Usage:\n";
    print_forms(command, out);
    out << "      " << command.summary << "\n";
    if (command.details != nullptr) {
        out << "\n" << command.details;
    }
}

// One line saying what is wrong, and where to look.
int usage_error(const std::string& message) {
    std::cerr << "tessmar-cli" << message << "\nTry 'tessmar-cli --help'.\n";
    return kUsageError;
}

std::string forms_text(const Command& command) {
    std::string text;
    for (const char* form : command.forms) {
        text += (text.empty() ? "" : ", or ") + std::string(form);
    }
    return text;
}

// Two threads on one line would take each other's replies, and Windows does not always refuse
// the second open: a port given twice, by any of its names, is a mistake in the command.
std::string repeated_port(const Arguments& args) {
    if (!args.has("--port")) {
        return {};
    }
    const std::vector<std::string>& ports = args.all("--port");
    for (std::size_t i = 0; i < ports.size(); ++i) {
        for (std::size_t j = i + 1; j < ports.size(); ++j) {
            if (same_serial_port(ports[i], ports[j])) {
                return ports[i] + " and " + ports[j] + " are the same port";
            }
        }
    }
    return {};
}

// Parses a command's arguments and runs it; `trouble` becomes the command's own.
int run_command(const Command& command, const std::vector<std::string>& args, int& trouble) {
    const std::string name = std::string(" ") + command.name + ": ";
    const ParseResult parse =
        parse_command_line(args, {.options = command.options, .dash_is_operand = true});
    if (parse.end == ParseResult::help) {
        print_command_usage(command, std::cout);
        return kSuccess;
    }
    if (parse.end == ParseResult::mistake) {
        return usage_error(name + parse.message);
    }
    if (!command.accepts(parse.arguments)) {
        return usage_error(name + "wrong arguments; it takes " + forms_text(command));
    }
    if (const std::string repeated = repeated_port(parse.arguments); !repeated.empty()) {
        return usage_error(name + repeated);
    }
    trouble = command.trouble;
    return command.run(parse.arguments);
}

// tessmar-cli help [COMMAND]
int help(const std::vector<std::string>& args) {
    const Command* command = args.empty() ? nullptr : find_command(args[0]);
    if (args.size() > 1) {
        return usage_error(" help: wrong arguments; it takes [COMMAND]");
    }
    if (!args.empty() && command == nullptr) {
        return usage_error(": unknown command '" + args[0] + "'");
    }
    command ? print_command_usage(*command, std::cout) : print_usage(std::cout);
    return kSuccess;
}

// The exit code of the run; `trouble` becomes the exit code of a failure to write the output.
int dispatch(int argc, char** argv, int& trouble) {
    if (argc < 2) {
        return usage_error(": no command given");
    }
    const std::string name = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (name == "--help" || name == "-h") {
        print_usage(std::cout);
        return kSuccess;
    }
    if (name == "--version") {
        std::cout << "tessmar-cli " TESSMAR_VERSION "\n";
        return kSuccess;
    }
    if (name == "help") {
        return help(args);
    }
    const Command* command = find_command(name);
    if (command == nullptr) {
        return usage_error(name.starts_with('-') ? ": unknown option '" + name + "'"
                                                 : ": unknown command '" + name + "'");
    }
    return run_command(*command, args, trouble);
}

}  // namespace

int failure(const std::string& message) {
    std::cerr << "tessmar-cli: " << message << "\n";
    return kFailure;
}

int main(int argc, char** argv) {
    const ConsoleSetup console;
    catch_interrupts(interruption());
    int trouble = kFailure;
    const int exit_code = dispatch(argc, argv, trouble);
    const int finished = finish_standard_output(exit_code, trouble);
    return interruption().requested() ? kInterrupted : finished;
}

}  // namespace tessmar::cli

int main(int argc, char** argv) {
    return tessmar::cli::main(argc, argv);
}
