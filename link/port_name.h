// The name a serial port is opened by on Windows.
#pragma once

#include <string>
#include <string_view>

namespace tessmar {

// COM1 to COM9 are names the system knows in any folder; from COM10 on a port is found only in
// the device namespace, as \\.\COM10 (in any case of the letters). Every other name, a device
// path such as \\.\COM12 or /dev/ttyUSB0 included, is opened as it is.
std::string serial_device_name(std::string_view port);

}  // namespace tessmar
