// The set-up's wire-up of the whole network (wire_up.h): by wiring kind the
// hypercube dialog, a wiring file (storage/), the hand matrix, the question
// of a regular 1d network, or the engine's wire-up (random, regular 1d, 2d
// and 3d lattices); then the out-degrees and the network view of this
// folder. Also the prompt for a new k of cells from the wiring editors.
// Start at wire_up_network.
#include "ui/screen/question_table.h"
#include "ui/wiring_editor/wire_up.h"

#include <cstdio>
#include <cstring>

#include "engine/model/globals.h"
#include "engine/model/network_shape.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_wireup.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring/wire_up.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/storage/network_files.h"
#include "ui/wiring/hand_matrix.h"
#include "ui/wiring/hypercube.h"
#include "ui/wiring_editor/network_view.h"

namespace {

// The question of a regular 1d network picked from the special menu: false
// when it was backed out.
bool
ask_regular_1d_treatment()
{
    draw_prompt_box(1);
    outtext("treat regular 1d as random wiring-1, and compress-2:");
    input_string(1, text_entry);
    erase_prompt_box(1);
    if (is[0] == 'q')
        return false;
    if (is[0] == '1' || is[0] == '2')
        nonlocal = 1;
    if (is[0] == '2')
        compress_1d_local = 1;
    return true;
}

} // namespace

void
wire_up_network(int show)
{
    memset(celloutfreq, 0, sizeof(uint16_t) * lineL);
    switch (whatwire) {
    case whatwire_hypercube:
        hypercube();
        break;
    case whatwire_loaded:
        wire_up_regular_1d();
        if (static_cast<int8_t>(load_save_wrs('l', nullptr, 1)) <= 0) {
            is[0] = 'q';
            return;
        }
        nhood_lb_ub();
        nhood_mixed = nhood_lb != nhood_ub;
        break;
    case whatwire_random:
        wire_up_random();
        break;
    case whatwire_hand:
        wiring_matrix();
        break;
    case whatwire_1d:
        compress_1d_local = 0;
        if (nhood_mixed)
            nonlocal = 1;
        else if (defaultwiring == defaultwiring_none && !ask_regular_1d_treatment()) {
            is[0] = 'q';
            return;
        }
        wire_up_regular_1d();
        break;
    case whatwire_2d:
        wire_up_lattice(2);
        break;
    case whatwire_3d:
        wire_up_lattice(3);
        break;
    default:
        break;
    }
    cell_out_freq();
    bool plain_lattice =
        (defaultwiring == defaultwiring_1d || defaultwiring == defaultwiring_2d) && !nhood_mixed;
    if (show == 1 && !plain_lattice)
        show_w_r_scheme();
}

void
reset_k(int trim, const cells_in_reach &reach)
{
    if (tot_only)
        return;
    erase_prompt_box(6);
    draw_prompt_box(1);
    snprintf(textb[0], 150, "reset nhood size k (1-%d):", nhood);
    outtext(textb[0]);
    input_string(2, text_entry);
    // Held to 1..k; no number (0) changes nothing.
    change_k_of_cells(reach, trim, static_cast<long>(entry_held(0, {1, static_cast<double>(nhood)}, true)));
}
