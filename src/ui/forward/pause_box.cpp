// The pause and options box (pause_box.h): interrupt_stp_box draws the
// rule's header and a menu of one-key options in the right half of the
// window, acts on a key, removes itself and draws itself again until a key
// closes it, and returns what the run must redo. Start at
// interrupt_stp_box; each key that needs more than a line has its own
// helper above it. Reads the rule and state globals (engine/model), the
// run settings (engine/forward) and calls the rule, seed and file dialogs
// of the folders below.
// revise_various_stp_settings re-lays the pattern window through the
// display's own pixmap and frame functions (space_time_display.h); the
// lookup histogram's box is drawn by the entropy plot of the measures.
#include "ui/forward/pause_box.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/held_number.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/rule_parameters.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/rules/random_states.h"
#include "engine/wiring/globals.h"
#include "ui/forward/key_panel.h"
#include "ui/forward/pattern_reset.h"
#include "ui/forward/run_forward.h"
#include "ui/forward/space_time_display.h"
#include "ui/measures/damage_plot.h"
#include "ui/measures/entropy_plot.h"
#include "ui/measures/globals.h"
#include "ui/measures/rule_stats.h"
#include "ui/measures/run_records.h"
#include "ui/measures/top_prompt.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_readout.h"
#include "ui/rule_dialogs/canalyzing_dialogs.h"
#include "ui/rule_dialogs/rule_revision.h"
#include "ui/rule_dialogs/rule_transform.h"
#include "ui/rules/hex_readout.h"
#include "ui/rules/random_states.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/key_table.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/print_window.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/text_inks.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"
#include "ui/screen/window_record.h"
#include "ui/storage/network_files.h"
#include "ui/storage/screen_image_file.h"
#include "ui/string_editors/bit_flips.h"
#include "ui/wiring_editor/network_view.h"
#include "ui/string_editors/seed_dialog.h"

namespace {

constexpr int kHeaderSlot = 3; // boximage slot under the header
constexpr int kMenuSlot = 4;   // boximage slot under the menu

// What one opening of the box knows about its rule, its caller and itself.
struct pause_box {
    int top;
    uint8_t *rule;
    uint32_t t;
    const uint8_t *state;
    int offset;
    int last = 0;       // the rule's last index
    int kind = 1;       // hex kind: 1 rule table, 2 tcode, 3 kcode
    bool full = false;  // forward-only run
    bool single_run = true; // not a field run
    int result = stp_box_nothing; // what the run must redo, as interrupt_stp_box returns it
    bool header_on = false, menu_on = false;
    int header_bottom = 0, menu_bottom = 0;
    // The boxes' side frames: the right half of the window, moved left of
    // the running pattern's key panel while that is up, so that the
    // panel's lines are neither covered in part nor crossed by a frame.
    // The left frame moves further left, from home_left, while a header
    // line is too long for the half (a rule of many figures).
    int home_left = 0, left = 0, right = 0;

