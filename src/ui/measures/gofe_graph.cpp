// The sweep graphs' frame and the G-density points of a sweep (gofe_graph.h).
// Frame and points share one geometry: gox, goy, lx, ly (measures/globals.h)
// laid out here, the second graph's origin from lambda_ratio_graph_x, the
// ticks and point positions from engine/measures/sweep_axes.h, so a point of
// a graph falls inside that graph's frame on a window of any size. Reads the
// sweep settings gd_z_graph, lambda_z_graph, totalgraphrules
// (forward/globals.h) and the rule figures zparam and lratio. Start reading
// at gofE_z_graph.
#include "ui/measures/gofe_graph.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/measures/sweep_axes.h"
#include "engine/model/globals.h"
#include "ui/backward/ppstack_hist.h"
#include "ui/measures/globals.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window_record.h"
#include "ui/screen/window.h"

namespace {

// Which axes a frame has.
enum class x_axis_kind { z, lambda_ratio, size, z_right };

const char *
x_label(x_axis_kind kind)
{
    switch (kind) {
    case x_axis_kind::lambda_ratio:
        return "Lambda ratio";
    case x_axis_kind::size:
        return "network size";
    case x_axis_kind::z_right:
        return "Z right";
    default:
        return "Z parameter";
    }
}

const char *
y_label()
{
    if (lambda_z_graph == lambda_z_lambda)
        return "Lda ratio";
    if (lambda_z_graph == lambda_z_zleft_zright)
        return "Z left";
    return "G-density";
}

void
draw_line(int x0, int y0, int x1, int y1)
{
    moveto(x0, y0);
    lineto(x1, y1);
}

// The top row of a y tick's label, for the tick at row y.
int
y_label_top(int y)
{
    return y - CHeight / 2;
}

// The top row of the x axis's labels for the axis at row y: the line under
// the lowest y label's, so that the two "0.0" at the corner keep apart.
int
x_label_top(int y)
{
    return std::max<int>(y + vgay(3), y_label_top(y) + CHeight);
}

// The last row the x labels may ink.
int
x_labels_last_row()
{
    int first = 0, last = 0;
    line_ink_rows(x_label_top(goy), first, last);
    return last;
}

// A label of an axis: its text and its columns.
struct axis_label {
    std::string text;
    int x0, x1;
};

// The x axis's labels at their columns: each tick label centred on its
// tick, then the axis's own label. On a narrow window that label, two
// intervals in, would reach the next tick label: it moves on past that
// label.
std::vector<axis_label>
x_axis_labels(int x0, x_axis_kind kind)
{
    bool sizes = kind == x_axis_kind::size;
    std::vector<axis_label> labels;
    for (const sweep_x_tick &t : sweep_x_ticks(sizes, lx, totalgraphrules, startL)) {
        if (t.label.empty())
            continue;
        int x = x0 + static_cast<int>(t.offset);
        int w = text_pixel_width(t.label.c_str(), static_cast<int>(t.label.size()));
        labels.push_back({t.label, x - w / 2, x - w / 2 + w});
    }
    const char *label = x_label(kind);
    int w = text_pixel_width(label, static_cast<int>(strlen(label)));
    int at = x0 + static_cast<int>(sweep_x_label_offset(sizes, lx, totalgraphrules));
    for (const axis_label &tick : labels)
        if (at < tick.x1 + CWidth / 2 && at + w + CWidth / 2 > tick.x0)
            at = tick.x1 + CWidth / 2;
    labels.push_back({label, at, at + w});
    return labels;
}

void
draw_x_axis(int x0, int y0, x_axis_kind kind)
{
    bool sizes = kind == x_axis_kind::size;
    draw_line(x0, y0, x0 + static_cast<int>(lx), y0);
    int unit = vgay(5);
    for (const sweep_x_tick &t : sweep_x_ticks(sizes, lx, totalgraphrules, startL)) {
        int x = x0 + static_cast<int>(t.offset);
        if (t.rise > 0)
            draw_line(x, y0, x, y0 - t.rise * unit);
    }
    for (const axis_label &l : x_axis_labels(x0, kind))
        text_line(l.x0, l.x1, x_label_top(y0), l.text);
}

// The column of the y axis's label, one character a line, left of the
// widest tick label so that it crosses none.
int
y_label_column(int x0)
{
    return x0 - CWidth / 3 - text_pixel_width("0.0", 3) - 2 * CWidth;
}

void
draw_y_axis(int x0, int y0)
{
    draw_line(x0, y0, x0, y0 - static_cast<int>(ly));
    int unit = vgay(5);
    for (const sweep_y_tick &t : sweep_y_ticks(ly)) {
        int y = y0 - static_cast<int>(t.offset);
        draw_line(x0, y, x0 + t.length * unit, y);
        if (!t.label.empty()) {
            const char *text = t.label.c_str();
            int w = text_pixel_width(text, static_cast<int>(strlen(text)));
            text_line(x0 - w - CWidth / 3, x0 - CWidth / 3, y_label_top(y), text);
        }
    }
    // The label downward, one character a line, each a whole line below the
    // one before so that no two touch, left of the widest tick label so that
    // it crosses none, and centred on the axis as near as the text column's
    // lines allow: a letter stands on one of them, so that the band a
    // dialog clears over the graph, which takes the column's lines whole,
    // takes a letter whole too and never leaves a piece of it above.
    const char *label = y_label();
    const int lines = static_cast<int>(strlen(label));
    int x = y_label_column(x0);
    const int centred = y0 - static_cast<int>(ly / 2) - lines * CHeight / 2;
    const int column_top = text_column_top();
    int y = column_top + static_cast<int>(std::lround(static_cast<double>(centred - column_top) / CHeight)) * CHeight;
    for (int i = 0; i < lines; i++, y += CHeight)
        text_line(x, x + std::max<int>(CWidth, text_pixel_width(label + i, 1)), y, std::string(1, label[i]));
}

void
draw_frame(int x0, int y0, x_axis_kind kind)
{
    draw_x_axis(x0, y0, kind);
    draw_y_axis(x0, y0);
    draw_line(x0, y0 - static_cast<int>(ly), x0 + static_cast<int>(lx), y0 - static_cast<int>(ly));
}

// A point of the sweep, and the lightred line that joins it to the one
// before (a size sweep's), kept so that the graphs come back whole after a
// box that took them down closes.
struct sweep_spot {
    int x, y, radius;
    bool joined;
    int from_x, from_y;
};
std::vector<sweep_spot> spots;

void
draw_spot(const sweep_spot &s)
{
    if (s.joined) {
        int colour = getcolor();
        setcolor(lightred);
        draw_line(s.from_x, s.from_y, s.x, s.y);
        setcolor(colour);
    }
    setfillstyle(0, white);
    pieslice(s.x, s.y, 0, 360, s.radius);
}

} // namespace

