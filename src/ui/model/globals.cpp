// Definitions and start values of the model screens' state (see globals.h).
#include "ui/model/globals.h"

#include "engine/model/start_values.h"

uint8_t setting_seed = 0;
int16_t tview_x0 = 0, tview_y0 = 0, tview_x1 = 0, tview_y1 = 0;

// --- Start values (globals.h): every setting and count above, as defined.

namespace {
const start_values model_ui_start(
    setting_seed, tview_x0, tview_y0, tview_x1, tview_y1);
} // namespace

void
restore_model_ui_start_values()
{
    model_ui_start.restore();
}
