// The rule sample as a scatter in the kind-2 frame of the entropy plot
// (standard deviation across, mean entropy, Z or lambda ratio up), each
// record coloured by how many records share its (y byte, sd byte) cell, and
// the mouse probe over it: the bytes under the pointer in the status box, a
// left click listing the records of that cell. Reads the browser's state
// (sample_browser.h); the frame is entropy_plot.h's. Start at
// show_list_rules' scatter, draw_scatter.
#include <algorithm>
#include <cstdio>
#include <string>

#include "engine/forward/globals.h"
#include "engine/measures/rule_sample.h"
#include "engine/model/globals.h"
#include "ui/measures/entropy_plot.h"
#include "ui/measures/sample_browser.h"
#include "ui/measures/top_prompt.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/pointer_drag.h"
#include "ui/screen/window.h"

namespace {

// The colour of each density class: 1, 2, 3-4, 5-8, ... 65-128, more.
int
class_colour(int c)
{
    const uint8_t colours[9] = {white, yellow, lightblue, brown, cyan,
                                blue, lightcyan, magenta, lightred};
    return colours[std::clamp(c, 0, 8)];
}

// The kind-2 frame with the y kind's label, drawn whatever side plot the
// run shows: the browser draws its own plane.
void
draw_sample_frame(const rule_browser &b)
{
    uint8_t graph = stpgraph, scrolls = scrolling;
    if (stpgraph == stpgraph_none)
        stpgraph = stpgraph_density;
    scrolling = 0;
    draw_entgraph_frame(1, b.x0, 2, b.y_kind);
    stpgraph = graph;
    scrolling = scrolls;
}

void
draw_scatter(rule_browser &b)
{
    draw_sample_frame(b);
    plot_frame f = sample_plot_frame(b);
    std::vector<uint32_t> grid = density_grid(b.y_bytes, b.sd_bytes);
    int kept = fillcolor, colour = getcolor();
    const int tenth = vgax(142), unit = vgay(200);
    for (uint32_t i = 0; i < b.sample.count; i++) {
        int x = sample_plot_column(b.sd_bytes[i], f.left, tenth);
        int y = sample_plot_row(b.y_bytes[i], f.bottom, unit);
        int c = class_colour(density_class(grid[size_t(b.y_bytes[i]) * 256 + b.sd_bytes[i]]));
        if (b.big_dots) {
            setfillstyle(0, c);
            bar(x, y - 1, x + 1, y);
        } else {
            putpixel(x, y, c);
        }
    }
    setfillstyle(0, kept);
    setcolor(colour);
}

// The probe's prompt in a box of two lines beside the colour key, or
// below it where the box would reach the status box that shows the bytes
// under the pointer while the prompt stands.
top_prompt
probe_prompt()
{
    return open_top_prompt({"probe/select rules: point-click left mouse button",
                            "frequency histogram, or quit, -q:"},
                           1, -1, memory_box_place_end(Maxx) + 2);
}

// The bytes under the pointer, in the status box.
void
show_probe_bytes(const plot_frame &f)
{
    char text[32];
    snprintf(text, sizeof text, "x=%d y=%d", probe_sd_byte(mouse_x - f.left, f.width),
             probe_y_byte(mouse_y - (f.bottom - f.height), f.height));
    memory_box(2, text);
}

bool
open_histogram(rule_browser &b, char)
{
    ent_3d(b);
    return true;
}

bool
back_to_menu(rule_browser &, char)
{
    return false;
}

const probe_end_key kProbeEndKeys[] = {
    probe_end_key::on("f").help("frequency histogram-f").does(open_histogram),
    probe_end_key::on("q").help(", quit-q").does(back_to_menu),
    probe_end_key::on("\r").help(", cont-ret:").does(back_to_menu),
};

std::string
probe_end_prompt()
{
    char text[64];
    snprintf(text, sizeof text, "%lu k=%d rules: ", static_cast<unsigned long>(totstatrules),
             nhood);
    std::string prompt = text;
    for (const std::string &line : help_lines(probe_end_help()))
        prompt += line;
    return prompt;
}

} // namespace

plot_frame
sample_plot_frame(const rule_browser &b)
{
    return plot_frame{plane_left(b.x0), plane_bottom(), vgax(256), vgay(200)};
}

void
take_sample_bytes(rule_browser &b)
{
    if (b.y_kind != sample_y_mean && b.z_bytes.size() != b.sample.count)
        sample_rule_figure_bytes(b.sample, b.k, b.z_bytes, b.lambda_bytes);
    b.y_bytes = sample_y_bytes(b.sample, b.y_kind, b.z_bytes, b.lambda_bytes);
    b.sd_bytes = sample_sd_bytes(b.sample);
}

bool
show_list_rules(rule_browser &b, int mode, bool filter, int radius)
{
    if (b.y_bytes.size() != b.sample.count)
        take_sample_bytes(b);
    if (mode == list_rules_scatter) {
        draw_scatter(b);
        return false;
    }
    return list_sample_rules(b, filter, radius);
}

void
highlight_box(rule_browser &b)
{
    plot_frame f = sample_plot_frame(b);
    const int top = f.bottom - f.height, right = f.left + f.width;
    int16_t x = getx, y = gety;
    // The status box shows the bytes under the pointer: what it covers is
    // kept and put back when the probe ends.
    image_slot under_status = 0;
    getimage(memory_box_left(Maxx), 0, memory_box_place_end(Maxx), prompt_box_bottom(1) + 1,
             &under_status);
    top_prompt prompt = probe_prompt();
    for (;;) {
        set_motion_returns(true);
        flashing_cursor(entry_block(white), {f.left, right, top, f.bottom});
        set_motion_returns(false);
        char pressed = button;
        if (pressed == 'm') {
            show_probe_bytes(f);
            continue;
        }
        if (pressed == 'l') {
            button = 0;
            if (mouse_x < f.left || mouse_x > right || mouse_y < top || mouse_y > f.bottom)
                continue;
            b.sd_pos = probe_sd_byte(mouse_x - f.left, f.width);
            b.y_pos = probe_y_byte(mouse_y - top, f.height);
            close_top_prompt(prompt);
            show_list_rules(b, list_rules_list, true, 0);
            prompt = probe_prompt();
            continue;
        }
        if (keycheck(0) == 'q')
            break;
    }
    restore_right_pointer();
    close_top_prompt(prompt);
    if (under_status) {
        putimage(memory_box_left(Maxx), 0, &under_status, 0);
        freeimage(&under_status);
    }
    for (;;) {
        top_prompt question = open_top_prompt({probe_end_prompt()}, 1);
        input_string(1, text_entry);
        char key = is[0];
        close_top_prompt(question);
        const probe_end_key *row = find_key(kProbeEndKeys, key, b);
        if (row == nullptr || !row->act(b, key))
            break;
    }
    moveto(x, y);
}

std::vector<key_help_line>
probe_end_help()
{
    rule_browser none;
    return key_help(kProbeEndKeys, none);
}

std::string
probe_end_keys()
{
    return all_keys(kProbeEndKeys);
}
