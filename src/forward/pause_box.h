// The pause and options box of forward runs, where one rule can be printed,
// saved, loaded, revised or transformed.
#pragma once
#include <cstdint>

// top: its top edge; rule: the rule table or code shown. Returns 0, 1
// (restart at time 0) or 2; the last key is left in is[0].
int interrupt_stp_box(int top, uint8_t *rule, int a, int b, int c);
