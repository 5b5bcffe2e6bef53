#include "summary/summary_diff.h"

#include <algorithm>

namespace tessmar {
namespace {

enum class Side { a, b };

class Differ {
  public:
    std::vector<SummaryDifference> differences;

    void children(const SummaryNode& a, const SummaryNode& b) {
        std::size_t i = 0;
        std::size_t j = 0;
        while (i < a.children.size() || j < b.children.size()) {
            if (i < a.children.size() && j < b.children.size() &&
                a.children[i].key == b.children[j].key) {
                matched(a.children[i++], b.children[j++]);
            } else if (i < a.children.size() && !has_key(b, j, a.children[i].key)) {
                one_sided(a.children[i++], Side::a);
            } else {
                one_sided(b.children[j++], Side::b);
            }
        }
    }

  private:
    // The texts of the current line's ancestors in each tree, and their keys.
    std::vector<std::string> path_a_;
    std::vector<std::string> path_b_;
    std::vector<std::string> place_;

    static bool has_key(const SummaryNode& parent, std::size_t from, const std::string& key) {
        return std::any_of(parent.children.begin() + static_cast<std::ptrdiff_t>(from),
                           parent.children.end(),
                           [&key](const SummaryNode& child) { return child.key == key; });
    }

    void matched(const SummaryNode& a, const SummaryNode& b) {
        if (a.text != b.text) {
            differences.push_back({path_a_, place_, a.key, a.text, b.text});
        }
        enter(a.text, b.text, a.key);
        children(a, b);
        leave();
    }

    void one_sided(const SummaryNode& node, Side side) {
        SummaryDifference& difference = differences.emplace_back();
        difference.path = side == Side::a ? path_a_ : path_b_;
        difference.place = place_;
        difference.key = node.key;
        (side == Side::a ? difference.a : difference.b) = node.text;
        enter(node.text, node.text, node.key);
        for (const SummaryNode& child : node.children) {
            one_sided(child, side);
        }
        leave();
    }

    void enter(const std::string& a_text, const std::string& b_text, const std::string& key) {
        path_a_.push_back(a_text);
        path_b_.push_back(b_text);
        place_.push_back(key);
    }

    void leave() {
        path_a_.pop_back();
        path_b_.pop_back();
        place_.pop_back();
    }
};

}  // namespace

std::vector<SummaryDifference> diff_summaries(const SummaryNode& a, const SummaryNode& b) {
    Differ differ;
    differ.children(a, b);
    return std::move(differ.differences);
}

}  // namespace tessmar
