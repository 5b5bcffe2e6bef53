#include "sheet/setup_code_sheet.h"

#include "sheet/sheet_sections.h"
#include "sheet/sheet_writer.h"

namespace tessmar {

bool WriteSetupCodeSheet(ProgramState& state, SheetSink& sink,
                         const ConfirmDefaultSheet& confirm_default_sheet) {
    SheetWriter writer(sink);
    writer.write_frame("Orlo Scanner Configuration Sheet\r\n");

    const SheetSource source{state.record, state.defaults_snapshot, state.interface_class};
    write_reader_sections(writer, source);
    write_code_id_section(writer, source, state.code_id_set);
    write_substitution_section(writer, source);
    write_data_editing_section(writer, source);
    write_editing_format_sections(writer, state);

    if (!writer.preamble_written()) {
        if (!confirm_default_sheet()) {
            return false;
        }
        writer.write_preamble();
    }
    writer.write_frame("\r\n\r\n9999<Update>");
    return true;
}

}  // namespace tessmar
