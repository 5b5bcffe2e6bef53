// The scanner link as a user meets it: Tessmar's own port dialog, progress window and message
// boxes, on Wine's COM ports with orlo-sim behind them.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <atomic>
#include <numeric>
#include <thread>

#include "link/ui/scanner_link.h"
#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/other_program.h"
#include "tests/ui/support/scanner_simulator.h"

namespace tessmar::test {
namespace {

// What the progress windows showed, read from the messages their bars were sent.
struct ProgressSeen {
    std::string caption, label, bar_text;
    int top = -1;
    bool bar_in_lower_half = false;
    std::vector<int> positions;
};

// Watches, through a hook on this thread, the messages that progress bars are sent.
class ProgressWatch {
  public:
    ProgressWatch() {
        active = this;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, on_message, nullptr, GetCurrentThreadId());
    }
    ~ProgressWatch() {
        UnhookWindowsHookEx(hook_);
        active = nullptr;
    }
    ProgressWatch(const ProgressWatch&) = delete;
    ProgressWatch& operator=(const ProgressWatch&) = delete;

    std::vector<ProgressSeen> windows;

  private:
    static LRESULT CALLBACK on_message(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && active && class_name(sent->hwnd) == PROGRESS_CLASSA) {
            active->note(sent->hwnd, sent->message, sent->wParam, sent->lParam);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    void note(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == PBM_SETRANGE) {
            HWND dialog = GetParent(bar);
            ProgressSeen seen;
            seen.caption = window_text(dialog);
            seen.label = window_text(GetDlgItem(dialog, IDC_PROGRESS_TEXT));
            seen.bar_text = window_text(bar);
            seen.top = HIWORD(lParam);
            RECT client{}, placed{};
            GetClientRect(dialog, &client);
            GetWindowRect(bar, &placed);
            MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&placed), 2);
            seen.bar_in_lower_half = placed.top == client.bottom / 2 && placed.left == 14;
            windows.push_back(seen);
        } else if (message == PBM_SETPOS && !windows.empty()) {
            windows.back().positions.push_back(static_cast<int>(wParam));
        }
    }

    static inline ProgressWatch* active = nullptr;
    HHOOK hook_ = nullptr;
};

// 0 as the window opens, then 0 to `last`, then `full`.
std::vector<int> counting(int last, int full) {
    std::vector<int> positions(static_cast<std::size_t>(last + 2));
    std::iota(positions.begin() + 1, positions.end(), 0);
    positions.push_back(full);
    return positions;
}

// A failure's message: the question or the complaint, then on a line of its own the port and
// why, as tessmar-cli says it, ended as a sentence.
::testing::AssertionResult says_why(const MessageBoxSeen& box, const std::string& message,
                                    const std::string& reason_start) {
    const std::string start = message + "\n" + reason_start;
    if (box.text.starts_with(start) && box.text.size() > start.size() + 1 &&
        box.text.ends_with(".") && box.text.find('\n', start.size()) == std::string::npos) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the message reads: " << box.text;
}

class ScannerLink : public MainWindowTest {
  protected:
    // A port dialog step: notes the port shown selected, chooses `port` (1 to 6) and presses OK.
    ModalScript& choose_port(ModalScript& script, int port) {
        return script.then([this, port](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_COM_PORT);
            preselected.push_back(ComboBox_GetCurSel(list) + 1);
            ComboBox_SetCurSel(list, port - 1);
            press_button(dialog, IDOK);
        });
    }

    static void expect_clean(const ModalScript& script) {
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    }

    std::vector<int> preselected;  // the port each dialog opened on, 1 for COM1
};

