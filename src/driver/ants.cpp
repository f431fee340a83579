// Stand-in until the ants demonstration is built: returns at once.
#include "driver/ants.h"

void
new_ant()
{
}
