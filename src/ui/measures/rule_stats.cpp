// The rule-sample browser's entry (rule_stats.h): the *.sta file read
// whole and checked (engine/storage/stat_record_codec.h) before statbuf is
// replaced, the spare bytes of a file of another network reported, the
// menu as a key table, the sort and its save, and the screen under the
// browser put back as it closes. The scatter, the list and the histogram
// are sample_scatter.cpp, sample_list.cpp and sample_histogram.cpp. Start
// at load_rule_stats.
#include "ui/measures/rule_stats.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "engine/measures/rule_sample.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/formatted_text.h"
#include "engine/storage/content_faults.h"
#include "engine/storage/stat_record_codec.h"
#include "ui/measures/entropy_plot.h"
#include "ui/measures/sample_browser.h"
#include "ui/measures/sample_rule.h"
#include "ui/measures/top_prompt.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/window.h"
#include "ui/storage/data_lines.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"

namespace {

uint32_t chosen_index = 0;

// A part of the window kept in an image slot and put back.
struct kept_area {
    int x = 0, y = 0;
    image_slot slot = 0;

    void keep(int x0, int y0, int x1, int y1)
    {
        x = x0;
        y = y0;
        if (x1 > x0 && y1 > y0)
            getimage(x0, y0, x1, y1, &slot);
    }
    void put_back()
    {
        if (slot) {
            putimage(x, y, &slot, 0);
            freeimage(&slot);
        }
    }
};

// Reads the named file and checks it for records of the network's rules;
// statbuf is replaced only by a sound file. A file with spare bytes past
// its whole records (written for another v, k or rule kind) is said to be
// so, and its whole records are browsed.
bool
read_sample_file(const char *name)
{
    const int k = nhood;
    std::vector<uint8_t> data, records;
    size_t spare = 0;
    if (!read_file(name, data, static_cast<size_t>(largest_stat_sample(k)))) {
        refuse_file(name);
        return false;
    }
    if (!decode_stat_sample(data.data(), data.size(), k, records, &spare)) {
        refuse_file(name, stat_sample_fault(data.data(), data.size(), k));
        return false;
    }
    if (spare > 0) {
        char text[320];
        snprintf(text, sizeof text, "%s: %s spare, other v/k?", name, byte_count(spare).c_str());
        show_refusal(text, refusal_place::box_erased);
    }
    auto *loaded = static_cast<uint8_t *>(checked_calloc(records.size(), 1, "statbuf"));
    memcpy(loaded, records.data(), records.size());
    checked_free(statbuf);
    statbuf = loaded;
    sizeof_statbuf = records.size();
    totstatrules = static_cast<uint32_t>(records.size() / stat_record_bytes(k));
    return true;
}

bool
load_sample_file()
{
    if (!choose_file("LOAD ", "STAT-SAMPLE", "*.sta", "my_stat"))
        return false;
    char name[256];
    snprintf(name, sizeof name, "%s", filename);
    return read_sample_file(name);
}

bool
rule_tables(const rule_browser &)
{
    return !tot_only;
}

// What a menu key leaves: the menu again, or the browser closed.
enum class menu_step { again, closes };
using menu_key = key_row<rule_browser, menu_step>;

// The two position questions of "list by position", over the browser whose
// positions they set.
using position_question = question_row<rule_browser>;

// The box the position questions stand in.
top_prompt position_box;

void
start_position_row(int line)
{
    moveto(position_box.left + 3, position_box.top + 3 + line * CHeight);
    setcolor(white);
}

answer_step
take_position(int *position, int len)
{
    *position = static_cast<int>(whole_answer_held(*position, {0, 255}, len));
    return answer_step::next;
}

const position_question kPositionQuestions[] = {
    position_question::row()
        .prompts([](rule_browser &) { outtext("mean entropy pos 0-255:"); })
        .entry(3, numeric_entry)
        .then([](rule_browser &b, int len) { return take_position(&b.y_pos, len); }),
    position_question::row()
        .prompts([](rule_browser &) { outtext(" standard dev pos 0-255:"); })
        .entry(3, numeric_entry)
        .then([](rule_browser &b, int len) { return take_position(&b.sd_pos, len); })
        .on_line(1),
};

menu_step
list_rules(rule_browser &b, char)
{
    std::string answer = entry_text();
    bool by_position = answer.size() > 1 && answer[1] == 'p';
    take_sample_bytes(b);
    if (by_position) {
        position_box = open_top_prompt({"mean entropy pos 0-255:", " standard dev pos 0-255:"}, 3);
        answer_step end =
            ask_questions(kPositionQuestions, question_place{start_position_row, nullptr, false}, b);
        close_top_prompt(position_box);
        if (end == answer_step::leave)
            return menu_step::again;
    }
    show_list_rules(b, list_rules_list, by_position, 0);
    return menu_step::again;
}

menu_step
sort_sample(rule_browser &b, char)
{
    sort_stat_sample(statbuf, b.sample.record, b.sample.count);
    b.y_bytes.clear();
    b.z_bytes.clear();
    b.lambda_bytes.clear();
    save_way way = select_sort_filename();
    if (way != save_way::none)
        save_browser_file(filename, statbuf, sizeof_statbuf, way);
    return menu_step::again;
}

menu_step
close_browser(rule_browser &, char)
{
    return menu_step::closes;
}

// The scatter against the y kind of the answer's first character, the dot
// size toggled by a 'd' first or second, then the probe.
menu_step
plot_rules(rule_browser &b, char key)
{
    if (key == 'Z' && !tot_only)
        b.y_kind = sample_y_z;
    else if (key == 'L' && !tot_only)
        b.y_kind = sample_y_lambda;
    else
        b.y_kind = sample_y_mean;
    std::string answer = entry_text();
    if (answer.find('d') < 2)
        b.big_dots = !b.big_dots;
    top_prompt wait = open_top_prompt({" -wait"}, 0, lightred);
    flush_display();
    take_sample_bytes(b);
    close_top_prompt(wait);
    plot_frame f = sample_plot_frame(b);
    kept_area under;
    // Out to where the plane's last x label ends, so that none of it stays
    // when what lay there comes back, and a column and a row past the
    // plane's erase, which clears them too.
    under.keep(b.x0 + vgax(100) + 1, f.bottom - f.height,
               std::min<int>(std::max<int>(f.left + f.width + vgax(10), plane_reach(b.x0)) + 1, Maxx), Maxy);
    show_list_rules(b, list_rules_scatter, false, 0);
    highlight_box(b);
    under.put_back();
    return menu_step::again;
}

std::string
dots_help(const rule_browser &)
{
    return Maxx <= 640 ? " bigdots+d:" : " smalldots+d:";
}

const menu_key kMenuKeys[] = {
    menu_key::on("l").help("list: all-l").does(list_rules),
    menu_key::on("p").help(" pos+p").does(plot_rules),
    menu_key::on("s").help(", sort-s").does(sort_sample),
    menu_key::on("q").help(" quit-q").does(close_browser),
    menu_key::on("").help("\nstandard dev plot: "),
    menu_key::on("Z").help("Z-Z ").when(rule_tables).does(plot_rules),
    menu_key::on("L").help("lda-L").when(rule_tables).does(plot_rules),
    menu_key::on("").help(" ent-(def)").does(plot_rules),
    menu_key::on("d").help(dots_help).does(plot_rules),
};
constexpr size_t kMenuDefault = 7; // the row of every other key

void
browse(int x0)
{
    rule_browser b;
    // The scatter's plane beside the side plot, moved left where it would
    // reach a marked key panel: its clear would cut the panel's frame and
    // lines, as the list and the histogram keep left of the panel too.
    b.x0 = plane_x0(x0);
    b.x0 = std::max(0, b.x0 - side_panel_shift(plane_reach(b.x0)));
    b.k = nhood;
    b.sample = stat_sample{statbuf, stat_record_bytes(nhood), usable_sample_rules()};
    b.big_dots = Maxx > 640;
    kept_area top;
    top.keep(memory_box_left(Maxx), 0, Maxx, prompt_box_bottom_past_ink(4));
    int colour = getcolor();
    for (;;) {
        // Beside the colour key, over a saved copy of what it covers.
        top_prompt menu = open_top_prompt(help_lines(key_help(kMenuKeys, b)), 2);
        input_string(2, text_entry);
        char key = is[0];
        close_top_prompt(menu);
        const menu_key *row = find_key(kMenuKeys, key, b);
        if (row == nullptr || row->act == nullptr)
            row = &kMenuKeys[kMenuDefault];
        if (row->act(b, key) == menu_step::closes)
            break;
    }
    erase_memory_box();
    top.put_back();
    setcolor(colour);
    is[0] = 'q';
}

// A one-key question about the file `name` (its name, then `question`) in
// a box of one line beside the colour key; the key is left in is.
void
ask_about_file(const char *name, const char *question)
{
    char text[320];
    snprintf(text, sizeof text, "%s%s", name, question);
    top_prompt box = open_top_prompt({text}, 1);
    input_string(1, text_entry);
    close_top_prompt(box);
}

} // namespace

