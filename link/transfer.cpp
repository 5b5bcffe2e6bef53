#include "link/transfer.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tessmar {
namespace {

// The largest read either protocol makes.
constexpr std::size_t kMaxReadSize = 32;
constexpr std::uint8_t kCr = '\r';

}  // namespace

bool await_reply_line(Line& line, std::size_t read_size,
                      const std::function<void(std::span<const std::uint8_t>)>& store) {
    const std::uint32_t deadline = line.clock.now_ms() + kReplyTimeoutMs;
    std::array<std::uint8_t, kMaxReadSize> buffer{};
    const std::span<std::uint8_t> poll = std::span(buffer).first(std::min(read_size, kMaxReadSize));
    for (;;) {
        const std::size_t count = std::min(line.port.read(poll), poll.size());
        if (count > 0) {
            store(poll.first(count));
        }
        // The deadline comes first: a line completed by a read that ends late still failed.
        const std::uint32_t now = line.clock.now_ms();
        if (tick_is_later(now, deadline)) {
            return false;
        }
        // Only the last byte of a read can end the line.
        if (count > 0 && poll[count - 1] == kCr) {
            return true;
        }
        if (count == 0) {
            // Up to the first tick past the deadline, where the next read is the last.
            line.port.wait_for_bytes(deadline - now + 1);
            if (line.between_waits) {
                line.between_waits();
            }
        }
    }
}

bool settle_line(Line& line) {
    line.port.purge_received();
    const std::uint32_t give_up = line.clock.now_ms() + kReplyTimeoutMs;
    std::uint32_t quiet_until = line.clock.now_ms() + kQuietMs;
    // Whether anything came is all that counts: the purge takes the rest.
    std::array<std::uint8_t, 1> arrived{};
    for (;;) {
        const std::uint32_t now = line.clock.now_ms();
        if (line.port.read(arrived) > 0) {
            line.port.purge_received();
            quiet_until = now + kQuietMs;
            if (tick_is_later(quiet_until, give_up)) {
                return false;
            }
            continue;
        }
        if (!tick_is_later(quiet_until, now)) {
            return true;
        }
        line.port.wait_for_bytes(quiet_until - now);
        if (line.between_waits) {
            line.between_waits();
        }
    }
}

std::string unsettled_failure(const std::string& message) {
    return "bytes kept arriving for " + std::to_string(kReplyTimeoutMs) + " ms before " + message +
           ": something else is sending on the line";
}

std::string printable(std::span<const std::uint8_t> bytes, std::size_t limit) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const std::uint8_t byte = bytes[i];
        if (byte == '\r') {
            text += "\\r";
        } else if (byte == '\n') {
            text += "\\n";
        } else if (byte < 0x20 || byte >= 0x7F || byte == '\\' || byte == '"') {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            text += escape;
        } else {
            text += static_cast<char>(byte);
        }
    }
    if (bytes.size() > limit) {
        text += "...";
    }
    return text;
}

std::string hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFFu);
    return text;
}

}  // namespace tessmar
