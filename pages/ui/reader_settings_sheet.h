#pragma once

#include <windows.h>

#include "pages/ui/page_context.h"
#include "summary/setting_search.h"

namespace tessmar {

// Runs the modal "Reader Settings" sheet on the record, owned by `owner`, on page `start_page`
// (0 "Scanner" to 5 "Edit Format"), or where `route` leads: on its page, opening the dialog or
// sheet on the way, with the route's control focused. OK commits every page that was shown and
// marks the document modified; Cancel commits nothing. Either way the document is marked modified
// when the record changed meanwhile (what Reset and the dialogs wrote at once), and the summary
// tree in `tree_view` is rebuilt and repainted afterwards.
void open_reader_settings(const PageContext& context, HWND owner, HWND tree_view,
                          int start_page = 0, const SettingRoute* route = nullptr);

}  // namespace tessmar
