// Stand-in until the rule dialogs are built: the rule stays as it is.
#include "ui/rules/rule_revision.h"

void
revise_rule_or_code(int)
{
}
