// The serial port on Windows: a COM port through the Win32 comm functions.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "link/port_name.h"
#include "link/serial_port.h"
#include "link/win32_line_settings.h"
#include "win32/system_error_text.h"
#include "win32/system_library.h"

namespace tessmar {
namespace {

// The queue sizes the scanner's driver was built for.
constexpr DWORD kInputQueueBytes = 256;
constexpr DWORD kOutputQueueBytes = 1200;
// At 9600 baud a reply trickles in a byte a millisecond (10 bits of 1/9600 s). A read that waits
// out a reply wakes for each byte, and under Wine each wake that ends a read costs a round trip
// to the server for the time-outs: some 380 system calls per exchange of the read-back. So a wait
// first takes whatever the receive queue holds, and blocks only when it is empty: until a reply's
// first byte, then, with a reply under way, it sleeps while the bytes still missing up to the
// last reply's length (the protocols' replies to one kind of message are all as long) come off
// the line, less one and a margin, and blocks again for the rest. A reply ends at its CR, never
// at a pause: USB adapters deliver in bursts with pauses between them (an FTDI chip holds bytes
// for its latency timer, 16 ms by default), and the scanner's own USB port delivers a reply
// whole, at once.
constexpr DWORD kByteMicroseconds = 1042;
constexpr DWORD kSleepMarginMs = 1;
constexpr std::uint8_t kCr = '\r';
constexpr std::size_t kLookAheadBytes = 32;  // the largest read the protocols make
// A wait never blocks longer than this, so that a GUI thread lets its paint and timer messages
// through several times a second even while the scanner is silent.
constexpr DWORD kLongestWaitMs = 100;

// The system timer's period in ms, from winmm in the system folder alone: it is no KnownDLL,
// and one beside the program would be loaded in its place.
void set_timer_period(const char* function_name) {
    using TimePeriodFunction = UINT WINAPI(UINT);
    if (auto* function = system_function<TimePeriodFunction>(L"winmm.dll", function_name)) {
        function(1);
    }
}

class Win32SerialPort final : public SerialPort {
  public:
    // Sleeping a few milliseconds needs the timer at 1 ms: at the default 15.6 ms every reply
    // would end up to 15 ms late, a third of an exchange at 9600 baud.
    explicit Win32SerialPort(HANDLE handle) : handle_(handle) {
        set_timer_period("timeBeginPeriod");
    }
    ~Win32SerialPort() override {
        CloseHandle(handle_);
        set_timer_period("timeEndPeriod");
    }
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    // A failed write, whatever its code (a removed device gives ERROR_BAD_COMMAND,
    // ERROR_ACCESS_DENIED, ERROR_OPERATION_ABORTED or ERROR_DEVICE_REMOVED), means the port is
    // gone. A write that times out succeeds with fewer bytes.
    bool write(std::span<const std::uint8_t> bytes) override {
        DWORD written = 0;
        if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr)) {
            gone_ = true;
            return false;
        }
        return written == bytes.size();
    }
    std::size_t read(std::span<std::uint8_t> buffer) override;
    void wait_for_bytes(std::uint32_t limit_ms) override;
    bool set_read_limit(DWORD limit_ms);
    // The receive queue only: what is still being sent goes out.
    void purge_received() override {
        PurgeComm(handle_, PURGE_RXCLEAR);
        ahead_first_ = ahead_end_ = 0;
        reply_bytes_ = 0;
    }
    bool gone() const override { return gone_; }

  private:
    HANDLE handle_;
    // What the last wait read ahead, handed out by the reads that follow it.
    std::array<std::uint8_t, kLookAheadBytes> ahead_{};
    std::size_t ahead_first_ = 0;
    std::size_t ahead_end_ = 0;
    DWORD read_limit_ms_ = 0;           // the read time-out now set on the port
    std::size_t reply_bytes_ = 0;       // taken since the last CR
    std::size_t last_reply_bytes_ = 1;  // the last reply, CR included
    bool gone_ = false;

    bool take_queued();
    bool take_one(DWORD limit_ms);
    void took(std::size_t count);
    DWORD missing_time_ms() const;
};

// Only the bytes a wait read ahead: the receive queue itself is read by waits alone, which
// saves a call to the driver (under Wine, a round trip to the server) for every read.
std::size_t Win32SerialPort::read(std::span<std::uint8_t> buffer) {
    const std::size_t count = std::min(buffer.size(), ahead_end_ - ahead_first_);
    std::memcpy(buffer.data(), ahead_.data() + ahead_first_, count);
    ahead_first_ += count;
    return count;
}

void Win32SerialPort::wait_for_bytes(std::uint32_t limit_ms) {
    DWORD limit = std::clamp<DWORD>(limit_ms, 1, kLongestWaitMs);
    if (ahead_first_ < ahead_end_) {
        return;
    }
    // Known gone: sleep the wait out, so that a caller that waits on (one listening to the port)
    // costs no more than on a silent port. The transfers stop at the wait that finds it gone.
    if (gone_) {
        Sleep(limit);
        return;
    }
    ahead_first_ = ahead_end_ = 0;
    if (take_queued() || gone_) {
        return;
    }
    if (const DWORD asleep = std::min(missing_time_ms(), limit); asleep > 0) {
        Sleep(asleep);
        if (take_queued() || gone_ || asleep == limit) {
            return;
        }
        limit -= asleep;
    }
    take_one(limit);
}

