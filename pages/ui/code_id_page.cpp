// The Code ID page: the code IDs of the sixteen symbologies that have one, each a key-entry box,
// and "Set 1" to "Set 5" and "Clear", which fill every entry at once.
// The buttons mark where each entry came from (`code_id_origin`) at once; the working set number
// becomes `code_id_set` on OK.
#include <algorithm>
#include <array>
#include <string>

#include "model/code_id_presets.h"
#include "model/symbologies.h"
#include "pages/ui/reader_page.h"
#include "pages/ui/reader_pages.h"
#include "resources/resource.h"

namespace tessmar {
namespace {

// Boxes 601 to 616 in the page's order, each on its record slot: UPCA's lies after Plessey's.
constexpr std::array<KeyBoxSpec, kCodeIds> kKeyBoxes = [] {
    std::array<KeyBoxSpec, kCodeIds> boxes{};
    for (int entry = 0; entry < kCodeIds; ++entry) {
        boxes[static_cast<std::size_t>(entry)] =
            bind::key_box(IDC_CODE_ID_FIRST + entry, code_id_slot(entry));
    }
    return boxes;
}();

// "Code 39 code ID": the page's labels name the symbologies alone.
std::string key_box_name(std::size_t entry) {
    return std::string(symbology_info(kCodeIdSymbologies[entry]).name) + " code ID";
}

// "Clear" follows "Set 5".
static_assert(IDC_CODE_ID_CLEAR == IDC_CODE_ID_SET_1 + kCodeIdPresetSets);

// The page's data: the working set number, 0 to 5.
using CodeIdPageState = PageState<int>;

void prepare(HWND, CodeIdPageState& state) {
    state.data = state.program().code_id_set;
}

// Fills every entry from set `set`, or empties it for 0 ("Clear").
void fill_from_set(HWND page, CodeIdPageState& state, int set) {
    ProgramState& program = state.program();
    for (int entry = 0; entry < kCodeIds; ++entry) {
        const auto index = static_cast<std::size_t>(entry);
        const KeyStringBuffer value =
            set == 0 ? KeyStringBuffer{} : code_id_preset_value(set, entry);
        std::ranges::copy(value, state.controls.key_boxes().value(index).begin());
        state.controls.key_boxes().show(page, index, program.interface_class);
        program.code_id_origin[index] = set;
    }
    state.data = set;
}

bool command(HWND page, CodeIdPageState& state, int id, UINT code) {
    if (code != BN_CLICKED || id < IDC_CODE_ID_SET_1 || id > IDC_CODE_ID_CLEAR) {
        return false;
    }
    fill_from_set(page, state, id == IDC_CODE_ID_CLEAR ? 0 : id - IDC_CODE_ID_SET_1 + 1);
    return true;
}

void commit(HWND, CodeIdPageState& state) {
    state.program().code_id_set = state.data;
}

const PageDescription<int> kDescription = {
    .controls = {.key_boxes = kKeyBoxes, .key_box_name = key_box_name},
    .prepare = prepare,
    .command = command,
    .commit = commit,
};

}  // namespace

INT_PTR CALLBACK CodeIdPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ReaderPageProc<kDescription>(page, message, wParam, lParam);
}

}  // namespace tessmar
