// What every rendering and spelling of a key string keeps, whatever the slot's bytes: it stays
// within the label tables and the slot, and the text and the setup items name the same keys.
// Shared by the randomized test and the fuzz target.
#pragma once

#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/key_string.h"

namespace tessmar::test {

struct KeyStringVocabulary {
    std::set<std::string, std::less<>> labels;   // every bracketed label a text may hold
    std::set<std::string, std::less<>> items;    // every setup item but the closing validate
    std::set<std::string, std::less<>> markers;  // the modifier markers among the labels

    KeyStringVocabulary() {
        for (unsigned code = 0; code < 256; ++code) {
            const auto byte = static_cast<std::uint8_t>(code);
            for (const std::string_view label : {character_label(byte), normal_key_label(byte)}) {
                if (!label.empty()) {
                    labels.insert("[" + std::string(label) + "]");
                }
            }
            labels.insert("[" + scan_code_label(byte) + "]");
            char hex[8];
            std::snprintf(hex, sizeof hex, "[0x%02X]", code);
            labels.insert(hex);
        }
        for (unsigned flag = 0; flag < kModifierFlagCount; ++flag) {
            markers.insert(std::string(modifier_marker(flag)));
        }
        labels.insert(markers.begin(), markers.end());
        items = {"9930<Add Shift>",       "9931<Add Control (L)>",   "9932<Add Alternate (L)>",
                 "9933<Add Control (R)>", "9934<Add Alternate (R)>", "9935<Add Break>",
                 "9936<Scan Code>"};
        for (unsigned nibble = 0; nibble < 16; ++nibble) {
            char item[16];
            std::snprintf(item, sizeof item, "%u<0x0%X>", 9900 + nibble, nibble);
            items.insert(item);
        }
    }
};

// Splits rendered text into its bracketed labels; nothing when text stands outside a label.
inline std::optional<std::vector<std::string_view>> split_labels(std::string_view text) {
    std::vector<std::string_view> labels;
    std::size_t at = 0;
    while (at < text.size()) {
        // A label may itself be "]" (the character 0x5D): look for the closing bracket from the
        // second character after the opening one.
        const std::size_t close = text.find(']', at + 2);
        if (text[at] != '[' || close == std::string_view::npos) {
            return std::nullopt;
        }
        labels.push_back(text.substr(at, close - at + 1));
        at = close + 1;
    }
    return labels;
}

// The first property the slot breaks in the form `interface_class` reads it, or "".
inline std::string key_string_violation(KeyString slot, InterfaceClass interface_class,
                                        const KeyStringVocabulary& vocabulary) {
    const KeyStringRendering r = render_key_string(slot, kKeyStringMaxBytes, interface_class);
    if (r.length > kKeyStringMaxBytes || (r.modifiers & ~0x3Fu) != 0) {
        return "the rendering runs past the slot: " + r.text;
    }
    const auto labels = split_labels(r.text);
    if (!labels) {
        return "text outside a label: " + r.text;
    }
    std::size_t code_labels = 0;
    for (const std::string_view label : *labels) {
        if (!vocabulary.labels.contains(label)) {
            return "an unknown label " + std::string(label) + " in " + r.text;
        }
        code_labels += !vocabulary.markers.contains(label);
    }
    const std::vector<std::string> items = key_string_setup_items(slot, interface_class);
    if (items.empty() || items.back() != "9994<Validate>") {
        return "the setup items do not end with 9994<Validate>";
    }
    std::size_t nibble_items = 0;
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
        if (!vocabulary.items.contains(items[i])) {
            return "an unknown setup item " + items[i];
        }
        nibble_items += items[i].find("<0x0") != std::string::npos;
    }
    // Rendering and spelling decode the same keys: two nibble items per shown code.
    if (nibble_items != 2 * code_labels) {
        return "the setup items spell other keys than the text shows: " + r.text;
    }
    return "";
}

}  // namespace tessmar::test
