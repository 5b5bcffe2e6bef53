// Driving the pages and dialogs of the Reader Settings sheet as a user does, by control id, and
// reading what they show.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "model/program_state.h"

namespace tessmar::test {

// Picks a list item as a user does: the list changes and tells its dialog.
void select_item(HWND dialog, int id, int index);
// Clicks a button, a check box or a radio.
void click(HWND dialog, int id);
int selection(HWND dialog, int id);
bool checked(HWND dialog, int id);
bool visible(HWND dialog, int id);
bool enabled(HWND dialog, int id);
std::string text_of(HWND dialog, int id);
// Selects an edit box's whole text and types `text` over it, a change per character; the empty
// text deletes it.
void retype(HWND dialog, int id, const std::string& text);
std::vector<std::string> items_of(HWND dialog, int id);

// Shows the sheet's tab `index` (0 for Scanner) and returns its page.
HWND show_tab(HWND sheet, int index);
// The texts of a sheet's tabs, in order.
std::vector<std::string> tab_captions(HWND sheet);

// The setup-code sheet of `state`, as Print scanner settings writes it (Yes to the defaults
// question).
std::string setup_sheet_text(ProgramState& state);

}  // namespace tessmar::test