TEST_F(ScannerLink, DownloadsAndReadsBackThroughTheDialogs) {
    ScannerSimulator scanner(1);
    ASSERT_EQ(scanner.problem(), "");
    state.record.set(Field::scanner_timeout, 99);
    state.record.set(Field::keyboard_type, kKeyboardTypeRs232);
    state.record.bytes[kRecordSize - 1] = 0xC5;
    const SettingsRecord sent = state.record;

    ProgressWatch watch;
    ModalScript download;
    choose_port(download, 1).answer(IDOK);
    command(IDM_DOWNLOAD_SETTINGS);
    expect_clean(download);
    ASSERT_EQ(download.message_boxes().size(), 1u);
    EXPECT_EQ(download.message_boxes()[0].caption, "Download");
    EXPECT_EQ(download.message_boxes()[0].text, "Downloaded completely!");
    std::vector<std::uint8_t> image(sent.bytes.begin(), sent.bytes.end());
    image.resize(1792, 0x00);
    EXPECT_EQ(scanner.memory(), image);

    // The scanner's settings replace a record that differs everywhere it can.
    load_factory_defaults(state);
    ASSERT_EQ(state.interface_class, InterfaceClass::keyboard_wedge);
    ModalScript read;
    std::string sheet;
    int timeout_shown = 0;
    choose_port(read, 1).then([&](HWND window) {
        sheet = window_text(window);
        timeout_shown = GetDlgItemInt(current_page(window), IDC_SCANNER_TIMEOUT, nullptr, FALSE);
        cancel_window(window);
    });
    command(IDM_READ_SCANNER_SETTINGS);
    expect_clean(read);
    EXPECT_EQ(sheet, "Reader Settings");
    EXPECT_EQ(timeout_shown, 99);
    EXPECT_EQ(state.record, sent);
    EXPECT_EQ(state.interface_class, InterfaceClass::rs232);
    // What was read is in no file yet.
    EXPECT_TRUE(state.settings_modified);
    EXPECT_EQ(state.current_file_path, "");
    EXPECT_EQ(preselected, (std::vector<int>{1, 1}));

    // Each window starts at 0; then the packets or requests count up, and the bar fills.
    struct Expected {
        const char* label;
        const char* bar_text;
        int top;
        std::vector<int> positions;
    };
    const Expected expected[] = {{"Downloading...", "Downloading", 120, counting(111, 120)},
                                 {"Uploading...", "Uploading", 100, counting(99, 100)}};
    ASSERT_EQ(watch.windows.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const ProgressSeen& seen = watch.windows[i];
        EXPECT_EQ(seen.caption, "Progress");
        EXPECT_EQ(seen.label, expected[i].label);
        EXPECT_EQ(seen.bar_text, expected[i].bar_text);
        EXPECT_EQ(seen.top, expected[i].top);
        EXPECT_TRUE(seen.bar_in_lower_half);
        EXPECT_EQ(seen.positions, expected[i].positions);
    }
    // Both windows are gone.
    EXPECT_EQ(FindWindowA("#32770", "Progress"), nullptr);
}

// Like a serial port whose hardware is missing: the device is there, but cannot be opened.
TEST_F(ScannerLink, APortWithNothingBehindItCannotBeOpenedAndIsNotRetried) {
    ScannerSimulator unplugged(6, "--unplugged");
    ASSERT_EQ(unplugged.problem(), "");
    ModalScript script;
    choose_port(script, 6).answer(IDOK);
    EXPECT_EQ(RunScannerLink(app.instance, window, state.port, state, TransferDirection::read_back),
              LinkOutcome::failed);
    expect_clean(script);
    ASSERT_EQ(script.message_boxes().size(), 1u);
    EXPECT_EQ(script.message_boxes()[0].caption, "Error");
    EXPECT_TRUE(says_why(script.message_boxes()[0], "Can't open the COM port!", "COM6: "));
    // The choice was confirmed, so the next connection offers it first.
    EXPECT_EQ(state.port.selected_port_index, 5);
    ModalScript again;
    choose_port(again, 6).answer(IDOK);
    command(IDM_READ_SCANNER_SETTINGS);  // and opens no sheet
    expect_clean(again);
    EXPECT_EQ(preselected, (std::vector<int>{1, 6}));
}

TEST_F(ScannerLink, APortThatIsNoSerialLineIsRefusedAtSetUp) {
    ASSERT_TRUE(link_port(5, "/dev/null"));
    ModalScript script;
    choose_port(script, 5).answer(IDOK);
    EXPECT_EQ(RunScannerLink(app.instance, window, state.port, state, TransferDirection::download),
              LinkOutcome::failed);
    expect_clean(script);
    ASSERT_EQ(script.message_boxes().size(), 1u);
    EXPECT_EQ(script.message_boxes()[0].caption, "Error");
    EXPECT_TRUE(
        says_why(script.message_boxes()[0], "Error on setting communication state", "COM5: "));
    remove_port_link(5);
}

