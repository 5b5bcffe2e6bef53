#include "pages/ui/length_pair.h"

#include <string>

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

// The mode radios as a bound radio group: "Fixed Length" stands for 0.
FieldBinding mode_of(const FieldBinding& pair) {
    return bind::radios(pair.control, 2, pair.field);
}

bool max_min_checked(HWND dialog, const FieldBinding& pair) {
    return IsDlgButtonChecked(dialog, pair.control + 1) == BST_CHECKED;
}

// The labels follow the checked mode radio; the mode is one bit, so one of the two always is.
void show_labels(HWND dialog, const FieldBinding& pair) {
    const LengthLabels labels = length_labels(max_min_checked(dialog, pair));
    SetDlgItemTextA(dialog, IDC_LENGTH_1_LABEL, labels.first);
    SetDlgItemTextA(dialog, IDC_LENGTH_2_LABEL, labels.second);
}

unsigned long pending(HWND dialog, const LengthBoxControl& control) {
    return pending_length(control.box, control_text(GetDlgItem(dialog, control.edit)));
}

}  // namespace

bool is_length_box(int id) {
    return id == IDC_LENGTH_1 || id == IDC_LENGTH_2;
}

void show_length_pair(HWND dialog, const FieldBinding& pair, const SettingsRecord& record) {
    const FieldBinding mode = mode_of(pair);
    show_fields(dialog, {&mode, 1}, record);
    SetDlgItemTextA(dialog, IDC_LENGTH_1, std::to_string(record.get(pair.lengths.first)).c_str());
    SetDlgItemTextA(dialog, IDC_LENGTH_2, std::to_string(record.get(pair.lengths.second)).c_str());
    show_labels(dialog, pair);
}

bool on_length_pair_control(HWND dialog, const FieldBinding& pair, int id, UINT code) {
    const FieldBinding mode = mode_of(pair);
    if (on_bound_control(dialog, {&mode, 1}, id, code)) {
        show_labels(dialog, pair);
        return true;
    }
    for (const LengthBoxControl& control : kBoxes) {
        if (id != control.edit) {
            continue;
        }
        if (code == EN_CHANGE) {
            correct_number_box(dialog, id, length_box_fallback(control.box));
        } else if (code == EN_KILLFOCUS) {
            // Neither length is ever stored above the first's limit.
            show_number_within(dialog, id, kMaxFirstLength);
        }
        return true;
    }
    return false;
}

void commit_length_pair(HWND dialog, const FieldBinding& pair, SettingsRecord& record) {
    const FieldBinding mode = mode_of(pair);
    commit_fields(dialog, {&mode, 1}, record);
    const Lengths lengths = committed_lengths(
        pending(dialog, kBoxes[0]), pending(dialog, kBoxes[1]), max_min_checked(dialog, pair));
    record.set(pair.lengths.first, lengths.first);
    record.set(pair.lengths.second, lengths.second);
}

}  // namespace tessmar
