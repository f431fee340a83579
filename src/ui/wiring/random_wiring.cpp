// Random wiring with zones and biases (random_wiring.h): the draw of one
// cell's inputs, the bias dialog and the per-layer quota dialog.
//
// Reads from model/: nhoodm, nhood, nhood_mixed, lineL, the lattice shape
// (oned/twod/threed, i2d, j2d, i3d, j3d, h3d), rangeL and startL; writes the
// wiring rows and force_layer. The biases are globals of wiring/globals.h.
// Uses the lattice templates for the first draw under ca_bias and the prompt
// boxes and text entry of screen/. Start reading at randomly_wire_cell.
//
// The order of the random() calls is part of the design, so that one seed
// gives one wiring: the escape-mark passes first, then the positions from
// k-1 down to 0, each with its offset draws (columns, rows, layers in that
// order) repeated up to 51 times, then any layer redraws.
#include "ui/wiring/random_wiring.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_templates.h"

namespace {

// Draws per input before the last one stands whatever it is, and layer
// redraws per input.
constexpr int kMaxDraws = 51;
constexpr int kMaxLayerDraws = 50;
// Room for every k an int8_t can hold.
constexpr int kMaxPositions = 128;

// One bit per cell number: the inputs the cell in progress already has,
// for the distinct test. Cleared again after every cell.
uint8_t used_inputs[65536 / 8];

inline bool
is_used(int cell)
{
    return used_inputs[cell >> 3] & (1u << (cell & 7));
}

inline void
set_used(int cell, bool on)
{
    if (on)
        used_inputs[cell >> 3] |= static_cast<uint8_t>(1u << (cell & 7));
    else
        used_inputs[cell >> 3] &= static_cast<uint8_t>(~(1u << (cell & 7)));
}

// x brought into 0..n-1 (n >= 1).
inline int
wrap(int x, int n)
{
    int r = x % n;
    return r < 0 ? r + n : r;
}

// An offset between two coordinates of an axis of length n, reduced into
// (-n/2, n/2], so that applied to any cell it names the same relative place.
inline int16_t
reduced_offset(int to, int from, int n)
{
    int d = wrap(to - from, n);
    return static_cast<int16_t>(d > n / 2 ? d - n : d);
}

// The lattice the draw works on: 1 ring, 2 plane, 3 cube, with its sides.
struct Lattice {
    int dim;
    int ni, nj, nh;

