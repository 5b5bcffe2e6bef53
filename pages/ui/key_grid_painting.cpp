#include "pages/ui/key_grid_painting.h"

#include <windowsx.h>

#include <algorithm>

#include "win32/dpi.h"
#include "win32/gdi_objects.h"

namespace tessmar {
namespace {

// The system's colours for each part.
constexpr int kHeaderFace = COLOR_BTNFACE;  // the headers, and what no cell covers
constexpr int kHeaderText = COLOR_BTNTEXT;
constexpr int kRaisedEdge = COLOR_BTNHIGHLIGHT;
constexpr int kCellFace = COLOR_WINDOW;
constexpr int kCellText = COLOR_WINDOWTEXT;
constexpr int kCellLine = COLOR_BTNSHADOW;
constexpr int kFrameLine = COLOR_WINDOWFRAME;
constexpr int kSelection = COLOR_HIGHLIGHT;
constexpr int kSelectedText = COLOR_HIGHLIGHTTEXT;
constexpr int kResultFace = COLOR_WINDOW;
constexpr int kResultEdge = COLOR_BTNSHADOW;
constexpr int kResultText = COLOR_GRAYTEXT;
// A key-entry box whose grid is open keeps its own blue, but in high contrast.
constexpr COLORREF kOpenBoxBlue = RGB(0, 0, 255);
constexpr COLORREF kOpenBoxOutline = RGB(0, 0, 0);

constexpr UINT kCellTextFormat = DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
// The resulting text starts this far from the left edge, and a cell's label keeps at least this
// much room on either side, at 96 dots per inch.
constexpr int kResultIndent = 5;
constexpr int kLabelMargin = 2;

bool high_contrast() {
    HIGHCONTRASTA scheme{};
    scheme.cbSize = sizeof scheme;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof scheme, &scheme, 0) &&
           (scheme.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// Selects the pen of one colour for the lines drawn in its lifetime.
class LinePen {
  public:
    LinePen(HDC dc, COLORREF colour) : selected_(dc, GetStockObject(DC_PEN)) {
        SetDCPenColor(dc, colour);
    }

  private:
    SelectedObject selected_;
};

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
    LinePen pen(dc, GetSysColor(kRaisedEdge));
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
    LinePen pen(dc, GetSysColor(kCellLine));
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
    LinePen pen(dc, GetSysColor(kFrameLine));
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

RECT rect_of(const GridRect& area) {
    return {area.left, area.top, area.right, area.bottom};
}

// Text in the part of a grid cell inside its lines.
void write_in_cell(HDC dc, int column, int row, const KeyGridMetrics& m, const std::string& text) {
    RECT rect{column * m.cell_width + 1, row * m.cell_height + 1, (column + 1) * m.cell_width,
              (row + 1) * m.cell_height};
    DrawTextA(dc, text.c_str(), -1, &rect, kCellTextFormat);
}

void write_labels(HDC dc, const KeyGridMetrics& m, const KeyGridState& state) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(kHeaderText));
    for (int column = 0; column < m.columns; ++column) {
        write_in_cell(dc, column + 1, 0, m, key_grid_column_header(column));
    }
    for (int row = 0; row < kKeyGridRows; ++row) {
        write_in_cell(dc, 0, row + 1, m, key_grid_row_header(row));
    }
    for (int column = 0; column < m.columns; ++column) {
        for (int row = 0; row < kKeyGridRows; ++row) {
            const KeyGridCell cell{column, row};
            SetTextColor(dc, GetSysColor(cell == state.selected ? kSelectedText : kCellText));
            write_in_cell(dc, column + 1, row + 1, m, key_grid_cell_label(state.form, cell));
        }
    }
}

// The dotted focus rectangle, while `control` has the focus and the keyboard cues are on.
void draw_focus_cue(HDC dc, const RECT& rect, HWND control) {
    const LRESULT cues = SendMessageA(control, WM_QUERYUISTATE, 0, 0);
    if (GetFocus() != control || (cues & UISF_HIDEFOCUS) != 0) {
        return;
    }
    // The rectangle is drawn by inverting a pattern in these two colours.
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &rect);
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
    const int room = metrics.cell_width - 1 - 2 * scale_to_dpi(kLabelMargin, window_dpi(grid));
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

void paint_key_grid(const DRAWITEMSTRUCT& item, HFONT font, const KeyGridState& state) {
    HDC dc = item.hDC;
    const RECT& client = item.rcItem;
    SavedDcState saved(dc);
    FillRect(dc, &client, GetSysColorBrush(kHeaderFace));
    const KeyGridMetrics metrics = key_grid_metrics(state.form, client.right, client.bottom);
    if (metrics.cell_width == 0 || metrics.cell_height == 0) {
        return;
    }
    const GridLines grid = grid_lines(metrics, client);
    const RECT cell_area{metrics.cell_width, metrics.cell_height, grid.right, grid.bottom};
    FillRect(dc, &cell_area, GetSysColorBrush(kCellFace));
    draw_highlights(dc, grid);
    draw_cell_borders(dc, grid);
    draw_frame_and_header_lines(dc, grid);

    const RECT selection = rect_of(key_grid_selection_fill(metrics, state.selected));
    FillRect(dc, &selection, GetSysColorBrush(kSelection));
    {
        SelectedObject text_font(dc, font);
        write_labels(dc, metrics, state);
    }
    const RECT inside_selection{selection.left + 1, selection.top + 1, selection.right - 1,
                                selection.bottom - 1};
    draw_focus_cue(dc, inside_selection, item.hwndItem);
}

void paint_resulting_text(const DRAWITEMSTRUCT& item, const char* text) {
    HDC dc = item.hDC;
    const RECT& client = item.rcItem;
    SavedDcState saved(dc);
    {
        LinePen pen(dc, GetSysColor(kFrameLine));
        SelectedObject brush(dc, GetSysColorBrush(kResultFace));
        Rectangle(dc, 1, 1, client.right, client.bottom);
    }
    {
        LinePen pen(dc, GetSysColor(kResultEdge));
        MoveToEx(dc, 0, client.bottom, nullptr);
        LineTo(dc, 0, 0);
        LineTo(dc, client.right, 0);
    }
    {
        SelectedObject text_font(dc, GetWindowFont(item.hwndItem));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(kResultText));
        RECT area{scale_to_dpi(kResultIndent, window_dpi(item.hwndItem)), 0, client.right,
                  client.bottom};
        DrawTextA(dc, text, -1, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    const RECT inside{2, 2, client.right - 1, client.bottom - 1};
    draw_focus_cue(dc, inside, item.hwndItem);
}

void paint_open_key_entry_box(HDC dc, const RECT& client) {
    const bool contrast = high_contrast();
    OwnedGdiObject blue(contrast ? nullptr : CreateSolidBrush(kOpenBoxBlue));
    SelectedObject brush(dc, contrast ? GetSysColorBrush(kSelection) : blue.get());
    LinePen pen(dc, contrast ? GetSysColor(kFrameLine) : kOpenBoxOutline);
    Rectangle(dc, 0, 0, client.right, client.bottom);
}

}  // namespace tessmar
