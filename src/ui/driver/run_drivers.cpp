// Stand-ins until the size-range and mutant drivers are built: they show the
// options box as those drivers do at their end.
#include "ui/driver/run_drivers.h"

#include "ui/driver/options_box.h"
#include "ui/screen/globals.h"

void
draw_range_single()
{
    finish_options(1);
}

void
draw_range_field()
{
    finish_options(1);
}

void
mutant_one_screen_single()
{
    finish_options(1);
}

