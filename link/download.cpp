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

std::string packet_name(int index) {
    return "packet " + std::to_string(index + 1) + " of " + std::to_string(kDownloadPackets) +
           " (offset " + hex4(static_cast<unsigned>(index * kChunkSize)) + ")";
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

// The scanner is told to drop what it was sent; whatever it answers, the download has failed.
LinkResult abandon(Line& line, const std::string& failure) {
    SendAndAwaitReply(line, bytes_of(kExit));
    return {false, failure};
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
        return {false, unsettled_failure(packet_name(0))};
    }
    const DownloadImage image = download_image(record);
    for (int index = 0; index < kDownloadPackets; ++index) {
        progress(index);
        const Reply reply = SendAndAwaitReply(line, data_packet(image, index));
        if (reply.outcome != ReplyOutcome::accepted) {
            return abandon(line, failure_text(reply, packet_name(index)));
        }
    }
    const Reply reply = SendAndAwaitReply(line, bytes_of(kUpdate));
    if (reply.outcome != ReplyOutcome::accepted) {
        return abandon(line, failure_text(reply, "UPDATE"));
    }
    progress(kDownloadProgressEnd);
    return {true, ""};
}

}  // namespace tessmar
