#include "link/read_back.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <span>

namespace tessmar {
namespace {

constexpr std::size_t kWellFormedReply = kReplySlotChars + 1;  // 32 digits and CR

std::string request_name(int number) {
    return "request " + std::to_string(number + 1) + " of " + std::to_string(kReadRequests) +
           " (offset " + hex4(static_cast<unsigned>(number) * 16) + ")";
}

std::span<const std::uint8_t> slot_of(const ReceiveArea& area, int slot, std::size_t count) {
    const std::size_t start = static_cast<std::size_t>(slot) * kReplySlotChars;
    return std::span(area.chars).subspan(start, std::min(count, area.chars.size() - start));
}

bool is_well_formed(const ReceiveArea& area, int slot, std::size_t count) {
    const std::span<const std::uint8_t> reply = slot_of(area, slot, count);
    return count == kWellFormedReply &&
           std::all_of(reply.begin(), reply.end() - 1,
                       [](std::uint8_t c) { return std::isxdigit(c); });
}

// Characters 0 to 3123: slots 0 to 96 whole and the first 20 characters of slot 97.
std::array<std::uint8_t, kRecordSize> decode(const ReceiveArea& area) {
    std::array<std::uint8_t, kRecordSize> bytes{};
    for (std::size_t k = 0; k < kRecordSize; ++k) {
        bytes[k] = static_cast<std::uint8_t>(hex_digit_value(area.chars[2 * k]) * 16 +
                                             hex_digit_value(area.chars[2 * k + 1]));
    }
    return bytes;
}

}  // namespace

std::array<std::uint8_t, kReadRequestSize> read_request(int number) {
    char text[kReadRequestSize + 1];
    std::snprintf(text, sizeof text, "R%04X10\r", static_cast<unsigned>(number) * 16);
    std::array<std::uint8_t, kReadRequestSize> request{};
    std::copy_n(text, request.size(), request.begin());
    return request;
}

std::size_t ReceiveReplyLine(Line& line, ReceiveArea& area, int slot) {
    const std::size_t start = static_cast<std::size_t>(slot) * kReplySlotChars;
    std::size_t received = 0;
    const bool complete =
        await_reply_line(line, kReplySlotChars, [&](std::span<const std::uint8_t> bytes) {
            for (const std::uint8_t byte : bytes) {
                if (start + received < area.chars.size()) {
                    area.chars[start + received] = byte;
                }
                ++received;
            }
        });
    return complete ? received : 0;
}

std::uint8_t hex_digit_value(std::uint8_t digit) {
    if (digit >= 'a') {
        return static_cast<std::uint8_t>(digit - 'a' + 10);
    }
    if (digit >= 'A') {
        return static_cast<std::uint8_t>(digit - 'A' + 10);
    }
    return static_cast<std::uint8_t>(digit - '0');
}

LinkResult ReadBackSettings(ProgramState& state, Line& line, const Progress& progress) {
    ReceiveArea area;
    for (int number = 0; number < kReadRequests; ++number) {
        line.port.write(read_request(number));
        const std::size_t count = ReceiveReplyLine(line, area, number);
        if (count == 0) {
            return {false, "no reply to " + request_name(number) + " within " +
                               std::to_string(kReplyTimeoutMs) + " ms"};
        }
        if (!is_well_formed(area, number, count)) {
            return {false, "the reply to " + request_name(number) +
                               " was not 32 hexadecimal digits and CR: \"" +
                               printable(slot_of(area, number, count)) + "\""};
        }
        progress(number);
    }
    load_settings_bytes(state, decode(area));
    progress(kReadProgressEnd);
    return {true, ""};
}

}  // namespace tessmar
