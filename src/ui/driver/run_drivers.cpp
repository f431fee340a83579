// Stand-ins until the basin drivers are built: a field draws nothing and ends as if
// the user pressed Return; the drivers that show the options box themselves
// (size ranges, mutants on one screen) show it.
#include "ui/driver/run_drivers.h"

#include "engine/backward/globals.h"
#include "ui/driver/options_box.h"
#include "ui/screen/globals.h"

namespace {

void
take_defaults()
{
    is[0] = kKeyReturn;
}

} // namespace

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

void
draw_field()
{
    fieldgofEdensity = 0;
    earlyexitfield = 0;
    take_defaults();
}

void
show_pre_fansize_freq_hist()
{
}

void
print_field_data()
{
}
