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
// the sheet modally over `owner`, with OK and Cancel only and the program's icon. Returns once
// the sheet is closed: true when its OK committed the pages. When a page cannot be built the
// sheet is not shown.
bool run_page_sheet(const PageContext& context, HWND owner, const PageSheet& sheet,
                    std::span<const PageTemplate> pages);

}  // namespace tessmar
