// The frames beside a forward run's side plot on the window: the
// entropy-density plane and the return map stand in one place, so their
// frames and ticks are the same to the pixel (their labels differ), and a
// frame drawn with draw 0 is taken away whole.
#include "support/x_test_fixture.h"

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "engine/measures/count_window.h"
#include "ui/measures/entropy_plot.h"
#include "ui/measures/rule_sampling.h"
#include "ui/screen/input.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

class SidePlotFrames : public ScreenTest {
protected:
    // A forward run's density plot in a 1d display: where the frames are
    // drawn, on a cleared window.
    void SetUp() override
    {
        ScreenTest::SetUp();
        stpgraph = stpgraph_density;
        d_mode = display_1d;
        if (!IsSkipped() && !HasFailure())
            clear_drawing_area();
    }
    void TearDown() override
    {
        stpgraph = stpgraph_none;
        d_mode = display_unset;
    }
    // The frame's rectangle and its ticks, without the labels: from the y
    // ticks' left ends to the frame's right side, from its top to the x
    // ticks' lower ends.
    static std::vector<unsigned long> frame_pixels(int x0)
    {
        int left = plane_left(x0) - vgax(3), bottom = plane_bottom() + vgay(3);
        int top = plane_bottom() - vgay(200);
        window_pixel(0, 0);  // every drawing request done first
        return pixels_seen(left, top, plane_left(x0) + vgax(200) - left + 1, bottom - top + 1);
    }
    static bool all_background(const std::vector<unsigned long> &p)
    {
        for (unsigned long v : p)
            if (v != p.front())
                return false;
        return true;
    }
};

TEST_F(SidePlotFrames, PlaneAndReturnMapShareTheirFrameAndDrawZeroTakesItAway)
{
    const int x0 = 60;
    std::vector<unsigned long> empty = frame_pixels(x0);
    ASSERT_FALSE(empty.empty()) << "the window could not be read";
    ASSERT_TRUE(all_background(empty));

    draw_entgraph_frame(1, x0, 1, 0);
    std::vector<unsigned long> plane = frame_pixels(x0);
    EXPECT_FALSE(all_background(plane)) << "no frame of the plane";
    draw_entgraph_frame(0, x0, 1, 0);
    EXPECT_EQ(frame_pixels(x0), empty) << "the plane's frame was left";

    draw_Hamming_plot(1, x0);
    EXPECT_EQ(frame_pixels(x0), plane) << "the return map's frame is not the plane's";
    draw_Hamming_plot(0, x0);
    EXPECT_EQ(frame_pixels(x0), empty) << "the return map's frame was left";
}

// The rule samples' wider plane standing, and the density plane drawn in
// its place or taken down as the density plane: nothing of the wider
// frame's right part stays.
TEST_F(SidePlotFrames, AWiderFrameStandingGoesWholeUnderANarrowOne)
{
    const int x0 = 60, L = plane_left(x0);
    const int left = L + vgax(205), top = plane_bottom() - vgay(200);
    auto right_part = [&] {
        window_pixel(0, 0);
        return pixels_seen(left, top, L + vgax(256) - left + 1, plane_bottom() - top + 1);
    };
    std::vector<unsigned long> empty = right_part();
    ASSERT_FALSE(empty.empty()) << "the window could not be read";
    for (int draw : {1, 0}) {
        SCOPED_TRACE(draw);
        draw_entgraph_frame(1, x0, 2, 0);
        ASSERT_NE(right_part(), empty) << "no wide frame";
        draw_entgraph_frame(draw, x0, 0, 0);
        EXPECT_EQ(right_part(), empty) << "a piece of the wide frame was left";
        draw_entgraph_frame(0, x0, 0, 0);
    }
}

