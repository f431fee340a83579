// The averages of the rule figures over a network with a rule per cell:
// the plain averages of the lambda ratio and Z, and the averages weighted
// by each cell's out-degree (how many inputs it feeds).
#pragma once

struct rule_figure_averages {
    double lratio = 0, z = 0;          // plain averages over the n cells
    double lratio_weighted = 0, z_weighted = 0; // sum of figure * out(c) / W
};

// Recounts the out-degrees, then takes each cell's rule table (carule[c]
// with a rule mix, else carule[0]) with the cell's own k. W, the number of
// wires, is the sum of every cell's k (n * nhood without a k-mix). Leaves
// zparam, lratio and the other rule figures as the last cell's (cell 0).
// Not for tot_only (no rule tables): all zero then.
rule_figure_averages average_rule_figures();
