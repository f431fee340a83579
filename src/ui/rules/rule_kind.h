// The rule-kind stage of the set-up: rule tables, tcodes or kcodes.
#pragma once

// Sets totalistic and outer_tot; 'q' in is[0] to step back.
void select_totalistic();
