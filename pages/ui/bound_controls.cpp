#include "pages/ui/bound_controls.h"

namespace tessmar {

void reset_bound_controls(const BoundControls& controls, SettingsRecord& record,
                          std::span<std::uint8_t> bytes,
                          std::span<const std::uint8_t> factory_bytes) {
    reset_fields(controls.fields, record);
    reset_key_strings(controls.key_boxes, bytes, factory_bytes);
    reset_bits(controls.bits, bytes, factory_bytes);
}

BoundWindow::BoundWindow(const BoundControls& controls, ProgramState& program, EditedBytes edited)
    : controls_(controls), program_(program), edited_(edited), key_boxes_(controls.key_boxes) {}

std::span<std::uint8_t> BoundWindow::edited_bytes(ProgramState& program) const {
    return edited_ ? edited_(program) : std::span<std::uint8_t>(program.record.bytes);
}

void BoundWindow::prepare(HWND window) const {
    prepare_controls(window, controls_.fields);
}

void BoundWindow::show(HWND window) {
    show_fields(window, controls_.fields, program_.record);
    show_bits(window, controls_.bits, edited_bytes(program_));
    key_boxes_.fill(window, edited_bytes(program_), program_.interface_class);
}

void BoundWindow::bind_key_boxes(HWND window, HINSTANCE instance) {
    key_boxes_.bind(window, instance, program_.interface_class, controls_.key_box_name);
}

void BoundWindow::show_key_strings(HWND window) const {
    key_boxes_.show_all(window, program_.interface_class);
}

bool BoundWindow::on_command(HWND window, int id, UINT code) const {
    return on_bound_control(window, controls_.fields, id, code) ||
           on_bound_bit(window, controls_.bits, id, code);
}

void BoundWindow::commit(HWND window) {
    commit_fields(window, controls_.fields, program_.record);
    key_boxes_.commit(edited_bytes(program_));
    commit_bits(window, controls_.bits, edited_bytes(program_));
}

// The factory values of the edited bytes are where a factory state keeps them.
void BoundWindow::reset() {
    ProgramState factory;
    load_factory_defaults(factory);
    factory.current_format = program_.current_format;
    reset_bound_controls(controls_, program_.record, edited_bytes(program_), edited_bytes(factory));
}

}  // namespace tessmar
