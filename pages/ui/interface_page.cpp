// The Interface page shows one group of controls at a time, that of the interface chosen in its
// first list, and keeps the program's interface class in step with that list as it changes.
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <iterator>

#include "model/key_string_fit.h"
#include "pages/ui/reader_page.h"
#include "pages/ui/reader_pages.h"
#include "resources/resource.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

using F = Field;

constexpr const char* kInterfaceItems[] = {"Keyboard wedge", "RS-232", "Wand emulation"};
constexpr MessageStyle kSwitchQuestion{"Interface", MB_YESNO | MB_ICONWARNING};
constexpr auto kKeyboardTypeItems = [] {
    std::array<const char*, std::size(texts::keyboard_names)> items{};
    for (std::size_t i = 0; i < items.size(); ++i) {
        const KeyboardName& name = texts::keyboard_names[i];
        items[i] = name.page ? name.page : name.tree;
    }
    return items;
}();
constexpr const char* kNoYesItems[] = {"No", "Yes"};
constexpr const char* kBaudRateItems[] = {"38400 bps", "19200 bps", "9600 bps", "4800 bps",
                                          "2400 bps",  "1200 bps",  "600 bps",  "300 bps"};
constexpr const char* kDataBitItems[] = {"7 Bits", "8 Bits"};
constexpr const char* kFlowControlItems[] = {"No", "Scanner Ready", "Data Ready",
                                             "Inverted Data Ready"};

// Every group's fields, hidden or not, in the order OK writes them. The keyboard type shares
// byte 23 with the interface, so the page writes it itself.
constexpr FieldBinding kFields[] = {
    // keyboard wedge
    bind::list(IDC_ALPHABETS_TRANSMISSION, F::alphabets_transmission,
               texts::alphabets_transmission),
    bind::skip_one_list(IDC_CAPITAL_LOCK_TYPE, F::capital_lock_type, texts::capital_lock_type),
    bind::list(IDC_ALPHABETS_LAYOUT, F::alphabets_layout, texts::alphabets_layout),
    bind::list(IDC_CAPITAL_LOCK_AUTO_DETECTION, F::capital_lock_auto_detection, texts::off_on),
    bind::list(IDC_ALTERNATE_COMPOSING, F::alternate_composing, kNoYesItems),
    bind::list(IDC_DIGITS_TRANSMISSION, F::digits_transmission, texts::digits_transmission),
    bind::list(IDC_CAPITAL_LOCK_STATE, F::capital_lock_state, texts::off_on),
    bind::skip_one_list(IDC_DIGITS_LAYOUT, F::digits_layout, texts::digits_layout),
    bind::check_box(IDC_LAPTOP_SUPPORT, F::laptop_support),
    // RS-232
    bind::list(IDC_TRANSMISSION_MODE, F::transmission_mode, texts::transmission_mode),
    bind::list(IDC_BAUD_RATE, F::baud_rate, kBaudRateItems),
    bind::list(IDC_PARITY, F::parity, texts::parity),
    bind::list(IDC_DATA_BIT, F::data_bit, kDataBitItems),
    bind::list(IDC_FLOW_CONTROL, F::flow_control, kFlowControlItems),
    // wand emulation
    bind::list(IDC_MARGIN_TIME, F::margin_time, texts::margin_time),
    bind::list(IDC_MODULE_TIME, F::module_time, texts::module_time),
    bind::list(IDC_NORMAL_STATE, F::normal_state, texts::wand_state),
    bind::list(IDC_BAR_STATE, F::bar_state, texts::wand_state),
    bind::list(IDC_PDF417_BLOCK_DELAY, F::pdf417_block_delay, texts::pdf417_block_delay),
    // keyboard wedge and RS-232
    bind::number(IDC_INTER_CHARACTER_DELAY, F::inter_character_delay),
};

