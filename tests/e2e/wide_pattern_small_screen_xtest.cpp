// Totalistic forward only on a 1024 x 768 screen (a window 925 x 694): a
// 150-cell kcode at scale 5, whose pattern is 750 pixels wide. The seed
// window holds its menu lines and leaves nothing when it closes; the key
// panel, whose place the pattern reaches, is left out rather than drawn
// under the pattern. The window is read back region by region.
#include "e2e/e2e_fixture.h"

namespace {

class WidePatternSmallScreen : public ZemraTest {
protected:
    // From the first screen to the forward-only options: a fixed seed, scale
    // 5, 150 cells, every other answer the default (the seed window among
    // them).
    void road_to_forward_only_options()
    {
        launch({"-t"});
        ASSERT_EQ(zemra->width(), 925) << "not the small screen";
        answer({"r\r", "123\r", "\r", "\r", "5\r", "150\r"});
        for (int i = 0; i < 11; i++)
            answer({"\r"});
        ASSERT_TRUE(zemra->wait_ready_for_key());
    }
};

// The seed window's first menu line, "Select SEED (v2 1d n=150), win-w
// empty-e fill-f dec-d rand-r", ran past the window's frame, and its last
// letter stayed on the screen beside where the window had been.
TEST_F(WidePatternSmallScreen, SmallScreenTheSeedWindowLeavesNothingBeside)
{
    road_to_forward_only_options();
    int maxx = zemra->width() - 1;
    // Right of the window's default width, on the rows of its menu lines,
    // below the forward-only question.
    EXPECT_EQ(zemra->marked_pixels(470, 400, maxx - 2 - 470, 60), 0) << "a piece of the seed window";
}

TEST_F(WidePatternSmallScreen, SmallScreenNoKeyPanelUnderTheWidePattern)
{
    road_to_forward_only_options();
    answer({"d\r"});  // the forward-only options' defaults: the pattern runs
    auto pattern = [&] { return zemra->marked_pixels(300, 300, 150, 10) > 0; };
    ASSERT_TRUE(wait_until(pattern)) << "no pattern";
    int maxx = zemra->width() - 1;
    // The panel's right frame ran down the window's right edge.
    EXPECT_EQ(zemra->marked_pixels(maxx - 3, 150, 3, 450), 0) << "the key panel's frame beside the pattern";
}

} // namespace
