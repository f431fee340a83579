// Definitions of the rule and seed dialog settings (see globals.h).
#include "engine/rules/globals.h"

#include "engine/model/start_values.h"

uint8_t showbits_1d_as_2d = 0;

// --- Seed dialog.
uint16_t seglen = 0;
uint8_t dont_save = 0;

// --- Random and block states.
float bias_density = 50.0f;
uint8_t seed_was_set = 0;

// --- Rule mixes.
int16_t nodiffrules = 0;

// --- Canalyzing.
float cinputfreq = 0.0f;

// --- Post classes.
uint8_t ptype = ptype_any;
uint8_t pmu = post_class_any;

// --- Per-run reset (globals.h).

void
reset_rules_run()
{
    // Nothing to reset: every global here is a rule or seed setting the user chose, kept from run
    // to run.
}

// --- Start values (globals.h): every setting and count above, as defined.

namespace {
const start_values rules_start(
    showbits_1d_as_2d, seglen, dont_save, bias_density, seed_was_set, nodiffrules, cinputfreq,
    ptype, pmu);
} // namespace

void
restore_rules_start_values()
{
    rules_start.restore();
}
