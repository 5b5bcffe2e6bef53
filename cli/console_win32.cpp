// The Windows console. tessmar-cli's text is UTF-8 (its code page, by its manifest). A console
// shows such bytes rightly only with UTF-8 as its output code page, which is shared with the shell
// that started the program, and only when each character reaches it whole, which the C library
// does not see to; so text for a console goes to it as UTF-16 through WriteConsoleW instead.
// Progress lines are rewritten in place with terminal sequences, relative to the cursor, where
// the console takes them (Windows Terminal, and the console of Windows 10 on once asked to), and
// through the console's buffer elsewhere (Wine's console, older Windows). Either way a line never
// reaches the window's right edge, so a console that rewraps its lines when the window is made
// narrower has no line of ours to break.
#include <windows.h>
#include <io.h>

#include <atomic>
#include <cstring>
#include <iostream>
#include <memory>
#include <streambuf>

#include "cli/console.h"
#include "win32/system_library.h"

namespace tessmar::cli {
namespace {

// The console behind a stream, or null when the stream goes elsewhere (a file, a pipe, NUL).
HANDLE console_of(std::FILE* stream) {
    const intptr_t os_handle = _get_osfhandle(_fileno(stream));
    const HANDLE handle = reinterpret_cast<HANDLE>(os_handle);
    DWORD mode = 0;
    if (os_handle == -1 || handle == nullptr || !GetConsoleMode(handle, &mode)) {
        return nullptr;
    }
    return handle;
}

// The length of the part of `text` that ends with a whole UTF-8 character: a character cut by
// the end of the buffer waits for the rest of its bytes.
std::size_t whole_characters(const char* text, std::size_t size) {
    std::size_t start = size;
    while (start > 0 && size - start < 4 && (text[start - 1] & 0xC0) == 0x80) {
        --start;
    }
    if (start == 0) {
        return size;
    }
    const unsigned char lead = static_cast<unsigned char>(text[start - 1]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return size - start + 1 < length ? start - 1 : size;
}

// A stream's text, gathered and written to the console as UTF-16.
class ConsoleBuffer final : public std::streambuf {
  public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {
        setp(buffer_, buffer_ + sizeof buffer_);
    }

  protected:
    int_type overflow(int_type c) override {
        if (sync() != 0 || pptr() == epptr()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override {
        const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
        const std::size_t whole = whole_characters(pbase(), pending);
        const bool written = write_text(pbase(), whole);
        // What is left, a character's first bytes, goes back to the start.
        std::memmove(buffer_, pbase() + whole, pending - whole);
        setp(buffer_, buffer_ + sizeof buffer_);
        pbump(static_cast<int>(pending - whole));
        return written ? 0 : -1;
    }

  private:
    bool write_text(const char* text, std::size_t size) {
        if (size == 0) {
            return true;
        }
        wchar_t wide[sizeof buffer_];
        const int length = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(size), wide,
                                               static_cast<int>(std::size(wide)));
        DWORD written = 0;
        return length > 0 &&
               WriteConsoleW(console_, wide, static_cast<DWORD>(length), &written, nullptr);
    }

    HANDLE console_;
    char buffer_[1024];
};

struct Redirection {
    std::ostream& stream;
    std::unique_ptr<ConsoleBuffer> buffer;
    std::streambuf* former;
};
Redirection* output_redirection = nullptr;
Redirection* error_redirection = nullptr;

Redirection* redirect(std::ostream& stream, std::FILE* file) {
    const HANDLE console = console_of(file);
    if (console == nullptr) {
        return nullptr;
    }
    auto buffer = std::make_unique<ConsoleBuffer>(console);
    std::streambuf* former = stream.rdbuf(buffer.get());
    return new Redirection{stream, std::move(buffer), former};
}

void put_back(Redirection*& redirection) {
    if (redirection != nullptr) {
        redirection->stream.flush();
        redirection->stream.rdbuf(redirection->former);
        delete redirection;
        redirection = nullptr;
    }
}

// Runs on a thread of its own that the system starts for each event.
std::atomic<Cancellation*> interrupted_transfers{nullptr};

BOOL WINAPI on_console_control(DWORD event) {
    Cancellation* cancellation = interrupted_transfers.load();
    // A closed console, a log-off or a second Ctrl+C ends the program as it always does.
    if ((event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) || cancellation == nullptr ||
        cancellation->requested()) {
        return FALSE;
    }
    cancellation->request();
    return TRUE;
}

}  // namespace

void catch_interrupts(Cancellation& cancellation) {
    interrupted_transfers.store(&cancellation);
    SetConsoleCtrlHandler(on_console_control, TRUE);
}

// The first thing the program does on Windows: from here on no DLL is loaded from its folder
// or the current one, where anyone with a share's write access could have put one.
ConsoleSetup::ConsoleSetup() {
    restrict_dll_search();
    output_redirection = redirect(std::cout, stdout);
    error_redirection = redirect(std::cerr, stderr);
}

ConsoleSetup::~ConsoleSetup() {
    put_back(output_redirection);
    put_back(error_redirection);
}

bool is_terminal(std::FILE* stream) {
    return console_of(stream) != nullptr;
}

namespace {

// Columns a line may fill: one less than the window shows, so it never wraps.
std::size_t usable_width(const CONSOLE_SCREEN_BUFFER_INFO& buffer) {
    const int width = buffer.srWindow.Right - buffer.srWindow.Left;
    return width > 0 ? static_cast<std::size_t>(width) : 0;
}

}  // namespace

StatusLines::StatusLines(std::size_t count) : count_(count), shown_(false) {
    const HANDLE console = console_of(stderr);
    DWORD mode = 0;
    if (console == nullptr || !GetConsoleMode(console, &mode)) {
        return;
    }
    std::cerr << std::string(count_, '\n') << std::flush;
    if (SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING)) {
        former_mode_ = mode;
        sequences_ = shown_ = true;
        return;
    }
    CONSOLE_SCREEN_BUFFER_INFO buffer{};
    if (GetConsoleScreenBufferInfo(console, &buffer) &&
        buffer.dwCursorPosition.Y >= static_cast<SHORT>(count_)) {
        top_ = buffer.dwCursorPosition.Y - static_cast<SHORT>(count_);
        shown_ = true;
    }
}

StatusLines::~StatusLines() {
    if (sequences_) {
        if (const HANDLE console = console_of(stderr)) {
            SetConsoleMode(console, former_mode_);
        }
    }
}

// The text over the line, cut to the window's width, the rest of the row cleared; the cursor
// stays below.
void StatusLines::set(std::size_t index, const std::string& text) {
    const HANDLE console = shown_ ? console_of(stderr) : nullptr;
    CONSOLE_SCREEN_BUFFER_INFO buffer{};
    if (console == nullptr || !GetConsoleScreenBufferInfo(console, &buffer)) {
        return;
    }
    const std::string line = text.substr(0, usable_width(buffer));
    if (sequences_) {
        const std::size_t up = count_ - index;
        std::cerr << "\x1b[" << up << "A\r" << line << "\x1b[K\x1b[" << up << "B\r" << std::flush;
        return;
    }
    const COORD start{0, static_cast<SHORT>(top_ + static_cast<int>(index))};
    DWORD written = 0;
    WriteConsoleOutputCharacterA(console, line.data(), static_cast<DWORD>(line.size()), start,
                                 &written);
    const COORD rest{static_cast<SHORT>(line.size()), start.Y};
    FillConsoleOutputCharacterA(console, ' ', static_cast<DWORD>(buffer.dwSize.X) - written, rest,
                                &written);
}

}  // namespace tessmar::cli
