// The graph-layout display of a running pattern through the real program:
// the layout box's red frame stays whole while the run goes on, where the
// side plot and the lookup histogram beside the pattern run across it. The
// run is held at each step by the time-step pause, whose prompt box stands
// at the top right, so the frame is read while nothing is being drawn. On
// the default screen and, as its SmallScreen twin, on a 1024 x 768 one.
// With ZEMRA_SCREENSHOTS set, the window is saved there at the first pause.
#include "e2e/e2e_fixture.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <X11/Xutil.h>

namespace {

class GraphLayoutFrame : public ZemraTest {
protected:
    struct frame_check {
        int gaps = 0;        // pixels of the frame that are not its colour
        int left_gaps = 0;   // of them, on its left side
        int checked = 0;     // pixels looked at
    };

    // The frame at the moment, read in one image: its left side whole, its
    // bottom edge from the left side to the last of its pixels drawn (the
    // key panel covers the right of the box), its top edge up to the
    // prompt box's column.
    frame_check read_frame()
    {
        frame_check result;
        const int w = zemra->width(), h = zemra->height();
        const int x0 = static_cast<int>(140 * (w / 640.0f));
        const int y1 = static_cast<int>(430 * (h / 480.0f));
        XImage *image = XGetImage(zemra->display, zemra->window, 0, 0, static_cast<unsigned>(w),
                                  static_cast<unsigned>(h), AllPlanes, ZPixmap);
        if (!image) {
            ADD_FAILURE() << "the window could not be read";
            return result;
        }
        const unsigned long frame = XGetPixel(image, (x0 + w / 2) / 2, y1);
        EXPECT_NE(frame, zemra->background()) << "no bottom edge of the layout box";
        // The top edge: the row above the bottom one with most of the
        // frame's colour left of the prompt box.
        int y0 = 0, most = 0;
        for (int y = 1; y < y1; y++) {
            int n = 0;
            for (int x = x0; x < w / 2; x++)
                n += XGetPixel(image, x, y) == frame;
            if (n > most) {
                most = n;
                y0 = y;
            }
        }
        int right = x0;
        for (int x = x0; x < w; x++)
            if (XGetPixel(image, x, y1) == frame)
                right = x;
        auto look = [&](int x, int y, bool left) {
            result.checked++;
            if (XGetPixel(image, x, y) != frame) {
                result.gaps++;
                result.left_gaps += left;
            }
        };
        for (int y = y0; y <= y1; y++)
            look(x0, y, true);
        for (int x = x0; x <= right; x++)
            look(x, y1, false);
        for (int x = x0; x < w / 2; x++)
            look(x, y0, false);
        XDestroyImage(image);
        return result;
    }

    void frame_stays_whole(const char *shot)
    {
        launch();
        road_to_forward_pattern();
        ASSERT_TRUE(wait_for_pattern()) << "no pattern";
        zemra->type_now("q");           // the pause box
        answer({"g\r", "q", "q"});      // graph layout on; the graph, left as laid out
        zemra->type_now("+");           // the time-step pause
        for (int step = 0; step < 3; step++) {
            ASSERT_TRUE(zemra->wait_ready_for_key()) << "no time-step pause";
            if (step == 0)
                if (const char *dir = getenv("ZEMRA_SCREENSHOTS"))
                    zemra->screenshot(std::string(dir) + "/" + shot + ".png");
            frame_check frame = read_frame();
            EXPECT_GT(frame.checked, 500) << "step " << step;
            EXPECT_EQ(frame.gaps, 0) << "step " << step << ": gaps in the layout box's frame, "
                                     << frame.left_gaps << " on its left side";
            answer({"\r"});             // the next step
        }
        answer({"q"});                  // the pause ends
        zemra->type_now("q");           // pause box
        EXPECT_EQ(zemra->quit_by_steps(), 0);
    }
};

TEST_F(GraphLayoutFrame, FrameStaysWholeWhileTheRunGoesOn)
{
    frame_stays_whole("graph_layout_frame");
}

TEST_F(GraphLayoutFrame, SmallScreenFrameStaysWholeWhileTheRunGoesOn)
{
    frame_stays_whole("graph_layout_frame_small");
}

} // namespace
