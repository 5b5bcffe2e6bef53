// A top-level window of another thread, standing in for another program the user switches to.
#pragma once

#include <windows.h>

#include <thread>

namespace tessmar::test {

class OtherProgram {
  public:
    // Starts the thread and creates its window, hidden.
    OtherProgram();
    // Destroys the window and ends the thread.
    ~OtherProgram();
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    // Shows the window and makes it the foreground window, as a click on it would; from any
    // thread. True once it is in front and the calling thread has no active window left (within
    // ten seconds).
    bool come_to_front();

  private:
    void run();

    std::thread thread_;
    DWORD thread_id_ = 0;
    HWND window_ = nullptr;
    HANDLE ready_ = nullptr;
};

}  // namespace tessmar::test
