// random_seed on the window: the colour it leaves and returns, and the
// density line in the prompt box.
#include "support/x_test_fixture.h"

#include "engine/forward/forward_test_support.h"
#include "ui/rules/random_states.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

namespace {

class RandomSeedScreen : public ScreenTest {};

TEST_F(RandomSeedScreen, NewStateSwapsThePatternColourAndDrawsTheDensityLine)
{
    srandom(21);
    TestNetwork net(2, 100, 3);
    ncolor = 0;
    diff_plot = diff_plot_off;
    bias_density = 30.0f;
    moveto(40, 300);
    setcolor(lightred);
    EXPECT_EQ(random_seed(white, 100, 1), yellow);
    flush_display();
    EXPECT_EQ(getcolor(), white);
    EXPECT_EQ(getx, 40);
    EXPECT_EQ(gety, 300);
    EXPECT_EQ(seed_was_set, 1);
    // The prompt box is framed in red at its top-left corner.
    EXPECT_EQ(window_pixel(Maxx / 2, 2), Color_Table[red]);
    int count = 0;
    for (uint32_t c = 0; c < lineL; c++)
        count += get_value(A, c);
    EXPECT_EQ(count, 30);
    bias_density = 50.0f;
}

TEST_F(RandomSeedScreen, HammingChangeRestoresTheColourItFound)
{
    srandom(22);
    TestNetwork net(2, 40, 3);
    ncolor = 1;
    setcolor(lightred);
    std::vector<int> before = state_values(A);
    EXPECT_EQ(random_seed(yellow, 25, 0), yellow);
    EXPECT_EQ(getcolor(), lightred);
    int changed = 0;
    for (uint32_t c = 0; c < lineL; c++)
        changed += get_value(A, c) != before[c];
    EXPECT_EQ(changed, 10);
    // Mode 0 does nothing and returns ncolor.
    EXPECT_EQ(random_seed(white, 0, 0), 1);
    ncolor = 0;
}

} // namespace
