#include "app/outside_files.h"

#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <string_view>

#include "app/commands.h"
#include "app/settings_files.h"
#include "model/settings_text.h"
#include "summary/ui/summary_tree_view.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

// Explorer hands over whatever the user dragged; only settings files and settings as text are
// taken, in any case of the extension, since Windows file names ignore case.
bool is_settings_file_name(std::string_view path) {
    constexpr std::string_view kExtension = ".orl";
    if (is_settings_text_path(path)) {
        return true;
    }
    if (path.size() < kExtension.size()) {
        return false;
    }
    return std::ranges::equal(
        path.substr(path.size() - kExtension.size()), kExtension,
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// The first file of a drop; empty when the drop holds none.
std::string first_dropped_file(HDROP drop) {
    // With a null buffer the call gives the name's length, without its terminator.
    const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    if (length == 0) {
        return {};
    }
    std::string path(length + 1, '\0');
    const UINT copied = DragQueryFileA(drop, 0, path.data(), length + 1);
    path.resize(copied);
    return path;
}

}  // namespace

void open_file_at_start(AppContext& app, const std::string& path) {
    if (open_settings_path(app, app.main_window, path)) {
        build_summary_tree(app.tree_view, *app.state);
    }
}

void accept_dropped_files(HWND main_window) {
    DragAcceptFiles(main_window, TRUE);
}

void open_dropped_file(AppContext& app, HDROP drop) {
    const std::string path = first_dropped_file(drop);
    // The drop's memory is the system's to free, whatever becomes of the file.
    DragFinish(drop);
    if (path.empty()) {
        return;
    }
    if (!is_settings_file_name(path)) {
        report_error(app.main_window, "Only settings files (*.orl, *.toml) can be opened.");
        return;
    }
    open_settings_file_named(app, path);
}

}  // namespace tessmar
