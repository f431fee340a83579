// The successor-table dialog (successor_pairs.h): a box in the top half of
// the window asks how the table is made, the engine fills it
// (engine/backward/successor_table.h) while the progress bar grows and 'q'
// opens the stop box, and the table may then be saved (ui/storage's *.exh
// dialog). A random map may be loaded from a *.exh file instead. Start at
// prestate_successor_pairs.
#include "ui/backward/successor_pairs.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/successor_table.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "ui/backward/globals.h"
#include "ui/backward/progress_bar.h"
#include "ui/backward/stop_prompts.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window.h"
#include "ui/storage/successor_file.h"

namespace {

constexpr int kPairsSlot = 14; // boximage slot under the dialog's box

bool box_open = false;    // the dialog's box is on the window
bool bar_started = false; // the progress bar's frame was drawn for this table

int
box_left()
{
    return Maxx / 2;
}

// Below the progress bar drawn after it, which a short window moves down
// (below the prompt box of two lines): the box's put-back leaves the bar
// whole.
int
box_top()
{
    return std::max<int>(vgay(46), progress_bar_bottom() + vgay(4));
}

// The box's last row: vgay(60), or lower where the glyphs of its line in the
// font in use, written a row below its top (draw_box's text point), reach
// that row (a short window's font is taller than its rows are scaled).
int
box_bottom()
{
    int first = 0, last = 0;
    line_ink_rows(box_top() + 1, first, last);
    return std::max<int>(vgay(60), last + 2);
}

// Clears the box (saving what it covers the first time) and leaves the
// current point at its text margin.
void
clear_box()
{
    draw_box(box_open ? -1 : kPairsSlot, box_left(), box_top(), Maxx - vgax(2), box_bottom(), 1, 0);
    box_open = true;
    setcolor(white);
}

void
close_box()
{
    if (!box_open)
        return;
    putimage(box_left(), box_top(), &boximage[kPairsSlot], 3);
    freeimage(&boximage[kPairsSlot]);
    box_open = false;
}

// Clears the box and takes, while the returned scope lasts, the font in
// which text and an entry of up to max characters after it keep inside the
// box: the medium or small one where the normal one would run past the
// box's right edge.
font_while
box_font(const char *text, int max)
{
    clear_box();
    const int room = Maxx - vgax(2) - 2 - getx;
    return font_while({with_widest_entry(text, max)}, room, {set_medium_font, set_small_font});
}

// One entry of up to max characters (mode as input_string) after text in
// the box, in box_font's font; returns its length.
int
ask_in_box(const char *text, int max, int mode)
{
    font_while fitted = box_font(text, max);
    outtext(text);
    return input_string(max, mode);
}

// The distance of a random map: -1 for a free map, 0..n for the Hamming
// mode, -2 when the user backed out with 'q'.
int
ask_hamming_distance()
{
    char text[80];
    snprintf(text, sizeof text, "random map: rand-def, or set Hamming distance (0-%d):", lineL);
    // The font stays for the echo of a distance held to the range too: it
    // takes the typed digits back and writes the distance taken in their
    // place, which in another font would stand a few pixels off them.
    font_while fitted = box_font(text, 3);
    outtext(text);
    int len = input_string(3, numeric_entry);
    if (is[0] == 'q' && len == 0)
        return -2;
    return static_cast<int>(whole_answer_held(-1, {0, static_cast<double>(lineL)}, len));
}

// The update mode and "setting up exhaustive pairs, interrupt-q" in the box.
void
show_setting_up()
{
    const char *mode = seq_update == update_cell_order      ? "seq update->, "
                       : seq_update == update_reverse_order ? "<-seq update, "
                       : seq_update == update_seq_order     ? "rand seq update, "
                                                            : "";
    clear_box();
    outtext(mode);
    outtext("setting up exhaustive pairs, interrupt-q");
    flush_display();
}

// A *.exh file chosen through the name dialog as the table; false when
// backed out or refused.
bool
load_table()
{
    std::vector<uint8_t> records;
    return load_exhaustive_into(records) && adopt_successor_table(records.data());
}

// The progress bar filled in red to share (0..1) of its width.
void
fill_bar(double share)
{
    if (!bar_started || !mouse_found)
        return;
    if (share > 1)
        share = 1;
    int right = barxl + 1 + static_cast<int>((barxr - barxl - 2) * share);
    int colour = getcolor();
    setfillstyle(0, red);
    bar(barxl + 1, baryt + vgay(2), right, baryb - vgay(2));
    setcolor(colour);
    flush_display();
}

// The dialog, then the table computed, drawn at random or loaded, and
// saved when asked; false when the user backed out or stopped, or the table
// was refused (nothing kept then).
bool
make_table()
{
    bool random_map = exhaustive_testing == exhaustive_random_map;
    bool asking = mouse_found && !rangeL && !mutantdontpause && !screensavedemo;
    bool save = false, print = false, load = false;
    int hamming = -1;
    if (asking) {
        if (random_map)
            show_rule_bottom(nhood, 0, carule[0], 0);
        int len = ask_in_box(random_map ? "random map: load-l, random-ret, and save-s, prt-p+p:"
                                        : "exhaustive pairs: compute-ret, and save-s, and prt-p+p:",
                             2, text_entry);
        char first = is[0], second = len > 1 ? is[1] : 0;
        if (first == 'q')
            return false;
        save = first == 's';
        if (save)
            dontcompress = 1;
        print = first == 'p' || second == 'p';
        load = random_map && first == 'l';
        if (random_map && !load) {
            hamming = ask_hamming_distance();
            if (hamming == -2)
                return false;
        }
        show_setting_up();
    }
    if (mouse_found && !screensavedemo) {
        progress_bar();
        bar_started = true;
    }
    bool made = load ? load_table() : fill_successor_table(hamming, print ? 1 : 0) == 1;
    if (!made)
        return false;
    fill_bar(1);
    if (save) {
        ask_in_box("SAVE exhaustive pairs-s:", 1, text_entry);
        if (is[0] == 's')
            load_save_exhaustive('s'); // a save backed out of keeps the table
    }
    return true;
}

} // namespace

void
draw_table_progress(uint64_t done, uint64_t states)
{
    if (states > 1)
        fill_bar(static_cast<double>(done) / static_cast<double>(states - 1));
}

int
ask_table_stop_key(unsigned percent)
{
    char text[120];
    for (;;) {
        snprintf(text, sizeof text, "exhaustive pairs %u%% complete; stop-q, options-o, cont-ret:",
                 percent);
        if (box_open)
            ask_in_box(text, 1, text_entry);
        else
            ask_one_key(text);
        if (is[0] != 'o')
            break;
        open_options_box();
    }
    int stop = is[0] == 'q';
    if (box_open && !stop)
        show_setting_up();
    return stop;
}

void
prestate_successor_pairs()
{
    int16_t x = getx, y = gety;
    int colour = getcolor();
    is[0] = 0;
    bool made = make_table();
    close_box();
    bar_started = false;
    if (mouse_found) {
        setcolor(colour);
        moveto(x, y);
    }
    is[0] = made ? 0 : 'q';
}
