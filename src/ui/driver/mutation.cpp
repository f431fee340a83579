// Mutation between runs (see mutation.h): the mutation settings menu with its
// bit-count and wire-count dialogs, the wire mover, the lambda bias of Z and
// lambda sweeps, and mutate_rule. Reads and writes the network's rules,
// codes and wiring (model/globals.h), the sweep settings of the output
// parameters (forward/globals.h) and the basin layout cursor
// (backward/globals.h); the rule families and the Post test come from
// rules/. Start at mutate_rule; the dialogs follow it, the settings menu
// being a table of questions (kMutationRows, screen/question_table.h).
//
// Searches that may not end (Post redraws, chain redraws, random rules with a
// Z floor, rule-number walks through a Z window) are capped at kMaxTries
// tries, poll for 'q' while they run, and then report that no rule was found
// and return 0, which ends the mutant series.
#include "ui/driver/mutation.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "engine/model/key_poll.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/value_line.h"
#include "engine/rules/rule_families.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_wireup.h"
#include "engine/wiring/random_wiring.h"
#include "engine/wiring/wire_up.h"
#include "ui/driver/globals.h"
#include "ui/driver/network_growth.h"
#include "ui/driver/run_part.h"
#include "ui/measures/globals.h"
#include "ui/model/rule_parameters.h"
#include "ui/rules/post_classes.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"

