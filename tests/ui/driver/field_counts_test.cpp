// Basin counts of a field without a window that pass 16 bits: the identity
// rule on 16 cells has 2^16 fixed points, so 65,536 basins; with
// compression off every one is a basin type of its own, and the summary
// says so.
#include "ui/backward/tree_test_support.h"

#include "engine/backward/basin_totals.h"
#include "ui/driver/run_drivers.h"

namespace {

TEST(FieldCounts, BasinCountsPastSixteenBits)
{
    give_text_lines();
    for (int compress = 0; compress < 2; compress++) {
        TestNetwork net(2, 16, 3);
        reset_backward_settings();
        dontcompress = compress ? 0 : 1;
        TestNetwork::set_rule_number(204);
        basinfield = 1;
        direction = direction_forward;
        draw_field();
        SCOPED_TRACE(compress ? "compression on" : "compression off");
        EXPECT_EQ(earlyexitfield, 0);
        EXPECT_EQ(fieldsize, 1u << 16);
        EXPECT_EQ(totbasinsinfield, 1u << 16);
        EXPECT_EQ(cycles[1], 1u << 16);
        if (!compress) {
            EXPECT_EQ(basintypeno, 1u << 16);
            EXPECT_EQ(compose_field_counts(), "basin types=65536 total basins=65536\n");
        } else {
            EXPECT_LT(basintypeno, 1u << 16);
        }
        basinfield = 0;
        direction = direction_unset;
    }
}

} // namespace
