// The serial port on POSIX systems: a tty device set up with termios.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <chrono>
#include <cstring>
#include <limits>

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
    std::size_t read(std::span<std::uint8_t> buffer) override;
    void wait_for_bytes(std::uint32_t limit_ms) override;
    void purge_received() override { tcflush(fd_, TCIFLUSH); }
    bool gone() const override { return gone_; }

  private:
    int fd_;
    // A device that went away answers every call with EIO, or polls as hung up, from then on.
    bool gone_ = false;
};

std::size_t PosixSerialPort::read(std::span<std::uint8_t> buffer) {
    const ssize_t count = ::read(fd_, buffer.data(), buffer.size());
    if (count < 0 && errno == EIO) {
        gone_ = true;
    }
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

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
            gone_ = gone_ || errno == EIO;
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

// A hang-up with nothing left to read is the device gone (with CLOCAL set, a line that is still
// there never hangs up): a hung-up terminal polls as readable and hung up at once, every time,
// and its reads give nothing. Once the port is known gone, a wait sleeps its time out instead, so
// that a caller that waits on (one that listens to the port) costs no more than on a silent one.
void PosixSerialPort::wait_for_bytes(std::uint32_t limit_ms) {
    const int limit =
        static_cast<int>(std::min<std::uint32_t>(limit_ms, std::numeric_limits<int>::max()));
    pollfd readable{fd_, POLLIN, 0};
    if (gone_) {
        ::poll(nullptr, 0, limit);
        return;
    }
    if (::poll(&readable, 1, limit) > 0 &&
        (readable.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
        int queued = 0;
        gone_ = gone_ || ioctl(fd_, FIONREAD, &queued) != 0 || queued == 0;
    }
}

speed_t speed_of(std::uint32_t baud) {
    switch (baud) {
        case 300:
            return B300;
        case 600:
            return B600;
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        default:
            return B9600;
    }
}

tcflag_t framing_of(const LineSettings& settings) {
    tcflag_t framing = settings.data_bits == 7 ? CS7 : CS8;
    if (settings.parity != Parity::none) {
        framing |= PARENB | (settings.parity == Parity::odd ? PARODD : 0);
    }
    return framing;
}

// One stop bit; raw, with no translation of CR or anything else; no hardware or software flow
// control; reads that return at once.
bool set_line(int fd, const LineSettings& settings) {
    termios line{};
    if (tcgetattr(fd, &line) != 0) {
        return false;
    }
    const speed_t speed = speed_of(settings.baud);
    cfmakeraw(&line);
    line.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    line.c_cflag |= framing_of(settings) | CREAD | CLOCAL;
    line.c_iflag &= ~(IXON | IXOFF | IXANY);
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    if (cfsetispeed(&line, speed) != 0 || cfsetospeed(&line, speed) != 0 ||
        tcsetattr(fd, TCSANOW, &line) != 0) {
        return false;
    }
    // tcsetattr succeeds when any one setting took, so read them back.
    termios applied{};
    if (tcgetattr(fd, &applied) != 0) {
        return false;
    }
    constexpr tcflag_t kFraming = CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS;
    if (cfgetospeed(&applied) != speed || cfgetispeed(&applied) != speed ||
        (applied.c_cflag & kFraming) != framing_of(settings) ||
        (applied.c_iflag & (IXON | IXOFF)) != 0) {
        errno = EINVAL;
        return false;
    }
    return true;
}

// `what` is what could not be done, with the port's name.
OpenedPort failed(PortError error, const std::string& what, const std::string& words) {
    return {nullptr, error, what + ": " + words, words};
}

// `access` is O_RDWR for a connection, O_RDONLY for listening.
OpenedPort open_port(const std::string& name, int access, const LineSettings& settings) {
    // Non-blocking, so the open does not wait for a carrier the line may never have.
    const int fd = ::open(name.c_str(), access | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return failed(PortError::cannot_open, "cannot open " + name, std::strerror(errno));
    }
    auto port = std::make_unique<PosixSerialPort>(fd);
    // One connection at a time; the lock goes with the descriptor, however the program ends.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return failed(PortError::cannot_open, "cannot open " + name, "it is in use");
    }
    if (!set_line(fd, settings)) {
        return failed(PortError::cannot_configure, "cannot set up the line on " + name,
                      std::strerror(errno));
    }
    // Opening a tty raises DTR and RTS; the scanner's line has them off unless its flow control
    // waits for them. A pseudo-terminal has no modem lines and refuses, which changes nothing.
    const int modem_lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, settings.host_ready ? TIOCMBIS : TIOCMBIC, &modem_lines);
    return {std::move(port), PortError::none, "", ""};
}

}  // namespace

OpenedPort open_serial_port(const std::string& name) {
    return open_port(name, O_RDWR, {});
}

OpenedPort open_port_for_watching(const std::string& name, const LineSettings& line) {
    return open_port(name, O_RDONLY, line);
}

bool same_serial_port(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    if (stat(a.c_str(), &first) != 0 || stat(b.c_str(), &second) != 0) {
        return a == b;
    }
    if (S_ISCHR(first.st_mode) && S_ISCHR(second.st_mode)) {
        return first.st_rdev == second.st_rdev;
    }
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace tessmar