// The return map standing under the lookup histogram's columns (both on in
// a run): the bars' clear ends above its frame.
TEST_F(SidePlotFrames, TheLookupBarsClearEndsAboveAReturnMap)
{
    const int x0 = 60;
    draw_Hamming_plot(1, x0);
    std::vector<unsigned long> frame = frame_pixels(x0);
    entropy_graph eg{};
    eg.hist_x0 = static_cast<int16_t>(plane_left(x0) + vgax(20));
    eg.hist_y0 = vgay(57);
    eg.hist_right = static_cast<int16_t>(eg.hist_x0 + vgax(100));
    eg.hist_limit = static_cast<int16_t>(Maxx - 2);
    erase_lookup_bars(&eg);
    EXPECT_EQ(frame_pixels(x0), frame) << "the bars' clear cut the return map";
    draw_Hamming_plot(0, x0);
}

// Automatic sampling's count line with the widest count and the pause's
// entry waiting after it, above the plane beside a narrow pattern and beside
// one as wide as the window (the plane moved over it): the count, the
// suffix and the cursor end a few pixels inside the window's right edge.
TEST_F(SidePlotFrames, TheRuleCountLineAndItsEntryStayInsideTheWindow)
{
    const int top = plane_count_row();
    for (int x0 : {static_cast<int>(vgax(100)), static_cast<int>(Maxx) - 2}) {
        SCOPED_TRACE(x0);
        clear_drawing_area();
        std::vector<unsigned long> edge, line;
        paced_thread typist = type_keys_looking("x\r", [&](size_t i) {
            if (i == 0) {
                edge = pixels_seen(Maxx - 5, top, 5, CHeight);
                line = pixels_seen(0, top, Maxx - 5, CHeight);
                screenshot("rule_count_line_" + std::to_string(x0));
            }
        });
        show_sampled_rule_count(99999999, " tog pause-p:", x0);
        input_string(1, text_entry);
        typist.join();
        ASSERT_FALSE(edge.empty());
        auto ink = [](const std::vector<unsigned long> &pixels) {
            int n = 0;
            for (unsigned long p : pixels)
                n += p != Color_Table[black];
            return n;
        };
        EXPECT_GT(ink(line), 0) << "no count line";
        EXPECT_EQ(ink(edge), 0) << "the line or its entry reaches the window's edge";
    }
}

// The lookup histogram's second style, the slanted surface, run for many
// steps on a 14-cell ring (k = 3, one bar per index): its origin moves a
// pixel right and down each step, and where its next trace would pass the
// key panel's place or the bottom strip it starts again at its origin, so
// that nothing of it is ever drawn right of its limit or below the
// drawing area.
TEST_F(SidePlotFrames, TheSlantedLookupSurfaceStaysInsideItsArea)
{
    TestNetwork net(2, 14, 3);
    stpgraph = stpgraph_lookup_graph;
    stp = 1;
    entropy_graph eg{};
    entropy_data ae{};
    run_iteration it{};
    it.cell_size = 1;
    it.max_index = 7;
    eg.hist_mode = 2;
    eg.k = 3;
    eg.window = 1;
    eg.w1 = eg.w2 = vgax(100);
    eg.x0 = 40;
    eg.hist_x0 = static_cast<int16_t>(eg.x0 + eg.w2 + vgax(10));
    eg.hist_y0 = vgay(57);
    eg.hist_limit = static_cast<int16_t>(Maxx - vgax(135) - 2);
    count_window_allocate(&eg.lookupcount, 1, 8, "lookupcount");
    std::vector<uint16_t> oldbar(8, 0);
    eg.oldbar = oldbar.data();
    // A "panel" right of the limit, and the bottom strip below the area.
    setfillstyle(0, blue);
    bar(eg.hist_limit + 2, Maxy / 2, Maxx - 2, Maxy);
    const int strip = WinMaxy - Maxy;
    window_pixel(0, 0); // every drawing request done first
    std::vector<unsigned long> panel_before = pixels_seen(eg.hist_limit + 1, vgay(40), Maxx - 1 - eg.hist_limit, Maxy - vgay(40) + 1);
    std::vector<unsigned long> strip_before = pixels_seen(eg.hist_x0, Maxy + 1, Maxx - 2 - eg.hist_x0, strip);
    srandom(3);
    const int steps = Maxy + 200;
    for (int t = 1; t <= steps; t++) {
        it.time = static_cast<uint32_t>(t);
        uint16_t *row = count_window_newest(&eg.lookupcount);
        for (int i = 0; i < 8; i++)
            row[i] = static_cast<uint16_t>(random() % 8);
        moveto(0, 0);
        entropy_eeg_plot(&ae, &eg, &it);
        if (t == steps / 2)
            screenshot("slanted_surface");
    }
    flush_display();
    screenshot("slanted_surface_end");
    EXPECT_TRUE(pixels_seen(eg.hist_limit + 1, vgay(40), Maxx - 1 - eg.hist_limit, Maxy - vgay(40) + 1) ==
                panel_before)
        << "the surface reached the key panel's place";
    EXPECT_TRUE(pixels_seen(eg.hist_x0, Maxy + 1, Maxx - 2 - eg.hist_x0, strip) == strip_before)
        << "the surface reached the bottom strip";
    count_window_release(&eg.lookupcount);
    stp = 0;
}

} // namespace

