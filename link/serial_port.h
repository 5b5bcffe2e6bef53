// The serial line as the link protocols see it: whole writes, reads that return at once with
// whatever has arrived, a wait for received bytes, and a purge of the receive queue. There is one
// implementation per platform (termios, the Win32 comm functions); tests put a scripted peer behind
// the interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tessmar {

class SerialPort {
  public:
    virtual ~SerialPort() = default;

    // Sends the bytes. False when they could not all be written; the protocols do not look,
    // since a lost message shows as a missing reply.
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
    // Returns at once with the bytes already received, at most `buffer.size()` of them; 0 when
    // none have arrived or the read failed. (The Win32 port hands out what its waits took in.)
    virtual std::size_t read(std::span<std::uint8_t> buffer) = 0;
    // Blocks until received bytes are there to be read or about `limit_ms` milliseconds have
    // passed. It may return sooner (the Win32 port never blocks for more than a tenth of a
    // second, so a GUI thread keeps answering its messages), so callers read again and keep
    // their own deadline.
    virtual void wait_for_bytes(std::uint32_t limit_ms) = 0;
    // Discards what was received and not yet read.
    virtual void purge_received() = 0;
    // True once the port has failed for good: its device went away (an adapter unplugged, the
    // scanner's own USB port gone with it), and nothing more can be sent or received.
    virtual bool gone() const { return false; }
};

enum class PortError {
    none,
    cannot_open,       // absent, in use, or no rights
    cannot_configure,  // the line parameters were refused
};

struct OpenedPort {
    std::unique_ptr<SerialPort> port;  // null on failure; closes the port when destroyed
    PortError error = PortError::none;
    std::string reason;        // the port's name and the system's own words, for a failure
    std::string system_words;  // the system's own words alone
};

// The line a scanner in RS-232 mode talks on; always one stop bit.
enum class Parity { none, even, odd };
struct LineSettings {
    std::uint32_t baud = 9600;
    Parity parity = Parity::none;
    unsigned data_bits = 8;  // 7 or 8
    // DTR and RTS raised, for a scanner whose flow control waits for the host to be ready.
    bool host_ready = false;
};

// Opens a port to listen to a scanner: read access only, at `line`, and otherwise as below.
// Nothing is ever sent on it.
OpenedPort open_port_for_watching(const std::string& name, const LineSettings& line);

// Opens a port for one connection: exclusive, 9600 baud, 8 data bits, no parity, one stop bit,
// raw, no flow control, DTR and RTS not asserted, reads that return at once, and waits that
// block the thread instead of polling. `name` is a
// device path on POSIX systems and a port name such as "COM1" or "COM12" on Windows.
OpenedPort open_serial_port(const std::string& name);

// Whether two names open the same port: the same device on POSIX systems (another path to it, a
// link to it), the same name on Windows in any case, with or without "\\.\".
bool same_serial_port(const std::string& a, const std::string& b);

}  // namespace tessmar
