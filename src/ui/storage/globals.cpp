// Definitions of the file-name buffers (allocated with the start-up buffers).
#include "ui/storage/globals.h"

#include "engine/model/start_values.h"

char *filename = nullptr;
char *filename_data = nullptr;
char *old_dir = nullptr;
char *path = nullptr;

uint8_t file_dim = 0;
int16_t file_i = 0, file_j = 0, file_h = 0;
uint16_t file_starti = 0, file_startj = 0, file_starth = 0;

uint16_t **no_glider_rules = nullptr;
uint8_t *glider_buf = nullptr;
glider_list_read glider_read;

// --- Per-run reset (globals.h).

void
reset_storage_ui_run()
{
    // Nothing to reset: every global here is a file name, the placement of
    // the last loaded file or a program-lifetime list.
}

// --- Start values (globals.h): every setting and count above, as defined.

namespace {
const start_values storage_ui_start(
    file_dim, file_i, file_j, file_h, file_starti, file_startj, file_starth);
} // namespace

void
restore_storage_ui_start_values()
{
    storage_ui_start.restore();
}