TEST_F(ScannerLink, CancellingThePortDialogTouchesNoPort) {
    state.port.selected_port_index = 2;
    ModalScript script;
    script.then([this](HWND dialog) {
        preselected.push_back(ComboBox_GetCurSel(GetDlgItem(dialog, IDC_COM_PORT)) + 1);
        ComboBox_SetCurSel(GetDlgItem(dialog, IDC_COM_PORT), 0);
        cancel_window(dialog);
    });
    EXPECT_EQ(RunScannerLink(app.instance, window, state.port, state, TransferDirection::download),
              LinkOutcome::cancelled);
    expect_clean(script);
    EXPECT_EQ(preselected, std::vector<int>{3});
    EXPECT_EQ(state.port.selected_port_index, 2);
}

TEST_F(ScannerLink, ADeclinedReadBackRetryOpensNoSheetAndKeepsTheRecord) {
    ScannerSimulator scanner(1, "--silent-after 0");
    ASSERT_EQ(scanner.problem(), "");
    state.record.set(Field::scanner_timeout, 77);
    const SettingsRecord before = state.record;
    const InterfaceClass interface_before = state.interface_class;
    ModalScript script;
    choose_port(script, 1).answer(IDYES).answer(IDNO);  // no sheet may follow
    command(IDM_READ_SCANNER_SETTINGS);
    expect_clean(script);
    ASSERT_EQ(script.message_boxes().size(), 2u);
    for (const MessageBoxSeen& box : script.message_boxes()) {
        EXPECT_EQ(box.caption, "Error");
        EXPECT_TRUE(says_why(box, "Failed to read, would you like to retry?",
                             "COM1: no reply to request 1 of 99"));
    }
    EXPECT_EQ(state.record, before);
    EXPECT_EQ(state.interface_class, interface_before);
}

// A slow scanner: its answer to request 6 comes when the Retry sends its first request, and each
// answer then trails one request behind. The Retry fails rather than take them.
TEST_F(ScannerLink, ARetryNeverTakesALateAnswerForItsOwn) {
    ScannerSimulator scanner(1, "--behind 5");
    ASSERT_EQ(scanner.problem(), "");
    state.record.set(Field::scanner_timeout, 77);
    const SettingsRecord before = state.record;
    ModalScript script;
    choose_port(script, 1).answer(IDYES).answer(IDNO);
    command(IDM_READ_SCANNER_SETTINGS);
    expect_clean(script);
    EXPECT_EQ(script.message_boxes().size(), 2u);
    EXPECT_EQ(state.record, before);
}

TEST_F(ScannerLink, AFailedDownloadIsRetriedFromItsFirstPacket) {
    // Four refusals fail the first attempt; the retry finds the scanner willing.
    ScannerSimulator scanner(2, "--wrong-replies 4");
    ASSERT_EQ(scanner.problem(), "");
    state.record.set(Field::scanner_timeout, 12);
    ModalScript script;
    choose_port(script, 2).answer(IDYES).answer(IDOK);
    EXPECT_EQ(RunScannerLink(app.instance, window, state.port, state, TransferDirection::download),
              LinkOutcome::finished);
    expect_clean(script);
    ASSERT_EQ(script.message_boxes().size(), 2u);
    EXPECT_EQ(script.message_boxes()[0].caption, "Error");
    EXPECT_TRUE(says_why(script.message_boxes()[0], "Failed to download, would you like to retry?",
                         "COM2: the scanner refused packet 1 of 112"));
    EXPECT_EQ(script.message_boxes()[1].text, "Downloaded completely!");
    const std::vector<std::uint8_t> memory = scanner.memory();
    ASSERT_EQ(memory.size(), 1792u);
    EXPECT_TRUE(std::equal(state.record.bytes.begin(), state.record.bytes.end(), memory.begin()));
}

TEST_F(ScannerLink, ADeclinedDownloadRetryStillReturnsOneAndChangesNothing) {
    ScannerSimulator scanner(1, "--silent-after 0");
    ASSERT_EQ(scanner.problem(), "");
    state.settings_modified = true;
    const SettingsRecord before = state.record;
    ModalScript script;
    choose_port(script, 1).answer(IDNO);
    EXPECT_EQ(RunScannerLink(app.instance, window, state.port, state, TransferDirection::download),
              LinkOutcome::finished);
    expect_clean(script);
    ASSERT_EQ(script.message_boxes().size(), 1u);
    EXPECT_TRUE(says_why(script.message_boxes()[0], "Failed to download, would you like to retry?",
                         "COM1: no reply to packet 1 of 112"));
    EXPECT_EQ(state.record, before);
    EXPECT_TRUE(state.settings_modified);
    EXPECT_TRUE(scanner.memory().empty());
}

