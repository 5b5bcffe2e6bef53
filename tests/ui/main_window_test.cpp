#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "tests/ui/support/main_window_fixture.h"
#include "tests/ui/support/temp_folder.h"
#include "win32/dpi.h"

namespace tessmar::test {
namespace {

struct MenuEntry {
    const char* popup;
    const char* caption;  // null for a separator
    UINT id;
};

constexpr MenuEntry kMenu[] = {
    {"&File", "&New\tCtrl+N", 1010},
    {"&File", "&Open...\tCtrl+O", 1020},
    {"&File", "&Save\tCtrl+S", 1030},
    {"&File", "Save &As...", 1040},
    {"&File", nullptr, 0},
    {"&File", "&Exit\tAlt+F4", 1090},
    {"&Configure", "&Configure scanner...\tCtrl+C", 1120},
    {"&Configure", "&Read scanner settings...\tCtrl+R", 1130},
    {"&Configure", "&Find setting...\tCtrl+F", 1140},
    {"&Download", "&Download settings...\tCtrl+D", 1220},
    {"&Download", "&Print scanner settings...\tCtrl+P", 1210},
    {"&Download", "&Compare with scanner...\tCtrl+K", 1230},
    {"&Download", "&Watch scanner output...\tCtrl+Shift+W", 1240},
    {"&Download", nullptr, 0},
    {"&Download", "Download to &several scanners...\tCtrl+Shift+D", 1250},
    {"&Download", "&Read from several scanners...", 1251},
    {"&Help", "Tessmar &Manual\tF1", 1305},
    {"&Help", "About &Orlo...", 1310},
};

std::string menu_string(HMENU menu, UINT position) {
    std::array<char, 128> text{};
    GetMenuStringA(menu, position, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
    return text.data();
}

using MainWindow = MainWindowTest;

TEST_F(MainWindow, StartsOnTheFactorySettingsWithItsTitle) {
    EXPECT_EQ(window_text(window), "Velkor Orlo Tessmar");
    EXPECT_EQ(state.record, factory_record());
    EXPECT_FALSE(state.settings_modified);
    EXPECT_TRUE(state.current_file_path.empty());
    ASSERT_FALSE(state.program_directory.empty());
    EXPECT_EQ(state.program_directory.back(), '\\');
    EXPECT_EQ(class_name(window), "TESSM");
}

// Arrow keys move in the tree at start and after a dialog or the sheet has closed.
TEST_F(MainWindow, TheTreeHasTheKeyboardAtStartAndAfterEachDialog) {
    HWND tree = GetDlgItem(window, IDC_TREE_VIEW);
    EXPECT_EQ(GetFocus(), tree);
    press_key(GetFocus(), VK_DOWN);
    EXPECT_NE(TreeView_GetSelection(tree), nullptr);

    for (const UINT command_id : {IDM_CONFIGURE_SCANNER, IDM_ABOUT}) {
        SCOPED_TRACE(command_id);
        ModalScript script;
        script.cancel();
        command(command_id);
        pump_messages();
        EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
        EXPECT_EQ(GetFocus(), tree);
        press_key(GetFocus(), VK_DOWN);
        EXPECT_NE(TreeView_GetSelection(tree), nullptr);
    }
}

TEST_F(MainWindow, MenuCaptionsAndIds) {
    HMENU bar = GetMenu(window);
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    std::size_t row = 0;
    for (int p = 0; p < GetMenuItemCount(bar); ++p) {
        const std::string popup_caption = menu_string(bar, static_cast<UINT>(p));
        HMENU popup = GetSubMenu(bar, p);
        for (int i = 0; i < GetMenuItemCount(popup); ++i, ++row) {
            ASSERT_LT(row, std::size(kMenu));
            const MenuEntry& want = kMenu[row];
            EXPECT_EQ(popup_caption, want.popup);
            if (want.caption == nullptr) {
                EXPECT_EQ(GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR,
                          static_cast<UINT>(MF_SEPARATOR));
                continue;
            }
            EXPECT_EQ(menu_string(popup, static_cast<UINT>(i)), want.caption);
            EXPECT_EQ(GetMenuItemID(popup, i), want.id) << want.caption;
        }
    }
    EXPECT_EQ(row, std::size(kMenu));
}

TEST_F(MainWindow, ToolbarButtonsAndTooltips) {
    HWND toolbar = GetDlgItem(window, IDC_TOOLBAR);
    ASSERT_NE(toolbar, nullptr);
    struct Expected {
        int id;  // 0 for a separator
        const char* tip;
    };
    constexpr Expected kButtons[] = {
        {0, nullptr},       {1010, "New"},
        {1020, "Open"},     {1030, "Save"},
        {0, nullptr},       {1120, "Configure"},
        {0, nullptr},       {1210, "Print"},
        {1220, "Download"}, {1230, "Compare with scanner"},
    };
    ASSERT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0),
              static_cast<LRESULT>(std::size(kButtons)));
    HWND tooltips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tooltips, nullptr);
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        TBBUTTON button{};
        ASSERT_TRUE(SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
        if (kButtons[i].id == 0) {
            EXPECT_TRUE(button.fsStyle & BTNS_SEP) << "position " << i;
            continue;
        }
        EXPECT_EQ(button.idCommand, kButtons[i].id);
        EXPECT_TRUE(button.fsState & TBSTATE_ENABLED);

        std::array<char, 80> text{};
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = toolbar;
        tool.uId = static_cast<UINT_PTR>(kButtons[i].id);
        tool.lpszText = text.data();
        SendMessageA(tooltips, TTM_GETTEXTA, text.size(), reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text.data(), kButtons[i].tip) << "button " << kButtons[i].id;
    }
}

