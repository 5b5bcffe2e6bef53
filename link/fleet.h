// Several scanners at once. Each port has a thread of its own, with its own connection and
// protocol engine: the engines are the blocking ones a single transfer runs, a thread spends its
// waits blocked in the system at no processor cost, and a slow or silent scanner holds up no
// other. What happens on each port is told as events, from the port's own thread, so a console
// can draw lines and a window can post them to its own thread; one cancellation stops every port
// at its next wait.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/cancellation.h"
#include "link/read_back.h"
#include "link/serial_port.h"
#include "link/transfer.h"
#include "model/program_state.h"

namespace tessmar {

// How one port's work ended.
enum class FleetResult { failed, sent, verified, read };

struct FleetOutcome {
    FleetResult result = FleetResult::failed;
    std::string failure;       // why it failed, in tessmar-cli's words; empty otherwise
    bool interrupted = false;  // the work stopped at the cancellation
    bool downloaded = false;   // the download went through, whatever its verification found
    // What the scanner was found to hold: the settings read, or read back after a download.
    std::optional<SettingsRecord> held;
    std::string fingerprint;  // "XXXX-XXXX" of `held`, once verified or read

    bool ok() const { return result != FleetResult::failed; }
};

// Called on the port's own thread, for port `index` of the fleet's list; `finished` comes last.
class FleetEvents {
  public:
    virtual ~FleetEvents() = default;
    virtual void started(std::size_t index) = 0;
    // A transfer has come to `position` of `top`; `label` names it ("Downloading", "Reading").
    virtual void progress(std::size_t index, const char* label, int position, int top) = 0;
    virtual void finished(std::size_t index, const FleetOutcome& outcome) = 0;
};

// One port's open line inside a fleet. Its transfers report their progress as the port's events
// and stop at the fleet's cancellation; a failure says which transfer failed ("download failed:
// no reply to packet 1 ...") unless it was interrupted.
class FleetLine {
  public:
    FleetLine(SerialPort& port, std::size_t index, FleetEvents& events, const Cancellation& cancel)
        : port_(port), index_(index), events_(events), cancel_(cancel) {}

    LinkResult download(const SettingsRecord& record);
    // Replaces `state`'s record only when every reply arrived (and, read twice, agreed).
    LinkResult read(ProgramState& state, ReadPasses passes);

  private:
    LinkResult run(const char* label, int top, const char* failed,
                   const std::function<LinkResult(Line&, const Progress&)>& transfer);

    SerialPort& port_;
    std::size_t index_;
    FleetEvents& events_;
    const Cancellation& cancel_;
};

// The work on port `index` once it is open.
using FleetJob = std::function<FleetOutcome(std::size_t index, FleetLine& line)>;

// Sends `record` and, when `verify`, reads it back once on the same connection: a read-back that
// fails proves nothing, so it is a failure too, and so is other settings than those sent
// ("the scanner holds other settings than `sent_name`").
FleetJob download_job(const SettingsRecord& record, bool verify, const std::string& sent_name);

// Where a read's settings go: an empty answer once kept, else why they could not be.
using KeepSettings = std::function<std::string(std::size_t index, const SettingsRecord& read)>;

// Reads the scanner's settings and hands them to `keep`; `written` names where they went in the
// failure of a read ("read failed: ...; PATH was not written").
FleetJob read_job(ReadPasses passes, KeepSettings keep,
                  std::function<std::string(std::size_t index)> written);

// The file a read of `port` goes into, in a folder of several: the port's name without "/dev/"
// or "\\.\", its separators made dashes, and "-settings.orl".
std::string port_file_name(std::string port);

// A fleet under way: a thread per port, started at once, each opening its port, doing the job,
// emptying the port's queue and closing it. Destroying it waits for every thread.
class Fleet {
  public:
    Fleet(std::vector<std::string> ports, FleetJob job, FleetEvents& events,
          const Cancellation& cancel);
    ~Fleet();
    Fleet(const Fleet&) = delete;
    Fleet& operator=(const Fleet&) = delete;

    // Waits for every port; then the outcomes are each port's, in the order of the ports.
    const std::vector<FleetOutcome>& wait();

  private:
    void work(std::size_t index);

    std::vector<std::string> ports_;
    FleetJob job_;
    FleetEvents& events_;
    const Cancellation& cancel_;
    std::vector<FleetOutcome> outcomes_;
    std::vector<std::thread> threads_;
};

}  // namespace tessmar
