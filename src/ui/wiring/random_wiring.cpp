// The random wiring dialogs (random_wiring.h): the bias dialog and the
// per-layer quota dialog. They set the biases of wiring/globals.h and
// force_layer, which the draw of engine/wiring/random_wiring.h reads. Reads
// from model/: nhood, lineL, the lattice shape, rangeL and startL. Uses the
// prompt boxes and text entry of screen/. Start reading at
// bias_random_wiring.
#include "ui/wiring/random_wiring.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/random_wiring.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window_record.h"

namespace {

// The number typed in the last entry held to bounds, or fallback when it
// does not start with a digit.
int
typed_number(int fallback, number_bounds bounds)
{
    std::string text = entry_text();
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return fallback;
    return static_cast<int>(entry_held(fallback, bounds, true));
}

// Writes a question's text from the current point in white, broken at
// spaces onto the next lines of the box where it and the entry of `entry`
// characters typed after it would run past the box's right edge.
void
say(const char *text, int entry)
{
    setcolor(white);
    write_prompt_part(text, entry, prompt_box_text(Maxx));
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

// The texts of the bias dialog's questions, written by the rows and
// measured by the layout of the box.
std::string
zone_question(int def)
{
    char text[160];
    snprintf(text, sizeof text, "bias random wiring: confine to local zone (max=%d def=%d):",
             bias_zone_max, def);
    return text;
}

constexpr char kCaQuestion[] = " CA-c:";

std::string
release_question()
{
    char text[160];
    snprintf(text, sizeof text, "release some wires from zone (def 0, max %d):", nhood);
    return text;
}

const char *
boundary_question()
{
    return oned || (!twod && !bias_cube) ? "suppress periodic boundary-s: "
                                         : "suppress periodic boundary-s: i:";
}

// The further axes asked on the boundary line: j on a plane, j and h on a cube.
constexpr const char *kAxisQuestions[2] = {"  j:", "  h:"};

int
boundary_axes()
{
    return bias_cube ? 2 : (twod ? 1 : 0);
}

constexpr char kSelfQuestion[] = "exclude all selfwiring-2, selfwire centre wire-1:";
constexpr char kDistinctQuestion[] = "distinct wiring (no duplication)-n:";

std::string
layers_question()
{
    char text[160];
    snprintf(text, sizeof text, "suppress links to layers (0-%d),", h3d - 1);
    return text;
}

// The two layer ranges' entries, each a low and a high layer.
std::string
range_low_question(int r)
{
    char text[40];
    snprintf(text, sizeof text, " range%d low:", r + 1);
    return text;
}

constexpr char kRangeHighQuestion[] = " high:";

std::string
direct_link_question()
{
    char text[160];
    snprintf(text, sizeof text, "force direct link to a layer, enter (0-%d):", h3d - 1);
    return text;
}

constexpr char kForceQuestion[] = "force random links to sepecific layers -y:";
constexpr char kSameQuestion[] = "same wiring everywhere-e:";

// The places of the bias dialog's box: a place for each question, the
// cube's layer questions and the last question after the others; each as
// many lines as its question takes, counted when the dialog opens from its
// texts and its entries at their longest.
constexpr int kZonePlace = 0, kReleasePlace = 1, kBoundaryPlace = 2, kSelfPlace = 3,
              kDistinctPlace = 4, kLayersPlace = 5, kDirectPlace = 6, kForcePlace = 7;
constexpr int kMostPlaces = 9;
int bias_places = 0;
int place_first_line[kMostPlaces + 1] = {0};

// The last question's place: after the cube's layer questions or after the
// distinct question.
int
same_wiring_place()
{
    return bias_cube ? kForcePlace + 1 : kDistinctPlace + 1;
}

// A line of a question as text and entry, for the count of its lines.
struct question_part {
    std::string text;
    int entry;
};

int
lines_of(const std::vector<question_part> &parts)
{
    std::vector<prompt_part> line;
    for (const question_part &part : parts)
        line.push_back({part.text.c_str(), part.entry});
    return prompt_parts_lines(line.data(), static_cast<int>(line.size()));
}

// The lines of the question at each place.
std::vector<int>
place_lines()
{
    int zone_entry = digits_of(lineL);
    // The default shown is the zone answered last, at most the widest.
    int zone_lines = std::max(lines_of({{zone_question(zonesize), zone_entry}, {kCaQuestion, zone_entry}}),
                              lines_of({{zone_question(bias_zone_max), zone_entry},
                                        {kCaQuestion, zone_entry}}));
    std::vector<question_part> boundary = {{boundary_question(), 1}};
    for (int a = 0; a < boundary_axes(); a++)
        boundary.push_back({kAxisQuestions[a], 1});
    std::vector<int> lines = {zone_lines, lines_of({{release_question(), 2}}), lines_of(boundary),
                              lines_of({{kSelfQuestion, 1}}), lines_of({{kDistinctQuestion, 1}})};
    if (bias_cube) {
        std::vector<question_part> layers = {{layers_question(), 0}};
        for (int r = 0; r < 2; r++) {
            layers.push_back({range_low_question(r), 2});
            layers.push_back({kRangeHighQuestion, 2});
        }
        lines.push_back(lines_of(layers));
        lines.push_back(lines_of({{direct_link_question(), 1}}));
        lines.push_back(lines_of({{kForceQuestion, 1}}));
    }
    lines.push_back(lines_of({{kSameQuestion, 1}}));
    return lines;
}

// Counts the lines of every place; returns the lines of the box.
int
lay_out_bias_box()
{
    std::vector<int> lines = place_lines();
    bias_places = static_cast<int>(lines.size());
    for (int p = 0; p < bias_places; p++)
        place_first_line[p + 1] = place_first_line[p] + lines[static_cast<size_t>(p)];
    return place_first_line[bias_places];
}

// The top of a line of the box.
int
line_top(int line)
{
    return 5 + line * CHeight;
}

// Clears the lines of a place.
void
clear_place(int place)
{
    setfillstyle(0, black);
    bar(prompt_box_left(Maxx) + 1, line_top(place_first_line[place]), box_right_edge(Maxx) - 1,
        line_top(place_first_line[place + 1]) - 1);
}

// Clears a place and starts its question at the box's left margin.
void
start_place(int place)
{
    clear_place(place);
    moveto(prompt_box_text(Maxx), line_top(place_first_line[place]));
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
    zonesize = static_cast<uint16_t>(typed_number(bias_zone_max, {2, static_cast<double>(bias_zone_max)}));
    say(kCaQuestion, digits_of(lineL));
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
    uint8_t *flag[2] = {&jb, &hb};
    for (int a = 0; a < boundary_axes(); a++) {
        say(kAxisQuestions[a], 1);
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
    for (int r = 0; r < 2; r++) {
        say(range_low_question(r).c_str(), 2);
        input_string(2, text_entry);
        if (is[0] == 'q' || is[0] == 'd')
            break;
        sup_3d_layers[2 * r] = static_cast<int16_t>(typed_number(sup_3d_layers[2 * r], {0, h3d - 1.0}));
        say(kRangeHighQuestion, 2);
        input_string(2, text_entry);
        if (is[0] == 'q' || is[0] == 'd')
            break;
        sup_3d_layers[2 * r + 1] = static_cast<int16_t>(typed_number(sup_3d_layers[2 * r], {0, h3d - 1.0}));
    }
    if (is[0] == 'd')
        sup_3d_layers[0] = sup_3d_layers[2] = -1;
    return further_entry_step(answer_step::back);
}

// Asks the bias dialog's questions, each at its place in the box: the entry
// of the zone is as wide as the network size.
void
ask_bias_questions()
{
    const question rows[] = {
        question::row()
            .prompts([] { say(zone_question(zonesize).c_str(), digits_of(lineL)); })
            .entry(digits_of(lineL), text_entry)
            .then(take_zone)
            .on_line(kZonePlace),
        question::row()
            .resets([] { escape_wires = 0; })
            .prompts([] { say(release_question().c_str(), 2); })
            .entry(2, text_entry)
            .then([](int) {
                escape_wires = static_cast<int8_t>(typed_number(escape_wires, {1, static_cast<double>(nhood)}));
                return answer_step::next;
            })
            .on_line(kReleasePlace),
        question::row()
            .resets([] { ib = jb = hb = 0; })
            .prompts([] { say(boundary_question(), 1); })
            .entry(1, text_entry)
            .then(take_boundaries)
            .on_line(kBoundaryPlace),
        question::row()
            .resets([] { fixmidwire = fixmidwire_free; })
            .prompts([] { say(kSelfQuestion, 1); })
            .entry(1, text_entry)
            .then([](int) {
                if (is[0] == '1' || is[0] == '2')
                    fixmidwire = static_cast<uint8_t>(is[0] - '0');
                return answer_step::next;
            })
            .on_line(kSelfPlace),
        question::row()
            .when([] { return bias_asks_distinct; })
            .resets([] { distinct = 0; })
            .prompts([] { say(kDistinctQuestion, 1); })
            .entry(1, text_entry)
            .then([](int) {
                if (is[0] == 'n' && nhood <= zonesize)
                    distinct = 1;
                return answer_step::next;
            })
            .on_line(kDistinctPlace),
        question::row()
            .when(on_cube)
            .resets([] {
                for (int s = 0; s < 4; s++)
                    sup_3d_layers[s] = -1;
            })
            .prompts([] { say(layers_question().c_str(), 0); })
            .then(take_layer_ranges)
            .on_line(kLayersPlace),
        question::row()
            .when(on_cube)
            .resets([] { direct_3d_link_layer = -1; })
            .prompts([] { say(direct_link_question().c_str(), 1); })
            .entry(1, text_entry)
            .then([](int) {
                direct_3d_link_layer = static_cast<int16_t>(typed_number(direct_3d_link_layer, {0, h3d - 1.0}));
                return answer_step::next;
            })
            .on_line(kDirectPlace),
        question::row()
            .when(on_cube)
            .resets([] { force_layers_set = 0; })
            .prompts([] { say(kForceQuestion, 1); })
            .entry(1, text_entry)
            .then([](int) {
                if (is[0] != 'y')
                    return answer_step::next;
                force_layers_set = 1;
                force_rand_links_layer();
                is[0] = 'y';
                return answer_step::finish;
            })
            .on_line(kForcePlace),
        question::row()
            .resets([] { same_wiring = 0; })
            .prompts([] { say(kSameQuestion, 1); })
            .entry(1, text_entry)
            .then([](int) {
                if (is[0] == 'e')
                    same_wiring = 1;
                return answer_step::next;
            })
            .on_line(same_wiring_place()),
    };
    const question_place place = {start_place, [](int line, int) { clear_place(line); }, true};
    ask_questions(rows, place);
}

// boximage slot under the dialog's status box.
constexpr int kStatusSlot = 8;

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

    keep_text_margin();
    xtext = static_cast<float>(prompt_box_text(Maxx)) / static_cast<float>(CWidth);
    // The status box goes over whatever the dialog was opened on (the
    // wiring editor's drawing, a status text), which comes back when it
    // closes.
    status_box_title_over(kStatusSlot, "accept defaults-d", lightred);
    int lines = lay_out_bias_box();
    get_prompt_box(8, lines);
    draw_prompt_box(lines);

    ask_bias_questions();
    // 'd' leaves every question not yet answered at its default.
    if (is[0] == 'd')
        is[0] = 0;

    putimage(prompt_box_left(Maxx), 2, &boximage_prompt[8], 0);
    freeimage(&boximage_prompt[8]);
    put_back_under_status_box(kStatusSlot);
    put_back_text_margin();
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
        setcolor(white);
        outtext(text);
        input_string(1, text_entry);
        if (is[0] == 'q') {
            if (layer == layers - 1)
                break;
            layer++;
            available += force_layer[layer];
            force_layer[layer] = 0;
            continue;
        }
        int quota = typed_number(-1, {0, static_cast<double>(available)});
        if (quota >= 0) {
            force_layer[layer] = static_cast<int16_t>(quota);
            available -= quota;
        }
        layer--;
    }
    erase_prompt_box(1);
}
