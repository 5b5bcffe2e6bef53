#include "pages/ui/length_pair.h"

#include <string>

#include "model/program_state.h"
#include "pages/length_rules.h"
#include "resources/resource.h"
#include "win32/dialog_controls.h"

namespace tessmar {
namespace {

struct LengthBoxControl {
    LengthBox box;
    int edit;
};

constexpr LengthBoxControl kBoxes[] = {{LengthBox::first, IDC_LENGTH_1},
                                       {LengthBox::second, IDC_LENGTH_2}};

bool max_min_checked(HWND dialog, const LengthPair& pair) {
    return IsDlgButtonChecked(dialog, pair.fixed_radio + 1) == BST_CHECKED;
}

// The labels follow the checked mode radio; the mode is one bit, so one of the two always is.
void show_labels(HWND dialog, const LengthPair& pair) {
    const LengthLabels labels = length_labels(max_min_checked(dialog, pair));
    SetDlgItemTextA(dialog, IDC_LENGTH_1_LABEL, labels.first);
    SetDlgItemTextA(dialog, IDC_LENGTH_2_LABEL, labels.second);
}

unsigned long pending(HWND dialog, const LengthBoxControl& control) {
    return pending_length(control.box, control_text(GetDlgItem(dialog, control.edit)));
}

}  // namespace

void show_length_pair(HWND dialog, const LengthPair& pair, const SettingsRecord& record) {
    const FieldBinding mode = pair.mode();
    show_fields(dialog, {&mode, 1}, record);
    SetDlgItemTextA(dialog, IDC_LENGTH_1, std::to_string(record.get(pair.fields.first)).c_str());
    SetDlgItemTextA(dialog, IDC_LENGTH_2, std::to_string(record.get(pair.fields.second)).c_str());
    show_labels(dialog, pair);
}

bool on_length_pair_control(HWND dialog, const LengthPair& pair, int id, UINT code) {
    const FieldBinding mode = pair.mode();
    if (on_bound_control(dialog, {&mode, 1}, id, code)) {
        show_labels(dialog, pair);
        return true;
    }
    for (const LengthBoxControl& control : kBoxes) {
        if (id == control.edit && code == EN_CHANGE) {
            correct_number_box(dialog, id, length_box_fallback(control.box));
            return true;
        }
    }
    return false;
}

void commit_length_pair(HWND dialog, const LengthPair& pair, SettingsRecord& record) {
    const FieldBinding mode = pair.mode();
    commit_fields(dialog, {&mode, 1}, record);
    const Lengths lengths =
        committed_lengths(pending(dialog, kBoxes[0]), pending(dialog, kBoxes[1]));
    record.set(pair.fields.first, lengths.first);
    record.set(pair.fields.second, lengths.second);
}

void reset_length_pair(const LengthPair& pair, SettingsRecord& record) {
    const SettingsRecord factory = factory_record();
    for (const Field field : {pair.fields.mode, pair.fields.first, pair.fields.second}) {
        record.set(field, factory.get(field));
    }
}

}  // namespace tessmar
