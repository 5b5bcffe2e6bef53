// What the download and the read-back share: the line they run on, how they report progress and
// failure, and the wait for one reply line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "link/cancellation.h"
#include "link/serial_port.h"
#include "link/tick_clock.h"

namespace tessmar {

// Every message must be answered within this time after it was written.
inline constexpr std::uint32_t kReplyTimeoutMs = 2000;
// How long the line must stay quiet before a transfer's first message and before a message is
// sent again. Longer than the gaps inside a reply that is still coming in, even from a scanner
// that sends it a byte at a time at 300 baud.
inline constexpr std::uint32_t kQuietMs = 50;

// An open port and the clock that times it, for the length of one transfer.
struct Line {
    SerialPort& port;
    TickClock& clock;
    // Runs after every wait for bytes. The GUI lets its paint and timer messages through here,
    // so its windows stay alive while the transfer holds the thread.
    std::function<void()> between_waits = nullptr;
    // Stops the transfer at its next wait when requested; none when the transfer cannot be
    // stopped.
    const Cancellation* cancel = nullptr;
};

// Why a transfer ended before its last exchange, when no exchange failed.
enum class Stop {
    none,
    port_gone,    // the port failed for good
    interrupted,  // the line's cancellation was requested
};

// Whether the transfer on `line` must stop now; a port gone comes before an interrupt.
Stop stop_of(const Line& line);

// The line without its cancellation: for the last exchanges of a transfer that must run to their
// end once begun (UPDATE, the EXIT that abandons a download).
Line uninterruptible(const Line& line);

// The failure of a transfer stopped at `where` ("packet 40 of 112").
std::string stop_failure(Stop stop, const std::string& where);

// Receives the progress bar's position as a transfer goes on.
using Progress = std::function<void(int position)>;

struct LinkResult {
    bool ok = false;
    std::string failure;  // what went wrong, in words for the user; empty on success
    Stop stop = Stop::none;
    // A download failed once UPDATE was sent: the scanner may or may not have taken the settings.
    bool settings_uncertain = false;
};

// Gathers one reply line: reads the port with reads of up to `read_size` bytes and hands every
// read's bytes to `store`, until a read ends in CR. The deadline is taken once, when the wait
// begins, and arriving bytes do not extend it. After a read that found nothing the port waits
// for bytes, at most until the first tick past the deadline, so waiting costs no processor
// time. True when the line ended in time; false also as soon as stop_of(line) says to stop.
bool await_reply_line(Line& line, std::size_t read_size,
                      const std::function<void(std::span<const std::uint8_t>)>& store);

// Empties the receive queue, then waits until nothing has arrived for kQuietMs, emptying it again
// whenever something does: a late answer to an earlier message, or one left from an earlier
// connection, must not be read as the answer to the next. False when bytes kept coming for
// kReplyTimeoutMs, as they do on a line where something else is talking, or as soon as
// stop_of(line) says to stop.
bool settle_line(Line& line);

// The failure of a transfer whose line would not settle before `message`.
std::string unsettled_failure(const std::string& message);

// A reply as text for a message: control and other unprintable bytes as escapes, cut short
// after `limit` bytes.
std::string printable(std::span<const std::uint8_t> bytes, std::size_t limit = 40);

// An offset as four uppercase hexadecimal digits, as the protocols write it.
std::string hex4(unsigned value);

}  // namespace tessmar
