#include "pages/ui/page_sheet.h"

#include <commctrl.h>

#include <vector>

namespace tessmar {

bool run_page_sheet(const PageContext& context, HWND owner, const PageSheet& sheet,
                    std::span<const PageTemplate> pages, int start_page) {
    // Every page reads this through its lParam for as long as the sheet runs.
    PageLaunch launch{context, sheet};
    std::vector<HPROPSHEETPAGE> handles;
    for (const PageTemplate& page : pages) {
        PROPSHEETPAGEA sheet_page{};
        sheet_page.dwSize = sizeof sheet_page;
        sheet_page.hInstance = context.instance;
        sheet_page.pszTemplate = page.name;
        sheet_page.pfnDlgProc = page.procedure;
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
    header.pszCaption = sheet.caption;
    header.nPages = static_cast<UINT>(handles.size());
    header.nStartPage = static_cast<UINT>(start_page);
    header.phpage = handles.data();
    PropertySheetA(&header);
    return launch.committed;
}

}  // namespace tessmar
