#include "tools/orlo-sim/line.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <deque>
#include <string>

namespace orlo_sim {
namespace {

using Nanos = std::int64_t;
constexpr Nanos kMillisecond = 1'000'000;
constexpr Nanos kSecond = 1000 * kMillisecond;
// How often the loop looks at keep_going when the line is quiet.
constexpr Nanos kIdleCheck = 100 * kMillisecond;
// A message longer than this is garbage; the scanner drops it and answers the CR that ends it.
constexpr std::size_t kLongestMessage = 512;
// An FTDI chip sends its buffer at once when this much waits in it.
constexpr std::size_t kFtdiBuffer = 62;
constexpr Nanos kUsbFrame = kMillisecond;

Nanos now_ns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * kSecond + now.tv_nsec;
}

// Bytes and the moment they have crossed the line: fully received by the scanner, or fully
// arrived at the program.
struct Timed {
    Nanos due;
    std::string bytes;
};

void log_line(const char* direction, const std::string& text, const std::string& note = "") {
    std::string shown;
    for (const unsigned char c : text) {
        if (c == '\r') {
            shown += "\\r";
        } else if (c < 0x20 || c >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            shown += escape;
        } else {
            shown += static_cast<char>(c);
        }
    }
    std::fprintf(stderr, "orlo-sim: %s %s%s\n", direction, shown.c_str(), note.c_str());
}

// The scanner listens at 9600 baud, 8 data bits, no parity, one stop bit; at any other setting
// it would hear only garbage.
bool line_is_9600_8n1(int tty) {
    termios line{};
    if (tcgetattr(tty, &line) != 0) {
        return false;
    }
    return cfgetispeed(&line) == B9600 && cfgetospeed(&line) == B9600 &&
           (line.c_cflag & CSIZE) == CS8 && !(line.c_cflag & (PARENB | CSTOPB));
}

// When an adapter hands the program a byte that came off the line at `arrived`.
class AdapterTiming {
  public:
    AdapterTiming(Adapter adapter, long latency_ms)
        : adapter_(adapter), latency_(latency_ms * kMillisecond) {}

    // The moment of delivery, given in order for each byte; `earlier` is set when the byte also
    // sends the bytes held before it sooner than they were due (a full FTDI buffer).
    Nanos deliver(Nanos arrived, bool& earlier);

  private:
    Adapter adapter_;
    Nanos latency_;
    Nanos timer_end_ =
        0;  // when the latency timer runs out; it starts with a byte in an empty chip
    std::size_t held_ = 0;
};

Nanos AdapterTiming::deliver(Nanos arrived, bool& earlier) {
    earlier = false;
    switch (adapter_) {
        case Adapter::wire:
        case Adapter::usb:
            return arrived;
        case Adapter::cdc:
            return (arrived + kUsbFrame - 1) / kUsbFrame * kUsbFrame;
        case Adapter::ftdi:
            break;
    }
    if (held_ > 0 && arrived >= timer_end_) {
        held_ = 0;  // the timer ran out and took what was held
    }
    if (held_ == 0) {
        timer_end_ = arrived + latency_;
    }
    if (++held_ == kFtdiBuffer) {
        held_ = 0;
        earlier = true;
        return arrived;
    }
    return timer_end_;
}

class LineLoop {
  public:
    LineLoop(int fd, Scanner& scanner, const LineOptions& options,
             const std::function<void()>& on_update)
        : fd_(fd),
          scanner_(scanner),
          options_(options),
          on_update_(on_update),
          byte_time_(options.baud > 0 ? 10 * kSecond / options.baud : 0),
          adapter_(options.adapter, options.latency_ms) {}

    void step();
    long messages() const { return messages_; }

  private:
    void receive(Nanos now);
    void take_messages(Nanos now);
    void handle(const std::string& message, Nanos at);
    void schedule(const std::string& answer, Nanos at);
    void deliver(char byte, Nanos arrived);
    void send(Nanos now);
    Nanos next_event(Nanos now) const;
    std::string turnaround_note();

