#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "pages/key_grid_keyboard.h"
#include "pages/ui/key_entry_box.h"
#include "resources/resource.h"
#include "tests/ui/support/accessibility_reader.h"
#include "tests/ui/support/key_grid_driver.h"
#include "tests/ui/support/page_driver.h"
#include "tests/ui/support/ui_driver.h"

namespace tessmar::test {
namespace {

constexpr char kWindowClass[] = "TessmarKeyGridTest";
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr KeyGridCell kLetterA{4, 1};
constexpr KeyGridCell kDigit1{3, 1};
constexpr auto kNormalKeys = KeyStringForm::normal_key;
constexpr auto kScanCodes = KeyStringForm::scan_code;
constexpr auto kCharacters = KeyStringForm::character;
constexpr int kKeyControls[] = {
    IDC_KEY_TYPE,      IDC_SCAN_CODE,    IDC_NORMAL_KEY,     IDC_KEY_STATUS,    IDC_ADD_SHIFT,
    IDC_ADD_LEFT_CTRL, IDC_ADD_LEFT_ALT, IDC_ADD_RIGHT_CTRL, IDC_ADD_RIGHT_ALT, IDC_ADD_BREAK};

KeyStringBuffer slot_of(std::initializer_list<std::uint8_t> bytes) {
    KeyStringBuffer slot{};
    std::copy(bytes.begin(), bytes.end(), slot.begin());
    return slot;
}

// A window holding one edit box made a key-entry box on `value`, as a page's would be.
class KeyGrid : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA window_class{};
        window_class.lpfnWndProc = DefWindowProcA;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        window_class.lpszClassName = kWindowClass;
        RegisterClassA(&window_class);  // fails harmlessly when already registered
        window = CreateWindowExA(0, kWindowClass, "Key entry box", WS_OVERLAPPEDWINDOW, 40, 40, 420,
                                 160, nullptr, nullptr, window_class.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        box = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                              20, 20, 300, 24, window, nullptr, window_class.hInstance, nullptr);
        ASSERT_NE(box, nullptr);
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        pump_messages();
    }

    void TearDown() override {
        DestroyWindow(window);
        pump_messages();
    }

    // Binds the box to `value` and shows its text, as a page does when it fills its controls.
    void bind(bool offers_key_type = true) {
        make_key_entry_box(box, GetModuleHandleA(nullptr), interface_class,
                           {value, offers_key_type, ""});
        SetWindowTextA(box, key_string_text(value, interface_class).c_str());
    }

    // Clicks the box and lets `act` work on the grid it opens, then presses `button`.
    // `more` answers what the grid opens in turn.
    void use_grid(const std::function<void(HWND grid)>& act, int button,
                  const std::function<void(ModalScript&)>& more = {}) {
        ModalScript script;
        script.then([&](HWND grid) {
            grid_caption = window_text(grid);
            box_while_open = pixel_at(box, {3, 3});
            act(grid);
            press_button(grid, button);
        });
        if (more) {
            more(script);
        }
        click_at(box, {40, 8});
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        message_boxes = script.message_boxes();
    }

    std::string box_text() const { return window_text(box); }

    HWND window = nullptr;
    HWND box = nullptr;
    KeyStringBuffer value{};
    InterfaceClass interface_class = InterfaceClass::keyboard_wedge;
    std::string grid_caption;
    COLORREF box_while_open = 0;
    std::vector<MessageBoxSeen> message_boxes;
};

