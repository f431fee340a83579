// The update-order dialogs (order_dialogs.h): the mode prompt, the listing
// of a random order, the order typed cell by cell and the pages of all n!
// orders with their indices. The orders themselves, their ranks and the
// random draw are engine/forward/update_order.h; the order file is
// order_file.h; an order chosen as a state goes through the seed dialog in
// neutral-order mode (engine/backward/neutral_buffers.h). Indices are exact
// only up to 12 cells, so the listing of all orders and the index figures
// are offered only there. Start at set_seq_update.
#include "ui/forward/order_dialogs.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/neutral_buffers.h"
#include "engine/forward/globals.h"
#include "engine/forward/update_order.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"
#include "ui/forward/order_file.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/question_table.h"
#include "ui/string_editors/seed_dialog.h"

namespace {

constexpr int kMaxIndexedCells = 12; // n! - 1 fits 32 bits up to here
constexpr int kMaxTypedCells = 31;

int
digits_of_u32(uint32_t x)
{
    return static_cast<int>(std::to_string(x).size());
}

// Writes text at the current point, first breaking the line at margin when
// it would pass the prompt box's right edge; false when the next line would
// be past bottom.
bool
write_wrapped(const char *text, int margin, int bottom)
{
    if (getx + textwidth(text) > Maxx - 4) {
        if (gety + 2 * CHeight > bottom)
            return false;
        moveto(margin, gety + CHeight);
    }
    outtext(text);
    return true;
}

// One unplaced cell by start and direction probing, as the random order
// draws them, ticked off in used.
int
probe_unplaced(std::vector<bool> &used)
{
    int n = static_cast<int>(used.size());
    int c = static_cast<int>(random() % n);
    int d = (random() % 2) != 0 ? 1 : -1;
    while (used[c])
        c = (c + d + n) % n;
    used[c] = true;
    return c;
}

// The last line of a tall listing box, cleared for a question; the
// entry's length.
int
ask_on_last_line(int margin, int line_y, const char *text, int max)
{
    setfillstyle(0, black);
    bar(margin, line_y, Maxx - 4, line_y + CHeight);
    moveto(margin, line_y);
    outtext(text);
    return input_string(max, numeric_entry);
}

// The typed order, complete: shown with its index figures (n <= 12) and
// what next; true to type it afresh.
bool
typed_order_done()
{
    int margin = draw_prompt_box(3);
    std::string text;
    for (int i = 0; i < lineL; i++)
        text += std::to_string(seq_order[i]) + " ";
    outtext(text.c_str());
    if (lineL <= kMaxIndexedCells) {
        uint32_t index = order_to_index(seq_order, lineL);
        char figures[48];
        snprintf(figures, sizeof figures, " =%lu(dec)", static_cast<unsigned long>(index));
        write_wrapped(figures, margin, Maxy);
        snprintf(figures, sizeof figures, "=%lx(hex)", static_cast<unsigned long>(index));
        write_wrapped(figures, margin, Maxy);
    }
    moveto(margin, gety + CHeight);
    outtext("save/load-s/l reselect-r cont-ret:");
    input_string(1, text_entry);
    char key = is[0];
    erase_prompt_box(3);
    if (key == 'r')
        return true;
    if (key == 's' || key == 'l')
        load_save_order(key);
    return false;
}

} // namespace

void
set_seq_update()
{
    int16_t x = getx, y = gety;
    const char *question = lineL <= kMaxIndexedCells ? "sequential updating: ->(def) <-b rand-r rerand-R set-s all-S:"
                           : lineL <= kMaxTypedCells ? "sequential updating: ->(def) <-b rand-r rerand-R set-s:"
                                                     : "sequential updating: ->(def) <-b rand-r rerand-R:";
    char key;
    {
        // The medium font where the longest question and its key would run
        // past a narrow window's edge.
        prompt_font font({with_widest_entry(question, 1)});
        draw_prompt_box(1);
        outtext(question);
        input_string(1, text_entry);
        key = is[0];
    }
    erase_prompt_box(1);
    if (key == 's' && lineL > kMaxTypedCells)
        key = kKeyReturn;
    if (key == 'S' && lineL > kMaxIndexedCells)
        key = kKeyReturn;
    switch (key) {
    case 'b':
        seq_update = update_reverse_order;
        reverse_order(seq_order, lineL);
        break;
    case 'r':
        list_random_sequence();
        break;
    case 'R':
        seq_update = update_random_order;
        break;
    case 's':
        setup_short_sequence();
        break;
    case 'S':
        set_all_orders();
        break;
    default:
        seq_update = update_cell_order;
        identity_order(seq_order, lineL);
        break;
    }
    dontcompress = 1;
    moveto(x, y);
}

