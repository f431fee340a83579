// Revising the rule or code of the network from outside the set-up.
#pragma once

// Lets the user revise rule table 0 or the current code (mode 0 at the end
// of a field sweep).
void revise_rule_or_code(int mode);
