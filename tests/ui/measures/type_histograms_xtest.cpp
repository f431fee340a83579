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

#include <algorithm>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "support/ring_oracles.h"
#include "ui/forward/key_panel.h"
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
    // The first row of the data table's text: the table opens below the
    // readout's box and the colour key's box beside it.
    static int table_text_top()
    {
        int key_left = 0, key_bottom = 0;
        color_key_box_at_right(&key_left, &key_bottom);
        return std::max(prompt_box_bottom(1), key_bottom) + 4;
    }
    // Pixels of the graph window's frame at the middle of its sides: its
    // right side left of the key panel.
    static int graph_frame_pixels()
    {
        int y = (12 * CHeight + vgay(430)) / 2;
        int right = std::min(Maxx - vgax(5), key_panel_left() - 2);
        return (pixel_seen(vgax(5), y) == Color_Table[lightred]) +
               (pixel_seen(right, y) == Color_Table[lightred]);
    }
    // The data table's text margin: its frame's top row is two rows above
    // its first line, its left side vgax(2) left of its text.
    static int table_text_left()
    {
        const int row = table_text_top() - 2;
        for (int x = Maxx / 3; x < Maxx; x++)
            if (pixel_seen(x, row) == Color_Table[lightred])
                return x + vgax(2);
        return -1;
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
                if (road == 0 && i == 1) {
                    // Below the readout of the last type and the colour key.
                    head_area.y = table_text_top();
                    head_area.x = table_text_left();
                    see(head_area);
                }
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
// grown to the left, and so does the readout of the type last counted: no
// box frame runs across the colour key at the top right. The data table
// opens below the readout and the key, whose boxes stay whole above it.
TEST_F(TypeHistograms, ThePausePromptAndTheTableBesideTheReadoutNotOverIt)
{
    TestNetwork net(2, 12, 3);
    TestNetwork::set_rule_number(90);
    setup_value_colors(1);
    start_attractor_histogram(90);
    // Frame pixels inside the key's box (its own frame left out), and those
    // of the readout's bottom row left of the key.
    auto frame_pixels = [](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (unsigned long p : pixels_seen(x0, y0, x1 - x0 + 1, y1 - y0 + 1))
            n += p == Color_Table[red] || p == Color_Table[lightred];
        return n;
    };
    int key_left = -1, key_bottom = -1, across_key[2] = {-1, -1}, readout_frame = -1;
    int table_top = -1;
    std::thread driver([&] {
        paced_thread typist = type_keys_looking("dq", [&](size_t i) {
            screenshot("types_" + std::to_string(i));
            if (!color_key_box_at_right(&key_left, &key_bottom))
                return;
            across_key[i] = frame_pixels(key_left + 1, 3, Maxx - 3, key_bottom - 1);
            if (i == 1) {
                readout_frame = frame_pixels(Maxx / 2 + 2, prompt_box_bottom(1), key_left - 3,
                                             prompt_box_bottom(1));
                // The table's right side stands left of the key panel.
                const int right = std::min(Maxx - 2, key_panel_left() - 2);
                for (int y = key_bottom + 1; y < Maxy && table_top < 0; y++)
                    if (pixel_seen(right, y) == Color_Table[lightred])
                        table_top = y;
            }
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
    ASSERT_GT(key_left, Maxx / 2) << "the colour key was not at the top right";
    EXPECT_EQ(across_key[0], 0) << "a frame across the colour key under the pause prompt";
    EXPECT_EQ(across_key[1], 0) << "a frame across the colour key under the data table";
    EXPECT_GT(readout_frame, (key_left - Maxx / 2) / 2) << "the readout's box is not whole";
    EXPECT_GT(table_top, key_bottom) << "the data table's top runs across the colour key";
}

} // namespace

// Rule keys typed while the attractor histogram searches rule 110 from
// random seeds: in each round the step pause's on-the-fly option ("o"
// Return) takes '=' (pause at the next attractor), and six steps on a
// random bit flip of the rule ('1') and at the next step its undo ('2').
// At the attractor's prompt the cycle found is checked against a
// brute-force walk of the rule then in force: its states follow one
// another under that rule and its period is the walk's. A search that went
// on comparing the states of the flipped rule's step with the history
// found cycles of other periods where the trajectory came back to states
// of the cycle it had entered before the flip.
TEST_F(TypeHistograms, RuleKeysDuringTheSearchGiveTheCyclesOfTheNetworkAsItThenWas)
{
    constexpr int n = 12, kRounds = 40;
    TestNetwork net(2, n, 3);
    TestNetwork::set_rule_number(110);
    setup_value_colors(1);
    start_attractor_histogram(11);
    stppause = stppause_step_next_run;
    auto number = [](const uint8_t *line) {
        uint32_t s = 0;
        for (int c = 0; c < n; c++)
            s |= static_cast<uint32_t>(get_value(line, c)) << c;
        return s;
    };
    int rounds = 0, wrong = 0;
    bool ending = false;
    const std::string round_keys = "o\r=\r\r\r\r\r\ro\r1o\r2";
    size_t key = 0;
    paced_thread driver = act_paced_while([&](size_t) {
        if (ending) {
            type_in_step('q'); // the pause box 'c' opened ends the run
            return false;
        }
        if (attperiod == 0) {
            type_in_step(key < round_keys.size() ? round_keys[key++] : '\r');
            return true;
        }
        // The attractor's prompt: the cycle against the rule in force.
        const std::vector<uint32_t> next = ring_successors(n, carule[0][0]);
        uint32_t x = number(att[1]), period = 1;
        for (uint32_t y = next[x]; y != x && period <= next.size(); y = next[y])
            period++;
        bool right = attperiod == period;
        for (uint32_t i = 1; i <= attperiod && right; i++)
            right = next[number(att[i])] == number(att[i % attperiod + 1]);
        wrong += !right;
        EXPECT_TRUE(right) << "round " << rounds << ": rule " << int(carule[0][0]) << " period "
                           << attperiod << ", the rule's cycle through that state " << period;
        key = 0;
        ending = ++rounds == kRounds;
        type_in_step(ending ? 'c' : '\r');
        return true;
    });
    run_forward(carule);
    driver.join();
    checked_free(color_v);
    color_v = nullptr;
    EXPECT_EQ(rounds, kRounds);
    EXPECT_EQ(wrong, 0);
}
