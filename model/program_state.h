// The program-wide state: the one live settings record, the buffers kept beside it, and the
// document and link state of the shell. The program owns one instance; tests build their own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "model/settings_record.h"

namespace tessmar {

// How the scanner talks to its host; decides the form in which key strings are read.
enum class InterfaceClass : int { keyboard_wedge = 0, rs232 = 1, wand_emulation = 2 };

// `keyboard_type` 0 is RS-232, 150 wand emulation, anything else a keyboard wedge.
inline constexpr unsigned kKeyboardTypeRs232 = 0;
inline constexpr unsigned kKeyboardTypeWand = 150;

// The COM port last confirmed in the port dialog: 0 for COM1 to 5 for COM6 or, when that was a
// port beyond COM6 ("COM9"), its name, which then takes the index's place.
struct PortChoice {
    int selected_port_index = 0;
    std::string other_port;
};

// Longest file path the document keeps (a Win32 MAX_PATH-style buffer less its terminator).
inline constexpr std::size_t kMaxFilePathChars = 255;

struct ProgramState {
    SettingsRecord record;

    // Working copies of the editing-format blocks, edited by the editing-format sheet.
    std::array<EditFormatBytes, kEditFormatBlockCount> ef_staging{};
    // The block (0 to 6) the editing-format sheet works on.
    int current_format = 0;
    // The factory record, against which the setup-code sheet finds what changed.
    SettingsRecord defaults_snapshot;
    std::array<EditFormatBytes, kEditFormatBlockCount> default_edit_formats{};
    // Per code-ID entry, in the Code ID page's order: the preset set (1 to 5) it was last filled
    // from, or 0.
    std::array<int, kCodeIds> code_id_origin{};
    int code_id_set = 0;
    InterfaceClass interface_class = InterfaceClass::keyboard_wedge;

    // Document state.
    bool settings_modified = false;
    std::string current_file_path;
    // The document was opened from a partial text (base = "factory"), and is saved as one.
    bool current_file_partial = false;
    std::string program_directory;

    // Link state.
    PortChoice port;
};

InterfaceClass derive_interface_class(unsigned keyboard_type);

// The factory settings record.
SettingsRecord factory_record();

// Puts the record into its factory state and re-initialises every buffer beside it.
void load_factory_defaults(ProgramState& state);

// Reads settings bytes over the record from its first byte, as Open and a complete read-back do:
// a shorter source replaces only its own leading bytes, a longer one is cut at the record's size.
// The interface class is derived again, so key strings show in the form of the loaded interface.
void load_settings_bytes(ProgramState& state, std::span<const std::uint8_t> bytes);

}  // namespace tessmar
