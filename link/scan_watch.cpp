#include "link/scan_watch.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "model/key_string.h"

namespace tessmar {
namespace {

// The RS-232 group's lists, by stored value.
constexpr std::uint32_t kBaudRates[] = {38400, 19200, 9600, 4800, 2400, 1200, 600, 300};
constexpr Parity kParities[] = {Parity::none, Parity::even, Parity::odd};
constexpr unsigned kDataBits[] = {7, 8};
constexpr unsigned kScannerReady = 1;
constexpr unsigned kDataReady = 2;

template <typename T, std::size_t N>
T listed_or(const T (&list)[N], unsigned index, T otherwise) {
    return index < N ? list[index] : otherwise;
}

std::vector<std::uint8_t> key_string_bytes(KeyString slot) {
    return {slot.begin(), slot.begin() + static_cast<std::ptrdiff_t>(key_string_length(slot))};
}

bool is_control(std::uint8_t byte) {
    return byte < 0x20 || byte == 0x7F;
}

bool all_control(std::span<const std::uint8_t> bytes) {
    return std::ranges::all_of(bytes, is_control);
}

// What stands where the expected bytes should: the run of control characters there when those
// are expected (or nothing is), since a wrong one shows best whole; otherwise as many bytes.
std::span<const std::uint8_t> found_part(std::span<const std::uint8_t> scan, std::size_t expected,
                                         bool control_expected, bool at_end) {
    std::size_t size = std::min(expected, scan.size());
    if (control_expected) {
        size = 0;
        while (size < scan.size() &&
               is_control(at_end ? scan[scan.size() - 1 - size] : scan[size])) {
            ++size;
        }
    }
    return at_end ? scan.last(size) : scan.first(size);
}

std::string named_or_nothing(std::span<const std::uint8_t> bytes) {
    return bytes.empty() ? "nothing" : visible_text(bytes);
}

void check_part(const char* what, std::span<const std::uint8_t> expected,
                std::span<const std::uint8_t> scan, bool at_end, std::vector<std::string>& out) {
    const std::span<const std::uint8_t> found =
        found_part(scan, expected.size(), all_control(expected), at_end);
    if (std::ranges::equal(found, expected)) {
        return;
    }
    // With text expected, found is the scan's own first or last bytes, so they match or not.
    out.push_back(expected.empty()
                      ? std::string("expected no ") + what + ", got " + visible_text(found)
                      : std::string("expected ") + what + " " + visible_text(expected) + ", got " +
                            named_or_nothing(found));
}

}  // namespace

void ScanSplitter::take(std::span<const std::uint8_t> bytes, std::uint32_t now_ms,
                        std::vector<ReceivedScan>& done) {
    for (const std::uint8_t byte : bytes) {
        if (!current_.bytes.empty()) {
            const std::uint32_t gap = now_ms - last_byte_ms_;
            if (gap > kScanGapMs) {
                done.push_back(std::exchange(current_, {}));
            } else {
                current_.gaps_ms.push_back(gap);
            }
        }
        current_.bytes.push_back(byte);
        last_byte_ms_ = now_ms;
        if (ends_with_suffix()) {
            done.push_back(std::exchange(current_, {}));
        }
    }
}

std::optional<ReceivedScan> ScanSplitter::take_quiet(std::uint32_t now_ms) {
    if (current_.bytes.empty() || now_ms - last_byte_ms_ <= kScanGapMs) {
        return std::nullopt;
    }
    return std::exchange(current_, {});
}

std::optional<ReceivedScan> ScanSplitter::take_rest() {
    if (current_.bytes.empty()) {
        return std::nullopt;
    }
    return std::exchange(current_, {});
}

bool ScanSplitter::ends_with_suffix() const {
    return !suffix_.empty() && current_.bytes.size() >= suffix_.size() &&
           std::equal(suffix_.rbegin(), suffix_.rend(), current_.bytes.rbegin());
}

std::vector<ReceivedScan> watch_port(SerialPort& port, TickClock& clock, ScanSplitter& splitter,
                                     std::uint32_t wait_ms) {
    std::vector<ReceivedScan> done;
    std::array<std::uint8_t, 256> buffer{};
    std::size_t count = port.read(buffer);
    if (count == 0) {
        port.wait_for_bytes(wait_ms);
        count = port.read(buffer);
    }
    while (count > 0) {
        splitter.take(std::span(buffer).first(count), clock.now_ms(), done);
        count = port.read(buffer);
    }
    if (auto quiet = splitter.take_quiet(clock.now_ms())) {
        done.push_back(std::move(*quiet));
    }
    return done;
}

ScanFraming scan_framing(const SettingsRecord& record) {
    return {key_string_bytes(record.key_string(KeySlot::prefix_code)),
            key_string_bytes(record.key_string(KeySlot::suffix_code))};
}

LineSettings rs232_line_settings(const SettingsRecord& record) {
    const unsigned flow = record.get(Field::flow_control);
    return {listed_or(kBaudRates, record.get(Field::baud_rate), 9600u),
            listed_or(kParities, record.get(Field::parity), Parity::none),
            listed_or(kDataBits, record.get(Field::data_bit), 8u),
            flow == kScannerReady || flow == kDataReady};
}

std::string line_settings_text(const LineSettings& line) {
    constexpr char kParityLetters[] = {'N', 'E', 'O'};
    return std::to_string(line.baud) + " " + std::to_string(line.data_bits) +
           kParityLetters[static_cast<int>(line.parity)] + "1" +
           (line.host_ready ? " flow control" : "");
}

std::string visible_text(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        if (byte == ' ' || (byte > 0x20 && byte < 0x7F)) {
            text += static_cast<char>(byte);
        } else {
            text += bracketed_key_label(KeyStringForm::character, byte);
        }
    }
    return text;
}

