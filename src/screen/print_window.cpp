// Stand-in until printing is built: tells the user it is not available yet.
#include "screen/print_window.h"

#include <cstdio>

void
printimage()
{
    fputs("\nprinting is not available in this build\n", stderr);
}