namespace {

constexpr int kMaxTries = 10000;
constexpr int kUnderPatternSlot = 13; // boximage_prompt slot under the count's box over a run

// ---- helpers of mutate_rule ------------------------------------------------

int
cell_k(int c, int k)
{
    return nhood_mixed ? nhoodm[c] : k;
}

void
reset_layout_cursor()
{
    ox = firstox;
    oy = firstoy;
    xspacing = startxspacing;
    yspacing = startyspacing;
}

// Tells the user that a capped search ended without a rule.
int
no_rule_found()
{
    if (mouse_found) {
        draw_prompt_box(1);
        outtext("no rule found");
    }
    return 0;
}

// A new value for entry e of a table with v > 2, drawn until it differs.
void
new_value(uint8_t *line, uint32_t e)
{
    int old = get_value(line, e), x;
    do
        x = static_cast<int>(random() % value_range);
    while (x == old);
    set_value(line, e, x);
}

// Inverts entry e (v = 2) or gives it a new value (v > 2).
void
flip_entry(uint8_t *line, uint32_t e)
{
    if (value_range == 2)
        set_value(line, e, !get_value(line, e));
    else
        new_value(line, e);
}

// Z of rule table 0 for nhood, as the rejection loops read it.
float
rule0_z()
{
    rule_z_figures(nhood, carule[0]);
    return zparam[0];
}

// Moves count single wires: a random cell, one of its input slots, a random
// new source (self-links and repeats allowed). Cells without inputs are
// passed over by drawing again; nothing moves when no cell has an input.
void
move_single_wires(long count)
{
    bool any_input = false;
    for (int c = 0; c <= L && !any_input; c++)
        any_input = nhoodm[c] > 0;
    if (!any_input)
        return;
    for (long t = 0; t < count; t++) {
        long c = random() % lineL;
        for (int retry = 0; nhoodm[c] < 1 && retry < kMaxTries; retry++)
            c = random() % lineL;
        if (nhoodm[c] < 1)
            continue;
        long j = random() % nhoodm[c];
        wiring[c][j] = static_cast<uint16_t>(random() % lineL);
    }
}

void
rewire_every_cell()
{
    for (int c = L; c >= 0; c--)
        randomly_wire_cell(static_cast<uint16_t>(c), L);
}

// Wires W of the whole network: the sum of every cell's k.
long
total_wires()
{
    if (!nhood_mixed)
        return long(nhood) * lineL;
    long w = 0;
    for (int c = 0; c <= L; c++)
        w += nhoodm[c] > 0 ? nhoodm[c] : 0;
    return w;
}

// Rule bits T: one rule table, or one per cell with a rule mix.
long
total_rule_bits()
{
    long t = static_cast<long>(rule_entries(nhood));
    return rulemix ? t * lineL : t;
}

// 'b': bits_to_flip random entries, repeated for a single rule until Z >= 0.1.
void
flip_rule_bits()
{
    for (int round = 0; round < kMaxTries; round++) {
        for (long t = 0; t < bits_to_flip; t++) {
            int c = rulemix ? static_cast<int>(random() % lineL) : 0;
            uint64_t entries = rule_entries(cell_k(c, nhood));
            flip_entry(carule[c], static_cast<uint32_t>(random() % entries));
        }
        if (rulemix || rule0_z() >= 0.1f || search_stopped())
            return;
    }
}

// Fills a table with random values 0..v-1.
void
random_table(uint8_t *table, uint32_t entries)
{
    for (uint32_t i = 0; i < entries; i++)
        set_value(table, i, static_cast<int>(random() % value_range));
}

// A new random rule for rule table 0 (no mix), with the lambda bias and,
// for v = 2 with set_z_high, a Z pushed up to a random target. 0 when the
// capped refills found no rule.
int
new_random_rule0(int k)
{
    uint8_t *table = carule[0];
    uint32_t entries = static_cast<uint32_t>(rule_entries(k));
    if (lambda_bias == 0)
        lambda_bias = 50;
    float floor = value_range == 2 && set_z_high ? 0.55f : 0.06f;
    float z = 0.0f;
    for (int t = 0;; t++) {
        if (t == kMaxTries || search_stopped())
            return no_rule_found();
        if (value_range == 2)
            for (uint32_t i = 0; i < entries; i++)
                set_value(table, i, random() % 100 < lambda_bias ? 0 : 1);
        else
            random_table(table, entries);
        rule_z_figures(k, table);
        z = zparam[0];
        if (z >= floor)
            break;
    }
    if (value_range != 2 || !set_z_high)
        return 1;
    float target = 0.6f + static_cast<float>(random() % 35) / 100.0f;
    for (int climb = 0; climb < 500 && z < target; climb++) {
        uint32_t e = static_cast<uint32_t>(random() % entries);
        flip_entry(table, e);
        rule_z_figures(k, table);
        if (zparam[0] < z)
            flip_entry(table, e);
        else
            z = zparam[0];
    }
    return 1;
}

// mutation_rule_number: the next lower rule number (v = 2, k <= 5); 0 when the walk ends.
// A mutant series ends after rule 1; a lambda-Z sweep counts every table, so
// its walk ends after rule 0.
int
next_rule_number(int c, int kc)
{
    uint8_t *table = carule[c];
    uint32_t entries = static_cast<uint32_t>(rule_entries(kc));
    uint64_t d = dec_equiv(table, static_cast<int>(entries) - 1);
    bool down_to_zero = lambda_z_graph != lambda_z_off && !rulemix;
    for (int t = 0;; t++) {
        if (t == kMaxTries || search_stopped())
            return no_rule_found();
        if (down_to_zero && d == 0)
            return 0;
        d--;
        if (d == 0 && !down_to_zero) {
            if (!rulemix)
                return 0;
            d = (uint64_t(1) << entries) - 1;
        }
        dec_to_bit_line(table, static_cast<uint32_t>(d), static_cast<int>(entries));
        if (rulemix)
            return 1;
        float z = rule0_z();
        if (!gd_z_graph || (z >= lowlimZ && z <= highlimZ))
            return 1;
    }
}

// mutation_code_flip: bits_to_flip random entries of the cell's tcode or kcode, then
// its rule table.
void
flip_code(int c, int kc)
{
    if (bits_to_flip <= 0 || totalistic == rule_kind_tables || kc < 1)
        return;
    for (long t = 0; t < bits_to_flip; t++) {
        if (totalistic == rule_kind_tcodes)
            flip_entry(cacode[c], static_cast<uint32_t>(random() % tcode_entries(kc)));
        else
            flip_entry(v_code[c], static_cast<uint32_t>(random() % (v_tablecodemax[kc] + 1)));
    }
    if (tot_only)
        return;
    if (totalistic == rule_kind_tcodes)
        code2rule(carule[c], cacode[c], kc);
    else
        v_code2rule(carule[c], v_code[c], kc, 1);
}

// Bits 0..k of a binary tcode number, reversed.
uint32_t
reflect_code(uint32_t t, int k)
{
    uint32_t r = 0;
    for (int i = 0; i <= k; i++)
        if (t & (1u << i))
            r |= 1u << (k - i);
    return r;
}

// Writes one piece of the cluster line, opening the box on the first.
void
cluster_text(const char *text, bool &opened)
{
    if (lambda_z_graph && !pause_show_code)
        return;
    if (!opened) {
        draw_prompt_box(1);
        opened = true;
    }
    outtext(text);
}

void
tick(uint32_t code)
{
    set_bitlong(codetickoff, code, 1);
}

// mutation_code_number (v = 2): the next tcode number not yet run or counted as
// equivalent, showing each code's cluster. 0 when no code is left.
int
next_code_number(int c, int kc)
{
    if (!codetickoff)
        allocate_code_mem();
    uint8_t *code = cacode[c];
    uint32_t all = (2u << kc) - 1;
    uint32_t t = dec_equiv(code, kc);
    for (int guard = 0;; guard++) {
        if (guard > kMaxTries || search_stopped())
            return no_rule_found();
        if (!rulemix && codetypeonly != code_sweep_all) {
            uint32_t t1 = t ^ all, t2 = reflect_code(t1, kc), t3 = reflect_code(t, kc);
            bool opened = false;
            char text[80];
            snprintf(text, sizeof text, "%d-code cluster:%u", kc, t);
            cluster_text(text, opened);
            tick(t);
            int equiv = 1, clust = 1;
            if (t2 != t) {
                snprintf(text, sizeof text, "=%u", t2);
                cluster_text(text, opened);
                tick(t2);
                endcount++;
                equiv = clust = 2;
            }
            if (gd_z_graph || codetypeonly == code_sweep_clusters) {
                if (t1 != t && t1 != t2) {
                    snprintf(text, sizeof text, " %u", t1);
                    cluster_text(text, opened);
                    tick(t1);
                    endcount++;
                    clust++;
                }
                if (t3 != t && t3 != t2 && t3 != t1) {
                    snprintf(text, sizeof text, "=%u", t3);
                    cluster_text(text, opened);
                    tick(t3);
                    endcount++;
                    clust++;
                }
            }
            totcode_eq_or_cl++;
            snprintf(text, sizeof text, " equiv=%d clust=%d", equiv, clust);
            cluster_text(text, opened);
            if (pause_show_code) {
                snprintf(text, sizeof text, " tot=%d cont-ret:", totcode_eq_or_cl);
                cluster_text(text, opened);
                input_string(1, single_key_entry);
                if (is[0] == 'q') {
                    pause_show_code = 0;
                    is[0] = 0;
                }
            }
        }
        uint32_t next;
        if (rulemix) {
            next = t >= 2 ? t - 1 : all;
        } else if (codetypeonly == code_sweep_all && !gd_z_graph) {
            // As the rule-number walk: a lambda-Z sweep goes on to code 0.
            if (t < (lambda_z_graph != lambda_z_off ? 1u : 2u))
                return 0;
            next = t - 1;
        } else {
            next = 0;
            for (uint32_t x = t - 1; x >= 1 && x < t; x--)
                if (!get_bitlong(codetickoff, x)) {
                    next = x;
                    break;
                }
            if (next == 0)
                return 0;
        }
        dec_to_bit_line(code, next, kc + 1);
        if (gd_z_graph && !rulemix && !tot_only) {
            binary_tcode_to_rule(carule[0], code, kc, static_cast<uint32_t>(rule_entries(kc)));
            float z = rule0_z();
            if (z < lowlimZ || z > highlimZ) {
                endcount++;
                t = next;
                continue;
            }
        }
        if (!tot_only)
            binary_tcode_to_rule(carule[c], code, kc, static_cast<uint32_t>(rule_entries(kc)));
        return 1;
    }
}

// mutation_chain for one cell; cell 0 is redrawn until both one-sided Z figures
// exceed 0.5. 0 when the capped redraws found none.
int
chain_mutant(int c, int kc)
{
    int32_t last = static_cast<int32_t>(rule_entries(kc)) - 1;
    for (int t = 0; t < kMaxTries; t++) {
        draw_chain_table(carule[c], kc, last);
        if (c != 0)
            return 1;
        rule_z_figures(kc, carule[c]);
        if (zparam[1] > 0.5f && zparam[2] > 0.5f)
            return 1;
        if (search_stopped())
            break;
    }
    return no_rule_found();
}

// mutation_post for one cell: random tables until one is in the chosen Post class.
int
post_mutant(int c, int kc)
{
    uint32_t entries = static_cast<uint32_t>(rule_entries(kc));
    for (int t = 0; t < kMaxTries; t++) {
        random_table(carule[c], entries);
        if (post_func(kc, carule[c], 0, 0, 0, 0) == 1)
            return 1;
        if (search_stopped())
            break;
    }
    return no_rule_found();
}

// mutation_single_flip and mutation_cumulative_flip: a flip at the moving
// position mut; the single flip also undoes the previous mutant's flip at
// mut+1.
void
flip_at_position(int c, int kc)
{
    long entries = static_cast<long>(rule_entries(kc));
    if (mut < 0 || mut >= entries)
        return;
    uint8_t *table = carule[c];
    flip_entry(table, static_cast<uint32_t>(mut));
    if (mutate != mutation_single_flip || mut >= entries - 1)
        return;
    uint32_t previous = static_cast<uint32_t>(mut + 1);
    if (value_range == 2)
        set_value(table, previous, !get_value(table, previous));
    else if (carule_mut)
        set_value(table, previous, get_value(carule_mut, previous));
}

// The per-cell modes of mutate_rule for one cell; 0 ends the series.
int
mutate_cell(int c, int k)
{
    int kc = cell_k(c, k);
    int v = value_range;
    uint32_t entries = static_cast<uint32_t>(rule_entries(kc));
    switch (mutate) {
    case mutation_tcode:
        totalistic = rule_kind_tcodes;
        random_table(cacode[c], tcode_entries(kc));
        if (!tot_only)
            code2rule(carule[c], cacode[c], kc);
        return 1;
    case mutation_kcode:
        totalistic = rule_kind_kcodes;
        if (kc < 1)
            return 1;
        random_table(v_code[c], static_cast<uint32_t>(v_tablecodemax[kc] + 1));
        if (!tot_only)
            v_code2rule(carule[c], v_code[c], kc, 1);
        return 1;
    case mutation_post:
        return post_mutant(c, kc);
    case mutation_chain:
        return chain_mutant(c, kc);
    case mutation_single_flip:
    case mutation_cumulative_flip:
        flip_at_position(c, kc);
        return 1;
    case mutation_code_number:
        return v == 2 ? next_code_number(c, kc) : 1;
    case mutation_code_flip:
        flip_code(c, kc);
        return 1;
    case mutation_rule_number:
        return v == 2 && kc <= 5 ? next_rule_number(c, kc) : 1;
    case mutation_random_rule:
        break;
    case mutation_bits:
        if (bits_to_flip != bits_to_flip_all)
            return 1;
        break;
    default:
        return 1;
    }
    if (!rulemix)
        return new_random_rule0(k);
    if (v == 2)
        for (uint32_t i = 0; i < entries; i++)
            set_value(carule[c], i, random() % 100 < 50 ? 0 : 1);
    else
        random_table(carule[c], entries);
    return 1;
}

// ---- helpers of the dialogs ------------------------------------------------

// Moves to the start of the next line of the prompt box.
void
prompt_next_line()
{
    moveto(Maxx / 2 + 3, gety + CHeight);
}

// Asks a count out of total: 'a' all, 'p' a percentage, 'n' a number, after
// line (the count as it is and the keys), which is broken to the prompt
// box's width, the box's last line left for the percentage or the number.
// Returns false on 'q' at the first key. The box goes whole either way;
// over a running pattern ('W') what it covered comes back, a frame of the
// pattern with it, since the pattern stood still while it was asked.
bool
ask_count(long &count, long total, const std::string &line, const char *percent_text,
          const char *number_text, int number_digits, long all_value, bool over_pattern)
{
    const prompt_part answer = {line.c_str(), 1};
    const int lines = prompt_parts_lines(&answer, 1) + 1;
    if (over_pattern)
        save_under_prompt_box(kUnderPatternSlot, lines);
    for (;;) {
        write_prompt_part(line.c_str(), 1, replace_prompt_box(lines));
        input_string(1, text_entry);
        char key = is[0];
        long x;
        if (key == 'a') {
            count = all_value;
        } else if (key == 'p') {
            prompt_next_line();
            outtext(percent_text);
            int len = input_string(3, numeric_entry);
            if (is[0] == 'q')
                continue;
            if (number_answer_held(x, {1, 99}, len))
                count = std::max(1L, total * x / 100);
        } else if (key == 'n') {
            prompt_next_line();
            outtext(number_text);
            int len = input_string(number_digits, numeric_entry);
            if (is[0] == 'q')
                continue;
            if (total > 1 && number_answer_held(x, {1, total - 1.0}, len))
                count = x;
        }
        if (over_pattern)
            put_back_under_prompt_box(kUnderPatternSlot);
        else
            erase_prompt_box(lines);
        return key != 'q';
    }
}

// Text of the kind menu's default.
void
default_text(char *text, size_t size)
{
    if (mutate == mutation_bits)
        snprintf(text, size, " (def %c%lu)", 'b', static_cast<unsigned long>(bits_to_flip));
    else if (mutate >= mutation_single_flip && mutate <= mutation_code_number)
        snprintf(text, size, " (def %d)", mutate);
    else
        snprintf(text, size, " (def %c)", mutate);
}

// The special menu (kinds 0..5); 'q' starts the kind menu again, or leaves
// the dialog for a local 2d forward-only network.
answer_step
special_menu()
{
    mutate = mutation_random_rule;
    bool codes = totalistic != rule_kind_tables;
    const char *code_name = totalistic == rule_kind_kcodes ? "kcode" : "tcode";
    replace_prompt_box(3);
    if (!codes)
        snprintf(textb[0], 150, "specify rule mutation");
    else
        snprintf(textb[0], 150, "specify rule or %s mutation", code_name);
    outtext(textb[0]);
    prompt_next_line();
    if (!codes)
        snprintf(textb[0], 150, "%s", nhood <= 5 ? "ruleno-3 randrule-def," : "randrule-def,");
    else
        snprintf(textb[0], 150,
                 nhood <= 5 ? "codeno-5 %s ruleno-3 randrule-def," : "codeno-5 %s randrule-def,",
                 "rand_code_flip-4");
    outtext(textb[0]);
    prompt_next_line();
    if (nhood_mixed) {
        outtext(" ");
    } else {
        if (mutant_layout == 1)
            outtext("Mutant Layout Set: ");
        outtext(value_range == 2 ? "bitflip from left: cumulative-1 single-0:"
                                 : "valueflip from left: cumulative-1 single-0:");
    }
    input_string(1, text_entry);
    erase_prompt_box(3);
    char key = is[0];
    if (key == 'q')
        return loc_twod_fonly ? answer_step::leave : answer_step::restart;
    if (key == 'd')
        acceptall = 1;
    else if (key >= '0' && key <= '5')
        mutate = static_cast<int8_t>(key - '0');
    else if (key != kKeyReturn && !(key >= '6' && key <= '9'))
        mutate = mutation_single_flip;
    if (mutate < mutation_code_flip)
        totalistic = rule_kind_tables;
    bool offered = true;
    if (codes && nhood > 5 && mutate == mutation_rule_number)
        offered = false;
    if (!codes && nhood <= 5 && (mutate == mutation_code_flip || mutate == mutation_code_number))
        offered = false;
    if (!codes && nhood > 5 && mutate >= mutation_rule_number && mutate <= mutation_code_number)
        offered = false;
    if (!offered)
        mutate = mutation_single_flip;
    return answer_step::next;
}

// Start and end of a flip from the left (kinds 0 and 1); 'q' at the start
// starts the kind menu again, at the end leaves the dialog.
answer_step
flip_positions()
{
    long last = static_cast<long>(rule_entries(nhood)) - 1;
    if (last > Maxint)
        last = Maxint;
    startmut = static_cast<int16_t>(last);
    endmut = 0;
    if (acceptall || accept_from != accept_from_mutation)
        return answer_step::next;
    replace_prompt_box(2);
    outtext(value_range == 2 ? "specify start - end position of bitflip (countdown)"
                             : "specify start - end position of valueflip (countdown)");
    prompt_next_line();
    snprintf(textb[0], 150, "start position (def %d):", startmut);
    outtext(textb[0]);
    // Text entries, not numeric ones: 'd' (accept all) must be typable here.
    int len = input_string(4, text_entry);
    long x;
    if (is[0] == 'q') {
        erase_prompt_box(2);
        return answer_step::restart;
    }
    if (is[0] == 'd') {
        acceptall = 1;
        erase_prompt_box(2);
    } else if (number_answer_held(x, {0, static_cast<double>(last)}, len)) {
        // Held to the table: positions outside it would flip entries beyond it.
        startmut = static_cast<int16_t>(x);
    }
    if (acceptall)
        return answer_step::next;
    moverel(10, 0);
    snprintf(textb[0], 150, "end position (def %d):", endmut);
    outtext(textb[0]);
    len = input_string(4, text_entry);
    if (is[0] == 'q') {
        erase_prompt_box(2);
        return answer_step::leave;
    }
    if (is[0] == 'd')
        acceptall = 1;
    else if (number_answer_held(x, {0, static_cast<double>(startmut)}, len))
        endmut = static_cast<int16_t>(x);
    erase_prompt_box(2);
    return answer_step::next;
}

// The kinds the menu starts from: one bit (none stays none), or for sweeps
// and the screen saver the kind their rules suit.
void
set_kind_defaults()
{
    if (mutate != mutation_none)
        mutate = mutation_bits;
    mutate_wiring = 0;
    bits_to_flip = 1;
    if (gd_z_graph || screensavedemo) {
        if (totalistic == rule_kind_tables)
            mutate = mutation_random_rule;
        if (gd_z_graph && nhood <= 3)
            mutate = mutation_rule_number;
        if (gd_z_graph && totalistic != rule_kind_tables)
            mutate = mutation_code_number;
    }
    if (gd_z_graph == sweep_graph_size) {
        mutate = mutation_bits;
        bits_to_flip = 1;
    }
}

// The kind menu's answer and the menus it leads to (wire count, bit count,
// special menu, flip positions); 'q' in them starts the menu again.
answer_step
kind_menus(int len)
{
    erase_prompt_box(2);
    char first = is[0], second = len >= 2 ? is[1] : 0;
    if (first == 'd')
        acceptall = 1;
    if (first == 'w' || second == 'w') {
        if (first == 'w')
            mutate = mutation_wires;
        if (second == 'w')
            mutate_wiring = mutation_wires;
        nonlocal = 1;
        wire_move('s', 0);
        if (is[0] == 'q')
            return answer_step::restart;
    }
    switch (first) {
    case '1':
        mutate = mutation_bits;
        break;
    case 'n':
        mutate = mutation_none;
        break;
    case 'b':
        mutate = mutation_bits;
        set_bit_flips();
        if (is[0] == 'q')
            return answer_step::restart;
        break;
    case 'c':
    case 'P':
    case 't':
    case 'k':
        mutate = first;
        break;
    case 's': {
        answer_step step = special_menu();
        if (step != answer_step::next)
            return step;
        if (mutate == mutation_single_flip || mutate == mutation_cumulative_flip)
            return flip_positions();
        break;
    }
    default:
        break;
    }
    return answer_step::next;
}

// The pause answer, and the delay factor when mutants do not pause; 'q' at
// the delay starts the kind menu again.
answer_step
pause_settings(int)
{
    if (is[0] == 'd')
        acceptall = 1;
    else if (is[0] == 'y')
        mutantdontpause = !mutantdontpause;
    if (mutantdontpause == 1) {
        prompt_next_line();
        snprintf(textb[0], 150, "change delay, enter factor (now %.2f max 10):", pause_fact);
        outtext(textb[0]);
        int len = input_string(4, numeric_entry);
        if (is[0] == 'q')
            return answer_step::restart;
        pause_fact = static_cast<float>(answer_held(pause_fact, {0, 10}, len));
    }
    erase_prompt_box(2);
    return answer_step::next;
}

// The mutation settings: the kind menu, shown for the menu pass and for
// size sweeps, then the pause settings of runs without the data pause. Each
// starts from its defaults, which hold when it is not shown; 'q' anywhere
// after the kind menu starts it again.
constexpr question kMutationRows[] = {
    question::row().resets(set_kind_defaults),
    question::row()
        .when([] {
            return gd_z_graph == sweep_graph_size ||
                   (acceptall == 0 && accept_from == accept_from_mutation);
        })
        .prompts([] {
            const char *first = "MUTATION for next: chain-c Post-P tcode-t kcode-k none-n ";
            char def[40];
            default_text(def, sizeof def);
            std::string second = loc_twod_fonly
                                     ? "rule: special-s, set bits-b, single bit-1"
                                     : "wiring-w/+w, rule: special-s, set bits-b, single bit-1";
            second += def;
            second += ":";
            // In the medium font where a line would run past the narrow
            // window's edge (the entry's two characters included).
            prompt_font font({first, second + "00"});
            replace_prompt_box(2);
            outtext(first);
            prompt_next_line();
            outtext(second.c_str());
        })
        .entry(2, text_entry)
        .then(kind_menus),
    question::row().when([] { return datapause == datapause_unset; }).resets([] {
        mutantdontpause = gd_z_graph || screensavedemo ? 1 : 0;
    }),
    question::row()
        .when([] {
            return datapause == datapause_unset && acceptall == 0 &&
                   accept_from == accept_from_mutation;
        })
        .prompts([] {
            replace_prompt_box(2);
            outtext(mutantdontpause == 0 ? "dont pause after mutant-y:" : "pause after mutant-y:");
        })
        .entry(1, text_entry)
        .then(pause_settings)
        .quits(answer_step::restart),
};

// The mutation dialogs draw their own prompt boxes.
constexpr question_place kOwnBoxes = {nullptr, nullptr, false};

} // namespace

