// The scanner's side of the link protocols: what it stores from a download, what it answers to
// each message, and the faults it can be told to make. No I/O here; the line loop feeds it
// messages and sends its answers.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace orlo_sim {

inline constexpr std::size_t kMemorySize = 1792;  // what a download image fills
inline constexpr std::size_t kChunkSize = 16;
inline constexpr std::size_t kChunks = kMemorySize / kChunkSize;

struct Faults {
    long silent_after = -1;   // answer this many messages, then none; -1 answers all
    long wrong_replies = 0;   // answer the first this many messages with "NAK" and ignore them
    bool lower_case = false;  // read replies in lower-case hexadecimal
    long corrupt_at = -1;     // keep this byte of every download inverted; -1 keeps them all
    long behind_from = -1;    // from this message on, answer each one when the next comes
    long flip_digit = -1;     // answer this message with the first hex digit changed
};

class Scanner {
  public:
    using Memory = std::array<std::uint8_t, kMemorySize>;

    Scanner(const Memory& memory, Faults faults) : memory_(memory), faults_(faults) {}

    // The answer to one message (its text without the CR), with its CR, or nothing when the
    // scanner stays silent. A scanner running behind gives the answer to the message before.
    std::optional<std::string> answer(const std::string& message);

    // True once after UPDATE took a download into use.
    bool take_updated() { return std::exchange(updated_, false); }
    const Memory& memory() const { return memory_; }

  private:
    std::optional<std::string> answer_message(const std::string& message, long number);
    std::string store_chunk(const std::string& message);
    std::string update();
    std::string read_chunk(const std::string& message) const;

    Memory memory_;
    Memory pending_{};  // the download under way
    std::bitset<kChunks> received_;
    Faults faults_;
    long messages_ = 0;
    bool updated_ = false;
    std::optional<std::string> held_;  // the answer a scanner running behind still owes
};

}  // namespace orlo_sim
