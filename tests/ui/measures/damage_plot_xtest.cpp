// Damage statistics on the real window: a forward-only run of rule 110 on
// a 40-cell ring doubled to 80 cells, with the damage dialog answered by
// its defaults. After some samples '=' stops the run at the next histogram
// update with the options prompt, where 'X' and 'y' give the log views and
// their prompts and 'u' ends the pause. The histogram's title, its bars and
// the log prompts are compared to the pixel with the same texts drawn
// afterwards; the run is stopped and started again in the same process and
// every block it allocated is freed each time. Keys that go to the running
// pattern are typed once it shows a bar of its histogram. The damage count's
// box keeps clear of the colour key's box at the top right.
#include "forward_run_screen_support.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "engine/forward/network_duplication.h"
#include "engine/measures/damage_sample.h"
#include "engine/model/checked_alloc.h"
#include "engine/rules/random_states.h"
#include "engine/wiring/globals.h"
#include "support/ready_signal.h"
#include "ui/forward/key_panel.h"
#include "ui/forward/run_forward.h"
#include "ui/measures/damage_plot.h"
#include "ui/measures/top_prompt.h"
#include "ui/model/cell_display.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/screen/window_pixels.h"
#include "ui/screen/x_state.h"

namespace {

// A line of text in the window: where it starts and the pixels it covers.
struct text_line {
    std::string text;
    int x = 0, y = 0, width = 0;
    std::vector<unsigned long> seen; // read while the run showed it
};

class DamagePlot : public ForwardRunScreenTest {
protected:
    void TearDown() override
    {
        direction = direction_unset;
        limitcheck = 0;
        scrolling = 0;
        nowscrolling = 0;
        diff_plot = diff_plot_off;
        ittpause = 0;
        release_kept_area();
        ForwardRunScreenTest::TearDown();
    }

    // The settings of a forward-only run of damage statistics with the
    // pattern shown and scrolling, from random seed 110.
    static void start_damage_statistics()
    {
        setup_value_colors(1);
        direction = direction_forward;
        limitcheck = 0;
        stp = 1;
        scale = 4;
        scrolling = 1;
        diff_plot = diff_plot_stats;
        srandom(110);
    }

    static void read_line(text_line &line)
    {
        line.seen.clear();
        for (int y = line.y; y < line.y + CHeight; y++)
            for (int x = line.x; x < line.x + line.width; x++)
                line.seen.push_back(pixel_seen(x, y));
    }
    // The line's text drawn in white on black where it was: the same pixels?
    static void expect_drawn(const text_line &line, const char *what)
    {
        ASSERT_FALSE(line.seen.empty()) << what << " never read";
        setfillstyle(0, black);
        bar(line.x, line.y, line.x + line.width, line.y + CHeight - 1);
        setcolor(white);
        moveto(line.x, line.y);
        outtext(line.text.c_str());
        size_t i = 0, differ = 0;
        for (int y = line.y; y < line.y + CHeight; y++)
            for (int x = line.x; x < line.x + line.width; x++)
                differ += window_pixel(x, y) != line.seen[i++];
        EXPECT_EQ(differ, 0u) << what << ": \"" << line.text << "\" is not what was shown";
    }
    // Pixels of a colour in a rectangle, read through the typing connection.
    static int pixels_of(unsigned long colour, int x0, int y0, int x1, int y1)
    {
        int count = 0;
        for (int y = y0; y <= y1; y += 2)
            for (int x = x0; x <= x1; x++)
                count += pixel_seen(x, y) == colour;
        return count;
    }

    // The forward run of carule while `typing` types its keys, then ended.
    static void run_while_typing(paced_thread &typing)
    {
        run_ended_at_pause_box(typing, [] { run_forward(carule); });
    }

    // Whether the bottom row of the plot area shows a bar of any colour.
    bool bar_shown() const
    {
        const int row = y0() - 1;
        return pixels_of(Color_Table[white], x0(), row, right(), row) +
                   pixels_of(Color_Table[red], x0(), row, right(), row) +
                   pixels_of(Color_Table[yellow], x0(), row, right(), row) >
               0;
    }