int
mutate_rule(int k)
{
    if (was_changed == 1 || mutate == mutation_none) {
        was_changed = 0;
        fieldno = 0;
        reset_layout_cursor();
        return 1;
    }
    int result = 1;
    bool rule_too = true;
    if (mutate == mutation_wires || mutate_wiring == mutation_wires) {
        if (wires_to_move == wires_to_move_all)
            rewire_every_cell();
        else if (wires_to_move > 0)
            move_single_wires(wires_to_move);
        rule_too = mutate_wiring == mutation_wires;
    }
    // The forward-only totalistic mode has codes and no rule tables.
    bool codes_only = mutate == mutation_tcode || mutate == mutation_kcode ||
                      mutate == mutation_code_flip || mutate == mutation_code_number;
    if (!carule && !codes_only)
        rule_too = false;
    if (rule_too) {
        if (mutate == mutation_bits && bits_to_flip >= 1) {
            flip_rule_bits();
        } else {
            int cells = rulemix ? lineL : 1;
            for (int c = 0; c < cells && result; c++)
                result = mutate_cell(c, k);
        }
        if (!rulemix && !tot_only && carule)
            rule_z_figures(k, carule[0]);
    }
    fieldno = 0;
    if (!mutant_layout)
        reset_layout_cursor();
    return result;
}

