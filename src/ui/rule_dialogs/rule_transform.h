// The rule-transformation dialog offered after a single rule is set.
#pragma once

// Works on the rule table of cell (0 without a rule mix). Returns 0 when no
// operation changed k, 1 after an effective-k reduction, 2 after a raise of
// k; is[0] holds the key that ended it. lines_top, when not negative, is
// where the selection dialog's lines of the rule begin in the text column
// (below its menu): after each change they are drawn again for the rule as
// it is then, as the rule box is.
int transform_rule(int cell, int lines_top = -1);
