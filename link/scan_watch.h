// Watching what a scanner sends its host: the bytes from the line split into scans, shown with
// their control characters visible, and checked against the prefix and suffix the settings give.
// Nothing here writes to the line.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/serial_port.h"
#include "link/tick_clock.h"
#include "model/settings_record.h"

namespace tessmar {

// A scan ends at its suffix or when the line stays quiet for longer than this.
inline constexpr std::uint32_t kScanGapMs = 100;

struct ReceivedScan {
    std::vector<std::uint8_t> bytes;
    // gaps_ms[i]: milliseconds between bytes i and i + 1 (bytes read together are 0 apart).
    std::vector<std::uint32_t> gaps_ms;
};

// Cuts a stream of received bytes into scans.
class ScanSplitter {
  public:
    // An empty suffix leaves the gap alone to end a scan.
    explicit ScanSplitter(std::vector<std::uint8_t> suffix) : suffix_(std::move(suffix)) {}

    // Bytes that arrived together at `now_ms`; the scans they complete go into `done`.
    void take(std::span<const std::uint8_t> bytes, std::uint32_t now_ms,
              std::vector<ReceivedScan>& done);
    // The scan under way, once nothing has come for longer than kScanGapMs by `now_ms`.
    std::optional<ReceivedScan> take_quiet(std::uint32_t now_ms);
    // The scan under way, however recent, when the watch ends.
    std::optional<ReceivedScan> take_rest();

  private:
    bool ends_with_suffix() const;

    std::vector<std::uint8_t> suffix_;
    ReceivedScan current_;
    std::uint32_t last_byte_ms_ = 0;
};

// Reads what has arrived on `port`, waiting at most `wait_ms` for the first byte, and returns
// the scans it completes. Never writes to the port.
std::vector<ReceivedScan> watch_port(SerialPort& port, TickClock& clock, ScanSplitter& splitter,
                                     std::uint32_t wait_ms);

// The prefix and suffix a scan should carry, in character form.
struct ScanFraming {
    std::vector<std::uint8_t> prefix;
    std::vector<std::uint8_t> suffix;
};
ScanFraming scan_framing(const SettingsRecord& record);

// The RS-232 group's baud rate, parity, data bits and flow control.
LineSettings rs232_line_settings(const SettingsRecord& record);
// "9600 8N1", "19200 7E1"; with " flow control" when the scanner waits for the host.
std::string line_settings_text(const LineSettings& line);

// The bytes with control characters named: "[STX]12345[CR][LF]".
std::string visible_text(std::span<const std::uint8_t> bytes);
// "02 31 0D 0A"
std::string hex_text(std::span<const std::uint8_t> bytes);
// The shortest and longest gap, "0-12 ms", or "12 ms" when they agree; empty for one byte.
std::string gaps_text(std::span<const std::uint32_t> gaps_ms);
// What is wrong with the scan's prefix and suffix, one phrase each, as
// "expected suffix [CR][LF], got [CR]"; empty when both are right.
std::vector<std::string> framing_problems(const ScanFraming& framing,
                                          std::span<const std::uint8_t> bytes);

// One line for a scan: "10:42:07.125  [STX]12345[CR][LF]  gaps 0 ms  ok", or with
// "MISMATCH: " and the problems, separated by "; ", in place of "ok".
std::string scan_line(const std::string& time, const ReceivedScan& scan,
                      const ScanFraming& framing);
// "10:42:07.125"
std::string time_of_day_text(int hour, int minute, int second, int millisecond);

}  // namespace tessmar
