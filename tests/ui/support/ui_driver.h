// Helpers shared by the UI tests: a script that answers modal dialogs and message boxes as they
// appear, message pumping, and readers for what controls show.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tessmar::test {

// What a message box showed.
struct MessageBoxSeen {
    std::string caption;
    std::string text;
};

// Answers modal windows (dialogs, message boxes, property sheets, common dialogs) in the order
// they open: each new top-level dialog window runs the next step once its modal loop is up.
// A window that opens when no step is left is closed and counted as unexpected, and a script
// that waits too long closes the window in front, so a wrong turn fails the test instead of
// hanging it. Only one script may be active at a time, on the UI thread.
class ModalScript {
  public:
    using Step = std::function<void(HWND window)>;

    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // Runs `step` on the next window that opens.
    ModalScript& then(Step step);
    // Expects a message box, records what it says, and presses `button` (IDYES, IDNO, ...).
    ModalScript& answer(int button);
    // Expects a dialog and ends it as Cancel would.
    ModalScript& cancel();

    // The message boxes answered so far, in order.
    const std::vector<MessageBoxSeen>& message_boxes() const { return message_boxes_; }
    // Problems met: unexpected windows, steps that never ran, time-outs.
    std::vector<std::string> problems() const;
    // True when every step ran and nothing unexpected happened.
    bool finished_cleanly() const { return problems().empty(); }

    // Called from the window hook and the helper window.
    void on_activate(HWND window);
    void on_destroy(HWND window);
    void run_pending(HWND window);
    void on_shown_timer();
    void on_watchdog();

  private:
    std::vector<Step> steps_;
    std::size_t next_step_ = 0;
    std::vector<HWND> handled_;
    std::vector<MessageBoxSeen> message_boxes_;
    std::vector<std::string> problems_;
    HHOOK hook_ = nullptr;
    HWND helper_ = nullptr;
    HWND not_yet_shown_ = nullptr;
    DWORD last_activity_ = 0;
};

// Handles every message already waiting, then returns.
void pump_messages();

std::string window_text(HWND window);
// Every window below `window`, children before their own children's siblings (EnumChildWindows).
std::vector<HWND> descendant_windows(HWND window);
std::string class_name(HWND window);
// Presses a window's Cancel button (Esc does the same): property sheets through their sheet
// button, other dialogs by their IDCANCEL command.
void cancel_window(HWND window);
// Presses a dialog's button by posting its command, as a click does.
void press_button(HWND dialog, int id);
// The text a message box shows.
MessageBoxSeen read_message_box(HWND box);

// Property sheets: the page on show, and a button pressed as a click would (PSBTN_OK, ...).
HWND current_page(HWND sheet);
void press_sheet_button(HWND sheet, int button);

// A common file dialog: types `path` as the file name and presses its OK button.
void choose_file_name(HWND dialog, const std::string& path);

// Keys as a user's: posted to `window` (the one with the focus, as the system would), then taken
// from the queue as the loop of the modal window in front takes them, through the dialog manager.
// So Tab, Enter, Esc, the arrows in a radio group and mnemonics act as they do for a user.
// Types `text`, one character message per character (so an edit box sees each change).
void type_text(HWND window, const std::string& text);
// Presses and releases a key (VK_UP, ...).
void press_key(HWND window, int virtual_key);
// Presses a key with Alt held (Alt+Down, ...), as the system sends it: a system key.
void press_alt_key(HWND window, int virtual_key);
// Presses Tab until control `id` of `dialog` has the focus, as a user reaches it; false when Tab
// never gets there.
bool tab_to(HWND dialog, int id);
// Handles every message waiting as the modal window in front would, through its dialog manager.
void pump_through_dialog_manager();

// Clicks (or double-clicks) the left button at a point of a window's client area as a user
// would: the click goes to whatever window is there. Returns once the click has been acted on.
void click_at(HWND window, POINT client_point);
void double_click_at(HWND window, POINT client_point);

// The colour a window shows at a point of its client area, once its pending paints are done.
COLORREF pixel_at(HWND window, POINT client_point);

// Files dropped as Explorer hands them to a window in WM_DROPFILES; the window frees the drop.
HDROP make_file_drop(const std::vector<std::string>& paths);

}  // namespace tessmar::test