void
set_mutation()
{
    // 'q' at the kind menu takes its box away.
    if (ask_questions(kMutationRows, kOwnBoxes) == answer_step::leave)
        erase_prompt_box(2);
}

void
set_bit_flips()
{
    long total = total_rule_bits();
    if (rulemix && bits_to_flip == 0)
        bits_to_flip = 1;
    long count = bits_to_flip;
    const std::string line = formatted("bits to flip=%ld/%ld=%.3g%%: all-a number-n percentage-p:",
                                       static_cast<long>(bits_to_flip), total, 100.0 * bits_to_flip / total);
    bool taken = ask_count(count, total, line, "percentage of total bits:", "number of bits:", 6, -1, false);
    if (!taken) {
        is[0] = 'q';
        return;
    }
    bits_to_flip = static_cast<int32_t>(count);
}

uint8_t
wire_move(char mode, uint8_t color)
{
    if (wires_to_move == 0)
        wires_to_move = 1;
    long total = total_wires();
    if (mode == 's' || mode == 'W') {
        int kept_colour = getcolor();
        setcolor(white);
        int x = getx, y = gety;
        long count = wires_to_move;
        bool relocal = false;
        const std::string line =
            formatted("relocal-l, wires to move=%ld/%ld=%.3g%%: all-a number-n percentage-p:",
                      static_cast<long>(wires_to_move), total, total > 0 ? 100.0 * wires_to_move / total : 0.0);
        bool taken =
            ask_count(count, total, line, "percentage of total wires:", "number of wires:", 4, total, mode == 'W');
        relocal = taken && is[0] == 'l';
        if (relocal) {
            if (threed)
                wireup_3d_nhood(static_cast<int16_t>(i3d - 1), static_cast<int16_t>(j3d - 1),
                                static_cast<int16_t>(h3d - 1), 0, 0, 0);
            else if (twod)
                wireup_2d_nhood(static_cast<int16_t>(i2d - 1), static_cast<int16_t>(j2d - 1), 0, 0);
            else
                for (int c = 0; c <= L; c++)
                    oneD_local_wire_cell(static_cast<uint16_t>(c), L);
        }
        wires_to_move = static_cast<int32_t>(count);
        moveto(x, y);
        setcolor(kept_colour);
        return color;
    }
    if (mode == 'm') {
        if (wires_to_move == total)
            rewire_every_cell();
        else
            move_single_wires(wires_to_move);
        if (!ncolor)
            color = color == white ? yellow : color == yellow ? white : color;
    }
    return color;
}

