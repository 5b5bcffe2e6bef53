// Help > Tessmar Manual: the manual installed beside the program, in the default browser.
#pragma once

#include <windows.h>

#include <string>

namespace tessmar {

// The manual's file name, beside Tessmar.exe.
inline constexpr char kManualFileName[] = "Manual.html";

// Opens `program_directory`'s Manual.html as Explorer would (the default browser). When there
// is none, or Windows cannot open it, says so over `owner` and where the manual comes from.
void open_manual(HWND owner, const std::string& program_directory);

}  // namespace tessmar
