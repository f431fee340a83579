// A sweeping 1d page (scrolling off: at the page end the rows start again
// at the top) of a network widened by 'i' and then made narrower by 'd',
// driven through the real program a step at a time by the time-step pause:
// the rows drawn before the keys stay as drawn, and once the sweep of the
// next page has passed them nothing of the wider rows stands right of the
// narrow pattern. Rule 51 (each cell the opposite of itself the step
// before) fills every row, whatever the network's width.
#include "e2e/e2e_fixture.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kCell = 5;                  // pixels per cell (scale 5)
constexpr int kColumns = 30 * kCell;      // the columns read: past the 22 cells of the widest rows
constexpr int kStart = 14, kWide = 22, kNarrow = 9; // the network's sizes

// The window's first kColumns columns down to the pattern area's foot, read
// in one image so that every row shows the same moment.
struct pattern_picture {
    int height = 0;
    std::vector<unsigned long> pixels;
    unsigned long ground = 0;

    bool marked(int x, int y) const { return pixels[static_cast<size_t>(y) * kColumns + x] != ground; }
    // The lowest row with a mark in columns [x0, x1): the foot of the last
    // row the sweep drew there; -1 when there is none.
    int lowest_row(int x0, int x1) const
    {
        for (int y = height - 1; y >= 0; y--)
            for (int x = x0; x < x1; x++)
                if (marked(x, y))
                    return y;
        return -1;
    }
    // The marks in columns [x0, x1) of rows [y0, y1).
    int marks(int x0, int x1, int y0, int y1) const
    {
        int count = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++)
                count += marked(x, y);
        return count;
    }
    // Whether rows [0, y1) hold the same pixels as in other.
    bool same_rows_above(const pattern_picture &other, int y1) const
    {
        const auto end = pixels.begin() + static_cast<long>(y1) * kColumns;
        return std::equal(pixels.begin(), end, other.pixels.begin());
    }
};

class NarrowedSweep : public ZemraTest {
protected:
    // Above the bottom strip, where the page's rows run.
    int area_height() { return zemra->height() - 60; }

    pattern_picture take()
    {
        pattern_picture p;
        p.height = area_height();
        p.ground = zemra->background();
        XImage *image = XGetImage(zemra->display, zemra->window, 0, 0, kColumns,
                                  static_cast<unsigned>(p.height), AllPlanes, ZPixmap);
        if (!image)
            return p;
        p.pixels.resize(static_cast<size_t>(kColumns) * static_cast<size_t>(p.height));
        for (int y = 0; y < p.height; y++)
            for (int x = 0; x < kColumns; x++)
                p.pixels[static_cast<size_t>(y) * kColumns + x] = XGetPixel(image, x, y);
        XDestroyImage(image);
        return p;
    }

    // One more step under the time-step pause, drawn when this returns.
    bool step(std::initializer_list<std::string> keys)
    {
        answer(keys);
        return zemra->wait_ready_for_key();
    }

    // From the first screen to a running sweep of a 14-cell ring of rule
    // 51 at scale 5, no plot beside it, paused after a step.
    void road_to_paused_sweep()
    {
        launch();
        answer({"r\r", "123\r", "s\r", // a fixed random seed; forward only
                "\r", "\r",           // value range 2, no size range
                "5\r", "14\r",        // scale 5, 14 cells
                "\r", "\r",           // k = 3, regular 1d
                "\r", "\r",           // rule tables, a single rule
                "d\r", "51\r",        // rule 51 by its decimal number
                "\r", "\r",           // no transformation; network view: on to the runs
                "\r", "\r", "\r",     // a random seed: the default method, accepted, density
                "s\r", "d\r"});       // space-time pattern only, layout defaults
        // Forward-only options up to "sweep space-time pattern-s", no side plot.
        answer({"\r", "\r", "\r", "\r", "\r", "s\r", "\r", "\r", "n\r", "d\r"});
        ASSERT_TRUE(wait_until([&] { return zemra->marked_pixels(0, 0, kStart * kCell, kCell) > 0; }))
            << "no pattern";
        zemra->type_now("+"); // the time-step pause
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no time-step pause";
    }
};

TEST_F(NarrowedSweep, RowsOfTheWiderNetworkGoOnceTheNextPageSweepsPast)
{
    road_to_paused_sweep();
    // The keys' rows need about 30 of the page's: with fewer left, the run
    // steps on to the next page first.
    pattern_picture p = take();
    int sweep = p.lowest_row(0, kStart * kCell);
    for (int steps = 0; area_height() - sweep < 40 * kCell; steps++) {
        ASSERT_LT(steps, area_height()) << "no page end";
        ASSERT_TRUE(step({"\r"}));
        int next = take().lowest_row(0, kStart * kCell);
        if (next < sweep) {
            sweep = next;
            break;
        }
        sweep = next;
    }
    // Eight cells added, one at a step ('o' at the pause, then the running
    // key), and three steps of the 22-cell ring.
    for (int i = 0; i < kWide - kStart; i++)
        ASSERT_TRUE(step({"o\r", "i"}));
    for (int i = 0; i < 3; i++)
        ASSERT_TRUE(step({"\r"}));
    const pattern_picture wide = take();
    const int wide_foot = wide.lowest_row(0, kColumns);
    ASSERT_GT(wide.marks(kStart * kCell, kWide * kCell, 0, wide_foot + 1), 0) << "no wider rows";
    // Thirteen cells taken away, and three steps of the 9-cell ring.
    for (int i = 0; i < kWide - kNarrow; i++)
        ASSERT_TRUE(step({"o\r", "d"}));
    for (int i = 0; i < 3; i++)
        ASSERT_TRUE(step({"\r"}));
    const pattern_picture narrowed = take();
    const int narrowed_foot = narrowed.lowest_row(0, kColumns);
    EXPECT_TRUE(narrowed.same_rows_above(wide, wide_foot + 1))
        << "the rows drawn before the cells were taken away changed";
    EXPECT_EQ(narrowed.marks(kNarrow * kCell, kColumns, narrowed_foot - 2 * kCell, narrowed_foot + 1), 0)
        << "the last rows are not of 9 cells";

    // The run goes on by itself: the page ends, and the next page's sweep
    // passes the rows the keys drew.
    answer({"q"}); // the pause ends
    int last = narrowed.lowest_row(0, kNarrow * kCell);
    bool new_page = false;
    pattern_picture passed;
    int passed_foot = -1;
    ASSERT_TRUE(wait_until([&] {
        passed = take();
        passed_foot = passed.lowest_row(0, kNarrow * kCell);
        new_page = new_page || passed_foot < last;
        last = passed_foot;
        return new_page && passed_foot > narrowed_foot;
    })) << "the next page's sweep did not pass the keys' rows";
    EXPECT_EQ(passed.marks(kNarrow * kCell, kColumns, 0, passed_foot + 1), 0)
        << "rows of the wider network stand right of the narrow pattern where the sweep passed";
    EXPECT_EQ(passed.marks(kNarrow * kCell, kColumns, passed_foot + 1, passed.height), 0)
        << "rows of the wider network stand below the sweep";
    shot("narrowed_sweep");
    zemra->type_now("q"); // the running pattern: pause box
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

} // namespace
