#include <gtest/gtest.h>

#include "link/port_name.h"

namespace tessmar {
namespace {

TEST(PortName, EveryPortButCom1ToCom9IsOpenedInTheDeviceNamespace) {
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
        {"COM", "\\\\.\\COM"},
        {"COM1A", "\\\\.\\COM1A"},
        {"CNCA0", "\\\\.\\CNCA0"},
        {"LPT1", "\\\\.\\LPT1"},
        {"C:\\ports\\scanner", "C:\\ports\\scanner"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(serial_device_name(c.port), c.opened) << c.port;
    }
}

// What Windows lists, in the order of its devices, against what the port dialog offers after
// COM1 to COM6.
TEST(PortName, PortsBeyondTheListedOnesComeOnceInNumberOrder) {
    constexpr const char* kListed[] = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"};
    using Names = std::vector<std::string>;
    EXPECT_EQ(ports_beyond({"COM12", "COM3", "CNCA0", "COM9", "com9", "COM100", "COM10", "", "BT1"},
                           kListed),
              (Names{"COM9", "COM10", "COM12", "COM100", "BT1", "CNCA0"}));
    EXPECT_EQ(ports_beyond({"com1", "COM6"}, kListed), Names{});
}

}  // namespace
}  // namespace tessmar
