// The "Open COM Port" dialog: the user picks one of six ports for a connection.
#pragma once

#include <windows.h>

#include <iterator>

namespace tessmar {

// The ports offered, in the dialog's order; `selected_port_index` indexes this table, which
// also gives the name that is opened.
inline constexpr const char* kPortNames[] = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"};
inline constexpr int kPortCount = static_cast<int>(std::size(kPortNames));

// Shows the dialog (template COMSETTINGDLG) with `port_index` selected. OK stores the chosen
// port in `port_index` and returns true; Cancel, Esc and the close box leave it as it was.
bool choose_com_port(HINSTANCE instance, HWND owner, int& port_index);

}  // namespace tessmar
