#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "model/program_state.h"
#include "resources/resource.h"
#include "summary/summary_tree.h"
#include "tests/ui/support/page_driver.h"
#include "tests/ui/support/sheet_page_fixture.h"
#include "tests/ui/support/tree_view_reader.h"

namespace tessmar::test {
namespace {

constexpr int kInterfaceTab = 1;
constexpr int kSymbologyTab = 2;

class InterfacePage : public SheetPageTest {
  protected:
    InterfacePage() : SheetPageTest(kInterfaceTab) {}

    std::string tree_text() const {
        return summary_text(read_tree_view(GetDlgItem(window, IDC_TREE_VIEW)));
    }

    // Every option of bytes 24 to 31 set to a listed value other than its default.
    void set_options() {
        const std::uint8_t options[] = {0xB5, 77, 0x65, 0xA8, 0x77, 0xEB, 0xD5, 0xFF};
        std::copy(std::begin(options), std::end(options), state.record.bytes.begin() + 24);
    }
};

// The group each interface shows, and a control of each of the other two.
struct View {
    int interface_index;
    int shown;
    int hidden[2];
};
constexpr View kKeyboardWedgeView = {0, IDC_KEYBOARD_TYPE, {IDC_BAUD_RATE, IDC_MARGIN_TIME}};
constexpr View kRs232View = {1, IDC_BAUD_RATE, {IDC_KEYBOARD_TYPE, IDC_MARGIN_TIME}};
constexpr View kWandView = {2, IDC_MARGIN_TIME, {IDC_KEYBOARD_TYPE, IDC_BAUD_RATE}};

TEST_F(InterfacePage, OpensOnTheInterfaceOfByte23AndWritesEverythingBackUnchanged) {
    const struct {
        unsigned keyboard_type;
        View view;
        int keyboard_index;
        InterfaceClass interface_class;
    } kCases[] = {
        {0, kRs232View, 0, InterfaceClass::rs232},
        {150, kWandView, 0, InterfaceClass::wand_emulation},
        {5, kKeyboardWedgeView, 4, InterfaceClass::keyboard_wedge},
        // No keyboard has the number 40: the list shows none and OK keeps the byte.
        {40, kKeyboardWedgeView, -1, InterfaceClass::keyboard_wedge},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.keyboard_type);
        set_options();
        state.record.set(Field::keyboard_type, c.keyboard_type);
        state.interface_class = InterfaceClass::keyboard_wedge;
        state.settings_modified = false;
        const SettingsRecord before = state.record;
        int shown_interface = -2, keyboard = -2;
        bool group_shown = false, others_hidden = false;
        run_page([&](HWND page) {
            shown_interface = selection(page, IDC_INTERFACE);
            keyboard = selection(page, IDC_KEYBOARD_TYPE);
            group_shown = visible(page, c.view.shown);
            others_hidden = !visible(page, c.view.hidden[0]) && !visible(page, c.view.hidden[1]);
        });
        EXPECT_EQ(shown_interface, c.view.interface_index);
        EXPECT_EQ(keyboard, c.keyboard_index);
        EXPECT_TRUE(group_shown);
        EXPECT_TRUE(others_hidden);
        EXPECT_EQ(state.record, before);
        EXPECT_EQ(state.interface_class, c.interface_class);
        EXPECT_TRUE(state.settings_modified);
    }
}

// The page's keyboard names are the tree's, but for the last one's doubled slash.
TEST_F(InterfacePage, KeyboardTypesAreListedInNumberOrder) {
    std::vector<std::string> keyboards, interfaces;
    run_page(
        [&](HWND page) {
            keyboards = items_of(page, IDC_KEYBOARD_TYPE);
            interfaces = items_of(page, IDC_INTERFACE);
        },
        PSBTN_CANCEL);
    EXPECT_EQ(interfaces, (std::vector<std::string>{"Keyboard wedge", "RS-232", "Wand emulation"}));
    ASSERT_EQ(keyboards.size(), 28u);
    EXPECT_EQ(keyboards[0], "PCAT (US)");
    EXPECT_EQ(keyboards[19], "PS55 002-1, 003-1");
    EXPECT_EQ(keyboards[27], "IBM 34XX//319X, Memorex Telex 122 Keys");
}

// Capital lock type and digits layout store 0, 2 and 3 for their three items; a stored 1 shows
// the second item and is written back as 2.
TEST_F(InterfacePage, SkipOneListsShowTheirItemAndWriteItsCode) {
    const struct {
        unsigned stored;
        int shown;
        unsigned written;
    } kCases[] = {{0, 0, 0}, {1, 1, 2}, {2, 1, 2}, {3, 2, 3}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.stored);
        state.record.set(Field::capital_lock_type, c.stored);
        state.record.set(Field::digits_layout, c.stored);
        std::string capital_lock_text;
        int capital_lock = -2, digits = -2;
        run_page([&](HWND page) {
            capital_lock = selection(page, IDC_CAPITAL_LOCK_TYPE);
            digits = selection(page, IDC_DIGITS_LAYOUT);
            capital_lock_text =
                items_of(page, IDC_CAPITAL_LOCK_TYPE).at(static_cast<std::size_t>(capital_lock));
        });
        EXPECT_EQ(capital_lock, c.shown);
        EXPECT_EQ(digits, c.shown);
        EXPECT_EQ(state.record.get(Field::capital_lock_type), c.written);
        EXPECT_EQ(state.record.get(Field::digits_layout), c.written);
        if (c.stored == 1) {
            EXPECT_EQ(capital_lock_text, "Capital Lock");
        }
    }
}

