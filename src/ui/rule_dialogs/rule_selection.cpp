// The rules stage (rule_selection.h): one rule or code for every cell
// through the single-rule or code dialog (rule_dialog.h, code_dialog.h), or
// a mix with one per cell: by hand, from a family cell by cell (the makers
// of engine/rules/rule_makers.h), from a limited set drawn per cell, from a
// rule-scheme file or from the complex-rule sample files (storage/
// rule_samples.h). It also leads to the Post listing and the K-matrix
// amendment. Start at rule_selection.
#include "ui/rule_dialogs/rule_selection.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/value_line.h"
#include "engine/rules/code_families.h"
#include "engine/rules/globals.h"
#include "engine/rules/rule_makers.h"
#include "ui/backward/globals.h"
#include "ui/backward/progress_bar.h"
#include "ui/model/cell_display.h"
#include "ui/rule_dialogs/canalyzing_dialogs.h"
#include "ui/rule_dialogs/code_dialog.h"
#include "ui/rule_dialogs/rule_dialog.h"
#include "ui/rule_dialogs/rule_walk.h"
#include "ui/rules/nhood_matrix.h"
#include "ui/rules/post_listing.h"
#include "ui/rules/rule_families.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/network_files.h"
#include "ui/storage/rule_samples.h"

namespace {

constexpr int kMaxDiffRules = 200;

// Where the stage goes next.
enum class next { leave, first_prompt, leave_back };

// The stage's state for one call.
struct stage {
    int16_t x0 = 0, y0 = 0;      // the point below the stage's first line
    bool amended = false;        // the K-matrix was amended ('a')
    bool truly_mixed = false;    // cells have different k
    uint16_t keep_lineL = 0, keep_L = 0;
    bool outer_rows = false;     // lineL and L hold v and v-1
    bool self_rule = false;      // k = 1 cells wired to themselves keep their value
    bool force_zero = false;
    char method = 'r';
};

bool
tables()
{
    return !tot_only;
}

uint8_t **
code_rows()
{
    return totalistic == rule_kind_tcodes ? cacode : v_code;
}

uint8_t **
diff_code_rows()
{
    return totalistic == rule_kind_tcodes ? diffcode : v_diffcode;
}

size_t
code_bytes(int k)
{
    return totalistic == rule_kind_tcodes ? tcode_bytes(k) : kcode_bytes(k);
}

int32_t
code_last(int k)
{
    uint32_t entries = totalistic == rule_kind_tcodes ? tcode_entries(k) : kcode_entries(k);
    return static_cast<int32_t>(entries) - 1;
}

// A dialog of the column backed out of to the first prompt takes its lines
// away: the single rule's K-matrix picture (with its row labels left of the
// column) and menu, or the hand selection's menu, written below the stage's
// first line. The stage goes on from that line whatever is answered next,
// and a mix, asked in prompt boxes, leaves the column to the steps after the
// stage, whose lines would be written over the ones left standing. The clear
// stops above the rule box at the foot.
void
clear_dialog_lines(const stage &st)
{
    setfillstyle(0, black);
    bar(1, text_column_clear_row(st.y0), Maxx - 2, tallest_rule_box_top() - 1);
}

// Two lines in a prompt box (the first broken onto more where it is wider
// than the box), then an entry.
int
ask_two(const char *line1, const char *line2, int max)
{
    int16_t x = getx, y = gety;
    // The first line is broken at spaces where it is wider than the box.
    int lines = prompt_box_lines(line1) + 1;
    int margin = draw_prompt_box(lines);
    write_prompt_lines(line1, margin);
    moveto(margin, gety + CHeight);
    outtext(line2);
    int len = input_string(max, text_entry);
    erase_prompt_box(lines);
    moveto(x, y);
    return len;
}

void
allocate_mixes()
{
    if (tables())
        allocate_mem_rulemix(nhood);
    allocate_mem_tcodemix(nhood);
}

// Frees the mixes and puts lineL back (the outer rows are a mix of v rows).
void
drop_mixes(stage &st)
{
    if (tables())
        free_mem_rulemix();
    free_mem_tcodemix();
    rulemix = 0;
    if (st.outer_rows) {
        lineL = st.keep_lineL;
        L = st.keep_L;
        st.outer_rows = false;
    }
}

std::string
first_line()
{
    char text[160];
    if (tables())
        return "RULES: single rule (def), load rulemix-l, list Post-P, amend k-matrix-a";
    if (outer_tot)
        snprintf(text, sizeof text, "%s: number of codes to be set = value-range = %d",
                 totalistic == rule_kind_tcodes ? "OUTER TCODE" : "OUTER KCODE", value_range);
    else
        snprintf(text, sizeof text, "%s: single code (def), load codemix-l, amend k-matrix-a",
                 totalistic == rule_kind_tcodes ? "TCODE" : "KCODE");
    return text;
}

// The progress of the per-cell steps over large networks.
struct progress {
    bool on = false;
    int every = 1;
    void start()
    {
        on = lineL > 4999 || (lineL > 499 && nhood > 9);
        every = lineL / 10 > 0 ? lineL / 10 : 1;
        if (on)
            progress_bar();
    }
    void at(int c)
    {
        if (!on || c % every != 0)
            return;
        int width = static_cast<int>((barxr - barxl - 2) * static_cast<long>(L - c) / (L ? L : 1));
        setfillstyle(0, green);
        bar(barxl + 1, baryt + vgay(2), barxl + 1 + width, baryb - vgay(2));
        event_ready();
    }
    void finish()
    {
        if (!on)
            return;
        erase_progress_bar();
    }
};

// The k of cell c in the per-cell steps.
int
cell_k(int c)
{
    return nhood_mixed && nhoodm ? nhoodm[c] : nhood;
}

bool
wired_to_itself(int c)
{
    return nhoodm && nhoodm[c] == 1 && wiring && wiring[c] && wiring[c][0] == c;
}

// A random code of k inputs into code, converted into rule when the
// network runs from rule tables.
void
random_code_row(uint8_t *code, uint8_t *rule, int k, bool force_zero)
{
    random_code(code, code_last(k), force_zero);
    if (!tot_only && rule) {
        if (totalistic == rule_kind_tcodes)
            code2rule(rule, code, k);
        else
            v_code2rule(rule, code, k, 1);
    }
}

// One rule table (and code) made for the method: false when a Post draw
// gave up.
bool
make_table_row(char method, uint8_t *rule, uint8_t *code, int k, bool mixed, bool force_zero,
               int chain_index)
{
    bool family = strchr("cAsSP", method) || ((method == 'm' || method == 'f') && mixed);
    if (family)
        return make_mix_rule(method == 'f' && value_range > 2 ? 'm' : method, rule, k, force_zero,
                             chain_index);
    if (totalistic == rule_kind_tables)
        random_rule_table(rule, static_cast<int32_t>(rule_entries(k) - 1), force_zero);
    else
        random_code_row(code, rule, k, force_zero);
    return true;
}

void
post_refused(int k)
{
    char text[120];
    snprintf(text, sizeof text, "no v%dk%d rule found for Post type %d mu %c, cont-ret:",
             value_range, k, ptype, pmu < 32 ? '0' + pmu : pmu);
    ask_line(text, 1, text_entry);
}

// The per-cell steps of a mix without limit; false when a Post draw gave
// up (back to the method prompt).
bool
fill_cells(stage &st)
{
    progress bar;
    bar.start();
    bool ok = true;
    for (int c = lineL - 1; c >= 0 && ok; c--) {
        bar.at(c);
        int k = cell_k(c);
        if (tables()) {
            uint8_t *code = totalistic == rule_kind_tables ? nullptr : code_rows()[c];
            if (!make_table_row(st.method, carule[c], code, k, st.truly_mixed, st.force_zero, k)) {
                post_refused(k);
                ok = false;
                break;
            }
            if (st.self_rule && wired_to_itself(c))
                self_wiring_rule(carule[c]);
        } else if (st.method == 'A' && totalistic == rule_kind_kcodes) {
            altenberg_kcode(v_code[c], k, code_last(k));
        } else if (st.method == 'R' && outer_tot && totalistic == rule_kind_kcodes) {
            if (c == 0) {
                set_reaction_diffusion_outer(1, v_code[0], k, code_last(k));
            } else {
                for (int32_t e = 0; e <= code_last(k); e++)
                    set_value(v_code[c], static_cast<uint32_t>(e), (c + 1) % value_range);
            }
        } else {
            random_code_row(code_rows()[c], nullptr, k, st.force_zero);
        }
    }
    bar.finish();
    return ok;
}

// The zeros question of random rules or codes.
bool
ask_force_zero()
{
    if (tables()) {
        ask_line("if random, allow any rule-a, or force all 0s->0 (def):", 1, text_entry);
        return is[0] != 'a';
    }
    ask_line("if random, force all 0s->0 -0:", 1, text_entry);
    return is[0] == '0';
}

// The method prompt of a mix without limit and its per-cell steps.
next
mix_without_limit(stage &st)
{
    for (;;) {
        const char *line1, *line2;
        std::string first = first_line();
        if (tables()) {
            line1 = st.truly_mixed
                        ? "select by hand-h, maj-m +flipped-f, Alt-A chain-c sym-s legal-S Post-P"
                        : "select by hand-h, Alt-A chain-c sym-s legal-S  Post-P";
            line2 = "rnd+canalyzing: C/+C, rnd-(def):";
        } else {
            line1 = first.c_str();
            line2 = outer_tot && totalistic == rule_kind_kcodes
                        ? "select by hand-h, ReactionDiffusion-R Alt-A, rand-(def):"
                        : "select by hand-h, rand-(def):";
        }
        int len = ask_two(line1, line2, 2);
        char key = is[0], second = len > 1 ? is[1] : 0;
        if (key == 'q') {
            if (st.truly_mixed)
                return next::leave_back;
            drop_mixes(st);
            return next::first_prompt;
        }
        if (tables() && key == 'P')
            restrict_post();
        if (key == 'h') {
            if (totalistic == rule_kind_tables)
                select_rule(0, 0, carule, lineL, Maxu);
            else
                select_t_v_code(0, 0, code_rows(), carule, lineL, Maxu);
            if (is[0] != 'q')
                return next::leave;
            if (st.truly_mixed)
                return next::leave_back;
            drop_mixes(st);
            clear_dialog_lines(st);
            return next::first_prompt;
        }
        if (key == 'G' && !st.truly_mixed && (tables() || totalistic == rule_kind_kcodes)) {
            load_samples();
            return next::leave;
        }
        // 'C' and "+C": the random mix, then the canalyzing dialog of the
        // whole network moves it towards the share of canalyzing genes or
        // inputs the user asks for.
        bool canalyzing_after = tables() && (key == 'C' || second == 'C');
        if (canalyzing_after)
            key = 'r';
        if (!strchr("PARcsS", key) || key == 0) {
            st.force_zero = ask_force_zero();
            is[0] = key;
        }
        st.method = key;
        if (fill_cells(st)) {
            if (canalyzing_after)
                set_canalyzing_net(0);
            return next::leave;
        }
    }
}

// The limited set: n rules made once and drawn per cell.
next
limited_set(stage &st, int n)
{
    char text[120];
    if (tables()) {
        snprintf(text, sizeof text, "limited ruleset (%d), select by hand-h", n);
        ask_two(text, "Alt-A chain-c sym-s legal-S Post-P rand-(def):", 1);
    } else {
        snprintf(text, sizeof text, "limited codeset (%d), select by hand-h, Alt-A, rand-(def):", n);
        ask_line(text, 1, text_entry);
    }
    char key = is[0];
    if (key == 'q') {
        drop_mixes(st);
        return next::first_prompt;
    }
    if (tables() && key == 'P')
        restrict_post();
    if (tables())
        allocate_mem_diffrules(nhood, n);
    allocate_mem_diffcodes(nhood, n);
    auto free_set = [&] {
        if (tables())
            free_mem_diffrules(n);
        free_mem_diffcodes(n);
    };
    int k = nhood;
    if (key == 'h') {
        const char *what = totalistic == rule_kind_tables   ? "rules"
                           : totalistic == rule_kind_tcodes ? "tcodes"
                                                            : "kcodes";
        snprintf(text, sizeof text, "select subset of %d %s", n, what);
        int16_t x = getx, y = gety;
        draw_prompt_box(1);
        outtext(text);
        moveto(x, y);
        if (totalistic == rule_kind_tables)
            select_rule(0, 0, diffrule, n, Maxu);
        else
            select_t_v_code(0, 0, diff_code_rows(), diffrule, n, Maxu);
        erase_prompt_box(1);
        if (is[0] == 'q') {
            free_set();
            drop_mixes(st);
            clear_dialog_lines(st);
            return next::first_prompt;
        }
    } else {
        bool force_zero = false;
        if (key == 0 || !strchr("PAcsS", key))
            force_zero = ask_force_zero();
        for (int i = 0; i < n; i++) {
            uint8_t *rule = tables() ? diffrule[i] : nullptr;
            uint8_t *code = totalistic == rule_kind_tables ? nullptr : diff_code_rows()[i];
            if (totalistic == rule_kind_tables) {
                if (!make_table_row(key, rule, nullptr, k, false, force_zero, Maxu)) {
                    post_refused(k);
                    free_set();
                    drop_mixes(st);
                    return next::first_prompt;
                }
            } else if (key == 'A' && totalistic == rule_kind_kcodes) {
                altenberg_kcode(code, k, code_last(k));
                if (rule)
                    v_code2rule(rule, code, k, 1);
            } else {
                random_code_row(code, rule, k, force_zero);
            }
        }
    }
    event_ready();
    progress bar;
    bar.start();
    for (int c = lineL - 1; c >= 0; c--) {
        bar.at(c);
        int j = static_cast<int>(random() % n);
        if (tables())
            memcpy(carule[c], diffrule[j], rule_bytes(k));
        if (totalistic != rule_kind_tables)
            memcpy(code_rows()[c], diff_code_rows()[j], code_bytes(k));
    }
    bar.finish();
    free_set();
    return next::leave;
}

// After 'q' at the self-wiring question or a mix prompt.
next
mix_setup(stage &st, int limit)
{
    allocate_mixes();
    int self = 0;
    for (int c = st.outer_rows ? st.keep_lineL - 1 : lineL - 1; c >= 0; c--)
        if (wired_to_itself(c))
            self++;
    st.self_rule = false;
    if (self) {
        char text[80];
        snprintf(text, sizeof text, "single self wirings=%d, set rule for k=0 equiv-0:", self);
        ask_line(text, 1, text_entry);
        if (is[0] == 'q') {
            if (st.truly_mixed)
                return next::leave_back;
            drop_mixes(st);
            return next::first_prompt;
        }
        st.self_rule = is[0] == '0';
    }
    if (limit > 0 && !st.truly_mixed)
        return limited_set(st, limit);
    return mix_without_limit(st);
}

// Return at the first prompt: one rule or code for every cell.
next
single_rule(stage &st)
{
    if (tables() && !st.amended) {
        moveto(st.x0, st.y0);
        int16_t below = setup_nhood_matrix(0);
        moveto(static_cast<int>(xtext * CWidth), below);
    } else {
        next_line(xtext, 1.0f);
    }
    rulemix = 0;
    if (totalistic == rule_kind_tables)
        select_rule(0, 1, carule, 1, Maxu);
    else
        select_t_v_code(0, 1, code_rows(), carule, 1, Maxu);
    if (is[0] == 'q') {
        clear_dialog_lines(st);
        return next::first_prompt;
    }
    if (nhood_mixed && nhood_lb == nhood_ub) {
        // A k-mix whose cells all have one k runs as a mix of copies.
        rulemix = 1;
        allocate_mixes();
        for (int c = lineL - 1; c >= 1; c--) {
            if (tables())
                memcpy(carule[c], carule[0], rule_bytes(nhood));
            if (totalistic != rule_kind_tables)
                memcpy(code_rows()[c], code_rows()[0], code_bytes(nhood));
        }
    }
    return next::leave;
}

// The first prompt and what its answer leads to.
next
first_prompt(stage &st)
{
    moveto(st.x0, st.y0);
    if (st.truly_mixed) {
        rulemix = 1;
        nodiffrules = 0;
        return mix_setup(st, 0);
    }
    std::string line1 = first_line();
    const char *line2 = tables() || !outer_tot ? "mix: no limit-n, or set limit up to 200:" : "cont-ret:";
    ask_two(line1.c_str(), line2, 3);
    char key = is[0];
    if (key == 'q')
        return next::leave_back;
    if (outer_tot) {
        st.keep_lineL = lineL;
        st.keep_L = L;
        lineL = static_cast<uint16_t>(value_range);
        L = static_cast<uint16_t>(value_range - 1);
        st.outer_rows = true;
        rulemix = 1;
        nodiffrules = 0;
        return mix_setup(st, 0);
    }
    if (key == 'P' && tables()) {
        int k = nhood;
        post_samples(static_cast<int32_t>(rule_entries(k) - 1), rule_bytes(k),
                     static_cast<int32_t>(tcode_entries(k)) - 1, tcode_bytes(k),
                     static_cast<int32_t>(kcode_entries(k)) - 1, kcode_bytes(k));
        return next::first_prompt;
    }
    if (key == 'a' && tables()) {
        moveto(st.x0, st.y0);
        setup_nhood_matrix(1);
        moveto(st.x0, st.y0);
        st.amended = true;
        is[0] = 0;
        return next::first_prompt;
    }
    if (key == 'l') {
        rulemix = 1;
        allocate_mixes();
        uint8_t loaded = load_save_wrs('l', nullptr, 2);
        if (loaded != 0 && loaded != 255)
            return next::leave;
        // Backed out, or the file was refused: nothing was loaded.
        drop_mixes(st);
        return next::first_prompt;
    }
    if (key == kKeyReturn)
        return single_rule(st);
    // A limit held to 1..kMaxDiffRules; no number ('n'): no limit, 0.
    rulemix = 1;
    nodiffrules = static_cast<int16_t>(entry_held(0, {1, kMaxDiffRules}, true));
    return mix_setup(st, nodiffrules);
}

} // namespace

int16_t
rule_selection()
{
    moveto(getx, gety + CHeight);
    ptype = ptype_any;
    pmu = post_class_any;
    stage st;
    st.x0 = getx;
    st.y0 = gety;
    st.truly_mixed = nhood_mixed && nhood_lb != nhood_ub;
    show_multistate_color_key(3);
    next step;
    do
        step = first_prompt(st);
    while (step == next::first_prompt);
    show_multistate_color_key(2);
    if (st.outer_rows) {
        lineL = st.keep_lineL;
        L = st.keep_L;
    }
    if (outer_tot)
        rulemix = 0;
    if (step == next::leave_back) {
        is[0] = 'q';
        return st.y0;
    }
    if (is[0] == 'q')
        is[0] = 0;
    return static_cast<int16_t>(gety + CHeight);
}
