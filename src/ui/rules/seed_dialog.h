// The seed dialog: the one dialog that sets a state of the network.
#pragma once
#include <cstdint>

// mode 0 runs the dialog on state under label; restore puts the screen under
// it back. Returns the y of the dialog's top edge; is[0] is 'q' when the
// user backed out (the state is then as it was).
int16_t select_seed(int mode, uint8_t *state, const char *label, int restore);
