// What the pages and dialogs of the Reader Settings sheet work on.
#pragma once

#include <windows.h>

#include "model/program_state.h"

namespace tessmar {

struct PageContext {
    HINSTANCE instance = nullptr;  // holds the templates of the pages, dialogs and key grid
    ProgramState* state = nullptr;
};

}  // namespace tessmar
