// Definitions and start values of the model screens' state (see globals.h).
#include "ui/model/globals.h"

uint8_t setting_seed = 0;
int16_t tview_x0 = 0, tview_y0 = 0, tview_x1 = 0, tview_y1 = 0;