void
list_random_sequence()
{
    setup_random_sequence();
    bool short_order = lineL < 32;
    int lines = short_order ? 4 : Maxx / CHeight - 2;
    if (lines > Maxy / CHeight - 1)
        lines = Maxy / CHeight - 1;
    int start = 0;
    for (;;) {
        int margin = draw_prompt_box(lines);
        int box_top = gety;
        char text[80];
        snprintf(text, sizeof text, "randomly re-ordered sequence, startindex=%d", start);
        outtext(text);
        moveto(margin, gety + CHeight);
        // Room for the entries: the lines of the box less the heading and
        // the two closing lines.
        int bottom = box_top + (lines - 2) * CHeight;
        int shown = start;
        while (shown < lineL) {
            snprintf(text, sizeof text, "%d ", seq_order[shown]);
            if (!write_wrapped(text, margin, bottom))
                break;
            shown++;
        }
        moveto(margin, gety + CHeight);
        snprintf(text, sizeof text, "seq shown from cell index %d-%d", start, shown - 1);
        outtext(text);
        moveto(margin, gety + CHeight);
        if (short_order)
            outtext("save/load-s/l re-order-r cont-ret:");
        else if (shown < lineL)
            outtext("save/load-s/l more-m jump-j re-order-r cont-ret:");
        else
            outtext("save/load-s/l jump-j re-order-r cont-ret:");
        input_string(1, text_entry);
        char key = is[0];
        if (key == 'r') {
            setup_random_sequence();
            start = 0;
        } else if (key == 's' || key == 'l') {
            load_save_order(key);
        } else if (key == 'm' && !short_order && shown < lineL) {
            start = shown;
        } else if (key == 'j' && !short_order) {
            snprintf(text, sizeof text, "jump to index (%d-0):", lineL - 1);
            moveto(margin, gety);
            int len = ask_on_last_line(margin, gety, text, digits_of(lineL));
            if (len == 0) // Return or 'q'
                break;
            start = static_cast<int>(whole_answer_held(start, {0, lineL - 1.0}, len));
        } else {
            break;
        }
    }
    erase_prompt_box(lines);
    seq_update = update_seq_order;
}

void
setup_short_sequence()
{
    seq_update = update_seq_order;
    int n = lineL;
    std::vector<bool> used(n, false);
    // 'q' keeps the cells typed so far; the others follow in their old
    // order, so that the order stays one (each cell once).
    std::vector<uint16_t> previous(seq_order, seq_order + n);
    int position = 0;
    for (;;) {
        if (position == n) {
            if (!typed_order_done())
                return;
            used.assign(n, false);
            position = 0;
        }
        int margin = draw_prompt_box(3);
        char text[80];
        snprintf(text, sizeof text, "enter sequence (no repeats) 0-%d or random (def)-r back-b",
                 n - 1);
        outtext(text);
        moveto(margin, gety + CHeight);
        for (int i = 0; i < n; i++) {
            if (i < position)
                snprintf(text, sizeof text, "%d ", seq_order[i]);
            else
                snprintf(text, sizeof text, "* ");
            write_wrapped(text, margin, Maxy);
        }
        moveto(margin, gety + CHeight);
        snprintf(text, sizeof text, "index %d:", position);
        outtext(text);
        input_string(2, text_entry);
        char key = is[0];
        if (key == 'q') {
            complete_order(seq_order, position, previous.data(), n);
            erase_prompt_box(3);
            return;
        }
        if (key == 'b') {
            if (position == 0) {
                used.assign(n, false);
                continue;
            }
            position--;
            used[seq_order[position]] = false;
            continue;
        }
        if (key == 'r' || key == kKeyReturn) {
            seq_order[position++] = static_cast<uint16_t>(probe_unplaced(used));
            continue;
        }
        long c = static_cast<long>(entry_held(-1, {0, n - 1.0}, true));
        if (c >= 0 && !used[c]) {
            used[c] = true;
            seq_order[position++] = static_cast<uint16_t>(c);
        }
    }
}

