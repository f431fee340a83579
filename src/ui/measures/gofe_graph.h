// The frame of the sweep graphs (G-density against Z, lambda ratio or
// network size, and the lambda-Z plots on the same frame) and the G-density
// point of each run of a sweep. The ticks and the places of points are
// computed by engine/measures/sweep_axes.h.
#pragma once
#include <cstdint>

// Draws the frame of one or two graphs in white by gd_z_graph or, with
// lambda_z_graph set, the one frame of the lambda-Z plot over a cleared
// area, and sets gox, goy, lx, ly. With neither graph it draws nothing and
// still sets gox.
void gofE_z_graph();
// The frames of a sweep's graphs drawn again, with the points plotted since
// gofE_z_graph, where a box drawn over them took them down and has closed
// (nothing where they stand, or a clear of the whole drawing area took
// them since, or the lambda-Z plot is shown, whose points are not kept).
void bring_back_sweep_graph();
// Whether a frame gofE_z_graph drew stands in the drawing area: none was
// cleared whole since.
bool sweep_graph_stands();
// The last row the x axis's labels of a standing frame take, or -1 where
// none stands: above a rule box of two lines they reach below the top of
// the box of three, where a clear of the window's upper part ends.
int sweep_graph_labels_bottom();
// The origin column of the lambda-ratio graph, which stands vgax(300) left
// of the Z graph.
int16_t lambda_ratio_graph_x();
// The G-density point gofe of the run just drawn, as a circle of radius
// ceil(lx / divisor) (275 after a single run, 250 after a field): against Z
// (and against the lambda ratio on the second graph) from zparam and lratio,
// or against the network size from lineL, joined to the previous size's
// point by a lightred line; none for a size the axis does not show. Kept,
// and drawn only while the graphs stand.
void plot_gofe_point(int divisor, float gofe);
