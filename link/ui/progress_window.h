// The progress window of a transfer. It is modeless and has no dialog procedure; the transfer
// pumps no messages, so the window is painted and updated by direct messages alone.
#pragma once

#include <windows.h>

namespace tessmar {

enum class TransferDirection { download, read_back };

class ProgressWindow {
  public:
    // Creates the window from template PROGRESSDLG, owned by `owner`, with a progress bar at
    // position 0 whose range is 0 to 120 for a download and 0 to 100 for a read-back.
    ProgressWindow(HINSTANCE instance, HWND owner, TransferDirection direction);
    // Destroys the window and its bar.
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void show(int position);

    HWND window() const { return dialog_; }
    HWND bar() const { return bar_; }

  private:
    HWND dialog_ = nullptr;
    HWND bar_ = nullptr;
};

}  // namespace tessmar
