// The forward-only options doubling an odd ring for a damage run, driven by
// typed keys: the wiring review and the seed dialog on the doubled network,
// no odd-width refusal, and the seed typed for the doubled network kept.
#include "support/x_test_fixture.h"

#include <unistd.h>

#include <thread>

#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "ui/forward/run_settings.h"
#include "ui/model/cell_display.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "support/work_dir.h"

namespace {

class NetworkDuplicationScreen : public ScreenTest {};

TEST_F(NetworkDuplicationScreen, OddRingDoubledForDamageKeepsTheTypedSeed)
{
    work_dir work;
    ASSERT_TRUE(work.enter("zemra-dup"));
    {
        TestNetwork net(2, 7, 3);
        setup_value_colors(1);
        set_state(bitseed, {1, 0, 1, 1, 0, 0, 1});
        moveto(40, 300);
        // Histograms; damage kept; duplicate; review closed; decimal seed 5
        // (cells 0 and 2 of the 14), its density accepted.
        paced_thread typing = type_keys_paced("h\rf\ry\r\rd\r5\r\r");
        forward_only_para();
        typing.join();
        EXPECT_EQ(take_typed_keys(), 0) << "keys left over";
        EXPECT_EQ(lineL, 14);
        EXPECT_EQ(nonlocal, 1);
        EXPECT_EQ(diff_plot, diff_plot_keep);
        std::vector<int> seed(14, 0);
        seed[0] = seed[2] = 1;
        EXPECT_EQ(state_values(bitseed), seed);
        for (int c = 0; c < 7; c++)
            for (int s = 0; s < 3; s++)
                EXPECT_EQ(wiring[c + 7][s], wiring[c][s] + 7);
        checked_free(color_v);
        color_v = nullptr;
        diff_plot = diff_plot_off;
    }
    EXPECT_TRUE(work.leave());
}

} // namespace
