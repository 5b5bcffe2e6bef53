#pragma once

#include <windows.h>

namespace tessmar {

// Shows the modal About box "The Tessmar".
void show_about_box(HINSTANCE instance, HWND owner);

}  // namespace tessmar
