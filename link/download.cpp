#include "link/download.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace tessmar {
namespace {

constexpr std::size_t kChunkSize = 16;
constexpr int kResends = 3;
constexpr char kHexDigits[] = "0123456789ABCDEF";
// A wrong reply is kept only this far, for the failure message.
constexpr std::size_t kReplyKept = 64;
// Messages are sent without a terminating NUL.
constexpr std::string_view kUpdate = "UPDATE\r";
constexpr std::string_view kExit = "EXIT\r";

std::span<const std::uint8_t> bytes_of(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool is_accepted(std::span<const std::uint8_t> reply) {
    const auto matches = [&](std::string_view word) {
        return reply.size() == word.size() + 1 &&
               std::equal(word.begin(), word.end(), reply.begin());
    };
    return matches("ACK") || matches("DONE");
}

// "packet 40 of 112"
std::string packet_place(int index) {
    return "packet " + std::to_string(index + 1) + " of " + std::to_string(kDownloadPackets);
}

std::string packet_name(int index) {
    return packet_place(index) + " (offset " + hex4(static_cast<unsigned>(index * kChunkSize)) +
           ")";
}

std::string failure_text(const Reply& reply, const std::string& message) {
    if (reply.outcome == ReplyOutcome::no_reply) {
        return "no reply to " + message + " within " + std::to_string(kReplyTimeoutMs) + " ms";
    }
    if (reply.outcome == ReplyOutcome::unsettled) {
        return unsettled_failure("sending " + message + " again");
    }
    return "the scanner refused " + message + " four times; its last reply was \"" +
           reply.last_reply + "\"";
}

// Why the download stopped at `where`. Before UPDATE the scanner has taken nothing.
std::string stopped_at(Stop stop, const std::string& where) {
    const std::string text = stop_failure(stop, where);
    return stop == Stop::interrupted ? text + "; the scanner keeps its previous settings" : text;
}

// The scanner is told to drop what it was sent, unless its port is gone; whatever it answers, the
// download has failed. After an interrupt it is told too, and its answer awaited, so that it is
// ready for the next download at once.
LinkResult abandon(Line& line, const std::string& where, const std::string& failure) {
    const Stop stop = stop_of(line);
    if (stop != Stop::port_gone) {
        Line closing = uninterruptible(line);
        SendAndAwaitReply(closing, bytes_of(kExit));
    }
    return {false, stop == Stop::none ? failure : stopped_at(stop, where), stop};
}

}  // namespace

DownloadImage download_image(const SettingsRecord& record) {
    DownloadImage image{};
    std::copy(record.bytes.begin(), record.bytes.end(), image.begin());
    return image;
}

std::array<std::uint8_t, kPacketSize> data_packet(const DownloadImage& image, int index) {
    std::array<std::uint8_t, kPacketSize> packet{};
    const std::size_t offset = static_cast<std::size_t>(index) * kChunkSize;
    const std::string head = hex4(static_cast<unsigned>(offset)) + "10";
    std::copy(head.begin(), head.end(), packet.begin());
    for (std::size_t i = 0; i < kChunkSize; ++i) {
        const std::uint8_t byte = image[offset + i];
        packet[head.size() + 2 * i] = kHexDigits[byte >> 4];
        packet[head.size() + 2 * i + 1] = kHexDigits[byte & 0x0F];
    }
    packet.back() = '\r';
    return packet;
}

Reply SendAndAwaitReply(Line& line, std::span<const std::uint8_t> message) {
    Reply result;
    for (int resends = 0;; ++resends) {
        // After a wrong reply, whatever else is on its way must not answer the message resent.
        if (resends > 0 && !settle_line(line)) {
            result.outcome = ReplyOutcome::unsettled;
            return result;
        }
        line.port.write(message);
        std::vector<std::uint8_t> reply;
        std::size_t received = 0;
        const bool complete = await_reply_line(line, 8, [&](std::span<const std::uint8_t> bytes) {
            received += bytes.size();
            const std::size_t room = kReplyKept - std::min(reply.size(), kReplyKept);
            reply.insert(reply.end(), bytes.begin(),
                         bytes.begin() + static_cast<std::ptrdiff_t>(std::min(room, bytes.size())));
        });
        if (!complete) {
            result.outcome = ReplyOutcome::no_reply;
            return result;
        }
        if (received == reply.size() && is_accepted(reply)) {
            result.outcome = ReplyOutcome::accepted;
            return result;
        }
        result.last_reply = printable(reply);
        if (resends == kResends) {
            result.outcome = ReplyOutcome::refused;
            return result;
        }
    }
}

LinkResult DownloadSettings(const SettingsRecord& record, Line& line, const Progress& progress) {
    if (!settle_line(line)) {
        const Stop stop = stop_of(line);
        return {false,
                stop == Stop::none ? unsettled_failure(packet_name(0))
                                   : stopped_at(stop, packet_place(0)),
                stop};
    }
    const DownloadImage image = download_image(record);
    for (int index = 0; index < kDownloadPackets; ++index) {
        progress(index);
        const Reply reply = SendAndAwaitReply(line, data_packet(image, index));
        if (reply.outcome != ReplyOutcome::accepted) {
            return abandon(line, packet_place(index), failure_text(reply, packet_name(index)));
        }
    }
    // Once UPDATE is sent, its answer tells whether the scanner took the settings: it is awaited
    // whatever else is asked meanwhile.
    Line committed = uninterruptible(line);
    const Reply reply = SendAndAwaitReply(committed, bytes_of(kUpdate));
    if (reply.outcome != ReplyOutcome::accepted) {
        LinkResult failed = abandon(committed, "UPDATE", failure_text(reply, "UPDATE"));
        failed.settings_uncertain = true;
        return failed;
    }
    progress(kDownloadProgressEnd);
    return {true, ""};
}

}  // namespace tessmar
