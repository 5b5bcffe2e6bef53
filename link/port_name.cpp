#include "link/port_name.h"

#include <algorithm>
#include <cctype>

namespace tessmar {
namespace {

constexpr std::string_view kComPrefix = "COM";
constexpr std::string_view kDeviceNamespace = "\\\\.\\";

bool is_digit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// "COM" and a number, in any case.
bool is_com_port(std::string_view port) {
    if (port.size() <= kComPrefix.size()) {
        return false;
    }
    const bool com = std::ranges::equal(
        port.substr(0, kComPrefix.size()), kComPrefix,
        [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
    return com && std::ranges::all_of(port.substr(kComPrefix.size()), is_digit);
}

}  // namespace

std::string serial_device_name(std::string_view port) {
    const bool reserved_name = port.size() == kComPrefix.size() + 1 && port.back() != '0';
    if (!is_com_port(port) || reserved_name) {
        return std::string(port);
    }
    return std::string(kDeviceNamespace) + std::string(port);
}

}  // namespace tessmar
