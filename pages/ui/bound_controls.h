// The one way values move between a page's or dialog's controls and the settings: its bound
// controls, written once as tables, are shown, written back on OK and put back to their factory
// values by Reset, all through the same places. Fields live in the record; key strings and bits
// in the window's edited bytes, the record's or a staging block's.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "model/program_state.h"
#include "pages/ui/field_bindings.h"
#include "pages/ui/key_boxes.h"

namespace tessmar {

// A window's tables: what each bound control edits.
struct BoundControls {
    std::span<const FieldBinding> fields = {};
    // Key-entry boxes on key strings of the edited bytes.
    std::span<const KeyBoxSpec> key_boxes = {};
    // What a screen reader calls key box `index` where its label says too little; null for the
    // labels.
    std::string (*key_box_name)(std::size_t index) = nullptr;
    // Check boxes on bits of the edited bytes.
    std::span<const BitBinding> bits = {};
};

// The bytes a window's key boxes and bits live in; null stands for the record's.
using EditedBytes = std::span<std::uint8_t> (*)(ProgramState& program);

// Puts the controls' settings back to their factory values: the fields in `record`, the key
// strings and bits in `bytes`, from `factory_bytes`.
void reset_bound_controls(const BoundControls& controls, SettingsRecord& record,
                          std::span<std::uint8_t> bytes,
                          std::span<const std::uint8_t> factory_bytes);

// One window's bound controls for the window's lifetime, with the staging copies of its key
// strings.
class BoundWindow {
  public:
    BoundWindow(const BoundControls& controls, ProgramState& program, EditedBytes edited = nullptr);

    // Once, on creation, before the first show: list items and up-down ranges.
    void prepare(HWND window) const;
    // Shows the fields of the record and the key strings and bits of the edited bytes.
    void show(HWND window);
    // Once, after the first show: the key boxes become key-entry boxes.
    void bind_key_boxes(HWND window, HINSTANCE instance);
    // Shows the key strings again, in the form of the interface class as it is now.
    void show_key_strings(HWND window) const;
    // A bound control's own reaction to a notification; true when `id` is one of them.
    bool on_command(HWND window, int id, UINT code) const;
    // Writes every control back where `show` read it.
    void commit(HWND window);
    // Writes the factory values where `show` reads.
    void reset();

    ProgramState& program() const { return program_; }
    KeyBoxes& key_boxes() { return key_boxes_; }

  private:
    std::span<std::uint8_t> edited_bytes(ProgramState& program) const;

    const BoundControls& controls_;
    ProgramState& program_;
    EditedBytes edited_;
    KeyBoxes key_boxes_;
};

}  // namespace tessmar
