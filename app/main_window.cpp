#include "app/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>

#include "app/commands.h"
#include "app/main_toolbar.h"
#include "app/outside_files.h"
#include "link/ui/port_dialog.h"
#include "resources/resource.h"
#include "summary/setting_search.h"
#include "summary/ui/summary_tree_view.h"
#include "win32/common_controls.h"
#include "win32/dpi.h"
#include "win32/procedure_barrier.h"

namespace tessmar {
namespace {

// Asked before the program closes with unsaved settings.
constexpr char kSaveTheProgram[] = "Save the program ?";

AppContext& context_of(HWND window) {
    return *reinterpret_cast<AppContext*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void note_program_directory(ProgramState& state) {
    std::array<char, MAX_PATH> path{};
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::string directory(path.data(), length);
    directory.erase(directory.find_last_of('\\') + 1);  // keep the backslash
    state.program_directory = directory;
}

HFONT create_font(int height, int width, const char* face) {
    return CreateFontA(height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, face);
}

// 16 by 8 pixels at 96 dots per inch, in "System". That is a raster font of a few sizes: at a
// DPI where it cannot take the height asked for, a scalable face of that height stands in.
HFONT create_tree_font(HWND window, int dpi) {
    const int height = scale_to_dpi(16, dpi);
    HFONT system = create_font(height, scale_to_dpi(8, dpi), "System");
    if (dpi == USER_DEFAULT_SCREEN_DPI || !system || font_height(window, system) == height) {
        return system;
    }
    DeleteObject(system);
    return create_font(height, 0, "Tahoma");
}

void use_tree_font(AppContext& app, int dpi) {
    if (!app.tree_view) {
        return;
    }
    HFONT font = create_tree_font(app.main_window, dpi);
    SetWindowFont(app.tree_view, font, TRUE);
    if (app.tree_font) {
        DeleteObject(app.tree_font);
    }
    app.tree_font = font;
}

// The status bar's font follows the DPI as the tree's does: the one it makes itself is the
// system DPI's.
void use_status_font(AppContext& app, int dpi) {
    if (!app.status_bar) {
        return;
    }
    HFONT font = create_status_font(dpi);
    SetWindowFont(app.status_bar, font, TRUE);
    if (app.status_font) {
        DeleteObject(app.status_font);
    }
    app.status_font = font;
}

// The large icon for Alt+Tab, the small one for the caption, each drawn at the size of the DPI.
constexpr struct {
    WPARAM kind;
    int size_metric;
} kIcons[] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
static_assert(std::size(kIcons) == std::size(AppContext{}.icons));

void use_icons(AppContext& app, int dpi) {
    for (std::size_t i = 0; i < std::size(kIcons); ++i) {
        HICON icon = load_icon_for_dpi(app.instance, L"TESSM", kIcons[i].size_metric, dpi);
        SendMessageA(app.main_window, WM_SETICON, kIcons[i].kind, reinterpret_cast<LPARAM>(icon));
        if (app.icons[i]) {
            DestroyIcon(app.icons[i]);
        }
        app.icons[i] = icon;
    }
}

void use_toolbar(AppContext& app, int dpi) {
    MainToolbar old{app.toolbar, app.tooltips};
    destroy_main_toolbar(old);
    const MainToolbar toolbar = create_main_toolbar(app.main_window, app.instance, dpi);
    app.toolbar = toolbar.toolbar;
    app.tooltips = toolbar.tooltips;
}

BOOL on_create(HWND window, LPCREATESTRUCTA) {
    AppContext& app = context_of(window);
    app.main_window = window;
    // The first tree shows the defaults, so they are in place before any child exists.
    load_factory_defaults(*app.state);
    register_common_controls(kCommonControlClasses);
    note_program_directory(*app.state);

    const int dpi = window_dpi(window);
    use_toolbar(app, dpi);
    app.tree_view = CreateWindowExA(
        WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | TVS_HASBUTTONS | TVS_HASLINES |
            TVS_LINESATROOT | TVS_DISABLEDRAGDROP,
        0, 0, 0, 0, window, reinterpret_cast<HMENU>(IDC_TREE_VIEW), app.instance, nullptr);
    app.status_bar =
        CreateStatusWindowA(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_BOTTOM | SBARS_SIZEGRIP,
                            "", window, IDC_STATUS_BAR);

    if (app.tree_view) {
        use_tree_font(app, dpi);
        build_summary_tree(app.tree_view, *app.state);
    }
    use_status_font(app, dpi);
    use_icons(app, dpi);
    accept_dropped_files(window);
    return TRUE;
}

int client_height(HWND window) {
    RECT rect{};
    if (window) {
        GetClientRect(window, &rect);
    }
    return rect.bottom - rect.top;
}

void on_size(HWND window, UINT, int width, int height) {
    const AppContext& app = context_of(window);
    const int toolbar_height = client_height(app.toolbar);
    const int status_height = client_height(app.status_bar);
    if (app.toolbar) {
        MoveWindow(app.toolbar, 0, 0, width, toolbar_height, TRUE);
    }
    if (app.tree_view) {
        MoveWindow(app.tree_view, 0, toolbar_height + 2, width,
                   height - status_height - toolbar_height - 2, TRUE);
    }
    if (app.status_bar) {
        MoveWindow(app.status_bar, 0, height - status_height, width, status_height, TRUE);
    }
}

void lay_out(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    on_size(window, SIZE_RESTORED, client.right, client.bottom);
}

// The window moved to a monitor of another DPI: it takes the size Windows suggests, and its
// toolbar, tree, status bar and icons are made anew for that DPI.
void on_dpi_changed(HWND window, int dpi, const RECT& suggested) {
    AppContext& app = context_of(window);
    use_toolbar(app, dpi);
    use_tree_font(app, dpi);
    use_status_font(app, dpi);
    use_icons(app, dpi);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    lay_out(window);
}

// While a sheet, a dialog, the key grid or a transfer holds the program, the main window is
// disabled. A request then to close (another program's WM_CLOSE, taskkill without /F) or to end
// the session brings the window that holds the program to the front and ends nothing under it.
bool held_by_modal_window(HWND window) {
    if (IsWindowEnabled(window)) {
        return false;
    }
    HWND front = GetLastActivePopup(window);
    if (front && front != window) {
        SetForegroundWindow(front);
    }
    return true;
}

void on_close(HWND window) {
    if (!held_by_modal_window(window) && offer_to_save(context_of(window), kSaveTheProgram)) {
        DestroyWindow(window);
    }
}

// Windows wants the answer to a log-off at once, with no dialog box meanwhile. A window that
// holds the program, or unsaved settings, block it with a reason that Windows shows and that
// says which; the question is asked once the session goes on.
BOOL on_query_end_session(HWND window) {
    AppContext& app = context_of(window);
    const bool held = held_by_modal_window(window);
    if (!held && !app.state->settings_modified) {
        return TRUE;
    }
    ShutdownBlockReasonCreate(window,
                              held ? L"A Tessmar window is open" : L"Unsaved scanner settings");
    app.session_blocked = true;
    return FALSE;
}

// Posted, so that the question comes once the system has had the answer to WM_ENDSESSION.
constexpr UINT kAskAfterSessionWentOn = WM_APP + 1;

void on_end_session(HWND window, BOOL ending) {
    AppContext& app = context_of(window);
    if (ending || !app.session_blocked) {
        return;
    }
    ShutdownBlockReasonDestroy(window);
    app.session_blocked = false;
    PostMessageA(window, kAskAfterSessionWentOn, 0, 0);
}

void ask_after_session_went_on(HWND window) {
    AppContext& app = context_of(window);
    if (IsWindowEnabled(window) && app.state->settings_modified) {
        offer_to_save(app, kSaveTheProgram);
    }
}

// A font, once its window no longer uses it. The children are destroyed after their parent;
// they must not paint with a deleted font.
void release_font(HWND user, HFONT& font) {
    if (font) {
        SetWindowFont(user, nullptr, FALSE);
        DeleteObject(font);
        font = nullptr;
    }
}

// However the window goes, its fonts and icons go with it.
void on_destroy(HWND window) {
    AppContext& app = context_of(window);
    release_font(app.tree_view, app.tree_font);
    release_font(app.status_bar, app.status_font);
    for (HICON& icon : app.icons) {
        if (icon) {
            DestroyIcon(icon);
            icon = nullptr;
        }
    }
    app.main_window = app.toolbar = app.tree_view = app.status_bar = app.tooltips = nullptr;
    PostQuitMessage(0);
}

void on_set_focus(HWND window, HWND) {
    give_tree_the_keyboard(context_of(window));
}

void on_drop_files(HWND window, HDROP drop) {
    open_dropped_file(context_of(window), drop);
}

// Double-click or Enter on a line of the tree opens Reader Settings at the control that edits
// the line's setting; a line that shows no setting opens the page of its group. A double-click
// on a line's button still opens or closes its branch.
LRESULT on_notify(HWND window, int, NMHDR* header) {
    AppContext& app = context_of(window);
    if (header->hwndFrom != app.tree_view ||
        (header->code != NM_DBLCLK && header->code != NM_RETURN)) {
        return 0;
    }
    HTREEITEM line = header->code == NM_DBLCLK ? line_under_cursor(app.tree_view)
                                               : TreeView_GetSelection(app.tree_view);
    if (!line) {
        return 0;
    }
    // The tree was built from the state as it is: every change of the record rebuilds it.
    const SummaryNode tree = build_summary(*app.state);
    if (const NamedSetting* setting = line_setting(tree, line_number(app.tree_view, line))) {
        configure_setting(app, *setting);
    } else {
        configure_scanner_on_page(app, reader_page_of_line(app.tree_view, line));
    }
    return TRUE;  // the tree does not also open or close the line's branch
}

void on_command(HWND window, int id, HWND, UINT) {
    dispatch_command(context_of(window), static_cast<UINT>(id));
}

// The status bar shows the highlighted command's help string, whose id is the command id.
void on_menu_select(HWND window, WPARAM wparam, LPARAM lparam) {
    const AppContext& app = context_of(window);
    if (!app.status_bar) {
        return;
    }
    UINT ids[] = {0, 0};
    MenuHelp(WM_MENUSELECT, wparam, lparam, GetMenu(window), app.instance, app.status_bar, ids);
}

// Common controls learn of new system colours (a high-contrast theme switched on) only from
// their top-level window.
void forward_color_change(const AppContext& app, WPARAM wParam, LPARAM lParam) {
    for (HWND control : {app.toolbar, app.tree_view, app.status_bar}) {
        if (control) {
            SendMessageA(control, WM_SYSCOLORCHANGE, wParam, lParam);
        }
    }
}

// Parameters named as <windowsx.h> message crackers expect them.
LRESULT on_message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
            HANDLE_MSG(window, WM_CREATE, on_create);
            HANDLE_MSG(window, WM_SIZE, on_size);
            HANDLE_MSG(window, WM_CLOSE, on_close);
            HANDLE_MSG(window, WM_QUERYENDSESSION, on_query_end_session);
            HANDLE_MSG(window, WM_ENDSESSION, on_end_session);
            HANDLE_MSG(window, WM_DESTROY, on_destroy);
            HANDLE_MSG(window, WM_COMMAND, on_command);
            HANDLE_MSG(window, WM_NOTIFY, on_notify);
            HANDLE_MSG(window, WM_DROPFILES, on_drop_files);
            HANDLE_MSG(window, WM_SETFOCUS, on_set_focus);
        case WM_MENUSELECT:
            on_menu_select(window, wParam, lParam);
            return 0;
        case WM_DPICHANGED:
            on_dpi_changed(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SYSCOLORCHANGE:
            forward_color_change(context_of(window), wParam, lParam);
            return 0;
        case kAskAfterSessionWentOn:
            ask_after_session_went_on(window);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return within_barrier([&] { return on_message(window, message, wParam, lParam); },
                          [&] { return DefWindowProcA(window, message, wParam, lParam); });
}

}  // namespace

// The tree takes the keyboard whenever the window does, at start and when a dialog or the sheet
// closes, so the arrow keys move in it at once. A tree just rebuilt has nothing selected; its
// first line becomes the caret, as the tree view makes it itself when it gains the focus.
void give_tree_the_keyboard(const AppContext& app) {
    HWND tree = app.tree_view;
    if (!tree) {
        return;
    }
    SetFocus(tree);
    if (!TreeView_GetSelection(tree)) {
        TreeView_Select(tree, TreeView_GetRoot(tree), TVGN_CARET);
    }
}

bool register_main_window_class(HINSTANCE instance) {
    WNDCLASSA window_class{};
    if (GetClassInfoA(instance, kMainWindowClass, &window_class)) {
        return true;
    }
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = MainWindowProc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, "TESSM");
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // The toolbar of the version 6 common controls draws its parent's background, so the
    // application-workspace grey would make it a dark band: use the button face instead.
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszMenuName = "TESSM";
    window_class.lpszClassName = kMainWindowClass;
    return RegisterClassA(&window_class) != 0;
}

HWND create_main_window(AppContext& app) {
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    return CreateWindowExA(0, kMainWindowClass, kMainWindowTitle,
                           WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 5, screen_width - 40,
                           screen_height - 40, nullptr, nullptr, app.instance, &app);
}

int run_tessmar(HINSTANCE instance, int show_command, const std::string& start_file) {
    ProgramState state;
    recall_chosen_port(state.port);
    AppContext app;
    app.instance = instance;
    app.state = &state;
    if (!register_main_window_class(instance)) {
        return 0;
    }
    HWND window = create_main_window(app);
    if (!window) {
        return 0;
    }
    ShowWindow(window, show_command);
    UpdateWindow(window);
    // Once the window is up, so that a file that cannot be read is reported over it.
    if (!start_file.empty()) {
        open_file_at_start(app, start_file);
    }
    HACCEL accelerators = LoadAcceleratorsA(instance, "TESSM");

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (accelerators && TranslateAcceleratorA(window, accelerators, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace tessmar
