// The value exchange of a kcode as the user asks it: the prompt for the two
// values. The conversions themselves are engine/model/rule_conversions.h.
#pragma once
#include <cstdint>

// Asks for two values and rewrites the kcode as if they were exchanged in
// every input and every output.
void swap_values_vcode(uint8_t *kcode, int k);
