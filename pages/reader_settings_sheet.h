#pragma once

#include "app/app_context.h"

namespace tessmar {

// Runs the modal "Reader Settings" sheet on the record. OK commits every page that was shown
// and marks the document modified; Cancel commits nothing. Either way the summary tree is
// rebuilt and repainted afterwards.
void open_reader_settings(AppContext& app);

}  // namespace tessmar
