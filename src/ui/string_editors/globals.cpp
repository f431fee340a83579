// The string editors' settings (globals.h), with their start values.
#include "ui/string_editors/globals.h"

#include "engine/model/start_values.h"

uint8_t show_2d_divs = 1;
uint8_t show_dots = 0;
uint8_t hex_cells = 0;
int16_t rot_size = 1;
int8_t fscale = 8;
int16_t start_j2d = 0;
int16_t start_h3d = 0;

void
reset_string_editors_run()
{
    // Nothing to reset: every global here is a display choice of the editors.
}

// --- Start values (globals.h): every setting and count above, as defined.

namespace {
const start_values string_editors_start(
    show_2d_divs, show_dots, hex_cells, rot_size, fscale, start_j2d, start_h3d);
} // namespace

void
restore_string_editors_start_values()
{
    string_editors_start.restore();
}
