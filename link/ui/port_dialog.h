// The "Open COM Port" dialog: the user picks the port of a connection, one of COM1 to COM6 or
// any other serial port the machine has.
#pragma once

#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "model/program_state.h"

namespace tessmar {

// The ports always offered first, in the dialog's order; `selected_port_index` indexes this
// table.
inline constexpr const char* kPortNames[] = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"};
inline constexpr int kPortCount = static_cast<int>(std::size(kPortNames));

// The dialog's list: the table, then every other serial port Windows lists, in number order.
std::vector<std::string> offered_ports();

// The name of the port chosen last: `other_port` when one beyond the table was chosen, else
// the table's entry `selected_port_index`.
std::string chosen_port(const PortChoice& choice);

// Shows the dialog (template COMSETTINGDLG) with the port chosen last selected. OK stores the
// chosen port in `choice` and remembers it for the next run; Cancel, Esc and the close box leave
// it as it was.
bool choose_com_port(HINSTANCE instance, HWND owner, PortChoice& choice);

// Takes the port chosen in an earlier run into `choice`, at start-up.
void recall_chosen_port(PortChoice& choice);

}  // namespace tessmar
