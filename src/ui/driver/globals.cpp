// Definitions and start values of the driver's state (see globals.h).
#include "ui/driver/globals.h"

#include "engine/model/checked_alloc.h"
#include "engine/model/start_values.h"

uint8_t in_startbasin = 0, in_startfield = 0;
uint32_t fieldno = 0;
uint8_t toggle_single_field = 0;
int16_t Leftx = 50;

uint8_t mutate_wiring = 0;
int32_t bits_to_flip = 1;
int16_t startmut = 0, endmut = 0;
int16_t mut = 0;
// --- The size sweep's kept seed, and the per-run reset (globals.h).
uint8_t *sweep_seed = nullptr;

void
reset_driver_run()
{
    mut = static_cast<int16_t>(startmut + 1);
    fieldno = 0;
    checked_free(sweep_seed);
    sweep_seed = nullptr;
}

// --- Start values (globals.h): every setting and count above, as defined.

namespace {
const start_values driver_start(
    in_startbasin, in_startfield, fieldno, toggle_single_field, Leftx, mutate_wiring,
    bits_to_flip, startmut, endmut, mut);
} // namespace

void
restore_driver_start_values()
{
    driver_start.restore();
}