int16_t
lambda_ratio_graph_x()
{
    return static_cast<int16_t>(gox - vgax(300));
}

namespace {

// The row of the graphs' x axis: its usual place, or higher where the line
// of the x labels under it would reach the rule box the sweep's runs draw at
// the window's foot: the box of two lines, a rule table's, in a short
// window, and the box of three, a random map's or a larger k's, in the
// usual one. While the trees draw the local method's stack bar above that
// box, the labels keep above the bar too: the graph stands the whole sweep,
// and the box and the bar drawn with each run would cross them.
int
x_axis_row()
{
    int foot = rule_box_top_for(nhood);
    if (local_stack_bar_shown())
        foot = std::min(foot, local_stack_bar_top());
    // The labels' ink, a descender's tail below their line too, ends
    // above the foot.
    int first = 0, last = 0;
    line_ink_rows(0, first, last);
    const int lowest = foot - 1 - last - std::max<int>(vgay(3), CHeight - CHeight / 2);
    return std::min<int>(vgay(415), lowest);
}

} // namespace

namespace {

// The frames gofE_z_graph draws: each one's origin column and x axis.
struct sweep_frame {
    int x0;
    x_axis_kind kind;
};

std::vector<sweep_frame>
sweep_frames()
{
    if (lambda_z_graph != lambda_z_off)
        return {{gox, lambda_z_graph == lambda_z_zleft_zright ? x_axis_kind::z_right : x_axis_kind::z}};
    if (gd_z_graph == sweep_graph_size)
        return {{gox, x_axis_kind::size}};
    if (gd_z_graph == sweep_graph_z)
        return {{gox, x_axis_kind::z}};
    if (gd_z_graph == sweep_graph_z_lambda)
        return {{gox, x_axis_kind::z}, {lambda_ratio_graph_x(), x_axis_kind::lambda_ratio}};
    return {};
}

// All that the frames take: from the y labels' column left of the
// leftmost to the end of the last x label, from the top tick label's line
// to the x labels' last inked row. A box drawn over a part of it takes it
// whole: a piece of a label left beside the box would be cut.
box_place
sweep_frames_place(const std::vector<sweep_frame> &frames)
{
    box_place place{Maxx, y_label_top(goy - static_cast<int>(ly)), 0, x_labels_last_row()};
    for (const sweep_frame &f : frames) {
        // A letter's ink may start a column or so left of its point.
        place.x0 = std::min(place.x0, y_label_column(f.x0) - CWidth / 2);
        place.x1 = std::max(place.x1, f.x0 + static_cast<int>(lx));
        for (const axis_label &l : x_axis_labels(f.x0, f.kind))
            place.x1 = std::max(place.x1, l.x1);
    }
    return place;
}

} // namespace

