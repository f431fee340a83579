// The summary of a single basin stopped early on a large network (150
// cells, rule 110), through the real program: the attractor's hex stays on
// the first line of the prompt box (shortened), nothing hangs below the box
// or runs over its right frame, and the status box the stop framed is gone
// once the options box asks.
#include "e2e/e2e_fixture.h"

namespace {

class BasinSummary : public ZemraTest {
protected:
    void stopped_basin_of_150_cells()
    {
        launch();
        answer({"r\r", "123\r", "s\r",     // fixed random seed; single basin
                "2\r", "\r", "\r", "150\r", // v = 2, no range, scale, 150 cells
                "3\r", "\r", "\r", "\r",    // k = 3, rule tables, regular 1d, one rule
                "d\r", "110\r", "\r",       // rule 110 in decimal, no transformation
                "\r", "\r", "\r", "\r",  // network view; a random seed
                "d\r", "\r", "\r", "d\r",   // basin output defaults, forward, history
                "\r", "\r", "\r"});         // draw the basin, no stack view
        int w = zemra->width();
        ASSERT_TRUE(wait_until([&] {
            return zemra->sparse_marked_pixels(w / 4, zemra->height() / 4, w / 2,
                                               zemra->height() / 3) > 100;
        })) << "no basin drawn";
        zemra->type_now("q");  // the stop prompt during the build
        answer({"q"});         // stop the basin: the summary, then the options box
        ASSERT_TRUE(zemra->wait_ready_for_key());
    }

    // Pixels of (x, y, w, h) other than background, read one by one (the
    // basin's pattern reaches the right edge, where the window's own
    // background is read).
    int marked(int x, int y, int w, int h, unsigned long background)
    {
        int count = 0;
        for (int j = y; j < y + h; j++)
            for (int i = x; i < x + w; i++)
                count += zemra->pixel(i, j) != background;
        return count;
    }

    void check_summary_box()
    {
        unsigned long background = zemra->pixel(10, zemra->height() / 2);
        int w = zemra->width();
        int bottom = zemra->prompt_box_bottom();
        ASSERT_GT(bottom, 10) << "no summary box";
        int left = (w - 1) / 2, right = w - 3;
        unsigned long frame = zemra->pixel(left, 2);
        // The right frame whole: no text runs over it.
        for (int y = 2; y <= bottom; y++)
            EXPECT_EQ(zemra->pixel(right, y), frame) << "text over the right frame at row " << y;
        // Nothing below the box in its columns.
        EXPECT_EQ(marked(left, bottom + 1, right - left + 1, 30, background), 0)
            << "text hangs below the summary box";
        // The status box at the top middle, framed by the stop, is gone.
        // (its right part: the options box covers its left one).
        int status_right = (w - 1) / 2 - 3;
        EXPECT_EQ(marked(status_right - 60, 2, 61, 1, background), 0)
            << "the stop's status box frame stays";
    }
};

TEST_F(BasinSummary, StoppedBasinOfALargeNetworkStaysInsideItsBox)
{
    stopped_basin_of_150_cells();
    check_summary_box();
}

TEST_F(BasinSummary, StoppedBasinOfALargeNetworkStaysInsideItsBoxSmallScreen)
{
    stopped_basin_of_150_cells();
    check_summary_box();
}

} // namespace
