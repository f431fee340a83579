// Stand-in until the sweep graphs are built: no axes are drawn; the origin
// and scales put the points in the lower right quarter of the window.
#include "ui/measures/gofe_graph.h"

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "ui/measures/globals.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

void
gofE_z_graph()
{
    gox = static_cast<int16_t>(Maxx / 2);
    goy = static_cast<int16_t>(Maxy - 20);
    lx = Maxx / 2 - 20;
    ly = Maxy / 2 - 40;
}

void
draw_lambda_z_graph(int /* no_bias: the point is drawn the same either way */)
{
    float x = lambda_z_graph == lambda_z_zleft_zright ? zparam[1] : zparam[0];
    float y = lambda_z_graph == lambda_z_zleft_zright ? zparam[2] : lratio;
    setfillstyle(0, white);
    pieslice(static_cast<int>(gox + x * lx), static_cast<int>(goy - y * ly), 0, 360, 2);
}
