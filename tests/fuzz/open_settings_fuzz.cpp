// Opening a settings file: whatever bytes a file holds, Open loads exactly its leading bytes over
// the factory record and keeps the rest, and the record saved again reopens identical.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "model/settings_file.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using tessmar::fuzz::require;
namespace fs = std::filesystem;

// A folder of this process's own, on tmpfs where there is one: a save's flush then costs nothing.
const fs::path& scratch() {
    static const fs::path folder = [] {
        const fs::path base =
            fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path made = base / ("tessmar-fuzz-open-" + std::to_string(::getpid()));
        fs::create_directories(made);
        std::atexit([] { fs::remove_all(scratch()); });
        return made;
    }();
    return folder;
}

tessmar::ProgramState opened(const fs::path& file, tessmar::OpenResult& result) {
    tessmar::ProgramState state;
    tessmar::load_factory_defaults(state);
    result = tessmar::open_settings_file_into(state, file.string());
    return state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path file = scratch() / "in.orl";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    tessmar::OpenResult result;
    const tessmar::ProgramState state = opened(file, result);
    require(result.result.ok, "a readable file opens");
    const tessmar::SettingsRecord factory = tessmar::factory_record();
    const std::size_t loaded = std::min(size, tessmar::kRecordSize);
    for (std::size_t i = 0; i < tessmar::kRecordSize; ++i) {
        require(state.record.bytes[i] == (i < loaded ? data[i] : factory.bytes[i]),
                "Open loads exactly the file's leading bytes and keeps the rest of the record");
    }
    require(result.warning.empty() == (size == tessmar::kRecordSize),
            "only a file of one record's size opens without a warning");
    require(state.interface_class ==
                tessmar::derive_interface_class(state.record.get(tessmar::Field::keyboard_type)),
            "the interface is the one the loaded record names");

    const fs::path saved = scratch() / "saved.orl";
    require(tessmar::write_settings_file(saved.string(), state.record).ok, "the record saves");
    const tessmar::ProgramState reopened = opened(saved, result);
    require(result.result.ok && result.warning.empty(), "the saved record reopens cleanly");
    require(reopened.record == state.record, "a saved record reopens identical");
    return 0;
}
