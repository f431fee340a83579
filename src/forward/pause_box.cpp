// Stand-in until forward runs are built: the box offers nothing yet and
// returns as if left with 'q'.
#include "forward/pause_box.h"

#include "screen/globals.h"

int
interrupt_stp_box(int, uint8_t *, int, int, int)
{
    is[0] = 'q';
    return 0;
}
