#include "pages/ui/key_grid_painting.h"

#include <windowsx.h>

#include <algorithm>

#include "win32/dpi.h"
#include "win32/gdi_objects.h"

namespace tessmar {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSelectionBlue = RGB(0, 0, 255);
constexpr COLORREF kCellLineGrey = RGB(196, 196, 196);
constexpr COLORREF kResultGrey = RGB(128, 128, 128);
constexpr UINT kCellTextFormat = DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
// The resulting text starts this far from the left edge, and a cell's label keeps at least this
// much room on either side, at 96 dots per inch.
constexpr int kResultIndent = 5;
constexpr int kLabelMargin = 2;

// Lines with both end points drawn (LineTo leaves out its last point).
void vertical_line(HDC dc, int x, int top, int bottom) {
    MoveToEx(dc, x, top, nullptr);
    LineTo(dc, x, bottom + 1);
}

void horizontal_line(HDC dc, int y, int left, int right) {
    MoveToEx(dc, left, y, nullptr);
    LineTo(dc, right + 1, y);
}

// Where the grid's lines fall: multiples of the cell size, the last ones kept inside the client
// when no pixel is left over.
struct GridLines {
    KeyGridMetrics metrics;
    int right = 0;
    int bottom = 0;
};

GridLines grid_lines(const KeyGridMetrics& metrics, const RECT& client) {
    return {metrics, std::min(metrics.cell_width * (metrics.columns + 1), int{client.right} - 1),
            std::min(metrics.cell_height * (kKeyGridRows + 1), int{client.bottom} - 1)};
}

// The 3-D highlight along the client's inner edge and inside each header cell.
void draw_highlights(HDC dc, const GridLines& grid) {
    const KeyGridMetrics& m = grid.metrics;
    SelectedObject pen(dc, GetStockPen(WHITE_PEN));
    vertical_line(dc, 1, 1, grid.bottom - 1);
    horizontal_line(dc, 1, 1, grid.right - 1);
    for (int column = 1; column <= m.columns; ++column) {
        vertical_line(dc, column * m.cell_width + 1, 1, m.cell_height - 1);
    }
    for (int row = 1; row <= kKeyGridRows; ++row) {
        horizontal_line(dc, row * m.cell_height + 1, 1, m.cell_width - 1);
    }
}

void draw_cell_borders(HDC dc, const GridLines& grid) {
    const KeyGridMetrics& m = grid.metrics;
    OwnedGdiObject grey(CreatePen(PS_SOLID, 1, kCellLineGrey));
    SelectedObject pen(dc, grey.get());
    for (int column = 2; column <= m.columns; ++column) {
        vertical_line(dc, column * m.cell_width, m.cell_height, grid.bottom);
    }
    for (int row = 2; row <= kKeyGridRows; ++row) {
        horizontal_line(dc, row * m.cell_height, m.cell_width, grid.right);
    }
}

// The outer frame, the lines that set the headers apart, and the borders between header cells.
void draw_frame_and_header_lines(HDC dc, const GridLines& grid) {
    const KeyGridMetrics& m = grid.metrics;
    SelectedObject pen(dc, GetStockPen(BLACK_PEN));
    horizontal_line(dc, 0, 0, grid.right);
    horizontal_line(dc, grid.bottom, 0, grid.right);
    vertical_line(dc, 0, 0, grid.bottom);
    vertical_line(dc, grid.right, 0, grid.bottom);
    horizontal_line(dc, m.cell_height, 0, grid.right);
    vertical_line(dc, m.cell_width, 0, grid.bottom);
    for (int column = 2; column <= m.columns; ++column) {
        vertical_line(dc, column * m.cell_width, 0, m.cell_height);
    }
    for (int row = 2; row <= kKeyGridRows; ++row) {
        horizontal_line(dc, row * m.cell_height, 0, m.cell_width);
    }
}

void fill(HDC dc, const GridRect& area, HBRUSH brush) {
    const RECT rect{area.left, area.top, area.right, area.bottom};
    FillRect(dc, &rect, brush);
}

// Text in the part of a grid cell inside its lines.
void write_in_cell(HDC dc, int column, int row, const KeyGridMetrics& m, const std::string& text) {
    RECT rect{column * m.cell_width + 1, row * m.cell_height + 1, (column + 1) * m.cell_width,
              (row + 1) * m.cell_height};
    DrawTextA(dc, text.c_str(), -1, &rect, kCellTextFormat);
}

void write_labels(HDC dc, const KeyGridMetrics& m, const KeyGridState& state) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kBlack);
    for (int column = 0; column < m.columns; ++column) {
        write_in_cell(dc, column + 1, 0, m, key_grid_column_header(column));
    }
    for (int row = 0; row < kKeyGridRows; ++row) {
        write_in_cell(dc, 0, row + 1, m, key_grid_row_header(row));
    }
    for (int column = 0; column < m.columns; ++column) {
        for (int row = 0; row < kKeyGridRows; ++row) {
            const KeyGridCell cell{column, row};
            SetTextColor(dc, cell == state.selected ? kWhite : kBlack);
            write_in_cell(dc, column + 1, row + 1, m, key_grid_cell_label(state.form, cell));
        }
    }
}