    // The histogram's plot area, as the frame lays it out for a 1d network.
    int x0() const { return vgax(200); }
    int y0() const { return Maxy - vgay(30); }
    int top() const { return y0() - vgay(100); }
    int right() const { return x0() + vgax(280); }
    // The histogram's box around the plot area, its title and captions.
    int box_left() const { return x0() - vgax(48); }
    int box_top() const { return top() - vgay(30); }
    int box_right() const { return right() + vgax(20); }
    int box_bottom() const { return y0() + vgay(28); }

    // The frame of a damage run drawn for the network the test set up: its
    // network line is drawn, and nothing of it passes the box's right edge.
    void expect_network_line_inside_the_box() const
    {
        diff_plot = diff_plot_stats;
        damage_record d{};
        d.mode = 'n';
        d.columns = 100;
        d.largest = 12000;
        d.smallest = 10;
        d.skeleton_length = 5;
        draw_diff_graphframe(&d, 1, 0, 0);
        // Drawn through the window's connection and read through the
        // typing one: the round trip has the server draw it first.
        flush_display();
        XSync(D, False);
        const int line_top = top() - vgay(25) + CHeight, line_bottom = top() - 2;
        const int box_edge = right() + vgax(20);
        int inside = 0, outside = 0;
        for (unsigned long p : pixels_seen(x0(), line_top, box_edge - x0(), line_bottom - line_top + 1))
            inside += p == Color_Table[white];
        for (unsigned long p : pixels_seen(box_edge + 1, line_top, Maxx - box_edge - 1, line_bottom - line_top + 1))
            outside += p == Color_Table[white];
        EXPECT_GT(inside, 0) << "no network line";
        EXPECT_EQ(outside, 0) << "the network line passes the box";
    }
};

// Types keys from a second thread: the damage dialog's defaults; then,
// once the run shows a bar of its histogram (it polls keys then), with pause
// set, '=' (the next histogram update stops at the options prompt) and the
// options keys, each once the window waits for it (look is called before
// each of those); then 'q' to the running pattern and, once its pause box
// waits, 'q' there to end the run. A running pattern polls keys and signals
// no wait: the bar is what shows it runs. The dialog's keys are made ready
// here, before the run begins, so that no wait of it signals unseen.
class run_keys {
public:
    run_keys(bool pause, std::function<bool()> bar_shown, std::function<void(size_t)> look)
        : dialog_(ScreenTest_access::paced("\r\r\r\r")),
          thread_([this, pause, bar_shown, look] {
              dialog_.join();
              // Without a bar the run is still ended, so that the test fails
              // rather than hangs.
              if (wait_for_bar(bar_shown) && pause) {
                  paced_thread options = ScreenTest_access::looking("X\r\ry\r\ru\r", look);
                  ScreenTest_access::type("=");
                  options.join();
              }
              paced_thread pause_box = ScreenTest_access::paced("q");
              ScreenTest_access::type("q");
              pause_box.join();
          })
    {
    }
    ~run_keys() { thread_.join(); }

