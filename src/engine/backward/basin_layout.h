// The arithmetic of the basin layout: default radius, position and spacing
// for each kind of run, the radii of the tree levels, the pixel values that
// follow from the percentages, the ranges every number of the layout is
// held to, and what the node labels can show. The layout stage
// (ui/backward/layout_settings.h) asks for the settings; these functions
// compute over the globals of engine/backward/globals.h with the window's
// last column and row passed in. Start at compute_layout_defaults.
#pragma once
#include <cstdint>

#include "engine/model/held_number.h"

// The range a number of the layout is held to. Whatever is typed, or
// follows from what was typed, the drawing keeps to coordinates the window
// can take, and each value reads as a plain number where a question offers
// it as its default.
using layout_bounds = number_bounds;
// The attractor radius, % of half the width: a circle at most as wide as
// the window. Its 90 level circles then reach some 16 half-widths out,
// well within 16-bit pixel coordinates. (The least radius taken is
// min_start_radius; a smaller one is ignored, not held.)
constexpr float kLargestStartRadius = 100;
// The first basin's offsets from the window centre, % of half the window:
// the window's edges.
constexpr layout_bounds kOffsetBounds = {-100, 100};
// The basin spacing, % of half the window: up to a whole window, past which
// every basin starts a row of its own (and every row the first row again).
constexpr layout_bounds kSpacingBounds = {0, 200};
// The right border, % of the x spacing: as far as the spacing goes.
constexpr layout_bounds kBorderBounds = {0, 200};
// The growth of the spacing from one network size to the next, %: from
// none left (a spacing of 1 pixel) to doubling.
constexpr layout_bounds kGrowthBounds = {-100, 100};
// The basin orientation, degrees: a turn either way.
constexpr layout_bounds kAngleBounds = {-360, 360};
// The factor on the pre-image fan angle (taken only above 0); the fans are
// capped at their share of the circle long before the top.
constexpr layout_bounds kFanFactorBounds = {0, 100};

// The defaults for the kind of run (field or single basin, size range,
// G-density sweep, mutants, screen saver): pstartrad, startrad, the offsets
// and first position, the spacing and border, the growth per size and the
// level radii. maxx, maxy: the window's last column and drawing-area row.
void compute_layout_defaults(int16_t maxx, int16_t maxy);
// startrad := maxx x 0.5 x pstartrad / 100, at least 1 pixel; pstartrad
// first held at kLargestStartRadius.
void set_start_radius(int16_t maxx);
// rad[0] := startrad, rad[i] := rad[i-1] + startrad / ln((i+1)^2) for
// i = 1 .. lastlevel-1.
void fill_level_radii();
// fox, foy (and the cursor ox, oy, firstox, firstoy) from the offsets, each
// first kept on the window (kOffsetBounds): whatever was typed, the first
// basin stands on the window and its position is a screen coordinate.
void set_first_position(int16_t maxx, int16_t maxy);
// startxspacing = xspacing and startyspacing = yspacing from the
// percentages (first held within kSpacingBounds); within 1..32767 pixels,
// so rows of basins always advance, and to the right and down.
void set_pixel_spacing(int16_t maxx, int16_t maxy);
// Moves the cursor (ox, oy) on by xspacing; a new row at firstox one
// yspacing lower when less than xspacing x rightborder is left to maxx; and
// back to the first row (firstoy) when the new row would pass maxy, so the
// cursor never leaves the drawing area for good nor wraps its 16 bits.
void advance_basin_cursor(int16_t maxx, int16_t maxy);
// The spacing of the next network size of a range or sweep: xspacing and
// yspacing times xspacefact and yspacefact, truncated, kept within 1..32767
// pixels whatever the factors (a spacing of 0 would never move the cursor).
void grow_basin_spacing();
// xspacefact, yspacefact from the percentages, first held within
// kGrowthBounds.
void set_spacing_factors();
// The smallest radius the layout stage accepts, in % of half the width.
float min_start_radius(int16_t maxx);
// After the radius went from old_radius to pstartrad: the spacing grows in
// proportion (not for the learning and mutant layouts, which keep theirs),
// held within kSpacingBounds.
void scale_spacing_to_radius(float old_radius);
// Whether the first kind of layout applies: a field, a size range, a
// G-density sweep or mutants on one screen (the kinds with a spacing).
bool layout_has_spacing();
// Whether state numbers of n cells of v values fit 32 bits (v^n <= 2^32), so
// nodes may show decimal state numbers.
bool decimal_labels_fit(int n, int v);
// The 1d-as-2d rectangle for an i-axis of width cells out of n: i2d := width,
// j2d := ceil(n / width). False (nothing changed) unless 1 <= width <= n.
bool set_i_axis(long width, int n);
