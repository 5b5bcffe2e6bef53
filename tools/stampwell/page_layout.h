// The printed pages of a sheet, laid out here rather than by the browser, so that every page
// knows its number and the count of pages, and no step is cut by a page break. Steps sit in
// lines three barcodes wide: short steps side by side, a longer step alone across the line, its
// barcodes in rows. Every size is fixed in millimetres and the page holds its blocks at those
// heights, so the browser breaks the pages where this layout does.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tools/stampwell/sheet_steps.h"

namespace stampwell {

// The page fits Letter (279.4 mm high) and A4 (210 mm wide) inside margins of 12 mm, with room
// to spare for a printer that takes more.
inline constexpr double kPageMarginMm = 12;
inline constexpr double kPageWidthMm = 180;
inline constexpr double kPageHeightMm = 250;
inline constexpr std::size_t kCodesPerRow = 3;
inline constexpr double kCellWidthMm = kPageWidthMm / kCodesPerRow;

inline constexpr double kTitleMm = 12;  // the sheet's title, on the first page
inline constexpr double kFooterMm = 10;
inline constexpr double kHeadingMm = 10;
inline constexpr double kSubHeadingMm = 8;
// A step's head: its number and what it sets, on as many lines as that takes.
inline constexpr double kStepHeadPaddingMm = 2;
inline constexpr double kStepHeadLineMm = 4;
inline constexpr double kStepMarginMm = 1;  // around a step's frame, each side
inline constexpr double kFrameBorderMm = 0.25;
inline constexpr double kStepPaddingMm = 2;  // inside the frame, left and right
inline constexpr double kNumberGapMm = 1.5;  // between the step's number and its caption
inline constexpr double kRowMm = 14.5;       // a row of barcodes with their captions beneath
inline constexpr double kStepEndMm = 1.5;    // inside the step's frame, below its last row
inline constexpr double kLineGapMm = 2.5;    // between lines of steps
inline constexpr double kBodyMm = kPageHeightMm - kFooterMm;
// The widest a character of a step's head is on average, and the width of one digit of its
// number: generous for the fonts the page asks for, so a head counted on one line fits on one.
inline constexpr double kHeadCharMm = 1.9;
inline constexpr double kHeadDigitMm = 2.8;

// The most lines a step's head takes: with one row of codes it still fits the first page under a
// heading. A longer caption is cut short.
inline constexpr std::size_t kMaxHeadLines = static_cast<std::size_t>(
    (kBodyMm - kTitleMm - kHeadingMm - kLineGapMm - kStepHeadPaddingMm - kRowMm - kStepEndMm) /
    kStepHeadLineMm);
// The most of a section's heading a page shows: its one line holds less.
inline constexpr std::size_t kMaxHeadingBytes = 120;

// Added to the heading of a section that goes on from the page before.
inline constexpr std::string_view kContinued = " (continued)";

// `text` cut to at most `most` bytes, ending in "…", where it is longer; never inside a UTF-8
// character.
std::string shortened(std::string_view text, std::size_t most);

// A step on a page: all of it, or the part of a step too long for any page.
struct StepPiece {
    const Step* step = nullptr;
    std::size_t first = 0;  // the piece's codes are the step's [first, first + count)
    std::size_t count = 0;
    bool continued() const { return first > 0; }
    // What the head says beside the step's number: the step's caption, cut short to
    // kMaxHeadLines. A piece that goes on from the page before has no number beside its head,
    // which says only "Step 12, continued": the whole caption on every page would make the page
    // grow with the square of the step's length.
    std::string head_text() const;
    // Cells across: one per code of the step, up to a whole row.
    std::size_t cells() const;
    std::size_t rows() const;
    std::size_t head_lines() const;
    double width_mm() const;
    double height_mm() const;

  private:
    double head_room_mm() const;
};

struct PageBlock {
    enum class Kind { heading, line } kind = Kind::line;
    const StepGroup* group = nullptr;  // whose heading, for a heading
    bool continued = false;            // a heading repeated on the next page of its section
    std::vector<StepPiece> pieces;     // for a line, side by side
    double height_mm = 0;
};

struct Page {
    std::vector<PageBlock> blocks;
};

// `groups` must outlive the pages, which point into them.
std::vector<Page> lay_out_pages(const std::vector<StepGroup>& groups);

}  // namespace stampwell