namespace {

// The count of a Z sweep's runs stands at the top left, level with the
// prompt box: above the band the runs draw in, whose next run would cross a
// box standing in it, right of the space-time pattern, which runs down the
// window's left side, and left of the memory box's place where it fits
// there, else of the prompt box's. The sweep's last question takes this
// place too, and puts the count back when it goes. Empty (x1 < x0) where a
// wide pattern leaves no room.
box_corners
plotted_count_box()
{
    const int x0 = run_frame_left();
    const int needed = vgax(3) + text_width_in_use("total plotted=0000000") + 4;
    int x1 = memory_box_left(Maxx) - 3;
    if (x1 < x0 + needed)
        x1 = prompt_box_left(Maxx) - 3;
    if (x1 < x0 + needed)
        x1 = x0 - 1;
    return {x0, 2, x1, prompt_box_bottom(1)};
}

} // namespace

void
erase_plotted_count()
{
    box_place b{};
    if (box_stands(box_owner::plotted_count, &b))
        erase_box(b.x0, b.y0, b.x1, b.y1);
}

void
biased_new_rule()
{
    if (mutate == mutation_random_rule) {
        static const struct {
            float bound;
            uint16_t bias;
            int z_high; // -1 unchanged
        } rows[] = {{0.20f, 50, 1},  {0.28f, 50, 0},  {0.36f, 45, 0},  {0.44f, 40, 0},
                    {0.52f, 35, 0},  {0.60f, 30, 0},  {0.68f, 25, 0},  {0.76f, 20, -1},
                    {0.84f, 15, -1}, {0.92f, 10, -1}};
        double done = endcount, total = totalgraphrules;
        bool set = false;
        for (const auto &row : rows)
            if (done < total * row.bound) {
                lambda_bias = row.bias;
                if (row.z_high >= 0)
                    set_z_high = static_cast<uint8_t>(row.z_high);
                set = true;
                break;
            }
        if (!set && endcount <= totalgraphrules)
            lambda_bias = 5;
    }
    if (!mouse_found)
        return;
    const box_corners b = plotted_count_box();
    if (b.x1 < b.x0)
        return;
    // A count standing at another place (the run's frame moved since) goes
    // whole first: the box at b would leave a piece of it standing.
    raise_box(box_owner::plotted_count, {b.x0, b.y0, b.x1, b.y1}, box_way::kept);
    int x = getx, y = gety, colour = getcolor();
    int margin = draw_box(-1, b.x0, b.y0, b.x1, b.y1, 1, 0);
    setcolor(white);
    text_line(margin, b.x1 - 2, b.y0 + 3,
              formatted("total plotted=%lu", static_cast<unsigned long>(endcount)));
    setcolor(colour);
    moveto(x, y);
}
