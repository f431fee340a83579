// Powers of v for the rotation of ring state numbers (number_rotation.h).
#include "engine/backward/number_rotation.h"

#include "engine/model/globals.h"

bool
start_number_rotation(number_rotation &r)
{
    if (lineL == 0 || lineL > 32 || value_range < 2)
        return false;
    uint64_t p = 1;
    for (uint32_t c = 0; c < lineL; c++) {
        p *= value_range;
        if (p > (uint64_t(1) << 32))
            return false;
    }
    r.cells = lineL;
    r.powers[0] = 1;
    for (uint32_t c = 1; c <= lineL; c++)
        r.powers[c] = r.powers[c - 1] * value_range;
    return true;
}