void
set_all_orders()
{
    int n = lineL;
    uint32_t m = fact(n) - 1;
    index_to_order(0, seq_order, n);
    seq_update = update_seq_order;
    int lines = WinMaxy / CHeight - 4;
    uint32_t first = 0;
    // The chosen order seed's bits stay in the status box while the listing
    // is open.
    bool bits_shown = false;
    for (;;) {
        int margin = draw_prompt_box(lines);
        int box_top = gety;
        int bottom = box_top + (lines - 1) * CHeight;
        char text[96];
        snprintf(text, sizeof text, "all possible orders n=%d, %lu-%lu", n,
                 static_cast<unsigned long>(first), static_cast<unsigned long>(m));
        outtext(text);
        moveto(margin, gety + CHeight);
        outtext("dec index  -  order  -  hexindex");
        std::vector<uint16_t> order(n);
        uint64_t next = first;
        while (next <= m && gety + 2 * CHeight <= bottom) {
            moveto(margin, gety + CHeight);
            index_to_order(static_cast<uint32_t>(next), order.data(), n);
            snprintf(text, sizeof text, "%lu -    ", static_cast<unsigned long>(next));
            outtext(text);
            for (int i = 0; i < n; i++) {
                snprintf(text, sizeof text, "%1x", order[i]);
                setcolor(order[i] > 9 ? yellow : white);
                outtext(text);
            }
            setcolor(white);
            snprintf(text, sizeof text, " - %lx",
                     static_cast<unsigned long>(order_to_index(order.data(), n)));
            outtext(text);
            next++;
        }
        moveto(margin, gety + CHeight);
        int key_line = gety;
        outtext(next <= m ? "quit-q jump-j copy-c set-s accept-a more-ret:"
                          : "quit-q jump-j copy-c set-s accept-a review-ret:");
        input_string(1, text_entry);
        char key = is[0];
        if (key == kKeyReturn) {
            first = next <= m ? static_cast<uint32_t>(next) : 0;
            continue;
        }
        if (key == 'j' || key == 'c') {
            snprintf(text, sizeof text, key == 'j' ? "jump to index (0-%lu):"
                                                   : "select by index (0-%lu):",
                     static_cast<unsigned long>(m));
            int len = ask_on_last_line(margin, key_line, text, digits_of_u32(m));
            if (len == 0) // Return or 'q'
                break;
            long long index = whole_answer_held(0, {0, static_cast<double>(m)}, len);
            if (key == 'j') {
                first = static_cast<uint32_t>(index);
            } else {
                index_to_order(static_cast<uint32_t>(index), seq_order, n);
                was_changed = 1;
            }
            continue;
        }
        if (key == 's') {
            erase_prompt_box(lines);
            if (!reset_neutral_buffs())
                continue; // more cells than ranks fit 32 bits
            snprintf(text, sizeof text, "order seed, max=%lu ", static_cast<unsigned long>(m));
            select_seed(0, bitseed, text, 1);
            bool chosen = is[0] != 'q';
            uint32_t index = dec_equiv(bitseed, L);
            std::string bits;
            for (int c = L; c >= 0; c--)
                bits += get_value(bitseed, c) ? '1' : '0';
            memory_box(2, bits.c_str());
            bits_shown = true;
            restore_network_buffs();
            if (chosen && index <= m) {
                index_to_order(index, seq_order, n);
                was_changed = 1;
            }
            first = 0;
            continue;
        }
        if (key == 'q')
            seq_update = update_parallel;
        break;
    }
    erase_prompt_box(lines);
    if (bits_shown)
        erase_memory_box();
}
