// The K-matrix picture (nhood_matrix.h): reads the k-matrix nm and the value
// colours color_v (model), draws through the screen layer, and takes its
// geometry from engine/rules/nhood_matrix_layout.h. Start at
// setup_nhood_matrix.
#include "ui/rules/nhood_matrix.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/rules/nhood_matrix_layout.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/text_inks.h"
#include "ui/screen/window.h"
#include "ui/screen/window_record.h"

namespace {

// A window this wide draws the 256 columns of k = 8 (v = 2) 3 pixels apart.
constexpr int kWideMaxx = 1023;

// The rows the picture drawn last takes, from its top row's label to the
// ink of its index labels, and the count of clears of the drawing area it
// was drawn after: once that count moves on, the picture is gone.
struct shown_rows {
    int top = 0, bottom = -1;
    uint32_t clears = 0;
};
shown_rows last_picture;

// The last column the picture takes: the right edge of the area cleared
// before it is drawn, so that no column or label of a picture wider than the
// window (every index of a large k, or a larger scale typed) stays at the
// window's edge when it is drawn again.
int
picture_right()
{
    return Maxx - 5;
}

// A row's label "%d" stands this far left of the picture's first column,
// after its tick.
int
label_gap()
{
    return 2 * CWidth;
}

// "%d" ending just left of x, centred on a square of size s at y.
void
label_left(int number, int x, int y, int s)
{
    char text[16];
    snprintf(text, sizeof text, "%d", number);
    moveto(x - textwidth(text), y + (s - CHeight) / 2);
    outtext(text);
}

// Draws the columns from m.shown down to 0, or to the last that ends inside
// the picture's edge, with their row and index labels from the top-left
// point (x0, y0); returns the y below the picture.
int16_t
draw_matrix(const nhood_matrix_layout &m, int x0, int y0)
{
    int s = m.cell, g = m.gap, rows = m.rows;
    // Rows taller than the cells are wide keep a one-pixel gap between them.
    int rs = nhood_matrix_row_pitch(m), rg = rs == s ? g : 2;
    int bottom = y0 + (rows - 1) * rs;
    bool labelled = false;
    // The first column an index label may start at: a space's width right
    // of the last one drawn.
    int next_label_x = x0;
    int x = x0;
    // Narrow cells without gaps or dots between them: a row's cells of one
    // colour side by side go as one bar. A large k's thousands of one-pixel
    // cells would pass what the window's record holds, which then could not
    // tell where the lines below the picture stand.
    const bool merge = g == 0 && s <= 2;
    struct run {
        int from = 0, colour = -1;
    };
    std::vector<run> runs(static_cast<size_t>(rows));
    auto end_run = [&](int j, int to) {
        run &r = runs[static_cast<size_t>(j)];
        if (r.colour < 0)
            return;
        const int y = y0 + (rows - 1 - j) * rs;
        setfillstyle(0, r.colour);
        bar(r.from, y, to, y + rs - rg);
        r.colour = -1;
    };
    // A picture wider than the window is cut; the amendment prompt's share
    // picks the indices it shows.
    for (int64_t i = m.shown; i >= 0 && x + s - g <= picture_right(); i--, x += s) {
        uint32_t index = static_cast<uint32_t>(i);
        for (int j = rows - 1; j >= 0; j--) {
            int y = y0 + (rows - 1 - j) * rs;
            int d = get_value(nm[j], index);
            int colour = value_range == 2 ? (d ? yellow : darkgray) : color_v[d];
            run &r = runs[static_cast<size_t>(j)];
            // Each bar ends where the previous column's would.
            if (!merge || r.colour != colour) {
                end_run(j, x - g);
                r = {x, colour};
            }
            if (!merge)
                end_run(j, x + s - g);
            if (d == 0 && s > 2)
                putpixel(x + (s - g) / 2, y + (rs - rg) / 2, green);
            if (i == m.shown && (j == rows - 1 || j == 0)) {
                setcolor(white);
                moveto(x - label_gap(), y);
                lineto(x - CWidth / 2, y);
                label_left(j, x - label_gap(), y, rs);
            }
        }
        if ((index + 1) % m.label_every == 0 || index == 0) {
            char text[16];
            snprintf(text, sizeof text, "%u", index);
            // No label is cut: one that would run past the picture's edge
            // is left out with its tick. Nor does one stand on another or
            // run into it as one number: where the cells are narrower than
            // the layout's label interval was worked out for (a smaller
            // scale typed), one too close to the last is left out too.
            if (x >= next_label_x && x + text_width_in_use(text) <= picture_right()) {
                setcolor(white);
                int below = bottom + rs;
                moveto(x, below);
                lineto(x, below + CHeight / 2);
                moveto(x, below + CHeight / 2);
                outtext(text);
                next_label_x = getx + text_width_in_use(" ");
                labelled = true;
            }
        }
    }
    for (int j = 0; j < rows; j++)
        end_run(j, x - g);
    int below = bottom + rs + CHeight / 2;
    // A row's label is centred on its row, so it may stand above the top
    // row; an index label's digits end on its baseline.
    last_picture.top = std::min(y0, y0 + (rs - CHeight) / 2);
    last_picture.bottom = labelled ? below + CHeight - 2 : bottom + rs;
    last_picture.clears = drawing_area_clears();
    moveto(x0, below);
    next_line(xtext, labelled ? 2 : 3);
    return gety;
}

void
clear_black(int x0, int y0, int x1, int y1)
{
    setfillstyle(0, black);
    bar(x0, y0, x1, y1);
}

} // namespace

