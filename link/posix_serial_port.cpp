// The serial port on POSIX systems: a tty device set up with termios.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <chrono>
#include <cstring>
#include <limits>
#include <thread>

#include "link/serial_port.h"

namespace tessmar {
namespace {

class PosixSerialPort final : public SerialPort {
  public:
    explicit PosixSerialPort(int fd) : fd_(fd) {}
    ~PosixSerialPort() override { ::close(fd_); }
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool write(std::span<const std::uint8_t> bytes) override;
    std::size_t read(std::span<std::uint8_t> buffer) override {
        const ssize_t count = ::read(fd_, buffer.data(), buffer.size());
        return count > 0 ? static_cast<std::size_t>(count) : 0;
    }
    void wait_for_bytes(std::uint32_t limit_ms) override;
    void purge_received() override { tcflush(fd_, TCIFLUSH); }

  private:
    int fd_;
};

// The descriptor is non-blocking, so a line that does not drain cannot hang the program: like the
// Win32 port's write time-outs, a write of n bytes may take 50 + 5 x n milliseconds.
bool PosixSerialPort::write(std::span<const std::uint8_t> bytes) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(50 + 5 * bytes.size());
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd writable{fd_, POLLOUT, 0};
        ::poll(&writable, 1, static_cast<int>(left.count()));
    }
    return true;
}

void PosixSerialPort::wait_for_bytes(std::uint32_t limit_ms) {
    using std::chrono::milliseconds;
    const int limit =
        static_cast<int>(std::min<std::uint32_t>(limit_ms, std::numeric_limits<int>::max()));
    pollfd readable{fd_, POLLIN, 0};
    if (::poll(&readable, 1, limit) > 0 && (readable.revents & POLLIN) == 0) {
        // Hung up: nothing can arrive, and poll would return at once every time. Sleep the
        // wait out instead, so a dead line costs no more than a silent one.
        std::this_thread::sleep_for(milliseconds(limit));
    }
}

// 9600 baud, 8 data bits, no parity, one stop bit; raw, with no translation of CR or anything
// else; no hardware or software flow control; reads that return at once.
bool set_line(int fd) {
    termios line{};
    if (tcgetattr(fd, &line) != 0) {
        return false;
    }
    cfmakeraw(&line);
    line.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    line.c_cflag |= CS8 | CREAD | CLOCAL;
    line.c_iflag &= ~(IXON | IXOFF | IXANY);
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    if (cfsetispeed(&line, B9600) != 0 || cfsetospeed(&line, B9600) != 0 ||
        tcsetattr(fd, TCSANOW, &line) != 0) {
        return false;
    }
    // tcsetattr succeeds when any one setting took, so read them back.
    termios applied{};
    if (tcgetattr(fd, &applied) != 0) {
        return false;
    }
    constexpr tcflag_t kFraming = CSIZE | PARENB | CSTOPB | CRTSCTS;
    if (cfgetospeed(&applied) != B9600 || cfgetispeed(&applied) != B9600 ||
        (applied.c_cflag & kFraming) != CS8 || (applied.c_iflag & (IXON | IXOFF)) != 0) {
        errno = EINVAL;
        return false;
    }
    return true;
}

// `what` is what could not be done, with the port's name.
OpenedPort failed(PortError error, const std::string& what, const std::string& words) {
    return {nullptr, error, what + ": " + words, words};
}

}  // namespace

OpenedPort open_serial_port(const std::string& name) {
    // Non-blocking, so the open does not wait for a carrier the line may never have.
    const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return failed(PortError::cannot_open, "cannot open " + name, std::strerror(errno));
    }
    auto port = std::make_unique<PosixSerialPort>(fd);
    // One connection at a time; the lock goes with the descriptor, however the program ends.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return failed(PortError::cannot_open, "cannot open " + name, "it is in use");
    }
    if (!set_line(fd)) {
        return failed(PortError::cannot_configure, "cannot set up the line on " + name,
                      std::strerror(errno));
    }
    // Opening a tty raises DTR and RTS; the scanner's line has them off. A pseudo-terminal has no
    // modem lines and refuses, which changes nothing.
    const int modem_lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, TIOCMBIC, &modem_lines);
    return {std::move(port), PortError::none, "", ""};
}

}  // namespace tessmar