std::string hex_text(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", byte);
        if (!text.empty()) {
            text += ' ';
        }
        text += hex;
    }
    return text;
}

std::string gaps_text(std::span<const std::uint32_t> gaps_ms) {
    if (gaps_ms.empty()) {
        return "";
    }
    const auto [shortest, longest] = std::ranges::minmax(gaps_ms);
    return shortest == longest ? std::to_string(shortest) + " ms"
                               : std::to_string(shortest) + "-" + std::to_string(longest) + " ms";
}

std::vector<std::string> framing_problems(const ScanFraming& framing,
                                          std::span<const std::uint8_t> bytes) {
    std::vector<std::string> problems;
    // A right suffix is no part of the prefix: a scan of nothing but its suffix has no prefix.
    const bool suffixed = !framing.suffix.empty() && bytes.size() >= framing.suffix.size() &&
                          std::ranges::equal(bytes.last(framing.suffix.size()), framing.suffix);
    const std::span<const std::uint8_t> before_suffix =
        suffixed ? bytes.first(bytes.size() - framing.suffix.size()) : bytes;
    check_part("prefix", framing.prefix, before_suffix, false, problems);
    check_part("suffix", framing.suffix, bytes, true, problems);
    return problems;
}

std::string scan_line(const std::string& time, const ReceivedScan& scan,
                      const ScanFraming& framing) {
    std::string line = time + "  " + visible_text(scan.bytes);
    const std::string gaps = gaps_text(scan.gaps_ms);
    if (!gaps.empty()) {
        line += "  gaps " + gaps;
    }
    const std::vector<std::string> problems = framing_problems(framing, scan.bytes);
    if (problems.empty()) {
        return line + "  ok";
    }
    line += "  MISMATCH: ";
    for (std::size_t i = 0; i < problems.size(); ++i) {
        line += (i > 0 ? "; " : "") + problems[i];
    }
    return line;
}

std::string time_of_day_text(int hour, int minute, int second, int millisecond) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", hour, minute, second, millisecond);
    return text;
}

}  // namespace tessmar
