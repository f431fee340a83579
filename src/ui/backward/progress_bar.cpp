// Stand-in until the tree drawings are built: the progress bar is a plain
// frame in the band below the status box, from the middle of the window to
// its right edge.
#include "ui/backward/progress_bar.h"

#include "ui/backward/globals.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

void
progress_bar()
{
    barxl = static_cast<int16_t>(Maxx / 2);
    barxr = static_cast<int16_t>(Maxx - 2);
    baryt = static_cast<int16_t>(vgay(30));
    baryb = static_cast<int16_t>(vgay(30) + vgay(9));
    setcolor(white);
    rectangle(barxl, baryt, barxr, baryb);
}