TEST_F(KeyGrid, OkTakesThePickedKeysIntoTheValueAndTheBox) {
    bind();
    bool normal_key_checked = false;
    std::string text;
    std::vector<COLORREF> around_selection;
    use_grid(
        [&](HWND grid) {
            normal_key_checked = checked(grid, IDC_NORMAL_KEY);
            click_grid_cell(grid, kNormalKeys, kLetterA);
            click_at(GetDlgItem(grid, IDC_ADD_SHIFT), {5, 5});
            click_grid_cell(grid, kNormalKeys, kDigit1);
            text = resulting_text(grid);
            // The selected cell is filled inside its grid lines, in the system's colours.
            const GridRect fill = key_grid_selection_fill(grid_metrics(grid, kNormalKeys), kDigit1);
            for (const POINT point :
                 {POINT{fill.left - 1, fill.top}, POINT{fill.left, fill.top},
                  POINT{fill.right - 1, fill.bottom - 1}, POINT{fill.right, fill.bottom - 1}}) {
                around_selection.push_back(pixel_at(GetDlgItem(grid, IDC_KEY_GRID), point));
            }
        },
        IDOK);
    const COLORREF line = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF selection = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(around_selection, (std::vector<COLORREF>{line, selection, selection, line}));
    EXPECT_EQ(grid_caption, "The Grid Control");
    EXPECT_TRUE(normal_key_checked);
    EXPECT_EQ(text, "[A][Shift][1]");
    EXPECT_EQ(value, slot_of({0x41, 0xC1, 0x31}));
    EXPECT_EQ(box_text(), "[A][Shift][1]");
}

TEST_F(KeyGrid, TheBoxPaintsBlueOnlyWhileItsGridIsOpen) {
    bind();
    ASSERT_EQ(pixel_at(box, {3, 3}), kWhite);
    use_grid([](HWND) {}, IDCANCEL);
    EXPECT_EQ(box_while_open, kBlue);
    EXPECT_EQ(pixel_at(box, {3, 3}), kWhite);
}

// Scan codes are no characters: typing changes nothing. Cancel keeps the value, which the grid
// left alone.
TEST_F(KeyGrid, CancelRestoresTheBoxTextAndKeepsTheValue) {
    value = slot_of({0xC0, 0x1E, 0xC0, 0x30});
    bind();
    SendMessageA(box, EM_SETSEL, 0, -1);
    type_text(box, "typed");
    ASSERT_EQ(box_text(), "[1E][30]");
    bool scan_code_checked = false;
    bool key_status_enabled = true;
    std::string opening_text, picked_text;
    use_grid(
        [&](HWND grid) {
            scan_code_checked = checked(grid, IDC_SCAN_CODE);
            key_status_enabled = enabled(grid, IDC_ADD_SHIFT);
            opening_text = resulting_text(grid);
            click_grid_cell(grid, kScanCodes, {15, 15});
            picked_text = resulting_text(grid);
        },
        IDCANCEL);
    EXPECT_TRUE(scan_code_checked);
    EXPECT_FALSE(key_status_enabled);
    EXPECT_EQ(opening_text, "[1E][30]");
    EXPECT_EQ(picked_text, "[1E][30][FF]");
    EXPECT_EQ(box_text(), "[1E][30]");
    EXPECT_EQ(value, slot_of({0xC0, 0x1E, 0xC0, 0x30}));
    // The click that opened the grid was not the edit box's: it holds no mouse capture.
    EXPECT_NE(GetCapture(), box);
}

TEST_F(KeyGrid, ADoubleClickPicksOnce) {
    bind();
    std::string text;
    use_grid(
        [&](HWND grid) {
            double_click_grid_cell(grid, kNormalKeys, kLetterA);
            text = resulting_text(grid);
        },
        IDOK);
    EXPECT_EQ(text, "[A]");
    EXPECT_EQ(value, slot_of({0x41}));
}

TEST_F(KeyGrid, SwitchingKeyTypeStartsTheValueAfresh) {
    value = slot_of({0x41, 0x42});
    bind();
    std::string after_scan_code, after_pick, after_normal_key;
    bool key_status_enabled = true;
    use_grid(
        [&](HWND grid) {
            click_at(GetDlgItem(grid, IDC_SCAN_CODE), {5, 5});
            after_scan_code = resulting_text(grid);
            key_status_enabled = enabled(grid, IDC_ADD_SHIFT);
            click_grid_cell(grid, kScanCodes, {15, 0});
            after_pick = resulting_text(grid);
            click_at(GetDlgItem(grid, IDC_NORMAL_KEY), {5, 5});
            after_normal_key = resulting_text(grid);
            click_grid_cell(grid, kNormalKeys, kLetterA);
        },
        IDOK);
    EXPECT_EQ(after_scan_code, "");
    EXPECT_FALSE(key_status_enabled);
    EXPECT_EQ(after_pick, "[F0]");
    EXPECT_EQ(after_normal_key, "");
    EXPECT_EQ(value, slot_of({0x41}));
    EXPECT_EQ(box_text(), "[A]");
}

