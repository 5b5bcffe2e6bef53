// The DCB every connection hands to SetCommState. Wine takes any DCB, so only this test stands
// between the program and a Windows that refuses the line ("Error on setting communication
// state" on every transfer).
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "link/win32_line_settings.h"

namespace tessmar::test {
namespace {

TEST(LineSettings, NineSixHundredEightNoneOneWithNoFlowControlAndADcbWindowsAccepts) {
    const DCB line = scanner_line_settings();
    struct Field {
        const char* name;
        DWORD value;
        DWORD expected;
    };
    const Field fields[] = {
        {"DCBlength", line.DCBlength, sizeof(DCB)},
        {"BaudRate", line.BaudRate, 9600},
        {"ByteSize", line.ByteSize, 8},
        {"Parity", line.Parity, NOPARITY},
        {"StopBits", line.StopBits, ONESTOPBIT},
        // Windows supports binary mode only.
        {"fBinary", line.fBinary, TRUE},
        {"fParity", line.fParity, FALSE},
        {"fOutxCtsFlow", line.fOutxCtsFlow, FALSE},
        {"fOutxDsrFlow", line.fOutxDsrFlow, FALSE},
        {"fDtrControl", line.fDtrControl, DTR_CONTROL_DISABLE},
        {"fDsrSensitivity", line.fDsrSensitivity, FALSE},
        {"fOutX", line.fOutX, FALSE},
        {"fInX", line.fInX, FALSE},
        {"fErrorChar", line.fErrorChar, FALSE},
        {"fNull", line.fNull, FALSE},
        {"fRtsControl", line.fRtsControl, RTS_CONTROL_DISABLE},
        {"fAbortOnError", line.fAbortOnError, FALSE},
        {"XonLim", line.XonLim, 0},
        {"XoffLim", line.XoffLim, 0},
        // SetCommState refuses equal XON and XOFF characters, even with XON/XOFF off.
        {"XonChar", static_cast<BYTE>(line.XonChar), 0x11},
        {"XoffChar", static_cast<BYTE>(line.XoffChar), 0x13},
        {"ErrorChar", static_cast<BYTE>(line.ErrorChar), 0},
        {"EofChar", static_cast<BYTE>(line.EofChar), 0},
        {"EvtChar", static_cast<BYTE>(line.EvtChar), 0},
    };
    for (const Field& field : fields) {
        EXPECT_EQ(field.value, field.expected) << field.name;
    }
}

// A watch takes the scanner's line as its RS-232 group sets it.
TEST(LineSettings, AWatchedLineCarriesItsBaudParityDataBitsAndReadiness) {
    struct Case {
        LineSettings settings;
        DWORD baud, byte_size, parity, f_parity, dtr, rts;
    };
    const Case cases[] = {
        {{19200, Parity::even, 7, false},
         19200,
         7,
         EVENPARITY,
         TRUE,
         DTR_CONTROL_DISABLE,
         RTS_CONTROL_DISABLE},
        {{300, Parity::odd, 8, true},
         300,
         8,
         ODDPARITY,
         TRUE,
         DTR_CONTROL_ENABLE,
         RTS_CONTROL_ENABLE},
    };
    for (const Case& c : cases) {
        const DCB line = line_settings_dcb(c.settings);
        EXPECT_EQ((std::vector<DWORD>{line.BaudRate, line.ByteSize, line.Parity, line.fParity,
                                      line.fDtrControl, line.fRtsControl}),
                  (std::vector<DWORD>{c.baud, c.byte_size, c.parity, c.f_parity, c.dtr, c.rts}));
    }
}

}  // namespace
}  // namespace tessmar::test
