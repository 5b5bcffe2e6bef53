#include "pages/ui/page_sheet.h"

#include <commctrl.h>

#include <vector>

namespace tessmar {

bool run_page_sheet(PageLaunch& launch, HWND owner, std::span<const PageTemplate> pages,
                    int start_page) {
    const PageContext& context = launch.context;
    std::vector<HPROPSHEETPAGE> handles;
    for (const PageTemplate& page : pages) {
        PROPSHEETPAGEA sheet_page{};
        sheet_page.dwSize = sizeof sheet_page;
        sheet_page.hInstance = context.instance;
        sheet_page.pszTemplate = page.name;
        sheet_page.pfnDlgProc = page.procedure;
        // Every page reads the launch through its lParam for as long as the sheet runs.
        sheet_page.lParam = reinterpret_cast<LPARAM>(&launch);
        if (HPROPSHEETPAGE handle = CreatePropertySheetPageA(&sheet_page)) {
            handles.push_back(handle);
        }
    }
    if (handles.size() != pages.size()) {
        for (HPROPSHEETPAGE handle : handles) {
            DestroyPropertySheetPage(handle);
        }
        return false;
    }

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    // Windows gives every sheet a "?" button unless told not to; ours has no help to show.
    header.dwFlags = PSH_NOAPPLYNOW | PSH_USEICONID | PSH_NOCONTEXTHELP;
    header.hwndParent = owner;
    header.hInstance = context.instance;
    header.pszIcon = "TESSM";
    header.pszCaption = launch.caption;
    header.nPages = static_cast<UINT>(handles.size());
    header.nStartPage = static_cast<UINT>(start_page);
    header.phpage = handles.data();
    PropertySheetA(&header);
    return launch.committed;
}

int page_index(std::span<const PageTemplate> pages, const char* name) {
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (name && lstrcmpiA(pages[i].name, name) == 0) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

}  // namespace tessmar
