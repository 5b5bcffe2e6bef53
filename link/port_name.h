// The name a serial port is opened by on Windows.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessmar {

// COM1 to COM9 are names the system knows in any folder; every other port is found only in the
// device namespace: COM10 as \\.\COM10 (in any case of the letters), and the ports of virtual
// port drivers, such as CNCA0, as \\.\CNCA0, where as a bare name each would be a file in the
// current folder. A path, such as \\.\COM12 or /dev/ttyUSB0, is opened as it is.
std::string serial_device_name(std::string_view port);

// Whether two names open the same port on Windows, which compares names without regard to case,
// with or without the device namespace: "COM1", "com1" and "\\.\COM1" are one port.
bool same_windows_port(std::string_view a, std::string_view b);

// The serial ports `found` on a machine beyond those `listed` already, each once, in number
// order ("COM7", "COM9", "COM12"); names that are not "COM" and a number come after them, in
// name order. Names are compared without regard to case, as Windows compares them.
std::vector<std::string> ports_beyond(std::vector<std::string> found,
                                      std::span<const char* const> listed);

}  // namespace tessmar
