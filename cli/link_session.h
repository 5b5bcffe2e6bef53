// What the download, read and diff commands share: the port they open, the progress they show,
// and the transfers over it.
#pragma once

#include <memory>
#include <string>

#include "link/cancellation.h"
#include "link/read_back.h"
#include "link/serial_port.h"
#include "link/transfer.h"
#include "model/program_state.h"

namespace tessmar::cli {

// The run's one request to stop: Ctrl+C makes it (catch_interrupts), and every transfer of the
// run stops at its next wait once it is made.
Cancellation& interruption();

// The exit code of a run that was interrupted, as a shell gives a program that SIGINT ended.
inline constexpr int kInterrupted = 130;

// Where a transfer shows how far it has come.
class ProgressDisplay {
  public:
    virtual ~ProgressDisplay() = default;
    // A transfer begins: `label` names it ("Downloading"), `top` is the position of a full bar.
    virtual void begin(const char* label, int top) = 0;
    virtual void show(int position) = 0;
    virtual void end() = 0;
};

// "Downloading [##########..............................]  25%"
std::string progress_text(const char* label, int percent);

// A bar on a line of its own on stderr, drawn only when stderr is a terminal. The line is ended
// when the transfer ends.
class ProgressBar final : public ProgressDisplay {
  public:
    void begin(const char* label, int top) override;
    void show(int position) override;
    void end() override;

  private:
    const char* label_ = "";
    int top_ = 1;
    bool drawing_ = false;
    int shown_percent_ = -1;
};

// The percentage of a full bar that a position stands for.
int progress_percent(int position, int top);

// Opens the scanner's port; on failure `error` says why and the result is null.
std::unique_ptr<SerialPort> open_scanner_port(const std::string& name, std::string& error);

// The transfers on an open port. The failure text says which transfer failed and why, or, after
// an interrupt, where it stopped.
LinkResult download_over(SerialPort& port, const SettingsRecord& record, ProgressDisplay& progress);
// Replaces `state`'s record only when every reply arrived (and, read twice, agreed).
LinkResult read_back_over(SerialPort& port, ProgramState& state, ProgressDisplay& progress,
                          ReadPasses passes);

// Opens the port named, reads the scanner's settings once into `state` for a comparison, purges
// and closes the port.
LinkResult read_scanner(const std::string& port_name, ProgramState& state,
                        ProgressDisplay& progress);

}  // namespace tessmar::cli
