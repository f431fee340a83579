// The random-string dialog (random_strings.h): random_bits draws a string
// at the density, its cells, decimal, hex, Z and density readouts, then
// takes one key a pass (another, density, complement, rotation, Z up or
// down). The draws, complement and nudges are engine/rules/string_edits.h;
// the cell drawing is ui/model/cell_display.h. Start at random_bits.
#include "ui/string_editors/random_strings.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "engine/backward/state_symmetries.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/rules/code_families.h"
#include "engine/rules/globals.h"
#include "engine/rules/string_edits.h"
#include "ui/model/cell_display.h"
#include "ui/model/globals.h"
#include "ui/model/rule_parameters.h"
#include "ui/rules/hex_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/question_table.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/window.h"
#include "ui/string_editors/seed_dialog.h"

namespace {

// The Z figures of a rule table with their box shown.
void
measure_shown(int k, uint8_t *rule)
{
    if (value_range == 2)
        z_parameter_all(k, 1, rule);
    else
        z_parameter_all_mvalue(k, 1, rule);
}

const char *
key_help(int kind)
{
    if (kind == 0)
        return twod || threed ? "(rotate-l/r/u/d another-n density-s comp-m goback-q accept-ret)"
                              : "(rotate-l/r another-n density-s comp-m goback-q accept-ret)";
    if (tot_only)
        return totalistic == rule_kind_kcodes
                   ? "(rotate-l/r another-n lucky-k density-s comp-m goback-q accept-ret)"
                   : "(rotate-l/r another-n density-s comp-m goback-q accept-ret)";
    return totalistic != rule_kind_tables
               ? "(rotate-l/r another-n bias-b density-s Z-u/d comp-m goback-q accept-ret)"
               : "(rotate-l/r another-n density-s Z-u/d comp-m goback-q accept-ret)";
}

// Whether the text column in use is the revise box's.
bool
in_revise_box()
{
    return xtext == static_cast<float>(revise_text_left()) / CWidth;
}

// The last column the text column in use may reach: inside the revise
// box's frame (left of a kept key panel), inside the seed dialog's window
// while a seed is set in one, or the window's edge.
int
text_right()
{
    if (in_revise_box())
        return revise_box().x1 - 3;
    if (setting_seed && tview_x1 < Maxx)
        return tview_x1 - 3;
    return Maxx - 5;
}

// Right edge of the readouts for the text column in use.
int
readout_edge(int kind, int k)
{
    int x;
    if (xtext == static_cast<float>(vgax(50)) / CWidth)
        x = vgax(330);
    else if (in_revise_box())
        x = text_right();
    else
        x = static_cast<int>(CWidth * xtext + vgax(280));
    if (value_range > 2 || (kind == 1 && k > 9) || (kind == 0 && lineL > 1024))
        x = text_right();
    return x;
}

// The density prompt: a percentage in 0..100 becomes bias_density.
void
ask_density()
{
    draw_prompt_box(1);
    char text[80];
    snprintf(text, sizeof text, "enter %% (def %.3f%%), accept-ret:",
             static_cast<double>(bias_density));
    outtext(text);
    int len = input_string(5, text_entry);
    if (is[0] != 'q')
        bias_density = static_cast<float>(answer_held(bias_density, {0, 100}, len));
    is[0] = 0;
    erase_prompt_box(1);
}

// The window under the rule-figure and density boxes, kept from before they
// are first drawn and put back when the dialog ends: the density box stands
// over the text column's lines, which a black erase would take away.
class pixels_under_boxes {
public:
    pixels_under_boxes() : places_{rule_figure_box(), density_box()}
    {
        for (size_t i = 0; i < places_.size(); i++)
            getimage(places_[i].x0, places_[i].y0, places_[i].x1, places_[i].y1, &kept_[i]);
    }
    ~pixels_under_boxes()
    {
        for (size_t i = 0; i < places_.size(); i++) {
            if (!kept_[i])
                continue;
            putimage(places_[i].x0, places_[i].y0, &kept_[i], 0);
            freeimage(&kept_[i]);
        }
    }
    pixels_under_boxes(const pixels_under_boxes &) = delete;
    pixels_under_boxes &operator=(const pixels_under_boxes &) = delete;

private:
    std::array<figure_box_place, 2> places_;
    std::array<image_slot, 2> kept_{};
};

// The density line: in the prompt box for a state, else in its own box.
void
show_density(int kind, const uint8_t *string, uint32_t entries, int b, uint32_t block_count)
{
    int16_t x = getx, y = gety;
    uint32_t count = count_nonzero(string, 0, entries);
    char label[24], text[160];
    if (value_range == 2)
        snprintf(label, sizeof label, "density 1s=");
    else
        snprintf(label, sizeof label, "density %d-1s=", value_range - 1);
    double share = count * 100.0 / entries;
    if (b > 0) {
        uint32_t cells = block_cells(b);
        snprintf(text, sizeof text, "%s%u/%u=%.3f%%, block=%u/%u=%.3f%%, bias=%.3f%%", label, count,
                 entries, share, block_count, cells, block_count * 100.0 / cells,
                 static_cast<double>(bias_density));
    } else {
        snprintf(text, sizeof text, "%s%u/%u=%.3f%%, bias=%.3f%%", label, count, entries, share,
                 static_cast<double>(bias_density));
    }
    // A long line (a block seed of a wide network) takes a smaller font where
    // it would pass its box and the window's edge, whose cut glyphs would
    // stay there after the box.
    const figure_box_place box = density_box();
    const int room = kind == 0 ? prompt_box_text_room() : box.x1 - box.x0 - 6;
    font_while font({text}, room, {set_medium_font, set_small_font});
    if (kind == 0) {
        replace_prompt_box(1);
    } else {
        draw_box(-1, box.x0, box.y0, box.x1, box.y1, 1, 0);
        moveto(box.x0 + 3, box.y0 + 1);
    }
    int colour = getcolor();
    setcolor(white);
    outtext(text);
    setcolor(colour);
    moveto(x, y);
}

// The lowest row the dialog's lines may take: a state's the last inside
// the seed window's frame, whose foot they would wipe out and run past; a
// rule's above the window's bottom strip.
int
text_floor(int kind)
{
    return kind == 0 ? seed_window_bottom() - 1 : Maxy - vgay(33) - 1;
}

// Clears from the current point to (x1, y1) in black.
void
clear_to(int x1, int y1)
{
    setfillstyle(0, black);
    bar(getx, gety, x1, y1);
}

} // namespace

