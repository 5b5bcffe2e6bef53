// The "Configure Editing Format" sheet: three pages on the EF staging block `current_format`.
// Each page that was shown writes its own fields into the block on OK, and the sheet then copies
// the whole block into the record, so the record holds the format as soon as the sheet's OK is
// pressed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "model/edit_format_block.h"
#include "pages/ui/page_context.h"
#include "summary/setting_search.h"

namespace tessmar {

// Runs the sheet modally on block `current_format`, opened from `page` (the Edit page), on the
// page `route` leads to (its control focused) or the first. True when its OK wrote the block into
// the record.
bool open_editing_format_sheet(const PageContext& context, HWND page,
                               const SettingRoute* route = nullptr);

// The staging block the sheet works on, as bytes and as a format block.
std::span<std::uint8_t> staging_block_bytes(ProgramState& program);
EditFormatBlock staging_block(ProgramState& program);

// Copies EF staging block k whole into the record's block k.
void copy_staging_block(ProgramState& program, int k);

}  // namespace tessmar
