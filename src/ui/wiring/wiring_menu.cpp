// The wiring options dialog, a table of questions (screen/question_table.h,
// start at kWiringRows): the first menu line (special, load, random, regular
// 3d/2d/1d), the forward-only questions for lattices, the lattice question
// and special wiring menu, and the lattice sizes, which replace the
// size-dependent arrays (state lines, rules, codes, k-mix) and ask k again.
// It wires nothing: wire_up_network does that afterwards. Reads the
// random-wiring bias dialog of this folder.
#include "ui/wiring/wiring_menu.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/backward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/network_shape.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/random_wiring.h"
#include "ui/model/nhood_size.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/wiring/random_wiring.h"

namespace {

constexpr int kLargestLattice = 65025;
constexpr int kLargestSide = 255;
constexpr int kHexagonalKs[] = {6, 7, 10, 15, 18, 19, 22};

// Chosen at the menu's first question: the special route, through the
// lattice question, the special menu and the bias dialog.
bool special = false;
// The left margin of the lattice sides' box, and its lines: the question of
// the sides and a line below it for a refusal.
int sides_margin = 0;
int sides_lines = 2;

// The lattice sides' questions: the width, then the depth and for a cube
// the height, each offered with a default that follows the width.
const char *
width_question()
{
    return threed ? "3d, enter width (def 9):" : "2d, enter width (def 40):";
}

std::string
side_question(const char *side, long def)
{
    char text[64];
    snprintf(text, sizeof text, " %s (def %ld):", side, def);
    return text;
}

// The sides' entries: three digits each.
constexpr int kSideDigits = 3;

// The lines of the sides' box, each entry at its longest and each default
// at its widest (the defaults follow the width typed, three digits at most).
int
sides_box_lines()
{
    std::string depth = side_question("depth", 999), height = side_question("height", 999);
    const prompt_part line[] = {
        {width_question(), kSideDigits}, {depth.c_str(), kSideDigits}, {height.c_str(), kSideDigits}};
    return prompt_parts_lines(line, threed ? 3 : 2) + 1;
}

// Moves to the next line of a prompt box.
void
prompt_line(int margin)
{
    moveto(margin, gety + CHeight);
}

// A key in a one-line prompt box: one character of text entry.
int
one_key_box(const char *text)
{
    draw_prompt_box(1);
    outtext(text);
    return input_string(1, text_entry);
}

// Shows a message on the next line and waits for a key.
void
refuse(const char *text, int margin)
{
    prompt_line(margin);
    outtext(text);
    input_string(1, text_entry);
}

// Replaces the arrays sized by the network size and k for a lattice of
// width x depth (x height), and asks k afresh in a prompt box.
void
resize_for_lattice(long width, long depth, long height)
{
    if (!tot_only) {
        free_mem_rule0();
        free_mem_all_0s_all_1s_rules();
        free_mem_rule0_extra();
    }
    checked_free(nhoodm);
    nhoodm = nullptr;
    free_mem_tcode0();
    free_mem_CA_states();

    lineL = static_cast<uint16_t>(width * depth * height);
    set_line_lengths();
    i2d = static_cast<int16_t>(width);
    j2d = static_cast<int16_t>(depth);
    if (threed) {
        i3d = static_cast<int16_t>(width);
        j3d = static_cast<int16_t>(depth);
        h3d = static_cast<int16_t>(height);
    }
    allocate_mem_CA_states();
    erase_prompt_box(sides_lines);
    select_nhood_size(1);
    char key = is[0];
    // Backing out of the k prompt leaves no k in the new array: give every
    // cell the network's k so the arrays stay consistent.
    if (key == 'q' && !nhood_mixed)
        memset(nhoodm, nhood, lineL);
    if (twod && !nhood_mixed && regular2d)
        regular2d_tgrid = hexagonal_k(nhood);
    if (!tot_only) {
        allocate_mem_rule0(nhood);
        allocate_mem_all_0s_all_1s_rules(nhood);
        allocate_mem_rule0_extra(nhood);
    }
    allocate_mem_tcode0(nhood);
    is[0] = key;
}

void
reset_wiring_choice()
{
    hyper_prob = 100;
    regular3d = regular2d_tgrid = threed = twod = defaultwiring = 0;
    nonlocal = compress_1d_local = loc_twod_fonly = regular2d = hex2d = 0;
    oned = 1;
}

// The wiring kind and flags of the lattice picked, by defaultwiring.
void
lattice_step()
{
    twod_local = 0;
    switch (defaultwiring) {
    case defaultwiring_1d:
        whatwire = whatwire_1d;
        break;
    case defaultwiring_2d:
        twod_local = 1;
        compress_1d_local = 0;
        twod = 2;
        whatwire = whatwire_2d;
        nonlocal = 1;
        break;
    case defaultwiring_3d:
        compress_1d_local = 0;
        whatwire = whatwire_3d;
        threed = 3;
        nonlocal = 1;
        break;
    default:
        compress_1d_local = 0;
        whatwire = whatwire_random;
        nonlocal = 1;
        break;
    }
}

// The lattice question of the special route, the hypercube offered first
// where the network is one, and the hypercube's wire probability typed on
// its line.
std::string
lattice_question()
{
    return std::string(hypercube_offered() ? "hypercube-h " : "") + "3d-3, 2d-2 (hex+x), 1d-def: ";
}

constexpr char kHypercubeProbability[] = " set % prob (def 100): ";

// The lines of the lattice question's box: the question and its entry, and
// the probability after them when the hypercube is offered.
int
lattice_box_lines()
{
    std::string question = lattice_question();
    const prompt_part line[] = {{question.c_str(), 2}, {kHypercubeProbability, 2}};
    return prompt_parts_lines(line, hypercube_offered() ? 2 : 1);
}

void
ask_hypercube_probability()
{
    hyper_prob = 100;
    write_prompt_part(kHypercubeProbability, 2, prompt_box_text(Maxx));
    input_string(2, text_entry);
    hyper_prob = static_cast<uint16_t>(entry_held(100, {0, 100}, true));
    nonlocal = 1;
    whatwire = whatwire_hypercube;
    // No zone confines the hypercube's wires.
    zonesize = set_max_zonesize(lineL);
    erase_prompt_box(lattice_box_lines());
}

} // namespace

