#include "summary/changed_lines.h"

namespace tessmar {
namespace {

// Appends the marks of `node`'s descendants; true when one of them is marked.
bool mark_children(const SummaryNode& node, const SettingsRecord& factory,
                   InterfaceClass interface_class, std::vector<bool>& marks) {
    bool any = false;
    for (const SummaryNode& child : node.children) {
        const std::size_t at = marks.size();
        marks.push_back(false);
        const bool below = mark_children(child, factory, interface_class, marks);
        marks[at] = below || line_text(child, factory, interface_class) != child.text;
        any = any || marks[at];
    }
    return any;
}

}  // namespace

std::vector<bool> lines_changed_from_factory(const SummaryNode& tree,
                                             InterfaceClass interface_class) {
    std::vector<bool> marks;
    mark_children(tree, factory_record(), interface_class, marks);
    return marks;
}

}  // namespace tessmar
