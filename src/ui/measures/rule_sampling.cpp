// Entropy statistics and rule sampling (rule_sampling.h). The figures come
// from engine/measures/entropy_moments.h, the record's bytes from
// engine/storage/stat_record_codec.h; here the box of the figures (top_prompt.h),
// the point of each rule in the mean-entropy plane with the saved block
// under its marker (statblock), the next rule (random by bit_flip_in_strip,
// or the drawn kcodes of the v = 3, k = 6 2d family), test mode's question, the
// statistics file's choice and appends, and the glider list's stepping.
// Reads and writes the rules (engine/model), the glider list (ui/storage)
// and the screen. Start at moment.
#include "ui/measures/rule_sampling.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "engine/forward/globals.h"
#include "engine/measures/glider_index.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/storage/side_file_codecs.h"
#include "engine/storage/stat_record_codec.h"
#include "ui/measures/entropy_plot.h"
#include "ui/measures/top_prompt.h"
#include "ui/rules/hex_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/storage/data_lines.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/string_editors/bit_flips.h"

char stat_filename[256] = "";

namespace {

// The previous and the current rule's point in the plane.
int16_t statx = 0, staty = 0, oldstatx = -1, oldstaty = -1;

constexpr int kMarker = 7; // side of the marker and of the block saved under it

// The kind word of the figures' prompt.
const char *
kind_word()
{
    if (!tot_only)
        return "rule";
    return totalistic == rule_kind_tcodes ? "tcode" : "kcode";
}

int
hex_kind()
{
    if (!tot_only)
        return 1;
    return totalistic == rule_kind_tcodes ? 2 : 3;
}

bool
kcode_2d_family(int k)
{
    return tot_only && totalistic == rule_kind_kcodes && twod && k == 6;
}

// The count line of automatic sampling as a line of the figures' box.
std::string
count_line(uint32_t count, const char *suffix)
{
    char text[64];
    snprintf(text, sizeof text, "rule count=%lu%s", static_cast<unsigned long>(count), suffix);
    return text;
}

// The figures of a run or of a rule's sample: the run, the rule and the
// entropy's moments, a line each.
std::vector<std::string>
figure_lines(const entropy_data *ae, const entropy_graph *eg, const entropy_moments &shown,
             const uint8_t *rule)
{
    std::vector<std::string> lines;
    char text[160];
    snprintf(text, sizeof text, "run=%d/%d", ae->sample_no, ae->sample_size);
    lines.push_back(text);
    if (single_entropy)
        snprintf(text, sizeof text, " single=%d v%dk%d-%s=", entropy_poss, value_range, eg->k,
                 kind_word());
    else
        snprintf(text, sizeof text, " v%dk%d-%s=", value_range, eg->k, kind_word());
    std::string line = text;
    if (value_range == 2 && eg->k < 6 && !tot_only) {
        unsigned long number = 0;
        for (int e = (1 << eg->k) - 1; e >= 0; e--)
            number = number * 2 + get_value(rule, static_cast<uint32_t>(e));
        snprintf(text, sizeof text, "(dec)%lu ", number);
        line += text;
    }
    if (stat_record_bytes(eg->k) - 2 < 16)
        line += "(hex)" + hex_readout_text(hex_kind(), rule, eg->k);
    lines.push_back(line);
    lines.push_back(moments_centre_line(shown));
    lines.push_back(moments_shape_line(shown));
    return lines;
}

// Appends the rule's record to the statistics file.
void
append_record(const entropy_data *ae, const entropy_graph *eg, const uint8_t *rule)
{
    std::vector<uint8_t> record;
    encode_stat_record(rule, stat_record_bytes(eg->k) - 2, static_cast<float>(ae->avg.mean),
                       std::min(static_cast<float>(ae->avg.sd), kStatSdLimit), record);
    save_record(stat_filename, record.data(), record.size());
}

// The rule's point: the previous marker gives way to a plain point, the
// block under the new one is saved, and a raised square marks it. The
// current point stays where it was: the pause's entry is typed there.
void
plot_rule_point(const entropy_data *ae, const entropy_graph *eg)
{
    const int16_t x = getx, y = gety;
    int L = plane_left(side_plot_left(eg)), B = plane_bottom();
    float sd = std::min(static_cast<float>(ae->avg.sd), kStatSdLimit);
    statx = static_cast<int16_t>(sd * 10 * vgax(142) + L);
    staty = static_cast<int16_t>(B - ae->avg.mean * vgay(200));
    const int half = kMarker / 2;
    if (statblock && oldstatx >= 0) {
        putimage(oldstatx - half, oldstaty - half, &statblock, 0);
        freeimage(&statblock);
        if (Maxx < 640) {
            putpixel(oldstatx, oldstaty, yellow);
        } else {
            int kept = fillcolor;
            setfillstyle(0, yellow);
            bar(oldstatx, oldstaty, oldstatx + 1, oldstaty + 1);
            setfillstyle(0, kept);
        }
    }
    getimage(statx - half, staty - half, statx + half, staty + half, &statblock);
    int kept = fillcolor, colour = getcolor();
    setfillstyle(0, lightred);
    setcolor(white);
    bar(statx - half, staty - half, statx + half, staty + half);
    moveto(statx - half, staty + half);
    lineto(statx - half, staty - half);
    lineto(statx + half, staty - half);
    setfillstyle(0, kept);
    setcolor(colour);
    moveto(x, y);
    oldstatx = statx;
    oldstaty = staty;
}

// A random kcode of the v = 3, k = 6 2d family, entry by entry, listed on
// standard error.
void
draw_family_kcode(int k)
{
    uint8_t *code = v_code[0];
    int last = v_tablecodemax[k];
    set_value(code, 0, 0);
    int counts[3] = {1, 0, 0};
    for (int e = 1; e <= last; e++) {
        long r = random() % 189;
        int value = r < 91 ? 0 : r <= 153 ? 2 : 1;
        set_value(code, static_cast<uint32_t>(e), value);
        counts[value]++;
    }
    fprintf(stderr, "\n");
    for (int e = last; e >= 0; e--)
        fprintf(stderr, "%d", get_value(code, static_cast<uint32_t>(e)));
    fprintf(stderr, " vfreq = ");
    for (int value = 2; value >= 0; value--)
        fprintf(stderr, "%d ", counts[value]);
    fputc('\n', stderr);
}

// The next rule of a sample: a random one as the running key 'r' makes it,
// its readout in the bottom strip where the strip's hints begin, right of
// its title: the next runs, however wide, draw nothing there.
void
next_random_rule(run_iteration *it, int k)
{
    if (kcode_2d_family(k) && value_range == 3) {
        draw_family_kcode(k);
        return;
    }
    it->fore_colour = static_cast<uint8_t>(bit_flip_in_strip('r', it->fore_colour, vgax(390)));
    if (kcode_2d_family(k) && (value_range == 3 || value_range == 4)) {
        for (uint32_t e : {0u, 6u, 27u})
            set_value(v_code[0], e, 0);
        if (value_range == 4)
            set_value(v_code[0], 83, 0);
    }
}

// Waits for a key with the "rule count=" line showing, at the end of the
// figures' box; 'p' ends the pauses.
void
pause_after_rule(entropy_data *ae)
{
    input_string(1, text_entry);
    if (is[0] == 'p')
        ae->pause = 0;
}

// Test mode's rows: each returns moment's result.
int
go_automatic(test_choice &c, char)
{
    c.ae->mode = 2;
    draw_entgraph_frame(1, side_plot_left(c.eg), 2, 0);
    return select_stat_filename(c.ae) ? 2 : 1;
}

int
glider_next(test_choice &c, char)
{
    glider_rule(c.it);
    return 0;
}

int
same_rule(test_choice &, char)
{
    return 0;
}

int
random_next(test_choice &c, char)
{
    next_random_rule(c.it, c.eg->k);
    return 0;
}

const test_key kTestKeys[] = {
    test_key::on("a").help("automatic-a").does(go_automatic),
    test_key::on("g").help(", next rule: glider-g").does(glider_next),
    test_key::on("s").help(" same-s").does(same_rule),
    test_key::on("").help(" random-def:").does(random_next),
};

// Test mode's question, at the end of the figures' box (its last line), or
// in a box of its own when no figures are shown. The box closes before the
// key acts, as the file dialog of 'a' opens its own.
int
test_mode_question(entropy_data *ae, entropy_graph *eg, run_iteration *it, top_prompt *figures)
{
    top_prompt own;
    top_prompt &box = figures ? *figures : own;
    if (!figures)
        box = open_top_prompt({test_mode_prompt()}, 1);
    input_string(1, text_entry);
    char key = is[0];
    close_top_prompt(box);
    test_choice choice{ae, eg, it};
    const test_key *row = find_key(kTestKeys, key, choice);
    if (!row)
        row = &kTestKeys[sizeof kTestKeys / sizeof kTestKeys[0] - 1];
    return row->act(choice, key);
}

} // namespace

