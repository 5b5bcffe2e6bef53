#include "tools/orlo-sim/scan_player.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <thread>

#include "model/symbologies.h"

namespace orlo_sim {
namespace {

enum class Parity { none, even, odd };

// The scanner's own reading of its RS-232 group, apart from the program's.
struct LineSettings {
    std::uint32_t baud;
    Parity parity;
    unsigned data_bits;
};

LineSettings stored_line(const tessmar::SettingsRecord& record) {
    constexpr std::uint32_t kBauds[] = {38400, 19200, 9600, 4800, 2400, 1200, 600, 300};
    const unsigned parity = record.get(tessmar::Field::parity);
    return {kBauds[record.get(tessmar::Field::baud_rate)],
            parity == 1   ? Parity::even
            : parity == 2 ? Parity::odd
                          : Parity::none,
            record.get(tessmar::Field::data_bit) == 0 ? 7u : 8u};
}

// How often the player looks at the line and at keep_going.
constexpr int kCheckMs = 10;

tessmar::SettingsRecord record_of(const Scanner::Memory& memory) {
    tessmar::SettingsRecord record;
    std::copy_n(memory.begin(), record.bytes.size(), record.bytes.begin());
    return record;
}

// "Code 39", "code39" and "CODE-39" name the same symbology.
std::string name_key(const std::string& name) {
    std::string key;
    for (const unsigned char c : name) {
        if (std::isalnum(c)) {
            key += static_cast<char>(std::tolower(c));
        }
    }
    return key;
}

std::string slot_text(tessmar::KeyString slot) {
    return {slot.begin(),
            slot.begin() + static_cast<std::ptrdiff_t>(tessmar::key_string_length(slot))};
}

speed_t speed_of(std::uint32_t baud) {
    constexpr std::pair<std::uint32_t, speed_t> kSpeeds[] = {
        {300, B300},   {600, B600},   {1200, B1200},   {2400, B2400},
        {4800, B4800}, {9600, B9600}, {19200, B19200}, {38400, B38400}};
    const auto found = std::ranges::find(kSpeeds, baud, &std::pair<std::uint32_t, speed_t>::first);
    return found == std::end(kSpeeds) ? B9600 : found->second;
}

tcflag_t framing_of(const LineSettings& line) {
    tcflag_t framing = line.data_bits == 7 ? CS7 : CS8;
    if (line.parity != Parity::none) {
        framing |= PARENB | (line.parity == Parity::odd ? PARODD : 0);
    }
    return framing;
}

// A scanner at other settings would send only garbage to the program.
bool line_matches(int tty, const LineSettings& line) {
    termios set{};
    return tcgetattr(tty, &set) == 0 && cfgetispeed(&set) == speed_of(line.baud) &&
           (set.c_cflag & (CSIZE | PARENB | PARODD | CSTOPB)) == framing_of(line);
}

// Each piece with its time after the scan begins.
std::vector<std::pair<long, std::string>> pieces_of(const std::string& scan, std::size_t size,
                                                    long pause_ms) {
    std::vector<std::pair<long, std::string>> pieces;
    for (std::size_t start = 0; start < scan.size(); start += size) {
        pieces.emplace_back(static_cast<long>(start / size) * pause_ms, scan.substr(start, size));
    }
    return pieces;
}

// Drains what the program writes (a watching program writes nothing) and sleeps `ms`.
void idle(int fd, int ms, bool verbose) {
    pollfd readable{fd, POLLIN, 0};
    if (poll(&readable, 1, ms) > 0 && (readable.revents & POLLIN)) {
        char buffer[256];
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count > 0 && verbose) {
            std::fprintf(stderr, "orlo-sim: the program sent %zd bytes\n", count);
        }
    }
}

}  // namespace

std::string scan_bytes(const Scanner::Memory& memory, const ScanOptions& options,
                       std::string& error) {
    const tessmar::SettingsRecord record = record_of(memory);
    std::string code_id;
    if (!options.symbology.empty()) {
        const auto info = std::ranges::find(tessmar::kSymbologies, name_key(options.symbology),
                                            [](const auto& s) { return name_key(s.name); });
        if (info == std::end(tessmar::kSymbologies)) {
            error = "unknown symbology '" + options.symbology + "'";
            return "";
        }
        if (!info->has_code_id) {
            error = std::string(info->name) + " has no code ID";
            return "";
        }
        code_id = slot_text(record.key_string(info->code_id));
    }
    return slot_text(record.key_string(tessmar::KeySlot::prefix_code)) + code_id + options.text +
           slot_text(record.key_string(tessmar::KeySlot::suffix_code));
}

void play_scans(int fd, const Scanner::Memory& memory, const std::string& scan,
                const ScanOptions& options, const LineOptions& line,
                const std::function<bool()>& keep_going) {
    const tessmar::SettingsRecord record = record_of(memory);
    const LineSettings settings = stored_line(record);
    const long delay = record.get(tessmar::Field::inter_character_delay);
    const auto pieces = line.split > 0 ? pieces_of(scan, line.split, line.pause_ms)
                        : delay > 0    ? pieces_of(scan, 1, delay)
                                       : pieces_of(scan, scan.size(), 0);
    bool sent = false;
    while (keep_going()) {
        if ((sent && options.every_ms < 0) ||
            (line.checked_tty >= 0 && !line_matches(line.checked_tty, settings))) {
            idle(fd, kCheckMs, line.verbose);
            continue;
        }
        const auto start = std::chrono::steady_clock::now();
        for (const auto& [at_ms, bytes] : pieces) {
            std::this_thread::sleep_until(start + std::chrono::milliseconds(at_ms));
            if (write(fd, bytes.data(), bytes.size()) < 0 && line.verbose) {
                std::perror("orlo-sim: write");
            }
        }
        sent = true;
        const auto next = start + std::chrono::milliseconds(std::max(options.every_ms, 0L));
        while (keep_going() && std::chrono::steady_clock::now() < next) {
            idle(fd, kCheckMs, line.verbose);
        }
    }
}

bool set_scanner_line(int fd, const Scanner::Memory& memory) {
    const LineSettings settings = stored_line(record_of(memory));
    termios set{};
    if (tcgetattr(fd, &set) != 0) {
        return false;
    }
    set.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
    set.c_cflag |= framing_of(settings);
    return cfsetspeed(&set, speed_of(settings.baud)) == 0 && tcsetattr(fd, TCSANOW, &set) == 0;
}

}  // namespace orlo_sim