TEST_F(InterfacePage, FlowControlIsForASinglePortOnly) {
    state.record.set(Field::keyboard_type, 0);
    bool at_open = false, after_dual = true, after_switching_back = true, after_single = false;
    run_page([&](HWND page) {
        at_open = enabled(page, IDC_FLOW_CONTROL);
        select_item(page, IDC_TRANSMISSION_MODE, 2);  // "Dual Port, Female End"
        after_dual = enabled(page, IDC_FLOW_CONTROL) || enabled(page, IDC_FLOW_CONTROL_LABEL);
        select_item(page, IDC_INTERFACE, 0);
        select_item(page, IDC_INTERFACE, 1);
        after_switching_back = enabled(page, IDC_FLOW_CONTROL);
        select_item(page, IDC_TRANSMISSION_MODE, 0);
        after_single = enabled(page, IDC_FLOW_CONTROL) && enabled(page, IDC_FLOW_CONTROL_LABEL);
    });
    EXPECT_TRUE(at_open);
    EXPECT_FALSE(after_dual);
    EXPECT_FALSE(after_switching_back);
    EXPECT_TRUE(after_single);
}

TEST_F(InterfacePage, ResetFromADualPortViewGoesToKeyboardWedgeAndStaysThroughCancel) {
    set_options();
    state.record.set(Field::keyboard_type, 0);
    state.record.set(Field::transmission_mode, 3);
    int interface_after_reset = -1, mode_in_rs232 = -1;
    bool wedge_shown = false, flow_enabled = false;
    InterfaceClass class_after_reset = InterfaceClass::rs232;
    run_page(
        [&](HWND page) {
            click(page, IDC_INTERFACE_RESET);
            interface_after_reset = selection(page, IDC_INTERFACE);
            wedge_shown = visible(page, IDC_KEYBOARD_TYPE);
            class_after_reset = state.interface_class;
            select_item(page, IDC_INTERFACE, 1);
            mode_in_rs232 = selection(page, IDC_TRANSMISSION_MODE);
            flow_enabled = enabled(page, IDC_FLOW_CONTROL);
        },
        PSBTN_CANCEL);
    EXPECT_EQ(interface_after_reset, 0);
    EXPECT_TRUE(wedge_shown);
    EXPECT_EQ(class_after_reset, InterfaceClass::keyboard_wedge);
    EXPECT_EQ(mode_in_rs232, 0);
    EXPECT_TRUE(flow_enabled);
    // The factory interface reached the record at once; the other bits of its bytes stayed.
    const SettingsRecord factory = factory_record();
    for (const Field field :
         {Field::keyboard_type, Field::capital_lock_type, Field::inter_character_delay,
          Field::baud_rate, Field::flow_control, Field::transmission_mode, Field::bar_state,
          Field::margin_time, Field::module_time, Field::alphabets_layout, Field::laptop_support,
          Field::pdf417_block_delay}) {
        EXPECT_EQ(state.record.get(field), factory.get(field)) << static_cast<int>(field);
    }
    EXPECT_EQ(state.record.bytes[27] & 0xF0, 0xA0);
    EXPECT_EQ(state.record.bytes[28] & 0x03, 0x03);
    EXPECT_EQ(state.record.bytes[29] & 0xF2, 0xE2);
    EXPECT_EQ(state.record.bytes[31] & 0x1F, 0x1F);
    EXPECT_TRUE(state.settings_modified);  // the record changed, Cancel or not
}

