// The spread of inputs or outputs (spread_1d.h). The steps themselves are
// engine/wiring/wiring_reach.h; here each link it follows is drawn, the
// reached cells are shown on a 2d map (the network's 2d shape borrowed for
// the time of the call) and the caption asks how to go on. Reads lineL
// and the 2d shape globals (model/). Start at show_all_in_out_1d.
#include "ui/wiring_editor/spread_1d.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/wiring/wiring_reach.h"
#include "ui/model/cell_display.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"

namespace {

// Heights of the map from which its cells are 3, 2 and 1 pixels; from
// kNoMap rows on no map is drawn.
constexpr int kNoMap = 37;

// The colours of the steps, in turn.
int
step_colour(int step_index)
{
    const uint8_t cycle[] = {lightred, magenta, brown, yellow, green, lightcyan};
    return cycle[step_index % 6];
}

// The network's 2d shape and cell size, borrowed for the map and put back.
struct borrowed_shape {
    int16_t i = i2d, j = j2d;
    uint8_t cell_scale = scale;
    int8_t gap = sep;
    ~borrowed_shape()
    {
        i2d = i;
        j2d = j;
        scale = cell_scale;
        sep = gap;
    }
};

struct spread_view {
    const editor_1d_picture &pic;
    bool map = false;
    int map_x = 0, map_y = 0;   // the map's top left
    int caption_x1 = 0, caption_y1 = 0;
    image_slot under_caption = 0; // the region's top left before the first caption
};

// The reached cells as a two-valued 2d state in light red, top right in
// the region.
void
draw_map(const spread_view &v, const wiring_reach &reach)
{
    if (!v.map)
        return;
    int8_t v_range = value_range, v_bits = value_bits;
    uint8_t one = color_v[1];
    value_range = 2;
    value_bits = 1;
    color_v[1] = lightred;
    moveto(v.map_x, v.map_y);
    print_current_state_twod(reach.reached_set(), lightred);
    color_v[1] = one;
    value_range = v_range;
    value_bits = v_bits;
}

// The caption box at the region's top left, as wide as its text needs
// (at least vgax(190)), over the first two lines of the editor's
// information line whole, with text in white; the current point is left
// after the text. What the widest caption covers is kept at the first, for
// put_back_under_caption.
void
draw_caption(spread_view &v, const char *text)
{
    int x0 = v.pic.x0 + 2, y0 = v.pic.y0 + 2;
    int width = std::max<int>(vgax(190), text_pixel_width(text, static_cast<int>(strlen(text))) +
                                             CWidth * 10);
    v.caption_x1 = std::min(v.pic.x1 - 2, x0 + width);
    v.caption_y1 = y0 + 1 + 2 * CHeight;
    if (!v.under_caption)
        getimage(x0, y0, v.pic.x1 - 2, v.caption_y1, &v.under_caption);
    setfillstyle(0, black);
    bar(x0, y0, v.caption_x1, v.caption_y1);
    setcolor(lightred);
    rectangle(x0, y0, v.caption_x1, v.caption_y1);
    setcolor(white);
    moveto(x0 + 4, y0 + CHeight / 4);
    outtext(text);
}

char
read_key()
{
    input_string(1, single_key_entry);
    return is[0];
}

void
clear_area(int x0, int y0, int x1, int y1)
{
    setfillstyle(0, black);
    bar(x0, y0, x1, y1);
}

const char *
kind_word(int kind)
{
    return kind == 1 ? "inputs" : "outputs";
}

} // namespace

void
spread_caption(char *text, int size, int step, int kind, int count, int n)
{
    snprintf(text, static_cast<size_t>(size), "step %d, %s=%d/%d=%.1f%%", step, kind_word(kind),
             count, n, n > 0 ? count * 100.0 / n : 0.0);
}

void
show_all_in_out_1d(int kind, const editor_1d_picture &pic, int pseudo, bool rules_set,
                   uint16_t cell)
{
    int16_t x = getx, y = gety;
    int n = lineL;
    borrowed_shape shape;
    set_i2dxj2d();
    spread_view v{pic};
    v.map = j2d < kNoMap;
    if (v.map) {
        scale = j2d < 13 ? 3 : j2d < 19 ? 2 : 1;
        sep = 0;
        v.map_x = pic.x1 - 3 - scale * i2d;
        v.map_y = pic.y0 + 4;
    }
    reach_kind how = kind == 1 ? reach_kind::inputs : reach_kind::outputs;
    wiring_reach reach(how, cell);
    auto line = [&pic](uint16_t from, uint16_t to) { draw_1d_link_line(pic, from, to); };

    int colour_index = 0;
    setcolor(step_colour(colour_index));
    int count;
    if (how == reach_kind::inputs) {
        // The cell's own links, drawn as the editor draws them.
        if (pic.layout == layout_time_step)
            draw_1d_links(pic.rows, pseudo, rules_set, cell);
        else
            draw_1d_links_c(pic.ring, pseudo, rules_set, cell);
        count = reach.first_step([](uint16_t, uint16_t) {});
    } else {
        count = reach.first_step(line);
    }
    draw_map(v, reach);
    char text[96];
    snprintf(text, sizeof text, "step 1, %s=%d/%d, step-s all-def:", kind_word(kind), count, n);
    draw_caption(v, text);
    bool stepwise = read_key() == 's';
    if (is[0] != 'q') {
        int step = 1;
        for (;;) {
            colour_index++;
            setcolor(step_colour(colour_index));
            wiring_reach::step s = reach.next_step(line);
            bool grew = s.count > count;
            if (s.expanded && grew)
                step++;
            count = s.count;
            bool complete = !s.expanded || !grew;
            if (!stepwise && !complete)
                continue;
            draw_map(v, reach);
            spread_caption(text, sizeof text, step, kind, count, n);
            strcat(text, complete ? " complete" : " cont-ret:");
            draw_caption(v, text);
            if (read_key() == 'q' || complete)
                break;
        }
    }
    // The information line the caption covered comes back.
    putimage(pic.x0 + 2, pic.y0 + 2, &v.under_caption, 0);
    freeimage(&v.under_caption);
    if (v.map)
        clear_area(v.map_x - 1, v.map_y - 1, v.map_x + scale * i2d + 1, v.map_y + scale * j2d + 1);
    setcolor(white);
    moveto(x, y);
}
