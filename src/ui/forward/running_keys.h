// The key switch of a running space-time pattern: every key but 'q' pressed
// while a forward-only run goes on changes one thing on the fly: the update
// mode, the rule, the rule sample, the wiring, the seed and the network size
// here, the presentation and analysis keys in display_keys.h.
#pragma once
#include <cstdint>

#include "ui/measures/run_records.h"

// Acts on the key in is[0]; ends with event_ready and returns its result (a
// key pressed meanwhile is then in is[0]).
int interrupt_stp(damage_record *dp, entropy_data *ae, entropy_graph *eg, run_iteration *it);

// The driver's network changes the keys call, registered at start-up
// (ui/driver/startup.cpp): whether one cell can be added (1) or removed (-1),
// the wiring, k-mix and rule rows of the cell added or removed, and the wire
// mover of 'm' and 'W'. Keys needing one that is not registered do nothing.
struct network_change_hooks {
    bool (*can_resize_by_one)(int flag);
    void (*wire_rule_extra_cell)(int flag);
    uint8_t (*wire_move)(char mode, uint8_t colour);
};
void set_network_change_hooks(const network_change_hooks &hooks);

// What follows a change of rule, update mode or wiring: restart (the
// state-space matrix cleared and the step count restarted), recolour (and
// the plotted points' colour moved on), or full (and a new random state for
// the entropy-density plot, the damage copy cleared). Each marks the
// network changed (it->network_changed), as the size keys do, so that the
// run makes its last step again on the changed network.
enum class rule_tail { restart, recolour, full };
// The forward run's matrix box drawn again, empty and whole, over the run.
void show_matrix_over_run(const run_iteration *it);
void rule_change_tail(entropy_graph *eg, run_iteration *it, rule_tail steps);
// The value-1 colour of color_v swapped between white and yellow (ncolor 0,
// v = 2), both colour keys redrawn.
void swap_value1_colour();
// The graph layout's tables for lineL cells: a position pair and a node size
// per cell (one spare), and a colour per cell.
void allocate_graph_layout_tables();
