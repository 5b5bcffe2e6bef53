#include "app/main_toolbar.h"

#include <commctrl.h>

#include <array>

#include "resources/resource.h"
#include "win32/dpi.h"

namespace tessmar {
namespace {

struct ToolbarButton {
    int command;    // 0 for a separator
    int std_image;  // index into the common controls' standard colour bitmap
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

// The common controls' standard images come in two sizes; from 144 dots per inch on the large
// ones keep the buttons as easy to hit as at 96.
struct ToolbarImages {
    UINT_PTR bitmap;
    int width;
    int height;
};

ToolbarImages toolbar_images(int dpi) {
    if (scale_to_dpi(16, dpi) >= 24) {
        return {IDB_STD_LARGE_COLOR, 24, 24};
    }
    return {IDB_STD_SMALL_COLOR, 16, 15};
}

HWND create_toolbar(HWND parent, const ToolbarImages& images) {
    return CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS,
                           IDC_TOOLBAR, 6, HINST_COMMCTRL, images.bitmap, nullptr, 0, images.width,
                           images.height, images.width, images.height, sizeof(TBBUTTON));
}

void add_toolbar_buttons(HWND toolbar, const ToolbarImages& images) {
    TBADDBITMAP bitmap{HINST_COMMCTRL, images.bitmap};
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

}  // namespace

MainToolbar create_main_toolbar(HWND parent, HINSTANCE instance, int dpi) {
    const ToolbarImages images = toolbar_images(dpi);
    MainToolbar created;
    created.toolbar = create_toolbar(parent, images);
    if (created.toolbar) {
        add_toolbar_buttons(created.toolbar, images);
        created.tooltips = create_toolbar_tooltips(parent, created.toolbar, instance);
    }
    return created;
}

void destroy_main_toolbar(MainToolbar& toolbar) {
    if (toolbar.tooltips) {
        DestroyWindow(toolbar.tooltips);
    }
    if (toolbar.toolbar) {
        DestroyWindow(toolbar.toolbar);
    }
    toolbar = {};
}

}  // namespace tessmar