// The controls of each interface's group, labels included, indexed by interface class.
constexpr int kKeyboardWedgeGroup[] = {
    IDC_KEYBOARD_TYPE_LABEL,
    IDC_KEYBOARD_TYPE,
    IDC_ALPHABETS_TRANSMISSION_LABEL,
    IDC_ALPHABETS_TRANSMISSION,
    IDC_CAPITAL_LOCK_TYPE_LABEL,
    IDC_CAPITAL_LOCK_TYPE,
    IDC_ALPHABETS_LAYOUT_LABEL,
    IDC_ALPHABETS_LAYOUT,
    IDC_ALTERNATE_COMPOSING_LABEL,
    IDC_ALTERNATE_COMPOSING,
    IDC_DIGITS_TRANSMISSION_LABEL,
    IDC_DIGITS_TRANSMISSION,
    IDC_CAPITAL_LOCK_STATE_LABEL,
    IDC_CAPITAL_LOCK_STATE,
    IDC_DIGITS_LAYOUT_LABEL,
    IDC_DIGITS_LAYOUT,
    IDC_CAPITAL_LOCK_AUTO_DETECTION_LABEL,
    IDC_CAPITAL_LOCK_AUTO_DETECTION,
    IDC_INTER_CHARACTER_DELAY_LABEL,
    IDC_INTER_CHARACTER_DELAY_RANGE,
    IDC_INTER_CHARACTER_DELAY,
    IDC_LAPTOP_SUPPORT,
};
constexpr int kRs232Group[] = {
    IDC_TRANSMISSION_MODE_LABEL,
    IDC_TRANSMISSION_MODE,
    IDC_BAUD_RATE_LABEL,
    IDC_BAUD_RATE,
    IDC_PARITY_LABEL,
    IDC_PARITY,
    IDC_DATA_BIT_LABEL,
    IDC_DATA_BIT,
    IDC_FLOW_CONTROL_LABEL,
    IDC_FLOW_CONTROL,
    IDC_INTER_CHARACTER_DELAY_LABEL,
    IDC_INTER_CHARACTER_DELAY_RANGE,
    IDC_INTER_CHARACTER_DELAY,
};
constexpr int kWandGroup[] = {
    IDC_MARGIN_TIME_LABEL,        IDC_MARGIN_TIME,        IDC_MODULE_TIME_LABEL, IDC_MODULE_TIME,
    IDC_NORMAL_STATE_LABEL,       IDC_NORMAL_STATE,       IDC_BAR_STATE_LABEL,   IDC_BAR_STATE,
    IDC_PDF417_BLOCK_DELAY_LABEL, IDC_PDF417_BLOCK_DELAY,
};
constexpr std::span<const int> kGroups[] = {kKeyboardWedgeGroup, kRs232Group, kWandGroup};

void show_group(HWND page, std::span<const int> controls, int show) {
    for (const int id : controls) {
        ShowWindow(GetDlgItem(page, id), show);
    }
}

// Flow control exists on a single port only.
void apply_flow_control_rule(HWND page) {
    const bool single_port = ComboBox_GetCurSel(GetDlgItem(page, IDC_TRANSMISSION_MODE)) == 0;
    EnableWindow(GetDlgItem(page, IDC_FLOW_CONTROL_LABEL), single_port);
    EnableWindow(GetDlgItem(page, IDC_FLOW_CONTROL), single_port);
}

void switch_view(HWND page, ProgramState& program, InterfaceClass shown) {
    for (const std::span<const int> group : kGroups) {
        show_group(page, group, SW_HIDE);
    }
    show_group(page, kGroups[static_cast<int>(shown)], SW_SHOW);
    program.interface_class = shown;
    if (shown == InterfaceClass::rs232) {
        apply_flow_control_rule(page);
    }
}

void prepare(HWND page, PageState<>&) {
    HWND interfaces = GetDlgItem(page, IDC_INTERFACE);
    for (const char* item : kInterfaceItems) {
        ComboBox_AddString(interfaces, item);
    }
    HWND keyboards = GetDlgItem(page, IDC_KEYBOARD_TYPE);
    for (const char* item : kKeyboardTypeItems) {
        ComboBox_AddString(keyboards, item);
    }
}

