// Shape batches leave out a shape gathered again only where that changes no
// pixel: a repeat drawn over by a shape of another colour in between must
// still come out on top, as it does drawn shape by shape. Lines reaching far
// past the window are clipped before their cells are taken: their crossings
// inside keep the order they have drawn shape by shape. Small shapes drawn
// twice straight after, and shapes across or wholly past the window's edges
// (left out of the batch), give the picture drawn shape by shape; so do
// filled rectangles among them.
#include "support/x_test_fixture.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ui/screen/draw.h"
#include "ui/screen/draw_check.h"
#include "ui/screen/globals.h"
#include "ui/screen/shape_batch.h"
#include "ui/screen/x_state.h"

namespace {

// Tests that draw across the whole window and past its edges on purpose,
// the bottom strip with it, to compare the pixels of two ways of drawing:
// the draw check is off, and the whole window is cleared after them, so
// that no shape of theirs stays in the record for a later test's resize.
class ShapesOverTheWholeWindow : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        set_draw_check(false);
        setviewport(0, 0, Maxx, WinMaxy, 1);
    }
    void TearDown() override
    {
        setviewport(0, 0, Maxx, WinMaxy, 1);
        clearviewport();
    }
};

// At (x, y) on: a red line, a green line across it, a second red line
// across the green one (a red layer now lies above it), the first red line
// again; a white circle of diameter 2 (a field's spot), a red line through
// its middle row, the circle again; and a green line drawn twice with
// nothing in between.
void
draw_repeats(int x, int y)
{
    const int16_t across[4] = {static_cast<int16_t>(x), static_cast<int16_t>(y + 10),
                               static_cast<int16_t>(x + 40), static_cast<int16_t>(y + 10)};
    const int16_t down[4] = {static_cast<int16_t>(x + 20), static_cast<int16_t>(y),
                             static_cast<int16_t>(x + 20), static_cast<int16_t>(y + 20)};
    const int16_t lower[4] = {static_cast<int16_t>(x + 10), static_cast<int16_t>(y + 18),
                              static_cast<int16_t>(x + 30), static_cast<int16_t>(y + 18)};
    const int16_t through[4] = {static_cast<int16_t>(x + 45), static_cast<int16_t>(y + 31),
                                static_cast<int16_t>(x + 55), static_cast<int16_t>(y + 31)};
    const int16_t twice[4] = {static_cast<int16_t>(x), static_cast<int16_t>(y + 40),
                              static_cast<int16_t>(x + 30), static_cast<int16_t>(y + 45)};
    open_shape_batch();
    setcolor(lightred);
    draw_segments(across, 1);
    setcolor(green);
    draw_segments(down, 1);
    setcolor(lightred);
    draw_segments(lower, 1);
    draw_segments(across, 1);
    setcolor(white);
    draw_circle(x + 49, y + 30, 2);
    setcolor(lightred);
    draw_segments(through, 1);
    setcolor(white);
    draw_circle(x + 49, y + 30, 2);
    setcolor(green);
    draw_segments(twice, 1);
    draw_segments(twice, 1);
    close_shape_batch();
}

TEST_F(ScreenTest, RepeatedShapesComeOutOnTopAsDrawnOneByOne)
{
    setviewport(0, 0, Maxx, WinMaxy, 1);
    clearviewport();
    enable_shape_batches(false);
    draw_repeats(100, 100);
    enable_shape_batches(true);
    draw_repeats(200, 100);
    // Drawn one by one, the crossing is red and the left pixel of the
    // circle's middle row white again.
    EXPECT_EQ(window_pixel(120, 110), Color_Table[lightred]);
    EXPECT_EQ(window_pixel(149, 131), Color_Table[white]);
    for (int y = 95; y < 150; y++)
        for (int x = 95; x < 160; x++)
            ASSERT_EQ(window_pixel(x, y), window_pixel(x + 100, y)) << "at (" << x << ", " << y << ")";
    setcolor(white);
}

