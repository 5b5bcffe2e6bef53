// The one parser of the programs' command lines: a program, or a command of tessmar-cli, lists
// its options in a table, and the arguments are read in order up to --help, --version or the
// first mistake, worded as every program says it after its own name.
#pragma once

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace tessmar {

// A switch, a value given once, or a value each time the option is given.
enum class Takes { nothing, value, values };

// Takes an option's value ("" for a switch) as it is read, so that a bad one is named before any
// argument after it; false refuses it.
using Take = std::function<bool(const std::string& value)>;

struct Option {
    const char* name;
    const char* alias = nullptr;  // "-v" for "--verbose"
    Takes takes = Takes::nothing;
    Take take = nullptr;  // without it the value is only kept in the arguments
};

struct CommandLine {
    std::span<const Option> options;
    const char* operand = nullptr;  // the one operand taken ("DEVICE"); null takes any number
    bool version = false;           // whether --version asks for the version
    bool dash_is_operand = false;   // "-" alone names standard output rather than an option
    bool dash_dash_ends = false;    // every argument after "--" is an operand
};

// The operands, and each option's values in the order given (a switch's are empty).
struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::vector<std::string>> options;

    bool has(const std::string& option) const { return options.contains(option); }
    const std::string& operator[](const std::string& option) const {
        return options.at(option).front();
    }
    const std::vector<std::string>& all(const std::string& option) const {
        return options.at(option);
    }
};

struct ParseResult {
    enum End { run, help, version, mistake } end = run;
    Arguments arguments = {};
    std::string message = {};  // the mistake: "unknown option '--colour'"
    std::string missing = {};  // the option given without its value, when that is the mistake
};

ParseResult parse_command_line(std::span<const std::string> args, const CommandLine& rules);

// A whole number from `least` to `most`, as strtol reads it; `value` is left alone otherwise.
template <typename Number>
bool read_number(const std::string& text, Number& value, long least = 0, long most = INT_MAX) {
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(text.c_str(), &end, 10);
    const bool taken =
        !text.empty() && *end == '\0' && errno == 0 && number >= least && number <= most;
    value = taken ? static_cast<Number>(number) : value;
    return taken;
}

// Takes that keep the value in `target`: a text, a switch's `value`, a number.
Take store(std::string& target);
Take store(bool& target, bool value = true);
template <typename Number>
Take store(Number& target, long least, long most = INT_MAX) {
    return [&target, least, most](const std::string& text) {
        return read_number(text, target, least, most);
    };
}

}  // namespace tessmar
