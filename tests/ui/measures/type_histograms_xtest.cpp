// The attractor histogram on the real window: rule 90 on a 12-cell ring run
// forward from random seeds with the attractor histogram on. '=' stops the
// run at the next attractor with the attractor prompt; 'd' shows the data
// table headed "attractor types so far=N", 'm' opens the jump graph over
// the types and 'q' closes it again, 'c' clears the types and opens the
// run's pause box, whose Return lets the run go on to the next attractor.
// Every key is typed when the window waits for it, except '=' and the last
// 'q', which go to the running pattern's key poll. The road is taken twice
// in one process, and every block each run allocated is freed.
#include "forward_run_screen_support.h"

#include <set>
#include <string>
#include <thread>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "support/ring_oracles.h"
#include "ui/forward/run_forward.h"
#include "ui/model/cell_display.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/screen/window_pixels.h"

namespace {

// A rectangle of the window as the typing connection saw it.
struct seen_area {
    int x = 0, y = 0, w = 0, h = 0;
    std::vector<unsigned long> pixels;
};

class TypeHistograms : public ForwardRunScreenTest {
protected:

    // The settings of a forward run with the attractor histogram, the
    // pattern shown, from the given random seed.
    static void start_attractor_histogram(unsigned seed)
    {
        srandom(seed);
        direction = direction_forward;
        limitcheck = 0;
        att_hist = att_hist_types;
        stp = 1;
        scale = 4;
        d_mode = display_unset;
    }

