#include "model/text_depth.h"

#include <string>

namespace tessmar {
namespace {

// Walks the text as the TOML lexer would, only far enough to tell strings and comments apart
// from the brackets and dots outside them.
class DepthScan {
  public:
    explicit DepthScan(std::string_view text) : text_(text) {}
    std::optional<SettingsTextError> run();

  private:
    void advance();
    void skip_string();
    void skip_comment();
    std::optional<SettingsTextError> at_here(const std::string& what) const {
        return SettingsTextError{line_, column_, what + " deeper than any setting lies"};
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
    std::size_t column_ = 1;
};

void DepthScan::advance() {
    const char c = text_[at_++];
    if (c == '\n') {
        ++line_;
        column_ = 1;
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
        ++column_;  // a column is a character, not a byte of one
    }
}

// From the opening quote past the closing one: "...", '...', """...""" or '''...'''.
void DepthScan::skip_string() {
    const char quote = text_[at_];
    const bool multi_line = text_.substr(at_, 3) == std::string(3, quote);
    const std::string close = multi_line ? std::string(3, quote) : std::string(1, quote);
    for (std::size_t i = 0; i < close.size(); ++i) {
        advance();
    }
    while (at_ < text_.size()) {
        if (text_.substr(at_, close.size()) == close) {
            for (std::size_t i = 0; i < close.size(); ++i) {
                advance();
            }
            return;
        }
        if ((text_[at_] == '\n' && !multi_line)) {
            return;  // the parser reports the unclosed string
        }
        if (text_[at_] == '\\' && quote == '"' && at_ + 1 < text_.size()) {
            advance();
        }
        advance();
    }
}

void DepthScan::skip_comment() {
    while (at_ < text_.size() && text_[at_] != '\n') {
        advance();
    }
}

std::optional<SettingsTextError> DepthScan::run() {
    std::size_t depth = 0;
    std::size_t dots = 0;  // since the last bracket, '=', ',' or line end
    while (at_ < text_.size()) {
        const char c = text_[at_];
        if (c == '"' || c == '\'') {
            skip_string();
            continue;
        }
        if (c == '#') {
            skip_comment();
            continue;
        }
        if (c == '[' || c == '{') {
            if (++depth > kDeepestSettingKey) {
                return at_here("tables or arrays nested");
            }
            dots = 0;
        } else if (c == ']' || c == '}') {
            depth -= depth > 0 ? 1 : 0;
            dots = 0;
        } else if (c == '=' || c == ',' || c == '\n') {
            dots = 0;
        } else if (c == '.' && ++dots >= kDeepestSettingKey) {
            return at_here("a key of more than " + std::to_string(kDeepestSettingKey) +
                           " parts goes");
        }
        advance();
    }
    return std::nullopt;
}

}  // namespace

std::optional<SettingsTextError> too_deep(std::string_view text) {
    return DepthScan(text).run();
}

}  // namespace tessmar
