// STAND-IN until the running-pattern keys are built: every key is dropped,
// as the switch does outside forward-only runs, and the final poll is made.
// Reads the screen layer's key poll only.
#include "ui/forward/running_keys.h"

#include "ui/screen/input.h"

int
interrupt_stp(damage_record *, entropy_data *, entropy_graph *, run_iteration *)
{
    return event_ready();
}
