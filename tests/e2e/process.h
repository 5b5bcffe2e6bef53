// Running the programs under test: orlo-sim in the background on its own pseudo-terminal, and
// tessmar-cli to its end with its output captured.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tessmar::test {

// orlo-sim with the given options, until the object goes away.
class Simulator {
  public:
    explicit Simulator(const std::vector<std::string>& options);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // The pseudo-terminal the simulator serves, empty if it did not start.
    const std::string& port() const { return port_; }

  private:
    pid_t pid_ = -1;
    std::string port_;
};

struct Outcome {
    int exit_code = -1;
    std::string out;
    std::string err;
};

// Runs the program at `path` with `args`, its stdout and stderr captured (stderr on `stderr_fd`
// instead, when one is given).
Outcome run_program(const char* path, const std::vector<std::string>& args, int stderr_fd = -1);

// Runs tessmar-cli.
inline Outcome run_cli(const std::vector<std::string>& args, int stderr_fd = -1) {
    return run_program(TESSMAR_CLI_PATH, args, stderr_fd);
}

}  // namespace tessmar::test
