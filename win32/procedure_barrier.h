// An exception must never cross user32's frames between a window procedure and the message loop:
// that is undefined behaviour. Every window, dialog and subclass procedure runs its body here.
#pragma once

#include <exception>

namespace tessmar {

// Tells a debugger what escaped a procedure; the program goes on.
void report_escaped_exception(const char* what) noexcept;

// Runs `body` and returns its result. When it throws (memory ran out, say), the action it was
// taking is dropped and the message gets `fallback()` instead: the default handling.
template <typename Body, typename Fallback>
auto within_barrier(Body&& body, Fallback&& fallback) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (const std::exception& error) {
        report_escaped_exception(error.what());
    } catch (...) {
        report_escaped_exception("an exception of unknown type");
    }
    return fallback();
}

}  // namespace tessmar
