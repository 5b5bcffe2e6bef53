// A modal property sheet whose pages are descriptions run by ReaderPageProc: the Reader Settings
// sheet and the editing-format sheet.
#pragma once

#include <windows.h>

#include <span>

#include "pages/ui/reader_page.h"

namespace tessmar {

struct PageTemplate {
    const char* name;
    DLGPROC procedure;
};

// Builds the pages in tab order (each takes its tab text from its template's caption) and runs
// the sheet `launch` describes modally over `owner`, with OK and Cancel only and the program's
// icon, showing page `start_page` first. Returns once the sheet is closed: true when its OK
// committed the pages. When a page cannot be built the sheet is not shown.
bool run_page_sheet(PageLaunch& launch, HWND owner, std::span<const PageTemplate> pages,
                    int start_page = 0);

// The index of the page of template `name` (matched as the resource loader does, in any case),
// or 0 when there is none.
int page_index(std::span<const PageTemplate> pages, const char* name);

}  // namespace tessmar