    int cell(int i, int j, int h) const { return (h * nj + j) * ni + i; }
    void split(int c, int &i, int &j, int &h) const
    {
        i = c % ni;
        j = (c / ni) % nj;
        h = c / (ni * nj);
    }
};

Lattice
current_lattice(int n)
{
    if (threed == 3 && i3d >= 1 && j3d >= 1 && h3d >= 1)
        return {3, i3d, j3d, h3d};
    if (twod == 2 && i2d >= 1 && j2d >= 1)
        return {2, i2d, j2d, 1};
    return {1, n, 1, 1};
}

// The quotas apply only while force_layer holds one entry per layer of the
// present lattice, as the quota dialog sized it.
bool
quotas_in_force()
{
    return force_layers_set && force_layer != nullptr && force_layer_entries == h3d;
}

// Positions to mark as escaping the zone, by the escape passes.
void
mark_escapes(int k, uint8_t *escape)
{
    if (escape_wires <= 0 || k <= 0)
        return;
    int e = escape_wires;
    if (nhood_mixed && nhood > 0) {
        e = static_cast<int>(static_cast<float>(k) * static_cast<float>(e) /
                             static_cast<float>(nhood));
        if (e < 1)
            e = 1;
    }
    // More marks than positions would only repeat; a cell with k = 0 has
    // nothing to mark and the passes would never end.
    if (e > k)
        e = k;
    int marks = 0;
    while (marks < e)
        for (int p = k - 1; p >= 0 && marks < e; p--)
            if (random() % 100 >= 50) {
                escape[p]++;
                marks++;
            }
}

// The settings one draw of a cell reads.
struct Draw {
    Lattice lat;
    int c, i, j, h; // the cell and its coordinates
    int k, n, zs, half;
    bool distinct_test;
};

// Draws the input at position p inside the zone, with the self-wiring,
// distinct and boundary tests, up to kMaxDraws times; returns it wrapped.
int
draw_in_zone(const Draw &d, int p)
{
    const Lattice &lat = d.lat;
    int cand = d.c;
    for (int draw = 1;; draw++) {
        bool inside = true; // the boundary tests
        if (draw == 1 && ca_bias) {
            if (lat.dim == 1) {
                int raw = d.c + p - d.k / 2;
                inside = !(ib && (raw < 0 || raw >= d.n));
                cand = wrap(raw, d.n);
            } else {
                pndood_2or3(lat.dim, static_cast<uint16_t>(d.c), p);
                cand = poss_n;
            }
        } else {
            int di = static_cast<int>(random() % d.zs) - d.half;
            int dj = 0, dh = 0;
            if (lat.dim >= 2)
                dj = static_cast<int>(random() % d.zs) - d.half;
            if (lat.dim == 3)
                dh = static_cast<int>(random() % d.zs) - d.half;
            int ri = d.i + di, rj = d.j + dj, rh = d.h + dh;
            inside = !(ib && (ri < 0 || ri >= lat.ni)) && !(jb && (rj < 0 || rj >= lat.nj)) &&
                     !(hb && (rh < 0 || rh >= lat.nh));
            cand = lat.cell(wrap(ri, lat.ni), wrap(rj, lat.nj), wrap(rh, lat.nh));
        }
        zonewiring = cand;
        if (fixmidwire == 1 && p == d.k / 2)
            return d.c;
        bool passes = inside && !(fixmidwire == 2 && cand == d.c) &&
                      !(d.distinct_test && is_used(cand));
        if (passes || draw == kMaxDraws)
            return cand;
    }
}

// The 3d layer rules: suppressed layers, quotas, the direct link of input 0.
int
apply_layer_rules(const Draw &d, int p, int cand, uint16_t *layer_tot)
{
    const Lattice &lat = d.lat;
    int ci, cj, ch;
    lat.split(cand, ci, cj, ch);
    if (sup_3d_layers[0] != -1) {
        auto suppressed = [](int layer) {
            return (layer >= sup_3d_layers[0] && layer <= sup_3d_layers[1]) ||
                   (sup_3d_layers[2] != -1 && layer >= sup_3d_layers[2] &&
                    layer <= sup_3d_layers[3]);
        };
        for (int tries = 0; tries < kMaxLayerDraws && suppressed(ch); tries++)
            ch = static_cast<int>(random() % lat.nh);
    }
    if (layer_tot != nullptr)
        for (int layer = lat.nh - 1; layer >= 0; layer--)
            if (force_layer[layer] > layer_tot[layer]) {
                layer_tot[layer]++;
                ch = layer;
                break;
            }
    if (direct_3d_link_layer >= 0 && direct_3d_link_layer < lat.nh && p == 0) {
        ci = d.i;
        cj = d.j;
        ch = direct_3d_link_layer;
    }
    return lat.cell(ci, cj, ch);
}

// Gives every cell cell 0's pattern: the offsets recorded per position,
// applied to the cell's own coordinates.
void
copy_pattern(const Lattice &lat, int n, const int16_t (*offset)[3])
{
    for (int c = 0; c < n; c++) {
        int i, j, h;
        lat.split(c, i, j, h);
        for (int p = 0; p < nhoodm[c]; p++)
            wiring[c][p] = static_cast<uint16_t>(
                lat.cell(wrap(i + offset[p][0], lat.ni), wrap(j + offset[p][1], lat.nj),
                         wrap(h + offset[p][2], lat.nh)));
    }
}

} // namespace

