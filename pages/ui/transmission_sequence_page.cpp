// "Transmission Sequence": the order in which an editing format sends its fields and additional
// fields, built token by token with the buttons and shown as token labels.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "model/key_string.h"
#include "pages/transmission_sequence.h"
#include "win32/accessible_control.h"
#include "pages/ui/editing_format_pages.h"
#include "pages/ui/editing_format_sheet.h"
#include "pages/ui/key_grid_painting.h"
#include "pages/ui/reader_page.h"
#include "resources/resource.h"
#include "win32/dialog_controls.h"
#include "win32/user_message.h"

namespace tessmar {
namespace {

constexpr char kTooManyFields[] = "Too many fields !!!";
// The buttons of tokens 1 to 11: six fields, then five additional fields.
constexpr int kTokenButtons = kMaxFields + kAdditionalFields;
constexpr UINT_PTR kControlsSubclassId = 1;

// The page's data: the sequence being built.
using SequencePageState = PageState<TokenList>;

void say_too_many_fields(HWND page) {
    report_error(page, kTooManyFields);
}

// The sequence static paints its own window text.
void show_sequence(HWND page, const TokenList& list) {
    HWND sequence = GetDlgItem(page, IDC_SEQUENCE);
    SetWindowTextA(sequence, render_transmission_sequence(list.bytes).c_str());
    InvalidateRect(sequence, nullptr, FALSE);
    announce_value_change(sequence);
}

// What a screen reader says of the sequence: the captions of the buttons that added its tokens,
// as a list with one item per token, and as its value.
AccessibleText describe_sequence(HWND sequence) {
    HWND page = GetParent(sequence);
    const SequencePageState* state = dialog_state<SequencePageState>(page);
    if (!state) {
        return {};
    }
    AccessibleParts list{
        .role = ROLE_SYSTEM_LIST, .part_role = ROLE_SYSTEM_LISTITEM, .parts = {}, .current = {}};
    std::string tokens;
    for (std::size_t i = 0; i < state->data.count; ++i) {
        const int button = IDC_TOKEN_FIRST + state->data.bytes[i] - 1;
        const std::string caption = caption_words(GetDlgItem(page, button));
        tokens += (i == 0 ? "" : ", ") + caption;
        list.parts.push_back({caption, {}});
    }
    return {"Transmission Sequence", tokens, std::move(list)};
}

void remove_last(HWND page) {
    if (SequencePageState* state = dialog_state<SequencePageState>(page)) {
        remove_last_token(state->data);
        show_sequence(page, state->data);
    }
}

LRESULT on_control_message(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK sequence_controls_proc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR) {
    return within_barrier([&] { return on_control_message(control, message, wParam, lParam); },
                          [&] { return DefSubclassProc(control, message, wParam, lParam); });
}

// Backspace, on the sequence or any of the page's buttons, takes back the last token. The
// sequence shows a focus rectangle while it has the focus. The buttons are keys to type the
// sequence with, never the default button: Enter after them presses OK rather than adding the
// token again.
LRESULT on_control_message(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            if (GetDlgCtrlID(control) != IDC_SEQUENCE) {
                return (DefSubclassProc(control, message, wParam, lParam) &
                        ~(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) |
                       DLGC_BUTTON;
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_BACK) {
                remove_last(GetParent(control));
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_UPDATEUISTATE:
            if (GetDlgCtrlID(control) == IDC_SEQUENCE) {
                InvalidateRect(control, nullptr, FALSE);
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(control, sequence_controls_proc, kControlsSubclassId);
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

void take_keys(HWND page) {
    for (int id = IDC_TOKEN_FIRST; id < IDC_TOKEN_FIRST + kTokenButtons; ++id) {
        SetWindowSubclass(GetDlgItem(page, id), sequence_controls_proc, kControlsSubclassId, 0);
    }
    for (const int id : {IDC_SEQUENCE_CLEAR, IDC_SEQUENCE}) {
        SetWindowSubclass(GetDlgItem(page, id), sequence_controls_proc, kControlsSubclassId, 0);
    }
}

// The stored bytes are read once, when the page is created; a sequence too long for the list
// says so for each token it loses.
void prepare(HWND page, SequencePageState& state) {
    take_keys(page);
    describe_to_screen_readers(GetDlgItem(page, IDC_SEQUENCE), describe_sequence);
    const TokenListOpening opening =
        open_token_list(staging_block(state.program()).transmission_sequence());
    state.data = opening.list;
    for (int i = 0; i < opening.refused; ++i) {
        say_too_many_fields(page);
    }
}

void fill(HWND page, SequencePageState& state) {
    show_sequence(page, state.data);
}

bool command(HWND page, SequencePageState& state, int id, UINT code) {
    const bool token_button = id >= IDC_TOKEN_FIRST && id < IDC_TOKEN_FIRST + kTokenButtons;
    if ((!token_button && id != IDC_SEQUENCE_CLEAR) || code != BN_CLICKED) {
        return false;
    }
    TokenList& list = state.data;
    if (id == IDC_SEQUENCE_CLEAR) {
        list = {};
    } else if (add_token(list, static_cast<unsigned>(id - IDC_TOKEN_FIRST + 1)) ==
               TokenOutcome::list_full) {
        say_too_many_fields(page);
        return true;
    }
    show_sequence(page, list);
    return true;
}

// Painted as the key grid paints its resulting text.
bool draw_item(const DRAWITEMSTRUCT& item) {
    if (item.CtlID != IDC_SEQUENCE) {
        return false;
    }
    paint_resulting_text(item, control_text(item.hwndItem).c_str());
    return true;
}

// One token per byte, zeros after the last.
void commit(HWND, SequencePageState& state) {
    std::ranges::copy(state.data.bytes,
                      staging_block(state.program()).transmission_sequence().begin());
}

const PageDescription<TokenList> kDescription = {
    .prepare = prepare,
    .fill = fill,
    .command = command,
    .commit = commit,
    .draw_item = draw_item,
};

}  // namespace

INT_PTR CALLBACK TransmissionSequencePageProc(HWND page, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    return ReaderPageProc<kDescription>(page, message, wParam, lParam);
}

}  // namespace tessmar
