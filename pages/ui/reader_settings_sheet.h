#pragma once

#include <windows.h>

#include "pages/ui/page_context.h"

namespace tessmar {

// Runs the modal "Reader Settings" sheet on the record, owned by `owner`. OK commits every page
// that was shown and marks the document modified; Cancel commits nothing. Either way the summary
// tree in `tree_view` is rebuilt and repainted afterwards.
void open_reader_settings(const PageContext& context, HWND owner, HWND tree_view);

}  // namespace tessmar
