// The lambda-Z-canalyzing sweep on the window (lambda_z_plot.h): its set-up,
// the loop over the rules with their points and progress boxes, the summary
// box with its question, the count table and the options box, and the
// putting back of everything it changed. The counts, the bias schedule and
// the table's texts are engine/measures/lambda_z.h; the point places
// engine/measures/sweep_axes.h; the next rule comes from the driver's
// mutation step through a registered hook. Reads the sweep settings of
// forward/globals.h and writes the sweep counters of measures/globals.h.
// Start reading at draw_lambda_z_graph.
#include "ui/measures/lambda_z_plot.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/measures/lambda_z.h"
#include "engine/measures/sweep_axes.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/rules/string_edits.h"
#include "ui/measures/globals.h"
#include "ui/measures/gofe_graph.h"
#include "ui/model/rule_parameters.h"
#include "ui/model/rule_readout.h"
#include "ui/rules/nhood_matrix.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"

namespace {

lambda_z_hooks hooks{};

constexpr uint32_t kProgressEvery = 100;
// Screen columns of the class table: 10 characters, wider when a cell needs it.
constexpr size_t kTableColumn = 10;

// A window region kept while the sweep draws over it.
struct kept_region {
    int x0 = 0, y0 = 0;
    image_slot image = 0;

