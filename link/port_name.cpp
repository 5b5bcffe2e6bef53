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

std::string upper_case(std::string_view name) {
    std::string upper(name);
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return upper;
}

// COM ports by their number (compared as numbers, however long), then everything else by name.
bool in_number_order(const std::string& a, const std::string& b) {
    const bool a_com = is_com_port(a);
    const bool b_com = is_com_port(b);
    if (a_com != b_com) {
        return a_com;
    }
    if (!a_com) {
        return upper_case(a) < upper_case(b);
    }
    const std::string_view a_number = std::string_view(a).substr(kComPrefix.size());
    const std::string_view b_number = std::string_view(b).substr(kComPrefix.size());
    const auto significant = [](std::string_view digits) {
        return digits.substr(std::min(digits.find_first_not_of('0'), digits.size()));
    };
    const std::string_view x = significant(a_number);
    const std::string_view y = significant(b_number);
    return x.size() != y.size() ? x.size() < y.size() : x < y;
}

}  // namespace

std::vector<std::string> ports_beyond(std::vector<std::string> found,
                                      std::span<const char* const> listed) {
    std::vector<std::string> seen;
    for (const char* name : listed) {
        seen.push_back(upper_case(name));
    }
    std::vector<std::string> beyond;
    for (std::string& name : found) {
        const std::string key = upper_case(name);
        if (!name.empty() && std::ranges::find(seen, key) == seen.end()) {
            seen.push_back(key);
            beyond.push_back(std::move(name));
        }
    }
    std::ranges::sort(beyond, in_number_order);
    return beyond;
}

std::string serial_device_name(std::string_view port) {
    const bool known_everywhere =
        is_com_port(port) && port.size() == kComPrefix.size() + 1 && port.back() != '0';
    const bool path = port.find_first_of("\\/:") != std::string_view::npos;
    if (port.empty() || known_everywhere || path) {
        return std::string(port);
    }
    return std::string(kDeviceNamespace) + std::string(port);
}

bool same_windows_port(std::string_view a, std::string_view b) {
    const auto bare = [](std::string_view name) {
        return upper_case(name.starts_with(kDeviceNamespace) ? name.substr(kDeviceNamespace.size())
                                                             : name);
    };
    return bare(a) == bare(b);
}

}  // namespace tessmar
