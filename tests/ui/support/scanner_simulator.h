// orlo-sim behind one of Wine's COM ports. The build's Wine prefix maps COMn to
// <build>/serial/portn (scripts/lib/wine.sh), and the simulator makes that path a link to its
// pseudo-terminal; removing the link stops it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessmar::test {

class ScannerSimulator {
  public:
    // Starts orlo-sim on COM`port` with the given extra options ("--silent-after 0", ...).
    explicit ScannerSimulator(int port, const std::string& options = "");
    ~ScannerSimulator();
    ScannerSimulator(const ScannerSimulator&) = delete;
    ScannerSimulator& operator=(const ScannerSimulator&) = delete;

    // Empty once the simulator serves the port; otherwise what went wrong.
    const std::string& problem() const { return problem_; }
    // Waits until a simulator told to --unplug-after serves its port again; false if it does not
    // within ten seconds.
    bool plugged_back_in() const;
    // The scanner's memory as the last UPDATE took it into use; empty before any.
    std::vector<std::uint8_t> memory() const;

  private:
    int port_;
    std::string memory_;  // Windows paths
    std::string ready_;
    std::string problem_;
};

// Writes the settings file `bytes` where orlo-sim serving COM`port` can start on it, and gives
// the option that makes it: "--settings PATH".
std::string simulator_settings(int port, std::string_view bytes);

// Makes sure nothing serves COM`port`; true once the port's link is gone.
bool remove_port_link(int port);
// Points COM`port` at a Unix path; true once the link is there.
bool link_port(int port, const std::string& unix_target);

}  // namespace tessmar::test