    static void see(seen_area &a)
    {
        a.pixels.clear();
        for (int y = a.y; y < a.y + a.h; y++)
            for (int x = a.x; x < a.x + a.w; x++)
                a.pixels.push_back(pixel_seen(x, y));
    }
    // Whether the area showed text in white on black at its top left.
    static bool showed(const seen_area &a, const std::string &text)
    {
        setfillstyle(0, black);
        bar(a.x, a.y, a.x + a.w - 1, a.y + a.h - 1);
        setcolor(white);
        moveto(a.x, a.y);
        outtext(text.c_str());
        std::vector<uint32_t> now;
        if (!read_window_pixels(Maxx + 1, a.y + a.h, now))
            return false;
        size_t i = 0;
        for (int y = a.y; y < a.y + a.h; y++)
            for (int x = a.x; x < a.x + a.w; x++)
                if (pixel_at(now, x, y) != a.pixels[i++])
                    return false;
        return true;
    }
    static int text_width(const std::string &text)
    {
        return text_pixel_width(text.c_str(), static_cast<int>(text.size()));
    }
    // Pixels of the graph window's frame at the middle of its sides.
    static int graph_frame_pixels()
    {
        int y = (12 * CHeight + vgay(430)) / 2;
        return (pixel_seen(vgax(5), y) == Color_Table[lightred]) +
               (pixel_seen(Maxx - vgax(5), y) == Color_Table[lightred]);
    }
};

// The attractors of rule 90 on the ring: at most that many types.
size_t
attractors_of_rule_90(int n)
{
    std::vector<uint32_t> next = ring_successors(n, 90);
    std::set<uint32_t> cycle_states;
    size_t cycles = 0;
    for (uint32_t s = 0; s < next.size(); s++) {
        uint32_t x = s;
        for (size_t i = 0; i < next.size(); i++)
            x = next[x]; // on its cycle now
        if (cycle_states.count(x))
            continue;
        cycles++;
        uint32_t y = x;
        do {
            cycle_states.insert(y);
            y = next[y];
        } while (y != x);
    }
    return cycles;
}

TEST_F(TypeHistograms, AttractorHistogramOfRule90FromRandomSeeds)
{
    TestNetwork net(2, 12, 3);
    TestNetwork::set_rule_number(90);
    setup_value_colors(1);
    const int x0 = vgax(200), top = Maxy - vgay(30) - vgay(100);
    const std::string title = "Attractor Freq Hist pause/reset-=";
    const std::string head = "attractor types so far=";
    seen_area title_area, head_area;
    title_area.x = x0;
    title_area.y = histogram_title_row(top);
    title_area.w = text_width(title);
    title_area.h = CHeight;
    head_area.x = Maxx * 5 / 7;
    head_area.y = prompt_box_bottom(1) + 4; // below the readout of the last type
    head_area.w = text_width(head + "9999");
    head_area.h = CHeight;
    int frame_in_graph = 0, frame_after_graph = 2;
    int prompts_after_clear = 0;

    long allocated = live_allocations;
    for (int road = 0; road < 2; road++) {
        SCOPED_TRACE(road == 0 ? "first road" : "second road");
        start_attractor_histogram(90 + road);
        // Each step's keys are typed once the window waits for them; '='
        // goes to the running pattern, which waits for nothing.
        std::thread driver([&] {
            auto at_next_attractor = [&](const std::string &keys, std::function<void(size_t)> look) {
                paced_thread typist = type_keys_looking(keys, look);
                type_keys("=");
                typist.join();
            };
            // 'q' ends the table on any of its pages.
            at_next_attractor("dq", [&](size_t i) {
                if (road == 0 && i == 0)
                    see(title_area);
                if (road == 0 && i == 1)
                    see(head_area);
            });
            at_next_attractor("mq", [&](size_t i) {
                if (i == 1)
                    frame_in_graph = graph_frame_pixels();
            });
            at_next_attractor("c\r", [&](size_t i) {
                if (i == 0)
                    frame_after_graph = graph_frame_pixels();
            });
            at_next_attractor("\r", [&](size_t) { prompts_after_clear++; });
            // The run is stopped from its key poll, and ends at "still looking".
            paced_thread typist = type_keys_looking("q", [](size_t) {});
            type_keys("q");
            typist.join();
        });
        run_forward(carule);
        driver.join();
        EXPECT_EQ(is[0], 'q');
        EXPECT_EQ(live_allocations, allocated) << "the run left blocks allocated";
    }
    checked_free(color_v);
    color_v = nullptr;
    EXPECT_TRUE(showed(title_area, title)) << "the histogram's title";
    size_t most = attractors_of_rule_90(12);
    bool head_shown = false;
    for (size_t n = 1; n <= most && !head_shown; n++)
        head_shown = showed(head_area, head + std::to_string(n));
    EXPECT_TRUE(head_shown) << "the data table's head with 1.." << most << " types";
    EXPECT_EQ(frame_in_graph, 2) << "the jump graph's window was not drawn";
    EXPECT_EQ(frame_after_graph, 0) << "the jump graph's window stayed after 'q'";
    EXPECT_EQ(prompts_after_clear, 2) << "the run did not go on after the pause box";
}

// The attractor prompt at the next attractor stands on one line, its box
// grown to the left, so that no box frame runs across the colour key below
// the prompt box's first line; the data table opens below the readout of
// the last type, whose box stays whole above it.
TEST_F(TypeHistograms, ThePausePromptAndTheTableBesideTheReadoutNotOverIt)
{
    TestNetwork net(2, 12, 3);
    TestNetwork::set_rule_number(90);
    setup_value_colors(1);
    start_attractor_histogram(90);
    const int left = Maxx / 2 + 2, width = Maxx / 2 - 6;
    auto red_in_row = [&](int y) {
        int n = 0;
        for (unsigned long p : pixels_seen(left, y, width, 1))
            n += p == Color_Table[red];
        return n;
    };
    int across_key = -1, readout_frame = -1;
    std::thread driver([&] {
        paced_thread typist = type_keys_looking("dq", [&](size_t i) {
            screenshot("types_" + std::to_string(i));
            if (i == 0)
                across_key = red_in_row(prompt_box_bottom(2));
            if (i == 1)
                readout_frame = red_in_row(prompt_box_bottom(1));
        });
        type_keys("=");
        typist.join();
        typist = type_keys_looking("q", [](size_t) {});
        type_keys("q");
        typist.join();
    });
    run_forward(carule);
    driver.join();
    checked_free(color_v);
    color_v = nullptr;
    EXPECT_LT(across_key, width / 4) << "a prompt box of two lines covers the colour key";
    EXPECT_GT(readout_frame, width * 9 / 10) << "the data table covers the readout's box";
}

} // namespace
