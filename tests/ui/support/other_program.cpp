#include "tests/ui/support/other_program.h"

namespace tessmar::test {
namespace {

// A thread message: the window comes to the front.
constexpr UINT kComeToFront = WM_APP + 1;

}  // namespace

OtherProgram::OtherProgram() : ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this] { run(); });
    WaitForSingleObject(ready_, 10000);
}

OtherProgram::~OtherProgram() {
    PostThreadMessageA(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(ready_);
}

void OtherProgram::run() {
    thread_id_ = GetCurrentThreadId();
    window_ = CreateWindowExA(0, "STATIC", "Another program", WS_OVERLAPPEDWINDOW, 40, 40, 320, 200,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    // The window gave the thread its message queue, so thread messages reach it from now on.
    SetEvent(ready_);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == kComeToFront) {
            ShowWindow(window_, SW_SHOWNORMAL);
            SetForegroundWindow(window_);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DestroyWindow(window_);
}

bool OtherProgram::come_to_front() {
    if (!window_ || !PostThreadMessageA(thread_id_, kComeToFront, 0, 0)) {
        return false;
    }
    for (int tries = 0; tries < 1000; ++tries) {
        // Takes in the messages sent to this thread (the news that its window is no longer
        // active among them), and leaves what was posted in the queue.
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        if (GetForegroundWindow() == window_ && GetActiveWindow() == nullptr) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

}  // namespace tessmar::test
