// The rule sample as text (show_list_rules mode 1): a box at the top right
// listing each record's index, its rule in hex and its mean and standard
// deviation, a line between records of different sd bytes, a page at a
// time; all records or only those near a probed position. The end of a
// page and the question after the list are key tables. A record chosen
// (by its index, or by a click on its line) becomes the network's rule.
// Reads the browser's state (sample_browser.h). Start at list_sample_rules.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/measures/rule_sample.h"
#include "engine/model/globals.h"
#include "ui/measures/rule_stats.h"
#include "ui/measures/sample_browser.h"
#include "ui/measures/sample_rule.h"
#include "ui/rules/hex_readout.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/print_window.h"
#include "ui/screen/question_table.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/window.h"
#include "ui/storage/screen_image_file.h"

// One listing in progress: what it lists, where the next page starts, how
// its pages ended and the lines of the records on the page shown.
struct list_walk {
    rule_browser *b = nullptr;
    bool filter = false;
    int radius = 0;
    uint32_t next = 1;     // the record the next page starts from
    bool at_end = false;   // the page shown reaches the last record listed
    bool stopped = false;  // the list was left before its last record
    bool chosen = false;   // a record's rule was put into the network
    struct line {
        int top, bottom;
        uint32_t index;
    };
    std::vector<line> lines; // the records of the page shown
    int left = 0, top = 0, right = 0, bottom = 0, margin = 0; // the box
};

