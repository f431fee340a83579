// The glider rule list's next index (glider_index.h).
#include "engine/measures/glider_index.h"

#include <cstdlib>

int
next_glider_index(int16_t *order, int last)
{
    if (last < 1)
        return 0;
    if (*order == -1) {
        if (last == 1)
            return 1;
        long i;
        do
            i = random() % last;
        while (i == 0);
        return static_cast<int>(i);
    }
    int i = *order + 1;
    if (i > last || i < 1)
        i = 1;
    *order = static_cast<int16_t>(i >= last ? 0 : i);
    return i;
}