    void keep(int x0_, int y0_, int x1, int y1)
    {
        put_back();
        x0 = x0_;
        y0 = y0_;
        getimage(x0, y0, x1, y1, &image);
    }
    void put_back()
    {
        if (!image)
            return;
        putimage(x0, y0, &image, 0);
        freeimage(&image);
    }
};

// What the sweep changes and puts back.
struct kept_settings {
    std::vector<uint8_t> rule, tcode;
    int16_t bias = 0;
    uint8_t z_high = 0;
    int colour = 0;
};

// The width of text in the font it is written in (the table's small one).
int
width_of(const std::string &text)
{
    return text_width_in_use(text.c_str());
}

// The figures of rule table 0 (Z, Z-left, Z-right, lratio, canaltotal).
void
rule_figures()
{
    rule_z_figures(nhood, carule[0]);
}

// The current rule's point: Z against the lambda ratio, or Z-left against
// Z-right.
void
draw_rule_point()
{
    bool sides = lambda_z_graph == lambda_z_zleft_zright;
    float x = sides ? zparam[1] : zparam[0];
    float y = sides ? zparam[2] : lratio;
    setfillstyle(0, white);
    pieslice(sweep_point_column(gox, lx, x), sweep_point_row(goy, ly, y), 0, 360, graphspot);
}

// A one-line framed box at the top right, at least min_width wide and as
// wide as its text needs, over the top band kept at the sweep's start.
void
progress_box(const std::string &text, int min_width)
{
    int w = std::max(min_width, width_of(text) + 2 * vgax(3) + 2);
    int x0 = std::max(2, Maxx - w);
    int y1 = std::max<int>(vgay(17), CHeight + 6);
    draw_box(-1, x0, 2, Maxx - 2, y1, 1, 0);
    moveto(x0 + vgax(3), 4);
    outtext(text.c_str());
}

int
progress_band_bottom()
{
    return std::max<int>(vgay(17), CHeight + 6) + 1;
}

bool
stop_asked()
{
    return event_ready() && is[0] == 'q';
}

// The sweep itself: the current rule first, then each rule the mutation step
// makes, until the count is reached (random), the step has no rule left
// (exhaustive) or 'q'.
void
sweep_rules(lambda_z_counts &counts, bool exhaustive, int no_bias)
{
    uint32_t total = totalgraphrules;
    rule_figures();
    draw_rule_point();
    for (uint32_t c = 1;; c++) {
        add_lambda_z_rule(counts, canaltotal, lratio);
        endcount++;
        if (stop_asked())
            return;
        if (c % kProgressEvery == 0) {
            char text[80];
            if (exhaustive)
                progress_box(canalyzing_progress_text(counts, total + 1, endcount), 0);
            else {
                snprintf(text, sizeof text, "t=%lu c=%lu lb=%d zh=%d",
                         static_cast<unsigned long>(total), static_cast<unsigned long>(c),
                         lambda_bias, set_z_high);
                progress_box(text, vgax(150));
            }
        }
        if (!exhaustive && c >= total)
            return;
        if (!exhaustive && !no_bias)
            lambda_bias_schedule(static_cast<double>(c) / total, lambda_bias, set_z_high);
        if (!hooks.next_rule || !hooks.next_rule(nhood))
            return;
        if (pause_show_code)
            show_rule_bottom(nhood, 0, carule[0], 0);
        rule_figures();
        draw_rule_point();
    }
}

// The summary box and its question; the request the answer makes (none
// when the answer is 'q').
table_request
ask_summary(const lambda_z_counts &counts, kept_region &under)
{
    char classes = mutate == mutation_code_number ? codetypeonly : 0;
    std::string first = lambda_z_plotted_text(counts.rules, classes, totcode_eq_or_cl);
    std::string second = lambda_z_summary_prompt();
    int margin = vgax(3);
    int x0 = vgax(160), y0 = vgay(405);
    int x1 = std::max<int>(vgax(320), x0 + 2 * margin + std::max(width_of(first), width_of(second)) +
                                          CWidth * 3);
    x1 = std::min<int>(x1, Maxx - 2);
    int y1 = y0 + 2 * CHeight + 6;
    under.keep(x0, y0, x1, y1 + 1);
    draw_box(-1, x0, y0, x1, y1, 1, 0);
    setcolor(white);
    moveto(x0 + margin, y0 + 2);
    outtext(first.c_str());
    moveto(x0 + margin, y0 + 2 + CHeight);
    outtext(second.c_str());
    int length = input_string(2, text_entry);
    if (is[0] == 'q')
        return {};
    return lambda_z_table_request(is, length);
}

// The count table in a lightred frame below vgay(35), one row a line, in the
// small font when k > 4; its class columns in bands where the window is too
// narrow for one.
void
show_table(const lambda_z_counts &counts, kept_region &under)
{
    int16_t width = CWidth, height = CHeight;
    if (counts.k > 4)
        set_small_font();
    std::vector<std::string> lines = {lambda_z_heading(counts), canalyzing_freq_line(counts)};
    // The canalyzing line goes on a second line from its totals where the
    // window is too narrow for it.
    size_t totals = lines[1].find("total:");
    if (width_of(lines[1]) > Maxx - 12 && totals != std::string::npos) {
        lines.push_back(lines[1].substr(totals));
        lines[1].erase(totals);
    }
    std::vector<lambda_z_row> rows = lambda_z_class_rows(counts);
    // Columns of at least 10 characters, wider than the widest cell by a
    // character, as measured in the font in use; where one band of them
    // would pass the window's edge the columns are set in bands one below
    // the other, each with every row.
    int label_width = 5 * CWidth, column_width = static_cast<int>(kTableColumn) * CWidth;
    for (const lambda_z_row &row : rows) {
        label_width = std::max(label_width, width_of(row.label) + CWidth / 2);
        for (const std::string &cell : row.cells)
            column_width = std::max(column_width, width_of(cell) + CWidth);
    }
    int margin = vgax(3);
    const int columns = static_cast<int>(rows[0].cells.size());
    const int x0 = 2, y0 = vgay(35);
    const int room = Maxx - 2 - x0 - 2 * margin - label_width;
    const int per_band = std::max(1, std::min(columns, room / column_width));
    const int bands = (columns + per_band - 1) / per_band;
    int needed = label_width + per_band * column_width;
    for (const std::string &line : lines)
        needed = std::max(needed, width_of(line));
    int table_lines = static_cast<int>(lines.size() + bands * rows.size()) + bands - 1;
    int x1 = std::min<int>(Maxx - 2, x0 + needed + 2 * margin);
    // The foot goes down past a text it would cut (a set-up line, a label of
    // the K-matrix picture or of the graph's y axis): each is hidden whole or
    // left whole.
    int y1 = std::min<int>(Maxy, setup_clear_row(y0 + table_lines * CHeight + 6));
    under.keep(x0, y0, x1, y1 + 1);
    draw_box(-1, x0, y0, x1, y1, 1, 0);
    setviewport(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 1);
    setcolor(white);
    int y = y0 + 3;
    for (const std::string &line : lines) {
        moveto(x0 + margin, y);
        outtext(line.c_str());
        y += CHeight;
    }
    for (int band = 0; band < bands; band++) {
        if (band > 0)
            y += CHeight; // a blank line between bands
        for (const lambda_z_row &row : rows) {
            moveto(x0 + margin, y);
            outtext(row.label.c_str());
            int right = x0 + margin + label_width;
            const int last = std::min(columns, (band + 1) * per_band);
            for (int c = band * per_band; c < last; c++) {
                const std::string &cell = row.cells[static_cast<size_t>(c)];
                right += column_width;
                moveto(right - width_of(cell), y);
                outtext(cell.c_str());
            }
            y += CHeight;
        }
    }
    setviewport(0, 0, Maxx, Maxy, 1);
    if (counts.k > 4) {
        restore_def_font();
        CWidth = width;
        CHeight = height;
    }
}

kept_settings
keep_settings(bool codes)
{
    kept_settings kept;
    kept.rule.assign(carule[0], carule[0] + rule_bytes(nhood));
    if (codes) {
        size_t bytes = value_line_bytes(tcode_entries(nhood), value_bits);
        kept.tcode.assign(cacode[0], cacode[0] + bytes);
    }
    kept.bias = lambda_bias;
    kept.z_high = set_z_high;
    kept.colour = getcolor();
    return kept;
}

void
put_back_settings(const kept_settings &kept)
{
    memcpy(carule[0], kept.rule.data(), kept.rule.size());
    if (!kept.tcode.empty())
        memcpy(cacode[0], kept.tcode.data(), kept.tcode.size());
    lambda_bias = kept.bias;
    set_z_high = kept.z_high;
    rule_figures();
    if (pause_show_code)
        show_rule_bottom(nhood, 0, carule[0], 0);
    setcolor(kept.colour);
}

} // namespace

