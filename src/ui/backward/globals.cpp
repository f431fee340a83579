// Definitions of the globals of ui/backward (see globals.h).
#include "ui/backward/globals.h"

#include "engine/model/start_values.h"

int16_t barxl = 0, barxr = 0, baryt = 0, baryb = 0;
uint8_t linec = 0, spotc = 0;
uint32_t matrixx = 0, matrixy = 0;
int16_t pp_startx0 = 0, pp_starty0 = 0, pp_widthx = 0, pp_depthy = 0;
int16_t pp_bartotw = 0, pp_barwidth = 0, pp_startx = 0, pp_starty = 0, pp_divy = 1;
int16_t pp_heighty = 0;

// --- Start values (globals.h): every setting and count above, as defined.

namespace {
const start_values backward_ui_start(
    barxl, barxr, baryt, baryb, linec, spotc, matrixx, matrixy, pp_startx0, pp_starty0,
    pp_widthx, pp_depthy, pp_bartotw, pp_barwidth, pp_startx, pp_starty, pp_divy, pp_heighty);
} // namespace

void
restore_backward_ui_start_values()
{
    backward_ui_start.restore();
}
