// STAND-INS until the measures are built: each does the least a forward run
// needs of it. The attractor-type and skeleton histograms record nothing.
// The entropy plot and rule sampling are entropy_plot.h and
// rule_sampling.h, the damage spread damage_plot.h. Reads the run records
// only.
#include "ui/measures/run_measures.h"

void
show_att_type_hist(skeleton_record *, damage_record *, run_iteration *, int)
{
}

void
show_frozen_skel_hist(skeleton_record *, damage_record *, run_iteration *, int)
{
}
