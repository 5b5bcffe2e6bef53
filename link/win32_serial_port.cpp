// The serial port on Windows: a COM port through the Win32 comm functions.
#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "link/serial_port.h"
#include "win32/system_error_text.h"

namespace tessmar {
namespace {

// The queue sizes the scanner's driver was built for.
constexpr DWORD kInputQueueBytes = 256;
constexpr DWORD kOutputQueueBytes = 1200;

class Win32SerialPort final : public SerialPort {
  public:
    // The protocols wait 1 ms between empty polls; at the default timer resolution such a wait
    // lasts a whole 15.6 ms scheduler tick, a third of an exchange at 9600 baud.
    explicit Win32SerialPort(HANDLE handle) : handle_(handle) { timeBeginPeriod(1); }
    ~Win32SerialPort() override {
        CloseHandle(handle_);
        timeEndPeriod(1);
    }
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    bool write(std::span<const std::uint8_t> bytes) override {
        DWORD written = 0;
        return WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) &&
               written == bytes.size();
    }
    // An empty receive queue is seen without a read: under Wine each ReadFile on a port costs
    // a round trip to the server, and most polls find nothing.
    std::size_t read(std::span<std::uint8_t> buffer) override {
        DWORD errors = 0;
        COMSTAT status{};
        if (ClearCommError(handle_, &errors, &status) && status.cbInQue == 0) {
            return 0;
        }
        DWORD count = 0;
        if (!ReadFile(handle_, buffer.data(), static_cast<DWORD>(buffer.size()), &count, nullptr)) {
            return 0;
        }
        return count;
    }
    // The receive queue only: what is still being sent goes out.
    void purge_received() override { PurgeComm(handle_, PURGE_RXCLEAR); }

  private:
    HANDLE handle_;
};

// Filled afresh from zeros for every connection; the port's previous state is never read, so no
// setting of an earlier program survives.
DCB line_settings() {
    DCB line{};
    line.DCBlength = sizeof line;
    line.BaudRate = CBR_9600;
    line.ByteSize = 8;
    line.Parity = NOPARITY;
    line.StopBits = ONESTOPBIT;
    line.fOutxCtsFlow = FALSE;  // no CTS handshake on output
    line.fOutX = FALSE;         // no XON/XOFF on output
    line.fRtsControl = RTS_CONTROL_DISABLE;
    // The rest stays zero: no DSR handshake, no XON/XOFF on input, DTR disabled, no error or
    // null-byte replacement, no abort on error, XON/XOFF limits and characters zero.
    return line;
}

// Reads return at once with whatever is buffered, so the protocols poll and keep their own
// deadlines; a write of n bytes may take 50 + 5 x n milliseconds.
COMMTIMEOUTS time_outs() {
    COMMTIMEOUTS time_outs{};
    time_outs.ReadIntervalTimeout = MAXDWORD;
    time_outs.ReadTotalTimeoutMultiplier = 0;
    time_outs.ReadTotalTimeoutConstant = 0;
    time_outs.WriteTotalTimeoutMultiplier = 5;
    time_outs.WriteTotalTimeoutConstant = 50;
    return time_outs;
}

}  // namespace

OpenedPort open_serial_port(const std::string& name) {
    // Exclusive, synchronous I/O.
    HANDLE handle = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return {nullptr, PortError::cannot_open,
                "cannot open " + name + ": " + system_error_text(GetLastError())};
    }
    auto port = std::make_unique<Win32SerialPort>(handle);
    SetupComm(handle, kInputQueueBytes, kOutputQueueBytes);
    DCB line = line_settings();
    if (!SetCommState(handle, &line)) {
        return {nullptr, PortError::cannot_configure,
                "cannot set up the line on " + name + ": " + system_error_text(GetLastError())};
    }
    // Without these time-outs a read could wait for bytes that never come and hang the program.
    COMMTIMEOUTS waits = time_outs();
    if (!SetCommTimeouts(handle, &waits)) {
        return {nullptr, PortError::cannot_configure,
                "cannot set the time-outs of " + name + ": " + system_error_text(GetLastError())};
    }
    return {std::move(port), PortError::none, ""};
}

}  // namespace tessmar
