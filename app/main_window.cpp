#include "app/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>

#include "app/commands.h"
#include "app/outside_files.h"
#include "resources/resource.h"
#include "summary/ui/summary_tree_view.h"
#include "win32/common_controls.h"
#include "win32/dpi.h"
#include "win32/procedure_barrier.h"

namespace tessmar {
namespace {

struct ToolbarButton {
    int command;    // 0 for a separator
    int std_image;  // index into the common controls' standard small colour bitmap
};

constexpr ToolbarButton kToolbarButtons[] = {
    {0, 0},
    {IDM_FILE_NEW, STD_FILENEW},
    {IDM_FILE_OPEN, STD_FILEOPEN},
    {IDM_FILE_SAVE, STD_FILESAVE},
    {0, 0},
    {IDM_CONFIGURE_SCANNER, STD_PROPERTIES},
    {0, 0},
    {IDM_PRINT_SCANNER_SETTINGS, STD_PRINT},
    {IDM_DOWNLOAD_SETTINGS, STD_COPY},
    {IDM_COMPARE_WITH_SCANNER, STD_FIND},
};

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

// The common controls' standard images come in two sizes; from 144 dots per inch on the large
// ones keep the buttons as easy to hit as at 96.
struct ToolbarImages {
    UINT_PTR bitmap;
    int width;
    int height;
};

ToolbarImages toolbar_images() {
    if (scale_to_dpi(16) >= 24) {
        return {IDB_STD_LARGE_COLOR, 24, 24};
    }
    return {IDB_STD_SMALL_COLOR, 16, 15};
}

HWND create_toolbar(HWND parent) {
    const ToolbarImages images = toolbar_images();
    return CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS,
                           IDC_TOOLBAR, 6, HINST_COMMCTRL, images.bitmap, nullptr, 0, images.width,
                           images.height, images.width, images.height, sizeof(TBBUTTON));
}

void add_toolbar_buttons(HWND toolbar) {
    TBADDBITMAP bitmap{HINST_COMMCTRL, toolbar_images().bitmap};
    const auto first_image =
        static_cast<int>(SendMessageA(toolbar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&bitmap)));
    std::array<TBBUTTON, std::size(kToolbarButtons)> buttons{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ToolbarButton& button = kToolbarButtons[i];
        buttons[i].iBitmap = button.command ? first_image + button.std_image : 0;
        buttons[i].idCommand = button.command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = button.command ? BTNS_BUTTON : BTNS_SEP;
    }
    SendMessageA(toolbar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

// One tool per button, whose text is the string resource of the button's command id + 1000.
HWND create_toolbar_tooltips(HWND owner, HWND toolbar, HINSTANCE instance) {
    HWND tooltips =
        CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
    if (!tooltips) {
        return nullptr;
    }
    for (std::size_t position = 1; position < std::size(kToolbarButtons); ++position) {
        const int command = kToolbarButtons[position].command;
        if (command == 0) {
            continue;
        }
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = toolbar;
        tool.uId = static_cast<UINT_PTR>(command);
        tool.hinst = instance;
        tool.lpszText = MAKEINTRESOURCEA(command + IDS_TOOLTIP_OFFSET);
        SendMessageA(toolbar, TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&tool.rect));
        SendMessageA(tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageA(toolbar, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tooltips), 0);
    return tooltips;
}

// 16 by 8 pixels at 96 dots per inch.
HFONT create_tree_font() {
    return CreateFontA(scale_to_dpi(16), scale_to_dpi(8), 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FF_SWISS, "System");
}

BOOL on_create(HWND window, LPCREATESTRUCTA) {
    AppContext& app = context_of(window);
    app.main_window = window;
    // The first tree shows the defaults, so they are in place before any child exists.
    load_factory_defaults(*app.state);
    register_common_controls(kCommonControlClasses);
    note_program_directory(*app.state);

    app.toolbar = create_toolbar(window);
    app.tree_view = CreateWindowExA(
        WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | TVS_HASBUTTONS | TVS_HASLINES |
            TVS_LINESATROOT | TVS_DISABLEDRAGDROP,
        0, 0, 0, 0, window, reinterpret_cast<HMENU>(IDC_TREE_VIEW), app.instance, nullptr);
    app.status_bar =
        CreateStatusWindowA(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_BOTTOM | SBARS_SIZEGRIP,
                            "", window, IDC_STATUS_BAR);

    if (app.toolbar) {
        add_toolbar_buttons(app.toolbar);
        app.tooltips = create_toolbar_tooltips(window, app.toolbar, app.instance);
    }
    if (app.tree_view) {
        app.tree_font = create_tree_font();
        SetWindowFont(app.tree_view, app.tree_font, FALSE);
        build_summary_tree(app.tree_view, *app.state);
    }
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

void on_close(HWND window) {
    if (offer_to_save(context_of(window), "Save the program ?")) {
        DestroyWindow(window);
    }
}

// Logging off or shutting down asks about unsaved changes as a close does; Cancel, or a save that
// failed, keeps the session going.
BOOL on_query_end_session(HWND window) {
    return offer_to_save(context_of(window), "Save the program ?");
}

// However the window goes, the font goes with it.
void on_destroy(HWND window) {
    AppContext& app = context_of(window);
    if (app.tree_font) {
        // The tree view is destroyed after its parent; it must not paint with a deleted font.
        SetWindowFont(app.tree_view, nullptr, FALSE);
        DeleteObject(app.tree_font);
        app.tree_font = nullptr;
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
            HANDLE_MSG(window, WM_DESTROY, on_destroy);
            HANDLE_MSG(window, WM_COMMAND, on_command);
            HANDLE_MSG(window, WM_DROPFILES, on_drop_files);
            HANDLE_MSG(window, WM_SETFOCUS, on_set_focus);
        case WM_MENUSELECT:
            on_menu_select(window, wParam, lParam);
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
