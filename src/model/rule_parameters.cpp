// Stand-in until the rule figures are built: computes nothing.
#include "model/rule_parameters.h"

void
z_parameter_all(int, int, uint8_t *)
{
}

void
z_parameter_all_mvalue(int, int, uint8_t *)
{
}
