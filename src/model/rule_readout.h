// The rule box at the bottom of the window, redrawn after every rule change.
#pragma once
#include <cstdint>

// Redraws the rule box for neighbourhood size k, showing rule (or cell's code).
void show_rule_bottom(int k, int outflag, uint8_t *rule, int cell);
