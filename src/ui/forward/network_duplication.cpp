// The dialog side of the network duplication (network_duplication.h), called
// by the forward-only options. The doubling itself is
// engine/forward/network_duplication.cpp; the review is the wiring editor's
// show_w_r_scheme, the seed dialog string_editors/seed_dialog.h.
#include "ui/forward/network_duplication.h"

#include "engine/forward/network_duplication.h"
#include "engine/model/globals.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/string_editors/seed_dialog.h"
#include "ui/wiring_editor/network_view.h"

bool
duplicate_net()
{
    double_network();
    show_w_r_scheme();
    moveto(static_cast<int>(xtext * CWidth), gety);
    // Over the set-up's lines, which the window would show cut at its
    // edges: they are hidden whole while it is up.
    select_seed_over_setup(bitseed, "SEED");
    return true;
}
