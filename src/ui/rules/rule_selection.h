// The rules stage of the set-up: the rule table or code of the network.
#pragma once
#include <cstdint>

// Sets rule table 0, or tcode 0 / kcode 0 with the rule table made from it;
// 'q' in is[0] to step back. Returns the y of the text line below it.
int16_t rule_selection();
