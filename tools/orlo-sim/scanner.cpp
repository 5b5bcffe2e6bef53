#include "tools/orlo-sim/scanner.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

namespace orlo_sim {
namespace {

constexpr std::size_t kPacketChars = 38;  // offset, length, 32 digits
constexpr std::size_t kRequestChars = 7;  // "R", offset, length

bool all_hex(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c); });
}

// The chunk offset of "OOOO10...": four hex digits, a multiple of 16 inside the memory, and
// the length 16. Nothing when the message does not fit.
std::optional<std::size_t> chunk_offset(const std::string& head) {
    if (head.size() != 6 || !all_hex(head.substr(0, 4)) || head.substr(4) != "10") {
        return std::nullopt;
    }
    const std::size_t offset = std::stoul(head.substr(0, 4), nullptr, 16);
    if (offset % kChunkSize != 0 || offset + kChunkSize > kMemorySize) {
        return std::nullopt;
    }
    return offset;
}

// A read reply with its first digit's lowest bit flipped: still hexadecimal, one byte wrong, as
// noise on a line without parity leaves it.
void flip_first_digit(std::string& reply) {
    const char digit = reply[0];
    if (!std::isxdigit(static_cast<unsigned char>(digit))) {
        return;
    }
    const unsigned value = std::stoul(std::string(1, digit), nullptr, 16) ^ 1u;
    const char* digits =
        std::isupper(static_cast<unsigned char>(digit)) ? "0123456789ABCDEF" : "0123456789abcdef";
    reply[0] = digits[value];
}

}  // namespace

std::optional<std::string> Scanner::answer(const std::string& message) {
    const long number = messages_++;
    std::optional<std::string> reply = answer_message(message, number);
    if (number == faults_.flip_digit && reply && reply->size() == 2 * kChunkSize + 1) {
        flip_first_digit(*reply);
    }
    if (faults_.behind_from >= 0 && number >= faults_.behind_from) {
        return std::exchange(held_, std::move(reply));
    }
    return reply;
}

std::optional<std::string> Scanner::answer_message(const std::string& message, long number) {
    if (faults_.silent_after >= 0 && number >= faults_.silent_after) {
        return std::nullopt;
    }
    if (number < faults_.wrong_replies) {
        return "NAK\r";
    }
    if (message == "UPDATE") {
        return update();
    }
    if (message == "EXIT") {
        received_.reset();
        return "ACK\r";
    }
    if (message.size() == kRequestChars && message[0] == 'R') {
        return read_chunk(message);
    }
    if (message.size() == kPacketChars) {
        return store_chunk(message);
    }
    return "ERR\r";
}

std::string Scanner::store_chunk(const std::string& message) {
    const std::optional<std::size_t> offset = chunk_offset(message.substr(0, 6));
    const std::string digits = message.substr(6);
    if (!offset || !all_hex(digits)) {
        return "ERR\r";
    }
    for (std::size_t i = 0; i < kChunkSize; ++i) {
        pending_[*offset + i] =
            static_cast<std::uint8_t>(std::stoul(digits.substr(2 * i, 2), nullptr, 16));
    }
    received_.set(*offset / kChunkSize);
    return "ACK\r";
}

// Settings are taken into use only when every chunk of the download has arrived.
std::string Scanner::update() {
    if (!received_.all()) {
        return "ERR\r";
    }
    memory_ = pending_;
    if (faults_.corrupt_at >= 0) {
        memory_[static_cast<std::size_t>(faults_.corrupt_at)] ^= 0xFF;
    }
    received_.reset();
    updated_ = true;
    return "DONE\r";
}

std::string Scanner::read_chunk(const std::string& message) const {
    const std::optional<std::size_t> offset = chunk_offset(message.substr(1));
    if (!offset) {
        return "ERR\r";
    }
    std::string reply;
    for (std::size_t i = 0; i < kChunkSize; ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, faults_.lower_case ? "%02x" : "%02X",
                      memory_[*offset + i]);
        reply += digits;
    }
    return reply + "\r";
}

}  // namespace orlo_sim
