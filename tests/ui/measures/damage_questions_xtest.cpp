// The damage questions on the window: a typed delay before the damage
// counts and a typed length of equal damage ending a sample are taken, and
// Return alone keeps the delay 0 and the length 5.
#include "support/x_test_fixture.h"

#include <thread>
#include <tuple>

#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "ui/measures/damage_plot.h"
#include "ui/measures/run_records.h"
#include "ui/model/cell_display.h"
#include "ui/screen/globals.h"
#include "ui/screen/window_pixels.h"

namespace {

using DamageQuestions = ScreenTest;

TEST_F(DamageQuestions, TheTypedDelayAndSameStepsAreTaken)
{
    TestNetwork net(2, 40, 3);
    setup_value_colors(1);
    att_hist = att_hist_none;
    for (const auto &[keys, delay, same] :
         {std::tuple<const char *, uint32_t, uint32_t>{"\r\r3\r7\r", 3, 7},
          {"\r\r\r\r", 0, 5}}) {
        SCOPED_TRACE(keys);
        damage_record dp = {};
        dp.delay = 99;
        dp.skeleton_length = 99;
        paced_thread typing = type_keys_paced(keys);
        setup_diff_plot(&dp);
        typing.join();
        EXPECT_EQ(dp.delay, delay);
        EXPECT_EQ(dp.skeleton_length, same);
        checked_free(dp.damage_buf);
    }
    // The frame keeps its box from the pattern's copies until a run ends.
    release_kept_area();
    checked_free(color_v);
    color_v = nullptr;
}

} // namespace
