// The line settings a connection hands to SetCommState, apart from the port so that a test can
// pin every field.
#pragma once

#include <windows.h>

#include "link/serial_port.h"

namespace tessmar {

// 9600 baud, 8 data bits, no parity, one stop bit, no flow control of any kind, DTR and RTS off.
DCB scanner_line_settings();
// The same at the baud rate, parity and data bits given; DTR and RTS on when the host must say it
// is ready.
DCB line_settings_dcb(const LineSettings& settings);

}  // namespace tessmar
