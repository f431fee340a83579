// Stand-in until the sweep graphs are built: no axes are drawn; the origin
// and scales put the points in the lower right quarter of the window.
#include "ui/measures/gofe_graph.h"

#include "ui/measures/globals.h"
#include "ui/screen/globals.h"

void
gofE_z_graph()
{
    gox = static_cast<int16_t>(Maxx / 2);
    goy = static_cast<int16_t>(Maxy - 20);
    lx = Maxx / 2 - 20;
    ly = Maxy / 2 - 40;
}
