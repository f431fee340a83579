// Stand-in until the rule readout is built: draws nothing.
#include "model/rule_readout.h"

void
show_rule_bottom(int, int, uint8_t *, int)
{
}
