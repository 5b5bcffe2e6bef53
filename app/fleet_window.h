// The window that sets up several scanners at once: "Download to Several Scanners", and the same
// window reading them ("Read from Several Scanners"). A row per serial port, a thread per ticked
// port while they run; the port threads post their events to the window, whose thread alone
// touches windows.
#pragma once

#include <string>

#include "app/app_context.h"

namespace tessmar {

enum class FleetMode { download, read };

// Shows the modal, resizable window (template FLEETDLG) on the current settings, which
// `settings_name` names ("new settings", a file's name). The owner takes no input while it is up,
// and the window closes only once every port has stopped.
void show_fleet_window(AppContext& app, FleetMode mode, const std::string& settings_name);

}  // namespace tessmar
