// What every laid-out sheet must be, for the layout tests and the fuzz target alike: each code
// once and in order, pages no fuller than they hold, lines no wider than a row, a heading never
// left alone at the foot of a page, a step's head never too tall for a page to hold a row of its
// codes beneath it, and a step cut by a page break only when no page could hold it whole.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "tools/stampwell/page_layout.h"

namespace stampwell::test {

inline double heading_mm(const StepGroup& group) {
    if (group.heading.empty()) {
        return 0;
    }
    return group.sub_heading ? kSubHeadingMm : kHeadingMm;
}

// Empty when the pages hold the groups as they must, else the first fault found.
inline std::string layout_fault(const std::vector<StepGroup>& groups,
                                const std::vector<Page>& pages) {
    std::vector<const Step*> steps;
    for (const StepGroup& group : groups) {
        for (const Step& step : group.steps) {
            steps.push_back(&step);
        }
    }
    std::size_t step = 0;  // the step whose codes come next, and its next code
    std::size_t code = 0;
    std::vector<const StepGroup*> seen;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const std::string at = "page " + std::to_string(p + 1) + ": ";
        const std::vector<PageBlock>& blocks = pages[p].blocks;
        const double body = p == 0 ? kBodyMm - kTitleMm : kBodyMm;
        double used = 0;
        bool lines_before = false;
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            const PageBlock& block = blocks[b];
            used += block.height_mm;
            if (block.kind == PageBlock::Kind::heading) {
                if (b + 1 == blocks.size() || blocks[b + 1].kind != PageBlock::Kind::line ||
                    blocks[b + 1].group != block.group) {
                    return at + "a heading stands without its first line";
                }
                const bool shown = std::ranges::find(seen, block.group) != seen.end();
                if (block.continued != shown) {
                    return at + "a heading is marked continued wrongly";
                }
                seen.push_back(block.group);
                continue;
            }
            std::size_t cells = 0;
            for (const StepPiece& piece : block.pieces) {
                cells += piece.cells();
                if (StepPiece{piece.step, piece.first, 1}.height_mm() + kLineGapMm +
                        heading_mm(*block.group) >
                    kBodyMm - kTitleMm) {
                    return at + "the head of step " + std::to_string(piece.step->number) +
                           " leaves no room on a page for a row of its codes";
                }
                if (step >= steps.size() || piece.step != steps[step] || piece.first != code ||
                    piece.count == 0 || piece.first + piece.count > piece.step->codes.size()) {
                    return at + "codes are missing, repeated or out of order";
                }
                code += piece.count;
                if (code == piece.step->codes.size()) {
                    ++step;
                    code = 0;
                } else if (lines_before || block.pieces.size() > 1 ||
                           StepPiece{piece.step, 0, piece.step->codes.size()}.height_mm() +
                                   kLineGapMm + heading_mm(*block.group) <=
                               body) {
                    return at + "step " + std::to_string(piece.step->number) +
                           " is cut by the page break, but a page could hold it";
                }
            }
            if (cells > kCodesPerRow) {
                return at + "a line is wider than a row";
            }
            lines_before = true;
        }
        if (used > body) {
            return at + "more than the page holds";
        }
    }
    return step == steps.size() ? "" : "steps are missing from the pages";
}

}  // namespace stampwell::test
