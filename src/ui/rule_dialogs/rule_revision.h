// Revising the rule or code of the network from outside the set-up, and the
// load of one rule, tcode or kcode into a row for the dialogs' "load-l".
#pragma once
#include <cstdint>

// Lets the user revise rule table 0 or the current code, or with a rule mix
// the rule of cell (with outer-totalistic codes the value row cell); pass 0
// without a mix. Leaves is[0] = 0.
void revise_rule_or_code(int cell);

// Loads a single-rule file of the rule kind into row (a row of k inputs;
// last is not read; cell as for revise_rule_or_code, or Maxu). Returns the
// k of the rule now in the row, or 0 when nothing usable was loaded ('q'
// in is[0] when the user backed out of the name dialog). A file of another
// k is taken only during the set-up of a network with one k and no mix: the
// network is then rebuilt for that k (carule, cacode, v_code and the wiring
// are new) and the file's k returned. Otherwise it is refused before the
// network is touched.
int loadlast_rule_tcode_vcode(uint8_t *row, int k, int32_t last, int cell);
