#include "link/fleet.h"

#include <algorithm>
#include <exception>

#include "link/download.h"
#include "link/tick_clock.h"
#include "model/settings_fingerprint.h"

namespace tessmar {
namespace {

FleetOutcome failed(std::string why, bool interrupted) {
    FleetOutcome outcome;
    outcome.failure = std::move(why);
    outcome.interrupted = interrupted;
    return outcome;
}

void hold(FleetOutcome& outcome, FleetResult result, const SettingsRecord& record) {
    outcome.result = result;
    outcome.held = record;
    outcome.fingerprint = settings_fingerprint(record.bytes);
}

// Compared with what was sent, a wrong answer shows as a difference: one pass is enough.
void verify(FleetLine& line, const SettingsRecord& sent, const std::string& sent_name,
            FleetOutcome& outcome) {
    ProgramState scanner;
    scanner.record = sent;
    const LinkResult read = line.read(scanner, ReadPasses::once);
    if (!read.ok) {
        outcome.interrupted = read.stop == Stop::interrupted;
        outcome.failure = (outcome.interrupted ? "downloaded, but not verified: "
                                               : "the download could not be verified: ") +
                          read.failure;
        return;
    }
    if (scanner.record != sent) {
        outcome.held = scanner.record;
        outcome.failure = "the scanner holds other settings than " + sent_name;
        return;
    }
    hold(outcome, FleetResult::verified, scanner.record);
}

}  // namespace

LinkResult FleetLine::run(const char* label, int top, const char* failed,
                          const std::function<LinkResult(Line&, const Progress&)>& transfer) {
    SystemTickClock clock;
    Line line{port_, clock, nullptr, &cancel_};
    events_.progress(index_, label, 0, top);
    LinkResult result =
        transfer(line, [&](int position) { events_.progress(index_, label, position, top); });
    if (!result.ok && result.stop != Stop::interrupted) {
        result.failure = failed + result.failure;
    }
    return result;
}

LinkResult FleetLine::download(const SettingsRecord& record) {
    return run("Downloading", kDownloadProgressEnd,
               "download failed: ", [&](Line& line, const Progress& shown) {
                   return DownloadSettings(record, line, shown);
               });
}

LinkResult FleetLine::read(ProgramState& state, ReadPasses passes) {
    return run("Reading", kReadProgressEnd,
               "read failed: ", [&](Line& line, const Progress& shown) {
                   return ReadBackSettings(state, line, shown, passes);
               });
}

FleetJob download_job(const SettingsRecord& record, bool verifying, const std::string& sent_name) {
    return [record, verifying, sent_name](std::size_t, FleetLine& line) {
        const LinkResult sent = line.download(record);
        if (!sent.ok) {
            return failed(sent.failure, sent.stop == Stop::interrupted);
        }
        FleetOutcome outcome;
        outcome.downloaded = true;
        if (verifying) {
            verify(line, record, sent_name, outcome);
        } else {
            outcome.result = FleetResult::sent;
        }
        return outcome;
    };
}

FleetJob read_job(ReadPasses passes, KeepSettings keep,
                  std::function<std::string(std::size_t index)> written) {
    return [passes, keep, written](std::size_t index, FleetLine& line) {
        ProgramState state;
        load_factory_defaults(state);
        const LinkResult read = line.read(state, passes);
        if (!read.ok) {
            return failed(read.failure + "; " + written(index) + " was not written",
                          read.stop == Stop::interrupted);
        }
        if (std::string why = keep(index, state.record); !why.empty()) {
            return failed(std::move(why), false);
        }
        FleetOutcome outcome;
        hold(outcome, FleetResult::read, state.record);
        return outcome;
    };
}

// Windows takes a file named COM3.orl for the port itself, in any folder: /dev/ttyUSB0 gives
// ttyUSB0-settings.orl, /dev/pts/3 pts-3-settings.orl, COM3 COM3-settings.orl.
std::string port_file_name(std::string port) {
    for (const std::string prefix : {"/dev/", "\\\\.\\"}) {
        if (port.starts_with(prefix)) {
            port.erase(0, prefix.size());
        }
    }
    std::replace_if(
        port.begin(), port.end(), [](char c) { return c == '/' || c == '\\' || c == ':'; }, '-');
    // ./g1 would give a hidden file, .-g1-settings.orl.
    port.erase(0, std::min(port.find_first_not_of(".-"), port.size()));
    return port + "-settings.orl";
}

Fleet::Fleet(std::vector<std::string> ports, FleetJob job, FleetEvents& events,
             const Cancellation& cancel)
    : ports_(std::move(ports)),
      job_(std::move(job)),
      events_(events),
      cancel_(cancel),
      outcomes_(ports_.size()) {
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        threads_.emplace_back([this, i] { work(i); });
    }
}

Fleet::~Fleet() {
    wait();
}

const std::vector<FleetOutcome>& Fleet::wait() {
    for (std::thread& thread : threads_) {
        if (thread.joinable()) {
            thread.join();
        }
    }
    return outcomes_;
}

// Every port ends with its finished event, whatever its work threw: a window waits for it.
void Fleet::work(std::size_t index) {
    events_.started(index);
    try {
        OpenedPort opened = open_serial_port(ports_[index]);
        if (opened.port) {
            FleetLine line(*opened.port, index, events_, cancel_);
            outcomes_[index] = job_(index, line);
            opened.port->purge_received();
        } else {
            outcomes_[index] = failed(opened.reason, false);
        }
    } catch (const std::exception& error) {
        outcomes_[index] = failed(error.what(), false);
    }
    events_.finished(index, outcomes_[index]);
}

}  // namespace tessmar
