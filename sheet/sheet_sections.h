// The sections of the sheet, in the order they are written.
#pragma once

#include "model/program_state.h"
#include "sheet/sheet_writer.h"

namespace tessmar {

// Scanner settings, the interface chosen by the record's keyboard type, prefix and suffix, the
// seventeen symbologies and the length codes.
void write_reader_sections(SheetWriter& writer, const SheetSource& source);

// Code IDs, data substitution and data editing.
void write_code_id_section(SheetWriter& writer, const SheetSource& source, int code_id_set);
void write_substitution_section(SheetWriter& writer, const SheetSource& source);
void write_data_editing_section(SheetWriter& writer, const SheetSource& source);

// Editing formats 1 to 6. Refreshes the state's EF staging blocks and default editing formats
// from the record and the snapshot first, and reads the blocks from there.
void write_editing_format_sections(SheetWriter& writer, ProgramState& state);

}  // namespace tessmar
