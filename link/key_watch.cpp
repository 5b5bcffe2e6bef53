#include "link/key_watch.h"

#include <algorithm>
#include <array>

#include "model/key_string.h"

namespace tessmar {
namespace {

struct ScanKey {
    unsigned scan_code;
    bool extended;
    std::uint8_t code;  // the normal key
};

// PC scan codes (set 1) of the keys the grid names; letters and digits are filled in below.
constexpr ScanKey kNamedKeys[] = {
    {0x01, false, 0x1B}, {0x0C, false, '-'},  {0x0D, false, '='},  {0x0E, false, 0x08},
    {0x0F, false, 0x09}, {0x1A, false, '['},  {0x1B, false, ']'},  {0x1C, false, 0x0D},
    {0x1C, true, 0x0D},  {0x27, false, ';'},  {0x28, false, '\''}, {0x29, false, '`'},
    {0x2B, false, '\\'}, {0x33, false, ','},  {0x34, false, '.'},  {0x35, false, '/'},
    {0x39, false, 0x20}, {0x57, false, 0x19}, {0x58, false, 0x1A}, {0x47, true, 0x03},
    {0x48, true, 0x05},  {0x49, true, 0x0C},  {0x4B, true, 0x07},  {0x4D, true, 0x0B},
    {0x4F, true, 0x04},  {0x50, true, 0x06},  {0x51, true, 0x0E},  {0x52, true, 0x01},
    {0x53, true, 0x02},
};
// The letters by keyboard row, from the scan code each row starts at.
constexpr std::pair<unsigned, const char*> kLetterRows[] = {
    {0x10, "QWERTYUIOP"}, {0x1E, "ASDFGHJKL"}, {0x2C, "ZXCVBNM"}, {0x02, "1234567890"}};
constexpr unsigned kFirstFunctionKey = 0x3B;  // F1 to F10 follow each other
constexpr std::uint8_t kF1 = 0x0F;
// The keypad's digits, by scan code from 0x47 ("7*") to 0x52 ("0*"); 0 where it has none.
constexpr std::uint8_t kKeypadDigits[] = {7, 8, 9, 0xFF, 4, 5, 6, 0xFF, 1, 2, 3, 0};
constexpr unsigned kFirstKeypadKey = 0x47;
constexpr std::uint8_t kKeypadCode = 0x80;

std::optional<std::uint8_t> normal_key_of(unsigned scan_code, bool extended) {
    for (const ScanKey& key : kNamedKeys) {
        if (key.scan_code == scan_code && key.extended == extended) {
            return key.code;
        }
    }
    if (extended) {
        return std::nullopt;
    }
    for (const auto& [first, row] : kLetterRows) {
        if (scan_code >= first && scan_code < first + std::char_traits<char>::length(row)) {
            return static_cast<std::uint8_t>(row[scan_code - first]);
        }
    }
    if (scan_code >= kFirstFunctionKey && scan_code < kFirstFunctionKey + 10) {
        return static_cast<std::uint8_t>(kF1 + scan_code - kFirstFunctionKey);
    }
    if (scan_code >= kFirstKeypadKey && scan_code < kFirstKeypadKey + std::size(kKeypadDigits) &&
        kKeypadDigits[scan_code - kFirstKeypadKey] != 0xFF) {
        return static_cast<std::uint8_t>(kKeypadCode + kKeypadDigits[scan_code - kFirstKeypadKey]);
    }
    return std::nullopt;
}

unsigned modifier_of(unsigned scan_code, bool extended) {
    switch (scan_code) {
        case 0x2A:
        case 0x36:
            return kShift;
        case 0x1D:
            return extended ? kRightCtrl : kLeftCtrl;
        case 0x38:
            return extended ? kRightAlt : kLeftAlt;
    }
    return 0;
}

bool is_printable(std::uint8_t code) {
    return code > 0x20 && code < 0x7F;
}

std::string key_text(const WatchedKey& key) {
    if (!key.code) {
        return modifier_markers(key.modifiers) +
               (key.modifiers == 0 ? bracketed_key_label(KeyStringForm::scan_code,
                                                         static_cast<std::uint8_t>(key.scan_code))
                                   : "");
    }
    if (key.modifiers == 0 && is_printable(*key.code)) {
        return std::string(1, static_cast<char>(*key.code));
    }
    return modifier_markers(key.modifiers) +
           bracketed_key_label(KeyStringForm::normal_key, *key.code);
}

std::size_t key_count(std::span<const std::uint8_t> bytes) {
    return static_cast<std::size_t>(
        std::ranges::count_if(bytes, [](std::uint8_t b) { return b < kFirstModifierByte; }));
}

void check_part(const char* what, std::span<const std::uint8_t> expected,
                std::span<const WatchedKey> keys, bool at_end, std::vector<std::string>& out) {
    const std::size_t count = std::min(key_count(expected), keys.size());
    const std::span<const WatchedKey> found = at_end ? keys.last(count) : keys.first(count);
    if (std::ranges::equal(normal_key_bytes(found), expected)) {
        return;
    }
    KeyStringBuffer slot{};
    std::copy_n(expected.begin(), std::min(expected.size(), kKeyStringMaxBytes), slot.begin());
    out.push_back(std::string("expected ") + what + " " +
                  key_string_text(slot, InterfaceClass::keyboard_wedge) + ", got " +
                  (found.empty() ? "nothing" : watched_keys_text(found)));
}

}  // namespace

bool KeyRecorder::key_down(unsigned scan_code, bool extended, std::uint32_t now_ms) {
    if (!keys_.empty()) {
        gaps_ms_.push_back(now_ms - last_ms_);
    }
    last_ms_ = now_ms;
    if (const unsigned modifier = modifier_of(scan_code, extended)) {
        // Held modifiers repeat while down; each counts once.
        if ((held_ & modifier) == 0) {
            held_ |= modifier;
            modifier_used_ = false;
        }
        if (!keys_.empty()) {
            gaps_ms_.pop_back();
        }
        return false;
    }
    keys_.push_back({held_, normal_key_of(scan_code, extended), scan_code});
    modifier_used_ = true;
    const std::vector<std::uint8_t> bytes = normal_key_bytes(keys_);
    return !suffix_.empty() && bytes.size() >= suffix_.size() &&
           std::equal(suffix_.rbegin(), suffix_.rend(), bytes.rbegin());
}

// A modifier let go with no key under it is a key of its own, as the scanner can send Alt alone.
void KeyRecorder::key_up(unsigned scan_code, bool extended) {
    const unsigned modifier = modifier_of(scan_code, extended);
    if (modifier == 0 || (held_ & modifier) == 0) {
        return;
    }
    if (!modifier_used_) {
        keys_.push_back({held_, std::nullopt, scan_code});
        modifier_used_ = true;
    }
    held_ &= ~modifier;
}

std::string watched_keys_text(std::span<const WatchedKey> keys) {
    std::string text;
    for (const WatchedKey& key : keys) {
        text += key_text(key);
    }
    return text;
}

std::vector<std::uint8_t> normal_key_bytes(std::span<const WatchedKey> keys) {
    std::vector<std::uint8_t> bytes;
    for (const WatchedKey& key : keys) {
        if (key.modifiers != 0) {
            bytes.push_back(static_cast<std::uint8_t>(kScanCodeMarker | key.modifiers));
        }
        if (key.code) {
            bytes.push_back(*key.code);
        }
    }
    return bytes;
}

std::vector<std::uint8_t> key_string_bytes(KeyString slot) {
    return {slot.begin(), slot.begin() + static_cast<std::ptrdiff_t>(key_string_length(slot))};
}

std::vector<std::string> key_framing_problems(std::span<const WatchedKey> keys, KeyString prefix,
                                              KeyString suffix) {
    std::vector<std::string> problems;
    check_part("prefix", key_string_bytes(prefix), keys, false, problems);
    check_part("suffix", key_string_bytes(suffix), keys, true, problems);
    return problems;
}

}  // namespace tessmar