namespace {

// drawing_area_clears() when the graphs were drawn: a clear of the whole
// area since took them with everything else, and nothing brings them back.
uint32_t drawn_at_clears = 0;

// The frames drawn and entered in the list of boxes, standing while the
// drawing area keeps them, labels and all: the run's frame is drawn beside
// them, not over them, and a box drawn over a part of them (the stack
// histogram, the state-space matrix) takes them down whole.
void
draw_sweep_frames()
{
    gox = vgax(360);
    goy = static_cast<int16_t>(x_axis_row());
    lx = vgax(250);
    // The top keeps its row, above which the runs' frame ends.
    ly = goy - (vgay(415) - vgay(250));
    int colour = getcolor();
    setcolor(white);
    const std::vector<sweep_frame> frames = sweep_frames();
    if (!frames.empty()) {
        raise_box(box_owner::sweep_graph, sweep_frames_place(frames), box_way::taken);
        set_box_return(box_owner::sweep_graph, bring_back_sweep_graph);
    }
    // The lambda-Z graph's place on the right half, cleared; the set-up's
    // lines that run on into it are hidden whole, not left cut at its edge.
    if (lambda_z_graph != lambda_z_off)
        clear_hiding_lines_cut(Maxx / 2, Maxy / 3, Maxx - 2,
                               std::min<int>(Maxy - vgay(30), two_line_rule_box_top() - 1));
    for (const sweep_frame &f : frames)
        draw_frame(f.x0, goy, f.kind);
    drawn_at_clears = drawing_area_clears();
    setcolor(colour);
}

} // namespace

void
gofE_z_graph()
{
    spots.clear();
    draw_sweep_frames();
}

void
bring_back_sweep_graph()
{
    if (lambda_z_graph != lambda_z_off || sweep_frames().empty() || sweep_graph_stands() ||
        drawing_area_clears() != drawn_at_clears)
        return;
    draw_sweep_frames();
    for (const sweep_spot &s : spots)
        draw_spot(s);
}

bool
sweep_graph_stands()
{
    return box_stands(box_owner::sweep_graph);
}

int
sweep_graph_labels_bottom()
{
    return sweep_graph_stands() ? x_labels_last_row() : -1;
}

namespace {

// A point of the sweep drawn, unless a box took the graphs down: it is kept
// and drawn when they come back.
void
plot_spot(int x, int y, bool joined = false)
{
    spots.push_back({x, y, graphspot, joined, sweep_previous_x, sweep_previous_y});
    if (sweep_graph_stands())
        draw_spot(spots.back());
}

} // namespace

void
plot_gofe_point(int divisor, float gofe)
{
    graphspot = static_cast<int16_t>(std::ceil(lx / divisor));
    int y = sweep_point_row(goy, ly, gofe);
    if (gd_z_graph == sweep_graph_size) {
        if (!size_on_axis(lineL, startL, totalgraphrules))
            return;
        int x = size_point_column(gox, lx, lineL, startL, totalgraphrules);
        plot_spot(x, y, lineL > startL);
        sweep_previous_x = static_cast<int16_t>(x);
        sweep_previous_y = static_cast<int16_t>(y);
    } else if (gd_z_graph == sweep_graph_z || gd_z_graph == sweep_graph_z_lambda) {
        plot_spot(sweep_point_column(gox, lx, zparam[0]), y);
        if (gd_z_graph == sweep_graph_z_lambda)
            plot_spot(sweep_point_column(lambda_ratio_graph_x(), lx, lratio), y);
    }
}
