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
    std::vector<std::string> path_;

    static bool has_key(const SummaryNode& parent, std::size_t from, const std::string& key) {
        return std::any_of(parent.children.begin() + static_cast<std::ptrdiff_t>(from),
                           parent.children.end(),
                           [&key](const SummaryNode& child) { return child.key == key; });
    }

    void matched(const SummaryNode& a, const SummaryNode& b) {
        if (a.text != b.text) {
            differences.push_back({path_, a.key, a.text, b.text});
        }
        path_.push_back(a.text);
        children(a, b);
        path_.pop_back();
    }

    void one_sided(const SummaryNode& node, Side side) {
        SummaryDifference& difference = differences.emplace_back();
        difference.path = path_;
        difference.key = node.key;
        (side == Side::a ? difference.a : difference.b) = node.text;
        path_.push_back(node.text);
        for (const SummaryNode& child : node.children) {
            one_sided(child, side);
        }
        path_.pop_back();
    }
};

}  // namespace

std::vector<SummaryDifference> diff_summaries(const SummaryNode& a, const SummaryNode& b) {
    Differ differ;
    differ.children(a, b);
    return std::move(differ.differences);
}

}  // namespace tessmar
