#include "sheet/sheet_tokens.h"

#include <cstdio>

#include "model/key_string.h"

namespace tessmar {

std::string setup_token(unsigned code, std::string_view caption) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04u", code);
    std::string token = digits;
    token += '<';
    token += caption;
    token += '>';
    return token;
}

std::string fill_caption(std::string_view format, std::string_view word) {
    std::string caption(format);
    if (const auto at = caption.find("%s"); at != std::string::npos) {
        caption.replace(at, 2, word);
    }
    return caption;
}

std::string numbered_caption(std::string_view format, unsigned n) {
    std::string caption(format);
    if (const auto at = caption.find("%d"); at != std::string::npos) {
        caption.replace(at, 2, std::to_string(n));
    }
    return caption;
}

std::string FormatNumberTokens(unsigned value) {
    const std::string digits = std::to_string(value);
    std::string tokens;
    for (const char digit : digits) {
        const unsigned d = static_cast<unsigned>(digit - '0');
        tokens += setup_token(9900 + d, "0x0" + std::string(1, digit));
    }
    tokens += kValidateToken;
    return tokens;
}

std::string key_string_tokens(KeyString slot, InterfaceClass interface_class) {
    std::string tokens;
    for (const std::string& item : key_string_setup_items(slot, interface_class)) {
        tokens += item;
    }
    return tokens;
}

}  // namespace tessmar
