#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "pages/ui/reader_settings_sheet.h"
#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"

namespace tessmar::test {
namespace {

class ScannerPage : public MainWindowTest {
  protected:
    // Opens the sheet, lets `act` work on the Scanner page, then presses `button`.
    void run_sheet(const std::function<void(HWND page)>& act, int button = PSBTN_OK) {
        ModalScript script;
        script.then([&](HWND sheet) {
            sheet_caption = window_text(sheet);
            act(current_page(sheet));
            press_sheet_button(sheet, button);
        });
        open_sheet();
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    }

    static std::string text_of(HWND page, int id) { return window_text(GetDlgItem(page, id)); }
    static int selection(HWND page, int id) { return ComboBox_GetCurSel(GetDlgItem(page, id)); }
    static bool checked(HWND page, int id) {
        return Button_GetCheck(GetDlgItem(page, id)) == BST_CHECKED;
    }
    static void select(HWND page, int id, int index) {
        ComboBox_SetCurSel(GetDlgItem(page, id), index);
    }
    static void click(HWND page, int id) { SendDlgItemMessageA(page, id, BM_CLICK, 0, 0); }
    static std::vector<std::string> items(HWND page, int id) {
        HWND list = GetDlgItem(page, id);
        std::vector<std::string> texts;
        for (int i = 0; i < ComboBox_GetCount(list); ++i) {
            char text[64] = {};
            ComboBox_GetLBText(list, i, text);
            texts.emplace_back(text);
        }
        return texts;
    }

