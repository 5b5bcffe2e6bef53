// The fleet's promise to a window that counts its ports' ends: every port is started before it
// finishes and finishes once, in its own outcome, whether its job returned, threw, or never ran
// because the port would not open.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <stdexcept>

#include "link/fleet.h"

namespace tessmar::test {
namespace {

// The terminal side of a pseudo-terminal: a port that opens, with nothing behind it.
class Terminal {
  public:
    Terminal() : master_(posix_openpt(O_RDWR | O_NOCTTY)) {
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) {
            path_ = ptsname(master_);
        }
    }
    ~Terminal() {
        if (master_ >= 0) {
            close(master_);
        }
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;
    const std::string& path() const { return path_; }

  private:
    int master_;
    std::string path_;
};

// Each port's events in the order they came, from whichever thread.
class Recorded final : public FleetEvents {
  public:
    void started(std::size_t index) override { add(index, "started"); }
    void progress(std::size_t index, const char* label, int, int) override { add(index, label); }
    void finished(std::size_t index, const FleetOutcome&) override { add(index, "finished"); }

    std::map<std::size_t, std::vector<std::string>> events;

  private:
    void add(std::size_t index, const std::string& event) {
        const std::lock_guard lock(mutex_);
        events[index].push_back(event);
    }
    std::mutex mutex_;
};

TEST(Fleet, EveryPortStartsAndFinishesOnceWhateverItsJobDoes) {
    const Terminal returns, throws;
    ASSERT_FALSE(returns.path().empty());
    ASSERT_FALSE(throws.path().empty());
    struct Case {
        std::string port;
        FleetResult result;
        std::string failure_start;
    };
    const Case cases[] = {
        {returns.path(), FleetResult::read, ""},
        {throws.path(), FleetResult::failed, "no room for the file"},
        {"/dev/no-such-port", FleetResult::failed, "cannot open /dev/no-such-port"},
    };
    std::vector<std::string> ports;
    for (const Case& c : cases) {
        ports.push_back(c.port);
    }
    const auto job = [](std::size_t index, FleetLine&) {
        if (index == 1) {
            throw std::runtime_error("no room for the file");
        }
        FleetOutcome outcome;
        outcome.result = FleetResult::read;
        return outcome;
    };
    Recorded recorded;
    const Cancellation cancel;
    Fleet fleet(ports, job, recorded, cancel);
    const std::vector<FleetOutcome>& outcomes = fleet.wait();
    ASSERT_EQ(outcomes.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(recorded.events[i], (std::vector<std::string>{"started", "finished"})) << i;
        EXPECT_EQ(outcomes[i].result, cases[i].result) << i;
        EXPECT_TRUE(outcomes[i].failure.starts_with(cases[i].failure_start)) << outcomes[i].failure;
    }
}

}  // namespace
}  // namespace tessmar::test
