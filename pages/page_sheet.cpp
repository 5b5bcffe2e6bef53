#include "pages/page_sheet.h"

#include <commctrl.h>

#include <vector>

namespace tessmar {

void run_page_sheet(const PageContext& context, HWND owner, const char* caption,
                    std::span<const PageTemplate> pages, const std::any& launch) {
    // The pages read these through their lParam for as long as the sheet runs.
    std::vector<PageLaunch> launches;
    launches.reserve(pages.size());
    std::vector<HPROPSHEETPAGE> handles;
    for (const PageTemplate& page : pages) {
        const PageLaunch& page_launch = launches.emplace_back(context, page.description, launch);
        PROPSHEETPAGEA sheet_page{};
        sheet_page.dwSize = sizeof sheet_page;
        sheet_page.hInstance = context.instance;
        sheet_page.pszTemplate = page.name;
        sheet_page.pfnDlgProc = ReaderPageProc;
        sheet_page.lParam = reinterpret_cast<LPARAM>(&page_launch);
        if (HPROPSHEETPAGE handle = CreatePropertySheetPageA(&sheet_page)) {
            handles.push_back(handle);
        }
    }
    if (handles.size() != pages.size()) {
        for (HPROPSHEETPAGE handle : handles) {
            DestroyPropertySheetPage(handle);
        }
        return;
    }

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOAPPLYNOW | PSH_USEICONID;
    header.hwndParent = owner;
    header.hInstance = context.instance;
    header.pszIcon = "TESSM";
    header.pszCaption = caption;
    header.nPages = static_cast<UINT>(handles.size());
    header.nStartPage = 0;
    header.phpage = handles.data();
    PropertySheetA(&header);
}

}  // namespace tessmar
