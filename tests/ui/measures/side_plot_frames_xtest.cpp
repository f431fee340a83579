// The frames beside a forward run's side plot on the window: the
// entropy-density plane and the return map stand in one place, so their
// frames and ticks are the same to the pixel (their labels differ), and a
// frame drawn with draw 0 is taken away whole.
#include "support/x_test_fixture.h"

#include <thread>
#include <vector>

#include "engine/forward/globals.h"
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

// Automatic sampling's count line with the widest count and the pause's
// entry waiting after it: the count, the suffix and the cursor end a few
// pixels inside the window's right edge.
TEST_F(SidePlotFrames, TheRuleCountLineAndItsEntryStayInsideTheWindow)
{
    const int top = vgay(3);
    std::vector<unsigned long> edge;
    std::thread typist = type_keys_looking("x\r", [&](size_t i) {
        if (i == 0) {
            edge = pixels_seen(Maxx - 5, top, 5, CHeight);
            screenshot("rule_count_line");
        }
    });
    show_sampled_rule_count(99999999, " tog pause-p:");
    input_string(1, text_entry);
    typist.join();
    ASSERT_FALSE(edge.empty());
    int ink = 0;
    for (unsigned long p : edge)
        ink += p != Color_Table[black];
    EXPECT_EQ(ink, 0) << "the line or its entry reaches the window's edge";
}

} // namespace
