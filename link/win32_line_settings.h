// The line settings a connection hands to SetCommState, apart from the port so that a test can
// pin every field.
#pragma once

#include <windows.h>

namespace tessmar {

// 9600 baud, 8 data bits, no parity, one stop bit, no flow control of any kind, DTR and RTS off.
DCB scanner_line_settings();

}  // namespace tessmar