TEST_F(MainWindow, AcceleratorTable) {
    HACCEL table = LoadAcceleratorsA(app.instance, "TESSM");
    ASSERT_NE(table, nullptr);
    std::array<ACCEL, 16> entries{};
    const int count =
        CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
    struct Expected {
        WORD key;
        WORD id;
        BYTE modifiers = FCONTROL;
    };
    constexpr Expected kKeys[] = {{'N', 1010},
                                  {'O', 1020},
                                  {'S', 1030},
                                  {'C', 1120},
                                  {'R', 1130},
                                  {'F', 1140},
                                  {'D', 1220},
                                  {'P', 1210},
                                  {'K', 1230},
                                  {'W', 1240, FCONTROL | FSHIFT},
                                  {'D', 1250, FCONTROL | FSHIFT},
                                  {VK_F1, 1305, 0}};
    ASSERT_EQ(count, static_cast<int>(std::size(kKeys)));
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FCONTROL | FALT | FSHIFT),
                  FVIRTKEY | kKeys[i].modifiers);
        EXPECT_EQ(entries[i].key, kKeys[i].key);
        EXPECT_EQ(entries[i].cmd, kKeys[i].id);
    }
    DestroyAcceleratorTable(table);
}

TEST_F(MainWindow, StatusBarShowsTheHelpOfTheHighlightedCommand) {
    HWND status = GetDlgItem(window, IDC_STATUS_BAR);
    ASSERT_NE(status, nullptr);
    struct Expected {
        UINT id;
        const char* help;
    };
    constexpr Expected kHelp[] = {
        {1010, "Creates a new document"},
        {1020, "Opens an existing document"},
        {1030, "Saves the active document"},
        {1040, "Saves the active document with a new name"},
        {1090, "Quites the application"},
        {1120, "Configure the scanner settings"},
        {1130, "Read the scanner settings"},
        {1140, "Find a setting by its name and open the control that edits it"},
        {1210, "Prints the active document"},
        {1220, "Download the current settings to the device"},
        {1230, "Compare the current settings with those of the device"},
        {1240, "Show what the scanner sends to its host, scan by scan"},
        {1305, "Opens the technician's manual"},
        {1310, "Owner's information"},
    };
    for (const Expected& item : kHelp) {
        SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(item.id, MF_STRING | MF_HILITE),
                     reinterpret_cast<LPARAM>(GetMenu(window)));
        EXPECT_TRUE(SendMessageA(status, SB_ISSIMPLE, 0, 0));
        std::array<char, 128> text{};
        // In simple mode, part 0 reads the simple text.
        SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text.data()));
        EXPECT_STREQ(text.data(), item.help);
    }
    // The menu closing returns the status bar to normal.
    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_FALSE(SendMessageA(status, SB_ISSIMPLE, 0, 0));
}

