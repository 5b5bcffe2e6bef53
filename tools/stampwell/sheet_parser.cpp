#include "tools/stampwell/sheet_parser.h"

#include <algorithm>

namespace stampwell {
namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_line_break(char c) {
    return c == '\r' || c == '\n';
}

bool is_blank(char c) {
    return is_line_break(c) || c == ' ' || c == '\t';
}

// Text that a sheet never holds: control characters, apart from the line breaks (and tabs)
// between codes when `blanks_allowed`.
bool has_control_character(std::string_view text, bool blanks_allowed) {
    return std::ranges::any_of(text, [&](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && !(blanks_allowed && is_blank(c))) || byte == 0x7F;
    });
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// How many line breaks stand at the start of `text` (CR LF counts once).
int leading_line_breaks(std::string_view text) {
    int breaks = 0;
    for (std::size_t i = 0; i < text.size() && is_blank(text[i]); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++breaks;
        }
    }
    return breaks;
}

std::string at_byte(std::size_t offset) {
    std::string text = " at byte ";
    return text += std::to_string(offset);
}

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    ParsedSheet run() {
        if (!read_title()) {
            return fail("it does not begin with the line \"" + std::string(kSheetTitle) + "\"");
        }
        while (position_ < text_.size()) {
            const std::size_t open = text_.find('<', position_);
            if (open == std::string_view::npos) {
                break;
            }
            const std::size_t close = text_.find('>', open + 1);
            if (close == std::string_view::npos) {
                return fail("the '<'" + at_byte(open) + " has no closing '>'");
            }
            if (std::string error = read_code(open, close); !error.empty()) {
                return fail(error);
            }
            position_ = close + 1;
        }
        if (!trim(text_.substr(position_)).empty()) {
            return fail("it has text after its last setup code" + at_byte(position_));
        }
        if (sheet_.groups.empty()) {
            return fail("it holds no setup codes");
        }
        if (!ends_with_closing_code()) {
            return fail("it does not end with the closing code " + std::string(kClosingDigits) +
                        "<" + std::string(kClosingCaption) + ">, so it is not complete");
        }
        return {std::move(sheet_), {}};
    }

  private:
    static ParsedSheet fail(std::string why) { return {std::nullopt, std::move(why)}; }

    bool ends_with_closing_code() const {
        const SetupCode& last = sheet_.groups.back().codes.back();
        return last.digits == kClosingDigits && last.caption == kClosingCaption;
    }

    bool read_title() {
        if (!text_.starts_with(kSheetTitle)) {
            return false;
        }
        position_ = kSheetTitle.size();
        return position_ == text_.size() || is_line_break(text_[position_]);
    }

    // The text from the end of the last code up to `open` holds an optional heading, then the
    // digits of the code whose caption runs from `open` to `close`.
    std::string read_code(std::size_t open, std::size_t close) {
        const std::string_view before = text_.substr(position_, open - position_);
        const std::string_view caption = text_.substr(open + 1, close - open - 1);
        std::size_t digits_start = before.size();
        while (digits_start > 0 && is_digit(before[digits_start - 1])) {
            --digits_start;
        }
        const std::string_view digits = before.substr(digits_start);
        const std::string_view between = before.substr(0, digits_start);
        if (digits.empty()) {
            return "no setup code stands before the '<'" + at_byte(open);
        }
        if (digits.size() > kMaxCodeDigits) {
            return "the setup code before the '<'" + at_byte(open) + " is too long";
        }
        if (caption.find('<') != std::string_view::npos || has_control_character(caption, false)) {
            return "the caption" + at_byte(open) + " is not a caption";
        }
        if (between.find('>') != std::string_view::npos || has_control_character(between, true)) {
            return "the text before the setup code" + at_byte(open) + " is not a heading";
        }
        start_group_if_needed(between);
        sheet_.groups.back().codes.push_back({std::string(digits), std::string(caption)});
        return {};
    }

    void start_group_if_needed(std::string_view between) {
        const std::string_view heading = trim(between);
        const int breaks = leading_line_breaks(between);
        if (!heading.empty()) {
            sheet_.groups.push_back({std::string(heading), breaks < 2, {}});
        } else if (sheet_.groups.empty() || breaks >= 2) {
            sheet_.groups.push_back({});
        }
    }

    std::string_view text_;
    std::size_t position_ = 0;
    Sheet sheet_;
};

}  // namespace

ParsedSheet parse_sheet(std::string_view text) {
    return Parser(text).run();
}

}  // namespace stampwell
