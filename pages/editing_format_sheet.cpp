#include "pages/editing_format_sheet.h"

#include <algorithm>

#include "pages/editing_format_pages.h"
#include "pages/page_sheet.h"

namespace tessmar {
namespace {

// The pages in tab order.
constexpr PageTemplate kPages[] = {
    {"APPLICABLE_DLG", &kApplicableConditionsPage},
    {"FIELDSETTINGS_DLG", &kFieldSettingsPage},
    {"TRANSMISSION_DLG", &kTransmissionSequencePage},
};

}  // namespace

void open_editing_format_sheet(const PageContext& context, HWND page, bool& format_configured) {
    // A modal sheet disables its owner. Owned by the Edit page alone, it would leave the Reader
    // Settings sheet's OK and Cancel usable, and they would destroy the page under it.
    run_page_sheet(context, GetAncestor(page, GA_ROOT), "Configure Editing Format", kPages,
                   &format_configured);
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
