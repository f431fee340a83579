// A rule of the loaded sample into the network (sample_rule.h): the
// question of stat_rule with its scan question, the copy into the rule row
// of the rule kind, and the two-line box of the index and figures. Reads
// statbuf (engine/model) and opens the browser (rule_stats.h) when no
// sample is loaded or a new one is asked for. Start at stat_rule.
#include "ui/measures/sample_rule.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/measures/rule_sample.h"
#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "engine/storage/stat_record_codec.h"
#include "ui/measures/rule_sampling.h"
#include "ui/measures/rule_stats.h"
#include "ui/measures/top_prompt.h"
#include "ui/rules/hex_readout.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"

namespace {

// What the scan question works on: the run whose scanning it sets, and the
// sample index the scan would start from.
struct scan_answers {
    run_iteration *run;
    uint32_t from;
};
using scan_question = question_row<scan_answers>;

stat_sample
loaded_sample()
{
    return stat_sample{statbuf, stat_record_bytes(nhood), usable_sample_rules()};
}

// The box the scan question stands in.
top_prompt scan_box;

void
start_scan_row(int line)
{
    moveto(scan_box.left + 3, scan_box.top + 3 + line * CHeight);
    setcolor(white);
}

std::string
scan_question_text(uint32_t from)
{
    return formatted("scan in blocks from sample index %lu -i:", static_cast<unsigned long>(from));
}

// The scan question, and the time-steps of each block when scanning.
const scan_question kScanQuestions[] = {
    scan_question::row()
        .prompts([](scan_answers &a) { outtext(scan_question_text(a.from).c_str()); })
        .entry(1, text_entry)
        .then([](scan_answers &a, int) {
            if (is[0] != 'i')
                return answer_step::finish;
            a.run->scan_sample = 1;
            a.run->time = 0;
            a.run->scan_length = 150;
            return answer_step::next;
        })
        .quits(answer_step::finish),
    scan_question::row()
        .prompts([](scan_answers &a) {
            char text[48];
            snprintf(text, sizeof text, "  set time-steps (def %d):", a.run->scan_length);
            outtext(text);
        })
        .entry(3, numeric_entry)
        .then([](scan_answers &a, int len) {
            a.run->scan_length = static_cast<int16_t>(whole_answer_held(a.run->scan_length, {1, 999}, len));
            return answer_step::next;
        })
        .on_line(1)
        .quits(answer_step::finish),
};

// The record's index and figures in a box of two lines or more, the rule in hex when
// its table has at most 129 entries.
void
show_sample_rule(uint32_t index)
{
    stat_sample s = loaded_sample();
    int16_t x = getx, y = gety;
    int colour = getcolor();
    char figures[96];
    snprintf(figures, sizeof figures, "mean-entropy=%.4f standard-deviation=%.4f",
             sample_mean_byte(s, index) / 255.0, sample_sd_byte(s, index) * 0.18 / 255);
    // As many lines more as cover a key box at the top right whole: its
    // lines are not cut by the box's foot.
    int lines = prompt_lines_covering_top_right_box(1 + prompt_box_lines(figures));
    // It stays up while the run goes on: the next prompt box in its place
    // takes it away whole, however many lines that one has.
    int margin = replace_prompt_box(lines);
    setcolor(white);
    char text[48];
    snprintf(text, sizeof text, "index %lu  ", static_cast<unsigned long>(index));
    outtext(text);
    if (stat_rule_entries(nhood) <= 129) {
        outtext("rule=");
        print_current_bitstring_hexbytes(sample_hex_kind(), sample_record(s, index), nhood,
                                         Maxx - 2, white, 2);
    }
    moveto(margin, 5 + CHeight);
    write_prompt_lines(figures, margin);
    setcolor(colour);
    moveto(x, y);
}

} // namespace

int
sample_hex_kind()
{
    if (!tot_only)
        return 1;
    return totalistic == rule_kind_tcodes ? 2 : 3;
}

uint32_t
usable_sample_rules()
{
    if (statbuf == nullptr || totstatrules == 0 ||
        sizeof_statbuf < size_t(totstatrules) * stat_record_bytes(nhood))
        return 0;
    return totstatrules;
}

void
put_sample_rule(uint32_t index)
{
    stat_sample s = loaded_sample();
    memcpy(sampled_rule(), sample_record(s, index), s.record - 2);
}

uint32_t
stat_rule(int mode, uint32_t index, run_iteration *it, int x0)
{
    if (usable_sample_rules() == 0) {
        if (mode == 0)
            load_rule_stats(0, x0);
        return 0;
    }
    if (mode == 0) {
        int16_t x = getx, y = gety;
        // Both questions keep clear of the colour key at the top right,
        // over a saved copy of what they cover that comes back after them.
        top_prompt question = open_top_prompt(
            {formatted("rule sample: load new-n, rule index/scan 1-%lu:",
                       static_cast<unsigned long>(totstatrules))},
            5);
        input_string(5, text_entry);
        close_top_prompt(question);
        moveto(x, y);
        if (is[0] == 'q')
            return 0;
        if (is[0] == 'n') {
            if (load_rule_stats(0, x0) == 0 || usable_sample_rules() == 0)
                return 0;
            index = sample_index_or_first(last_chosen_sample_rule(), totstatrules);
        } else {
            index = static_cast<uint32_t>(entry_held(1, {1, static_cast<double>(totstatrules)}, true));
        }
        scan_answers answers{it, index};
        // The time-steps line is written only when asked for.
        scan_box = open_top_prompt({scan_question_text(index), ""}, 1);
        ask_questions(kScanQuestions, question_place{start_scan_row, nullptr, false}, answers);
        close_top_prompt(scan_box);
        moveto(x, y);
    }
    index = sample_index_or_first(index, totstatrules);
    put_sample_rule(index);
    show_sample_rule(index);
    return index;
}
