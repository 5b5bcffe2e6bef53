#include "link/win32_line_settings.h"

namespace tessmar {

// Filled afresh from zeros for every connection; the port's previous state is never read, so no
// setting of an earlier program survives.
DCB scanner_line_settings() {
    return line_settings_dcb({});
}

DCB line_settings_dcb(const LineSettings& settings) {
    constexpr BYTE kParities[] = {NOPARITY, EVENPARITY, ODDPARITY};
    DCB line{};
    line.DCBlength = sizeof line;
    line.BaudRate = settings.baud;
    // Windows supports binary mode only, and SetCommState refuses a DCB without it.
    line.fBinary = TRUE;
    line.ByteSize = static_cast<BYTE>(settings.data_bits);
    line.fParity = settings.parity != Parity::none;
    line.Parity = kParities[static_cast<int>(settings.parity)];
    line.StopBits = ONESTOPBIT;
    line.fOutxCtsFlow = FALSE;  // no CTS handshake on output
    line.fOutX = FALSE;         // no XON/XOFF on output
    line.fRtsControl = settings.host_ready ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    line.fDtrControl = settings.host_ready ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    // XON/XOFF stays off both ways, but SetCommState refuses equal XON and XOFF characters, so
    // they get their usual DC1 and DC3.
    line.XonChar = 0x11;
    line.XoffChar = 0x13;
    // The rest stays zero: no DSR handshake, no XON/XOFF on input, no error or
    // null-byte replacement, no abort on error, XON/XOFF limits zero.
    return line;
}

}  // namespace tessmar
