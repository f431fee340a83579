// TEMPORARY bodies so the run dispatch can link; the mutation is being built.
#include "driver/mutation.h"

void
set_mutation()
{
}

void
set_bit_flips()
{
}

uint8_t
wire_move(char, uint8_t color)
{
    return color;
}

void
biased_new_rule()
{
}

int
mutate_rule(int)
{
    return 1;
}
