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
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

using DerridaPlot = ClearedWindowTest;

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

// Set-up lines in the text column, long enough to reach under the plot's
// box: while the plot is up the lines its box reaches are hidden whole,
// none shows its left part cut at the box's edge, and they come back when
// it closes.
TEST_F(DerridaPlot, TheSetUpLinesItsBoxReachesAreHiddenWholeNotCut)
{
    TestNetwork net(2, 12, 3);
    TestNetwork::set_rule_number(110);
    const std::string line = "Network size 1d (other: see WIRING) max to fit 170, def 14:" +
                             std::string(" and more words to reach the box");
    const int left = vgax(50), top = text_column_top();
    setcolor(white);
    for (int y = top; y + CHeight < Maxy / 2; y += CHeight) {
        moveto(left, y);
        outtext(line.c_str());
    }
    flush_display();
    const int box_left = Maxx / 2 - vgax(30);
    std::vector<unsigned long> before = pixels_seen(left, top, box_left - left, Maxy / 2 - top);
    int ink_beside = -1;
    paced_thread typist = type_keys_looking("q", [&](size_t) {
        // Left of the box, in the rows of the box's top and below it.
        int ink = 0;
        const int from = Maxy - vgax(50) - vgay(300) - vgay(20);
        for (unsigned long p : pixels_seen(left, from, box_left - left, Maxy / 2 - from))
            ink += p != Color_Table[black];
        ink_beside = ink;
        screenshot("derrida_over_setup");
    });
    draw_Derrida_plot();
    typist.join();
    window_pixel(0, 0); // every drawing request done first
    EXPECT_EQ(ink_beside, 0) << "a line the box reaches shows beside it";
    EXPECT_EQ(pixels_seen(left, top, box_left - left, Maxy / 2 - top), before)
        << "the lines did not come back";
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

// An odd maxH or sample leaves the prompts' first line showing the value
// held, as if it had been typed: "abcd" keeps maxH at 1 and "-5" holds the
// sample at 1; "1e-9" holds maxH at one distance of the 12 cells (0.0833)
// and "0" the sample at 1. At both window sizes. 'q' at the iterations goes
// back to the menu, where 'q' leaves.
TEST_F(DerridaPlot, AnOddMaxHOrSampleShowsTheValueHeld)
{
    TestNetwork net(2, 12, 3);
    TestNetwork::set_rule_number(90);
    // The upper half of the first line, read while the iterations wait on
    // the second.
    auto first_line = [](const std::string &answers, const std::string &shot = "") {
        const std::string keys = "\r" + answers + "\r\rqq";
        std::vector<unsigned long> line;
        paced_thread typist = type_keys_looking(keys, [&](size_t i) {
            if (i != keys.size() - 2)
                return;
            line = pixels_seen(Maxx / 2 + 3, 6, Maxx / 2 - 8, CHeight / 2);
            if (!shot.empty())
                screenshot(shot);
        });
        draw_Derrida_plot();
        typist.join();
        return line;
    };
    const int width = Maxx + 1, height = WinMaxy + 1;
    for (auto [w, h] : prompt_window_sizes()) {
        ASSERT_TRUE(resize_to(w, h));
        SCOPED_TRACE(std::to_string(Maxx + 1) + "x" + std::to_string(WinMaxy + 1));
        clear_drawing_area();
        std::vector<unsigned long> typed = first_line("1\r1\r");
        ASSERT_FALSE(typed.empty());
        EXPECT_TRUE(first_line("abcd\r-5\r", "derrida_held_" + std::to_string(w)) == typed)
            << "the held answers do not stand on the line";
        clear_drawing_area();
        typed = first_line("0.0833\r1\r");
        EXPECT_TRUE(first_line("1e-9\r0\r") == typed) << "the held maxH does not stand on the line";
    }
    ASSERT_TRUE(resize_to(width, height));
}

// maxH typed as 1e-9 swept nothing and placed the completion's box at the
// x of the sweep's end, 1.2e10, past an int (undefined behaviour, which the
// sanitizer build reports): held to 1/20, the sweep draws its one distance
// and completes.
TEST_F(DerridaPlot, ATinyMaxHSweepsOneDistanceAndCompletes)
{
    TestNetwork net(2, 20, 3);
    TestNetwork::set_rule_number(110);
    srandom(3);
    int completion_ink = -1;
    // Menu: sweep; maxH 1e-9, the rest kept; completion: leave.
    paced_thread typist = type_keys_looking("\r1e-9\r\r\r\r\r\r\rx\r", [&](size_t i) {
        if (i != 8)
            return;
        screenshot("derrida_tiny_maxH");
        completion_ink = 0;
        for (unsigned long p : pixels_seen(Maxx / 2 + 1, 3, Maxx / 2 - 4, prompt_box_bottom(2) - 3))
            completion_ink += p == Color_Table[white];
    });
    draw_Derrida_plot();
    typist.join();
    EXPECT_GT(completion_ink, 0) << "the sweep did not reach its completion prompt";
}

// The frame at the plot's place (the middle of the window, its origin
// vgax(50) above the bottom, 300 by 300 in 640x480 units): the y label
// "H(t+)" ends left of the ticks, so that nothing of it is drawn between
// the ticks, over the plot's left edge or inside the plot.
TEST_F(DerridaPlot, TheYLabelEndsLeftOfTheTicks)
{
    clear_drawing_area(); // the band is read whole: nothing of an earlier drawing may stay in it
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

// Rule 90 on 12 cells with 2 iterations: the twin at the largest distance
// is the complement, which rule 90 heals in two steps, so the last mean is 0
// and the iteration count's box sits at the foot of the curve. The box stays
// above the x axis's maxH label; the y axis's maxH label ends left of the
// plot's edge and the green caption starts right of it; "iterations" starts the
// prompts' second line (the third is empty while the next one waits); the
// slope caption right of the title ends inside the plot's region.
TEST_F(DerridaPlot, CaptionsAndLabelsStayInsideTheirPlaces)
{
    TestNetwork net(2, 12, 3);
    TestNetwork::set_rule_number(90);
    srandom(5);
    const int x0 = Maxx / 2, y0 = Maxy - vgax(50), w = vgax(300), h = vgay(300);
    const int rx1 = x0 + w + vgax(10);
    const int lx = x0 + w - 2 * CWidth, ly = y0 + CHeight / 4 + 1;
    const int lw = 3 * CWidth, lh = CHeight - 2, line = CHeight;
    std::vector<unsigned long> label_before, label_at_end;
    int third_line_ink = -1, caption_tail_ink = -1, ylabel_in_plot = -1;
    auto ink = [](const std::vector<unsigned long> &pixels, unsigned long colour) {
        int n = 0;
        for (unsigned long p : pixels)
            n += p == colour;
        return n;
    };
    // Menu: sweep; maxH, sample, fuzz, details kept; 2 iterations; step and
    // keep kept; completion: leave.
    const std::string keys = "\r\r\r\r\r2\r\r\rx\r";
    paced_thread typist = type_keys_looking(keys, [&](size_t i) {
        if (i == 0)
            label_before = pixels_seen(lx, ly, lw, lh);
        if (i == 7) {
            screenshot("derrida_prompts");
            // In rows of the normal font: the prompts may be in a smaller
            // one, whose metrics are in force while they wait.
            int top = 5 + 2 * line;
            third_line_ink = ink(pixels_seen(Maxx / 2 + 3, top, Maxx / 2 - 8, line / 2),
                                 Color_Table[white]);
        }
        if (i == 9) {
            screenshot("derrida_rule90_complete");
            label_at_end = pixels_seen(lx, ly, lw, lh);
            int cy = y0 - h - static_cast<int>(1.5 * CHeight);
            std::vector<unsigned long> tail = pixels_seen(x0 + w + 2, cy, rx1 - x0 - w - 3, CHeight);
            caption_tail_ink = static_cast<int>(tail.size()) - ink(tail, Color_Table[black]);
            // Beside the plot's left edge (lightred itself): the label left of
            // it, the caption right of it, neither on it.
            ylabel_in_plot =
                ink(pixels_seen(x0 - 3, y0 - h + 1, 3, CHeight - 1), Color_Table[lightred]) +
                ink(pixels_seen(x0 + 1, y0 - h + 1, 2 * CWidth, CHeight - 1), Color_Table[lightred]) +
                ink(pixels_seen(x0 - 3, y0 - h + 1, 5, CHeight - 1), Color_Table[green]);
        }
    });
    draw_Derrida_plot();
    typist.join();
    flush_display();
    screenshot("derrida_rule90_left");
    EXPECT_EQ(third_line_ink, 0) << "iterations is not on the second line";
    EXPECT_EQ(caption_tail_ink, 0) << "the slope caption runs to the region's edge";
    EXPECT_EQ(ylabel_in_plot, 0) << "the y axis's maxH label and the caption meet at the plot's edge";
    EXPECT_FALSE(label_before.empty());
    EXPECT_TRUE(label_at_end == label_before) << "the iteration count's box covers the x axis's label";
}

// A long sweep (rule 110 on 600 cells, 200 samples at each distance) is
// paused by 'q' at its key poll: the pause prompt stands inside the window
// and its three-line box; Return there asks the parameters again (the box
// shows other text) and the sweep goes on, so a second 'q' pauses it again;
// 'q' at that pause ends the sweep at its completion prompt, where 'x'
// leaves. The sweep waits for no key: the typist of each pause is ready
// before the 'q' that opens it.
TEST_F(DerridaPlot, ThePausePromptStaysInsideAndItsKeysAct)
{
    TestNetwork net(2, 600, 3);
    TestNetwork::set_rule_number(110);
    srandom(7);
    const int left = Maxx / 2 + 1, width = Maxx / 2 - 4, height = prompt_box_bottom(3) - 3;
    int inked_right = -1, text_ink = 0;
    std::vector<unsigned long> pause_box, after_return;
    auto white_in = [](const std::vector<unsigned long> &pixels) {
        int n = 0;
        for (unsigned long p : pixels)
            n += p == Color_Table[white];
        return n;
    };
    // Menu: sweep; maxH kept, 200 samples, the rest kept.
    paced_thread parameters = type_keys_paced("\r\r200\r\r\r\r\r\r");
    std::thread pauses([&] {
        parameters.join();
        // The first pause: Return, then the six parameters kept.
        paced_thread first = type_keys_looking("\r\r\r\r\r\r\r", [&](size_t i) {
            if (i == 0) {
                screenshot("derrida_pause");
                inked_right = inked_right_of_prompt_box(3);
                pause_box = pixels_seen(left, 3, width, height);
                text_ink = white_in(pause_box);
            } else if (i == 1) {
                after_return = pixels_seen(left, 3, width, height);
            }
        });
        type_keys("q");
        first.join();
        // The second pause: 'q' ends the sweep; 'x' leaves the completion.
        paced_thread second = type_keys_paced("qx\r");
        type_keys("q");
        second.join();
    });
    draw_Derrida_plot();
    pauses.join();
    EXPECT_EQ(inked_right, 0) << "the pause prompt runs out of its box";
    EXPECT_GT(text_ink, 0) << "no pause prompt";
    EXPECT_NE(after_return, pause_box) << "Return at the pause did not ask the parameters";
    undo_rule_mix();
}

} // namespace
