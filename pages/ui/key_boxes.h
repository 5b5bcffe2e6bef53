// A dialog's key-entry boxes, declared as a table: each box edits a staging copy of one key
// string, taken from the bytes the dialog works on when it fills and written back when it
// commits. The grid is the only way to change a copy; the boxes' text is only a display.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/key_string_slot.h"
#include "model/program_state.h"

namespace tessmar {

struct KeyBoxSpec {
    int control;
    std::size_t offset;                // the key string's offset in the bytes the dialog edits
    bool offers_key_type = true;       // the grid offers "Key Type" and "Key Status"
    bool starts_from_existing = true;  // false: the grid starts from an empty value
};

namespace bind {
constexpr KeyBoxSpec key_box(int control, KeySlot slot, bool offers_key_type = true,
                             bool starts_from_existing = true) {
    return {control, offset_of(slot), offers_key_type, starts_from_existing};
}
}  // namespace bind

// The staging copies of a dialog's key strings, one per box, for the dialog's lifetime.
class KeyBoxes {
  public:
    explicit KeyBoxes(std::span<const KeyBoxSpec> specs = {});

    // Takes each key string of `bytes` into its copy and shows it in its box.
    void fill(HWND dialog, std::span<const std::uint8_t> bytes, InterfaceClass interface_class);
    // Once, after the first fill: makes each box a key-entry box on its copy.
    void bind(HWND dialog, HINSTANCE instance, const InterfaceClass& interface_class);
    // Writes each copy into `bytes`, up to and including its terminator.
    void commit(std::span<std::uint8_t> bytes) const;

    // The copy of box `index`, in table order, and showing it after a change.
    MutableKeyString value(std::size_t index) { return values_[index]; }
    void show(HWND dialog, std::size_t index, InterfaceClass interface_class) const;

    std::size_t size() const { return values_.size(); }

  private:
    std::span<const KeyBoxSpec> specs_;
    // Sized once: the boxes hold spans into it.
    std::vector<KeyStringBuffer> values_;
};

// Puts the key strings of `specs` back to their factory values, all eleven bytes of each.
void reset_key_strings(std::span<const KeyBoxSpec> specs, std::span<std::uint8_t> bytes,
                       std::span<const std::uint8_t> factory);

}  // namespace tessmar
