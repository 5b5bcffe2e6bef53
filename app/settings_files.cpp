#include "app/settings_files.h"

#include <commdlg.h>

#include <array>
#include <span>
#include <string>

#include "files/file_replacement.h"
#include "model/settings_file.h"
#include "model/settings_text.h"
#include "win32/system_error_text.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

constexpr char kFilter[] = "Scanner settings (*.orl)\0*.orl\0Settings as text (*.toml)\0*.toml\0";
// The filter's index of settings as text, counted from 1.
constexpr DWORD kTextFilter = 2;
constexpr char kExtension[] = ".orl";
constexpr char kTextExtension[] = ".toml";
// A text with more errors says how many more there are.
constexpr std::size_t kErrorLinesShown = 10;
constexpr std::size_t kExtensionLength = sizeof kExtension - 1;
// The Save As dialog's name buffer.
constexpr std::size_t kSaveAsNameChars = 260;

constexpr MessageStyle kReplaceQuestion{"Confirm Save As", MB_YESNO | MB_ICONWARNING};

bool ends_with_extension(const std::string& name) {
    return name.size() >= kExtensionLength &&
           name.compare(name.size() - kExtensionLength, kExtensionLength, kExtension) == 0;
}

constexpr MessageStyle kSizeNote{"Open", MB_OK | MB_ICONWARNING};

struct RecordFile {
    FileResult result;
    std::uint64_t size = 0;  // the whole file's
    bool partial = false;    // a text that names only what differs from the factory
};

FileResult failure(const char* what, const std::string& path, DWORD error) {
    return {false, std::string(what) + " " + path + ": " + system_error_text(error)};
}

// Reads the file over the record from its first byte: a short file replaces only its own leading
// bytes. Read sharing lets it open a file that an indexer or a virus scanner holds open.
RecordFile read_record_file(const std::string& path, ProgramState& state) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {failure("cannot open", path, GetLastError())};
    }
    std::array<std::uint8_t, kRecordSize> bytes;
    DWORD read = 0;
    LARGE_INTEGER size{};
    const bool ok =
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
        GetFileSizeEx(file, &size);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!ok) {
        return {failure("cannot read", path, error)};
    }
    load_settings_bytes(state, std::span(bytes).first(read));
    return {{true, {}}, static_cast<std::uint64_t>(size.QuadPart)};
}

// The errors of a settings text, each as FILE:LINE:COLUMN: message, as the command-line tool
// gives them.
std::string error_lines(const std::string& path, const std::vector<SettingsTextError>& errors) {
    std::string lines;
    for (std::size_t i = 0; i < errors.size() && i < kErrorLinesShown; ++i) {
        if (i > 0) {
            lines += '\n';
        }
        lines += settings_text_error_line(path, errors[i]);
    }
    if (errors.size() > kErrorLinesShown) {
        lines += "\n(" + std::to_string(errors.size() - kErrorLinesShown) + " more)";
    }
    return lines;
}

// Settings as text are read over the factory settings, and only when the whole text is right:
// a text with an error changes nothing.
RecordFile read_text_file(const std::string& path, ProgramState& state) {
    const SettingsTextFile file = read_settings_text_file(path);
    if (!file.read.ok) {
        return {file.read};
    }
    if (!file.imported.ok()) {
        return {{false, error_lines(path, file.imported.errors)}};
    }
    load_settings_bytes(state, file.imported.record.bytes);
    return {{true, {}}, kRecordSize, file.imported.partial};  // a text gives a whole record
}

// The document keeps the full name, so a relative one from the command line stays right.
RecordFile read_named_file(const std::string& path, std::string& full_path, ProgramState& state) {
    std::array<char, kMaxFilePathChars + 1> full{};
    const DWORD length =
        GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) {
        return {failure("cannot open", path, GetLastError())};
    }
    if (length >= full.size()) {
        return {failure("cannot open", path, ERROR_FILENAME_EXCED_RANGE)};
    }
    full_path = full.data();
    return is_settings_text_path(full_path) ? read_text_file(full_path, state)
                                            : read_record_file(full_path, state);
}

// Says how a file of another size than a record was read.
void tell_size(HWND owner, const std::string& path, std::uint64_t size) {
    const std::string record = std::to_string(kRecordSize);
    const std::string read = size < kRecordSize ? "it was read over the current settings."
                                                : "its first " + record + " bytes were read.";
    show_message(owner,
                 path.substr(path.find_last_of('\\') + 1) + " holds " + std::to_string(size) +
                     " bytes, not " + record + ": " + read,
                 kSizeNote);
}

// The dialog asked about the name as typed: when ".orl" was added after it, a file of the name
// that would then be written is asked about here, in the words the dialog uses.
bool may_replace(HWND owner, const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return true;  // nothing to replace; a folder in the way fails the save itself
    }
    const std::string question =
        path.substr(path.find_last_of('\\') + 1) + " already exists.\nDo you want to replace it?";
    return show_message(owner, question, kReplaceQuestion) == IDYES;
}

