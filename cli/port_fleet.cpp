#include "cli/port_fleet.h"

#include <algorithm>
#include <mutex>

#include "cli/cli.h"
#include "cli/console.h"

namespace tessmar::cli {
namespace {

// One progress line per port on stderr, in the order of the ports. Each port's thread draws
// its own line.
class ProgressBoard final : public FleetEvents {
  public:
    explicit ProgressBoard(const std::vector<std::string>& ports);

    void started(std::size_t) override {}
    void progress(std::size_t index, const char* label, int position, int top) override;
    void finished(std::size_t, const FleetOutcome&) override {}

  private:
    std::mutex mutex_;
    const std::vector<std::string>& ports_;
    std::size_t name_width_ = 0;
    StatusLines lines_;
    std::vector<int> shown_percent_;  // each row's, touched only by its port's thread
};

ProgressBoard::ProgressBoard(const std::vector<std::string>& ports)
    : ports_(ports), lines_(ports.size()), shown_percent_(ports.size(), -1) {
    for (std::size_t i = 0; i < ports.size(); ++i) {
        name_width_ = std::max(name_width_, ports[i].size());
        lines_.set(i, ports[i]);
    }
}

void ProgressBoard::progress(std::size_t index, const char* label, int position, int top) {
    const int percent = progress_percent(position, top);
    if (!lines_.shown() || percent == shown_percent_[index]) {
        return;
    }
    shown_percent_[index] = percent;
    std::string name = ports_[index];
    name.resize(name_width_, ' ');
    const std::lock_guard<std::mutex> lock(mutex_);
    lines_.set(index, name + "  " + progress_text(label, percent));
}

// One port's transfers on one bar, a line each.
class BarEvents final : public FleetEvents {
  public:
    void started(std::size_t) override {}
    void progress(std::size_t, const char* label, int position, int top) override {
        if (label != label_) {
            end();
            bar_.begin(label, top);
            label_ = label;
        }
        bar_.show(position);
    }
    void finished(std::size_t, const FleetOutcome&) override { end(); }

  private:
    void end() {
        if (label_) {
            bar_.end();
        }
        label_ = nullptr;
    }

    ProgressBar bar_;
    const char* label_ = nullptr;
};

}  // namespace

FleetOutcome run_on_port(const std::string& port, const FleetJob& job) {
    BarEvents bar;
    Fleet fleet({port}, job, bar, interruption());
    return fleet.wait().front();
}

std::vector<PortOutcome> run_on_ports(const std::vector<std::string>& ports, const FleetJob& job,
                                      const DescribeOutcome& describe) {
    ProgressBoard board(ports);
    Fleet fleet(ports, job, board, interruption());
    const std::vector<FleetOutcome>& outcomes = fleet.wait();
    std::vector<PortOutcome> described;
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        described.push_back(describe(i, outcomes[i]));
    }
    return described;
}

int report_ports(const std::vector<std::string>& ports, const std::vector<PortOutcome>& outcomes,
                 int trouble, const char* what_failed, std::ostream& out) {
    int exit_code = kSuccess;
    std::size_t troubled = 0;
    for (const PortOutcome& outcome : outcomes) {
        out << outcome.listing;
        exit_code = std::max(exit_code, outcome.exit_code);
        troubled += outcome.exit_code == trouble ? 1 : 0;
    }
    const bool interrupted = interruption().requested();
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const bool finished = interrupted && !outcomes[i].interrupted;
        out << ports[i] << ": " << outcomes[i].status << (finished ? " before the interrupt" : "")
            << "\n";
    }
    if (troubled > 0 && !interrupted) {
        out.flush();
        failure(std::to_string(troubled) + " of " + std::to_string(ports.size()) + " " +
                what_failed);
    }
    return exit_code;
}

}  // namespace tessmar::cli
