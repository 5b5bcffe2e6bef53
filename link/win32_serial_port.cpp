// The serial port on Windows: a COM port through the Win32 comm functions.
#include <windows.h>

#include <algorithm>
#include <array>
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
// out a reply wakes for each byte, and under Wine each wake that ends the read costs a round trip
// to the server for the time-outs: some 380 system calls per exchange of the read-back. So a wait
// blocks only until a reply's first byte. The rest of a reply as long as the last (the protocols'
// replies to one kind of message are all as long) then gathers in the queue while the port
// sleeps, until only its last byte is due; a read then returns as that byte comes, or kGatherMs
// after the bytes stop when the reply is shorter. Past that, the port sleeps kGatherMs at a time
// until the line is quiet, and takes what came without waiting.
constexpr DWORD kByteMicroseconds = 1042;
constexpr DWORD kGatherMs = 2;
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
    // Sleeping 2 ms needs the timer at 1 ms: at the default 15.6 ms every reply would end 15 ms
    // late, a third of an exchange at 9600 baud.
    explicit Win32SerialPort(HANDLE handle) : handle_(handle) {
        set_timer_period("timeBeginPeriod");
    }
    ~Win32SerialPort() override {
        CloseHandle(handle_);
        set_timer_period("timeEndPeriod");
    }
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    bool write(std::span<const std::uint8_t> bytes) override {
        DWORD written = 0;
        return WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) &&
               written == bytes.size();
    }
    std::size_t read(std::span<std::uint8_t> buffer) override;
    void wait_for_bytes(std::uint32_t limit_ms) override;
    bool set_read_limit(DWORD limit_ms);
    // The receive queue only: what is still being sent goes out.
    void purge_received() override {
        PurgeComm(handle_, PURGE_RXCLEAR);
        ahead_first_ = ahead_end_ = 0;
        receiving_ = false;
        reply_bytes_ = 0;
    }

  private:
    HANDLE handle_;
    // What the last wait read ahead, handed out by the reads that follow it.
    std::array<std::uint8_t, kLookAheadBytes> ahead_{};
    std::size_t ahead_first_ = 0;
    std::size_t ahead_end_ = 0;
    DWORD read_limit_ms_ = 0;  // the read time-out now set on the port
    // The last wait took bytes: more of the same reply may be on their way.
    bool receiving_ = false;
    std::size_t reply_bytes_ = 0;       // taken since the reply began
    std::size_t last_reply_bytes_ = 1;  // the whole of the last reply

    DWORD take_rest_of_reply(DWORD limit);
    void take_queued();
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
    if (ahead_first_ < ahead_end_) {
        return;
    }
    ahead_first_ = ahead_end_ = 0;
    DWORD limit = std::clamp<DWORD>(limit_ms, 1, kLongestWaitMs);
    if (receiving_) {
        const DWORD waited = take_rest_of_reply(limit);
        if (ahead_end_ > 0) {
            return;
        }
        // Nothing came meanwhile: the reply is over, and the next one is waited for.
        receiving_ = false;
        last_reply_bytes_ = reply_bytes_;
        if (waited >= limit) {
            return;
        }
        limit -= waited;
    }
    if (!set_read_limit(limit)) {
        Sleep(1);  // no wait to be had: give the processor away for a moment, as a poll would
        return;
    }
    // One byte: the read returns as the reply begins, and the rest of it gathers in the queue.
    DWORD count = 0;
    if (ReadFile(handle_, ahead_.data(), 1, &count, nullptr)) {
        ahead_end_ = count;
    }
    receiving_ = ahead_end_ > 0;
    reply_bytes_ = ahead_end_;
}

// Takes in more of the reply under way, within `limit`; the milliseconds that took.
DWORD Win32SerialPort::take_rest_of_reply(DWORD limit) {
    const std::size_t missing = std::min(
        last_reply_bytes_ > reply_bytes_ ? last_reply_bytes_ - reply_bytes_ : 0, kLookAheadBytes);
    if (missing == 0) {
        const DWORD gathering = std::min(kGatherMs, limit);
        Sleep(gathering);
        take_queued();
        return gathering;
    }
    const DWORD asleep =
        std::min(static_cast<DWORD>((missing - 1) * kByteMicroseconds / 1000), limit);
    Sleep(asleep);
    if (asleep == limit || !set_read_limit(limit - asleep)) {
        take_queued();
        return asleep;
    }
    DWORD count = 0;
    if (ReadFile(handle_, ahead_.data(), static_cast<DWORD>(missing), &count, nullptr)) {
        ahead_end_ = count;
        reply_bytes_ += count;
    }
    return limit;
}

// The bytes in the receive queue, at most a look-ahead's worth, without waiting for more.
void Win32SerialPort::take_queued() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(handle_, &errors, &status) || status.cbInQue == 0) {
        return;
    }
    const DWORD queued = std::min<DWORD>(status.cbInQue, static_cast<DWORD>(ahead_.size()));
    DWORD count = 0;
    if (ReadFile(handle_, ahead_.data(), queued, &count, nullptr)) {
        ahead_end_ = count;
        reply_bytes_ += count;
    }
}

// A read returns once it has its bytes, kGatherMs after bytes stop coming, or after `limit_ms`
// with what came. Set only when it changes.
bool Win32SerialPort::set_read_limit(DWORD limit_ms) {
    if (limit_ms == read_limit_ms_) {
        return true;
    }
    COMMTIMEOUTS time_outs{};
    time_outs.ReadIntervalTimeout = kGatherMs;
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