// Byte 23 holds both the interface and, for a keyboard wedge, the keyboard type.
void fill(HWND page, PageState<>& state) {
    ProgramState& program = state.program();
    const unsigned keyboard_type = program.record.get(F::keyboard_type);
    const InterfaceClass shown = derive_interface_class(keyboard_type);
    const bool wedge = shown == InterfaceClass::keyboard_wedge;
    const int keyboard_index = !wedge ? 0
                               : keyboard_type <= std::size(kKeyboardTypeItems)
                                   ? static_cast<int>(keyboard_type) - 1
                                   : -1;
    ComboBox_SetCurSel(GetDlgItem(page, IDC_INTERFACE), static_cast<int>(shown));
    ComboBox_SetCurSel(GetDlgItem(page, IDC_KEYBOARD_TYPE), keyboard_index);
    switch_view(page, program, shown);
}

void reset(SettingsRecord& record) {
    record.set(F::keyboard_type, 1);  // keyboard wedge, "PCAT (US)"
}

// The key strings as the sheet's pages hold them now, OK or not, that would mean something else
// under `to`: the question lists each, and No keeps the interface.
bool switch_keeps_meaning_or_agreed(HWND page, const ProgramState& program, InterfaceClass to) {
    SettingsRecord shown = program.record;
    PropSheet_QuerySiblings(GetParent(page), kQueryStagedKeyStrings,
                            reinterpret_cast<LPARAM>(&shown));
    const std::vector<KeyStringReading> changes =
        key_strings_losing_meaning(shown, program.interface_class, to);
    if (changes.empty()) {
        return true;
    }
    const std::string question = std::string("With ") + kInterfaceItems[static_cast<int>(to)] +
                                 ", these key strings change meaning:\n\n" +
                                 describe_changes(changes) + "\nSwitch the interface?";
    return show_message(page, question, kSwitchQuestion) == IDYES;
}

void on_interface_chosen(HWND page, ProgramState& program) {
    HWND list = GetDlgItem(page, IDC_INTERFACE);
    const int selected = ComboBox_GetCurSel(list);
    if (selected < 0 || selected == static_cast<int>(program.interface_class)) {
        return;
    }
    const auto chosen = static_cast<InterfaceClass>(selected);
    if (switch_keeps_meaning_or_agreed(page, program, chosen)) {
        switch_view(page, program, chosen);
    } else {
        ComboBox_SetCurSel(list, static_cast<int>(program.interface_class));
    }
}

bool command(HWND page, PageState<>& state, int id, UINT code) {
    if (code != CBN_SELCHANGE) {
        return false;
    }
    if (id == IDC_INTERFACE) {
        on_interface_chosen(page, state.program());
        return true;
    }
    if (id == IDC_TRANSMISSION_MODE) {
        apply_flow_control_rule(page);
        return true;
    }
    return false;
}

// A keyboard type the list does not know (a value no keyboard has) is written back unchanged.
void commit(HWND page, PageState<>& state) {
    ProgramState& program = state.program();
    switch (program.interface_class) {
        case InterfaceClass::rs232:
            program.record.set(F::keyboard_type, kKeyboardTypeRs232);
            break;
        case InterfaceClass::wand_emulation:
            program.record.set(F::keyboard_type, kKeyboardTypeWand);
            break;
        case InterfaceClass::keyboard_wedge:
            if (const int index = ComboBox_GetCurSel(GetDlgItem(page, IDC_KEYBOARD_TYPE));
                index != CB_ERR) {
                program.record.set(F::keyboard_type, static_cast<unsigned>(index) + 1);
            }
            break;
    }
}

const PageDescription<> kDescription = {
    .controls = {.fields = kFields},
    .reset_button = IDC_INTERFACE_RESET,
    .prepare = prepare,
    .fill = fill,
    .reset = reset,
    .command = command,
    .commit = commit,
};

}  // namespace

INT_PTR CALLBACK InterfacePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderPageProc<kDescription>(page, message, wParam, lParam);
}

}  // namespace tessmar
