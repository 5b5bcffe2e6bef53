// Download: sends the record to the scanner as hex-text packets, each acknowledged, then tells
// the scanner to take the new settings into use.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "link/transfer.h"
#include "model/settings_record.h"

namespace tessmar {

// 7 blocks of 256 bytes, sent as 112 chunks of 16.
inline constexpr std::size_t kDownloadImageSize = 1792;
inline constexpr int kDownloadPackets = 112;
inline constexpr std::size_t kPacketSize = 39;
// The progress bar runs 0 to 111 through the packets and jumps to this top once UPDATE is taken.
inline constexpr int kDownloadProgressEnd = 120;

using DownloadImage = std::array<std::uint8_t, kDownloadImageSize>;

// The record byte for byte, then zeros: the bytes after the record carry no setting.
DownloadImage download_image(const SettingsRecord& record);

// Data packet `index` (0 to 111): the chunk's offset as four hex digits, its length "10", its 16
// bytes as 32 uppercase hex digits, and CR.
std::array<std::uint8_t, kPacketSize> data_packet(const DownloadImage& image, int index);

enum class ReplyOutcome {
    accepted,   // "ACK" or "DONE"
    no_reply,   // no complete line within 2000 ms of a write; never resent
    refused,    // four wrong replies: the message was written and resent three times
    unsettled,  // after a wrong reply, bytes kept coming: the message could not be resent
};

struct Reply {
    ReplyOutcome outcome = ReplyOutcome::no_reply;
    std::string last_reply;  // printable, for the failure message
};

// Writes `message` and waits for "ACK" or "DONE" and CR; a wrong reply has the same message
// written again, up to three times, each time once the line has settled.
Reply SendAndAwaitReply(Line& line, std::span<const std::uint8_t> message);

// Lets the line settle, then sends the whole image and "UPDATE". After any failure the scanner is
// sent "EXIT" (its reply awaited, its result ignored). Progress reports each packet's number before
// it is sent, and kDownloadProgressEnd after UPDATE was accepted. The record is only read.
LinkResult DownloadSettings(const SettingsRecord& record, Line& line, const Progress& progress);

}  // namespace tessmar
