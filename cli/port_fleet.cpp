#include "cli/port_fleet.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <thread>

#include "cli/cli.h"
#include "cli/console.h"

namespace tessmar::cli {
namespace {

// One progress line per port on stderr, in the order of the ports.
class ProgressBoard {
  public:
    explicit ProgressBoard(const std::vector<std::string>& ports);
    ProgressDisplay& row(std::size_t index);
    void draw(std::size_t index, int percent, const char* label);

  private:
    class Row;
    std::mutex mutex_;
    const std::vector<std::string>& ports_;
    std::size_t name_width_ = 0;
    StatusLines lines_;
    std::vector<std::unique_ptr<Row>> rows_;
};

class ProgressBoard::Row final : public ProgressDisplay {
  public:
    Row(ProgressBoard& board, std::size_t index) : board_(board), index_(index) {}

    void begin(const char* label, int top) override {
        label_ = label;
        top_ = top;
        shown_percent_ = -1;
    }
    void show(int position) override {
        const int percent = progress_percent(position, top_);
        if (percent != shown_percent_) {
            shown_percent_ = percent;
            board_.draw(index_, percent, label_);
        }
    }
    void end() override {}

  private:
    ProgressBoard& board_;
    std::size_t index_;
    const char* label_ = "";
    int top_ = 1;
    int shown_percent_ = -1;
};

ProgressBoard::ProgressBoard(const std::vector<std::string>& ports)
    : ports_(ports), lines_(ports.size()) {
    for (std::size_t i = 0; i < ports.size(); ++i) {
        rows_.push_back(std::make_unique<Row>(*this, i));
        name_width_ = std::max(name_width_, ports[i].size());
        lines_.set(i, ports[i]);
    }
}

ProgressDisplay& ProgressBoard::row(std::size_t index) {
    return *rows_[index];
}

void ProgressBoard::draw(std::size_t index, int percent, const char* label) {
    if (!lines_.shown()) {
        return;
    }
    std::string name = ports_[index];
    name.resize(name_width_, ' ');
    const std::lock_guard<std::mutex> lock(mutex_);
    lines_.set(index, name + "  " + progress_text(label, percent));
}

}  // namespace

std::vector<PortOutcome> run_on_ports(const std::vector<std::string>& ports, const PortWork& work) {
    std::vector<PortOutcome> outcomes(ports.size());
    ProgressBoard board(ports);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        threads.emplace_back([&, i] { outcomes[i] = work(i, board.row(i)); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    return outcomes;
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
