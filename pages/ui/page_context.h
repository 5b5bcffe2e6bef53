// What the pages and dialogs of the Reader Settings sheet work on.
#pragma once

#include <windows.h>

#include "model/program_state.h"

namespace tessmar {

// What the pages and dialogs of a sheet work on: the module that holds their templates, and the
// program's state.
struct PageContext {
    HINSTANCE instance = nullptr;  // holds the templates of the pages, dialogs and key grid
    ProgramState* state = nullptr;
};

}  // namespace tessmar