TEST_F(KeyGrid, TheEleventhByteIsRefused) {
    bind();
    std::string text;
    use_grid(
        [&](HWND grid) {
            for (int pick = 0; pick < 11; ++pick) {
                click_grid_cell(grid, kNormalKeys, kLetterA);
            }
            text = resulting_text(grid);
        },
        IDOK, [](ModalScript& script) { script.answer(IDOK); });
    ASSERT_EQ(message_boxes.size(), 1u);
    EXPECT_EQ(message_boxes[0].caption, "Error");
    EXPECT_EQ(message_boxes[0].text, "Too many characters !!!");
    EXPECT_EQ(text, "[A][A][A][A][A][A][A][A][A][A]");
    EXPECT_EQ(value, slot_of({0x41, 0x41, 0x41, 0x41, 0x41, 0x41, 0x41, 0x41, 0x41, 0x41}));
}

// "Key Type" and "Key Status" go with a keyboard wedge and a binding that offers them.
TEST_F(KeyGrid, KeyControlsAreShownOnlyWhereTheyApply) {
    const struct {
        InterfaceClass interface_class;
        bool offers_key_type;
        bool shown;
    } cases[] = {
        {InterfaceClass::keyboard_wedge, true, true},
        {InterfaceClass::keyboard_wedge, false, false},
        {InterfaceClass::rs232, true, false},
        {InterfaceClass::wand_emulation, true, false},
    };
    for (const auto& c : cases) {
        interface_class = c.interface_class;
        bind(c.offers_key_type);
        std::vector<bool> shown;
        use_grid(
            [&](HWND grid) {
                for (const int id : kKeyControls) {
                    shown.push_back(visible(grid, id));
                }
            },
            IDCANCEL);
        EXPECT_EQ(shown, std::vector<bool>(std::size(kKeyControls), c.shown))
            << static_cast<int>(c.interface_class) << " " << c.offers_key_type;
    }
}

// Characters, in eight columns: the last cell of the last column is DEL.
TEST_F(KeyGrid, Rs232PicksCharacters) {
    interface_class = InterfaceClass::rs232;
    bind();
    use_grid(
        [&](HWND grid) {
            click_grid_cell(grid, kCharacters, {0, 13});
            click_grid_cell(grid, kCharacters, {7, 15});
        },
        IDOK);
    EXPECT_EQ(value, slot_of({0x0D, 0x7F}));
    EXPECT_EQ(box_text(), "[CR][DEL]");
}

// The grid reads the interface class when it opens, so a change made meanwhile shows at once.
TEST_F(KeyGrid, TheGridFollowsTheInterfaceClassOfTheMoment) {
    value = slot_of({0x0D});
    bind();
    interface_class = InterfaceClass::wand_emulation;
    std::string text;
    use_grid([&](HWND grid) { text = resulting_text(grid); }, IDCANCEL);
    EXPECT_EQ(text, "[CR]");
    EXPECT_EQ(box_text(), "[CR]");
}

// From two opposite corners of the normal-key table, each key moves the selection, stopping at
// the edges; the grid tells a screen reader where it is.
TEST_F(KeyGrid, KeysMoveTheSelectionFromTheCorners) {
    constexpr KeyGridCell kTopLeft{0, 0}, kBottomRight{8, 15};
    const struct {
        int key;
        KeyGridCell from_top_left, from_bottom_right;
    } moves[] = {
        {VK_LEFT, {0, 0}, {7, 15}}, {VK_RIGHT, {1, 0}, {8, 15}}, {VK_UP, {0, 0}, {8, 14}},
        {VK_DOWN, {0, 1}, {8, 15}}, {VK_HOME, {0, 0}, {0, 15}},  {VK_END, {8, 0}, {8, 15}},
        {VK_PRIOR, {0, 0}, {8, 0}}, {VK_NEXT, {0, 15}, {8, 15}},
    };
    bind();
    std::vector<std::string> reached, expected;
    use_grid(
        [&](HWND grid) {
            HWND cells = GetDlgItem(grid, IDC_KEY_GRID);
            for (const auto& move : moves) {
                for (const KeyGridCell corner : {kTopLeft, kBottomRight}) {
                    click_grid_cell(grid, kNormalKeys, corner);
                    press_key(cells, VK_BACK);  // the click's key taken back
                    press_key(cells, move.key);
                    reached.push_back(accessible_value(cells));
                }
                for (const KeyGridCell to : {move.from_top_left, move.from_bottom_right}) {
                    expected.push_back(key_grid_cell_description(kNormalKeys, to));
                }
            }
        },
        IDCANCEL);
    EXPECT_EQ(reached, expected);
}