uint8_t *
sampled_rule()
{
    if (!tot_only)
        return carule[0];
    return totalistic == rule_kind_tcodes ? cacode[0] : v_code[0];
}

int
show_sampled_rule_count(uint32_t count, const char *suffix, int x0)
{
    int16_t x = getx, y = gety;
    int colour = getcolor(), kept = fillcolor;
    // From the plane's left edge, or further left where the font would
    // carry the line, or the pause's one-key entry and its cursor after it,
    // past the window's edge; the same place whichever suffix, and the line
    // cleared first, so the two writers never overprint.
    static const char kLongest[] = " tog pause-p:";
    int width = text_pixel_width("rule count=", 11) + 8 * CWidth +
                text_pixel_width(kLongest, static_cast<int>(sizeof kLongest - 1)) + 2 * CWidth;
    int left = std::max(0, std::min(plane_left(x0), Maxx - 2 - width)), top = plane_count_row();
    setfillstyle(0, black);
    bar(left, top, std::min(left + width, Maxx - 2), top + CHeight - 1);
    setcolor(white);
    moveto(left, top);
    outtext("rule count=");
    int field = getx;
    setfillstyle(0, black);
    bar(field, top, field + 8 * CWidth, top + CHeight - 1);
    setfillstyle(0, kept);
    char text[24];
    snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(count));
    outtext(text);
    moveto(field + 8 * CWidth, top);
    outtext(suffix);
    const int entry = getx;
    setcolor(colour);
    moveto(x, y);
    return entry;
}

