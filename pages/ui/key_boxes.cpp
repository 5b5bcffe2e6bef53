#include "pages/ui/key_boxes.h"

#include <algorithm>
#include <cassert>

#include "model/key_string.h"
#include "pages/ui/key_entry_box.h"

namespace tessmar {
namespace {

template <class Byte>
std::span<Byte, kKeyStringSize> slot_in(std::span<Byte> bytes, std::size_t offset) {
    assert(offset + kKeyStringSize <= bytes.size());
    return bytes.subspan(offset).template first<kKeyStringSize>();
}

}  // namespace

KeyBoxes::KeyBoxes(std::span<const KeyBoxSpec> specs) : specs_(specs), values_(specs.size()) {}

void KeyBoxes::fill(HWND dialog, std::span<const std::uint8_t> bytes,
                    InterfaceClass interface_class) {
    for (std::size_t i = 0; i < values_.size(); ++i) {
        values_[i] = {};
        copy_key_string(values_[i], slot_in(bytes, specs_[i].offset));
        show(dialog, i, interface_class);
    }
}

void KeyBoxes::bind(HWND dialog, HINSTANCE instance, const InterfaceClass& interface_class) {
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const KeyBoxSpec& box = specs_[i];
        make_key_entry_box(GetDlgItem(dialog, box.control), instance, interface_class,
                           {values_[i], box.offers_key_type, box.starts_from_existing});
    }
}

void KeyBoxes::commit(std::span<std::uint8_t> bytes) const {
    for (std::size_t i = 0; i < values_.size(); ++i) {
        copy_key_string(slot_in(bytes, specs_[i].offset), values_[i]);
    }
}

void KeyBoxes::show(HWND dialog, std::size_t index, InterfaceClass interface_class) const {
    SetDlgItemTextA(dialog, specs_[index].control,
                    key_string_text(values_[index], interface_class).c_str());
}

void reset_key_strings(std::span<const KeyBoxSpec> specs, std::span<std::uint8_t> bytes,
                       std::span<const std::uint8_t> factory) {
    for (const KeyBoxSpec& box : specs) {
        const auto from = slot_in(factory, box.offset);
        std::copy(from.begin(), from.end(), slot_in(bytes, box.offset).begin());
    }
}

}  // namespace tessmar