namespace {

// What a key at the end of a page does, and after the list.
constexpr int page_stays = 0, page_next = 1, page_stops = 2;
constexpr int list_ends = 0, list_again = 1;

bool
listed(const list_walk &w, uint32_t i)
{
    if (!w.filter)
        return true;
    return within_probe(w.b->y_bytes[i - 1], w.b->sd_bytes[i - 1], w.b->y_pos, w.b->sd_pos,
                        w.radius);
}

// A figure "%.3f" or "%.4f" without its leading 0.
std::string
short_figure(const char *format, double value)
{
    char text[16];
    snprintf(text, sizeof text, format, value);
    std::string s = text;
    if (s.size() > 1 && s[0] == '0' && s[1] == '.')
        s.erase(0, 1);
    return s;
}

void
clear_box_line(const list_walk &w, int y, int lines)
{
    setfillstyle(0, black);
    bar(w.left + 1, y, w.right - 1, std::min(w.bottom - 1, y + lines * CHeight - 1));
}

// The row where the prompts at the foot of the box start.
int
prompt_row(const list_walk &w)
{
    return w.bottom - 3 * CHeight - 3;
}

// One record's line: index, rule in hex, mean and sd.
void
list_record(list_walk &w, uint32_t i)
{
    const stat_sample &s = w.b->sample;
    int top = gety;
    char text[24];
    snprintf(text, sizeof text, "%lu  ", static_cast<unsigned long>(i));
    setcolor(white);
    outtext(text);
    const int figures = 12 * CWidth;
    print_current_bitstring_hexbytes(sample_hex_kind(), sample_record(s, i), w.b->k,
                                     w.right - figures, lightcyan, 2);
    setcolor(white);
    std::string tail = " " + short_figure("%.3f", sample_mean_byte(s, i) / 255.0) + " " +
                       short_figure("%.4f", sample_sd_byte(s, i) * 0.18 / 255);
    outtext(tail.c_str());
    w.lines.push_back({top, gety + CHeight - 1, i});
    moveto(w.margin, gety + CHeight);
}

// Draws the box, its heading and a page of records from w.next; w.next
// becomes the record after the page.
void
draw_page(list_walk &w)
{
    setfillstyle(0, black);
    bar(w.left, w.top, w.right, w.bottom);
    setcolor(lightred);
    rectangle(w.left, w.top, w.right, w.bottom);
    setcolor(white);
    moveto(w.margin, w.top + 3);
    char text[96];
    unsigned long total = totstatrules;
    if (w.filter) {
        snprintf(text, sizeof text, "%lu k=%d pos %dx%d rad=%d", total, w.b->k, w.b->y_pos,
                 w.b->sd_pos, w.radius);
        outtext(text);
        moveto(w.margin, gety + CHeight);
        outtext("left mouse button to select");
    } else {
        snprintf(text, sizeof text, "%lu k=%d rules   m-ent stan-dev", total, w.b->k);
        outtext(text);
    }
    moveto(w.margin, gety + CHeight);
    w.lines.clear();
    const int limit = w.top + (w.bottom - w.top) - 5 * CHeight;
    int previous_sd = -1;
    uint32_t i = w.next;
    for (; i <= w.b->sample.count; i++) {
        if (!listed(w, i))
            continue;
        if (gety + CHeight > limit && !w.lines.empty())
            break;
        int sd = w.b->sd_bytes[i - 1];
        if (previous_sd >= 0 && sd != previous_sd) {
            setcolor(lightred);
            moveto(w.left + 2, gety);
            lineto(w.right - 2, gety);
            moveto(w.margin, gety + 2);
        }
        previous_sd = sd;
        list_record(w, i);
    }
    w.next = i;
    w.at_end = i > w.b->sample.count;
}

// Asks "enter rule index 1-%lu:" at the box's foot; the index typed held
// to 1..totstatrules, or 0 for none.
long long
ask_rule_index(const list_walk &w)
{
    clear_box_line(w, prompt_row(w), 3);
    moveto(w.margin, prompt_row(w));
    setcolor(white);
    char text[48];
    snprintf(text, sizeof text, "enter rule index 1-%lu:", static_cast<unsigned long>(totstatrules));
    outtext(text);
    input_string(static_cast<int>(std::to_string(totstatrules).size()), numeric_entry);
    return static_cast<long long>(entry_held(0, {1, static_cast<double>(totstatrules)}, true));
}

// The rows at the end of a page.
int
print_box(list_walk &, char)
{
    printimage();
    return page_stays;
}

int
save_box_screen(list_walk &, char)
{
    save_screen();
    return page_stays;
}

int
next_page(list_walk &, char)
{
    return page_next;
}

int
jump_to(list_walk &w, char)
{
    long long index = ask_rule_index(w);
    if (index < 1)
        return page_stays;
    w.next = static_cast<uint32_t>(index);
    return page_next;
}

int
stop_list(list_walk &, char)
{
    return page_stops;
}

bool
more_to_come(const list_walk &w)
{
    return !w.at_end;
}

bool
last_page(const list_walk &w)
{
    return w.at_end;
}

std::string
jump_help(const list_walk &w)
{
    return w.at_end ? "\njump-j" : " jump-j";
}

const list_page_key kPageKeys[] = {
    list_page_key::on("p").help("printbox-p").does(print_box),
    list_page_key::on("s").does(save_box_screen),
    list_page_key::on("\r").help("\nmore-ret").when(more_to_come).does(next_page),
    list_page_key::on("j").help(jump_help).does(jump_to),
    list_page_key::on("q").help(" quit/select-q:").when(more_to_come).does(stop_list),
    list_page_key::on("q\r").help(" quit-ret:").when(last_page).does(stop_list),
};

// The prompt lines at the foot of the box, from help pieces.
void
write_foot(const list_walk &w, const std::vector<key_help_line> &help)
{
    std::vector<std::string> lines = help_lines(help);
    clear_box_line(w, prompt_row(w), 3);
    setcolor(white);
    int y = prompt_row(w);
    for (const std::string &line : lines) {
        moveto(w.margin, y);
        outtext(line.c_str());
        y += CHeight;
    }
}

// The end of a page: its keys until one moves on or stops.
int
page_end(list_walk &w)
{
    for (;;) {
        write_foot(w, key_help(kPageKeys, w));
        input_string(1, text_entry);
        char key = is[0];
        const list_page_key *row = find_key(kPageKeys, key, w);
        int step = row ? row->act(w, key) : page_stays;
        if (step != page_stays)
            return step;
    }
}

// The rows of the question after the list.
int
end_list(list_walk &, char)
{
    return list_ends;
}

int
choose_rule(list_walk &w, char)
{
    long long index = ask_rule_index(w);
    if (index < 1) {
        w.radius = 0;
        return list_again;
    }
    put_sample_rule(static_cast<uint32_t>(index));
    note_chosen_sample_rule(static_cast<uint32_t>(index));
    w.chosen = true;
    is[0] = 'q';
    return list_ends;
}

int
set_radius(list_walk &w, char key)
{
    w.radius = key - '0';
    return list_again;
}

bool
filtered(const list_walk &w)
{
    return w.filter;
}

bool
unfiltered(const list_walk &w)
{
    return !w.filter;
}

std::string
quit_help(const list_walk &w)
{
    return w.stopped ? "part list, quit-q" : "quit-q";
}

const list_end_key kEndKeys[] = {
    list_end_key::on("q\r").help(quit_help).does(end_list),
    list_end_key::on("s").help(" select-s").does(choose_rule),
    list_end_key::on("123456789").help(" rad-(max 9):").when(filtered).does(set_radius),
    list_end_key::on("").help(":").when(unfiltered),
};

// One key, or a left click (which gives Return with clicked set).
int
one_key_or_click(bool *clicked)
{
    *clicked = false;
    for (;;) {
        flashing_cursor(entry_block(white));
        if (button == 'l') {
            button = 0;
            *clicked = true;
            return kKeyReturn;
        }
        int key = keycheck(0);
        if (key > 0)
            return key;
    }
}

// The question after the list; a left click on a listed record's line
// chooses it where the heading says so.
int
list_end(list_walk &w)
{
    write_foot(w, key_help(kEndKeys, w));
    bool clicked = false;
    int key = one_key_or_click(&clicked);
    is[0] = static_cast<char>(key);
    if (clicked && w.filter) {
        for (const list_walk::line &l : w.lines)
            if (mouse_y >= l.top && mouse_y <= l.bottom && mouse_x >= w.left &&
                mouse_x <= w.right) {
                put_sample_rule(l.index);
                note_chosen_sample_rule(l.index);
                w.chosen = true;
                is[0] = 'q';
                return list_ends;
            }
    }
    const list_end_key *row = find_key(kEndKeys, static_cast<char>(key), w);
    if (row == nullptr || row->act == nullptr)
        return list_ends;
    return row->act(w, static_cast<char>(key));
}

} // namespace

