#include "link/scanner_link.h"

#include <commctrl.h>

#include "link/download.h"
#include "link/port_dialog.h"
#include "link/progress_window.h"
#include "link/read_back.h"

namespace tessmar {
namespace {

void warn(const char* text, const char* caption) {
    MessageBoxA(GetActiveWindow(), text, caption, MB_OK | MB_ICONWARNING);
}

bool retry_wanted(const char* question) {
    return MessageBoxA(GetActiveWindow(), question, "Error", MB_ICONQUESTION | MB_YESNO) == IDYES;
}

// The progress window is gone before the completion message shows.
bool download_once(HINSTANCE instance, const ProgramState& state, Line& line) {
    LinkResult result;
    {
        ProgressWindow progress(instance, TransferDirection::download);
        result = DownloadSettings(state.record, line, [&](int p) { progress.show(p); });
    }
    if (result.ok) {
        warn("Downloaded completely!", "Download");
    }
    return result.ok;
}

bool read_back_once(HINSTANCE instance, ProgramState& state, Line& line) {
    ProgressWindow progress(instance, TransferDirection::read_back);
    return ReadBackSettings(state, line, [&](int p) { progress.show(p); }).ok;
}

// Every attempt runs on the same open port, from its first message.
int transfer(HINSTANCE instance, ProgramState& state, Line& line, bool download) {
    if (download) {
        while (!download_once(instance, state, line) &&
               retry_wanted("Failed to download, would you like to retry?")) {
        }
        return 1;
    }
    while (!read_back_once(instance, state, line)) {
        if (!retry_wanted("Failed to read, would you like to retry?")) {
            return -1;
        }
    }
    return 1;
}

}  // namespace

int RunScannerLink(HINSTANCE instance, ProgramState& state, bool download) {
    int& port_index = state.selected_port_index;
    if (!choose_com_port(instance, GetFocus(), port_index)) {
        return 0;
    }
    const OpenedPort opened = open_serial_port(kPortNames[port_index]);
    if (!opened.port) {
        warn(opened.error == PortError::cannot_open ? "Can't open the COM port!"
                                                    : "Error on setting communication state",
             "Error");
        return -1;
    }
    InitCommonControls();
    SystemTickClock clock;
    Line line{*opened.port, clock};
    const int result = transfer(instance, state, line, download);
    opened.port->purge_received();
    return result;  // the port closes with `opened`
}

}  // namespace tessmar
