// Runs repeated over a series of networks and laid out on one screen
// (declared in run_drivers.h): a single basin or subtree for each network
// size of a range (draw_range_single), a basin field per size, one row per
// size (draw_range_field), and the basins of a network and its mutants side
// by side (mutant_one_screen_single). The network grows one cell per size
// (network_growth.h) and is set back to the range's first size at the end;
// the mutants come from mutate_rule (mutation.h). The layout cursor moves by
// the engine's rules (engine/backward/basin_layout.h). Start at
// draw_range_single.
#include <cstdio>
#include <cstring>

#include "engine/backward/basin_layout.h"
#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "ui/backward/in_degree_hist.h"
#include "ui/driver/globals.h"
#include "ui/driver/mutation.h"
#include "ui/driver/network_growth.h"
#include "ui/driver/options_box.h"
#include "ui/driver/run_drivers.h"
#include "ui/forward/run_forward.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

// The 2d sides a 1d network's bit patterns are drawn with, for the size in
// force (a grown network needs sides of its own).
void
set_sides_for_patterns()
{
    if (shownumbers == shownumbers_bits && showbits_1d_as_2d == 1 && !twod && !threed &&
        static_cast<long>(i2d) * j2d != lineL)
        set_i2dxj2d();
}

// The steps before each single run: the space-time strip cleared, the rule
// readout written to the outputs, the pattern sides.
void
prepare_single_run()
{
    if (stp && mouse_found) {
        setfillstyle(0, black);
        bar(0, 0, lineL * scale + 2, Maxy);
        moveto(0, 0);
    }
    if (rule_box_stands())
        show_rule_bottom(nhood, 1, carule[0], 0);
    set_sides_for_patterns();
}

// One single run from bitseed: the basin by a forward run, or the subtree;
// then the in-degree histogram when it is counted.
void
run_single()
{
    keep_single_basin_above_boxes();
    if (direction == direction_forward) {
        memcpy(A, bitseed, bytesL);
        bitflipcount = 0;
        run_forward(carule);
    } else {
        upstream_only();
    }
    keep_basins_inside(nullptr);
    char key = is[0]; // the run's key decides, not the histogram's
    show_run_in_degree_histogram();
    is[0] = key;
}

// True when every cell of the line holds the same value.
bool
uniform_line(const uint8_t *line, int n)
{
    int first = get_value(line, 0);
    for (int c = 1; c < n; c++)
        if (get_value(line, static_cast<uint32_t>(c)) != first)
            return false;
    return true;
}

// The seed at the new size: a uniform seed stays uniform, any other keeps
// its first cells and the added cells start at 0.
void
carry_seed(const uint8_t *saved, bool uniform)
{
    memset(bitseed, 0, bytesL);
    if (uniform) {
        int x = get_value(saved, 0);
        for (int c = 0; c < lineL; c++)
            set_value(bitseed, static_cast<uint32_t>(c), x);
        return;
    }
    memcpy(bitseed, saved, rangebytesL < bytesL ? rangebytesL : bytesL);
}

// The cursor one place on; false when the next row would start below the
// drawing area (the screen is full).
bool
next_place_on_screen()
{
    int x = ox + xspacing, y = oy;
    if (Maxx - x < static_cast<int>(xspacing * rightborder)) {
        x = firstox;
        y += yspacing;
    }
    if (y > Maxy)
        return false;
    ox = static_cast<int16_t>(x);
    oy = static_cast<int16_t>(y);
    return true;
}

// The next row of a field range laid out by the layout's spacing, back to
// the first row on a cleared drawing area once the rows pass it (a row
// drawn over the first ones could not be read).
void
next_field_row()
{
    ox = firstox;
    int y = oy + yspacing;
    if (y > Maxy && mouse_found)
        clear_drawing_area();
    oy = static_cast<int16_t>(y > Maxy ? firstoy : y);
}

// The size label of a field row, at height y.
void
label_field_row(int x0, int y)
{
    if (!mouse_found)
        return;
    char text[16];
    snprintf(text, sizeof text, "%d.", lineL);
    moveto(x0, y);
    outtext(text);
    moveto(ox, oy);
}

// The rows of a range of fields fitted as plain fields are: each size's
// field fitted to the part of the drawing area below the rows before it,
// right of the size labels. When less than a third of the area is left, the
// next size starts a new page (after the options box, unless the range runs
// without pauses or already paused after the field): a field squeezed into
// a thin band would be too small to read.
struct fitted_range_rows {
    bool on = false;
    field_area page{};
    int top = 0; // where the next row starts
};

fitted_range_rows
start_fitted_rows(int x0)
{
    fitted_range_rows rows;
    rows.on = fit_field_layout && mouse_found && !gd_z_graph && !mutant_layout &&
              !successive_basins && !screensavedemo;
    if (!rows.on)
        return rows;
    rows.page = basin_area();
    char widest[16];
    snprintf(widest, sizeof widest, "%d.", endL);
    rows.page.left = x0 + text_width_in_use(widest) + CWidth;
    rows.top = rows.page.top;
    return rows;
}