TEST_F(MainWindow, ChildWindowsFillTheClientArea) {
    HWND toolbar = GetDlgItem(window, IDC_TOOLBAR);
    HWND tree = GetDlgItem(window, IDC_TREE_VIEW);
    HWND status = GetDlgItem(window, IDC_STATUS_BAR);
    ASSERT_TRUE(toolbar && tree && status);
    EXPECT_EQ(class_name(tree), "SysTreeView32");
    RECT client, toolbar_rect, tree_rect, status_rect;
    GetClientRect(window, &client);
    GetWindowRect(toolbar, &toolbar_rect);
    GetWindowRect(tree, &tree_rect);
    GetWindowRect(status, &status_rect);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&toolbar_rect), 2);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&tree_rect), 2);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&status_rect), 2);
    EXPECT_EQ(tree_rect.left, 0);
    EXPECT_EQ(tree_rect.right, client.right);
    EXPECT_GE(tree_rect.top, toolbar_rect.top + 2);
    EXPECT_EQ(status_rect.bottom, client.bottom);
    EXPECT_LE(tree_rect.bottom, status_rect.top);
}

TEST_F(MainWindow, AboutBoxShowsTheProgramAndTheMakersNotice) {
    ModalScript script;
    std::string caption, title, notice;
    HICON icon = nullptr;
    script.then([&](HWND box) {
        caption = window_text(box);
        title = window_text(GetDlgItem(box, IDC_ABOUT_TITLE));
        notice = window_text(GetDlgItem(box, IDC_ABOUT_NOTICE));
        icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, IDC_ABOUT_ICON, STM_GETICON, 0, 0));
        press_button(box, IDOK);
    });
    command(IDM_ABOUT);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(caption, "The Tessmar");
    EXPECT_EQ(title, "Velkor Orlo Tessmar (Ver 2.06)");
    EXPECT_EQ(notice, "Copyright (C) Velkor. All rights reserved.");
    EXPECT_NE(icon, nullptr);
}

// Without Manual.html beside the program, Help > Tessmar Manual says where it belongs.
TEST_F(MainWindow, TheManualCommandSaysWhereTheManualBelongsWhenItIsMissing) {
    TempFolder folder("no-manual");
    state.program_directory = folder.file("");
    ModalScript script;
    script.answer(IDOK);
    command(IDM_MANUAL);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    ASSERT_EQ(script.message_boxes().size(), 1u);
    const MessageBoxSeen& seen = script.message_boxes()[0];
    EXPECT_EQ(seen.caption, "Tessmar Manual");
    EXPECT_NE(seen.text.find("Manual.html, beside Tessmar.exe in\n" + state.program_directory),
              std::string::npos)
        << seen.text;
}

