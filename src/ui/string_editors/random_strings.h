// Random strings: the "rnd-r" method of the seed, rule and code dialogs. A
// state, rule table or code is filled at random at an exact density, drawn
// as cells with its readouts, and reshaped by keys until accepted.
#pragma once
#include <cstdint>

#include "ui/model/rule_parameters.h"

// k inputs; b the central block of a state (0 none); kind 0 a state, 1 a
// rule table, 2 a code (tcode or kcode by totalistic); show_hex nonzero
// shows the hex readout (v = 2); last the last entry index. The string is
// written in place; is[0] is 'q' when the user backed out (the string keeps
// its last form: the caller restores its own copy). The current point is
// left where the last hex readout began.
void random_bits(int k, int b, int kind, int show_hex, uint8_t *string, int last);

// The Z nudge of a rule table (engine/rules/string_edits.h nudge_rule_z),
// each try's Z shown in the rule-figures box: dir 'Z' up, 'z' down.
void change_Z(uint8_t *rule, int k, char dir);

// Where a rule table's or code's density line has its box, below the
// rule-figure box.
figure_box_place density_box();
