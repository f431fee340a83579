// Stand-in until the graphics settings menu is built: changes nothing.
#include "screen/graphics_menu.h"

void
revise_graphics()
{
}