void
randomly_wire_cell(uint16_t cell, uint16_t last)
{
    Draw d{};
    d.n = last + 1;
    d.lat = current_lattice(d.n);
    d.c = cell;
    d.lat.split(cell, d.i, d.j, d.h);
    d.k = nhoodm[cell];
    if (d.k > kMaxPositions)
        d.k = kMaxPositions;
    // The zone is at least one cell wide and no wider than the lattice.
    d.zs = zonesize < 1 ? 1 : zonesize;
    d.half = d.zs / 2;
    d.distinct_test = distinct && (fixmidwire != 2 || d.zs - 1 >= nhood);

    uint8_t escape[kMaxPositions] = {};
    int16_t offset[kMaxPositions][3] = {};
    mark_escapes(d.k, escape);

    uint16_t *layer_tot = nullptr;
    if (d.lat.dim == 3 && quotas_in_force())
        layer_tot = static_cast<uint16_t *>(
            checked_calloc(static_cast<size_t>(d.lat.nh), sizeof(uint16_t), "layer_tot"));

    // Inputs already in the row beyond k count for the distinct test too.
    int row_slots = nhood > d.k ? nhood : d.k;
    if (d.distinct_test)
        for (int p = d.k; p < row_slots; p++)
            if (wiring[cell][p] < d.n)
                set_used(wiring[cell][p], true);

    for (int p = d.k - 1; p >= 0; p--) {
        int cand = escape[p] ? static_cast<int>(random() % d.n) : draw_in_zone(d, p);
        if (d.lat.dim == 3)
            cand = apply_layer_rules(d, p, cand, layer_tot);
        wiring[cell][p] = static_cast<uint16_t>(cand);
        if (d.distinct_test)
            set_used(cand, true);
        if (same_wiring) {
            int ci, cj, ch;
            d.lat.split(cand, ci, cj, ch);
            offset[p][0] = reduced_offset(ci, d.i, d.lat.ni);
            offset[p][1] = reduced_offset(cj, d.j, d.lat.nj);
            offset[p][2] = reduced_offset(ch, d.h, d.lat.nh);
        }
    }

    if (d.distinct_test)
        for (int p = 0; p < row_slots; p++)
            if (wiring[cell][p] < d.n)
                set_used(wiring[cell][p], false);
    checked_free(layer_tot);

    if (same_wiring) {
        copy_pattern(d.lat, d.n, offset);
        same_wiring = 0;
    }
}

uint16_t
set_max_zonesize(uint16_t x)
{
    if (threed) {
        int m = i3d < j3d ? i3d : j3d;
        return static_cast<uint16_t>(m < h3d ? m : h3d);
    }
    if (twod)
        return static_cast<uint16_t>(i2d < j2d ? i2d : j2d);
    if (oned)
        return lineL;
    return x;
}

// ---- the dialogs -------------------------------------------------------------