    int k() const { return nhood; }
    bool single() const { return single_run; }
    // The state the 'c' choices use: the caller's, or A outside a run.
    uint8_t *current() const { return state ? const_cast<uint8_t *>(state) : A; }
};

void
compute_rule_size(pause_box &b)
{
    int k = nhood;
    if (tot_only && totalistic == rule_kind_tcodes) {
        b.last = k * (value_range - 1);
        b.kind = 2;
    } else if (tot_only && totalistic == rule_kind_kcodes) {
        b.last = v_tablecodemax ? v_tablecodemax[k] : 0;
        b.kind = 3;
    } else {
        b.last = static_cast<int>(std::pow(static_cast<double>(value_range), k)) - 1;
        b.kind = 1;
    }
}

size_t
rule_byte_count(const pause_box &b)
{
    return value_line_bytes(static_cast<uint64_t>(b.last) + 1, value_bits);
}

// The header's text lines after the bit pattern.
std::vector<std::string>
header_lines(const pause_box &b)
{
    std::vector<std::string> lines;
    char text[200];
    const char *what = b.kind == 2 ? "tcode" : b.kind == 3 ? "kcode" : "rule";
    if (max_dec_rule(b.last, value_range) != 0) {
        snprintf(text, sizeof text, "%s(dec)=%lu  ", what,
                 static_cast<unsigned long>(dec_equiv(b.rule, b.last)));
        lines.push_back(text);
    }
    const char *label = !tot_only ? "rule" : totalistic == rule_kind_tcodes ? "(t-code only)" : "(v-code only)";
    std::string line;
    snprintf(text, sizeof text, "%s v%dk%d ", label, value_range, b.k());
    line = text;
    if (!tot_only) {
        snprintf(text, sizeof text, "ld=%.3g ld-r=%.3g zl=%.3g zr=%.3g Z=%g", lambda, lratio, zparam[1],
                 zparam[2], zparam[0]);
        lines.push_back(line + text);
        snprintf(text, sizeof text, "C=%d/%d", canaltotal, b.k());
        std::string c = text;
        if (canaltotal && b.k() > 1) {
            if (c.size() < 6)
                c.resize(6, ' ');
            c[5] = ' ';
            c.resize(6);
            for (int p = b.k() - 1; p >= 0; p--) {
                bool on = canal && p < 16 && get_bitlong(canal, static_cast<uint32_t>(p));
                c += on ? std::to_string(p).substr(0, 1) : "*";
            }
        }
        line = c;
    }
    if (threed == 3)
        snprintf(text, sizeof text, "  3d ijh=%dx%dx%d", i3d, j3d, h3d);
    else if (twod == 2)
        snprintf(text, sizeof text, "  2d ij=%dx%d", i2d, j2d);
    else
        snprintf(text, sizeof text, "  1d=%d", lineL);
    line += text;
    snprintf(text, sizeof text, " time-step=%lu", static_cast<unsigned long>(b.t));
    lines.push_back(line + text);
    return lines;
}

// The rows of the rule's bit pattern the header shows (none for a rule
// of more than 512 entries), and their pitch.
int
pattern_rows(const pause_box &b)
{
    int entries = b.last + 1;
    return entries <= 512 ? (entries + 63) / 64 : 0;
}

int
pattern_pitch()
{
    return vgax(4);
}

bool
shows_hex(const pause_box &b)
{
    return rule_byte_count(b) <= 16;
}

// The header's frames in the font in use: its left frame and its bottom
// row, in b.
void
place_header(pause_box &b, const std::vector<std::string> &lines)
{
    // Every line ends a column inside the right frame; the menu below
    // takes the same frames.
    int widest = 0;
    for (const std::string &line : lines)
        widest = std::max(widest, text_pixel_width(line.c_str(), static_cast<int>(line.size())));
    b.left = std::max(0, std::min(b.home_left, b.right - 3 * CWidth - widest));
    int height = pattern_rows(b) * pattern_pitch() +
                 static_cast<int>(lines.size() + (shows_hex(b) ? 1 : 0)) * CHeight + vgay(8);
    // A label of the picture under the box is hidden whole, not cut.
    b.header_bottom = free_row_below(b.top + height, b.left, b.right, kPastLabelPlaces);
}

void
draw_header(pause_box &b)
{
    int rows = pattern_rows(b);
    int pitch = pattern_pitch();
    std::vector<std::string> lines = header_lines(b);
    bool hex = shows_hex(b);
    place_header(b, lines);
    draw_box(kHeaderSlot, b.left, b.top, b.right, b.header_bottom, 1, 0);
    b.header_on = true;
    int x = b.left + 2 * CWidth;
    keep_text_margin();
    xtext = static_cast<float>(x) / CWidth;
    setcolor(white);
    moveto(x, b.top + vgay(4));
    if (rows) {
        print_layered_bitstring(64, b.rule, b.last, pitch, 1, 0, b.kind == 1 ? 1 : 2);
        moveto(x, b.top + vgay(4) + rows * pitch);
    }
    if (hex) {
        print_current_bitstring_hexbytes(b.kind, b.rule, b.k(), b.right - 2, white, 0);
        moveto(x, gety + CHeight);
    }
    // Each line is kept within the frame, cut where the box is narrower
    // than it (a small screen).
    int top = gety;
    for (const std::string &line : lines) {
        text_line(x, b.right - 2, top, line);
        top += CHeight;
    }
    moveto(x, top);
    put_back_text_margin();
}

// The menu's top: right below the header's frame when the header shows,
// so that no strip of what the boxes cover shows between them.
int
menu_top(const pause_box &b)
{
    return b.header_on ? b.header_bottom + 1 : b.top;
}

void
remove_menu(pause_box &b)
{
    if (b.menu_on) {
        putimage(b.left, menu_top(b), &boximage[kMenuSlot], 3);
        freeimage(&boximage[kMenuSlot]);
        b.menu_on = false;
    }
}

void
remove_boxes(pause_box &b)
{
    remove_menu(b);
    if (b.header_on) {
        putimage(b.left, b.top, &boximage[kHeaderSlot], 3);
        freeimage(&boximage[kHeaderSlot]);
        b.header_on = false;
    }
}

// A prompt of one or two lines at the top right over a saved copy of what
// it covers, beside the colour key standing there (as the histograms' and
// the type readout's prompts stand), put back after the answer, which is
// left in is.
void
ask(const std::vector<std::string> &lines, int room)
{
    top_prompt p = open_top_prompt(lines, room);
    input_string(room, text_entry);
    close_top_prompt(p);
}

// The whole number typed, held to low..high, in out; false for Return, 'q'
// or text that is no number.
bool
typed_int(long low, long high, long &out)
{
    if (is[0] == kKeyReturn || is[0] == 'q')
        return false;
    held_answer typed = held_answer_of(entry_text(), NAN, {static_cast<double>(low), static_cast<double>(high)}, true);
    if (std::isnan(typed.value))
        return false;
    out = static_cast<long>(typed.value);
    return true;
}

// 's' and 'l': the rule as a rule-table file unless tot_only.
void
save_or_load_rule(pause_box &b, int mode)
{
    int8_t kind = totalistic;
    if (!tot_only)
        totalistic = rule_kind_tables;
    load_save_wrs(mode, b.rule, 0);
    totalistic = kind;
}

// 'v': the cell whose rule is revised.
void
revise_rule()
{
    int cell = 0;
    if (rulemix) {
        char text[60];
        snprintf(text, sizeof text, "enter cell index, %d-0:", lineL - 1);
        ask({text}, digits_of(lineL - 1));
        long c;
        cell = typed_int(0, lineL - 1, c) ? static_cast<int>(c) : 0;
    }
    revise_rule_or_code(cell);
}

// 'B': the fixed border's width and value.
void
fixed_border()
{
    int side = threed == 3 ? std::min({i3d, j3d, h3d}) : twod == 2 ? std::min(i2d, j2d) : lineL;
    int widest = std::max(1, std::min(side, 127) / 5);
    char text[80];
    for (;;) {
        snprintf(text, sizeof text, "fixed border: width (0-%d, now %d): ", widest, border);
        ask({text}, 1);
        if (is[0] == 'q')
            return;
        long w;
        if (typed_int(0, widest, w))
            border = static_cast<int8_t>(w);
        snprintf(text, sizeof text, "border value: (0-%d, now %d): ", value_range - 1, b_value);
        ask({text}, 1);
        if (is[0] == 'q')
            continue;
        long v;
        if (typed_int(0, value_range - 1, v))
            b_value = static_cast<uint8_t>(v);
        return;
    }
}

// 'e': the seed dialog on the seed, or on the current state.
void
revise_seed(pause_box &b)
{
    if (!b.full) {
        moveto(vgax(200), vgay(315));
        select_seed(0, bitseed, "SEED", 1);
        return;
    }
    ask({b.state ? "revise: original seed-s, current state-c:"
                 : "revise: original seed-s, current state (the last state)-c:"},
        1);
    if (is[0] == 'c') {
        memcpy(bitseed, b.current(), bytesL);
        select_seed(0, bitseed, "SEED", 1);
        memcpy(A, bitseed, bytesL);
    } else if (is[0] == 's') {
        select_seed(0, bitseed, "SEED", 1);
        memcpy(A, bitseed, bytesL);
        slant = -1;
    }
}

// 'H': a random Hamming change of the current state.
void
hamming_change_box()
{
    rand_seed_percent = 0;
    ask({"enter % random Hamming change to current state:"}, 3);
    long p;
    if (typed_int(0, 100, p))
        rand_seed_percent = static_cast<uint8_t>(p);
    if (rand_seed_percent > 0)
        random_seed(white, rand_seed_percent, 0);
    slant = -1;
}

// 'k': a central block of seglen cells.
void
central_block()
{
    char text[100];
    for (;;) {
        snprintf(text, sizeof text, "block: change size (now %d), keep rest-k, set (def):", seglen);
        ask({text}, 3);
        long m;
        if (is[0] >= '0' && is[0] <= '9') {
            if (typed_int(1, 65535, m)) {
                bool fits = threed == 3 ? m <= i3d && m <= j3d && m <= h3d
                            : twod == 2 ? m <= i2d && m <= j2d
                                        : m <= lineL;
                if (fits)
                    seglen = static_cast<uint16_t>(m);
            }
            continue;
        }
        if (is[0] == 'k')
            set_central_block(1, A, seglen);
        else if (is[0] == kKeyReturn)
            set_central_block(0, A, seglen);
        if (is[0] == 'k' || is[0] == kKeyReturn)
            seed_was_set = 1;
        break;
    }
    memcpy(bitseed, A, bytesL);
    seed_was_set = 1;
    slant = -1;
}

// 'S': the seed or the current state to a seed file.
void
save_state(pause_box &b)
{
    ask({b.state || !b.full ? "save: original seed-s, current state-c:"
                            : "save: original seed-s, current state (the last state)-c:"},
        1);
    if (is[0] == 's') {
        load_save_wrs('s', bitseed, 's');
    } else if (is[0] == 'c') {
        std::vector<uint8_t> line(b.full ? b.current() : A, (b.full ? b.current() : A) + bytesL);
        load_save_wrs('s', line.data(), 's');
    }
}

// 'N': the pause; returns the box result.
int
pause_dialog()
{
    stppause = stppause_none;
    ittpause = 0;
    char text[80];
    snprintf(text, sizeof text, "pause: screen full-p, after f-gens(%d)-f:", frozen_gens);
    ask({text, "or enter time-step (no pause-def):"}, 5);
    long t;
    if (is[0] == 'f') {
        stppause = stppause_box;
        ittpause = frozen_gens;
    } else if (is[0] == 'p') {
        stppause = stppause_box;
    } else if (typed_int(1, 99999, t)) {
        ittpause = static_cast<uint32_t>(t);
        stppause = stppause_box;
    }
    return ittpause ? stp_box_changed : stp_box_nothing;
}

// 'X': the time-steps skipped between drawn ones.
void
skip_dialog()
{
    char text[60];
    snprintf(text, sizeof text, "skip time-steps (now %d):", time_skip);
    ask({text}, 4);
    long s;
    if (typed_int(1, 65535, s))
        time_skip = static_cast<uint16_t>(s);
}

// 'f': the rule-table entries whose cells are filtered from the pattern.
void
filter_dialog(const pause_box &b)
{
    if (!color_filter)
        return;
    for (;;) {
        std::string first = "filtered: ";
        bool any = false;
        for (int i = b.last; i >= 0; i--)
            if (get_bitlong(color_filter, static_cast<uint32_t>(i))) {
                first += std::to_string(i) + " ";
                any = true;
            }
        if (!any)
            first += "none";
        char text[100];
        snprintf(text, sizeof text, "filter/undo enter +/- k-index (%d-0), max-m reset-r:", b.last);
        ask({first, text}, digits_of(b.last) + 1);
        if (is[0] == 'q' || is[0] == kKeyReturn)
            return;
        if (is[0] == 'r') {
            for (int i = 0; i <= b.last; i++)
                set_bitlong(color_filter, static_cast<uint32_t>(i), 0);
        } else if (is[0] == 'm') {
            int best = -1;
            for (int i = b.last; i >= 0; i--)
                if (!get_bitlong(color_filter, static_cast<uint32_t>(i)) &&
                    (best < 0 || hist_order[i] > hist_order[best]))
                    best = i;
            if (best >= 0)
                set_bitlong(color_filter, static_cast<uint32_t>(best), 1);
        } else {
            long i;
            if (typed_int(-b.last, b.last, i)) {
                if (i > 0)
                    set_bitlong(color_filter, static_cast<uint32_t>(i), 1);
                else
                    set_bitlong(color_filter, static_cast<uint32_t>(-i), 0);
            }
        }
    }
}

// 'E': the rule-sample statistics.
void
sample_statistics(pause_box &b)
{
    min_max_entropy = 0;
    ask({"specify entropy min-max -m, standard deviation -(def):"}, 1);
    if (is[0] == 'm')
        min_max_entropy = 1;
    char key = is[0];
    if (key != 'q')
        load_rule_stats(0, b.offset);
    load_rule_stats(0, b.offset);
}

// What the box does after a key: it stays open (and is drawn again), it
// closes with the result held, or it closes with stp_box_nothing and leaves the
// key in is[0] for its caller.
enum class box_step { stays, closes, passes };

using pause_key = key_row<pause_box, box_step>;

bool
full_box(const pause_box &b)
{
    return b.full;
}

bool
short_box(const pause_box &b)
{
    return !b.full;
}

// The line of the seed or state keys: in a full box, and in a short box of a
// single run.
bool
state_line_shown(const pause_box &b)
{
    return b.full || b.single();
}

// A key of the full box pressed in a short box does nothing: 'g' and '7'
// close the box, the others leave it open.
box_step
not_in_short_box(char key)
{
    return key == 'g' || key == '7' ? box_step::closes : box_step::stays;
}

// A seed key pressed in a field run does nothing: 'N' leaves the box open,
// the others close it.
box_step
not_in_field(char key)
{
    return key == 'N' ? box_step::stays : box_step::closes;
}

// A key whose dialog draws over the screen: the prompts of the rule, seed,
// file and setting dialogs are taken down by an erase to the background,
// which takes the colour key at the top right with them, and the rule and
// network dialogs leave their rule box at the bottom; a paused run draws
// neither again. The box's own boxes are taken away, the drawing area is
// kept while the dialog is open and put back when it ends, as the box puts
// back what its own boxes covered. The boxes a dialog places against the
// right edge (rule figures, density) stand left of the key panel, as the
// box's own do (interrupt_stp_box marks it), whose text stays readable
// under the dialog.
template <box_step (*dialog)(pause_box &, char)>
box_step
over_kept_screen(pause_box &b, char key)
{
    remove_boxes(b);
    image_slot kept = 0;
    // The boxes standing in the area come back with it (standing_boxes.h):
    // the dialog's prompt boxes took them, and the next readout in their
    // place must take them whole again.
    getimage(0, 0, Maxx, Maxy, &kept);
    box_step step = dialog(b, key);
    if (kept) {
        putimage(0, 0, &kept, 3);
        freeimage(&kept);
    }
    return step;
}

// A key that changes the rule and shows the new one in a one-line box at
// the top right (bit_flip), where the box's header and menu stand from the
// window's top too: the boxes are taken away first, so that the readout
// is drawn over what they covered, not across their lines. Their next
// drawing takes it away where they meet it, or keeps it under them where
// they cover it whole and shows it again when they are taken away.
template <box_step (*change)(pause_box &, char)>
box_step
with_boxes_down(pause_box &b, char key)
{
    remove_boxes(b);
    return change(b, key);
}

box_step
quit_box(pause_box &b, char)
{
    stppause = stppause_none;
    ittpause = 0;
    b.result = stp_box_restart;
    return box_step::closes;
}

box_step
close_box(pause_box &, char)
{
    return box_step::closes;
}

box_step
print_window(pause_box &b, char key)
{
    if (!b.full)
        return not_in_short_box(key);
    // The prompt stands in the box's columns, below the header that is
    // printed with the window ('p'), or in its place.
    if (key == 'p')
        remove_menu(b);
    else
        remove_boxes(b);
    printimage_at(b.left, menu_top(b));
    return box_step::stays;
}

box_step
save_window(pause_box &b, char key)
{
    if (!b.full)
        return not_in_short_box(key);
    remove_menu(b);
    // The picture keeps the header; the file dialog's boxes then stand
    // without it (a header wider than the prompt box shows cut at its side,
    // its lines against the dialog's).
    save_screen([&b] { remove_boxes(b); });
    return box_step::stays;
}

// 'W': the box hidden until a key.
box_step
hide_box(pause_box &b, char key)
{
    if (!b.full)
        return not_in_short_box(key);
    input_string(1, text_entry);
    return box_step::stays;
}

box_step
rule_sample(pause_box &b, char key)
{
    if (!b.full)
        return not_in_short_box(key);
    if (rulemix)
        return box_step::stays;
    // The sample's screens (its plot, its runs with their keys) take the
    // window: the boxes go first and are drawn afresh after.
    remove_boxes(b);
    if (key == 'E')
        sample_statistics(b);
    else
        load_rule_stats(1, b.offset);
    return box_step::stays;
}

box_step
rule_file(pause_box &b, char key)
{
    save_or_load_rule(b, key);
    if (key == 'l')
        was_changed = 1;
    return box_step::stays;
}

box_step
revise_the_rule(pause_box &b, char)
{
    revise_rule();
    was_changed = 1;
    b.result = stp_box_changed;
    return box_step::stays;
}

box_step
random_rule(pause_box &b, char)
{
    bit_flip('r', white);
    was_changed = 1;
    b.result = stp_box_changed;
    return box_step::stays;
}

box_step
transform_the_rule(pause_box &b, char)
{
    if (tot_only)
        return box_step::stays;
    transform_rule(0);
    compute_rule_size(b);
    was_changed = 1;
    b.result = stp_box_changed;
    return box_step::stays;
}

box_step
review_network(pause_box &b, char)
{
    if (loc_twod_fonly)
        return box_step::stays;
    show_w_r_scheme();
    was_changed = 1;
    b.result = stp_box_changed;
    return box_step::stays;
}

box_step
canalyzing(pause_box &b, char)
{
    if (rulemix)
        set_canalyzing_net(0);
    else
        set_canalyzing_rule(0);
    was_changed = 1;
    b.result = stp_box_changed;
    return box_step::closes;
}

box_step
force_z(pause_box &, char key)
{
    if (!rulemix) {
        bit_flip(key, white);
        was_changed = 1;
    }
    return box_step::stays;
}

box_step
flip_ends(pause_box &, char key)
{
    bit_flip(key, white);
    was_changed = 1;
    return box_step::stays;
}

box_step
toggle_graph(pause_box &b, char key)
{
    if (!b.full)
        return not_in_short_box(key);
    // The graph's window reaches over a run's histogram, which is drawn
    // again at each sample: the two never share the window.
    if (run_histogram_shown())
        return box_step::stays;
    graph_layout = graph_layout ? 0 : 1;
    b.result = stp_box_restart;
    return box_step::closes;
}

box_step
toggle_glider_order(pause_box &b, char key)
{
    if (!b.full)
        return not_in_short_box(key);
    glider_rule_order = glider_rule_order == glider_order_random ? 0 : glider_order_random;
    return box_step::stays;
}

box_step
border_dialog(pause_box &b, char key)
{
    if (!b.full)
        return not_in_short_box(key);
    fixed_border();
    return box_step::stays;
}

box_step
toggle_wiring(pause_box &b, char key)
{
    if (!b.full)
        return not_in_short_box(key);
    if (loc_twod_fonly || !nonlocal)
        return box_step::stays;
    wiring_madelocal = wiring_madelocal ? 0 : 1;
    return box_step::closes;
}

box_step
seed_dialog(pause_box &b, char key)
{
    if (!b.single())
        return not_in_field(key);
    revise_seed(b);
    return box_step::stays;
}

box_step
random_state(pause_box &b, char key)
{
    if (!b.single())
        return not_in_field(key);
    random_seed(white, rand_seed_percent, 0);
    memcpy(bitseed, A, bytesL);
    slant = -1;
    return box_step::stays;
}

box_step
hamming_change(pause_box &b, char key)
{
    if (!b.single())
        return not_in_field(key);
    hamming_change_box();
    return box_step::stays;
}

box_step
block_state(pause_box &b, char key)
{
    if (!b.single())
        return not_in_field(key);
    central_block();
    return box_step::stays;
}

box_step
original_seed(pause_box &b, char key)
{
    if (!b.single())
        return not_in_field(key);
    memcpy(A, bitseed, bytesL);
    seed_was_set = 1;
    slant = -1;
    return box_step::stays;
}

box_step
singleton(pause_box &b, char key)
{
    if (!b.single())
        return not_in_field(key);
    singleton_seed(key == '5' ? 1 : 0, white);
    if (!b.full)
        memcpy(bitseed, A, bytesL);
    seed_was_set = 1;
    slant = -1;
    return box_step::stays;
}

box_step
save_the_state(pause_box &b, char key)
{
    if (!b.single())
        return not_in_field(key);
    save_state(b);
    return box_step::stays;
}

box_step
load_state(pause_box &b, char key)
{
    if (!b.single())
        return not_in_field(key);
    load_save_wrs('l', A, 's');
    seed_was_set = 1;
    return box_step::stays;
}

box_step
pause_settings(pause_box &b, char key)
{
    if (!b.single())
        return not_in_field(key);
    b.result = pause_dialog();
    return box_step::stays;
}

box_step
no_options(pause_box &, char)
{
    stppause = stppause_hint;
    return box_step::stays;
}

box_step
step_on(pause_box &b, char key)
{
    if (!b.single())
        return not_in_field(key);
    if (ittpause == 0)
        ittpause = frozen_gens;
    stppause = stppause_box;
    b.result = stp_box_changed;
    return box_step::closes;
}

box_step
skip_steps(pause_box &, char)
{
    skip_dialog();
    return box_step::stays;
}

box_step
filter_entries(pause_box &b, char)
{
    filter_dialog(b);
    return box_step::stays;
}

box_step
to_top(pause_box &b, char)
{
    b.result = b.full ? stp_box_restart : stp_box_nothing;
    return box_step::closes;
}

// The box's keys in the order of its menu. The help texts are pieces of the
// menu lines: a piece beginning with a newline starts a line. '1' and '+'
// are named in the menu for the caller, which acts on them ('+' a single
// step, '1' a bit flip of the running pattern).
const pause_key kPauseKeys[] = {
    pause_key::on("pP").help("\nprtscrn with/out box-p/P").when(full_box).does(print_window),
    pause_key::on("V").help(" savescrn-V").when(full_box).does(save_window),
    pause_key::on("W").help(" hide-W").when(full_box).does(over_kept_screen<hide_box>),
    pause_key::on("EK")
        .help(", sample:load/keep-E/K")
        .when([](const pause_box &b) { return b.full && !rulemix; })
        .does(over_kept_screen<rule_sample>),

    pause_key::on("sl")
        .help([](const pause_box &) -> std::string {
            return tot_only ? "\nrule:save/load/revise/rnd-s/l/v/r"
                            : "\nrule:save/load/revise/rnd/trans-s/l/v/r/t";
        })
        .does(over_kept_screen<rule_file>),
    pause_key::on("v").does(over_kept_screen<revise_the_rule>),
    pause_key::on("r").does(with_boxes_down<random_rule>),
    pause_key::on("t").when([](const pause_box &) { return !tot_only; }).does(over_kept_screen<transform_the_rule>),
    pause_key::on("n")
        .help(", net-n")
        .when([](const pause_box &) { return !loc_twod_fonly; })
        .does(over_kept_screen<review_network>),
    pause_key::on("C")
        .help(" canal-C")
        .when([](const pause_box &) { return !loc_twod_fonly; })
        .does(over_kept_screen<canalyzing>),

    pause_key::on("g").help("\ntog graph-g").when(full_box).does(toggle_graph),
    pause_key::on("1").help("\nbitflip-1").when(short_box),
    pause_key::on("wb").help(", flip ends-w/b").when(short_box).does(with_boxes_down<flip_ends>),
    pause_key::on("Zz")
        .help(", Z:higher/lower-Z/z")
        .when([](const pause_box &b) { return !b.full || (!tot_only && !rulemix); })
        .does(with_boxes_down<force_z>),
    pause_key::on("B").help(", fixed border-B").when(full_box).does(over_kept_screen<border_dialog>),
    pause_key::on("G")
        .help([](const pause_box &) -> std::string {
            const char *order =
                glider_rule_order == glider_order_random ? "(rnd/seq)" : "(seq/rnd)";
            return std::string(!tot_only && !rulemix ? ", tog glider order" : ", tog g-order") +
                   order + "-G";
        })
        .when(full_box)
        .does(toggle_glider_order),

    pause_key::on("e")
        .help([](const pause_box &b) -> std::string {
            return b.full ? "\nstate:rev-e" : "\nseed:rev-e";
        })
        .when(state_line_shown)
        .does(over_kept_screen<seed_dialog>),
    pause_key::on("R")
        .help([](const pause_box &b) -> std::string {
            return b.full ? " rnd/Ham/blk/orig-R/H/k/o" : " rand/blk-R/k";
        })
        .when(state_line_shown)
        .does(random_state),
    pause_key::on("H").when(full_box).does(over_kept_screen<hamming_change>),
    pause_key::on("k").does(over_kept_screen<block_state>),
    pause_key::on("o").when(full_box).does(original_seed),
    pause_key::on("56").help(" sng:pos/neg-5/6").when(state_line_shown).does(singleton),
    pause_key::on("S").help(" save/load-S/L").when(state_line_shown).does(over_kept_screen<save_the_state>),
    pause_key::on("L").does(over_kept_screen<load_state>),

    pause_key::on("7")
        .help("\ntog wiring-7,")
        .when([](const pause_box &b) { return b.full && nonlocal; })
        .does(toggle_wiring),
    pause_key::on("f")
        .help([](const pause_box &) -> std::string {
            return nonlocal ? " filter-f" : "\nfilter-f";
        })
        .when(full_box)
        .does(over_kept_screen<filter_entries>),
    pause_key::on("X").help(" skip-X").when(full_box).does(over_kept_screen<skip_steps>),
    pause_key::on("N").help(" pause-N").when(full_box).does(over_kept_screen<pause_settings>),
    pause_key::on("x").help(" step-x/+").when(full_box).does(step_on),
    pause_key::on("+"),
    pause_key::on("T").help(" top-T").when(full_box).does(to_top),
    pause_key::on("Q")
        .help(" no-ops-Q")
        .when([](const pause_box &b) { return b.full && !nonlocal; })
        .does(no_options),
    pause_key::on("q")
        .help([](const pause_box &b) -> std::string { return b.full ? " back-q" : "\ngoback-q"; })
        .does(quit_box),
    pause_key::on("\r").help(" cont-ret:").does(close_box),
};

// The menu lines as the key table lists them for this box: the table's help
// texts are pieces of the menu, and a piece beginning with a newline starts
// a line of its own.
std::vector<std::string>
menu_lines(const pause_box &b)
{
    return help_lines(key_help(kPauseKeys, b));
}

// A menu line broken at blanks into pieces no wider than width pixels (a
// word wider than that stands alone).
std::vector<std::string>
wrapped(const std::string &line, int width)
{
    std::vector<std::string> pieces;
    std::string piece;
    size_t at = 0;
    while (at < line.size()) {
        size_t blank = line.find(' ', at + 1);
        std::string word = line.substr(at, blank == std::string::npos ? std::string::npos : blank - at);
        std::string longer = piece + word;
        if (!piece.empty() && text_pixel_width(longer.c_str(), static_cast<int>(longer.size())) > width) {
            pieces.push_back(piece);
            piece = word.substr(word.find_first_not_of(' '));
        } else {
            piece = longer;
        }
        at += word.size();
    }
    if (!piece.empty())
        pieces.push_back(piece);
    return pieces;
}

// The menu's lines, wrapped within the boxes' frames in the font in use.
std::vector<std::string>
menu_pieces(const pause_box &b)
{
    int x = b.left + box_text_inset();
    std::vector<std::string> lines;
    for (const std::string &line : menu_lines(b))
        for (std::string &piece : wrapped(line, b.right - box_text_inset() - x))
            lines.push_back(std::move(piece));
    return lines;
}

// The menu box's bottom row for lines of the menu: one line's room more
// than the lines take, below the last, and down past a label of the
// picture under the box that the foot would cut.
int
menu_foot(const pause_box &b, const std::vector<std::string> &lines)
{
    return free_row_below(menu_top(b) + static_cast<int>(lines.size() + 1) * CHeight + vgay(6), b.left, b.right,
                          kPastLabelPlaces);
}

// Whether the boxes, laid out in the font in use, end above the drawing
// area's foot, and so the menu's last line and the key typed after it
// above the strip below it.
bool
boxes_fit(pause_box b)
{
    b.header_on = b.full && !rulemix;
    if (b.header_on)
        place_header(b, header_lines(b));
    return menu_foot(b, menu_pieces(b)) <= Maxy;
}

void
draw_menu(pause_box &b)
{
    int x = b.left + box_text_inset();
    std::vector<std::string> lines = menu_pieces(b);
    int y0 = menu_top(b);
    b.menu_bottom = std::min<int>(menu_foot(b, lines), Maxy);
    draw_box(kMenuSlot, b.left, y0, b.right, b.menu_bottom, 1, 0);
    b.menu_on = true;
    setcolor(white);
    for (size_t i = 0; i < lines.size(); i++) {
        int top = y0 + 2 + static_cast<int>(i) * CHeight;
        // A window too short for the menu even in the small font: the
        // lines that would reach the box's foot are left out.
        int first = 0, last = 0;
        line_ink_rows(top, first, last);
        if (last >= b.menu_bottom)
            break;
        moveto(x, top);
        outtext(lines[i].c_str());
    }
}

// The network's first rule table as the box shows it, or null before one is set.
uint8_t *
network_rule_table()
{
    uint8_t **rules = rules_of_network();
    return rules ? rules[0] : nullptr;
}

} // namespace

