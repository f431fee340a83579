// Stand-in until the in-degree histogram is built: it shows nothing yet.
#include "ui/driver/run_drivers.h"

void
show_pre_fansize_freq_hist()
{
}

