// The random wiring dialogs (random_wiring.h): the bias dialog and the
// per-layer quota dialog. They set the biases of wiring/globals.h and
// force_layer, which the draw of engine/wiring/random_wiring.h reads. Reads
// from model/: nhood, lineL, the lattice shape, rangeL and startL. Uses the
// prompt boxes and text entry of screen/. Start reading at
// bias_random_wiring.
#include "ui/wiring/random_wiring.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/random_wiring.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"

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
    input_string(digits_of(lineL), text_entry);
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
        input_string(1, text_entry);
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
        input_string(2, text_entry);
        if (is[0] == 'q' || is[0] == 'd')
            break;
        int low = typed_number();
        if (low >= 0 && low < h3d)
            sup_3d_layers[2 * r] = static_cast<int16_t>(low);
        say(" high:");
        input_string(2, text_entry);
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
        question::row()
            .prompts([] {
                char text[160];
                snprintf(text, sizeof text,
                         "bias random wiring: confine to local zone (max=%d def=%d):",
                         bias_zone_max, zonesize);
                say(text);
            })
            .entry(digits_of(lineL), text_entry)
            .then(take_zone),
        question::row()
            .resets([] { escape_wires = 0; })
            .prompts([] { say_number("release some wires from zone (def 0, max %d):", nhood); })
            .entry(2, text_entry)
            .then([](int) {
                int e = typed_number();
                if (e >= 1 && e <= nhood)
                    escape_wires = static_cast<int8_t>(e);
                return answer_step::next;
            })
            .on_line(1),
        question::row()
            .resets([] { ib = jb = hb = 0; })
            .prompts([] {
                say(oned || (!twod && !bias_cube) ? "suppress periodic boundary-s: "
                                                  : "suppress periodic boundary-s: i:");
            })
            .entry(1, text_entry)
            .then(take_boundaries)
            .on_line(2),
        question::row()
            .resets([] { fixmidwire = fixmidwire_free; })
            .prompts([] { say("exclude all selfwiring-2, selfwire centre wire-1:"); })
            .entry(1, text_entry)
            .then([](int) {
                if (is[0] == '1' || is[0] == '2')
                    fixmidwire = static_cast<uint8_t>(is[0] - '0');
                return answer_step::next;
            })
            .on_line(3),
        question::row()
            .when([] { return bias_asks_distinct; })
            .resets([] { distinct = 0; })
            .prompts([] { say("distinct wiring (no duplication)-n:"); })
            .entry(1, text_entry)
            .then([](int) {
                if (is[0] == 'n' && nhood <= zonesize)
                    distinct = 1;
                return answer_step::next;
            })
            .on_line(4),
        question::row()
            .when(on_cube)
            .resets([] {
                for (int s = 0; s < 4; s++)
                    sup_3d_layers[s] = -1;
            })
            .prompts([] { say_number("suppress links to layers (0-%d),", h3d - 1); })
            .then(take_layer_ranges)
            .on_line(5),
        question::row()
            .when(on_cube)
            .resets([] { direct_3d_link_layer = -1; })
            .prompts([] { say_number("force direct link to a layer, enter (0-%d):", h3d - 1); })
            .entry(1, text_entry)
            .then([](int) {
                int layer = typed_number();
                if (layer >= 0 && layer < h3d)
                    direct_3d_link_layer = static_cast<int16_t>(layer);
                return answer_step::next;
            })
            .on_line(6),
        question::row()
            .when(on_cube)
            .resets([] { force_layers_set = 0; })
            .prompts([] { say("force random links to sepecific layers -y:"); })
            .entry(1, text_entry)
            .then([](int) {
                if (is[0] != 'y')
                    return answer_step::next;
                force_layers_set = 1;
                force_rand_links_layer();
                is[0] = 'y';
                return answer_step::finish;
            })
            .on_line(7),
        question::row()
            .resets([] { same_wiring = 0; })
            .prompts([] { say("same wiring everywhere-e:"); })
            .entry(1, text_entry)
            .then([](int) {
                if (is[0] == 'e')
                    same_wiring = 1;
                return answer_step::next;
            })
            .on_line(bias_cube ? 8 : 5),
    };
    const question_place place = {start_line, [](int line, int) { clear_line(line); }, true};
    ask_questions(rows, place);
}

} // namespace

void
bias_random_wiring()
{
    ca_bias = ib = jb = hb = 0;
    fixmidwire = fixmidwire_free;
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
        input_string(1, text_entry);
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