namespace {

// The number typed in the last entry, or -1 when it does not start with a digit.
int
typed_number()
{
    std::string text = entry_text();
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return -1;
    return atoi(text.c_str());
}

// Writes text at the current point in white.
void
say(const char *text)
{
    setcolor(white);
    outtext(text);
}

// The lines of the bias dialog's box: top of line `line`, and clearing it.
int
line_top(int line)
{
    return 5 + line * CHeight;
}

void
clear_line(int line)
{
    setfillstyle(0, black);
    bar(Maxx / 2 + 1, line_top(line), Maxx - 3, line_top(line) + CHeight - 1);
}

// Clears a line of the box and starts a question at its left margin.
void
start_line(int line)
{
    clear_line(line);
    moveto(Maxx / 2 + 3, line_top(line));
}

// What the bias dialog's rows read, set when it opens: the lattice is a cube,
// the distinct question is offered, the widest zone.
bool bias_cube = false;
bool bias_asks_distinct = false;
int bias_zone_max = 1;

bool
on_cube()
{
    return bias_cube;
}

// What an answer in one of a row's further entries does: 'q' goes on_q, 'd'
// accepts the rest, anything else lets the row go on.
answer_step
further_entry_step(answer_step on_q)
{
    if (is[0] == 'q')
        return on_q;
    return is[0] == 'd' ? answer_step::finish : answer_step::next;
}

// The zone, and on the same line whether its first draw is the CA
// neighbourhood; 'q' there asks the zone again.
answer_step
take_zone(int)
{
    int zone = typed_number();
    zonesize = static_cast<uint16_t>(zone < 2 || zone > bias_zone_max ? bias_zone_max : zone);
    say(" CA-c:");
    ca_bias = 0;
    input_string(digits_of(lineL), 0);
    answer_step step = further_entry_step(answer_step::again);
    if (step != answer_step::next)
        return step;
    if (is[0] == 'c')
        ca_bias = 1;
    return answer_step::next;
}

// Periodic boundary on i, and on the same line on j and h for a plane or a
// cube; 'q' at j or h steps back as at i.
answer_step
take_boundaries(int)
{
    if (is[0] == 's')
        ib = 1;
    const char *axis[2] = {"  j:", "  h:"};
    uint8_t *flag[2] = {&jb, &hb};
    int axes = bias_cube ? 2 : (twod ? 1 : 0);
    for (int a = 0; a < axes; a++) {
        say(axis[a]);
        input_string(1, 0);
        answer_step step = further_entry_step(answer_step::back);
        if (step != answer_step::next)
            return step;
        if (is[0] == 's')
            *flag[a] = 1;
    }
    return answer_step::next;
}

// The layers to suppress: two ranges, each a low and a high entry.
answer_step
take_layer_ranges(int)
{
    char text[40];
    for (int r = 0; r < 2; r++) {
        snprintf(text, sizeof text, " range%d low:", r + 1);
        say(text);
        input_string(2, 0);
        if (is[0] == 'q' || is[0] == 'd')
            break;
        int low = typed_number();
        if (low >= 0 && low < h3d)
            sup_3d_layers[2 * r] = static_cast<int16_t>(low);
        say(" high:");
        input_string(2, 0);
        if (is[0] == 'q' || is[0] == 'd')
            break;
        int high = typed_number();
        sup_3d_layers[2 * r + 1] =
            high >= 0 && high < h3d ? static_cast<int16_t>(high) : sup_3d_layers[2 * r];
    }
    if (is[0] == 'd')
        sup_3d_layers[0] = sup_3d_layers[2] = -1;
    return further_entry_step(answer_step::back);
}

// Writes a prompt composed with one number.
void
say_number(const char *format, int x)
{
    char text[160];
    snprintf(text, sizeof text, format, x);
    say(text);
}

// Asks the bias dialog's questions, each on a line of its box: the entry of
// the zone is as wide as the network size, and the last question sits below
// the cube's layer questions or on the first free line.
void
ask_bias_questions()
{
    const question rows[] = {
        {nullptr, nullptr,
         [] {
             char text[160];
             snprintf(text, sizeof text,
                      "bias random wiring: confine to local zone (max=%d def=%d):", bias_zone_max,
                      zonesize);
             say(text);
         },
         digits_of(lineL), 0, take_zone, 0, answer_step::back},
        {nullptr, [] { escape_wires = 0; },
         [] { say_number("release some wires from zone (def 0, max %d):", nhood); }, 2, 0,
         [](int) {
             int e = typed_number();
             if (e >= 1 && e <= nhood)
                 escape_wires = static_cast<int8_t>(e);
             return answer_step::next;
         },
         1, answer_step::back},
        {nullptr, [] { ib = jb = hb = 0; },
         [] {
             say(oned || (!twod && !bias_cube) ? "suppress periodic boundary-s: "
                                               : "suppress periodic boundary-s: i:");
         },
         1, 0, take_boundaries, 2, answer_step::back},
        {nullptr, [] { fixmidwire = 0; },
         [] { say("exclude all selfwiring-2, selfwire centre wire-1:"); }, 1, 0,
         [](int) {
             if (is[0] == '1' || is[0] == '2')
                 fixmidwire = static_cast<uint8_t>(is[0] - '0');
             return answer_step::next;
         },
         3, answer_step::back},
        {[] { return bias_asks_distinct; }, [] { distinct = 0; },
         [] { say("distinct wiring (no duplication)-n:"); }, 1, 0,
         [](int) {
             if (is[0] == 'n' && nhood <= zonesize)
                 distinct = 1;
             return answer_step::next;
         },
         4, answer_step::back},
        {on_cube,
         [] {
             for (int s = 0; s < 4; s++)
                 sup_3d_layers[s] = -1;
         },
         [] { say_number("suppress links to layers (0-%d),", h3d - 1); }, 0, 0, take_layer_ranges,
         5, answer_step::back},
        {on_cube, [] { direct_3d_link_layer = -1; },
         [] { say_number("force direct link to a layer, enter (0-%d):", h3d - 1); }, 1, 0,
         [](int) {
             int layer = typed_number();
             if (layer >= 0 && layer < h3d)
                 direct_3d_link_layer = static_cast<int16_t>(layer);
             return answer_step::next;
         },
         6, answer_step::back},
        {on_cube, [] { force_layers_set = 0; },
         [] { say("force random links to sepecific layers -y:"); }, 1, 0,
         [](int) {
             if (is[0] != 'y')
                 return answer_step::next;
             force_layers_set = 1;
             force_rand_links_layer();
             is[0] = 'y';
             return answer_step::finish;
         },
         7, answer_step::back},
        {nullptr, [] { same_wiring = 0; }, [] { say("same wiring everywhere-e:"); }, 1, 0,
         [](int) {
             if (is[0] == 'e')
                 same_wiring = 1;
             return answer_step::next;
         },
         bias_cube ? 8 : 5, answer_step::back},
    };
    const question_place place = {start_line, [](int line, int) { clear_line(line); }, true};
    ask_questions(rows, place);
}

} // namespace

