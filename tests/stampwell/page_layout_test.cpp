// Laying steps out on pages: lines of short steps, long steps alone, headings kept with their
// first line, and no step cut by a page break that a page could hold whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/stampwell/layout_properties.h"

namespace stampwell {
namespace {

struct GroupShape {
    const char* heading;
    std::vector<std::size_t> step_sizes;
    std::size_t caption_chars = 12;
    bool sub_heading = false;
};

std::vector<StepGroup> groups_of(const std::vector<GroupShape>& shapes) {
    std::vector<StepGroup> groups;
    int number = 0;
    for (const GroupShape& shape : shapes) {
        StepGroup group{shape.heading, shape.sub_heading, {}};
        for (const std::size_t size : shape.step_sizes) {
            group.steps.push_back(
                {++number, std::string(shape.caption_chars, 'x'),
                 std::vector<SetupCode>(size, SetupCode{"0207", "Scanner Timeout"})});
        }
        groups.push_back(std::move(group));
    }
    return groups;
}

// The pages as the numbers of their lines' steps, a heading as 0 (-1 when continued), a piece
// that goes on from the page before as its negative number.
std::vector<std::vector<std::vector<int>>> shape_of(const std::vector<Page>& pages) {
    std::vector<std::vector<std::vector<int>>> shape;
    for (const Page& page : pages) {
        shape.emplace_back();
        for (const PageBlock& block : page.blocks) {
            std::vector<int> line;
            if (block.kind == PageBlock::Kind::heading) {
                line.push_back(block.continued ? -1 : 0);
            }
            for (const StepPiece& piece : block.pieces) {
                line.push_back(piece.continued() ? -piece.step->number : piece.step->number);
            }
            shape.back().push_back(line);
        }
    }
    return shape;
}

using Shape = std::vector<std::vector<std::vector<int>>>;

TEST(PageLayout, PagesAsTheyShouldBe) {
    const std::vector<std::size_t> thirty_short(30, 1);
    const struct {
        const char* what;
        std::vector<GroupShape> groups;
        Shape pages;
    } kCases[] = {
        {"short steps share a line while their cells fit a row; a longer one stands alone",
         {{"", {1, 1, 1, 2, 1, 2, 2, 4, 1}}},
         {{{1, 2, 3}, {4, 5}, {6}, {7}, {8}, {9}}}},
        {"a section's heading stands above its first line",
         {{"", {1, 1}}, {"Scanner Settings", {3}}, {"Fields Settings", {1}, 12, true}},
         {{{1, 2}, {0}, {3}, {0}, {4}}}},
        // Below the title and the heading, eight lines of short steps fill the first page
        // (10 + 8 x 24.5 = 206 of 228 mm); the ninth goes on with the heading repeated.
        {"a section that runs on repeats its heading, continued",
         {{"Code 39 Settings", thirty_short}},
         {{{0},
           {1, 2, 3},
           {4, 5, 6},
           {7, 8, 9},
           {10, 11, 12},
           {13, 14, 15},
           {16, 17, 18},
           {19, 20, 21},
           {22, 23, 24}},
          {{-1}, {25, 26, 27}, {28, 29, 30}}}},
        {"a heading with no room for its first line goes to the next page with it",
         {{"", std::vector<std::size_t>(27, 1)}, {"Plessey Settings", {1}}},
         {{{1, 2, 3},
           {4, 5, 6},
           {7, 8, 9},
           {10, 11, 12},
           {13, 14, 15},
           {16, 17, 18},
           {19, 20, 21},
           {22, 23, 24},
           {25, 26, 27}},
          {{0}, {28}}}},
        // It starts on a page of its own, where it is cut least: 15 rows of 3 a page.
        {"a step no page holds goes on over the pages, each part continued",
         {{"", {1}}, {"Prefix / Suffix Settings", {120}}},
         {{{1}}, {{0}, {2}}, {{-1}, {-2}}, {{-1}, {-2}}}},
    };
    for (const auto& c : kCases) {
        const std::vector<StepGroup> groups = groups_of(c.groups);
        const std::vector<Page> pages = lay_out_pages(groups);
        EXPECT_EQ(shape_of(pages), c.pages) << c.what;
        EXPECT_EQ(test::layout_fault(groups, pages), "") << c.what;
    }
}

// Five keys that each carry all six modifiers: 42 codes and the longest caption (some 290
// characters) of any step Tessmar writes. However full the page before, it is whole on the next.
TEST(PageLayout, TheLongestStepTessmarWritesIsWholeOnItsPage) {
    for (std::size_t before = 0; before < 40; ++before) {
        const std::vector<StepGroup> groups = groups_of(
            {{"", std::vector<std::size_t>(before + 2, 1)}, {"PDF 417 Settings", {42}, 300}});
        const std::vector<Page> pages = lay_out_pages(groups);
        EXPECT_EQ(test::layout_fault(groups, pages), "") << before;
        const PageBlock& last = pages.back().blocks.back();
        ASSERT_EQ(last.pieces.size(), 1u);
        EXPECT_EQ(last.pieces[0].count, 42u) << before;
    }
}

// A caption longer than a page is cut short to leave room for a row, and the pieces of a step that
// goes on over the pages repeat only its number, so the page never grows with its square.
TEST(PageLayout, AStepsHeadFitsAPageAndItsContinuationsRepeatOnlyItsNumber) {
    const std::vector<StepGroup> groups = groups_of({{"Heading", {400}, 30'000}});
    const std::vector<Page> pages = lay_out_pages(groups);
    EXPECT_EQ(test::layout_fault(groups, pages), "");
    EXPECT_TRUE(pages[0].blocks[1].pieces[0].head_text().ends_with("x\u2026"));
    EXPECT_EQ(pages.back().blocks.back().pieces[0].head_text(), "Step 1, continued");
}

// Sheets of every shape, from a fixed seed so that a failure can be run again.
TEST(PageLayout, AnySheetIsLaidOutAsItMustBe) {
    std::mt19937 random(14);
    for (int round = 0; round < 300; ++round) {
        std::vector<GroupShape> shapes;
        const int group_count = std::uniform_int_distribution(1, 12)(random);
        for (int g = 0; g < group_count; ++g) {
            GroupShape shape{g % 3 == 0 ? "" : "Settings",
                             {},
                             std::uniform_int_distribution<std::size_t>(1, 320)(random),
                             g % 4 == 3};
            const int steps = std::uniform_int_distribution(1, 15)(random);
            for (int s = 0; s < steps; ++s) {
                // Mostly short steps, as sheets have them, and now and then a very long one.
                const int kind = std::uniform_int_distribution(0, 9)(random);
                shape.step_sizes.push_back(
                    kind < 6   ? std::uniform_int_distribution<std::size_t>(1, 3)(random)
                    : kind < 9 ? std::uniform_int_distribution<std::size_t>(4, 42)(random)
                               : std::uniform_int_distribution<std::size_t>(43, 200)(random));
            }
            shapes.push_back(std::move(shape));
        }
        const std::vector<StepGroup> groups = groups_of(shapes);
        ASSERT_EQ(test::layout_fault(groups, lay_out_pages(groups)), "") << "round " << round;
    }
}

}  // namespace
}  // namespace stampwell
