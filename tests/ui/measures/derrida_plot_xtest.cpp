// The Derrida plot on the window, called from the test process: a sweep of
// a random k = 3 network of 20 cells with the default parameters, its
// completion, a redraw from the menu, and on leaving the region under the
// plot and the prompt box's place as they were. With ZEMRA_SCREENSHOTS
// naming a folder, the window is saved there at the completion prompts.
#include "support/x_test_fixture.h"

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "engine/backward/backward_test_support.h"
#include "engine/measures/derrida.h"
#include "ui/measures/derrida_plot.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

class DerridaPlot : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        give_rule_figures();
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }
};

TEST_F(DerridaPlot, SweepCompletesRedrawsAndPutsTheScreenBack)
{
    TestNetwork net(2, 20, 3);
    srandom(29);
    wire_at_random(false);
    random_rules(false);
    // Something under the plot and under the prompt box, to see it come back.
    setfillstyle(0, blue);
    bar(Maxx / 2 - 10, Maxy - vgay(200), Maxx / 2 + 40, Maxy - vgay(150));
    bar(Maxx - 60, 10, Maxx - 10, 30);
    flush_display();
    unsigned long plot_before = window_pixel(Maxx / 2 + 20, Maxy - vgay(175));
    unsigned long prompt_before = window_pixel(Maxx - 30, 20);
    unsigned long black_before = window_pixel(Maxx / 2 + vgax(200), Maxy - vgay(100));

    // Menu: sweep; the seven parameters as they are; completion: back to
    // the menu; redraw; completion: leave.
    const std::string keys = "\r\r\r\r\r\r\r\rr\rr\rx\r";
    paced_thread typist = type_keys_looking(keys, [&](size_t i) {
        if (i == 8)
            screenshot("derrida_complete");
        if (i == 10)
            screenshot("derrida_menu");
        if (i == 12)
            screenshot("derrida_redrawn");
    });
    draw_Derrida_plot();
    typist.join();
    EXPECT_EQ(window_pixel(Maxx / 2 + 20, Maxy - vgay(175)), plot_before);
    EXPECT_EQ(window_pixel(Maxx - 30, 20), prompt_before);
    EXPECT_EQ(window_pixel(Maxx / 2 + vgax(200), Maxy - vgay(100)), black_before);
    undo_rule_mix();
}

TEST_F(DerridaPlot, QuitAtTheParametersReturnsToTheMenu)
{
    TestNetwork net(2, 12, 3);
    TestNetwork::set_rule_number(110);
    unsigned long frame_before = window_pixel(Maxx / 2, Maxy - vgax(50));
    // Menu: on to the parameters; maxH kept; 'q' at the sample: back to the
    // menu, where 'q' leaves.
    paced_thread typist = type_keys_paced("\r\rqq");
    draw_Derrida_plot();
    typist.join();
    EXPECT_EQ(window_pixel(Maxx / 2, Maxy - vgax(50)), frame_before);
}

// The frame at the plot's place (the middle of the window, its origin
// vgax(50) above the bottom, 300 by 300 in 640x480 units): the y label
// "H(t+)" ends left of the ticks, so that nothing of it is drawn between
// the ticks, over the plot's left edge or inside the plot.
TEST_F(DerridaPlot, TheYLabelEndsLeftOfTheTicks)
{
    const int x0 = Maxx / 2, y0 = Maxy - vgax(50), w = vgax(300), h = vgay(300);
    draw_general_graph_frame(0, 0, static_cast<short>(x0), static_cast<short>(y0),
                             static_cast<short>(w), static_cast<short>(h), 10, 10, 1.0);
    flush_display();
    const int left = x0 - vgax(3) - 1, top = y0 - h / 2 + 1;
    std::vector<unsigned long> band = pixels_seen(left, top, x0 + 4 - left, CHeight - 1);
    int inked = 0;
    for (int row = 0; row < CHeight - 1; row++) {
        bool tick_row = (y0 - (top + row)) % (h / 10) == 0;
        for (int col = 0; col < x0 + 4 - left; col++) {
            int x = left + col;
            if (x == x0 || (tick_row && x < x0))
                continue; // the plot's left edge, a tick
            inked += band[static_cast<size_t>(row) * (x0 + 4 - left) + col] != Color_Table[black];
        }
    }
    EXPECT_EQ(inked, 0) << "the y label reaches the ticks or the plot";
}

} // namespace
