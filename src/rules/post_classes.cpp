// STAND-IN until the Post classes are built: no rule passes the test, so the
// rule box shows no " Post=" part and nothing is written.
#include "rules/post_classes.h"

int
post_func(int, const uint8_t *, int, int, int, int)
{
    return 0;
}