int widest_label(HDC dc, KeyStringForm form) {
    int widest = 0;
    for (int column = 0; column < key_grid_columns(form); ++column) {
        for (int row = 0; row < kKeyGridRows; ++row) {
            const std::string label = key_grid_cell_label(form, {column, row});
            SIZE size{};
            GetTextExtentPoint32A(dc, label.c_str(), static_cast<int>(label.size()), &size);
            widest = std::max(widest, int{size.cx});
        }
    }
    return widest;
}

}  // namespace

HFONT create_fitting_label_font(HWND grid, HFONT font, KeyStringForm form) {
    RECT client;
    GetClientRect(grid, &client);
    const KeyGridMetrics metrics = key_grid_metrics(form, client.right, client.bottom);
    const int room = metrics.cell_width - 1 - 2 * scale_to_dpi(kLabelMargin);
    HDC dc = GetDC(grid);
    int widest = 0;
    {
        SelectedObject measured(dc, font);
        widest = widest_label(dc, form);
    }
    ReleaseDC(grid, dc);
    LOGFONTA face{};
    if (room <= 0 || widest <= room || !GetObjectA(font, sizeof face, &face)) {
        return nullptr;
    }
    // Text widths grow with the font's height.
    face.lfHeight = MulDiv(face.lfHeight, room, widest);
    face.lfWidth = 0;
    return CreateFontIndirectA(&face);
}

void paint_key_grid(HDC dc, const RECT& client, HFONT font, const KeyGridState& state) {
    SavedDcState saved(dc);
    FillRect(dc, &client, GetStockBrush(LTGRAY_BRUSH));
    const KeyGridMetrics metrics = key_grid_metrics(state.form, client.right, client.bottom);
    if (metrics.cell_width == 0 || metrics.cell_height == 0) {
        return;
    }
    const GridLines grid = grid_lines(metrics, client);
    const RECT cell_area{metrics.cell_width, metrics.cell_height, grid.right, grid.bottom};
    FillRect(dc, &cell_area, GetStockBrush(WHITE_BRUSH));
    draw_highlights(dc, grid);
    draw_cell_borders(dc, grid);
    draw_frame_and_header_lines(dc, grid);

    OwnedGdiObject blue(CreateSolidBrush(kSelectionBlue));
    fill(dc, key_grid_selection_fill(metrics, state.selected), static_cast<HBRUSH>(blue.get()));
    SelectedObject text_font(dc, font);
    write_labels(dc, metrics, state);
}

void paint_resulting_text(HDC dc, const RECT& client, HFONT font, const char* text) {
    SavedDcState saved(dc);
    {
        SelectedObject pen(dc, GetStockPen(BLACK_PEN));
        SelectedObject brush(dc, GetStockBrush(WHITE_BRUSH));
        Rectangle(dc, 1, 1, client.right, client.bottom);
    }
    {
        OwnedGdiObject grey(CreatePen(PS_SOLID, 1, kResultGrey));
        SelectedObject pen(dc, grey.get());
        MoveToEx(dc, 0, client.bottom, nullptr);
        LineTo(dc, 0, 0);
        LineTo(dc, client.right, 0);
    }
    SelectedObject text_font(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kResultGrey);
    RECT area{scale_to_dpi(kResultIndent), 0, client.right, client.bottom};
    DrawTextA(dc, text, -1, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void paint_open_key_entry_box(HDC dc, const RECT& client) {
    OwnedGdiObject blue(CreateSolidBrush(kSelectionBlue));
    SelectedObject brush(dc, blue.get());
    SelectedObject pen(dc, GetStockPen(BLACK_PEN));
    Rectangle(dc, 0, 0, client.right, client.bottom);
}

}  // namespace tessmar
