// A modal property sheet whose pages are descriptions run by ReaderPageProc: the Reader Settings
// sheet and the editing-format sheet.
#pragma once

#include <windows.h>

#include <any>
#include <span>

#include "pages/reader_page.h"

namespace tessmar {

struct PageTemplate {
    const char* name;
    const PageDescription* description;
};

// Builds the pages in tab order (each takes its tab text from its template's caption) and runs
// the sheet modally over `owner`, with OK and Cancel only and the program's icon. `launch` is
// handed to every page. Returns once the sheet is closed; when a page cannot be built the sheet
// is not shown.
void run_page_sheet(const PageContext& context, HWND owner, const char* caption,
                    std::span<const PageTemplate> pages, const std::any& launch = {});

}  // namespace tessmar