// The interface class changes with the list, before OK, and Cancel does not restore it: key
// strings show in the new form at once.
TEST_F(InterfacePage, KeyStringsFollowTheInterfaceAtOnceEvenAfterCancel) {
    ASSERT_NE(tree_text().find("Suffix Code : [Enter]"), std::string::npos);
    run_page([](HWND page) { select_item(page, IDC_INTERFACE, 1); }, PSBTN_CANCEL);
    EXPECT_EQ(state.interface_class, InterfaceClass::rs232);
    EXPECT_EQ(state.record.get(Field::keyboard_type), 1u);
    EXPECT_NE(tree_text().find("Suffix Code : [CR]"), std::string::npos);
}

TEST_F(InterfacePage, ABaudRateChosenOnRs232ReachesTheTreeAndTheSheet) {
    run_page([](HWND page) {
        select_item(page, IDC_INTERFACE, 1);
        select_item(page, IDC_BAUD_RATE, 1);  // "19200 bps"
        SetDlgItemTextA(page, IDC_INTER_CHARACTER_DELAY, "300");
    });
    const std::string tree = tree_text();
    EXPECT_NE(tree.find("Scanner Interface : RS-232"), std::string::npos);
    EXPECT_NE(tree.find("Baud Rate : 19200 bps"), std::string::npos);
    EXPECT_NE(tree.find("Inter-Character Delay : 255 ms"), std::string::npos);
    const std::string sheet = setup_sheet_text(state);
    EXPECT_NE(sheet.find("0001<RS232 Interface>"), std::string::npos);
    EXPECT_NE(sheet.find("0017<Baud Rate:19200 bps>"), std::string::npos);
}

// A switch that would change what a key string means asks first (the words are the model's);
// Yes keeps it, No the old interface. A string picked on another page counts before OK.
TEST_F(InterfacePage, ASwitchThatChangesAKeyStringsMeaningAsksFirst) {
    const struct {
        const char* what;
        unsigned keyboard_type;
        std::vector<std::uint8_t> prefix;  // none: [Shift][a] picked on the Symbology page
        int chosen;
        int answer;  // 0: no question
        InterfaceClass after;
    } kCases[] = {
        {"a modifier read as a byte", 1, {0xC1, 0x41}, 1, IDYES, InterfaceClass::rs232},
        {"a character no key gives", 0, {0x1E}, 0, IDNO, InterfaceClass::rs232},
        {"a new name for the same byte", 1, {0x0D}, 2, 0, InterfaceClass::wand_emulation},
        {"picked on the page, before OK", 1, {}, 1, IDNO, InterfaceClass::keyboard_wedge},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        state.record.set(Field::keyboard_type, c.keyboard_type);
        std::ranges::fill(state.record.key_string(KeySlot::prefix_code), 0);
        std::ranges::copy(c.prefix, state.record.key_string(KeySlot::prefix_code).begin());
        int shown = -1;
        run_page(
            [&](HWND page) {
                if (c.prefix.empty()) {
                    HWND symbology = show_tab(GetParent(page), kSymbologyTab);
                    SetFocus(GetDlgItem(symbology, IDC_PREFIX_CODE));
                    press_key(GetFocus(), VK_F4);
                    pump_through_dialog_manager();
                    page = show_tab(GetParent(symbology), kInterfaceTab);
                }
                select_item(page, IDC_INTERFACE, c.chosen);
                shown = selection(page, IDC_INTERFACE);
            },
            PSBTN_CANCEL,
            [&](ModalScript& script) {
                if (c.prefix.empty()) {
                    script.then([](HWND grid) {
                        click(grid, IDC_ADD_SHIFT);
                        SetFocus(GetDlgItem(grid, IDC_KEY_GRID));
                        type_text(GetFocus(), "a");
                        click(grid, IDOK);
                    });
                }
                if (c.answer != 0) {
                    script.answer(c.answer);
                }
            });
        EXPECT_EQ(state.interface_class, c.after);
        EXPECT_EQ(shown, static_cast<int>(c.after));
        EXPECT_EQ(message_boxes.size(), c.answer != 0 ? 1u : 0u);
    }
}

}  // namespace
}  // namespace tessmar::test