// Lines of four colours, each from far outside the window (up to 30000
// pixels off) across it or past one of its corners, drawn in one batch or
// one by one, seeded so both draw the same lines.
void
draw_long_lines(unsigned seed)
{
    const int colours[4] = {lightred, green, white, yellow};
    srandom(seed);
    const int w = Maxx + 1, h = WinMaxy + 1;
    auto far_coordinate = [](int size) {
        return static_cast<int16_t>(static_cast<int>(random() % 60001) - 30000 + size / 2);
    };
    open_shape_batch();
    for (int i = 0; i < 400; i++) {
        int16_t line[4];
        if (i % 2) { // from far away to a point inside or just past the window
            line[0] = far_coordinate(w);
            line[1] = far_coordinate(h);
            line[2] = static_cast<int16_t>(static_cast<int>(random() % (w + 20)) - 10);
            line[3] = static_cast<int16_t>(static_cast<int>(random() % (h + 20)) - 10);
        } else {
            for (int j = 0; j < 4; j++)
                line[j] = far_coordinate(j % 2 ? h : w);
        }
        setcolor(colours[random() % 4]);
        draw_segments(line, 1);
    }
    close_shape_batch();
}

TEST_F(ShapesOverTheWholeWindow, LongLinesCrossingTheWindowKeepTheirOrderInABatch)
{
    const int w = Maxx + 1, h = WinMaxy + 1;
    for (unsigned seed = 1; seed <= 3; seed++) {
        clearviewport();
        enable_shape_batches(false);
        draw_long_lines(seed);
        XSync(D, False); // read through the other connection
        const std::vector<unsigned long> one_by_one = pixels_seen(0, 0, w, h);
        clearviewport();
        enable_shape_batches(true);
        draw_long_lines(seed);
        XSync(D, False);
        const std::vector<unsigned long> batched = pixels_seen(0, 0, w, h);
        ASSERT_EQ(one_by_one.size(), static_cast<size_t>(w) * static_cast<size_t>(h));
        size_t differing = 0, lit = 0;
        for (size_t p = 0; p < one_by_one.size(); p++) {
            differing += one_by_one[p] != batched[p];
            lit += one_by_one[p] != one_by_one[0];
        }
        EXPECT_EQ(differing, 0u) << "seed " << seed;
        EXPECT_GT(lit, static_cast<size_t>(w)) << "the lines cross the window";
    }
    setcolor(white);
}

// Many small shapes of four colours, as a dense field draws them: spots
// (circles of diameter 2), points, and lines of 0 to 20 pixels, a third of
// them drawn twice straight after (in the same colour, or in another), and
// a band of them on, across and wholly past the window's edges. Seeded, so
// that the batch and the one-by-one drawing get the same shapes.
void
draw_small_shapes(unsigned seed)
{
    const int colours[4] = {lightred, green, white, yellow};
    srandom(seed);
    const int w = Maxx + 1, h = WinMaxy + 1;
    // Within a band of 60 pixels round the window: many off it or across.
    auto near_window = [](int size) { return static_cast<int>(random() % (size + 120)) - 60; };
    open_shape_batch();
    for (int i = 0; i < 6000; i++) {
        const int x = i % 3 ? 200 + static_cast<int>(random() % 40) : near_window(w);
        const int y = i % 3 ? 200 + static_cast<int>(random() % 40) : near_window(h);
        const int kind = static_cast<int>(random() % 3);
        const int16_t line[4] = {static_cast<int16_t>(x), static_cast<int16_t>(y),
                                 static_cast<int16_t>(x + static_cast<int>(random() % 41) - 20),
                                 static_cast<int16_t>(y + static_cast<int>(random() % 41) - 20)};
        const int repeats = random() % 3 == 0 ? 2 : 1;
        for (int r = 0; r < repeats; r++) {
            const int colour = colours[random() % 4];
            setcolor(colour);
            if (kind == 0)
                draw_circle(x, y, 2);
            else if (kind == 1)
                putpixel(x, y, colour);
            else
                draw_segments(line, 1);
        }
    }
    close_shape_batch();
}