namespace {

// The lookup histogram's bars for a wide k (k = 13: 8192 indexes in 64
// columns of 128 bars) beside a side plot of the usual width, stepped with
// random counts: nothing of them is drawn right of the histogram box's
// right edge, the side plot's width after the box's left edge.
TEST_F(SidePlotFrames, TheLookupBarsOfAWideKStayInsideTheirBox)
{
    for (int k : {5, 9, 13, 15}) {
        SCOPED_TRACE(k);
        TestNetwork net(2, 1000, 3);
        clear_drawing_area();
        stpgraph = stpgraph_lookup_bars;
        stp = 1;
        const size_t entries = size_t{1} << k;
        entropy_graph eg{};
        entropy_data ae{};
        run_iteration it{};
        it.cell_size = 1;
        it.max_index = static_cast<uint32_t>(entries - 1);
        eg.hist_mode = 1;
        eg.k = static_cast<uint8_t>(k);
        eg.window = 1;
        eg.w1 = eg.w2 = vgax(100);
        eg.x0 = 40;
        eg.hist_x0 = static_cast<int16_t>(eg.x0 + eg.w2 + vgax(10));
        eg.hist_y0 = vgay(57);
        eg.hist_right = static_cast<int16_t>(eg.hist_x0 + eg.w2);
        eg.hist_limit = static_cast<int16_t>(Maxx - 2);
        count_window_allocate(&eg.lookupcount, 1, entries, "lookupcount");
        std::vector<uint16_t> oldbar(entries, 0);
        eg.oldbar = oldbar.data();
        srandom(5);
        for (int t = 1; t <= 20; t++) {
            it.time = static_cast<uint32_t>(t);
            uint16_t *row = count_window_newest(&eg.lookupcount);
            // Each cell looks one index up in a step.
            std::fill(row, row + entries, 0);
            for (int cell = 0; cell < lineL; cell++)
                row[random() % entries]++;
            moveto(0, 0);
            entropy_eeg_plot(&ae, &eg, &it);
        }
        window_pixel(0, 0);
        screenshot("lookup_bars_k" + std::to_string(k));
        int inside = 0, outside = 0;
        for (unsigned long p : pixels_seen(eg.hist_x0, 0, eg.w2, Maxy + 1))
            inside += p != Color_Table[black];
        for (unsigned long p : pixels_seen(eg.hist_right + 1, 0, Maxx - 1 - eg.hist_right, Maxy + 1))
            outside += p != Color_Table[black];
        EXPECT_GT(inside, 0) << "no bars drawn";
        EXPECT_EQ(outside, 0) << "bars drawn right of the box";
        count_window_release(&eg.lookupcount);
        stp = 0;
    }
}

} // namespace