size_t
load_rule_stats(int mode, int x0)
{
    int16_t x = getx, y = gety;
    chosen_index = 0;
    if (mode == 0 || usable_sample_rules() == 0) {
        if (!load_sample_file()) {
            is[0] = 'q';
            moveto(x, y);
            return 0;
        }
    }
    browse(x0);
    moveto(x, y);
    return sizeof_statbuf;
}

uint32_t
last_chosen_sample_rule()
{
    return chosen_index;
}

void
note_chosen_sample_rule(uint32_t index)
{
    chosen_index = index;
}

save_way
existing_file_way(const char *name)
{
    struct stat st;
    if (stat(name, &st) != 0)
        return save_way::replace;
    ask_about_file(name, " exists: overwrite-o, append-a:");
    if (is[0] == 'o')
        return save_way::replace;
    if (is[0] == 'a')
        return save_way::append;
    return save_way::none;
}

save_way
select_sort_filename()
{
    if (!choose_file("SAVE", "STAT-SAMPLE", "*.sta", "my_stat"))
        return save_way::none;
    ask_about_file(filename, ": append data-a, or new file-default:");
    if (is[0] == 'q')
        return save_way::none;
    if (is[0] == 'a')
        return save_way::append;
    return existing_file_way(filename);
}

bool
save_browser_file(const char *name, const void *data, size_t size, save_way way)
{
    if (way == save_way::none)
        return false;
    if (way == save_way::append)
        return save_binary_data(name, data, size) == 0;
    if (write_file(name, data, size))
        return true;
    file_error(name);
    return false;
}

std::vector<key_help_line>
rule_stats_menu_help(bool tables)
{
    uint8_t kept = tot_only;
    tot_only = tables ? 0 : 1;
    rule_browser none;
    std::vector<key_help_line> help = key_help(kMenuKeys, none);
    tot_only = kept;
    return help;
}

std::string
rule_stats_menu_keys()
{
    return all_keys(kMenuKeys);
}
