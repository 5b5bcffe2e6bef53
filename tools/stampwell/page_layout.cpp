#include "tools/stampwell/page_layout.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace stampwell {
namespace {

// The head's text runs inside the frame and its padding, after the number.
constexpr double kHeadFrameMm = 2 * kFrameBorderMm + 2 * kStepPaddingMm + kNumberGapMm;

StepPiece whole(const Step& step) {
    return {&step, 0, step.codes.size()};
}

double line_height(const std::vector<StepPiece>& pieces) {
    double height = 0;
    for (const StepPiece& piece : pieces) {
        height = std::max(height, piece.height_mm());
    }
    return height + kLineGapMm;
}

// Steps side by side while their cells fit a row, in order.
std::vector<std::vector<StepPiece>> lines_of(const std::vector<Step>& steps) {
    std::vector<std::vector<StepPiece>> lines;
    std::size_t cells = kCodesPerRow;
    for (const Step& step : steps) {
        const StepPiece piece = whole(step);
        if (cells + piece.cells() > kCodesPerRow) {
            lines.emplace_back();
            cells = 0;
        }
        lines.back().push_back(piece);
        cells += piece.cells();
    }
    return lines;
}

class Paginator {
  public:
    std::vector<Page> run(const std::vector<StepGroup>& groups) {
        start_page();
        for (const StepGroup& group : groups) {
            group_ = &group;
            heading_shown_ = false;
            for (const std::vector<StepPiece>& line : lines_of(group.steps)) {
                place_line(line);
            }
        }
        return std::move(pages_);
    }

  private:
    void start_page() {
        pages_.emplace_back();
        left_ = pages_.size() == 1 ? kBodyMm - kTitleMm : kBodyMm;
        steps_on_page_ = false;
    }

    double heading_height() const {
        if (group_->heading.empty()) {
            return 0;
        }
        return group_->sub_heading ? kSubHeadingMm : kHeadingMm;
    }

    // A section's heading stands before its first line, and again, continued, at the top of
    // each further page the section runs onto.
    bool heading_due() const {
        return !group_->heading.empty() && (!heading_shown_ || !steps_on_page_);
    }

    void place(PageBlock block) {
        left_ -= block.height_mm;
        pages_.back().blocks.push_back(std::move(block));
    }

    void place_heading_if_due() {
        if (heading_due()) {
            place({PageBlock::Kind::heading, group_, heading_shown_, {}, heading_height()});
            heading_shown_ = true;
        }
    }

    void place_pieces(std::vector<StepPiece> pieces) {
        const double height = line_height(pieces);
        place({PageBlock::Kind::line, group_, false, std::move(pieces), height});
        steps_on_page_ = true;
    }

    // A line goes to the next page when it does not fit this one's rest. Only a step too long
    // for a whole page is split, by rows, over as many pages as it needs.
    void place_line(const std::vector<StepPiece>& line) {
        const double needed = line_height(line) + (heading_due() ? heading_height() : 0);
        if (needed > left_ && steps_on_page_) {
            start_page();
        }
        place_heading_if_due();
        if (line_height(line) <= left_) {
            place_pieces(line);
            return;
        }
        const Step& step = *line.front().step;
        for (std::size_t first = 0; first < step.codes.size();) {
            if (first > 0) {
                start_page();
                place_heading_if_due();
            }
            const double row_room = left_ - StepPiece{&step, first, 0}.height_mm() - kLineGapMm;
            const auto rows = static_cast<std::size_t>(std::max(1.0, row_room / kRowMm));
            const std::size_t count = std::min(step.codes.size() - first, rows * kCodesPerRow);
            place_pieces({{&step, first, count}});
            first += count;
        }
    }

    std::vector<Page> pages_;
    const StepGroup* group_ = nullptr;
    double left_ = 0;
    bool steps_on_page_ = false;
    bool heading_shown_ = false;
};

}  // namespace

std::size_t StepPiece::cells() const {
    return std::min(step->codes.size(), kCodesPerRow);
}

std::size_t StepPiece::rows() const {
    return (count + kCodesPerRow - 1) / kCodesPerRow;
}

// Room for the head's text on one line: the frame's width, less the step's number beside it.
double StepPiece::head_room_mm() const {
    const std::size_t digits = continued() ? 0 : std::to_string(step->number).size();
    return width_mm() - kHeadFrameMm - static_cast<double>(digits) * kHeadDigitMm;
}

std::string StepPiece::head_text() const {
    if (continued()) {
        return "Step " + std::to_string(step->number) + ", continued";
    }
    const double most_chars = static_cast<double>(kMaxHeadLines) * head_room_mm() / kHeadCharMm;
    return shortened(step->caption, static_cast<std::size_t>(most_chars));
}

std::size_t StepPiece::head_lines() const {
    const double text_mm = static_cast<double>(head_text().size()) * kHeadCharMm;
    return std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil(text_mm / head_room_mm())));
}

double StepPiece::width_mm() const {
    return static_cast<double>(cells()) * kCellWidthMm - 2 * kStepMarginMm;
}

double StepPiece::height_mm() const {
    return kStepHeadPaddingMm + static_cast<double>(head_lines()) * kStepHeadLineMm +
           static_cast<double>(rows()) * kRowMm + kStepEndMm;
}

std::string shortened(std::string_view text, std::size_t most) {
    static constexpr std::string_view kEllipsis = "\u2026";
    if (text.size() <= most) {
        return std::string(text);
    }
    std::size_t cut = most > kEllipsis.size() ? most - kEllipsis.size() : 0;
    // Back to the start of a character: UTF-8 continuation bytes are 10xxxxxx.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return std::string(text.substr(0, cut)) + std::string(kEllipsis);
}

std::vector<Page> lay_out_pages(const std::vector<StepGroup>& groups) {
    return Paginator().run(groups);
}

}  // namespace stampwell
