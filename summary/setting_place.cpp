#include "summary/setting_place.h"

#include <vector>

namespace tessmar {
namespace {

using V = ValueSource;

bool shows(const LineSource& source, const NamedSetting& setting) {
    if (source.kind == V::none) {
        return false;
    }
    if (setting.field != Field::count) {
        // The interface's name is read from the keyboard type too; its own line names it.
        return source.field == setting.field && source.kind != V::interface_name;
    }
    return source.field == Field::count && source.offset == setting.offset &&
           (source.kind != V::bit || source.bit == setting.low_bit);
}

// The lines from the tree's top down to the one that shows the setting, that one last.
bool path_to(const SummaryNode& node, const NamedSetting& setting,
             std::vector<const SummaryNode*>& path) {
    for (const SummaryNode& child : node.children) {
        path.push_back(&child);
        if (shows(child.source, setting) || path_to(child, setting, path)) {
            return true;
        }
        path.pop_back();
    }
    return false;
}

// A line's key as a name: what stands before its value's colon, or the key without "%s".
std::string label(const std::string& key) {
    std::string text = key.substr(0, key.find(':'));
    if (const std::size_t at = text.find("%s"); at != std::string::npos) {
        text.erase(at, text.compare(at, 3, "%s ") == 0 ? 3 : 2);
    }
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? text : text.substr(first, last + 1 - first);
}

}  // namespace

const SummaryNode* line_showing(const SummaryNode& tree, const NamedSetting& setting) {
    std::vector<const SummaryNode*> path;
    return path_to(tree, setting, path) ? path.back() : nullptr;
}

const NamedSetting* setting_shown_by(const SummaryNode& line) {
    for (const NamedSetting& setting : named_settings()) {
        if (shows(line.source, setting)) {
            return &setting;
        }
    }
    return nullptr;
}

std::string setting_place(const NamedSetting& setting) {
    ProgramState state;
    load_factory_defaults(state);
    state.record = record_showing(setting);
    state.interface_class = derive_interface_class(state.record.get(Field::keyboard_type));
    const SummaryNode tree = build_summary(state);
    std::vector<const SummaryNode*> path;
    if (!path_to(tree, setting, path)) {
        return setting.table + " › " + setting.name;
    }
    std::string place;
    for (const SummaryNode* line : path) {
        place += (place.empty() ? "" : " › ") + label(line->key);
    }
    return place;
}

}  // namespace tessmar
