// STAND-IN until the key panel is built: there are no running-pattern keys
// to list yet, so nothing is drawn.
#include "ui/forward/key_panel.h"

void
interrupt_key_index(entropy_graph *, run_iteration *)
{
}
