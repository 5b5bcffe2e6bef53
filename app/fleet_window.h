// The window that sets up several scanners at once: "Download to Several Scanners", and the same
// window reading them ("Read from Several Scanners"). A row per serial port, a thread per ticked
// port while they run; the port threads post their events to the window, whose thread alone
// touches windows.
#pragma once

#include <functional>
#include <string>

#include "app/app_context.h"

namespace tessmar {

enum class FleetMode { download, read };

// Asks for the folder a read goes into, over `owner`; empty when the user cancelled.
using FolderChooser = std::function<std::string(HWND owner)>;

// The shell's folder browser.
std::string browse_for_folder(HWND owner);

// Shows the modal, resizable window (template FLEETDLG) on the current settings, which
// `settings_name` names ("new settings", a file's name). The owner takes no input while it is up,
// and the window closes only once every port has stopped. A read asks `choose_folder` for its
// folder at its first Start.
void show_fleet_window(AppContext& app, FleetMode mode, const std::string& settings_name,
                       const FolderChooser& choose_folder = browse_for_folder);

}  // namespace tessmar