void
forget_rule_point()
{
    if (statblock)
        freeimage(&statblock);
    oldstatx = oldstaty = -1;
}

int
moment(entropy_data *ae, entropy_graph *eg, run_iteration *it, const uint8_t *rule)
{
    int16_t x = getx, y = gety;
    int colour = getcolor();
    int m = static_cast<int>(eg->entropy_end) - static_cast<int>(eg->entropy_start) + 1;
    entropy_moments run = moments_of(ae->edata + 1, std::max(m, 0));
    running_means(&ae->avg, run, ae->sample_no);
    const bool last_run = ae->sample_no >= ae->sample_size;
    setcolor(white);
    const bool shown = stp && (ae->mode == 1 || (ae->mode == 2 && ae->pause));
    const bool question = last_run && ae->mode == 1;
    const bool count_waits = last_run && ae->mode == 2 && ae->pause;
    // The figures in a box beside the colour key and the key panel, over a
    // saved copy of what it covers; last the line the key waits on: the
    // count line of a paused automatic sample, or the test question.
    top_prompt figures;
    bool box_up = false;
    if (shown) {
        std::vector<std::string> lines =
            figure_lines(ae, eg, last_run ? ae->avg : run, rule);
        if (count_waits)
            lines.push_back(count_line(ae->count, " tog pause-p:"));
        if (question)
            lines.push_back(test_mode_prompt());
        figures = open_top_prompt(lines, 1);
        box_up = true;
    }
    int result = 0;
    if (last_run) {
        if (ae->file_chosen)
            append_record(ae, eg, rule);
        if (ae->mode == 2) {
            // Without the figures' box the pause's key is typed after
            // the count line.
            if (!shown)
                moveto(show_sampled_rule_count(ae->count, " tog pause-p:", side_plot_left(eg)),
                       plane_count_row());
            plot_rule_point(ae, eg);
            if (count_waits)
                pause_after_rule(ae);
            // The figures go with their rule.
            if (box_up)
                close_top_prompt(figures);
            box_up = false;
            next_random_rule(it, eg->k);
        } else if (question) {
            result = test_mode_question(ae, eg, it, box_up ? &figures : nullptr);
            box_up = false;
            if (ae->mode == 2)
                draw_entgraph_frame(1, side_plot_left(eg), 2, 0);
        }
    }
    if (box_up)
        close_top_prompt(figures);
    setcolor(colour);
    moveto(x, y);
    return result;
}