TEST_F(MainWindow, UnknownCommandsDoNothing) {
    ModalScript script;
    command(4242);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(MainWindow, CloseAsksNothingWhenUnmodified) {
    ModalScript script;
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MainWindow, CloseWhenModifiedAnsweredCancelKeepsTheWindow) {
    state.settings_modified = true;
    ModalScript script;
    script.answer(IDCANCEL);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    ASSERT_EQ(script.message_boxes().size(), 1u);
    EXPECT_EQ(script.message_boxes()[0].caption, "Velkor Orlo Tessmar");
    EXPECT_EQ(script.message_boxes()[0].text, "Save the program ?");
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(state.settings_modified);
}

TEST_F(MainWindow, CloseWhenModifiedAnsweredNoClosesWithoutSaving) {
    state.settings_modified = true;
    ModalScript script;
    script.answer(IDNO);
    command(IDM_FILE_EXIT);  // Exit asks the same question as the close box
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    ASSERT_EQ(script.message_boxes().size(), 1u);
    EXPECT_EQ(script.message_boxes()[0].text, "Save the program ?");
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MainWindow, CloseWhenModifiedAnsweredYesWithNoFileOffersSaveAsAndStaysIfCancelled) {
    state.settings_modified = true;
    ModalScript script;
    std::string save_dialog;
    script.answer(IDYES).then([&](HWND dialog) {
        save_dialog = class_name(dialog);
        cancel_window(dialog);
    });
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(save_dialog, "#32770");
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(state.settings_modified);
}

TEST_F(MainWindow, CloseWhenModifiedAnsweredYesSavesToTheCurrentFile) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "tessmar-close.orl";
    std::filesystem::remove(file);
    state.current_file_path = file.string();
    state.record.set(Field::scan_mode, 2);
    state.settings_modified = true;
    ModalScript script;
    script.answer(IDYES);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_FALSE(IsWindow(window));
    std::ifstream in(file, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(bytes.size(), kRecordSize);
    EXPECT_EQ(bytes[20], 0x20);
    in.close();
    std::filesystem::remove(file);
}

// A save that fails must not lose the changes: the close stops after the error.
TEST_F(MainWindow, CloseStopsWhenTheSaveFails) {
    state.current_file_path = "Z:\\no\\such\\folder\\settings.orl";
    state.settings_modified = true;
    ModalScript script;
    script.answer(IDYES).answer(IDOK);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    ASSERT_EQ(script.message_boxes().size(), 2u);
    EXPECT_EQ(script.message_boxes()[1].caption, "Error");
    EXPECT_TRUE(script.message_boxes()[1].text.starts_with("Can't save the settings file!\n"));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(state.settings_modified);
}

// Windows wants the answer to a log-off at once and no dialog box meanwhile: unsaved settings hold
// the session up without a word, and "Save the program ?" comes once the session goes on.
TEST_F(MainWindow, UnsavedSettingsHoldUpALogOffAndAreOfferedOnceTheSessionGoesOn) {
    TempFolder folder("end-of-session");
    const struct {
        bool modified;
        int answer;  // to "Save the program ?" once the session goes on; 0: not asked
        LRESULT session_may_end;
        bool saved;
    } kCases[] = {
        {false, 0, TRUE, false},
        {true, IDNO, FALSE, false},
        {true, IDYES, FALSE, true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.answer);
        state.settings_modified = c.modified;
        state.current_file_path = folder.file("settings.orl");
        std::filesystem::remove(folder.path() / "settings.orl");
        ModalScript during_query;
        const LRESULT result = SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
        EXPECT_TRUE(during_query.finished_cleanly())
            << ::testing::PrintToString(during_query.problems());
        EXPECT_EQ(result, c.session_may_end);

        ModalScript after;
        if (c.answer != 0) {
            after.answer(c.answer);
        }
        SendMessageA(window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
        pump_messages();
        EXPECT_TRUE(after.finished_cleanly()) << ::testing::PrintToString(after.problems());
        if (c.answer != 0) {
            EXPECT_EQ(after.message_boxes().at(0).text, "Save the program ?");
        }
        EXPECT_EQ(std::filesystem::exists(folder.path() / "settings.orl"), c.saved);
        EXPECT_EQ(state.settings_modified, c.modified && !c.saved);
        EXPECT_TRUE(IsWindow(window));
    }
}

// Moved to a monitor of 144 dots per inch, the window takes the size Windows suggests, the large
// toolbar images and a tree font of 24 pixels.
TEST_F(MainWindow, AChangeOfDpiResizesTheWindowAndRemakesTheToolbarAndTreeFont) {
    RECT suggested{10, 20, 1010, 820};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    pump_messages();
    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_EQ(now.right - now.left, 1000);
    EXPECT_EQ(now.bottom - now.top, 800);
    const DWORD button_size = static_cast<DWORD>(SendMessageA(app.toolbar, TB_GETBUTTONSIZE, 0, 0));
    EXPECT_GE(LOWORD(button_size), 24 + 7);
    EXPECT_EQ(font_height(app.tree_view, app.tree_font), 24);
}

// The status bar's font and the window's icons follow the DPI too: at twice the DPI the font
// is twice as high, and each icon has the size Windows gives icons at that DPI.
TEST_F(MainWindow, AChangeOfDpiRemakesTheStatusFontAndTheIcons) {
    const int dpi = window_dpi(window);
    const struct {
        int dpi;
        int font_scale;  // the status font's height, in that at `dpi`
    } kCases[] = {{dpi, 1}, {2 * dpi, 2}, {dpi, 1}};
    int first_height = 0;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.dpi);
        RECT suggested{10, 20, 1010, 820};
        SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        pump_messages();
        const int height = font_height(app.status_bar, GetWindowFont(app.status_bar));
        first_height = first_height ? first_height : height;
        EXPECT_NEAR(height, first_height * c.font_scale, 1);
        for (const auto& [kind, metric] :
             {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
            const auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, kind, 0));
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP bitmap{};
            GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
            EXPECT_EQ(bitmap.bmWidth, system_metric_for_dpi(metric, c.dpi)) << kind;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
    }
}

// A high-contrast theme switched on reaches the main window alone; its common controls take
// the new colours only when it passes the message on.
TEST_F(MainWindow, NewSystemColoursReachTheToolbarTreeAndStatusBar) {
    static std::vector<HWND> told;
    const auto note = [](HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                         DWORD_PTR) -> LRESULT {
        if (message == WM_SYSCOLORCHANGE) {
            told.push_back(control);
        }
        return DefSubclassProc(control, message, wParam, lParam);
    };
    const std::vector<HWND> controls = {app.toolbar, app.tree_view, app.status_bar};
    for (HWND control : controls) {
        SetWindowSubclass(control, note, 1, 0);
    }
    told.clear();
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    for (HWND control : controls) {
        RemoveWindowSubclass(control, note, 1);
    }
    EXPECT_EQ(told, controls);
}

