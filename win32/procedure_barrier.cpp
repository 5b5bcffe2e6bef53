#include "win32/procedure_barrier.h"

#include <windows.h>

#include <string>

namespace tessmar {

void report_escaped_exception(const char* what) noexcept {
    try {
        OutputDebugStringA(
            ("Tessmar: a window procedure dropped a message: " + std::string(what) + "\n").c_str());
    } catch (...) {
        OutputDebugStringA("Tessmar: a window procedure dropped a message\n");
    }
}

}  // namespace tessmar
