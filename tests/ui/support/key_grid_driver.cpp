#include "tests/ui/support/key_grid_driver.h"

#include "resources/resource.h"
#include "tests/ui/support/ui_driver.h"

namespace tessmar::test {
namespace {

HWND grid_static(HWND grid_dialog) {
    return GetDlgItem(grid_dialog, IDC_KEY_GRID);
}

}  // namespace

KeyGridMetrics grid_metrics(HWND grid_dialog, KeyStringForm form) {
    RECT client;
    GetClientRect(grid_static(grid_dialog), &client);
    return key_grid_metrics(form, client.right, client.bottom);
}

POINT grid_cell_centre(HWND grid_dialog, KeyStringForm form, KeyGridCell cell) {
    const GridRect box = key_grid_cell_box(grid_metrics(grid_dialog, form), cell);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

void click_grid_cell(HWND grid_dialog, KeyStringForm form, KeyGridCell cell) {
    click_at(grid_static(grid_dialog), grid_cell_centre(grid_dialog, form, cell));
}

void double_click_grid_cell(HWND grid_dialog, KeyStringForm form, KeyGridCell cell) {
    double_click_at(grid_static(grid_dialog), grid_cell_centre(grid_dialog, form, cell));
}

std::string resulting_text(HWND grid_dialog) {
    return window_text(GetDlgItem(grid_dialog, IDC_RESULTING_TEXT));
}

}  // namespace tessmar::test
