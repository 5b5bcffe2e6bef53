// The Edit page: six data-substitution pairs, the data-editing switches, and "Configure..." for
// each editing format, which runs the editing-format sheet on that format's staging block.
#include <algorithm>
#include <array>
#include <string>

#include "pages/ui/editing_format_sheet.h"
#include "pages/ui/reader_page.h"
#include "pages/ui/reader_pages.h"
#include "resources/resource.h"

namespace tessmar {
namespace {

// "Exclusive" and the six format switches. Byte 226, the seventh block's switch, has no box.
constexpr std::array<FieldBinding, 1 + kEditingFormats> kFields = [] {
    std::array<FieldBinding, 1 + kEditingFormats> fields{};
    fields[0] = bind::check_box(IDC_EDITING_EXCLUSIVE, Field::editing_exclusive);
    for (int n = 1; n <= kEditingFormats; ++n) {
        fields[static_cast<std::size_t>(n)] =
            bind::check_box(IDC_ENABLE_FORMAT_FIRST + n - 1, enable_editing_format_field(n));
    }
    return fields;
}();

// The strings to be replaced, then their replacements, in slot order. The grid offers no key
// type: these strings match and replace data, not keys.
constexpr std::array<KeyBoxSpec, 2 * kSubstitutions> kKeyBoxes = [] {
    std::array<KeyBoxSpec, 2 * kSubstitutions> boxes{};
    for (int n = 1; n <= kSubstitutions; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        boxes[i] = {IDC_STRING_TO_BE_REPLACED_FIRST + n - 1, string_to_be_replaced_offset(n),
                    false};
        boxes[kSubstitutions + i] = {IDC_REPLACED_BY_FIRST + n - 1, replaced_by_offset(n), false};
    }
    return boxes;
}();

// The rows' labels are their numbers and an arrow: "String 1 to be replaced", "Replacement 1".
std::string key_box_name(std::size_t index) {
    const std::string n = std::to_string(index % kSubstitutions + 1);
    return index < kSubstitutions ? "String " + n + " to be replaced" : "Replacement " + n;
}

// Per block, whether the editing-format sheet committed it since the page last loaded its
// controls: OK copies those staging blocks into the record once more.
using ConfiguredFormats = std::array<bool, kEditFormatBlockCount>;
using EditPageState = PageState<ConfiguredFormats>;

// A Reset reloads the controls, so the formats configured before it are not copied on OK.
void fill(HWND, EditPageState& state) {
    state.data.fill(false);
}

// Reset leaves the staging blocks as they are.
void reset(SettingsRecord& record) {
    record.set(Field::enable_editing_format_7, 0);
    const EditFormatBytes block = default_edit_format_block();
    for (int k = 0; k < static_cast<int>(kEditFormatBlockCount); ++k) {
        std::ranges::copy(block, record.edit_format(k).bytes().begin());
    }
}

void configure_format(HWND page, EditPageState& state, int k, const SettingRoute* route = nullptr) {
    ProgramState& program = state.program();
    program.current_format = k;
    std::ranges::copy(program.record.edit_format(k).bytes(),
                      program.ef_staging[static_cast<std::size_t>(k)].begin());
    if (open_editing_format_sheet(state.context(), page, route)) {
        state.data[static_cast<std::size_t>(k)] = true;
    }
    reader_page_detail::focus_row_after_dialog(page, IDC_ENABLE_FORMAT_FIRST + k);
}

// A setting of an editing format is reached through its Configure button.
bool open_route(HWND page, EditPageState& state, const SettingRoute& route) {
    if (route.editing_format < 1 || route.editing_format > kEditingFormats) {
        return false;
    }
    configure_format(page, state, route.editing_format - 1, &route);
    return true;
}

bool command(HWND page, EditPageState& state, int id, UINT code) {
    const int k = id - IDC_CONFIGURE_FORMAT_FIRST;
    if (k < 0 || k >= kEditingFormats) {
        return false;
    }
    if (code == BN_CLICKED) {
        configure_format(page, state, k);
    }
    return true;
}

void commit(HWND, EditPageState& state) {
    ProgramState& program = state.program();
    program.record.set(Field::enable_editing_format_7, 0);
    for (int k = 0; k < static_cast<int>(kEditFormatBlockCount); ++k) {
        if (state.data[static_cast<std::size_t>(k)]) {
            copy_staging_block(program, k);
        }
    }
}

const PageDescription<ConfiguredFormats> kDescription = {
    .controls = {.fields = kFields, .key_boxes = kKeyBoxes, .key_box_name = key_box_name},
    .reset_button = IDC_EDIT_RESET,
    .fill = fill,
    .reset = reset,
    .command = command,
    .commit = commit,
    .open_route = open_route,
};

}  // namespace

INT_PTR CALLBACK EditPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderPageProc<kDescription>(page, message, wParam, lParam);
}

}  // namespace tessmar
