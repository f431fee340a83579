// Averages of the rule figures over the cells (weighted_rule_figures.h).
//
// Reads nhoodm, nhood, nhood_mixed, carule, rulemix, lineL (model/) and the
// out-degrees (wiring/); computes each cell's figures with
// compute_rule_figures (model/rule_parameters.h).
#include "engine/wiring_editor/weighted_rule_figures.h"

#include "engine/model/globals.h"
#include "engine/model/rule_parameters.h"
#include "engine/wiring/out_degrees.h"

rule_figure_averages
average_rule_figures()
{
    rule_figure_averages result;
    if (tot_only || lineL == 0 || !carule)
        return result;
    cell_out_freq();
    double wires = 0;
    for (uint32_t c = 0; c < lineL; c++)
        wires += nhood_mixed ? nhoodm[c] : nhood;
    double z_sum = 0, lratio_sum = 0;
    for (long c = long(lineL) - 1; c >= 0; c--) {
        compute_rule_figures(nhoodm[c], rulemix ? carule[c] : carule[0]);
        double z = zparam[0], out = celloutfreq[c];
        z_sum += z;
        lratio_sum += lratio;
        if (wires > 0) {
            result.z_weighted += z * out / wires;
            result.lratio_weighted += lratio * out / wires;
        }
    }
    result.z = z_sum / lineL;
    result.lratio = lratio_sum / lineL;
    return result;
}