std::vector<key_help_line>
pause_box_menu(bool full, bool single)
{
    pause_box b{2, nullptr, 0, nullptr, 0};
    b.full = full;
    b.single_run = single;
    return key_help(kPauseKeys, b);
}

std::string
pause_box_keys()
{
    return all_keys(kPauseKeys);
}

int
interrupt_stp_box(int top, uint8_t *rule, uint32_t t, const uint8_t *state, int offset)
{
    pause_box b{top, rule, t, state, offset};
    // The boxes, and those the dialogs place against the right edge, stand
    // left of the key panel.
    side_panel_while panel(key_panel_left());
    int shift = side_panel_shift(Maxx - 2);
    b.home_left = Maxx / 2 - shift;
    b.left = b.home_left;
    b.right = Maxx - 2 - shift;
    // A key box at the top right (the colour key, the frozen key) that the
    // boxes would cover only in part has them start below it: its lines
    // are not cut by their frame, nor drawn beside their header.
    int key_left = 0, key_bottom = 0;
    if (top_right_box_standing(&key_left, &key_bottom) && key_left <= b.right &&
        (b.right < Maxx - 2 || key_left < b.left))
        b.top = std::max(b.top, key_bottom + 2);
    compute_rule_size(b);
    b.full = limitcheck == 0 && direction == direction_forward;
    b.single_run = basinfield == 0;
    if (b.full)
        was_changed = 0;
    int16_t x = getx, y = gety;
    for (;;) {
        {
            // The boxes and the key wait in the largest font in which the
            // menu ends above the drawing area's foot (a short window);
            // the actions' dialogs in the normal font.
            font_while font([&b] { return boxes_fit(b); }, {set_medium_font, set_small_font});
            if (b.full && !rulemix)
                draw_header(b);
            draw_menu(b);
            input_string(1, text_entry);
        }
        char key = is[0];
        // Every key of the box answers in every form: one it does not offer
        // now through its action's own test of the form, one of the
        // caller's ('1', '+') by going on to it.
        const pause_key *row = find_named_key(kPauseKeys, key);
        // Return closes with the result held; every other key sets it anew.
        if (key != kKeyReturn)
            b.result = stp_box_nothing;
        uint8_t *rule_before = network_rule_table();
        box_step step = row && row->act ? row->act(b, key) : box_step::passes;
        // A transformation or a loaded rule can move the network's table
        // (raising k reallocates it): the box goes on showing the new one.
        if (b.rule == rule_before)
            b.rule = network_rule_table();
        if (step == box_step::passes) {
            remove_boxes(b);
            moveto(x, y);
            return stp_box_nothing; // left in is[0] for the caller
        }
        if (step == box_step::closes)
            break;
        remove_boxes(b);
        if (!b.full && !rulemix)
            show_rule_bottom(nhoodm ? nhoodm[0] : nhood, 0, carule ? carule[0] : b.rule, 0);
    }
    remove_boxes(b);
    if (!b.full && !rulemix)
        show_rule_bottom(nhoodm ? nhoodm[0] : nhood, 0, carule ? carule[0] : b.rule, 0);
    moveto(x, y);
    return b.result;
}


void
revise_various_stp_settings(entropy_graph *eg, run_iteration *it)
{
    float side = 0;
    if (stpgraph && stp)
        side = eg->plot_on ? eg->w1 : eg->w2;
    int16_t x = getx, y = gety;
    make_pattern_pixmap(it, d_mode == display_1d ? static_cast<int>(side) : 0);
    // The frames the display takes (a fixed 2d frame not while it scrolls:
    // the scrolling frames' cells would cross it).
    setup_pattern_frames(eg, it, side);
    if (side > 0)
        draw_stpframe(side_plot_left(eg), side);
    // The lookup histogram's bars start afresh with the new window.
    if (eg->hist_mode && eg->oldbar && !(d_mode == display_2d && scrolling))
        memset(eg->oldbar, 0, (static_cast<size_t>(it->max_index) + 1) * sizeof(uint16_t));
    moveto(x, y);
    if (scrolling && d_mode == display_2d)
        place_scrolled_2d_frame(it, false);
    if (scrolling && nowscrolling) {
        moveto(0, Maxy);
        nowscrolling = 0;
    }
}
