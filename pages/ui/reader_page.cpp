#include "pages/ui/reader_page.h"

namespace tessmar::reader_page_detail {

void show_tables(HWND page, const PageDescription<>& tables, KeyBoxes& key_boxes,
                 std::span<std::uint8_t> bytes, const ProgramState& program) {
    show_fields(page, tables.fields, program.record);
    show_bits(page, tables.bits, bytes);
    key_boxes.fill(page, bytes, program.interface_class);
}

void reset_tables(const PageDescription<>& tables, SettingsRecord& record) {
    reset_fields(tables.fields, record);
    reset_key_strings(tables.key_boxes, record.bytes, factory_record().bytes);
}

bool on_table_command(HWND page, const PageDescription<>& tables, int id, UINT code) {
    return on_bound_control(page, tables.fields, id, code) ||
           on_bound_bit(page, tables.bits, id, code);
}

void commit_tables(HWND page, const PageDescription<>& tables, KeyBoxes& key_boxes,
                   std::span<std::uint8_t> bytes, SettingsRecord& record) {
    commit_fields(page, tables.fields, record);
    key_boxes.commit(bytes);
    commit_bits(page, tables.bits, bytes);
}

void after_commit(const PageSheet& sheet, bool& committed, ProgramState& program) {
    if (sheet.after_commit) {
        sheet.after_commit(program);
    }
    if (sheet.marks_modified) {
        program.settings_modified = true;
    }
    committed = true;
}

}  // namespace tessmar::reader_page_detail
