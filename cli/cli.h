// tessmar-cli: each command is a row of the command table; the shared parser handles options,
// --help and usage errors, so a command's own code only does its work.
#pragma once

#include <initializer_list>
#include <string>

#include "arguments/command_line.h"
#include "files/file_replacement.h"
#include "model/program_state.h"

namespace tessmar::cli {

enum ExitCode : int { kSuccess = 0, kFailure = 1, kUsageError = 2 };
// diff exits as diff(1) does: kSuccess when equal, these otherwise.
inline constexpr int kDifferent = 1;
inline constexpr int kTrouble = 2;

struct Command {
    const char* name;
    std::initializer_list<const char*> forms;    // its arguments, as usage shows them
    const char* summary;                         // one line of what it does
    std::initializer_list<Option> options = {};  // its options and what each takes
    // Whether the arguments are complete for this command.
    bool (*accepts)(const Arguments& args);
    int (*run)(const Arguments& args);
    const char* details = nullptr;  // more about the command, shown by its --help
    int trouble = kFailure;         // the exit code of a failure (diff's is 2, as diff(1) has it)
};

// Reports a failure as one line on stderr; returns kFailure.
int failure(const std::string& message);

// " (fingerprint XXXX-XXXX)", for a line that names settings a scanner holds.
std::string fingerprint_note(const SettingsRecord& record);

// "-" names standard output wherever a command takes an output file.
bool is_standard_output(const std::string& path);

// Writes a command's output file: standard output for "-", anything else replaced safely (see
// replace_file).
FileResult write_output(const std::string& path, std::string_view content);

// Flushes standard output at the end of a run: output that could not be written (a full disk, a
// closed stream) fails the command with one line and at least the exit code `trouble`, whatever
// it printed.
int finish_standard_output(int exit_code, int trouble = kFailure);

// Which settings files a command takes: any, as the Open command does, or only a whole record.
enum class Accepted { any_size, whole_record };

// Starts `state` from the factory settings and opens `path` over it as the Open command does: a
// file that is not one record long still loads, with a warning on stderr, unless only a whole
// record is accepted. False, after a one-line message, when the file cannot be read or is
// refused.
bool open_settings(const std::string& path, ProgramState& state,
                   Accepted accepted = Accepted::any_size);
// Imports settings in text form over the factory settings; each error goes to stderr as
// FILE:LINE:COLUMN: message, and the result is false.
bool open_settings_text(const std::string& path, ProgramState& state);

// The file a command makes of its one input: -o's, or else the input with `extension` in place of
// its own. False, after a one-line message, when it names the input (by another name included):
// the input would be replaced by what is made of it.
bool output_of(const Arguments& args, const std::string& extension, std::string& output);

// Commands, one file each.
int run_defaults(const Arguments& args);
int run_tree(const Arguments& args);
int run_diff(const Arguments& args);
int run_sheet(const Arguments& args);
int run_download(const Arguments& args);
int run_read(const Arguments& args);
int run_export(const Arguments& args);
int run_import(const Arguments& args);
int run_monitor(const Arguments& args);

}  // namespace tessmar::cli
