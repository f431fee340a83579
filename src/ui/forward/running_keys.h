// The key switch of a running space-time pattern: every key but 'q' pressed
// while a forward-only run goes on changes one thing on the fly.
#pragma once
#include "ui/measures/run_records.h"

// Acts on the key in is[0]; ends with event_ready and returns its result (a
// key pressed meanwhile is then in is[0]).
int interrupt_stp(damage_record *dp, entropy_data *ae, entropy_graph *eg, run_iteration *it);
