// stampwell on Linux: messages on stderr, the page opened with xdg-open.
#include <spawn.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "files/utf8_path.h"
#include "tools/stampwell/stampwell.h"

extern char** environ;

namespace stampwell {
namespace {

class PosixPlatform : public Platform {
  public:
    void report_error(const std::string& text) override {
        std::cerr << "stampwell: " << text << "\n";
    }
    void report_note(const std::string& text) override {
        std::cerr << "stampwell: " << text << "\n";
    }
    void print(const std::string& text) override { std::cout << text; }

    // xdg-open is left running on its own: a browser it starts may live long after us. It takes
    // a name with a colon for a URL, so it is given one.
    std::string open_in_browser(const std::string& page_path) override {
        std::string program = "xdg-open";
        std::error_code error_code;
        const std::filesystem::path absolute =
            std::filesystem::absolute(tessmar::utf8_path(page_path), error_code);
        std::string path = file_url(error_code ? page_path : absolute.string());
        char* argv[] = {program.data(), path.data(), nullptr};
        pid_t child = 0;
        const int error = posix_spawnp(&child, argv[0], nullptr, nullptr, argv, environ);
        return error == 0 ? std::string() : "xdg-open: " + std::string(std::strerror(error));
    }

    bool browser_disabled() override {
        const char* value = std::getenv(kNoOpenVariable);
        return value != nullptr && *value != '\0';
    }
};

}  // namespace
}  // namespace stampwell

int main(int argc, char** argv) {
    stampwell::PosixPlatform platform;
    return stampwell::run(std::vector<std::string>(argv + 1, argv + argc), platform);
}