// The tree's font is freed with the window, however the window goes.
TEST_F(MainWindow, DestroyingTheWindowFreesTheTreeFont) {
    const HFONT font = app.tree_font;
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    DestroyWindow(window);
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(app.tree_font, nullptr);
}

// New ends in the Reader Settings sheet; these steps read what its Scanner page shows and
// cancel it.
ModalScript& expect_sheet_on_defaults(ModalScript& script, std::string& timeout_shown) {
    return script.then([&](HWND sheet) {
        timeout_shown = window_text(GetDlgItem(current_page(sheet), IDC_SCANNER_TIMEOUT));
        cancel_window(sheet);
    });
}

TEST_F(MainWindow, NewWithoutChangesOpensTheSheetOnTheDefaults) {
    state.record.set(Field::scanner_timeout, 99);
    state.current_file_path = "C:\\somewhere\\old.orl";
    ModalScript script;
    std::string timeout_shown;
    expect_sheet_on_defaults(script, timeout_shown);
    command(IDM_FILE_NEW);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(timeout_shown, "10");
    EXPECT_EQ(state.record, factory_record());
    EXPECT_TRUE(state.current_file_path.empty());
    EXPECT_FALSE(state.settings_modified);
}

TEST_F(MainWindow, NewWithChangesAnsweredCancelChangesNothing) {
    state.record.set(Field::scanner_timeout, 99);
    state.current_file_path = "C:\\somewhere\\old.orl";
    state.settings_modified = true;
    const SettingsRecord before = state.record;
    ModalScript script;
    script.answer(IDCANCEL);
    command(IDM_FILE_NEW);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    ASSERT_EQ(script.message_boxes().size(), 1u);
    EXPECT_EQ(script.message_boxes()[0].caption, "Velkor Orlo Tessmar");
    EXPECT_EQ(script.message_boxes()[0].text, "Save current settings ?");
    EXPECT_EQ(state.record, before);
    EXPECT_EQ(state.current_file_path, "C:\\somewhere\\old.orl");
    EXPECT_TRUE(state.settings_modified);
}

TEST_F(MainWindow, NewWithChangesAnsweredNoDropsThem) {
    state.record.set(Field::scanner_timeout, 99);
    state.settings_modified = true;
    ModalScript script;
    std::string timeout_shown;
    script.answer(IDNO);
    expect_sheet_on_defaults(script, timeout_shown);
    command(IDM_FILE_NEW);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(timeout_shown, "10");
    EXPECT_EQ(state.record, factory_record());
    EXPECT_FALSE(state.settings_modified);
}

TEST_F(MainWindow, NewWithChangesAnsweredYesSavesThemFirst) {
    TempFolder folder("new-yes");
    state.current_file_path = folder.file("kept.orl");
    state.record.set(Field::scanner_timeout, 99);
    state.settings_modified = true;
    ModalScript script;
    std::string timeout_shown;
    script.answer(IDYES);
    expect_sheet_on_defaults(script, timeout_shown);
    command(IDM_FILE_NEW);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    const std::vector<std::uint8_t> saved = read_file_bytes(folder.file("kept.orl"));
    ASSERT_EQ(saved.size(), kRecordSize);
    EXPECT_EQ(saved[21], 99);
    EXPECT_EQ(state.record, factory_record());
    EXPECT_TRUE(state.current_file_path.empty());
    EXPECT_FALSE(state.settings_modified);
}

TEST_F(MainWindow, ConfigureScannerOpensTheSheetAndOkMarksTheDocumentModified) {
    ModalScript script;
    std::string caption;
    script.then([&](HWND sheet) {
        caption = window_text(sheet);
        press_sheet_button(sheet, PSBTN_OK);
    });
    command(IDM_CONFIGURE_SCANNER);
    EXPECT_TRUE(script.finished_cleanly()) << ::testing::PrintToString(script.problems());
    EXPECT_EQ(caption, "Reader Settings");
    EXPECT_TRUE(state.settings_modified);
    // The close box now asks.
    ModalScript close;
    close.answer(IDCANCEL);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(close.finished_cleanly()) << ::testing::PrintToString(close.problems());
    EXPECT_TRUE(IsWindow(window));
}

}  // namespace
}  // namespace tessmar::test