// The fields both file dialogs share: owner, filter, the name buffer, and the current folder
// left as it was, since the setup-code sheet is written there and must not follow wherever the
// last file dialog went (see run_file_dialog).
OPENFILENAMEA file_dialog(HWND owner, std::span<char> name) {
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = OFN_NOCHANGEDIR;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    return dialog;
}

// Shows the dialog and puts the current folder back: the Open dialog of Windows NT and later
// ignores OFN_NOCHANGEDIR and leaves the folder of the file chosen.
BOOL run_file_dialog(BOOL(WINAPI* show)(LPOPENFILENAMEA), OPENFILENAMEA& dialog) {
    std::array<char, MAX_PATH> folder{};
    const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(folder.size()), folder.data());
    const BOOL chosen = show(&dialog);
    if (length > 0 && length < folder.size()) {
        SetCurrentDirectoryA(folder.data());
    }
    return chosen;
}

// The file's name says its form: settings as text (partial when the document was opened from a
// partial text), or the record's bytes.
FileResult write_document(const std::string& path, const ProgramState& state) {
    if (!is_settings_text_path(path)) {
        return write_settings_file(path, state.record);
    }
    if (!state.current_file_partial) {
        return replace_file(path, export_settings_text(state.record));
    }
    const PartialSettingsText partial = export_partial_settings_text(state.record);
    if (!partial.error.empty()) {
        return {false, partial.error + "; save it as a settings file (.orl)"};
    }
    return replace_file(path, partial.text);
}

// A read-only file is refused like any other that cannot be written.
SaveOutcome write_record_to(HWND owner, const std::string& path, const ProgramState& state) {
    if (const FileResult written = write_document(path, state); !written.ok) {
        report_error(owner, "Can't save the settings file!", written.error);
        return SaveOutcome::failed;
    }
    return SaveOutcome::saved;
}

}  // namespace

bool open_settings_file(AppContext& app, HWND owner) {
    std::array<char, kMaxFilePathChars + 1> name{};
    app.state->current_file_path.copy(name.data(), kMaxFilePathChars);

    OPENFILENAMEA dialog = file_dialog(owner, name);
    dialog.Flags |= OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!run_file_dialog(GetOpenFileNameA, dialog) || name[0] == '\0') {
        return false;
    }
    return open_settings_path(app, owner, name.data());
}

bool open_settings_path(AppContext& app, HWND owner, const std::string& path) {
    std::string full_path;
    const RecordFile opened = read_named_file(path, full_path, *app.state);
    if (!opened.result.ok) {
        // The previous name stays, so the next Save cannot overwrite the file that failed.
        report_error(owner, "Can't open the settings file!", opened.result.error);
        return false;
    }
    app.state->current_file_partial = opened.partial;
    if (opened.size == kRecordSize) {
        app.state->current_file_path = full_path;
        return true;
    }
    tell_size(owner, full_path, opened.size);
    // What was read is not that file's settings: Save asks for a name rather than write a record
    // over it.
    app.state->current_file_path.clear();
    return true;
}

SaveOutcome save_settings_file(AppContext& app, HWND owner) {
    const ProgramState& state = *app.state;
    if (state.current_file_path.empty()) {
        return save_settings_file_as(app, owner);
    }
    return write_record_to(owner, state.current_file_path, state);
}

SaveOutcome save_settings_file_as(AppContext& app, HWND owner) {
    // The dialog starts empty; after No to the question below it opens again on the name chosen,
    // as after No to its own question.
    std::array<char, kSaveAsNameChars> name{};
    for (;;) {
        OPENFILENAMEA dialog = file_dialog(owner, name);
        dialog.lpstrDefExt = kExtension + 1;
        dialog.Flags |= OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        if (!run_file_dialog(GetSaveFileNameA, dialog) || name[0] == '\0') {
            return SaveOutcome::cancelled;
        }
        std::string path = name.data();
        // Settings as text keep their name. Any other extension, in any case, gets ".orl" after
        // it (config.txt becomes config.txt.orl), or ".toml" when that type was chosen.
        const bool extended = !ends_with_extension(path) && !is_settings_text_path(path);
        if (extended) {
            path += dialog.nFilterIndex == kTextFilter ? kTextExtension : kExtension;
        }
        if (path.size() > kMaxFilePathChars) {
            report_error(owner, "The file name is too long. Choose a shorter name or folder.");
            return SaveOutcome::failed;
        }
        if (!extended || may_replace(owner, path)) {
            // A name that could not be written is not the document's: the next Save would
            // fail on it again, or write where the user did not choose in the end.
            const SaveOutcome outcome = write_record_to(owner, path, *app.state);
            if (outcome == SaveOutcome::saved) {
                app.state->current_file_path = path;
            }
            return outcome;
        }
    }
}

}  // namespace tessmar