bool
hexagonal_k(int k)
{
    for (int hexagonal : kHexagonalKs)
        if (k == hexagonal)
            return true;
    return false;
}

bool
hypercube_offered()
{
    if (nhood_mixed || lineL == 0 || (lineL & (lineL - 1)) != 0)
        return false;
    int d = 0;
    while ((1u << d) < lineL)
        d++;
    return nhood == d || nhood == d + 1;
}

namespace {

// The forward-only question of a regular 2d or 3d lattice, not asked for
// basin fields; 'q' there asks the menu before it again.
answer_step
ask_forward_only(const char *text)
{
    if (basinfield)
        return answer_step::next;
    erase_prompt_box(2);  // the two-line menu under it goes whole
    one_key_box(text);
    if (is[0] == 'q')
        return answer_step::again;
    if (is[0] == 'y')
        loc_twod_fonly = 1;
    return answer_step::next;
}

answer_step
take_menu(int len)
{
    char key = is[0];
    if (key == 'l') {
        whatwire = whatwire_loaded;
        nonlocal = 1;
        compress_1d_local = 0;
        erase_prompt_box(2);
        return answer_step::finish;
    }
    if (key == 's') {
        special = true;
        return answer_step::next;
    }
    if (key == '2') {
        oned = 0;
        twod = 2;
        defaultwiring = defaultwiring_2d;
        regular2d = 1;
        if (hexagonal_k(nhood) || (len > 1 && is[1] == 'x'))
            regular2d_tgrid = hex2d = 1;
    } else if (key == '3') {
        threed = 3;
        defaultwiring = defaultwiring_3d;
        oned = 0;
        regular3d = 1;
    } else if (key != 'r') {
        defaultwiring = defaultwiring_1d;
    }
    if (key == '2' || key == '3') {
        answer_step step = ask_forward_only("forwards only (uses less memory, slower)-y:");
        if (step != answer_step::next)
            return step;
    }
    lattice_step();
    return answer_step::next;
}

answer_step
take_lattice(int len)
{
    char key = is[0];
    if (key == 'h' && hypercube_offered()) {
        ask_hypercube_probability();
        return answer_step::finish;
    }
    if (key == '2') {
        twod = 2;
        if (len > 1 && is[1] == 'x')
            hex2d = 1;
    } else if (key == '3') {
        threed = 3;
    } else {
        oned = 1;
    }
    defaultwiring = defaultwiring_none;
    return answer_step::next;
}

answer_step
take_special(int)
{
    char key = is[0];
    // A regular lattice picked before a step back is not this answer's.
    regular2d = regular2d_tgrid = regular3d = 0;
    if (key == 'h') {
        whatwire = whatwire_hand;
    } else if (key == '2' && twod) {
        whatwire = whatwire_2d;
        regular2d = 1;
        if (hexagonal_k(nhood))
            regular2d_tgrid = hex2d = 1;
        return ask_forward_only("forwards only (uses less memory, slower) enter-y:");
    } else if (key == '3' && threed) {
        whatwire = whatwire_3d;
        regular3d = 1; // a regular lattice, as '2' makes a regular 2d one
        return ask_forward_only("forwards only (uses less memory, slower) enter-y:");
    } else if (key == '1') {
        whatwire = whatwire_1d;
        nonlocal = 0;
    }
    return answer_step::next;
}

// 'q' after the lattice width goes back to the lattice step: the special
// menu on the special route, else the sides again.
answer_step
back_to_lattice_step()
{
    return special ? answer_step::back : answer_step::again;
}

// The zone every random wiring starts from, and the bias dialog on the
// special route with random wiring; 'q' there goes back to the special menu.
answer_step
finish_choice()
{
    zonesize = set_max_zonesize(lineL);
    fixmidwire = fixmidwire_free;
    if (special && whatwire == whatwire_random) {
        bias_random_wiring();
        if (is[0] == 'q') {
            erase_prompt_box(4);
            return answer_step::back;
        }
    }
    return answer_step::next;
}

// The lattice sides after the width: depth and height on the same line,
// checked against the largest lattice and side, then the arrays resized and
// k asked afresh. A refused size asks the sides again.
answer_step
take_sides(int)
{
    long width = answer_or(threed ? 9 : 40);
    long depth_default = width * width <= kLargestLattice ? width : kLargestLattice / width;
    if (depth_default < 1)
        depth_default = 1;
    write_prompt_part(side_question("depth", depth_default).c_str(), kSideDigits, sides_margin);
    input_string(kSideDigits, text_entry);
    if (is[0] == 'q')
        return back_to_lattice_step();
    long depth = answer_or(depth_default);
    long height = 1;
    if (width * depth > kLargestLattice) {
        snprintf(textb[0], 150, "%ldx%ld too big! max size=%d cont-ret:", width, depth,
                 kLargestLattice);
        refuse(textb[0], sides_margin);
        return answer_step::again;
    }
    if (threed) {
        write_prompt_part(side_question("height", width).c_str(), kSideDigits, sides_margin);
        input_string(kSideDigits, text_entry);
        if (is[0] == 'q')
            return back_to_lattice_step();
        height = answer_or(width);
        if (width * depth * height > kLargestLattice) {
            snprintf(textb[0], 150, "%ldx%ldx%ld too big! max size=%d cont-ret:", width, depth,
                     height, kLargestLattice);
            refuse(textb[0], sides_margin);
            return answer_step::again;
        }
    }
    // Files keep each side in one byte, and every layout needs a side
    // of at least one cell.
    bool bad_side = width < 1 || depth < 1 || height < 1 || width > kLargestSide ||
                    depth > kLargestSide || height > kLargestSide;
    if (bad_side) {
        snprintf(textb[0], 150, "sides 1-%d only, cont-ret:", kLargestSide);
        refuse(textb[0], sides_margin);
        return answer_step::again;
    }
    if (scale * width > Maxx / 2)
        scale = static_cast<uint8_t>((Maxx / 2) / width);
    resize_for_lattice(width, depth, height);
    if (is[0] == 'q')
        return back_to_lattice_step();
    if (lineL > maxL_lu && basinfield) {
        int box = draw_prompt_box(3);
        snprintf(textb[0], 150, "size too big for basin field (max %d),", maxL_lu);
        outtext(textb[0]);
        prompt_line(box);
        outtext("changed to single basin or space-time patterns only");
        prompt_line(box);
        outtext("cont-ret:");
        basinfield = 0;
        input_string(1, text_entry);
        erase_prompt_box(3);
    }
    return finish_choice();
}

bool
on_special_route()
{
    return special;
}

bool
on_lattice()
{
    return twod || threed;
}

// The wiring options: the menu (with the forward-only question of regular
// lattices), on the special route the lattice question and the special
// menu, then the lattice sides or, for a ring, the zone and bias dialog.
// 'q' at the width starts the menu again. Each row's box replaces the one
// before, whose lower lines it takes away when it is shorter.
constexpr question kWiringRows[] = {
    question::row()
        .resets([] {
            reset_wiring_choice();
            special = false;
            sides_lines = 2;
        })
        .prompts([] {
            int margin = replace_prompt_box(2);
            outtext("WIRING: special-s load-l rand-r");
            prompt_line(margin);
            outtext("regular: 3d-3, 2d-2 (hex+x), 1d-def:");
        })
        .entry(2, text_entry)
        .then(take_menu),
    question::row()
        .when(on_special_route)
        .resets([] { oned = twod = threed = 0; })
        .prompts([] {
            int margin = replace_prompt_box(lattice_box_lines());
            write_prompt_part(lattice_question().c_str(), 2, margin);
        })
        .entry(2, text_entry)
        .then(take_lattice),
    question::row()
        .when(on_special_route)
        .resets(lattice_step)
        .prompts([] {
            int margin = replace_prompt_box(2);
            outtext("hand wire-h,");
            prompt_line(margin);
            outtext(threed ? "regular 3d-3, 2d-2 (hex+x), 1d-1, "
                    : twod ? "regular 2d-2 (hex+x), 1d-1, "
                           : "regular 1d-1, ");
            outtext("random-def:");
        })
        .entry(1, text_entry)
        .then(take_special),
    question::row()
        .when(on_lattice)
        .prompts([] {
            sides_lines = sides_box_lines();
            sides_margin = replace_prompt_box(sides_lines);
            write_prompt_part(width_question(), kSideDigits, sides_margin);
        })
        .entry(kSideDigits, text_entry)
        .then(take_sides)
        .quits(answer_step::restart),
    question::row().when([] { return !on_lattice(); }).then([](int) { return finish_choice(); }),
};

// The wiring dialog draws its own prompt boxes.
constexpr question_place kPromptBoxes = {nullptr, nullptr, false};

} // namespace

void
select_wiring_options()
{
    answer_step end = ask_questions(kWiringRows, kPromptBoxes);
    // A loaded wiring and the hypercube close their own boxes.
    if (end == answer_step::finish)
        return;
    // The sides' box where the last question was theirs, else two lines.
    erase_prompt_box(sides_lines);
    if (end == answer_step::next)
        is[0] = kKeyReturn;
}
