#include "link/ui/scanner_link.h"

#include <string>

#include "link/download.h"
#include "link/read_back.h"
#include "link/ui/port_dialog.h"
#include "win32/common_controls.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

constexpr MessageStyle kDownloadDone{"Download", MB_OK | MB_ICONWARNING};

// A message, then on a line of its own the port and why: "COM1: no reply to packet 1 of 112
// (offset 0000) within 2000 ms.", the words tessmar-cli gives, so a technician has something to
// check and support has something to go on.
std::string with_reason(const char* message, const char* port_name, const std::string& reason) {
    return std::string(message) + "\n" + port_name + ": " + reason + ".";
}

// Runs between the transfer's waits. Only paint and timer messages (and messages sent from other
// threads, which any PeekMessage answers): input, commands and a close wait in the queue until
// the transfer is over, so nothing can start inside it.
void let_paint_through() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE) ||
           PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

// The progress window of one attempt, with the main window disabled while it is up.
class TransferWindows {
  public:
    TransferWindows(HINSTANCE instance, HWND main_window, TransferDirection direction)
        : main_window_(main_window),
          was_disabled_(EnableWindow(main_window, FALSE) != 0),
          progress_(instance, message_owner(main_window), direction) {}
    // The main window is enabled before the progress window goes (the members go after this
    // body), so that it is the window activated again.
    ~TransferWindows() {
        drop_input_made_during_transfer();
        if (!was_disabled_) {
            EnableWindow(main_window_, TRUE);
        }
    }
    TransferWindows(const TransferWindows&) = delete;
    TransferWindows& operator=(const TransferWindows&) = delete;

    Progress progress() {
        return [this](int position) { progress_.show(position); };
    }

  private:
    HWND main_window_;
    bool was_disabled_;
    ProgressWindow progress_;
};

struct Connection {
    HINSTANCE instance;
    HWND main_window;
    const char* port_name;
    ProgramState& state;
    OpenedPort opened;  // the port of the attempt under way; closed after a failed one
    ReadPasses passes;
};

// A failed download's reason, and what the scanner holds after it, so the technician knows
// whether to send the settings again or look first.
std::string download_failure(const LinkResult& failed) {
    return failed.failure +
           (failed.settings_uncertain
                ? ". The failure came at the final UPDATE, so the scanner may have taken the new "
                  "settings: read its settings back to see what it holds"
                : ". The scanner keeps its previous settings");
}

bool retry_wanted(const Connection& link, const char* question, const std::string& reason) {
    return show_message(link.main_window, with_reason(question, link.port_name, reason),
                        kRetryQuestion) == IDYES;
}

// The progress window is gone before the completion message shows.
LinkResult download_once(Connection& link, Line& line) {
    LinkResult result;
    {
        TransferWindows windows(link.instance, link.main_window, TransferDirection::download);
        result = DownloadSettings(link.state.record, line, windows.progress());
    }
    if (result.ok) {
        show_message(link.main_window, "Downloaded completely!", kDownloadDone);
    }
    return result;
}

LinkResult read_back_once(Connection& link, Line& line) {
    TransferWindows windows(link.instance, link.main_window, TransferDirection::read_back);
    return ReadBackSettings(link.state, line, windows.progress(), link.passes);
}

// One attempt, from its first message. A failed attempt closes the port, and a retry opens it
// again: an adapter unplugged and plugged back in is a new device, which the old handle never
// reaches. Each attempt also begins by emptying the line and waiting for it to go quiet, so an
// answer that came too late for the attempt before is never taken for its own.
LinkResult attempt(Connection& link, TransferDirection direction) {
    if (!link.opened.port) {
        link.opened = open_serial_port(link.port_name);
        if (!link.opened.port) {
            return {false, "cannot open it again: " + link.opened.system_words};
        }
    }
    SystemTickClock clock;
    Line line{*link.opened.port, clock, let_paint_through};
    const LinkResult result = direction == TransferDirection::download ? download_once(link, line)
                                                                       : read_back_once(link, line);
    link.opened.port->purge_received();
    if (!result.ok) {
        link.opened = {};
    }
    return result;
}

LinkOutcome transfer(Connection& link, TransferDirection direction) {
    if (direction == TransferDirection::download) {
        for (;;) {
            const LinkResult result = attempt(link, direction);
            if (result.ok || !retry_wanted(link, "Failed to download, would you like to retry?",
                                           download_failure(result))) {
                return LinkOutcome::finished;
            }
        }
    }
    for (;;) {
        const LinkResult result = attempt(link, direction);
        if (result.ok) {
            return LinkOutcome::finished;
        }
        if (!retry_wanted(link, "Failed to read, would you like to retry?", result.failure)) {
            return LinkOutcome::failed;
        }
    }
}

}  // namespace

// An impatient Enter would answer the question that follows ("retry?", whose default is Yes) and
// a click would land on the toolbar.
void drop_input_made_during_transfer() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
           PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) ||
           PeekMessageA(&message, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {
    }
}

LinkOutcome RunScannerLink(HINSTANCE instance, HWND main_window, PortChoice& port,
                           ProgramState& state, TransferDirection direction, ReadPasses passes) {
    // The dialog belongs to the window with the keyboard focus. With another program in front
    // no window of ours has it, and an unowned dialog would leave the main window usable.
    HWND focus = GetFocus();
    if (!choose_com_port(instance, focus ? focus : main_window, port)) {
        return LinkOutcome::cancelled;
    }
    const std::string chosen = chosen_port(port);
    const char* port_name = chosen.c_str();
    OpenedPort opened = open_serial_port(port_name);
    if (!opened.port) {
        report_error(main_window, with_reason(opened.error == PortError::cannot_open
                                                  ? "Can't open the COM port!"
                                                  : "Error on setting communication state",
                                              port_name, opened.system_words));
        return LinkOutcome::failed;
    }
    register_common_controls(ICC_PROGRESS_CLASS);
    Connection link{instance, main_window, port_name, state, std::move(opened), passes};
    return transfer(link, direction);  // the port closes with `link`
}

}  // namespace tessmar