// What a reader is told of the grid's cells, (event, child id) in order.
std::vector<std::pair<DWORD, LONG>> grid_events;
HWND watched_grid = nullptr;

void CALLBACK note_grid_event(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                              DWORD, DWORD) {
    if (window == watched_grid && object == OBJID_CLIENT && child != CHILDID_SELF) {
        grid_events.emplace_back(event, child);
    }
}

// As the keys move the selection, a reader is told which cell is current and has the focus
// (children counted row by row from 1), and finds it so when it asks.
TEST_F(KeyGrid, MovingTheSelectionTellsReadersTheCurrentCell) {
    const struct {
        int key;
        LONG cell;  // 9 cells a row with normal keys
    } kMoves[] = {{VK_RIGHT, 2}, {VK_DOWN, 11}, {VK_END, 18}, {VK_NEXT, 144}};
    bind();
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, note_grid_event,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    std::vector<std::pair<DWORD, LONG>> expected;
    std::vector<LONG> focus, expected_focus;
    std::vector<long> states, expected_states;
    use_grid(
        [&](HWND grid) {
            ASSERT_TRUE(tab_to(grid, IDC_KEY_GRID));
            watched_grid = GetDlgItem(grid, IDC_KEY_GRID);
            pump_messages();
            grid_events.clear();
            for (const auto& move : kMoves) {
                press_key(watched_grid, move.key);
                pump_messages();
                expected.emplace_back(EVENT_OBJECT_SELECTION, move.cell);
                expected.emplace_back(EVENT_OBJECT_FOCUS, move.cell);
                focus.push_back(accessible_focus(watched_grid));
                expected_focus.push_back(move.cell);
                states.push_back(accessible_elements(watched_grid).at(move.cell).state);
                expected_states.push_back(STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE |
                                          STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
            }
        },
        IDCANCEL);
    UnhookWinEvent(hook);
    watched_grid = nullptr;
    EXPECT_EQ(grid_events, expected);
    EXPECT_EQ(focus, expected_focus);
    EXPECT_EQ(states, expected_states);
}

// Space picks the selected cell as a click picks it, with the modifiers in force.
TEST_F(KeyGrid, SpacePicksWhatAClickPicks) {
    std::vector<KeyStringBuffer> picked;
    for (const bool by_keys : {false, true}) {
        value = {};
        bind();
        use_grid(
            [&](HWND grid) {
                click_at(GetDlgItem(grid, IDC_ADD_SHIFT), {5, 5});
                if (!by_keys) {
                    click_grid_cell(grid, kNormalKeys, {5, 14});
                    return;
                }
                ASSERT_TRUE(tab_to(grid, IDC_KEY_GRID));
                for (const int key :
                     {VK_NEXT, VK_UP, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_SPACE}) {
                    press_key(GetFocus(), key);
                }
            },
            IDOK);
        picked.push_back(value);
    }
    EXPECT_EQ(picked, (std::vector<KeyStringBuffer>(2, slot_of({0xC1, 0x5E}))));
}

// Cutting, clearing and deleting would change the text behind the value's back.
TEST_F(KeyGrid, EditingCommandsLeaveTheBoxShowingItsValue) {
    value = slot_of({0x41});
    bind();
    for (const UINT edit : {WM_CUT, WM_CLEAR, WM_KEYDOWN}) {
        SendMessageA(box, EM_SETSEL, 0, -1);
        SendMessageA(box, edit, VK_DELETE, 0);  // the key, for WM_KEYDOWN
        EXPECT_EQ(box_text(), "[A]") << edit;
    }
    EXPECT_EQ(value, slot_of({0x41}));
}

}  // namespace
}  // namespace tessmar::test