figure_box_place
density_box()
{
    int shift = side_panel_shift(Maxx - 2);
    return {Maxx / 2 - shift, Maxy / 6, Maxx - 2 - shift, Maxy / 6 + CHeight + vgay(6)};
}

void
change_Z(uint8_t *rule, int k, char dir)
{
    nudge_rule_z(rule, k, dir, measure_shown);
}

void
random_bits(int k, int b, int kind, int show_hex, uint8_t *string, int last)
{
    uint8_t zero_colour = color_v[0];
    color_v[0] = darkgray;
    int edge = readout_edge(kind, k);
    uint8_t *table = nullptr;
    if (!tot_only && kind == 2)
        table = static_cast<uint8_t *>(checked_calloc(rule_bytes(k), 1, "carule_temp"));
    bias_density = value_range == 2 ? 50.0f : (value_range - 1.0f) / value_range * 100.0f;

    int text_x = static_cast<int>(xtext * CWidth);
    moveto(text_x, gety + CHeight);
    setcolor(white);
    {
        // In the revise box at the window's right edge the line takes a
        // smaller font when it would run past the box, with room left for
        // the cursor after it.
        std::string help = std::string(key_help(kind)) + "00";
        font_while font({help}, text_right() - text_x, {set_medium_font, set_small_font});
        outtext(key_help(kind));
    }
    std::optional<pixels_under_boxes> under_boxes;
    if (kind != 0)
        under_boxes.emplace();
    int16_t cursor_x = getx, cursor_y = gety;
    int16_t origin_y = static_cast<int16_t>(cursor_y + static_cast<int>(1.5 * CHeight));
    int16_t width = set_cellscale(k, kind);
    if (kind != 0 && value_range > 2)
        width = std::max<int16_t>(width, 128);
    uint32_t entries = static_cast<uint32_t>(last) + 1;

    bool keep = false;
    uint32_t block_count = 0;
    // Where the hex readout starts, and the row of its last line, from
    // which the set-up's next line goes on.
    int16_t hex_x = text_x, hex_y = origin_y, hex_end_y = origin_y;
    for (;;) {
        moveto(text_x, origin_y);
        if (!keep) {
            if (b > 0 && kind == 0)
                block_count = random_block_at_density(string, b);
            else
                random_string_at_density(string, entries, bias_density);
        }
        keep = true;
        // A rule's rows stop above the rule box (a state's at the seed
        // window's foot, as setting a seed stops them).
        const int floor = kind == 0 ? 0 : std::min(tallest_rule_box_top(), text_floor(kind)) - 2;
        print_layered_bitstring(width, string, b > 0 ? L : last, cellscale, cellsep, floor, kind);
        if (value_range == 2 && last <= 31) {
            next_line(xtext, 1.0f);
            clear_to(edge - 1, std::min(gety + 3 * CHeight, text_floor(kind)));
            char text[40];
            snprintf(text, sizeof text, " (dec)%lu",
                     static_cast<unsigned long>(dec_equiv(string, last)));
            outtext(text);
        }
        if (value_range == 2 && !((kind == 1 && k > 5) || (kind == 0 && last > 31)))
            outtext(" (hex)");
        else
            next_line(xtext, 1.0f);
        hex_x = getx;
        hex_y = gety;
        hex_end_y = hex_y;
        if (value_range == 2 && show_hex) {
            // The readout's lines stay whole above the rule box (a line's
            // cell ends 2 rows below its baseline), which the set-up draws
            // after it or a revision finds there: the lines past it are left
            // out, "..." saying so, as the box does with its own readout.
            // The clear of the readout before stops above the box too.
            const int last_baseline = std::min(tallest_rule_box_top() - 3, text_floor(kind) - 2);
            if (kind == 1 && k > 9)
                clear_to(Maxx - vgax(20), std::min(Maxy - vgax(37), last_baseline + 2));
            else if (kind == 1)
                clear_to(edge - 1, std::min(gety + 4 * CHeight, last_baseline + 2));
            else if (kind == 2)
                clear_to(edge - 1, gety + CHeight);
            else
                clear_to(edge - 1, std::min(gety + 3 * CHeight, text_floor(kind)));
            const int breaks =
                print_current_bitstring_hexbytes(kind, string, k, edge - 1, white, 2, last_baseline) + 1;
            // A full last line leaves the point at the start of the one
            // after it, which holds nothing.
            hex_end_y = static_cast<int16_t>(breaks > 0 && getx == hex_x ? gety - (gety - hex_y) / breaks : gety);
        }
        if (kind == 1) {
            measure_shown(k, string);
        } else if (table) {
            expand_code(table, string, k);
            measure_shown(k, table);
        }
        show_density(kind, string, entries, kind == 0 ? b : 0, block_count);

        int key = 0;
        for (;;) {
            moveto(cursor_x, cursor_y);
            flashing_cursor({0, CHeight - vgay(3) - 6, CWidth, CHeight - 6, green});
            bool typed = button == 'k';
            key = keycheck(0);
            // A key without text (Shift before a capital) is no answer.
            if (key != 0 || !typed)
                break;
        }
        if (key == 0) // a mouse button other than left or right
            key = 'n';
        bool lattice_state = kind == 0 && (twod || threed);
        bool rotation = key == 'l' || key == 'r' ||
                        (lattice_state && (key == 'u' || key == 'd'));
        bool z_key = (key == 'u' || key == 'd') && kind != 0 && !tot_only;
        if (rotation && lattice_state) {
            rotate_array_2d(string, static_cast<char>(key), 1);
        } else if (rotation) {
            rotate_array(k, string, static_cast<char>(key), kind, 1, 0, static_cast<int>(entries));
        } else if (key == 's') {
            ask_density();
            keep = false;
        } else if (key == 'm') {
            complement_string(string, entries, kind == 0);
            if (value_range == 2)
                bias_density = 100.0f - bias_density;
        } else if (z_key && kind == 1) {
            change_Z(string, k, key == 'u' ? 'Z' : 'z');
        } else if (z_key) {
            nudge_code_z(string, k, key == 'u' ? 'Z' : 'z', table, measure_shown);
        } else if (key == 'b' && kind != 0 && totalistic == rule_kind_kcodes) {
            lucky_vcode(string, k);
        } else if (key == 'n') {
            keep = false;
        } else {
            is[0] = static_cast<char>(key);
            break;
        }
    }

    if (table)
        checked_free(table);
    under_boxes.reset();
    color_v[0] = zero_colour;
    moveto(hex_x, hex_end_y);
}
