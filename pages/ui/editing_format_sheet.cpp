#include "pages/ui/editing_format_sheet.h"

#include <algorithm>

#include "pages/ui/editing_format_pages.h"
#include "pages/ui/page_sheet.h"

namespace tessmar {
namespace {

void copy_current_staging_block(ProgramState& program) {
    copy_staging_block(program, program.current_format);
}

// The pages in tab order.
constexpr PageTemplate kPages[] = {
    {"APPLICABLE_DLG", ApplicableConditionsPageProc},
    {"FIELDSETTINGS_DLG", FieldSettingsPageProc},
    {"TRANSMISSION_DLG", TransmissionSequencePageProc},
};

}  // namespace

bool open_editing_format_sheet(const PageContext& context, HWND page, const SettingRoute* route) {
    // The pages edit the staging block; the Edit page's OK marks the document modified.
    PageLaunch launch{.context = context,
                      .caption = "Configure Editing Format",
                      .edited_bytes = staging_block_bytes,
                      .marks_modified = false,
                      .after_commit = copy_current_staging_block,
                      .route = route};
    // A modal sheet disables its owner. Owned by the Edit page alone, it would leave the Reader
    // Settings sheet's OK and Cancel usable, and they would destroy the page under it.
    return run_page_sheet(launch, GetAncestor(page, GA_ROOT), kPages,
                          route ? page_index(kPages, route->format_page) : 0);
}

std::span<std::uint8_t> staging_block_bytes(ProgramState& program) {
    return program.ef_staging[static_cast<std::size_t>(program.current_format)];
}

EditFormatBlock staging_block(ProgramState& program) {
    return EditFormatBlock(program.ef_staging[static_cast<std::size_t>(program.current_format)]);
}

void copy_staging_block(ProgramState& program, int k) {
    std::ranges::copy(program.ef_staging[static_cast<std::size_t>(k)],
                      program.record.edit_format(k).bytes().begin());
}

}  // namespace tessmar
