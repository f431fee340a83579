// STAND-INS until the measures are built: each does the least a forward run
// needs of it. The damage plot draws nothing; setup_diff_plot allocates a
// histogram of the preset number of columns (so the run's release at its end
// has something real to free) and asks nothing; the histograms record
// nothing; no rule sample is ever loaded, so stat_rule changes no rule. The
// entropy plot and rule sampling are entropy_plot.h and rule_sampling.h.
// Reads the run records only.
#include "ui/measures/run_measures.h"

#include "engine/model/checked_alloc.h"

void
setup_diff_plot(damage_record *dp)
{
    checked_free(dp->damage_buf);
    size_t columns = dp->columns ? dp->columns : 1;
    dp->damage_buf =
        static_cast<uint16_t *>(checked_calloc(columns + 1, sizeof(uint16_t), "dp->damage_buf"));
}

void
plot_diff_pattern(damage_record *, entropy_graph *, run_iteration *)
{
}

void
show_att_type_hist(skeleton_record *, damage_record *, run_iteration *, int)
{
}

void
show_frozen_skel_hist(skeleton_record *, damage_record *, run_iteration *, int)
{
}

uint32_t
stat_rule(int, uint32_t index, run_iteration *, int)
{
    return index;
}
