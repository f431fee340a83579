// The plain and out-degree-weighted averages of the rule figures.
#include <gtest/gtest.h>

#include "engine/model/rule_parameters.h"
#include "engine/wiring_editor/weighted_rule_figures.h"
#include "engine/wiring_editor/editor_network_support.h"

namespace {

using Figures = FiguresTest;

// A ring: every cell feeds exactly k cells, so the weights are all 1/n.
TEST_F(Figures, EqualOutDegreesGiveEqualPlainAndWeightedAverages)
{
    for (int v : {2, 3}) {
        srandom(static_cast<unsigned>(v));
        MixNetwork net(v, 9, {3});
        k_matrix digits;
        for (int c = 0; c < 9; c++)
            for (int p = 0; p < 3; p++)
                wiring[c][p] = static_cast<uint16_t>((c + p + 8) % 9);
        rule_figure_averages a = average_rule_figures();
        EXPECT_GT(a.z, 0);
        EXPECT_NEAR(a.z_weighted, a.z, 1e-6);
        EXPECT_NEAR(a.lratio_weighted, a.lratio, 1e-6);
    }
}

// Every wire comes from cell 4: the weighted averages are cell 4's figures,
// the plain ones the mean over the cells.
TEST_F(Figures, OneSourceOfEveryWireWeighsAlone)
{
    srandom(5);
    MixNetwork net(2, 6, {2, 3});
    k_matrix digits;
    for (int c = 0; c < 6; c++)
        for (int p = 0; p < nhoodm[c]; p++)
            wiring[c][p] = 4;
    double z_sum = 0, l_sum = 0;
    for (int c = 0; c < 6; c++) {
        compute_rule_figures(nhoodm[c], carule[c]);
        z_sum += zparam[0];
        l_sum += lratio;
    }
    compute_rule_figures(nhoodm[4], carule[4]);
    double z4 = zparam[0], l4 = lratio;
    rule_figure_averages a = average_rule_figures();
    EXPECT_NEAR(a.z_weighted, z4, 1e-6);
    EXPECT_NEAR(a.lratio_weighted, l4, 1e-6);
    EXPECT_NEAR(a.z, z_sum / 6, 1e-6);
    EXPECT_NEAR(a.lratio, l_sum / 6, 1e-6);
}

TEST_F(Figures, RulesOfAllZerosAverageZero)
{
    srandom(6);
    MixNetwork net(2, 5, {3});
    k_matrix digits;
    for (int c = 0; c < 5; c++)
        carule[c][0] = 0;
    rule_figure_averages a = average_rule_figures();
    EXPECT_EQ(a.z, 0);
    EXPECT_EQ(a.z_weighted, 0);
}

} // namespace
