// STAND-IN until the rule-sample statistics browser is built: there are no
// sample files to browse yet, so the call returns at once and leaves the
// screen as it was.
#include "ui/measures/rule_stats.h"

void
load_rule_stats(int, int)
{
}
