// What the download and read commands share: the port they open and the progress bar they show.
#pragma once

#include <memory>
#include <string>

#include "link/serial_port.h"
#include "link/transfer.h"
#include "model/program_state.h"

namespace tessmar::cli {

// A progress bar on stderr, drawn only when stderr is a terminal; `top` is the position of a
// full bar. The line is ended when the bar goes away.
class ProgressBar {
  public:
    ProgressBar(const char* label, int top);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void show(int position);

  private:
    const char* label_;
    int top_;
    bool drawing_;
    int shown_percent_ = -1;
};

// Opens the scanner's port; on failure `error` says why and the result is null.
std::unique_ptr<SerialPort> open_scanner_port(const std::string& name, std::string& error);

// The transfers on an open port, each with its progress bar. The failure text says which
// transfer failed and why.
LinkResult download_over(SerialPort& port, const SettingsRecord& record);
// Replaces `state`'s record only when every reply arrived.
LinkResult read_back_over(SerialPort& port, ProgramState& state);

// Opens the port named, reads the scanner's settings into `state`, purges and closes the port.
LinkResult read_scanner(const std::string& port_name, ProgramState& state);

}  // namespace tessmar::cli
