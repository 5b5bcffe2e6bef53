#include "link/transfer.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tessmar {
namespace {

// The largest read either protocol makes.
constexpr std::size_t kMaxReadSize = 32;
constexpr std::uint8_t kCr = '\r';
// A transfer that can be stopped waits no longer than this at a time, so a stop takes effect at
// once even while the scanner is silent.
constexpr std::uint32_t kLongestStoppableWaitMs = 100;

// Waits for bytes up to `limit_ms`, then lets the line's owner have its turn; true when the
// transfer may go on.
bool wait_on(Line& line, std::uint32_t limit_ms) {
    line.port.wait_for_bytes(line.cancel ? std::min(limit_ms, kLongestStoppableWaitMs) : limit_ms);
    if (line.between_waits) {
        line.between_waits();
    }
    return stop_of(line) == Stop::none;
}

}  // namespace

Stop stop_of(const Line& line) {
    if (line.port.gone()) {
        return Stop::port_gone;
    }
    return line.cancel && line.cancel->requested() ? Stop::interrupted : Stop::none;
}

Line uninterruptible(const Line& line) {
    Line copy = line;
    copy.cancel = nullptr;
    return copy;
}

std::string stop_failure(Stop stop, const std::string& where) {
    if (stop == Stop::port_gone) {
        return "the port went away at " + where + ": an adapter or a cable was unplugged";
    }
    return "interrupted at " + where;
}

bool await_reply_line(Line& line, std::size_t read_size,
                      const std::function<void(std::span<const std::uint8_t>)>& store) {
    if (stop_of(line) != Stop::none) {
        return false;
    }
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
        // Up to the first tick past the deadline, where the next read is the last.
        if (count == 0 && !wait_on(line, deadline - now + 1)) {
            return false;
        }
    }
}

bool settle_line(Line& line) {
    if (stop_of(line) != Stop::none) {
        return false;
    }
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
        if (!wait_on(line, quiet_until - now)) {
            return false;
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
