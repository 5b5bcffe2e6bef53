// The Edit page: six data-substitution pairs, the data-editing switches, and "Configure..." for
// each editing format, which runs the editing-format sheet on that format's staging block.
#include <algorithm>
#include <any>
#include <array>

#include "pages/editing_format_sheet.h"
#include "pages/reader_pages.h"
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

// Per block, whether the editing-format sheet committed it since the page last loaded its
// controls: OK copies those staging blocks into the record once more.
using ConfiguredFormats = std::array<bool, kEditFormatBlockCount>;

ConfiguredFormats& configured_formats(PageState& state) {
    return std::any_cast<ConfiguredFormats&>(state.extra);
}

void prepare(HWND, PageState& state) {
    state.extra = ConfiguredFormats{};
}

// A Reset reloads the controls, so the formats configured before it are not copied on OK.
void fill(HWND, PageState& state) {
    configured_formats(state).fill(false);
}

// Reset leaves the staging blocks as they are.
void reset(SettingsRecord& record) {
    record.set(Field::enable_editing_format_7, 0);
    const EditFormatBytes block = default_edit_format_block();
    for (int k = 0; k < static_cast<int>(kEditFormatBlockCount); ++k) {
        std::ranges::copy(block, record.edit_format(k).bytes().begin());
    }
}

void configure_format(HWND page, PageState& state, int k) {
    ProgramState& program = state.program();
    program.current_format = k;
    std::ranges::copy(program.record.edit_format(k).bytes(),
                      program.ef_staging[static_cast<std::size_t>(k)].begin());
    open_editing_format_sheet(state.context, page,
                              configured_formats(state)[static_cast<std::size_t>(k)]);
}

bool command(HWND page, PageState& state, int id, UINT code) {
    const int k = id - IDC_CONFIGURE_FORMAT_FIRST;
    if (k < 0 || k >= kEditingFormats) {
        return false;
    }
    if (code == BN_CLICKED) {
        configure_format(page, state, k);
    }
    return true;
}

void commit(HWND, PageState& state) {
    ProgramState& program = state.program();
    program.record.set(Field::enable_editing_format_7, 0);
    const ConfiguredFormats& configured = configured_formats(state);
    for (int k = 0; k < static_cast<int>(kEditFormatBlockCount); ++k) {
        if (configured[static_cast<std::size_t>(k)]) {
            copy_staging_block(program, k);
        }
    }
}

}  // namespace

const PageDescription kEditPage = {
    .fields = kFields,
    .key_boxes = kKeyBoxes,
    .reset_button = IDC_EDIT_RESET,
    .prepare = prepare,
    .fill = fill,
    .reset = reset,
    .command = command,
    .commit = commit,
};

}  // namespace tessmar