void
bias_random_wiring()
{
    ca_bias = ib = jb = hb = 0;
    fixmidwire = 0;
    escape_wires = 0;
    distinct = 0;
    force_layers_set = 0;
    bias_cube = threed == 3;
    if (bias_cube) {
        sup_3d_layers[0] = sup_3d_layers[2] = -1;
        direct_3d_link_layer = -1;
    }
    bias_zone_max = set_max_zonesize(lineL);
    if (bias_zone_max < 1)
        bias_zone_max = 1;
    bias_asks_distinct = nhood <= (rangeL ? startL : lineL);

    float old_xtext = xtext;
    xtext = static_cast<float>(Maxx / 2 + 3) / static_cast<float>(CWidth);
    int memory_left = memory_box(3, "");
    setcolor(lightred);
    moveto(memory_left + 3, 3);
    outtext("accept defaults-d");
    int lines = bias_cube ? 9 : 6;
    get_prompt_box(8, lines);
    draw_prompt_box(lines);

    ask_bias_questions();
    // 'd' leaves every question not yet answered at its default.
    if (is[0] == 'd')
        is[0] = 0;

    putimage(Maxx / 2, 2, &boximage_prompt[8], 0);
    freeimage(&boximage_prompt[8]);
    erase_memory_box();
    xtext = old_xtext;
}

void
force_rand_links_layer()
{
    int layers = h3d < 1 ? 1 : h3d;
    checked_free(force_layer);
    force_layer = static_cast<int16_t *>(
        checked_calloc(static_cast<size_t>(layers), sizeof(int16_t), "force_layer"));
    force_layer_entries = h3d;
    int available = nhood;
    char text[120];
    int layer = layers - 1;
    while (layer >= 0 && available > 0) {
        draw_prompt_box(1);
        snprintf(text, sizeof text, "k=%d, enter n links to layer %d (%d available):", nhood,
                 layer, available);
        say(text);
        input_string(1, 0);
        if (is[0] == 'q') {
            if (layer == layers - 1)
                break;
            layer++;
            available += force_layer[layer];
            force_layer[layer] = 0;
            continue;
        }
        int quota = typed_number();
        if (quota >= 0 && quota <= available) {
            force_layer[layer] = static_cast<int16_t>(quota);
            available -= quota;
        }
        layer--;
    }
    erase_prompt_box(1);
}
