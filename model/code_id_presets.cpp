#include "model/code_id_presets.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace tessmar {
namespace {

using PresetSet = std::array<const char*, kCodeIds>;

// Entries: Code 39, Italian Pharmacode, French Pharmacode, Industrial 25, Interleave 25,
// Matrix 25, Codabar, Code 93, Code 128, UPCE, EAN 8, EAN 13, UPCA, MSI, Plessey, PDF 417.
constexpr std::array<PresetSet, kCodeIdPresetSets> kPresetSets = {{
    {"A", "A", "A", "C", "D", "E", "F", "I", "H", "S", "P", "M", "M", "V", "W", ""},
    {"C", "C", "C", "H", "I", "G", "N", "L", "K", "E", "B", "A", "A", "V", "W", ""},
    {"Y", "Y", "Y", "H", "Z", "G", "X", "L", "K", "C", "B", "A", "A", "D", "E", ""},
    {"M", "M", "M", "H", "I", "G", "N", "L", "K", "E", "FF", "F", "F", "P", "Q", ""},
    {"A", "A", "A", "S", "S", "S", "F", "G", "C", "E", "E", "E", "E", "M", "P", ""},
}};

}  // namespace

std::string_view code_id_preset(int set, int entry) {
    assert(set >= 1 && set <= kCodeIdPresetSets && entry >= 0 && entry < kCodeIds);
    return kPresetSets[static_cast<std::size_t>(set - 1)][static_cast<std::size_t>(entry)];
}

KeyStringBuffer code_id_preset_value(int set, int entry) {
    const std::string_view preset = code_id_preset(set, entry);
    KeyStringBuffer value{};
    std::copy(preset.begin(), preset.end(), value.begin());
    return value;
}

std::string code_id_preset_text(int set, int entry) {
    std::string text;
    for (const char c : code_id_preset(set, entry)) {
        text += '[';
        text += c;
        text += ']';
    }
    return text;
}

}  // namespace tessmar
