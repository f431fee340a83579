// Definitions of the rule and seed dialog settings (see globals.h).
#include "engine/rules/globals.h"

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
