// Read-back: fetches the scanner's settings 16 bytes per request as hex text and replaces the
// whole record with them once every reply has arrived.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/transfer.h"
#include "model/program_state.h"

namespace tessmar {

// Requests 0 to 98 fetch offsets 0000 to 0620: 1584 bytes, of which the first 1562 are the
// record.
inline constexpr int kReadRequests = 99;
inline constexpr std::size_t kReadRequestSize = 8;
inline constexpr std::size_t kReplySlotChars = 32;
inline constexpr int kReadProgressEnd = 100;

// One slot of 32 characters per request, laid end to end, and one more for the CR of the last
// reply. Reply n is stored from the start of slot n; its CR falls on the first character of the
// next slot, which the next reply overwrites. Characters past the end are dropped.
struct ReceiveArea {
    std::array<std::uint8_t, kReadRequests * kReplySlotChars + 1> chars{};
};

// Request `number`: "R", the offset number x 16 as four hex digits, the length "10", and CR.
std::array<std::uint8_t, kReadRequestSize> read_request(int number);

// Gathers one reply into `slot` of the area. Returns the number of characters the reply had, CR
// included, or 0 when no complete line arrived within 2000 ms of the start of the wait.
std::size_t ReceiveReplyLine(Line& line, ReceiveArea& area, int slot);

// The value of one hexadecimal digit in either case.
std::uint8_t hex_digit_value(std::uint8_t digit);

// How often each block is read. The replies carry no checksum, so a read that is to be taken as
// the scanner's settings reads every block twice and takes a block only when two answers agree;
// a comparison, whose differences show and a second run clears, may read once.
enum class ReadPasses { once = 1, twice = 2 };

// Lets the line settle (settle_line), sends the 99 requests (twice over, with `twice`) and gathers
// their replies, then reads two or three blocks again to make sure no reply was taken for another
// request's; only then decodes them and replaces the record in one step, deriving the interface
// class again. A block whose two answers differ is read a third time and taken when that answer
// agrees with one of the two. Each reply must be 32 hexadecimal digits and CR: a silent scanner, a
// reply of another form, a reply out of step or a block with three different answers fails the
// read-back, and the record is then left exactly as it was. Progress goes from 0 to just under
// kReadProgressEnd over the passes, each step once, and reaches kReadProgressEnd once the record
// has been replaced.
LinkResult ReadBackSettings(ProgramState& state, Line& line, const Progress& progress,
                            ReadPasses passes = ReadPasses::twice);

}  // namespace tessmar
