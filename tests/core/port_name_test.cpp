#include <gtest/gtest.h>

#include "link/port_name.h"

namespace tessmar {
namespace {

TEST(PortName, FromCom10OnAPortIsOpenedInTheDeviceNamespace) {
    const struct {
        const char* port;
        const char* opened;
    } kCases[] = {
        {"COM1", "COM1"},
        {"COM9", "COM9"},
        {"COM10", "\\\\.\\COM10"},
        {"com12", "\\\\.\\com12"},
        {"COM256", "\\\\.\\COM256"},
        {"COM0", "\\\\.\\COM0"},
        {"\\\\.\\COM12", "\\\\.\\COM12"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"COM", "COM"},
        {"COM1A", "COM1A"},
        {"LPT1", "LPT1"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(serial_device_name(c.port), c.opened) << c.port;
    }
}

}  // namespace
}  // namespace tessmar