bool
list_sample_rules(rule_browser &b, bool filter, int radius)
{
    int16_t x = getx, y = gety;
    int colour = getcolor();
    list_walk w;
    w.b = &b;
    w.filter = filter;
    w.radius = radius;
    // At the top right, left of a marked key panel, whose lines its bottom
    // edge would cut, and as wide as its lines take at least.
    w.right = Maxx - 2 - side_panel_shift(Maxx - 2);
    w.left = std::min(Maxx / 2, w.right - 34 * CWidth);
    w.top = 2;
    w.bottom = WinMaxy * 2 / 3;
    w.margin = w.left + 3;
    image_slot under = 0;
    getimage(w.left, w.top, w.right, w.bottom, &under);
    for (;;) {
        w.next = 1;
        w.stopped = false;
        for (;;) {
            draw_page(w);
            int step = page_end(w);
            if (step == page_stops) {
                w.stopped = !w.at_end;
                break;
            }
        }
        if (list_end(w) == list_ends)
            break;
    }
    if (under) {
        putimage(w.left, w.top, &under, 0);
        freeimage(&under);
    }
    setcolor(colour);
    moveto(x, y);
    if (w.chosen)
        is[0] = 'q';
    return w.chosen;
}

std::vector<key_help_line>
list_page_help(bool last)
{
    list_walk w;
    w.at_end = last;
    return key_help(kPageKeys, w);
}

std::string
list_page_keys()
{
    return all_keys(kPageKeys);
}

std::vector<key_help_line>
list_end_help(bool filter, bool stopped)
{
    list_walk w;
    w.filter = filter;
    w.stopped = stopped;
    return key_help(kEndKeys, w);
}

std::string
list_end_keys()
{
    return all_keys(kEndKeys);
}
