#include "tests/e2e/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace tessmar::test {
namespace {

std::vector<char*> argv_of(const char* program, const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

std::string slurp(FILE* file) {
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;) {
        text += static_cast<char>(c);
    }
    std::fclose(file);
    return text;
}

int wait_for(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

Simulator::Simulator(const std::vector<std::string>& options) {
    int out[2];
    if (pipe(out) != 0) {
        return;
    }
    const std::vector<char*> argv = argv_of(ORLO_SIM_PATH, options);
    pid_ = fork();
    if (pid_ == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    // The first line it prints is its terminal's path.
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n') {
        port_ += c;
    }
    close(out[0]);
}

Simulator::~Simulator() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        wait_for(pid_);
    }
}

Outcome run_program(const char* path, const std::vector<std::string>& args, int stderr_fd) {
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    const std::vector<char*> argv = argv_of(path, args);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fileno(out), STDOUT_FILENO);
        dup2(stderr_fd >= 0 ? stderr_fd : fileno(err), STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    Outcome outcome;
    outcome.exit_code = wait_for(pid);
    outcome.out = slurp(out);
    outcome.err = slurp(err);
    return outcome;
}

}  // namespace tessmar::test
