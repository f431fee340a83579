// STAND-INS until the measures are built: each does the least a forward run
// needs of it. The plots draw nothing; no glider list or rule sample is
// ever loaded, so glider_rule and stat_rule change no rule and
// select_stat_filename chooses no file. Reads the run records only.
#include "ui/measures/run_measures.h"

void
entropy_eeg_plot(entropy_data *, entropy_graph *, run_iteration *, int)
{
}

void
draw_Hamming_plot(int, int)
{
}

void
draw_entgraph_frame(int, int, int, int)
{
}

void
glider_rule(run_iteration *)
{
}

uint32_t
stat_rule(int, uint32_t index, run_iteration *, int)
{
    return index;
}

int
select_stat_filename(entropy_data *)
{
    return 0;
}