// An adapter pulled out in the middle of a download and plugged back in: the download fails at
// once, saying so and what the scanner holds, and Retry opens the port again, which reaches the
// scanner; the old handle would lead nowhere.
TEST_F(ScannerLink, AfterThePortWentAwayARetryOpensItAgain) {
    ScannerSimulator scanner(3, "--unplug-after 20 --away 200");
    ASSERT_EQ(scanner.problem(), "");
    state.record.set(Field::scanner_timeout, 12);
    MessageBoxSeen question;
    bool back = false;
    ModalScript script;
    choose_port(script, 3)
        .then([&](HWND box) {
            question = {window_text(box), window_text(GetDlgItem(box, 0xFFFF))};
            back = scanner.plugged_back_in();
            press_button(box, IDYES);
        })
        .answer(IDOK);
    EXPECT_EQ(RunScannerLink(app.instance, window, state.port, state, TransferDirection::download),
              LinkOutcome::finished);
    expect_clean(script);
    EXPECT_TRUE(back);
    EXPECT_TRUE(says_why(question, "Failed to download, would you like to retry?",
                         "COM3: the port went away at packet "));
    EXPECT_TRUE(question.text.ends_with(" The scanner keeps its previous settings."));
    ASSERT_EQ(script.message_boxes().size(), 1u);
    EXPECT_EQ(script.message_boxes()[0].text, "Downloaded completely!");
    const std::vector<std::uint8_t> memory = scanner.memory();
    ASSERT_EQ(memory.size(), 1792u);
    EXPECT_TRUE(std::equal(state.record.bytes.begin(), state.record.bytes.end(), memory.begin()));
}

// A read-back is a new document: Save asks for a name rather than replacing the file opened
// before, and closing asks whether to save what was read.
TEST_F(ScannerLink, AReadBackIsANewUnsavedDocument) {
    ScannerSimulator scanner(1);
    ASSERT_EQ(scanner.problem(), "");
    state.current_file_path = "C:\\settings\\A.orl";
    state.settings_modified = false;
    ModalScript read;
    choose_port(read, 1).cancel();  // the Reader Settings sheet
    command(IDM_READ_SCANNER_SETTINGS);
    expect_clean(read);
    EXPECT_EQ(state.current_file_path, "");
    EXPECT_TRUE(state.settings_modified);

    std::string save_dialog;
    ModalScript save;
    save.then([&](HWND dialog) {
        save_dialog = window_text(dialog);
        cancel_window(dialog);
    });
    command(IDM_FILE_SAVE);
    expect_clean(save);
    EXPECT_EQ(save_dialog, "Save As");

    ModalScript close;
    close.answer(IDCANCEL);
    SendMessageA(window, WM_CLOSE, 0, 0);
    expect_clean(close);
    ASSERT_EQ(close.message_boxes().size(), 1u);
    EXPECT_EQ(close.message_boxes()[0].text, "Save the program ?");
    EXPECT_TRUE(IsWindow(window));
}

// What another thread sees of the main window while a download paced like a 9600-baud line holds
// the GUI thread for five seconds.
struct SeenDuringTransfer {
    bool progress_window = false;
    bool repainted = false;      // an invalidated tree was painted while the progress window was up
    bool answered = false;       // a sent message came back while the progress window was up
    bool main_disabled = false;  // the main window took no input meanwhile
    bool still_transferring = false;
};

HWND wait_for_progress_window() {
    for (int tries = 0; tries < 500; ++tries) {
        if (HWND progress = FindWindowA("#32770", "Progress")) {
            return progress;
        }
        Sleep(10);
    }
    return nullptr;
}

