// The wiring options dialog, a small state machine over its prompts: the
// first menu line (special, load, random, regular 3d/2d/1d), the forward-only
// questions for lattices, the lattice question and special wiring menu, and
// the lattice sizes, which replace the size-dependent arrays (state lines,
// rules, codes, k-mix) and ask k again. It wires nothing: wire_up_network
// does that afterwards. Reads the random-wiring bias dialog of this folder.
#include "ui/wiring/wiring_menu.h"

#include <cstdio>
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "ui/model/nhood_size.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "engine/wiring/globals.h"
#include "ui/wiring/random_wiring.h"
#include "engine/model/network_shape.h"

namespace {

enum class wiring_step {
    menu_start,
    first_forward_only,
    lattice_step,
    lattice_question,
    special_menu,
    special_forward_only,
    sizes,
    final_step,
    done,
};

constexpr int kLargestLattice = 65025;
constexpr int kLargestSide = 255;
constexpr int kHexagonalKs[] = {6, 7, 10, 15, 18, 19, 22};

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
    return input_string(1, 0);
}

// Shows a message on the next line and waits for a key.
void
refuse(const char *text, int margin)
{
    prompt_line(margin);
    outtext(text);
    input_string(1, 0);
}

// A lattice side typed at a prompt: the default for Return, else the number.
long
typed_side(long fallback)
{
    return is[0] == kKeyReturn ? fallback : entry_number();
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
    erase_prompt_box(2);
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

// The lattice sizes: the step that follows (final step, or back to the
// menu start or the lattice step on 'q').
wiring_step
lattice_sizes()
{
    for (;;) {
        int margin = draw_prompt_box(2);
        outtext(threed ? "3d, enter width (def 9):" : "2d, enter width (def 40):");
        input_string(3, 0);
        if (is[0] == 'q')
            return wiring_step::menu_start;
        long width = typed_side(threed ? 9 : 40);
        long depth_default = width * width <= kLargestLattice ? width : kLargestLattice / width;
        if (depth_default < 1)
            depth_default = 1;
        snprintf(textb[0], 150, " depth (def %ld):", depth_default);
        outtext(textb[0]);
        input_string(3, 0);
        if (is[0] == 'q')
            return wiring_step::lattice_step;
        long depth = typed_side(depth_default);
        long height = 1;
        if (width * depth > kLargestLattice) {
            snprintf(textb[0], 150, "%ldx%ld too big! max size=%d cont-ret:", width, depth,
                     kLargestLattice);
            refuse(textb[0], margin);
            continue;
        }
        if (threed) {
            snprintf(textb[0], 150, " height (def %ld):", width);
            outtext(textb[0]);
            input_string(3, 0);
            if (is[0] == 'q')
                return wiring_step::lattice_step;
            height = typed_side(width);
            if (width * depth * height > kLargestLattice) {
                snprintf(textb[0], 150, "%ldx%ldx%ld too big! max size=%d cont-ret:", width,
                         depth, height, kLargestLattice);
                refuse(textb[0], margin);
                continue;
            }
        }
        // Files keep each side in one byte, and every layout needs a side
        // of at least one cell.
        bool bad_side = width < 1 || depth < 1 || height < 1 || width > kLargestSide ||
                        depth > kLargestSide || height > kLargestSide;
        if (bad_side) {
            snprintf(textb[0], 150, "sides 1-%d only, cont-ret:", kLargestSide);
            refuse(textb[0], margin);
            continue;
        }
        if (scale * width > Maxx / 2)
            scale = static_cast<uint8_t>((Maxx / 2) / width);
        resize_for_lattice(width, depth, height);
        if (is[0] == 'q')
            return wiring_step::lattice_step;
        if (lineL > maxL_lu && basinfield) {
            int box = draw_prompt_box(3);
            snprintf(textb[0], 150, "size too big for basin field (max %d),", maxL_lu);
            outtext(textb[0]);
            prompt_line(box);
            outtext("changed to single basin or space-time patterns only");
            prompt_line(box);
            outtext("cont-ret:");
            basinfield = 0;
            input_string(1, 0);
            erase_prompt_box(3);
        }
        return wiring_step::final_step;
    }
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
    case 1:
        whatwire = 1;
        break;
    case 2:
        twod_local = 1;
        compress_1d_local = 0;
        twod = 2;
        whatwire = 2;
        nonlocal = 1;
        break;
    case 3:
        compress_1d_local = 0;
        whatwire = 6;
        threed = 3;
        nonlocal = 1;
        break;
    default:
        compress_1d_local = 0;
        whatwire = 0;
        nonlocal = 1;
        break;
    }
}

