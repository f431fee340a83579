// The rule-transformation dialog offered after a single rule is set.
#pragma once

// Works on the rule table of cell (0 without a rule mix). Returns 0 when no
// operation changed k, 1 after an effective-k reduction, 2 after a raise of
// k; is[0] holds the key that ended it.
int transform_rule(int cell);
