// The presentation keys (drawing, colours, scale, scrolling, display form)
// and the frozen-cell, filter and analysis keys of a running pattern, cases
// of the key switch interrupt_stp (running_keys.h).
#pragma once

#include "ui/measures/run_records.h"

// True when the key in is[0] is one of these keys; it has then acted.
bool presentation_key(entropy_data *ae, entropy_graph *eg, run_iteration *it);
bool analysis_key(damage_record *dp, entropy_data *ae, entropy_graph *eg, run_iteration *it);
// The common re-lay of the pattern area after its size or form changed.
void relay_pattern_area(entropy_graph *eg, run_iteration *it);
