#include "arguments/command_line.h"

#include <algorithm>

namespace tessmar {

ParseResult parse_command_line(std::span<const std::string> args, const CommandLine& rules) {
    const auto mistake = [](std::string message, std::string missing = {}) {
        return ParseResult{.end = ParseResult::mistake, .message = message, .missing = missing};
    };
    ParseResult result;
    Arguments& parsed = result.arguments;
    bool options_ended = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto option = std::ranges::find_if(rules.options, [&](const Option& option) {
            return arg == option.name || (option.alias != nullptr && arg == option.alias);
        });
        if (options_ended || !arg.starts_with('-') || (rules.dash_is_operand && arg == "-")) {
            // An empty argument names nothing, so one after it is no second operand.
            if (rules.operand && !parsed.positional.empty() && !parsed.positional.back().empty()) {
                return mistake(std::string("more than one ") + rules.operand + " given");
            }
            parsed.positional.push_back(arg);
        } else if (arg == "--help" || arg == "-h") {
            return {.end = ParseResult::help};
        } else if (rules.version && arg == "--version") {
            return {.end = ParseResult::version};
        } else if (rules.dash_dash_ends && arg == "--") {
            options_ended = true;
        } else if (option == rules.options.end()) {
            return mistake("unknown option '" + arg + "'");
        } else if (option->takes != Takes::nothing && i + 1 == args.size()) {
            return mistake("option " + arg + " needs a value", arg);
        } else if (option->takes == Takes::value && parsed.has(option->name)) {
            return mistake("option " + arg + " given twice");
        } else {
            const std::string value = option->takes == Takes::nothing ? "" : args[++i];
            if (option->take && !option->take(value)) {
                return mistake("bad value for " + arg + ": '" + value + "'");
            }
            parsed.options[option->name].push_back(value);
        }
    }
    return result;
}

Take store(std::string& target) {
    return [&target](const std::string& value) {
        target = value;
        return true;
    };
}

Take store(bool& target, bool value) {
    return [&target, value](const std::string&) {
        target = value;
        return true;
    };
}

}  // namespace tessmar