TEST_F(ShapesOverTheWholeWindow, SmallShapesRepeatedAndOffTheWindowComeOutAsDrawnOneByOne)
{
    const int w = Maxx + 1, h = WinMaxy + 1;
    for (unsigned seed = 1; seed <= 3; seed++) {
        clearviewport();
        enable_shape_batches(false);
        draw_small_shapes(seed);
        XSync(D, False);
        const std::vector<unsigned long> one_by_one = pixels_seen(0, 0, w, h);
        clearviewport();
        enable_shape_batches(true);
        draw_small_shapes(seed);
        XSync(D, False);
        const std::vector<unsigned long> batched = pixels_seen(0, 0, w, h);
        ASSERT_EQ(one_by_one.size(), static_cast<size_t>(w) * static_cast<size_t>(h));
        size_t differing = 0, lit = 0, lit_at_edges = 0;
        for (size_t p = 0; p < one_by_one.size(); p++) {
            differing += one_by_one[p] != batched[p];
            const bool on = one_by_one[p] != one_by_one[0];
            lit += on;
            const size_t px = p % static_cast<size_t>(w), py = p / static_cast<size_t>(w);
            lit_at_edges += on && (px < 2 || py < 2 || px + 2 >= static_cast<size_t>(w) ||
                                   py + 2 >= static_cast<size_t>(h));
        }
        EXPECT_EQ(differing, 0u) << "seed " << seed;
        EXPECT_GT(lit, 1000u) << "the shapes were drawn";
        EXPECT_GT(lit_at_edges, 0u) << "some shapes cross the window's edges";
    }
    setcolor(white);
}

// Circles of 0 to 40 pixels (past the widest a batch gathers) in four
// colours over lines of other colours, on and across the window's edges,
// each drawn by draw_circle_in or by setcolor and draw_circle as in_colour
// says; seeded. Returns the colour the drawing ended with.
int
draw_coloured_circles(unsigned seed, bool in_colour)
{
    const int colours[4] = {lightred, green, white, yellow};
    srandom(seed);
    const int w = Maxx + 1, h = WinMaxy + 1;
    auto near_window = [](int size) { return static_cast<int>(random() % (size + 120)) - 60; };
    open_shape_batch();
    for (int i = 0; i < 3000; i++) {
        const int x = i % 2 ? 300 + static_cast<int>(random() % 60) : near_window(w);
        const int y = i % 2 ? 300 + static_cast<int>(random() % 60) : near_window(h);
        const int diameter = random() % 4 ? static_cast<int>(random() % 8) : static_cast<int>(random() % 41);
        const int colour = colours[random() % 4];
        if (in_colour) {
            draw_circle_in(x, y, diameter, colour);
        } else {
            setcolor(colour);
            draw_circle(x, y, diameter);
        }
        if (random() % 3 == 0) {
            const int16_t line[4] = {static_cast<int16_t>(x), static_cast<int16_t>(y),
                                     static_cast<int16_t>(x + diameter), static_cast<int16_t>(y + diameter / 2)};
            setcolor(colours[random() % 4]);
            draw_segments(line, 1);
        }
    }
    close_shape_batch();
    return getcolor();
}

TEST_F(ShapesOverTheWholeWindow, CirclesInTheirColourAreSetColourThenCircle)
{
    const int w = Maxx + 1, h = WinMaxy + 1;
    for (unsigned seed = 1; seed <= 2; seed++) {
        clearviewport();
        enable_shape_batches(false);
        const int colour_after = draw_coloured_circles(seed, false);
        XSync(D, False);
        const std::vector<unsigned long> one_by_one = pixels_seen(0, 0, w, h);
        for (bool batched : {true, false}) {
            clearviewport();
            enable_shape_batches(batched);
            EXPECT_EQ(draw_coloured_circles(seed, true), colour_after);
            XSync(D, False);
            const std::vector<unsigned long> in_colour = pixels_seen(0, 0, w, h);
            size_t differing = 0, lit = 0;
            for (size_t p = 0; p < one_by_one.size(); p++) {
                differing += one_by_one[p] != in_colour[p];
                lit += one_by_one[p] != one_by_one[0];
            }
            EXPECT_EQ(differing, 0u) << "seed " << seed << (batched ? " batched" : " one by one");
            EXPECT_GT(lit, 1000u) << "the circles were drawn";
        }
        enable_shape_batches(true);
    }
    setcolor(white);
}

