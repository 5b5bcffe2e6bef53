#include "link/read_back.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <span>
#include <vector>

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

// Bytes 0 to 15 of a slot.
std::array<std::uint8_t, 16> block_of(const ReceiveArea& area, int slot) {
    std::array<std::uint8_t, 16> bytes{};
    const std::size_t start = static_cast<std::size_t>(slot) * kReplySlotChars;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        bytes[k] = static_cast<std::uint8_t>(hex_digit_value(area.chars[start + 2 * k]) * 16 +
                                             hex_digit_value(area.chars[start + 2 * k + 1]));
    }
    return bytes;
}

// Writes request `number` and gathers its reply into `slot`; the failure, or empty.
std::string exchange(Line& line, ReceiveArea& area, int slot, int number, const std::string& name) {
    line.port.write(read_request(number));
    const std::size_t count = ReceiveReplyLine(line, area, slot);
    if (const Stop stop = stop_of(line); count == 0 && stop != Stop::none) {
        return stop_failure(stop, name);
    }
    if (count == 0) {
        return "no reply to " + name + " within " + std::to_string(kReplyTimeoutMs) + " ms";
    }
    if (!is_well_formed(area, slot, count)) {
        return "the reply to " + name + " was not 32 hexadecimal digits and CR: \"" +
               printable(slot_of(area, slot, count)) + "\"";
    }
    return {};
}

// The blocks read again after the 99 requests. A reply carries no offset: a stale one taken for
// the first request's answer shifts every later reply by one request, and stands in for the first
// request's answer alone when the scanner missed that request. So block 0 is read again, and then,
// twice in a row, the first block whose bytes differ from the next block's: after a shift the
// second answer holds that block's bytes where its slot holds the block before. Where every block
// reads alike, a shift changes no byte.
std::vector<int> blocks_to_read_again(const ReceiveArea& area) {
    int block = 0;
    while (block + 1 < kReadRequests && block_of(area, block) == block_of(area, block + 1)) {
        ++block;
    }
    if (block + 1 == kReadRequests) {
        block = 0;  // every block alike
    }
    return block == 0 ? std::vector{0, 0} : std::vector{0, block, block};
}

// Empty when every block read again came back as its slot holds it.
std::string check_replies_in_step(Line& line, const ReceiveArea& area) {
    ReceiveArea again;
    for (const int block : blocks_to_read_again(area)) {
        const std::string offset = hex4(static_cast<unsigned>(block) * 16);
        if (std::string failure =
                exchange(line, again, 0, block, "the repeated request for offset " + offset);
            !failure.empty()) {
            return failure;
        }
        if (block_of(again, 0) != block_of(area, block)) {
            return "offset " + offset +
                   " read again gave other bytes: a late or stale reply was taken for another "
                   "request's, so the settings read cannot be trusted";
        }
    }
    return {};
}

// Each block whose two answers differ is read a third time; `taken` ends with the answer two of
// the three agree on. Empty when every block was settled.
std::string settle_disagreements(Line& line, ReceiveArea& taken, const ReceiveArea& second) {
    for (int block = 0; block < kReadRequests; ++block) {
        if (block_of(taken, block) == block_of(second, block)) {
            continue;
        }
        const std::string offset = hex4(static_cast<unsigned>(block) * 16);
        ReceiveArea third;
        if (std::string failure =
                exchange(line, third, 0, block, "the third request for offset " + offset);
            !failure.empty()) {
            return failure;
        }
        if (block_of(third, 0) == block_of(second, block)) {
            const auto start = static_cast<std::ptrdiff_t>(block) * kReplySlotChars;
            std::copy_n(second.chars.begin() + start, kReplySlotChars, taken.chars.begin() + start);
        } else if (block_of(third, 0) != block_of(taken, block)) {
            return "offset " + offset +
                   " gave three different answers in three reads, so the settings read cannot be "
                   "trusted";
        }
    }
    return {};
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

LinkResult ReadBackSettings(ProgramState& state, Line& line, const Progress& progress,
                            ReadPasses passes) {
    if (!settle_line(line)) {
        const Stop stop = stop_of(line);
        return {false,
                stop == Stop::none ? unsettled_failure(request_name(0))
                                   : stop_failure(stop, request_name(0)),
                stop};
    }
    const int pass_count = static_cast<int>(passes);
    std::array<ReceiveArea, 2> areas;
    int shown = -1;  // two replies may share a step of the bar: each step is shown once
    for (int pass = 0; pass < pass_count; ++pass) {
        for (int number = 0; number < kReadRequests; ++number) {
            if (std::string failure =
                    exchange(line, areas[pass], number, number, request_name(number));
                !failure.empty()) {
                return {false, failure, stop_of(line)};
            }
            const int position =
                (pass * kReadRequests + number) * kReadProgressEnd / (pass_count * kReadRequests);
            if (position != shown) {
                progress(position);
                shown = position;
            }
        }
    }
    if (passes == ReadPasses::twice) {
        if (std::string failure = settle_disagreements(line, areas[0], areas[1]);
            !failure.empty()) {
            return {false, failure, stop_of(line)};
        }
    }
    if (std::string failure = check_replies_in_step(line, areas[0]); !failure.empty()) {
        return {false, failure, stop_of(line)};
    }
    load_settings_bytes(state, decode(areas[0]));
    progress(kReadProgressEnd);
    return {true, ""};
}

}  // namespace tessmar