    int fd_;
    Scanner& scanner_;
    const LineOptions& options_;
    const std::function<void()>& on_update_;
    Nanos byte_time_;
    AdapterTiming adapter_;
    Nanos receive_free_ = 0;  // when the line from the program is next free
    Nanos send_free_ = 0;     // when the line to the program is next free
    std::deque<Timed> incoming_;
    std::deque<Timed> outgoing_;  // one entry per delivery, written at once
    std::string message_;
    long messages_ = 0;
    // For the log: when each message's first byte was read, and when the last answer was whole.
    std::deque<Nanos> message_starts_;
    bool between_messages_ = true;
    Nanos answered_ = -1;
};

void LineLoop::step() {
    const Nanos now = now_ns();
    const Nanos wait = std::max<Nanos>(0, next_event(now) - now);
    const timespec timeout{static_cast<time_t>(wait / kSecond), static_cast<long>(wait % kSecond)};
    pollfd readable{fd_, POLLIN, 0};
    if (ppoll(&readable, 1, &timeout, nullptr) > 0 && (readable.revents & POLLIN)) {
        receive(now_ns());
    }
    take_messages(now_ns());
    send(now_ns());
}

// Without pacing a byte is there when it is read; with pacing each byte takes its time on the
// line after the one before it.
void LineLoop::receive(Nanos now) {
    char buffer[256];
    const ssize_t count = ::read(fd_, buffer, sizeof buffer);
    if (count <= 0) {
        // Nobody holds the line's other side open; wait a little rather than spin.
        if (count < 0 && errno != EAGAIN && errno != EINTR) {
            usleep(10'000);
        }
        return;
    }
    for (ssize_t i = 0; i < count; ++i) {
        if (between_messages_) {
            message_starts_.push_back(now);
        }
        between_messages_ = buffer[i] == '\r';
    }
    if (byte_time_ == 0) {
        incoming_.push_back({now, std::string(buffer, static_cast<std::size_t>(count))});
        return;
    }
    for (ssize_t i = 0; i < count; ++i) {
        receive_free_ = std::max(receive_free_, now) + byte_time_;
        incoming_.push_back({receive_free_, std::string(1, buffer[i])});
    }
}

void LineLoop::take_messages(Nanos now) {
    while (!incoming_.empty() && incoming_.front().due <= now) {
        const Timed arrived = incoming_.front();
        incoming_.pop_front();
        for (const char byte : arrived.bytes) {
            if (byte == '\r') {
                handle(message_, arrived.due);
                message_.clear();
            } else if (message_.size() < kLongestMessage) {
                message_ += byte;
            }
        }
    }
}

// How long after the last answer was whole the program began the message: the time the
// program took to see the answer and act on it.
std::string LineLoop::turnaround_note() {
    if (message_starts_.empty()) {
        return "";
    }
    const Nanos started = message_starts_.front();
    message_starts_.pop_front();
    if (answered_ < 0 || started < answered_) {
        return "";
    }
    char note[64];
    std::snprintf(note, sizeof note, " (%.1f ms after the last answer)",
                  static_cast<double>(started - answered_) / kMillisecond);
    return note;
}

void LineLoop::handle(const std::string& message, Nanos at) {
    ++messages_;
    const std::string note = turnaround_note();
    if (options_.verbose) {
        log_line("<-", message + "\r", note);
    }
    if (options_.checked_tty >= 0 && !line_is_9600_8n1(options_.checked_tty)) {
        if (options_.verbose) {
            std::fprintf(stderr, "orlo-sim: the line is not set to 9600 8N1; message lost\n");
        }
        return;
    }
    const std::optional<std::string> answer = scanner_.answer(message);
    if (answer) {
        if (options_.verbose) {
            log_line("->", *answer);
        }
        schedule(*answer, at);
    }
    if (scanner_.take_updated()) {
        on_update_();
    }
}

// The answer starts once the message has been received; split pieces start `pause_ms` apart.
void LineLoop::schedule(const std::string& answer, Nanos at) {
    const std::size_t piece = options_.split > 0 ? options_.split : answer.size();
    for (std::size_t start = 0; start < answer.size(); start += piece) {
        const Nanos piece_start =
            at + static_cast<Nanos>(start / piece) * options_.pause_ms * kMillisecond;
        for (const char byte : answer.substr(start, piece)) {
            send_free_ = std::max(send_free_, piece_start) + byte_time_;
            deliver(byte, send_free_);
        }
        if (options_.split > 0) {
            // A piece is a write of its own even where it is due with the one before.
            outgoing_.push_back({-1, ""});
        }
    }
}

// Bytes due at the same moment go out in one write, so the program reads each burst whole and
// the bursts apart.
void LineLoop::deliver(char byte, Nanos arrived) {
    bool earlier = false;
    const Nanos due = adapter_.deliver(arrived, earlier);
    if (earlier && !outgoing_.empty() && outgoing_.back().due > due) {
        outgoing_.back().due = due;
    }
    if (outgoing_.empty() || outgoing_.back().due != due) {
        outgoing_.push_back({due, ""});
    }
    outgoing_.back().bytes += byte;
}

void LineLoop::send(Nanos now) {
    while (!outgoing_.empty() && outgoing_.front().due <= now) {
        std::string& bytes = outgoing_.front().bytes;
        const ssize_t written = bytes.empty() ? 0 : ::write(fd_, bytes.data(), bytes.size());
        if (!bytes.empty() && written <= 0) {
            outgoing_.front().due = now + kMillisecond;  // the other side is full: try again soon
            return;
        }
        if (written > 0) {
            answered_ = now;
            bytes.erase(0, static_cast<std::size_t>(written));
        }
        if (bytes.empty()) {
            outgoing_.pop_front();
        }
    }
}

Nanos LineLoop::next_event(Nanos now) const {
    Nanos next = now + kIdleCheck;
    if (!incoming_.empty()) {
        next = std::min(next, incoming_.front().due);
    }
    if (!outgoing_.empty()) {
        next = std::min(next, outgoing_.front().due);
    }
    return next;
}

}  // namespace

void serve(int fd, Scanner& scanner, const LineOptions& options,
           const std::function<bool()>& keep_going, const std::function<void()>& on_update,
           long& messages) {
    LineLoop loop(fd, scanner, options, on_update);
    const long counted_before = messages;
    while (keep_going() && messages != options.unplug_after) {
        loop.step();
        messages = counted_before + loop.messages();
    }
}

}  // namespace orlo_sim
