// Where and how a forward run draws each cell of each time-step: 1d rows
// under one another (display_1d), one 2d frame per step (display_2d), 2d
// frames stacked obliquely in time (display_2d_time) or an isometric 3d block
// (display_3d); the pattern pixmap, the
// frames and base planes, the side-plot frame, the row and frame advance, the
// page end and the rows of a found attractor cycle.
#pragma once
#include <cstdint>

#include "ui/forward/cell_colouring.h"
#include "ui/measures/run_records.h"
#include "ui/model/oblique_frames.h"
#include "ui/screen/globals.h"

// Display shapes for every network: a 3d network gets i2d = i3d, j2d =
// j3d*h3d; a 1d network a near-square 2d shape; a 1d or 2d network a 3d
// shape with i3d >= j3d >= h3d. The five sides are recorded in it.
void set_2d_3d_coords(run_iteration *it);
// Puts back the lattice sides recorded by set_2d_3d_coords (2d: i2d, j2d;
// 3d: i3d, j3d, h3d).
void restore_2d_3d_coords(const run_iteration *it);

// The pattern width in pixels for the display mode and cell size.
int pattern_width(const run_iteration *it);
// The 2d display's width to its frame's right line, that line included:
// its cells (both halves and their gap in a difference plot), the half
// cell a hexagonal row is shifted by and the frame. Its pixmap is as wide;
// a side plot beside it begins past it.
int display_2d_width(const run_iteration *it);
// The bottom row of a 3d block's frame drawn with cells of s pixels: its
// first layer lies a cell below the far edge's depth, and the frame
// reaches h3d layers down from there.
int block_3d_bottom(int s);

// The first column left of which the pattern's rows, its side plot
// (side_width wide, 0 for none) and its page clears stay: a box from there
// on is never drawn over.
int pattern_reach(const run_iteration *it, float side_width);
// The width of the side plot beside a space-time pattern (the plot's or
// the histogram's), 0 when none is drawn.
float side_plot_width(const entropy_graph *eg);

// Frees the slot's pixmap when it holds one and grabs a new one of the
// window rectangle (x, y) of w x h.
void reallocate_pixmap(int x, int y, int w, int h, image_slot *slot);
// The pattern pixmap of the display mode, made from the window at (0, 0),
// its width and height within the window; sets pixmap_width. side_plot:
// the width of a side plot drawn beside a 1d pattern (0 for none).
void make_pattern_pixmap(run_iteration *it, int side_plot);
// Frees the pattern pixmap and the saved 3d base image.
void free_pattern_pixmap(run_iteration *it);

// The white frame of a 2d pattern on the current drawable.
void draw_2d_frame(entropy_graph *eg, run_iteration *it);
// The frame of the side plot from x, width pixels wide (nothing without a
// side plot, in a scrolling 2d display or under the graph layout's box).
void draw_stpframe(int x, float width);

// The frames and bases of display_2d, display_2d_time and display_3d at the start of a run, and the
// side-plot frame; side_width: the side plot's width (0 for none).
void setup_pattern_frames(entropy_graph *eg, run_iteration *it, float side_width);
// The frame of a scrolling 2d display at its cell size, moved on by one
// when advance: never past the frame whose page end starts the scrolling,
// so that a scrolling started again (a revised setting, a restart) or a
// larger cell size keeps it within the window.
void place_scrolled_2d_frame(run_iteration *it, bool advance);
// Display preparations of each step before the sweep (scroll offset,
// half-cell slant, the 3d block put on the window and its base on the
// pixmap).
void display_before_sweep(run_iteration *it);
// Draws every cell of the state in A at its place, in sweep order (slot L
// first; seq_order[i] in sequential modes), coloured by cell_colour. With
// draw 0 the colours are only computed (frozen skeletons without display).
void draw_pattern_cells(run_iteration *it, skeleton_record *sk, colouring_step *step, int draw,
                        int sequential);
// Finishes the step's row or frame on screen and moves the pen on; may set
// it->page_full.
void display_after_sweep(entropy_graph *eg, run_iteration *it, float side_width);
// Clears the pattern area and restarts the drawing at the top; after a
// resize the pattern pixmap is made again at the window's new height.
void pattern_page_end(entropy_graph *eg, run_iteration *it, float side_width);
// Where the 1d rows that follow the pattern begin (the forward steps' last
// state before a subtree, then the subtree's rows): a row below a 1d
// pattern or a 2d frame, never across the frame; at the top of a fresh
// page after frames that reach down the window (2d+time, 3d, scrolled 2d
// frames). side_width: the side plot's width (0 for none).
void start_rows_after_pattern(const run_iteration *it, float side_width);
// The states of the cycle att[1..attperiod] as rows at the pen (display_1d).
void draw_cycle_rows(run_iteration *it);

// The drawable of the window, for switching back from the pixmap.
void draw_on_window();
void draw_on_pixmap(run_iteration *it);
