// The boxes at the top right of a 1024 x 768 screen (a window 925 x 694)
// through the real program: the first screen's box holds its title inside
// the window, and taking a tall prompt box down leaves the text column's
// first line whole. The window is read back region by region.
#include "e2e/e2e_fixture.h"

namespace {

using TopBoxesSmallScreen = ZemraTest;

// The title line "Zemram05 Sept 2005 screen=925x694 pt=14 randseed=123" is
// wider than the box: it is broken inside it, and its erase (the seed
// prompt's one-line box replaces it) leaves nothing of it.
TEST_F(TopBoxesSmallScreen, SmallScreenFirstScreenTitleStaysInsideItsBox)
{
    launch();
    ASSERT_EQ(zemra->width(), 925) << "not the small screen";
    answer({"r\r", "123\r"});  // the seed 123: the first screen drawn again
    ASSERT_TRUE(zemra->wait_ready_for_key());
    int maxx = zemra->width() - 1;
    int bottom = zemra->prompt_box_bottom();
    ASSERT_GT(bottom, 0) << "no prompt box";
    EXPECT_EQ(zemra->marked_pixels(maxx - 1, 0, 2, bottom + 20), 0) << "the title runs past the box";
    // Its three lines of text, each marked.
    int line = (bottom - 8) / 3;
    for (int i = 0; i < 3; i++)
        EXPECT_GT(zemra->marked_pixels(maxx / 2 + 3, 5 + i * line, maxx / 2 - 8, line - 2), 20)
            << "line " << i << " of the box is empty";
    answer({"r\r"});  // the seed prompt's one-line box in place of the first box
    ASSERT_TRUE(zemra->wait_ready_for_key());
    int one_line = zemra->prompt_box_bottom();
    ASSERT_LT(one_line, bottom);
    EXPECT_EQ(zemra->marked_pixels(maxx / 2, one_line + 1, maxx / 2 + 1, bottom - one_line + 2), 0)
        << "the first box's lines below the seed prompt's box";
    EXPECT_EQ(zemra->marked_pixels(maxx - 1, 0, 2, bottom + 2), 0) << "pieces of the title left";
}

// The output parameters' four-line box stands above the first line of the
// text column ("EXIT-q, graphics setup-g, randseed-r, totalistic/forward
// only-t", from about y = 75), which runs on under the box: the line shows
// as the first screen drew it while the box is open, and still when the
// next menu's shorter box replaces it.
TEST_F(TopBoxesSmallScreen, SmallScreenTakingATallBoxDownLeavesTheColumnWhole)
{
    launch();
    answer({"r\r", "123\r"});
    ASSERT_TRUE(zemra->wait_ready_for_key());
    int maxx = zemra->width() - 1;
    // The part of the column's first line right of the middle, and the
    // rows between it and the first box.
    const int x = maxx / 2 + 1, y = 68, w = 130, h = 28;
    unsigned long long first_line = zemra->region_digest(x, y, w, h);
    ASSERT_GT(zemra->marked_pixels(x, y, w, h), 50) << "the first line does not reach the middle";
    answer({"s\r", "2\r", "\r", "4\r", "20\r", "3\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r",
            "\r", "a\r", "\r", "\r"});  // set-up, rule and seed: the output parameters
    ASSERT_TRUE(zemra->wait_ready_for_key());
    ASSERT_GT(zemra->prompt_box_bottom(), 0) << "no prompt box";
    EXPECT_EQ(zemra->region_digest(x, y, w, h), first_line) << "the box covers the line";
    answer({"s\r"});  // the next menu, in a shorter box
    ASSERT_TRUE(zemra->wait_ready_for_key());
    ASSERT_LT(zemra->prompt_box_bottom(), y) << "the next box reaches the line";
    EXPECT_EQ(zemra->region_digest(x, y, w, h), first_line) << "the line is cut";
}

} // namespace
