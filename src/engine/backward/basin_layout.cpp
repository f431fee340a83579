// The arithmetic of the basin layout (basin_layout.h): the defaults table of
// each kind of run, the level radii and the pixel values of the percentages.
// Reads the run kind from engine/model and engine/forward globals; writes
// the layout globals of engine/backward/globals.h. Start at
// compute_layout_defaults.
#include "engine/backward/basin_layout.h"

#include <cmath>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"

namespace {

// The default attractor radius, the first row of the defaults table that
// applies.
float
default_start_radius()
{
    bool field = basinfield != 0;
    if (gd_z_graph)
        return field ? 2.0f : 4.0f;
    if (mutant_layout)
        return 2.0f;
    if (screensavedemo)
        return 4.5f;
    if (!field)
        return rangeL ? 6.0f : 12.0f;
    if (rangeL)
        return 3.0f;
    int cells_by_values = lineL * value_range;
    if (cells_by_values <= 6)
        return 12.0f;
    return cells_by_values <= 9 ? 9.0f : 6.0f;
}

// The default offsets of the first basin from the window centre.
void
set_default_offsets(int16_t maxx)
{
    bool field = basinfield != 0;
    if (gd_z_graph) {
        xoffset = field ? -80.0f : -70.0f;
        yoffset = field ? 60.0f : 50.0f;
        if (stp)
            xoffset = std::trunc(static_cast<float>(lineL) * scale / (maxx / 2) * 100) - 70;
        return;
    }
    if (!field && !rangeL && !mutant_layout) {
        xoffset = stp ? 30.0f : 0.0f;
        yoffset = 0;
    } else if (!field) {
        xoffset = -70;
        yoffset = 50;
    } else if (lineL < 10 && !rangeL) {
        xoffset = -60;
        yoffset = 30;
    } else {
        xoffset = -70;
        yoffset = rangeL ? 70.0f : 50.0f;
    }
}

// The default spacing percentages and border, for the kinds with a spacing.
void
set_default_spacing()
{
    if (gd_z_graph) {
        xpspacing = ypspacing = 6;
    } else if (mutant_layout) {
        xpspacing = ypspacing = 22;
    } else if (rangeL) {
        xpspacing = basinfield ? 15.0f : 20.0f;
        ypspacing = basinfield ? 15.0f : 35.0f;
    } else {
        xpspacing = ypspacing = 5 * pstartrad;
    }
    rightborder = 0.45f;
}

// A spacing in pixels, truncated and kept within 1..32767: a spacing of 0
// would never move the basin cursor, and one past 16 bits would wrap round
// to a negative step that marches the basins off the window.
int16_t
pixel_spacing(float pixels)
{
    if (!(pixels >= 1)) // below 1, or not a number
        return 1;
    return pixels >= 32767 ? 32767 : static_cast<int16_t>(pixels);
}

// The spacing percentages held within kSpacingBounds.
void
hold_spacing()
{
    xpspacing = held_within(xpspacing, kSpacingBounds);
    ypspacing = held_within(ypspacing, kSpacingBounds);
}

} // namespace

bool
layout_has_spacing()
{
    return basinfield || rangeL || gd_z_graph || mutant_layout;
}

void
set_start_radius(int16_t maxx)
{
    pstartrad = held_within(pstartrad, {0, kLargestStartRadius});
    startrad = std::trunc(maxx * 0.5f * pstartrad / 100);
    if (startrad < 1)
        startrad = 1;
}

void
fill_level_radii()
{
    if (rad == nullptr || lastlevel == 0)
        return;
    rad[0] = startrad;
    for (int i = 1; i < lastlevel; i++)
        rad[i] = rad[i - 1] + startrad / std::log(static_cast<float>((i + 1) * (i + 1)));
}

void
set_first_position(int16_t maxx, int16_t maxy)
{
    xoffset = held_within(xoffset, kOffsetBounds);
    yoffset = held_within(yoffset, kOffsetBounds);
    fox = static_cast<int16_t>(maxx / 2 * (1 + xoffset / 100));
    foy = static_cast<int16_t>(maxy / 2 * (1 - yoffset / 100));
    ox = firstox = fox;
    oy = firstoy = foy;
}

void
set_pixel_spacing(int16_t maxx, int16_t maxy)
{
    hold_spacing();
    startxspacing = xspacing = pixel_spacing(maxx * 0.5f * xpspacing / 100);
    startyspacing = yspacing = pixel_spacing(maxy * 0.5f * ypspacing / 100);
}

void
advance_basin_cursor(int16_t maxx, int16_t maxy)
{
    int x = ox + xspacing, y = oy;
    if (maxx - x < xspacing * rightborder) {
        x = firstox;
        y += yspacing;
        if (y > maxy)
            y = firstoy;
    }
    ox = static_cast<int16_t>(x);
    oy = static_cast<int16_t>(y);
}

namespace {

int16_t
grown_spacing(int16_t spacing, float factor)
{
    return pixel_spacing(spacing * factor);
}

} // namespace

void
grow_basin_spacing()
{
    xspacing = grown_spacing(xspacing, xspacefact);
    yspacing = grown_spacing(yspacing, yspacefact);
}

void
set_spacing_factors()
{
    xpspacefact = held_within(xpspacefact, kGrowthBounds);
    ypspacefact = held_within(ypspacefact, kGrowthBounds);
    xspacefact = 1 + xpspacefact / 100;
    yspacefact = 1 + ypspacefact / 100;
}

void
compute_layout_defaults(int16_t maxx, int16_t maxy)
{
    pstartrad = default_start_radius();
    set_start_radius(maxx);
    set_default_offsets(maxx);
    set_first_position(maxx, maxy);
    if (layout_has_spacing()) {
        set_default_spacing();
        set_pixel_spacing(maxx, maxy);
    }
    if (rangeL) {
        xpspacefact = basinfield ? 10.0f : 6.0f;
        ypspacefact = basinfield ? 10.0f : 4.0f;
    } else if (gd_z_graph == sweep_graph_size && !basinfield) {
        xpspacefact = 6;
        ypspacefact = 4;
    }
    set_spacing_factors();
    fill_level_radii();
}

float
min_start_radius(int16_t maxx)
{
    return 220.0f / maxx;
}

void
scale_spacing_to_radius(float old_radius)
{
    if (old_radius <= 0 || old_radius == pstartrad)
        return;
    xpspacing *= pstartrad / old_radius;
    ypspacing *= pstartrad / old_radius;
    hold_spacing();
}

bool
decimal_labels_fit(int n, int v)
{
    if (n < 1 || v < 2)
        return false;
    uint64_t states = 1;
    for (int i = 0; i < n; i++) {
        states *= static_cast<uint64_t>(v);
        if (states > (uint64_t{1} << 32))
            return false;
    }
    return true;
}

bool
set_i_axis(long width, int n)
{
    if (width < 1 || width > n)
        return false;
    i2d = static_cast<int16_t>(width);
    j2d = static_cast<int16_t>((n + width - 1) / width);
    return true;
}