// The hypercube's wire probability, typed on the lattice question's line.
void
ask_hypercube_probability()
{
    hyper_prob = 100;
    outtext(" set % prob (def 100): ");
    input_string(2, 0);
    long typed = entry_number();
    if (is[0] != kKeyReturn && typed >= 0 && typed <= 100)
        hyper_prob = static_cast<uint16_t>(typed);
    nonlocal = 1;
    whatwire = 5;
    erase_prompt_box(1);
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

void
select_wiring_options()
{
    wiring_step step = wiring_step::menu_start;
    bool special = false;
    while (step != wiring_step::done) {
        switch (step) {
        case wiring_step::menu_start: {
            reset_wiring_choice();
            special = false;
            int margin = draw_prompt_box(2);
            outtext("WIRING: special-s load-l rand-r");
            prompt_line(margin);
            outtext("regular: 3d-3, 2d-2 (hex+x), 1d-def:");
            int len = input_string(2, 0);
            char key = is[0];
            if (key == 'q') {
                erase_prompt_box(2);
                return;
            }
            if (key == 'l') {
                whatwire = 4;
                nonlocal = 1;
                compress_1d_local = 0;
                erase_prompt_box(2);
                return;
            }
            if (key == '2') {
                oned = 0;
                twod = 2;
                defaultwiring = 2;
                regular2d = 1;
                if (hexagonal_k(nhood) || (len > 1 && is[1] == 'x'))
                    regular2d_tgrid = hex2d = 1;
                step = wiring_step::first_forward_only;
            } else if (key == '3') {
                threed = 3;
                defaultwiring = 3;
                oned = 0;
                regular3d = 1;
                step = wiring_step::first_forward_only;
            } else if (key == 'r') {
                step = wiring_step::lattice_step;
            } else if (key == 's') {
                special = true;
                step = wiring_step::lattice_question;
            } else {
                defaultwiring = 1;
                step = wiring_step::lattice_step;
            }
            break;
        }
        case wiring_step::first_forward_only:
        case wiring_step::special_forward_only: {
            bool first = step == wiring_step::first_forward_only;
            step = first ? wiring_step::lattice_step : wiring_step::sizes;
            if (basinfield)
                break;
            one_key_box(first ? "forwards only (uses less memory, slower)-y:"
                              : "forwards only (uses less memory, slower) enter-y:");
            if (is[0] == 'q')
                step = first ? wiring_step::menu_start : wiring_step::lattice_step;
            else if (is[0] == 'y')
                loc_twod_fonly = 1;
            break;
        }
        case wiring_step::lattice_step:
            lattice_step();
            step = special ? wiring_step::special_menu : wiring_step::sizes;
            break;
        case wiring_step::lattice_question: {
            oned = twod = threed = 0;
            draw_prompt_box(1);
            bool offered = hypercube_offered();
            if (offered)
                outtext("hypercube-h ");
            outtext("3d-3, 2d-2 (hex+x), 1d-def: ");
            int len = input_string(2, 0);
            char key = is[0];
            if (key == 'q') {
                step = wiring_step::menu_start;
                break;
            }
            if (key == 'h' && offered) {
                ask_hypercube_probability();
                return;
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
            defaultwiring = 0;
            step = wiring_step::lattice_step;
            break;
        }
        case wiring_step::special_menu: {
            int margin = draw_prompt_box(2);
            outtext("hand wire-h,");
            prompt_line(margin);
            outtext(threed ? "regular 3d-3, 2d-2 (hex+x), 1d-1, "
                    : twod ? "regular 2d-2 (hex+x), 1d-1, "
                           : "regular 1d-1, ");
            outtext("random-def:");
            input_string(1, 0);
            char key = is[0];
            step = wiring_step::sizes;
            if (key == 'q') {
                step = wiring_step::lattice_question;
            } else if (key == 'h') {
                whatwire = 3;
            } else if (key == '2' && twod) {
                whatwire = 2;
                regular2d = 1;
                if (hexagonal_k(nhood))
                    regular2d_tgrid = hex2d = 1;
                step = wiring_step::special_forward_only;
            } else if (key == '3' && threed) {
                whatwire = 6;
                step = wiring_step::special_forward_only;
            } else if (key == '1') {
                whatwire = 1;
                nonlocal = 0;
            }
            break;
        }
        case wiring_step::sizes:
            step = twod || threed ? lattice_sizes() : wiring_step::final_step;
            break;
        case wiring_step::final_step:
            zonesize = lineL;
            if (twod)
                zonesize = static_cast<uint16_t>(i2d < j2d ? i2d : j2d);
            if (threed) {
                int least = i3d < j3d ? i3d : j3d;
                zonesize = static_cast<uint16_t>(least < h3d ? least : h3d);
            }
            fixmidwire = 0;
            step = wiring_step::done;
            if (special && whatwire == 0) {
                bias_random_wiring();
                if (is[0] == 'q') {
                    erase_prompt_box(4);
                    step = wiring_step::lattice_step;
                }
            }
            break;
        case wiring_step::done:
            break;
        }
    }
    erase_prompt_box(2);
    is[0] = kKeyReturn;
}