int
select_stat_filename(entropy_data *ae)
{
    int16_t x = getx, y = gety;
    if (!choose_file("SAVE", "STAT-SAMPLE", "*.sta", "my_stat")) {
        moveto(x, y);
        return 0;
    }
    snprintf(stat_filename, sizeof stat_filename, "%s", filename);
    char text[320];
    snprintf(text, sizeof text, "%s: append data-a, new file-def, add + to pause:",
             stat_filename);
    top_prompt question = open_top_prompt({text}, 2);
    int len = input_string(2, text_entry);
    ae->pause = (len > 0 && is[0] == '+') || (len > 1 && is[1] == '+');
    bool append = is[0] == 'a' || (is[0] == '+' && len > 1 && is[1] == 'a');
    close_top_prompt(question);
    bool ok;
    if (append) {
        int fd = myopen(stat_filename, open_write, open_append);
        ok = fd >= 0;
        if (ok)
            close(fd);
    } else {
        ok = write_file(stat_filename, nullptr, 0);
    }
    if (!ok)
        file_error(stat_filename);
    moveto(x, y);
    return 1;
}

void
glider_rule(run_iteration *it)
{
    const int v = value_range, k = nhoodm ? nhoodm[0] : nhood;
    const bool kcodes = tot_only && totalistic == rule_kind_kcodes;
    bool listed = (v == 2 && k >= 5 && k <= 7) || (v == 3 && (k == 3 || (k == 6 && kcodes))) ||
                  (v == 4 && (k == 2 || k == 3)) || (v == 5 && k == 2);
    if (!listed || glider_read.v != v || glider_read.k != k || glider_read.kcodes != kcodes)
        return;
    int index = next_glider_index(&glider_rule_order, glider_read.last);
    if (index < 1)
        return;
    size_t record = stat_record_bytes(k) - 2;
    uint8_t *row = kcodes ? v_code[0] : carule[0];
    memcpy(row, glider_buf + kGliderListHeader + index * record, record);
    int16_t x = getx, y = gety;
    int colour = getcolor();
    if (lineL * it->cell_size >= Maxx / 3 || twod || threed) {
        draw_prompt_box(1);
        char text[64];
        snprintf(text, sizeof text, kcodes ? "2d v-code glider rule=%d " : "1d glider rule=%d ",
                 index);
        outtext(text);
        uint64_t entries = stat_rule_entries(k);
        if (entries <= 32) {
            const int side = std::max(2, CHeight / 3);
            int cx = getx, ty = gety, cy = gety + CHeight / 3;
            int kept = fillcolor;
            for (uint64_t e = entries; e-- > 0;) {
                setfillstyle(0, color_v[get_value(row, static_cast<uint32_t>(e))]);
                bar(cx, cy, cx + side - 1, cy + side - 1);
                cx += side + 1;
            }
            setfillstyle(0, kept);
            moveto(cx, ty);
            outtext(" ");
        }
        if (record <= 16) {
            outtext("hex=");
            print_current_bitstring_hexbytes(hex_kind(), row, k, Maxx - 2, white, 0);
        }
    }
    setcolor(colour);
    moveto(x, y);
}

std::vector<key_help_line>
test_mode_help()
{
    test_choice none{nullptr, nullptr, nullptr};
    return key_help(kTestKeys, none);
}

std::string
test_mode_prompt()
{
    std::string prompt;
    for (const std::string &line : help_lines(test_mode_help()))
        prompt += line;
    return prompt;
}

std::string
test_mode_keys()
{
    return all_keys(kTestKeys);
}
