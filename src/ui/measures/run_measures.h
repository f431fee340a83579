// The measures a forward run feeds: the attractor-type and frozen-skeleton
// histograms. The density and entropy plots are entropy_plot.h, rule
// sampling rule_sampling.h, the rule-sample choice sample_rule.h and the
// damage spread damage_plot.h.
#pragma once
#include <cstdint>

#include "ui/measures/entropy_plot.h"
#include "ui/measures/rule_sampling.h"
#include "ui/measures/run_records.h"

// Records the attractor in att[1..attperiod] among the types and redraws
// their histogram.
void show_att_type_hist(skeleton_record *sk, damage_record *dp, run_iteration *it, int width);
// Records the skeleton in sk->frozen_buff and redraws the skeleton histogram.
void show_frozen_skel_hist(skeleton_record *sk, damage_record *dp, run_iteration *it, int width);
