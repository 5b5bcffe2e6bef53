// Watching what a keyboard-wedge scanner types: each key named from its scan code, as the key
// grid names normal keys, so a host keyboard layout other than the scanner's hides nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/key_string_slot.h"

namespace tessmar {

// A recording ends this long after the last key (or its start), so nobody is trapped in it.
inline constexpr std::uint32_t kKeyRecordingQuietMs = 2000;

struct WatchedKey {
    unsigned modifiers = 0;            // ModifierFlag bits held when it went down
    std::optional<std::uint8_t> code;  // none for a modifier pressed alone or an unknown key
    unsigned scan_code = 0;            // for a key the grid has no cell for
};

// Collects the keys of one recording from key-down and key-up events with set-1 scan codes.
class KeyRecorder {
  public:
    // The recording ends once the keys end with `suffix` (normal-key bytes; empty: never).
    KeyRecorder(std::vector<std::uint8_t> suffix, std::uint32_t now_ms)
        : suffix_(std::move(suffix)), last_ms_(now_ms) {}

    // True once the suffix has come.
    bool key_down(unsigned scan_code, bool extended, std::uint32_t now_ms);
    void key_up(unsigned scan_code, bool extended);
    bool quiet_since(std::uint32_t now_ms) const {
        return now_ms - last_ms_ > kKeyRecordingQuietMs;
    }

    const std::vector<WatchedKey>& keys() const { return keys_; }
    const std::vector<std::uint32_t>& gaps_ms() const { return gaps_ms_; }

  private:
    std::vector<std::uint8_t> suffix_;
    std::vector<WatchedKey> keys_;
    std::vector<std::uint32_t> gaps_ms_;
    unsigned held_ = 0;
    bool modifier_used_ = false;  // a key went down since the last modifier did
    std::uint32_t last_ms_;
};

// "[Shift][A]1234[Enter]": a plain printable key as itself, anything else by its grid name.
std::string watched_keys_text(std::span<const WatchedKey> keys);
// The keys as a normal-key string stores them: a modifier byte before a modified key.
std::vector<std::uint8_t> normal_key_bytes(std::span<const WatchedKey> keys);
// The bytes of a stored key string, up to its end.
std::vector<std::uint8_t> key_string_bytes(KeyString slot);
// The prefix and suffix check in normal-key form: "expected suffix [Enter], got [Tab]".
std::vector<std::string> key_framing_problems(std::span<const WatchedKey> keys, KeyString prefix,
                                              KeyString suffix);

}  // namespace tessmar
