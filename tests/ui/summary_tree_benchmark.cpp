// How long a full rebuild of the summary tree takes in the real tree view: every editing format
// enabled with six fields, terminating strings, additional fields and a long sequence. Prints
// the figures; speed is not asserted.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "resources/resource.h"
#include "summary/ui/summary_tree_view.h"
#include "tests/ui/support/main_window_fixture.h"

namespace tessmar::test {
namespace {

constexpr int kRebuilds = 40;

void fill_editing_formats(ProgramState& state) {
    for (int n = 1; n <= kEditingFormats; ++n) {
        state.record.set(enable_editing_format_field(n), 1);
        EditFormatBlock block = state.record.edit_format(n - 1);
        block.set_number_of_fields_minus_1(5);
        for (int f = 1; f <= kFieldDividers; ++f) {
            FieldDivider divider = block.field_divider(f);
            divider.set_field_length(f % 2 ? 0 : 4 * f);
            std::fill_n(divider.terminating_string().begin(), 3,
                        static_cast<std::uint8_t>('A' + f));
        }
        for (int a = 1; a <= kAdditionalFields; ++a) {
            std::fill_n(block.additional_field(a).begin(), 10, static_cast<std::uint8_t>('0' + a));
        }
        std::fill_n(block.matching_string().begin(), 10, std::uint8_t{0xC1});
        const std::uint8_t sequence[] = {1, 7, 2, 8, 3, 9, 4, 10, 5, 11, 6};
        std::copy(std::begin(sequence), std::end(sequence), block.transmission_sequence().begin());
    }
}

double milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

struct Figures {
    double fastest;
    double median;
    double slowest;
};

Figures figures(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2], times.back()};
}

using SummaryTreeBenchmark = MainWindowTest;

TEST_F(SummaryTreeBenchmark, FullRebuildWithSixEditingFormatsOfSixFields) {
    fill_editing_formats(state);
    HWND tree = GetDlgItem(window, IDC_TREE_VIEW);
    ASSERT_NE(tree, nullptr);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> rebuild;
    std::vector<double> rebuild_and_paint;
    for (int i = 0; i < kRebuilds; ++i) {
        LARGE_INTEGER start, built, painted;
        QueryPerformanceCounter(&start);
        build_summary_tree(app.tree_view, state);
        QueryPerformanceCounter(&built);
        UpdateWindow(tree);
        QueryPerformanceCounter(&painted);
        rebuild.push_back(milliseconds(start, built, frequency));
        rebuild_and_paint.push_back(milliseconds(start, painted, frequency));
        pump_messages();
    }
    const auto items = static_cast<unsigned>(TreeView_GetCount(tree));
    EXPECT_GT(items, 500u);  // the tree at its fullest
    const Figures r = figures(rebuild);
    const Figures p = figures(rebuild_and_paint);
    std::printf("summary tree: %u items, %d rebuilds\n", items, kRebuilds);
    std::printf("  rebuild:           fastest %.2f ms, median %.2f ms, slowest %.2f ms\n",
                r.fastest, r.median, r.slowest);
    std::printf("  rebuild and paint: fastest %.2f ms, median %.2f ms, slowest %.2f ms\n",
                p.fastest, p.median, p.slowest);
    RecordProperty("rebuild_median_us", static_cast<int>(r.median * 1000));
}

}  // namespace
}  // namespace tessmar::test
