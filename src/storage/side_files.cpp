// Stand-ins until the side files are built: the k-mix file dialog behaves as
// if the user backed out of it ('q' in is[0], nothing read or written), and
// no glider rule list is read.
#include "storage/side_files.h"

#include "screen/globals.h"

uint16_t
load_save_nhoodmix(int)
{
    is[0] = 'q';
    return 0;
}

void
load_glider_buf(int)
{
}
