#include "model/value_texts.h"

#include <iterator>

namespace tessmar {
std::string value_text(TextList list, unsigned value) {
    if (value < list.size()) {
        return list[value];
    }
    return "Unknown (" + std::to_string(value) + ")";
}

std::string keyboard_type_name(unsigned keyboard_type) {
    if (keyboard_type >= 1 && keyboard_type <= std::size(texts::keyboard_names)) {
        return texts::keyboard_names[keyboard_type - 1].tree;
    }
    return "Unknown (" + std::to_string(keyboard_type) + ")";
}

unsigned display_index_of_layout_value(unsigned stored) {
    return stored == 0 ? 0 : stored - 1;
}

}  // namespace tessmar