// A new page when the rows have filled the drawing area; false when the
// range stops at the pause before it. Asked before the network grows, so
// that the rule box still gives the size of the rows shown.
bool
new_page_when_full(fitted_range_rows &rows)
{
    int height = rows.page.bottom - rows.page.top;
    if (!rows.on || rows.page.bottom - rows.top >= height / 3)
        return true;
    if (!mutantdontpause && fieldpause != 1) {
        finish_options(1);
        if (is[0] == 'q')
            return false;
    }
    setfillstyle(0, black);
    bar(3, rows.page.top, rows.page.right, rows.page.bottom);
    rows.top = rows.page.top;
    return true;
}

// The row of the next size, set for its field to be fitted to.
void
set_fitted_row(const fitted_range_rows &rows)
{
    field_area row = rows.page;
    row.top = rows.top;
    set_range_row_area(&row);
}

// After a field of a range: the histogram when it is counted, else the
// options box when fields pause; the key left by the field, the box or the
// histogram decides whether the range goes on.
void
after_range_field()
{
    if (pre_fansize_freq_hist)
        show_run_in_degree_histogram();
    else if (fieldpause == 1)
        finish_options(1);
}

// The end of a range: the options box unless mutants run unpaused, and the
// network back at the first size.
void
end_of_range()
{
    if (!mutantdontpause)
        finish_options(1);
    change_net_size(startL);
}

// The next mutant, the layout cursor kept where the series has it (the
// mutation puts it back to the first place between separate runs).
int
next_mutant()
{
    int16_t x = ox, y = oy;
    int made = mutate_rule(nhood);
    ox = x;
    oy = y;
    return made;
}

bool
flip_series()
{
    return mutate == mutation_single_flip || mutate == mutation_cumulative_flip;
}

} // namespace

void
draw_range_single()
{
    bool uniform = uniform_line(bitseed, lineL);
    uint8_t *saved = static_cast<uint8_t *>(checked_calloc(rangebytesL, 1, "rangeseed"));
    memcpy(saved, bitseed, rangebytesL);
    zonesize = lineL;
    for (int n = startL; n <= endL && is[0] != 'q'; n++) {
        isexception = 0;
        totatt_states = 0;
        if (n > startL) {
            if (!grow_by_one_cell())
                break;
            carry_seed(saved, uniform);
            grow_basin_spacing();
            advance_basin_cursor(Maxx, Maxy);
        }
        prepare_single_run();
        run_single();
    }
    end_of_range();
    memset(bitseed, 0, bytesL);
    memcpy(bitseed, saved, rangebytesL < bytesL ? rangebytesL : bytesL);
    checked_free(saved);
}

void
draw_range_field()
{
    zonesize = lineL;
    int x0 = stp ? vgax(static_cast<float>(scale) * endL + 13) : vgax(3);
    if (firstox < x0 + vgax(40))
        firstox = ox = static_cast<int16_t>(x0 + vgax(40));
    fitted_range_rows rows = start_fitted_rows(x0);
    for (int n = startL; n <= endL && is[0] != 'q'; n++) {
        isexception = 0;
        fieldno++;
        if (n > startL) {
            if (!new_page_when_full(rows) || !grow_by_one_cell())
                break;
            grow_basin_spacing();
            if (!rows.on)
                next_field_row();
        }
        // The rule box gives the size being drawn.
        if (rule_box_stands())
            show_rule_bottom(nhood, 1, carule[0], 0);
        set_sides_for_patterns();
        if (rows.on) {
            set_fitted_row(rows);
            label_field_row(x0, rows.top);
        } else {
            label_field_row(x0, oy - CHeight / 2);
        }
        draw_field();
        set_range_row_area(nullptr);
        // A field too large to be measured is laid out by the spacing, and
        // the rows after it too.
        if (rows.on && last_fitted_field_bottom() < 0)
            rows.on = false;
        else if (rows.on)
            rows.top = last_fitted_field_bottom() + vgay(4);
        char key = is[0];
        print_field_data(); // takes one pending key
        is[0] = key;
        after_range_field();
    }
    end_of_range();
}

void
mutant_one_screen_single()
{
    mut = static_cast<int16_t>(startmut + 1);
    int16_t x = ox, y = oy;
    for (int i = 0; is[0] != 'q'; i++) {
        isexception = 0;
        totatt_states = 0;
        if (i > 0) {
            if (flip_series()) {
                mut--;
                if (mut == endmut - 1)
                    break;
            }
            if (!next_mutant() || !next_place_on_screen())
                break;
        }
        // After the mutation, so the readout and the data lines give the
        // rule of the basin drawn.
        prepare_single_run();
        run_single();
        if (i == 0 && flip_series()) {
            // The unmutated network alone on its row.
            oy = static_cast<int16_t>(oy + yspacing > Maxy + 1 ? Maxy + 1 : oy + yspacing);
            ox = static_cast<int16_t>(firstox - xspacing);
        }
    }
    ox = x;
    oy = y;
    if (!mutantdontpause)
        finish_options(1);
}