TEST_F(ScannerLink, TheWindowsStayAliveAndTakeNoCommandDuringATransfer) {
    ScannerSimulator scanner(1, "--baud 9600");
    ASSERT_EQ(scanner.problem(), "");
    SeenDuringTransfer seen;
    std::thread other([&] {
        HWND progress = wait_for_progress_window();
        seen.progress_window = progress != nullptr;
        if (!progress) {
            return;
        }
        seen.main_disabled = !IsWindowEnabled(window);
        InvalidateRect(app.tree_view, nullptr, TRUE);
        RECT update{};
        for (int tries = 0; tries < 300 && GetUpdateRect(app.tree_view, &update, FALSE); ++tries) {
            Sleep(10);
        }
        seen.repainted = !GetUpdateRect(app.tree_view, &update, FALSE) && IsWindow(progress);
        DWORD_PTR result = 0;
        seen.answered =
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result) != 0 &&
            IsWindow(progress);
        // A second download asked for meanwhile must not start inside this one.
        SendMessageTimeoutA(window, WM_COMMAND, MAKEWPARAM(IDM_DOWNLOAD_SETTINGS, 0), 0,
                            SMTO_NORMAL, 30000, &result);
        seen.still_transferring = IsWindow(progress) != FALSE;
    });
    ModalScript script;
    choose_port(script, 1).answer(IDOK);
    command(IDM_DOWNLOAD_SETTINGS);
    other.join();
    expect_clean(script);  // one port dialog, one completion message
    EXPECT_TRUE(seen.progress_window);
    EXPECT_TRUE(seen.main_disabled);
    EXPECT_TRUE(seen.answered);
    EXPECT_TRUE(seen.still_transferring);
    EXPECT_TRUE(seen.repainted);
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_EQ(scanner.memory().size(), 1792u);
}

// An impatient Enter, a close request and a log-off during a download that then fails: the Enter
// does not answer "retry?" (whose default is Yes), and neither the close nor the log-off ends
// anything under the transfer.
TEST_F(ScannerLink, InputAndCloseRequestsDuringATransferNeitherAnswerNorEndAnything) {
    ScannerSimulator scanner(1, "--silent-after 0");
    ASSERT_EQ(scanner.problem(), "");
    bool progress_lived = false;
    LRESULT session_may_end = TRUE;
    std::thread user([&] {
        HWND progress = wait_for_progress_window();
        if (!progress) {
            return;
        }
        // Real input: it waits in the queue and goes to whichever window has the focus when it
        // is taken.
        INPUT keys[2]{};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
        DWORD_PTR result = 0;
        SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 30000, &result);
        SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 30000,
                            &result);
        session_may_end = static_cast<LRESULT>(result);
        progress_lived = IsWindow(progress) != FALSE;
    });
    MessageBoxSeen question;
    ModalScript script;
    choose_port(script, 1).then([&](HWND box) {
        question = read_message_box(box);
        // Whatever input waits in the queue reaches the question first, as it would a user's.
        pump_through_dialog_manager();
        press_button(box, IDNO);
    });
    command(IDM_DOWNLOAD_SETTINGS);
    user.join();
    expect_clean(script);  // one retry question, answered No
    EXPECT_TRUE(says_why(question, "Failed to download, would you like to retry?", "COM1: "));
    EXPECT_TRUE(progress_lived);
    EXPECT_EQ(session_may_end, FALSE);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(IsWindowEnabled(window));
}

// The user switches to another program while the download runs: the progress window and the
// completion message still belong to the main window, so the message comes up over it and the
// main window takes no input while the port is open.
TEST_F(ScannerLink, WithAnotherProgramInFrontTheMessageBelongsToTheMainWindow) {
    ScannerSimulator scanner(1, "--baud 9600");
    ASSERT_EQ(scanner.problem(), "");
    OtherProgram other;
    HWND progress_owner = nullptr;
    bool switched_during_transfer = false;
    std::thread user([&] {
        HWND progress = wait_for_progress_window();
        if (!progress) {
            return;
        }
        progress_owner = GetWindow(progress, GW_OWNER);
        switched_during_transfer = other.come_to_front() && IsWindow(progress);
    });
    HWND box_owner = nullptr;
    ModalScript script;
    choose_port(script, 1).then([&](HWND box) {
        box_owner = GetWindow(box, GW_OWNER);
        press_button(box, IDOK);
    });
    command(IDM_DOWNLOAD_SETTINGS);
    user.join();
    expect_clean(script);
    EXPECT_TRUE(switched_during_transfer);
    EXPECT_EQ(progress_owner, window);
    EXPECT_EQ(box_owner, window);
    EXPECT_EQ(scanner.memory().size(), 1792u);
}

}  // namespace
}  // namespace tessmar::test
