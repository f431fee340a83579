// The rule figures as the screens ask for them: computed by the engine
// (engine/model/rule_parameters.h), optionally shown in a box.
#pragma once
#include <cstdint>

// Where the rule-figure box lies in the window: its frame's corners.
struct figure_box_place {
    int x0, y0, x1, y1;
};
figure_box_place rule_figure_box();
// Where the box of a rule revised outside the set-up lies: the lower right
// of the drawing area, left of a panel kept at its right.
figure_box_place revise_box();
// The left of the revise box's text column, ten columns in from its frame.
int revise_text_left();

// v = 2 only: writes zparam, lambda, lratio, canal, canaltotal; show draws the box.
// With v > 2 it returns at once and changes nothing.
void z_parameter_all(int k, int show, uint8_t *rule);
// The same for any value range.
void z_parameter_all_mvalue(int k, int show, uint8_t *rule);
// Writes canal and canaltotal (count_canalyzing); show writes the
// canalyzing line in the prompt box. Needs nm. Returns canaltotal.
int canalyzing(int k, int show, uint8_t *rule);
// The Z figures of a rule table without showing them: z_parameter_all for
// v = 2, z_parameter_all_mvalue otherwise.
void rule_z_figures(int k, uint8_t *rule);
