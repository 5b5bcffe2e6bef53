#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arguments/command_line.h"

namespace tessmar {
namespace {

// The operands, then each option with its values: "'a' 'b' | --port=p,q | -o=x".
std::string kept(const Arguments& parsed) {
    std::string text;
    for (const std::string& operand : parsed.positional) {
        text += (text.empty() ? "'" : " '") + operand + "'";
    }
    for (const auto& [name, values] : parsed.options) {
        text += " | " + name + "=";
        for (std::size_t i = 0; i < values.size(); ++i) {
            text += (i > 0 ? "," : "") + values[i];
        }
    }
    return text;
}

struct Case {
    const char* what;
    bool tool;  // a tool's rules (one SHEET, --version, "--"), else a command's ("-" an operand)
    std::vector<std::string> args;
    ParseResult::End end;
    std::string message_or_kept;  // the mistake's message [and the option missing its value],
                                  // or what was kept
    long count = -1;              // what --count took
};

TEST(CommandLine, ReadsInOrderAndStopsAtTheFirstMistakeOrRequest) {
    using R = ParseResult;
    const Case cases[] = {
        {"values in order",
         false,
         {"a", "--port", "p", "-o", "x", "--port", "q"},
         R::run,
         "'a' | --port=p,q | -o=x"},
        {"a value that begins with '-'", false, {"-o", "--once", "-"}, R::run, "'-' | -o=--once"},
        {"a switch given twice", false, {"--once", "--once"}, R::run, " | --once=,"},
        {"a value given twice", false, {"-o", "a", "-o", "b"}, R::mistake, "option -o given twice"},
        {"a value missing",
         false,
         {"a", "--port"},
         R::mistake,
         "option --port needs a value [--port]"},
        {"an unknown option",
         false,
         {"--colour", "--help"},
         R::mistake,
         "unknown option '--colour'"},
        {"help before a mistake", false, {"-h", "--colour"}, R::help, ""},
        {"--version where a command takes none",
         false,
         {"--version"},
         R::mistake,
         "unknown option '--version'"},
        {"\"--\" where options do not end", false, {"--", "a"}, R::mistake, "unknown option '--'"},
        {"each value taken in turn",
         true,
         {"-c", "3", "--count", "5"},
         R::run,
         " | --count=3,5",
         5},
        {"a value refused, not taken",
         true,
         {"--count", "4", "--count", "0"},
         R::mistake,
         "bad value for --count: '0'",
         4},
        {"by its alias", true, {"-c", "x"}, R::mistake, "bad value for -c: 'x'"},
        {"\"-\" is an option of a tool", true, {"-"}, R::mistake, "unknown option '-'"},
        {"a second operand", true, {"a", "b", "--colour"}, R::mistake, "more than one SHEET given"},
        {"an empty operand names nothing", true, {"", "b"}, R::run, "'' 'b'"},
        {"\"--\" ends the options", true, {"--once", "--", "--help"}, R::run, "'--help' | --once="},
        {"--version of a tool", true, {"--version", "--colour"}, R::version, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        long count = -1;
        const Option options[] = {
            {.name = "--once"},
            {.name = "-o", .takes = Takes::value},
            {.name = "--port", .takes = Takes::values},
            {.name = "--count", .alias = "-c", .takes = Takes::values, .take = store(count, 1, 9)},
        };
        const CommandLine rules = c.tool ? CommandLine{.options = options,
                                                       .operand = "SHEET",
                                                       .version = true,
                                                       .dash_dash_ends = true}
                                         : CommandLine{.options = options, .dash_is_operand = true};
        const ParseResult result = parse_command_line(c.args, rules);
        EXPECT_EQ(result.end, c.end);
        const std::string missing = result.missing.empty() ? "" : " [" + result.missing + "]";
        EXPECT_EQ(c.end == R::mistake ? result.message + missing : kept(result.arguments),
                  c.message_or_kept);
        EXPECT_EQ(count, c.count);
    }
}

}  // namespace
}  // namespace tessmar
