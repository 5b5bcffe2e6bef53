#include "cli/cli.h"

#include <cstdio>
#include <iostream>

namespace tessmar::cli {
namespace {

bool positional_count(const Arguments& args, std::size_t count) {
    return args.positional.size() == count;
}

const Command kCommands[] = {
    {"defaults",
     "-o FILE.orl",
     "write the factory settings file",
     {"-o"},
     [](const Arguments& a) { return positional_count(a, 0) && a.has("-o"); },
     run_defaults},
    {"tree",
     "FILE.orl",
     "print the summary tree, two spaces of indent per level",
     {},
     [](const Arguments& a) { return positional_count(a, 1); },
     run_tree},
    {"diff",
     "A.orl [B.orl | --port DEV]",
     "the summary lines that differ (B defaults to the factory settings)",
     {"--port"},
     [](const Arguments& a) {
         return positional_count(a, 1) || (positional_count(a, 2) && !a.has("--port"));
     },
     run_diff,
     "Lists the lines of the summary tree in which A and B differ, each under the path of its\n"
     "parent in the tree: \"- \" and A's text, \"+ \" and B's text, one of them alone when only\n"
     "one tree has the line. Prints nothing when the trees agree. Exits 0 whether or not they\n"
     "differ, 1 when a file cannot be read.\n"
     "\n"
     "  tessmar-cli diff FILE.orl --port DEV\n"
     "\n"
     "compares the file with what the scanner on DEV holds, changing neither: the lines that\n"
     "differ, then each differing byte that no line shows (the options of an interface not\n"
     "selected, say) with its offset. Exits 0 when they are equal, 1 when they differ or the\n"
     "scanner cannot be read.\n"},
    {"sheet",
     "FILE.orl [-o PATH]",
     "write the setup-code sheet (default ./Barcode.prn)",
     {"-o"},
     [](const Arguments& a) { return positional_count(a, 1); },
     run_sheet},
    {"download",
     "FILE.orl --port DEV [--verify]",
     "send the settings to a scanner",
     {"--port"},
     [](const Arguments& a) { return positional_count(a, 1) && a.has("--port"); },
     run_download,
     "With --verify the scanner is read back after the download and compared with the file:\n"
     "exit 0 when it holds exactly what was sent; otherwise the differences are listed as diff\n"
     "lists them, and the exit is 1, as it is when the read-back fails.\n",
     {"--verify"}},
    {"read",
     "--port DEV -o FILE.orl",
     "read a scanner's settings into a file",
     {"--port", "-o"},
     [](const Arguments& a) { return positional_count(a, 0) && a.has("--port") && a.has("-o"); },
     run_read},
};

const Command* find_command(const std::string& name) {
    for (const Command& command : kCommands) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

void print_usage(const Command* only, std::ostream& out) {
    if (only == nullptr) {
        out << "Usage: tessmar-cli COMMAND [ARGUMENTS]\n\n"
               "Works with Velkor Orlo scanner settings files (.orl).\n\nCommands:\n";
    } else {
        out << "Usage:\n";
    }
    for (const Command& command : kCommands) {
        if (only == nullptr || only == &command) {
            char line[200];
            std::snprintf(line, sizeof line, "  tessmar-cli %-8s %-31s %s\n", command.name,
                          command.synopsis, command.summary);
            out << line;
            if (only != nullptr && command.details != nullptr) {
                out << "\n" << command.details;
            }
        }
    }
    if (only == nullptr) {
        out << "\n-o - writes to standard output. An output file is replaced only once all of it\n"
               "was written, so a failure leaves the old file as it was.\n"
               "'tessmar-cli COMMAND --help' shows the usage of one command.\n";
    }
}

int usage_error(const Command* command, const std::string& message) {
    std::cerr << "tessmar-cli: " << message << "\n";
    print_usage(command, std::cerr);
    return kUsageError;
}

bool is_one_of(std::initializer_list<const char*> options, const std::string& arg) {
    for (const char* option : options) {
        if (arg == option) {
            return true;
        }
    }
    return false;
}

// Parses a command's arguments; returns an exit code when the command should not run.
int parse(const Command& command, const std::vector<std::string>& args, Arguments& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            print_usage(&command, std::cout);
            return kSuccess;
        }
        if (is_one_of(command.flag_options, arg)) {
            parsed.options[arg] = "";
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            if (!is_one_of(command.value_options, arg)) {
                return usage_error(&command, "unknown option " + arg);
            }
            if (i + 1 >= args.size()) {
                return usage_error(&command, "option " + arg + " needs a value");
            }
            parsed.options[arg] = args[++i];
            continue;
        }
        parsed.positional.push_back(arg);
    }
    if (!command.accepts(parsed)) {
        return usage_error(&command, "wrong arguments for " + std::string(command.name));
    }
    return -1;
}

}  // namespace

int failure(const std::string& message) {
    std::cerr << "tessmar-cli: " << message << "\n";
    return kFailure;
}

namespace {

int dispatch(int argc, char** argv) {
    if (argc < 2) {
        return usage_error(nullptr, "no command given");
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h") {
        print_usage(nullptr, std::cout);
        return kSuccess;
    }
    const Command* command = find_command(name);
    if (command == nullptr) {
        return usage_error(nullptr, "unknown command '" + name + "'");
    }
    Arguments parsed;
    const int early_exit = parse(*command, std::vector<std::string>(argv + 2, argv + argc), parsed);
    return early_exit >= 0 ? early_exit : command->run(parsed);
}

}  // namespace

int main(int argc, char** argv) {
    return finish_standard_output(dispatch(argc, argv));
}

}  // namespace tessmar::cli

int main(int argc, char** argv) {
    return tessmar::cli::main(argc, argv);
}
