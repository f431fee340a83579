// The wire-up of the whole network as the set-up runs it: the wiring kind's
// dialog or the engine's wire-up (engine/wiring/wire_up.h), then the network
// view; and the change of k of cells asked from the wiring editors.
#pragma once
#include "engine/wiring_editor/cells_in_reach.h"

// Wires every cell for whatwire, recounts the out-degrees and, with show 1,
// opens the network view (not for a plain regular 1d or 2d lattice picked on
// the first menu line). 'q' in is[0] when a load or the 1d question was
// backed out.
void wire_up_network(int show);
// Asks a new k for the cells in reach (the cursor cell or the block) and
// rewires them keeping the inputs the user had moved; trim 1 also clears
// the dropped entries of the cells' own rule rows.
void reset_k(int trim, const cells_in_reach &reach);