    std::string sheet_caption;
};

TEST_F(ScannerPage, OpensOnTheRecordWithItsListItems) {
    using Items = std::vector<std::string>;
    Items scan_modes, redundancies, rereads, buzzer, transmission, data_delay;
    std::string timeout;
    int scan_mode = -2, buzzer_frequency = -2;
    bool any_checked = true;
    run_sheet(
        [&](HWND page) {
            scan_modes = items(page, IDC_SCAN_MODE);
            redundancies = items(page, IDC_READ_REDUNDANCY);
            rereads = items(page, IDC_DELAY_BETWEEN_REREAD);
            buzzer = items(page, IDC_BUZZER_FREQUENCY);
            transmission = items(page, IDC_TRANSMISSION_DELAY);
            data_delay = items(page, IDC_DATA_DELAY);
            timeout = text_of(page, IDC_SCANNER_TIMEOUT);
            scan_mode = selection(page, IDC_SCAN_MODE);
            buzzer_frequency = selection(page, IDC_BUZZER_FREQUENCY);
            any_checked = checked(page, IDC_READ_NEGATIVE_BARCODE) ||
                          checked(page, IDC_DISABLE_BUZZER) || checked(page, IDC_TRANSMIT_BUFFER) ||
                          checked(page, IDC_MEMORY_SCANNER);
        },
        PSBTN_CANCEL);
    EXPECT_EQ(sheet_caption, "Reader Settings");
    EXPECT_EQ(scan_modes, (Items{"Auto Off", "Continuous", "Auto Power Off", "Alternate",
                                 "Momentary", "Repeat", "Laser", "Testing"}));
    EXPECT_EQ(redundancies, (Items{"None", "Two times", "Three times", "Four times"}));
    EXPECT_EQ(rereads,
              (Items{"100 ms", "200 ms", "400 ms", "800 ms", "1 sec", "2 sec", "3 sec", "5 sec"}));
    EXPECT_EQ(buzzer, (Items{"8 KHz", "4 KHz", "2 KHz", "1 KHz"}));
    EXPECT_EQ(transmission,
              (Items{"None", "100 ms", "200 ms", "400 ms", "600 ms", "800 ms", "1 sec", "2 sec"}));
    EXPECT_EQ(data_delay,
              (Items{"None", "250 ms", "500 ms", "1 sec", "2 sec", "3 sec", "5 sec", "8 sec"}));
    EXPECT_EQ(timeout, "10");
    EXPECT_EQ(scan_mode, 6);
    EXPECT_EQ(buzzer_frequency, 1);
    EXPECT_FALSE(any_checked);
    EXPECT_FALSE(state.settings_modified);
}

TEST_F(ScannerPage, EveryControlIsWrittenToItsFieldKeepingTheOtherBits) {
    // Every bit of the page's bytes set, then the page's own fields given listed values.
    for (const int offset : {11, 20, 21, 27, 29, 30, 31}) {
        state.record.bytes[static_cast<std::size_t>(offset)] = 0xFF;
    }
    for (const Field field :
         {Field::scan_mode, Field::read_redundancy, Field::delay_between_reread,
          Field::read_negative_barcode, Field::disable_buzzer, Field::buzzer_frequency,
          Field::transmit_buffer, Field::transmission_delay, Field::memory_scanner,
          Field::memory_scanner_data_delay}) {
        state.record.set(field, 0);
    }
    SettingsRecord expected = state.record;
    const struct {
        Field field;
        unsigned value;
    } kChanges[] = {
        {Field::scan_mode, 3},
        {Field::read_redundancy, 2},
        {Field::delay_between_reread, 5},
        {Field::scanner_timeout, 77},
        {Field::read_negative_barcode, 1},
        {Field::disable_buzzer, 1},
        {Field::buzzer_frequency, 2},
        {Field::transmit_buffer, 1},
        {Field::transmission_delay, 7},
        {Field::memory_scanner, 1},
        {Field::memory_scanner_data_delay, 4},
    };
    for (const auto& change : kChanges) {
        expected.set(change.field, change.value);
    }

    run_sheet([&](HWND page) {
        select(page, IDC_SCAN_MODE, 3);
        select(page, IDC_READ_REDUNDANCY, 2);
        select(page, IDC_DELAY_BETWEEN_REREAD, 5);
        SetDlgItemTextA(page, IDC_SCANNER_TIMEOUT, "77");
        click(page, IDC_READ_NEGATIVE_BARCODE);
        click(page, IDC_DISABLE_BUZZER);
        select(page, IDC_BUZZER_FREQUENCY, 2);
        click(page, IDC_TRANSMIT_BUFFER);
        select(page, IDC_TRANSMISSION_DELAY, 7);
        click(page, IDC_MEMORY_SCANNER);
        select(page, IDC_DATA_DELAY, 4);
    });
    EXPECT_EQ(state.record, expected);
    EXPECT_EQ(state.record.bytes[29] & 0x02, 0x02);  // "Disable Buzzer" is byte 29 bit 1
    EXPECT_TRUE(state.settings_modified);
}

TEST_F(ScannerPage, CheckBoxesToggleOnEachClick) {
    bool after_one = false, after_two = true;
    run_sheet([&](HWND page) {
        click(page, IDC_TRANSMIT_BUFFER);
        after_one = checked(page, IDC_TRANSMIT_BUFFER);
        click(page, IDC_TRANSMIT_BUFFER);
        after_two = checked(page, IDC_TRANSMIT_BUFFER);
    });
    EXPECT_TRUE(after_one);
    EXPECT_FALSE(after_two);
    EXPECT_EQ(state.record.get(Field::transmit_buffer), 0u);
}

TEST_F(ScannerPage, LettersTypedIntoTheTimeoutTurnIntoZero) {
    std::string after_digits, after_letter;
    run_sheet([&](HWND page) {
        HWND box = GetDlgItem(page, IDC_SCANNER_TIMEOUT);
        SetWindowTextA(box, "");
        type_text(box, "12");
        after_digits = window_text(box);
        type_text(box, "a");
        after_letter = window_text(box);
    });
    EXPECT_EQ(after_digits, "12");
    EXPECT_EQ(after_letter, "0");
    EXPECT_EQ(state.record.get(Field::scanner_timeout), 0u);
}

TEST_F(ScannerPage, AnEmptiedTimeoutStaysEmptyAndStoresZero) {
    std::string shown = "?";
    run_sheet([&](HWND page) {
        SetDlgItemTextA(page, IDC_SCANNER_TIMEOUT, "");
        shown = text_of(page, IDC_SCANNER_TIMEOUT);
    });
    EXPECT_EQ(shown, "");
    EXPECT_EQ(state.record.get(Field::scanner_timeout), 0u);
}

TEST_F(ScannerPage, TimeoutAboveTheRangeIsStoredAsTheMaximum) {
    run_sheet([&](HWND page) { SetDlgItemTextA(page, IDC_SCANNER_TIMEOUT, "300"); });
    EXPECT_EQ(state.record.get(Field::scanner_timeout), 255u);
}

TEST_F(ScannerPage, UpDownArrowsStayWithinZeroTo255) {
    int low = -1, high = -1;
    std::string up_from_10, up_from_255, down_from_0;
    run_sheet([&](HWND page) {
        HWND box = GetDlgItem(page, IDC_SCANNER_TIMEOUT);
        SendDlgItemMessageA(page, IDC_SCANNER_TIMEOUT_SPIN, UDM_GETRANGE32,
                            reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        press_key(box, VK_UP);
        up_from_10 = window_text(box);
        SetWindowTextA(box, "255");
        press_key(box, VK_UP);
        up_from_255 = window_text(box);
        SetWindowTextA(box, "0");
        press_key(box, VK_DOWN);
        down_from_0 = window_text(box);
    });
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 255);
    EXPECT_EQ(up_from_10, "11");
    EXPECT_EQ(up_from_255, "255");
    EXPECT_EQ(down_from_0, "0");
}

TEST_F(ScannerPage, ResetThenCancelKeepsTheResetValues) {
    state.record.set(Field::scan_mode, 2);
    state.record.set(Field::scanner_timeout, 50);
    state.record.set(Field::disable_buzzer, 1);
    state.record.set(Field::memory_scanner_data_delay, 6);
    state.record.bytes[20] |= 0x0F;                // reserved bits beside the scan mode
    state.record.set(Field::alphabets_layout, 2);  // another page's bits in byte 29
    std::string timeout_after_reset;
    int scan_mode_after_reset = -1;
    run_sheet(
        [&](HWND page) {
            click(page, IDC_SCANNER_RESET);
            timeout_after_reset = text_of(page, IDC_SCANNER_TIMEOUT);
            scan_mode_after_reset = selection(page, IDC_SCAN_MODE);
        },
        PSBTN_CANCEL);
    EXPECT_EQ(timeout_after_reset, "10");
    EXPECT_EQ(scan_mode_after_reset, 6);
    EXPECT_EQ(state.record.get(Field::scan_mode), 6u);
    EXPECT_EQ(state.record.get(Field::scanner_timeout), 10u);
    EXPECT_EQ(state.record.get(Field::disable_buzzer), 0u);
    EXPECT_EQ(state.record.get(Field::memory_scanner_data_delay), 0u);
    EXPECT_EQ(state.record.bytes[20] & 0x0F, 0x0F);
    EXPECT_EQ(state.record.get(Field::alphabets_layout), 2u);
    EXPECT_FALSE(state.settings_modified);
}

TEST_F(ScannerPage, CancelCommitsNothing) {
    const SettingsRecord before = state.record;
    run_sheet(
        [&](HWND page) {
            select(page, IDC_SCAN_MODE, 0);
            click(page, IDC_MEMORY_SCANNER);
            SetDlgItemTextA(page, IDC_SCANNER_TIMEOUT, "99");
        },
        PSBTN_CANCEL);
    EXPECT_EQ(state.record, before);
    EXPECT_FALSE(state.settings_modified);
}

TEST_F(ScannerPage, OkWithNoEditsWritesBackWhatItReadAndMarksTheDocumentModified) {
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        state.record.bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    state.record.set(Field::scan_mode, 5);
    state.record.set(Field::transmission_delay, 3);
    const SettingsRecord before = state.record;
    run_sheet([](HWND) {});
    EXPECT_EQ(state.record, before);
    EXPECT_TRUE(state.settings_modified);
}

// A value no list item stands for shows no selection, and OK leaves it as it was.
TEST_F(ScannerPage, ValueWithoutAListItemShowsNoSelectionAndIsKept) {
    state.record.set(Field::scan_mode, 9);
    int shown = 0;
    run_sheet([&](HWND page) { shown = selection(page, IDC_SCAN_MODE); });
    EXPECT_EQ(shown, CB_ERR);
    EXPECT_EQ(state.record.get(Field::scan_mode), 9u);
}

}  // namespace
}  // namespace tessmar::test