void
set_lambda_z_hooks(const lambda_z_hooks &h)
{
    hooks = h;
}

const std::vector<summary_key> &
lambda_z_summary_keys()
{
    static const std::vector<summary_key> rows = {
        summary_key::on("d").help("C-P data-d").does([](table_request &r, char) {
            r.show = true;
            return 0;
        }),
        summary_key::on("p").help(", +print-p:").does([](table_request &r, char) {
            r.show = r.print = true;
            return 0;
        }),
    };
    return rows;
}

std::string
lambda_z_summary_prompt()
{
    const std::vector<summary_key> &rows = lambda_z_summary_keys();
    return help_text(key_help(rows.data(), rows.size(), table_request{}));
}

table_request
lambda_z_table_request(const char *answer, int length)
{
    table_request request;
    const std::vector<summary_key> &rows = lambda_z_summary_keys();
    for (int i = 0; i < length && answer[i] != kKeyReturn; i++)
        if (const summary_key *row = find_key(rows.data(), rows.size(), answer[i], request))
            row->act(request, answer[i]);
    return request;
}

void
draw_lambda_z_graph(int no_bias)
{
    bool codes = mutate == mutation_code_number;
    bool exhaustive = codes || mutate == mutation_rule_number;
    kept_settings kept = keep_settings(codes);
    int k = nhood;
    lambda_z_counts counts;
    allocate_lambda_z_counts(counts, k);
    if (codes) {
        expand_code(carule[0], cacode[0], k);
        totalgraphrules = dec_equiv(cacode[0], static_cast<int>(tcode_entries(k)) - 1);
    } else if (mutate == mutation_rule_number) {
        totalgraphrules = dec_equiv(carule[0], static_cast<int>(rule_entries(k)) - 1);
    }
    graphspot = static_cast<int16_t>(std::ceil(lx / 275));
    totcode_eq_or_cl = 0;
    endcount = 0;
    if (!exhaustive && no_bias)
        lambda_bias = 50;
    setcolor(white);

    kept_region band, summary, table;
    band.keep(0, 0, Maxx, progress_band_bottom());
    sweep_rules(counts, exhaustive, no_bias);
    table_request request = ask_summary(counts, summary);
    if (request.print)
        print_out(lambda_z_table_text(counts).c_str());
    if (request.show)
        show_table(counts, table);
    if (is[0] != 'q' && hooks.open_options)
        hooks.open_options(0);

    erase_prompt_box(1);
    free_lambda_z_counts(counts);
    table.put_back();
    summary.put_back();
    band.put_back();
    put_back_settings(kept);
}