// Filled rectangles in four colours among lines and spots of other colours,
// on and across the window's edges: bars of every size, some filled again
// at once or later, a bar growing a few pixels at a time as a progress bar
// fills, and now and then a stippled fill (not gathered: the batch goes
// first). A line after the batch, across the window, takes the current
// colour. Seeded.
void
draw_fills(unsigned seed)
{
    const int colours[4] = {lightred, green, white, yellow};
    srandom(seed);
    const int w = Maxx + 1, h = WinMaxy + 1;
    auto near_window = [](int size) { return static_cast<int>(random() % (size + 120)) - 60; };
    open_shape_batch();
    int grown = 100;
    for (int i = 0; i < 2000; i++) {
        const int x = i % 2 ? 300 + static_cast<int>(random() % 60) : near_window(w);
        const int y = i % 2 ? 300 + static_cast<int>(random() % 60) : near_window(h);
        const int what = static_cast<int>(random() % 6);
        if (what == 0) {
            const int16_t line[4] = {static_cast<int16_t>(x), static_cast<int16_t>(y),
                                     static_cast<int16_t>(x + static_cast<int>(random() % 41) - 20),
                                     static_cast<int16_t>(y + static_cast<int>(random() % 41) - 20)};
            setcolor(colours[random() % 4]);
            draw_segments(line, 1);
        } else if (what == 1) {
            draw_circle_in(x, y, 2, colours[random() % 4]);
        } else if (what == 2) { // the growing bar, over whatever lies there
            grown += static_cast<int>(random() % 4);
            setfillstyle(0, green);
            bar(100, 20, grown, 30);
        } else {
            const int repeats = random() % 3 == 0 ? 2 : 1;
            const int x1 = x + static_cast<int>(random() % 30) - 5, y1 = y + static_cast<int>(random() % 30) - 5;
            for (int r = 0; r < repeats; r++) {
                setfillstyle(random() % 10 ? 0 : 2, colours[random() % 4]);
                bar(x, y, x1, y1);
            }
        }
    }
    setfillstyle(0, black);
    setcolor(lightcyan);
    close_shape_batch();
    const int16_t after[4] = {0, static_cast<int16_t>(WinMaxy / 2), static_cast<int16_t>(Maxx),
                              static_cast<int16_t>(WinMaxy / 2)};
    draw_segments(after, 1);
}

TEST_F(ShapesOverTheWholeWindow, FilledRectanglesInABatchComeOutAsDrawnOneByOne)
{
    const int w = Maxx + 1, h = WinMaxy + 1;
    for (unsigned seed = 1; seed <= 3; seed++) {
        clearviewport();
        enable_shape_batches(false);
        draw_fills(seed);
        XSync(D, False);
        const std::vector<unsigned long> one_by_one = pixels_seen(0, 0, w, h);
        clearviewport();
        enable_shape_batches(true);
        draw_fills(seed);
        XSync(D, False);
        const std::vector<unsigned long> batched = pixels_seen(0, 0, w, h);
        size_t differing = 0, filled = 0;
        for (size_t p = 0; p < one_by_one.size(); p++) {
            differing += one_by_one[p] != batched[p];
            filled += one_by_one[p] != one_by_one[0];
        }
        EXPECT_EQ(differing, 0u) << "seed " << seed;
        EXPECT_GT(filled, 20000u) << "the bars were filled";
        EXPECT_EQ(window_pixel(Maxx / 3, WinMaxy / 2), Color_Table[lightcyan]) << "the line after the batch";
    }
    setcolor(white);
}

} // namespace