int
nhood_matrix_labels_left(int x0)
{
    // The top row's label, the highest position, is the widest.
    char text[16];
    snprintf(text, sizeof text, "%d", nhood_matrix_rows() - 1);
    return x0 - label_gap() - textwidth(text);
}

int
nhood_matrix_row_pitch(const nhood_matrix_layout &m)
{
    constexpr int kLeastRow = 3;
    int apart = m.rows > 1 ? (CHeight + m.rows - 2) / (m.rows - 1) : 0;
    return std::max({m.cell, kLeastRow, apart});
}

int
nhood_matrix_left(int x)
{
    return x + std::max(0, 1 - nhood_matrix_labels_left(x));
}

namespace {

// Whether row y lies in the picture drawn last while it is on the window.
bool
in_picture(int y)
{
    const shown_rows &p = last_picture;
    return p.clears == drawing_area_clears() && y >= p.top && y <= p.bottom;
}

} // namespace

int
setup_clear_row(int y)
{
    // The texts (the set-up's lines, a rule's hex readout, the picture's
    // labels) are the window record's; the picture's cells are no text, so
    // a row free of text inside it goes on below it, past its index labels.
    const int right = box_right_edge(Maxx);
    const int free = free_row_below(y, 0, right);
    return in_picture(free) ? free_row_below(last_picture.bottom + 1, 0, right) : free;
}

int
setup_clear_row_above(int y)
{
    const int right = box_right_edge(Maxx);
    const int free = free_row_above(y, 0, right);
    return std::max(0, in_picture(free) ? free_row_above(last_picture.top - 1, 0, right) : free);
}

int16_t
setup_nhood_matrix(int interactive)
{
    int rows = nhood_matrix_rows();
    int first_cell = vgax(5);
    // The clear stops above the rule box, which a revision of the rule finds
    // there. It starts inside the window's frame: the row labels of a
    // picture drawn there before (of another k) stand left of the text
    // column.
    clear_black(1, gety + 3 * first_cell - 1, picture_right(),
                std::min(Maxy - vgay(37), tallest_rule_box_top() - 1));
    nhood_matrix_layout m =
        layout_nhood_matrix(rows, first_cell, vgax(4), Maxx, CWidth, Maxx >= kWideMaxx);
    next_line(xtext, 2);
    int x0 = nhood_matrix_left(getx), y0 = gety;
    if (!interactive)
        return draw_matrix(m, x0, y0);
    int16_t below = static_cast<int16_t>(y0);
    for (;;) {
        int margin = draw_prompt_box(2);
        outtext("k-matrix: exit-q, % of index to show (def 100%): ");
        input_string(2, text_entry);
        if (is[0] == 'q')
            break;
        long percent = is[0] == kKeyReturn ? -1 : entry_number();
        m.shown = nhood_matrix_shown(m.last, m.shown, percent);
        moveto(margin, gety + CHeight);
        char text[48];
        snprintf(text, sizeof text, "scale in pixels (def %d, max 30): ", m.cell);
        outtext(text);
        input_string(2, text_entry);
        bool quit = is[0] == 'q';
        long cell = quit || is[0] == kKeyReturn ? 0 : entry_number();
        if (cell >= 1 && cell <= 30) {
            m.cell = static_cast<int>(cell);
            m.gap = nhood_matrix_gap(m.cell);
        }
        clear_black(0, y0 - CHeight / 2, Maxx, Maxy);
        below = draw_matrix(m, x0, y0);
        if (quit)
            break;
    }
    erase_prompt_box(2);
    moveto(x0, below);
    return below;
}