    // The fixture's typing, reachable from the thread.
    struct ScreenTest_access : ScreenTest {
        static paced_thread paced(const std::string &keys) { return type_keys_paced(keys); }
        static void type(const std::string &keys) { type_keys(keys); }
        static paced_thread looking(const std::string &keys, std::function<void(size_t)> look)
        {
            return type_keys_looking(keys, std::move(look));
        }
    };

private:
    // Polls the window until bar_shown holds, as long as the key waits' patience.
    static bool wait_for_bar(const std::function<bool()> &bar_shown)
    {
        auto end = std::chrono::steady_clock::now() +
                   std::chrono::duration<double>(kReadyPatience);
        while (!bar_shown()) {
            if (std::chrono::steady_clock::now() > end) {
                ADD_FAILURE() << "the run showed no bar of its histogram";
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    paced_thread dialog_;
    std::thread thread_;
};

TEST_F(DamagePlot, ForwardOnlyDoubledRingWithDamageStatistics)
{
    TestNetwork net(2, 40, 3);
    TestNetwork::set_rule_number(110);
    double_network();
    ASSERT_EQ(lineL, 80);
    start_damage_statistics();

    text_line title, log_x_prompt, log_y_prompt;
    title.text = "Damage Histogram  start=0 same=5 pause/reset-=";
    log_x_prompt.text = "x-axis bined by powers of 2, cont-ret:";
    log_y_prompt.text = "y-axis log2, cont-ret:";
    for (text_line *line : {&title, &log_x_prompt, &log_y_prompt})
        line->width = text_pixel_width(line->text.c_str(), static_cast<int>(line->text.size()));
    title.x = x0();
    title.y = histogram_title_row(top());
    // Where a one-line prompt stands beside the colour key while it waits.
    auto place = [](text_line &line) {
        top_prompt p = place_top_prompt({line.text}, 1);
        line.x = p.left + 3;
        line.y = p.top + 3;
    };
    int bars = 0, log_bins = 0;

    uint64_t allocated = live_allocations;
    for (int run = 0; run < 2; run++) {
        SCOPED_TRACE(run == 0 ? "first run" : "second run");
        random_damage_halves();
        nowscrolling = 0;
        d_mode = display_unset;
        // No bar of an earlier run is taken for one of this run.
        setfillstyle(0, black);
        bar(x0(), top(), right(), y0() - 1);
        {
            run_keys keys(run == 0, [&] { return bar_shown(); }, [&](size_t i) {
                if (i == 0) {
                    read_line(title);
                    bars = pixels_of(Color_Table[white], x0(), top(), right(), y0() - 1) +
                           pixels_of(Color_Table[red], x0(), top(), right(), y0() - 1);
                } else if (i == 2) {
                    place(log_x_prompt);
                    read_line(log_x_prompt);
                    log_bins = pixels_of(Color_Table[blue], x0(), top(), right(), y0() - 1);
                } else if (i == 5) {
                    place(log_y_prompt);
                    read_line(log_y_prompt);
                }
            });
            run_forward(carule);
        }
        EXPECT_EQ(is[0], 'q');
        EXPECT_EQ(live_allocations, allocated) << "the run left blocks allocated";
    }
    checked_free(color_v);
    color_v = nullptr;
    EXPECT_GT(bars, 0) << "no bars at the first options prompt";
    EXPECT_GT(log_bins, 0) << "no log-2 bins drawn";
    expect_drawn(title, "the histogram's title");
    // The shorter first: the longer one's clearing then hides it whole.
    expect_drawn(log_y_prompt, "the log-y prompt");
    expect_drawn(log_x_prompt, "the log-x prompt");
}

// A run of damage statistics paused after every step, its 1d pattern drawn
// down the window and over the rows the histogram stands in, then scrolled
// (or, without scrolling, begun again on a new page): at every pause the
// histogram's box keeps its frame and its title band shows the title as at
// the first step, never the pattern's cells nor a cleared band.
TEST_F(DamagePlot, PatternRowsPassBeneathTheHistogramNotOverIt)
{
    for (uint8_t scroll : {1, 0}) {
        SCOPED_TRACE(scroll ? "scrolling" : "page by page");
        TestNetwork net(2, 30, 3);
        TestNetwork::set_rule_number(110);
        double_network();
        start_damage_statistics();
        scale = 8;
        scrolling = scroll;
        nowscrolling = 0;
        d_mode = display_unset;
        stppause = stppause_step_next_run;
        random_damage_halves();
        // Steps enough for the rows to reach the window's bottom, and for
        // some more to scroll or start the next page.
        const int steps = Maxy / scale + 20;
        const int band_top = histogram_title_row(top()), band_width = box_right() - box_left() - 1;
        std::vector<unsigned long> title_band;
        std::vector<int> covered, unframed;
        // The damage questions, a Return at each step's pause, then 'q' at
        // the last one (it ends the entry at once), which ends the pausing:
        // all in one typist, as a second one begun after the last Return
        // could drop the signal of the pause that Return leads to.
        std::string keys = "\r\r\r\r" + std::string(static_cast<size_t>(steps), '\r') + "q";
        paced_thread typing = type_keys_looking(keys, [&](size_t i) {
            if (i < 4)
                return; // the damage questions
            std::vector<unsigned long> band =
                pixels_seen(box_left() + 1, band_top, band_width, CHeight);
            if (i == 4)
                title_band = band;
            else if (band != title_band)
                covered.push_back(static_cast<int>(i - 3));
            int frame = 0;
            for (unsigned long p : pixels_seen(box_left(), box_top(), band_width + 2, 1))
                frame += p == Color_Table[lightred];
            for (unsigned long p : pixels_seen(box_left(), box_top(), 1, box_bottom() - box_top()))
                frame += p == Color_Table[lightred];
            if (frame != band_width + 2 + box_bottom() - box_top())
                unframed.push_back(static_cast<int>(i - 3));
        });
        run_while_typing(typing);
        screenshot(scroll ? "damage_scrolled_beneath" : "damage_paged_beneath");
        ASSERT_FALSE(title_band.empty()) << "the run never paused";
        EXPECT_GT(std::count(title_band.begin(), title_band.end(), Color_Table[white]), 0)
            << "no title at the first step";
        EXPECT_TRUE(covered.empty()) << covered.size() << " of " << steps
                                     << " steps showed the title band changed, the first at step "
                                     << covered.front();
        EXPECT_TRUE(unframed.empty()) << unframed.size() << " of " << steps
                                      << " steps showed the box's frame broken, the first at step "
                                      << unframed.front();
        checked_free(color_v);
        color_v = nullptr;
        stppause = stppause_none;
    }
}

// The damages a sample of rule 232 (majority of three) on a 16-cell ring
// can end at, by brute force: every seed of a half, one cell of its copy
// flipped (by the ring's turn and the halves' likeness every flipped cell
// gives the damages cell 0 gives), both stepped until the sample ends.
std::set<uint32_t>
majority_ring_damages()
{
    auto step = [](uint32_t x) {
        uint32_t left = ((x << 1) | (x >> 15)) & 0xffff, right = ((x >> 1) | (x << 15)) & 0xffff;
        return (left & right) | (left & x) | (right & x);
    };
    std::set<uint32_t> damages;
    for (uint32_t seed = 0; seed < 0x10000; seed++) {
        uint32_t a = seed, b = seed ^ 1, marks = 0;
        damage_sample s;
        for (uint32_t t = 1;; t++) {
            a = step(a), b = step(b);
            marks |= a ^ b;
            uint32_t damage = static_cast<uint32_t>(__builtin_popcount(marks));
            if (damage_sample_step(s, damage, t, 0, 5)) {
                damages.insert(damage);
                break;
            }
        }
    }
    return damages;
}

// A doubled ring of rule 232 given a seed whose halves differ in 12 cells
// (the left all 0s, the right a block of 12 1s: both stand still), as a
// seed set over the whole network leaves them apart: its first sample
// starts from a matched pair too, and so ends at a damage the rule can give
// from one flipped cell, not at the 11 to 13 the seed given would. Paused
// after every step, the run's marks are read: they only grow within a
// sample and are cleared at its end.
TEST_F(DamagePlot, FirstSampleStartsFromAMatchedPair)
{
    const std::set<uint32_t> support = majority_ring_damages();
    TestNetwork net(2, 16, 3);
    TestNetwork::set_rule_number(232);
    double_network();
    ASSERT_EQ(lineL, 32);
    start_damage_statistics();
    for (uint32_t c = 0; c < lineL; c++)
        set_value(A, c, c >= 16 && c < 28);
    nowscrolling = 0;
    d_mode = display_unset;
    stppause = stppause_step_next_run;
    const int steps = 40;
    std::vector<uint32_t> marks;
    paced_thread typing = type_keys_looking("\r\r\r\r" + std::string(steps, '\r') + "q", [&](size_t i) {
        // The damage questions; the pause of a step comes before its
        // damage is counted, so the first pause shows none, each later one
        // the damage of the step before.
        if (i < 5)
            return;
        uint32_t count = 0;
        for (uint32_t c = 16; c < 32; c++)
            count += get_value(tempState, c) != 0;
        marks.push_back(count);
    });
    run_while_typing(typing);
    ASSERT_FALSE(marks.empty()) << "the run never paused";
    // A first step with no damage ends the sample at once; else it ends
    // where its marks are cleared, at the damage of the step before.
    size_t end = 1;
    while (marks[0] > 0 && end < marks.size() && marks[end] >= marks[end - 1])
        end++;
    ASSERT_LT(end, marks.size()) << "the first sample never ended";
    const uint32_t landed = marks[0] == 0 ? 0 : marks[end - 1];
    std::string allowed;
    for (uint32_t d : support)
        allowed += std::to_string(d) + " ";
    EXPECT_EQ(support.count(landed), 1u)
        << "the first sample ended at damage " << landed << "; the rule gives only " << allowed;
    EXPECT_EQ(support.count(11) + support.count(12) + support.count(13), 0u) << "the seed given is no test";
    checked_free(color_v);
    color_v = nullptr;
}

// The colour key's box and the damage count's box both want the top right
// corner: with the key up the damage box goes left of it, as wide, and
// drawing it leaves every pixel of the key as it was; with no key up it is
// against the window's right edge.
TEST_F(DamagePlot, DamageBoxBesideTheColourKeyNotOverIt)
{
    TestNetwork net(2, 40, 3);
    setup_value_colors(1);
    show_multistate_color_key(1);
    int key_left = 0, key_bottom = 0;
    ASSERT_TRUE(color_key_box_at_right(&key_left, &key_bottom));
    std::vector<unsigned long> key_before = pixels_seen(key_left, 2, Maxx - key_left, key_bottom - 1);
    int x0, y0, x1, y1;
    damage_box_corners(&x0, &y0, &x1, &y1);
    EXPECT_LT(x1, key_left) << "the damage box reaches into the colour key's box";
    EXPECT_GT(x0, 0);
    EXPECT_EQ(x1 - x0, vgax(160) + 1);
    setfillstyle(0, black);
    bar(x0, y0, x1, y1);
    setcolor(lightred);
    rectangle(x0, y0, x1, y1);
    EXPECT_EQ(pixels_seen(key_left, 2, Maxx - key_left, key_bottom - 1), key_before)
        << "the damage box drew over the colour key";
    show_multistate_color_key(0);
    EXPECT_FALSE(color_key_box_at_right(&key_left, &key_bottom));
    damage_box_corners(&x0, &y0, &x1, &y1);
    EXPECT_EQ(x1, Maxx - 2);
    EXPECT_EQ(x1 - x0, vgax(160) + 1);
    checked_free(color_v);
    color_v = nullptr;
}

// The wiring globals a test of the network line sets, put back.
struct wiring_kept {
    uint8_t local = nonlocal, regular = regular3d, mixed = nhood_mixed, lb = nhood_lb, ub = nhood_ub;
    uint16_t zone = zonesize;
    float canalyzing = cinputfreq;
    ~wiring_kept()
    {
        nonlocal = local, regular3d = regular, nhood_mixed = mixed, nhood_lb = lb, nhood_ub = ub;
        zonesize = zone, cinputfreq = canalyzing;
    }
};

// A random 40x30x20 lattice: its network line, longer than a ring's, stays
// inside (on a 1024x768 screen the small font alone does not bring it in).
TEST_F(DamagePlot, NetworkLineOfA3dLatticeStaysInsideTheBox)
{
    wiring_kept kept;
    TestNetwork net(2, 3, 40, 30, 20, 7);
    nonlocal = 1;
    regular3d = 0;
    zonesize = 3;
    expect_network_line_inside_the_box();
}

// A 1000-cell ring of mixed k 2-13, randomly wired in a zone and with
// canalyzing inputs: the longest line a ring gives stays inside too.
TEST_F(DamagePlot, NetworkLineOfAMixedKRingStaysInsideTheBox)
{
    wiring_kept kept;
    TestNetwork net(2, 1000, 3);
    nonlocal = 1;
    zonesize = 500;
    nhood_mixed = 1, nhood_lb = 2, nhood_ub = 13;
    cinputfreq = 0.2575f;
    expect_network_line_inside_the_box();
    screenshot("damage_mixed_k_ring");
}

// The histogram drawn whole in the windows of a 1280x1024 and of a
// 1024x768 screen: the plot area's top frame whole beside "sample no=", the
// box's bottom frame whole under the "Damage value" caption, and nothing of
// the caption below the box.
TEST_F(DamagePlot, FramesStayWholeAroundTheSampleNumberAndTheCaption)
{
    if (!on_default_screen())
        GTEST_SKIP() << "the larger window does not fit this server's screen";
    TestNetwork net(2, 80, 3);
    diff_plot = diff_plot_stats;
    std::vector<uint32_t> counts(41, 3);
    damage_record d{};
    d.mode = 'n';
    d.columns = d.counts_last = 40;
    d.largest = 40;
    d.smallest = 10;
    d.skeleton_length = 5;
    d.sample = 102;
    d.damage_buf = counts.data();
    auto count_of = [](unsigned long colour, const std::vector<unsigned long> &pixels) {
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
    };
    for (const int *size : {(const int[]){1024, 768}, (const int[]){927, 695}}) {
        SCOPED_TRACE(testing::Message() << "window " << size[0] << "x" << size[1]);
        ASSERT_TRUE(resize_to(size[0], size[1]));
        clear_drawing_area();
        draw_diff_graphframe(&d, true, false, false);
        show_diff_plot(true, &d);
        flush_display();
        XSync(D, False);
        screenshot("damage_frames_" + std::to_string(size[0]));
        const int frame = right() - x0() + 3, box = box_right() - box_left() + 1;
        EXPECT_EQ(count_of(Color_Table[lightred], pixels_seen(x0() - 1, top() - 1, frame, 1)), frame)
            << "a gap in the plot area's top frame";
        EXPECT_EQ(count_of(Color_Table[lightred], pixels_seen(box_left(), box_bottom(), box, 1)), box)
            << "the caption crosses the box's bottom frame";
        EXPECT_EQ(count_of(Color_Table[white],
                           pixels_seen(box_left(), box_bottom() + 1, box, Maxy - box_bottom())),
                  0)
            << "the caption reaches below the box";
    }
    ASSERT_TRUE(resize_to(1024, 768));
}

// The options prompt of a paused damage run stands left of the damage
// count's box, whose frame stays whole while the prompt waits.
TEST_F(DamagePlot, OptionsPromptBesideTheDamageBoxNotOverIt)
{
    TestNetwork net(2, 40, 3);
    TestNetwork::set_rule_number(110);
    double_network();
    start_damage_statistics();
    random_damage_halves();
    nowscrolling = 0;
    d_mode = display_unset;
    int framed = -1, width = 0;
    {
        run_keys keys(true, [&] { return bar_shown(); }, [&](size_t i) {
            if (i != 0)
                return;
            screenshot("damage_options");
            int x0, y0, x1, y1;
            damage_box_corners(&x0, &y0, &x1, &y1);
            width = x1 - x0 + 1;
            framed = 0;
            for (unsigned long p : pixels_seen(x0, y0, width, 1))
                framed += p == Color_Table[lightred];
        });
        run_forward(carule);
    }
    flush_display();
    screenshot("damage_options_closed");
    checked_free(color_v);
    color_v = nullptr;
    EXPECT_GE(framed, width * 9 / 10) << "the options prompt covers the damage box";
}

} // namespace

namespace {

// A 1d run of rule 110 on 40 cells with the lookup histogram's side plot,
// swept down the window and paused after every step, read on the window
// at its last pause.
class SidePlotOfARun : public DamagePlot {
protected:
    void TearDown() override
    {
        stpgraph = stpgraph_none;
        DamagePlot::TearDown();
    }

    // Runs with the step pause's answers `keys` (a Return a step), then
    // ends the pausing and the run; the window left of the key panel as it
    // was at the last answer.
    void run_paused(const std::string &keys, const std::string &shot,
                    uint8_t side_plot = stpgraph_lookup_bars, uint8_t damage = diff_plot_off)
    {
        TestNetwork::set_rule_number(110);
        start_damage_statistics();
        diff_plot = damage;
        scrolling = 0;
        nowscrolling = 0;
        d_mode = display_unset;
        stpgraph = side_plot;
        stppause = stppause_step_next_run;
        random_damage_halves();
        width = key_panel_left();
        paced_thread typing = type_keys_looking(keys + "q", [&](size_t i) {
            if (i == keys.size() - 1) {
                seen = pixels_seen(0, 0, width, Maxy);
                screenshot(shot);
            }
        });
        run_while_typing(typing);
        checked_free(color_v);
        color_v = nullptr;
    }
    unsigned long at(int x, int y) const { return seen[static_cast<size_t>(y * width + x)]; }

    // The side plot's frame stands whole (two red columns over the lower
    // rows, where no pattern row reached yet); between its sides there is
    // nothing but the entropy trace, and the histogram's bars lie right of
    // it. Gives the frame's sides.
    std::pair<int, int> expect_side_plot_framed() const
    {
        EXPECT_EQ(seen.size(), static_cast<size_t>(width * Maxy)) << "the run never paused";
        if (seen.size() != static_cast<size_t>(width * Maxy))
            return {0, 0};
        std::vector<int> sides;
        for (int x = 0; x < width; x++) {
            bool whole = true;
            for (int y = Maxy * 3 / 4; y < Maxy - 4 && whole; y++)
                whole = at(x, y) == Color_Table[red];
            if (whole)
                sides.push_back(x);
        }
        EXPECT_EQ(sides.size(), 2u) << "the side plot's frame is not two whole sides";
        if (sides.size() != 2)
            return {0, 0};
        const int left = sides[0], right = sides[1];
        int foreign = 0, bars = 0;
        for (int y = 1; y < Maxy; y++) // below the frame's top side
            for (int x = left + 1; x < right; x++)
                foreign += at(x, y) != Color_Table[black] && at(x, y) != Color_Table[lightred];
        EXPECT_EQ(foreign, 0) << "the pattern, the damage view or bars inside the side plot's frame";
        // The histogram's place: beyond the frame's right side by a margin,
        // about as wide as the side plot (left of the pause's prompt box, for
        // this network at either screen size).
        const int beyond = std::min({width, right + 2 * (right - left) + vgax(10), prompt_box_left(Maxx)});
        for (int y = vgay(57); y < Maxy * 3 / 4; y++)
            for (int x = right + 1; x < beyond; x++)
                bars += at(x, y) != Color_Table[black];
        EXPECT_GT(bars, 0) << "no bars right of the frame";
        return {left, right};
    }

    std::vector<unsigned long> seen;
    int width = 0;
};

// With the damage view beside the pattern the side plot stands right of
// the view, and every row the run drew shows its trace inside the frame.
TEST_F(SidePlotOfARun, BesideTheDamageViewItStaysInsideItsFrame)
{
    TestNetwork net(2, 40, 3);
    run_paused(std::string(60, '\r'), "side_plot_beside_damage", stpgraph_lookup_bars,
               diff_plot_keep);
    auto [left, right] = expect_side_plot_framed();
    std::vector<int> rows_without_trace;
    for (int y = vgay(10); y < 200 && right > left; y++) {
        int trace = 0;
        for (int x = left + 1; x < right; x++)
            trace += at(x, y) == Color_Table[lightred];
        if (trace == 0)
            rows_without_trace.push_back(y);
    }
    EXPECT_TRUE(rows_without_trace.empty())
        << rows_without_trace.size() << " rows show no trace inside the frame, the first "
        << rows_without_trace.front();
}

// Cells grown by a pixel ('e' through the pause's on-the-fly option) move
// the side plot right by a pixel a cell; the histogram moves with it,
// its old bars cleared, and stays right of the frame.
TEST_F(SidePlotOfARun, AfterTheCellsGrowItStaysInsideItsFrame)
{
    TestNetwork net(2, 40, 3);
    run_paused(std::string(30, '\r') + "o\re" + std::string(30, '\r'), "side_plot_grown_cells");
    expect_side_plot_framed();
}

// A run begun with the density plot turned to the lookup histogram ('s'):
// the histogram stands right of the side plot's frame, not at the window's
// corner under the pattern.
TEST_F(SidePlotOfARun, TurnedFromTheDensityPlotItStaysInsideItsFrame)
{
    TestNetwork net(2, 40, 3);
    run_paused(std::string(10, '\r') + "o\rs" + std::string(30, '\r'), "side_plot_turned",
               stpgraph_density);
    expect_side_plot_framed();
}

} // namespace