// How long to sleep before the rest of a reply under way is in: the bytes missing up to the last
// reply's length, all but the last of them, less a margin. Zero between replies.
DWORD Win32SerialPort::missing_time_ms() const {
    if (reply_bytes_ == 0 || last_reply_bytes_ <= reply_bytes_ + 1) {
        return 0;
    }
    const DWORD coming =
        static_cast<DWORD>((std::min(last_reply_bytes_ - reply_bytes_, kLookAheadBytes) - 1) *
                           kByteMicroseconds / 1000);
    return coming > kSleepMarginMs ? coming - kSleepMarginMs : 0;
}

// The bytes in the receive queue, at most a look-ahead's worth, without waiting for more. True
// when it took any. A port whose state cannot be had is gone (under Wine a vanished port fails
// here with ERROR_NOT_READY, while its reads return nothing and no error).
bool Win32SerialPort::take_queued() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(handle_, &errors, &status)) {
        gone_ = true;
        return false;
    }
    if (status.cbInQue == 0) {
        return false;
    }
    const DWORD queued = std::min<DWORD>(status.cbInQue, static_cast<DWORD>(ahead_.size()));
    DWORD count = 0;
    if (!ReadFile(handle_, ahead_.data(), queued, &count, nullptr)) {
        gone_ = true;
        return false;
    }
    took(count);
    return count > 0;
}

// Blocks until one byte comes or `limit_ms` passes; the rest of a burst is taken by the next
// wait, from the queue.
bool Win32SerialPort::take_one(DWORD limit_ms) {
    if (!set_read_limit(limit_ms)) {
        Sleep(1);  // no wait to be had: give the processor away for a moment, as a poll would
        return false;
    }
    DWORD count = 0;
    if (!ReadFile(handle_, ahead_.data(), 1, &count, nullptr)) {
        gone_ = true;
        return false;
    }
    took(count);
    return count > 0;
}

// Counts the bytes just read ahead into the reply under way, which ends at its CR.
void Win32SerialPort::took(std::size_t count) {
    ahead_end_ = count;
    for (std::size_t i = 0; i < count; ++i) {
        ++reply_bytes_;
        if (ahead_[i] == kCr) {
            last_reply_bytes_ = reply_bytes_;
            reply_bytes_ = 0;
        }
    }
}

// A read returns once it has its bytes, or after `limit_ms` with what came. Set only when it
// changes.
bool Win32SerialPort::set_read_limit(DWORD limit_ms) {
    if (limit_ms == read_limit_ms_) {
        return true;
    }
    COMMTIMEOUTS time_outs{};
    time_outs.ReadIntervalTimeout = 0;  // no interval time-out: a pause ends nothing
    time_outs.ReadTotalTimeoutMultiplier = 0;
    time_outs.ReadTotalTimeoutConstant = limit_ms;
    time_outs.WriteTotalTimeoutMultiplier = 5;
    time_outs.WriteTotalTimeoutConstant = 50;
    if (!SetCommTimeouts(handle_, &time_outs)) {
        return false;
    }
    read_limit_ms_ = limit_ms;
    return true;
}

// Right after the call that failed, `what` (could not be done) with the port `name`.
OpenedPort failed(PortError kind, const char* what, const std::string& name) {
    const DWORD error = GetLastError();  // before anything else can change it
    const std::string words = system_error_text(error);
    return {nullptr, kind, what + name + ": " + words, words};
}

// `access` is read and write for a connection, read alone for listening.
OpenedPort open_port(const std::string& name, DWORD access, const DCB& settings) {
    // Exclusive, synchronous I/O.
    HANDLE handle = CreateFileA(serial_device_name(name).c_str(), access, 0, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return failed(PortError::cannot_open, "cannot open ", name);
    }
    auto port = std::make_unique<Win32SerialPort>(handle);
    SetupComm(handle, kInputQueueBytes, kOutputQueueBytes);
    DCB line = settings;
    if (!SetCommState(handle, &line)) {
        return failed(PortError::cannot_configure, "cannot set up the line on ", name);
    }
    // Without time-outs a read could wait for bytes that never come and hang the program.
    if (!port->set_read_limit(kLongestWaitMs)) {
        return failed(PortError::cannot_configure, "cannot set the time-outs of ", name);
    }
    return {std::move(port), PortError::none, "", ""};
}

}  // namespace

OpenedPort open_serial_port(const std::string& name) {
    return open_port(name, GENERIC_READ | GENERIC_WRITE, scanner_line_settings());
}

OpenedPort open_port_for_watching(const std::string& name, const LineSettings& line) {
    return open_port(name, GENERIC_READ, line_settings_dcb(line));
}

bool same_serial_port(const std::string& a, const std::string& b) {
    return same_windows_port(a, b);
}

}  // namespace tessmar
