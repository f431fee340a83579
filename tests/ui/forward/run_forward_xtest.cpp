// Forward runs on the real window: rule 90 from a single cell drawn row by
// row and compared with the engine's states, paging and scrolling, a 2d
// frame, the forward steps before a subtree, wires moved by a running key
// on a ring, the step pause's prompt above the key panel, the attractor
// cycle handed to the basin drawing, and the history-limit message.
#include "support/x_test_fixture.h"

#include <string>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "engine/backward/globals.h"
#include "engine/backward/tree_data_lines.h"
#include "engine/forward/globals.h"
#include "engine/wiring/globals.h"
#include "ui/driver/globals.h"
#include "ui/driver/mutation.h"
#include "ui/driver/network_growth.h"
#include "ui/forward/key_panel.h"
#include "ui/forward/run_forward.h"
#include "ui/forward/running_keys.h"
#include "ui/model/cell_display.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"

namespace {

// What the basin drawing reported of the basins a run drew: its data lines
// ("single basin. " att[1] in hex, then basinno (period) size ...).
struct basin_probe {
    uint32_t calls = 0;       // basin data lines written
    uint32_t period = 0;      // period of the last basin
    uint32_t size = 0;        // basin size of the last basin
    std::string att_hex;      // its first attractor state in hex
    std::string line;         // its whole data line
};

// Runs the network forward from A with the basin data line on standard
// error, and reads the lines back.
basin_probe
run_forward_probed()
{
    uint8_t saved_pdata = pdata, saved_numbers = shownumbers;
    int16_t saved_ox = ox, saved_oy = oy;
    pdata = data_basins;
    shownumbers = shownumbers_spot; // nodes as spots: no value colours needed
    // The basin at the window's centre, where the layout stage places a
    // single basin (its default offsets), not at the corner (0,0).
    ox = static_cast<int16_t>(Maxx / 2);
    oy = static_cast<int16_t>(Maxy / 2);
    testing::internal::CaptureStderr();
    run_forward(carule);
    std::string out = testing::internal::GetCapturedStderr();
    pdata = saved_pdata;
    shownumbers = saved_numbers;
    ox = saved_ox;
    oy = saved_oy;
    basin_probe probe;
    const std::string head = "single basin. ";
    for (size_t at = out.find(head); at != std::string::npos; at = out.find(head, at + 1)) {
        probe.calls++;
        probe.line = out.substr(at, out.find('\n', at) - at);
        char hex[200];
        unsigned no = 0;
        unsigned long period = 0, size = 0;
        if (sscanf(probe.line.c_str() + head.size(), "%199s %u (%lu) %lu", hex, &no, &period,
                   &size) == 4) {
            probe.att_hex = hex;
            probe.period = static_cast<uint32_t>(period);
            probe.size = static_cast<uint32_t>(size);
        }
    }
    return probe;
}

class ForwardRun : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        setviewport(0, 0, Maxx, WinMaxy, 1);
        clearviewport();
        setviewport(0, 0, Maxx, Maxy, 1);
        moveto(0, 0);
        // The rule figures the pause point computes (start-up makes them).
        give_rule_figures();
    }
    void TearDown() override
    {
        direction = direction_unset;
        limitcheck = 0;
        stepforward = 0;
        stp = 0;
        scrolling = 0;
        d_mode = display_unset;
        stppause = stppause_none;
        ittpause = 0;
        scale = 0;
        frozen_gens = 20;
    }

    // A v = 2 network's colours and a single 1 at the centre of A.
    static void single_cell_seed()
    {
        setup_value_colors(1);
        memset(A, 0, bytesL);
        set_value(A, lineL / 2, 1);
    }
    static void free_colours()
    {
        checked_free(color_v);
        color_v = nullptr;
    }
    // The states of rule 90 on the ring from A, steps 0..count-1.
    static std::vector<std::vector<int>> rule90_states(int count)
    {
        std::vector<std::vector<int>> states{state_values(A)};
        int n = lineL;
        for (int t = 1; t < count; t++) {
            const std::vector<int> &s = states.back();
            std::vector<int> next(n);
            for (int c = 0; c < n; c++)
                next[c] = s[(c + n - 1) % n] ^ s[(c + 1) % n];
            states.push_back(next);
        }
        return states;
    }
    // The colour of a cell drawn at (x, y), read inside it.
    static unsigned long cell_pixel(int x, int y) { return window_pixel(x + 1, y + 1); }
    // Whether row `row` of the window shows state s (cell c at x = (L-c)*s).
    static void expect_row(const std::vector<int> &state, int row, int s, const char *what)
    {
        for (int c = 0; c < lineL; c++) {
            unsigned long want = state[c] ? Color_Table[yellow] : Color_Table[black];
            ASSERT_EQ(cell_pixel((L - c) * s, row * s), want)
                << what << ": row " << row << " cell " << c;
        }
    }
    // The pixels of the row's cells, as a signature.
    static std::vector<unsigned long> row_signature(int y, int s)
    {
        std::vector<unsigned long> row;
        for (int c = 0; c < lineL; c++)
            row.push_back(cell_pixel((L - c) * s, y));
        return row;
    }
};

TEST_F(ForwardRun, Rule90RowsMatchTheEngineStates)
{
    TestNetwork net(2, 64, 3);
    TestNetwork::set_rule_number(90);
    single_cell_seed();
    auto states = rule90_states(20);
    // A forward-only run that pauses at step 20 in the pause box, where the
    // sender's 'q' ends it.
    direction = direction_forward;
    stp = 1;
    scale = 4;
    stppause = stppause_box;
    ittpause = 20;
    {
        keys_at_each_wait sender("q");
        run_forward(carule);
    }
    EXPECT_EQ(is[0], 'q');
    for (int t = 0; t < 20; t++)
        expect_row(states[t], t, 4, "forward-only");
    // Value 1 is yellow and value 0 the background; the cells touch.
    int centre = (L - lineL / 2) * 4;
    EXPECT_EQ(window_pixel(centre, 0), Color_Table[yellow]);
    EXPECT_EQ(window_pixel(centre + 3, 3), Color_Table[yellow]);
    EXPECT_EQ(window_pixel(centre + 4, 0), Color_Table[black]);
    free_colours();
}

TEST_F(ForwardRun, StepsBeforeASubtreeAreExactlyStepforward)
{
    TestNetwork net(2, 64, 3);
    TestNetwork::set_rule_number(90);
    single_cell_seed();
    auto states = rule90_states(8);
    direction = direction_backward;
    stepforward = 7;
    stp = 0;
    scale = 4;
    run_forward(carule);
    EXPECT_EQ(is[0], 0);
    EXPECT_EQ(state_values(A), states[7]);
    // Drawn, the run leaves the same state and shows its rows.
    single_cell_seed();
    stp = 1;
    run_forward(carule);
    EXPECT_EQ(state_values(A), states[7]);
    for (int t = 0; t < 7; t++)
        expect_row(states[t], t, 4, "before a subtree");
    free_colours();
}

// The step of a ring from the formula, whatever the wiring table holds.
std::vector<int>
ring_step(const std::vector<int> &now, const uint8_t *rule)
{
    int n = static_cast<int>(now.size());
    std::vector<int> next(now.size());
    for (int c = 0; c < n; c++) {
        uint32_t x = 0;
        for (int j = 0; j < nhood; j++)
            x |= static_cast<uint32_t>(now[((c - nhood / 2 + j) % n + n) % n]) << j;
        next[c] = get_value(rule, x);
    }
    return next;
}

// A ring of 100 cells (two words, the second part full) steps 64 cells at a
// time; wires moved by the running key 'm' in a forward-only run must be
// followed from the very next step, the first row drawn after the key (the
// fourth) included. The step pause is on from the first
// step: at its third prompt 'o' takes the on-the-fly key 'm' (which also
// counts the time-steps from 0 again); at the next, 'i' opens the pause box,
// whose 'x' and Return turn the pause at ittpause on; there the box opens
// again and its 'q' ends the run, 3 + 8 steps from the start.
TEST_F(ForwardRun, WiresMovedInTheRunAreFollowedAtTheNextStep)
{
    TestNetwork net(2, 100, 3);
    srandom(41);
    TestNetwork::set_random_rule();
    setup_value_colors(1);
    set_random_state();
    set_network_change_hooks({can_resize_by_one, wire_rule_extra_cell, wire_move});
    int32_t saved_wires = wires_to_move;
    uint8_t saved_nonlocal = nonlocal;
    wires_to_move = 60;
    direction = direction_forward;
    stp = 1;
    scale = 4;
    stppause = stppause_step_next_run;
    ittpause = 8;
    std::string keys = "\r\ro\rmi\rx\r";
    for (int t = 2; t <= 8; t++)
        keys += "\r";
    paced_thread typist = type_keys_paced(keys + "q");
    run_forward(carule);
    typist.join();
    wires_to_move = saved_wires;
    nonlocal = saved_nonlocal;
    EXPECT_EQ(is[0], 'q');

    // The rows drawn: a cell is 1 where it is not the background.
    const int s = 4;
    std::vector<std::vector<int>> rows;
    for (int t = 0; t < 11; t++) {
        std::vector<int> row(lineL);
        for (int c = 0; c < lineL; c++)
            row[c] = cell_pixel((L - c) * s, t * s) != Color_Table[black];
        rows.push_back(row);
    }
    rows.push_back(state_values(A)); // the state after the last step
    int told_apart = 0;
    for (int t = 0; t < 11; t++) {
        std::vector<int> by_ring = ring_step(rows[t], carule[0]);
        std::vector<int> by_table = reference_step(rows[t], carule);
        if (t < 2) {
            EXPECT_EQ(rows[t + 1], by_ring) << "step " << t + 1 << ", still the ring";
        } else {
            EXPECT_EQ(rows[t + 1], by_table) << "step " << t + 1 << ", wires moved";
            told_apart += by_ring != by_table;
        }
    }
    EXPECT_GT(told_apart, 0) << "the moved wires never changed a step: nothing was tested";
    free_colours();
}

// The step pause's prompt box at the top right ends above the key panel:
// the panel's top frame is whole while the prompt waits, on the narrow
// window of a 1024 x 768 screen too, where the prompt's lines take more
// rows than the panel leaves above it. The prompt's 'q' ends the pausing;
// a 'q' to the run then opens the pause box, whose 'q' ends the run.
TEST_F(ForwardRun, StepPauseBoxEndsAboveTheKeyPanel)
{
    TestNetwork net(2, 40, 3);
    TestNetwork::set_rule_number(110);
    single_cell_seed();
    direction = direction_forward;
    stp = 1;
    scale = 4;
    stppause = stppause_step_next_run;
    int left = Maxx + 1, framed = -1;
    paced_thread prompt = type_keys_looking("q", [&](size_t) {
        screenshot("step_pause_above_key_panel");
        left = key_panel_left();
        framed = 0;
        for (unsigned long p : pixels_seen(left, key_panel_top(), Maxx - 1 - left, 1))
            framed += p == Color_Table[lightred];
    });
    run_ended_at_pause_box(prompt, [] { run_forward(carule); });
    ASSERT_LT(left, Maxx) << "no key panel beside the pattern";
    EXPECT_EQ(framed, Maxx - 1 - left) << "the prompt box covers the key panel's top";
    free_colours();
}

TEST_F(ForwardRun, APageEndsWhenLessThanARowRemains)
{
    TestNetwork net(2, 64, 3);
    TestNetwork::set_rule_number(90);
    single_cell_seed();
    const int s = 4;
    int page = 1;  // the step after which the page is full
    while (page * s <= Maxy - s)
        page++;
    auto states = rule90_states(page + 4);
    direction = direction_backward;
    stepforward = static_cast<uint32_t>(page + 3);
    stp = 1;
    scale = s;
    scrolling = 0;
    run_forward(carule);
    // Steps page+1 .. page+3 are drawn from the top again; below them the
    // cleared page (the final state is printed one blank row further down).
    expect_row(states[page], 0, s, "new page");
    expect_row(states[page + 1], 1, s, "new page");
    expect_row(states[page + 2], 2, s, "new page");
    for (int y = 6 * s; y < 20 * s; y += s)
        for (int c = 0; c < lineL; c++)
            ASSERT_EQ(cell_pixel((L - c) * s, y), Color_Table[black]) << y << " " << c;
    free_colours();
}

TEST_F(ForwardRun, ScrollingMovesThePictureUpOneRowPerStep)
{
    TestNetwork net(2, 64, 3);
    TestNetwork::set_rule_number(90);
    const int s = 4;
    int steps = Maxy / s + 20;
    std::vector<std::vector<unsigned long>> before, after;
    for (int extra = 0; extra < 2; extra++) {
        setviewport(0, 0, Maxx, WinMaxy, 1);
        clearviewport();
        setviewport(0, 0, Maxx, Maxy, 1);
        moveto(0, 0);
        single_cell_seed();
        direction = direction_backward;
        stepforward = static_cast<uint32_t>(steps + extra);
        stp = 1;
        scale = s;
        scrolling = 1;
        run_forward(carule);
        auto &rows = extra ? after : before;
        for (int y = 0; y < Maxy / 2; y += s)
            rows.push_back(row_signature(y, s));
        free_colours();
    }
    int shown = 0;
    for (size_t r = 0; r + 1 < before.size(); r++) {
        EXPECT_EQ(after[r], before[r + 1]) << "row " << r;
        for (unsigned long p : before[r + 1])
            shown += p == Color_Table[yellow];
    }
    EXPECT_GT(shown, 100);  // the rows compared hold the pattern
}

TEST_F(ForwardRun, TwoDimensionalFrameShowsCellLAtTheTopLeft)
{
    TestNetwork net(2, 2, 10, 10, 1, 0);  // k = 0: every cell takes entry 0
    TestNetwork::set_rule_number(1);
    setup_value_colors(1);
    for (int c = 0; c < lineL; c++)
        set_value(A, static_cast<uint32_t>(c), (c % 10 + c / 10) % 2);
    std::vector<int> seed = state_values(A);
    direction = direction_backward;
    stepforward = 1;
    stp = 1;
    scale = 4;
    d_mode = display_2d;
    run_forward(carule);
    // The frame of step 1 shows the seed, every row of it: the final state,
    // printed as a 1d row, goes a row below the frame's bottom line, not
    // across the frame.
    for (int c = 0; c < lineL; c++) {
        int slot = L - c, x = (slot % 10) * 4, y = (slot / 10) * 4;
        ASSERT_EQ(cell_pixel(x, y), seed[c] ? Color_Table[yellow] : Color_Table[black]) << c;
    }
    const int row = 10 * 4 + 2 + 4; // the frame's 40 rows, its bottom line and a row apart
    for (int c = 0; c < lineL; c++) // rule 1 with k = 0 takes every cell to 1
        ASSERT_EQ(window_pixel((L - c) * 4, row), Color_Table[lightgreen]) << c; // beside its centre mark
    free_colours();
}

TEST_F(ForwardRun, ObliqueAndThreeDimensionalDisplaysRunAndRelease)
{
    TestNetwork net(2, 3, 6, 5, 4, 0);
    TestNetwork::set_rule_number(1);
    setup_value_colors(1);
    set_value(A, 7, 1);
    direction = direction_backward;
    stepforward = 30;
    stp = 1;
    scale = 5;
    for (uint8_t mode : {display_2d_time, display_3d}) {
        d_mode = mode;
        run_forward(carule);
        EXPECT_EQ(is[0], 0);
        EXPECT_EQ(boximage[16], 0u);  // the 3d base image is released
    }
    free_colours();
}

// Rule 170 shifts a 1 one cell per step: on 11 cells a single 1 returns
// after 11 steps.
void
shift_ring_of_eleven()
{
    TestNetwork::set_rule_number(170);
    memset(A, 0, bytesL);
    set_value(A, 0, 1);
}

TEST_F(ForwardRun, CycleIsHandedToTheBasinDrawing)
{
    TestNetwork net(2, 11, 3);
    shift_ring_of_eleven();
    std::vector<uint8_t> seed(A, A + bytesL);
    direction = direction_forward;
    limitcheck = 100;
    stp = 0;
    scale = 4;
    basin_probe basin = run_forward_probed();
    EXPECT_EQ(is[0], 0);
    EXPECT_EQ(attperiod, 0u);
    ASSERT_EQ(basin.calls, 1u);
    EXPECT_EQ(basin.period, 11u);
    EXPECT_EQ(basin.size, 11u); // the shift has no transients: the basin is its cycle
    EXPECT_EQ(basin.att_hex, state_hex(seed.data())); // the seed is on the cycle: att[1]
    EXPECT_EQ(att, nullptr);
}

TEST_F(ForwardRun, FixedPointAtTheFirstStep)
{
    TestNetwork net(2, 11, 3);
    TestNetwork::set_rule_number(0);
    memset(A, 0, bytesL);
    direction = direction_forward;
    limitcheck = 100;
    basin_probe basin = run_forward_probed();
    ASSERT_EQ(basin.calls, 1u);
    EXPECT_EQ(basin.period, 1u);
    std::vector<uint8_t> zero(bytesL, 0);
    EXPECT_EQ(basin.att_hex, state_hex(zero.data()));
    EXPECT_EQ(basin.size, 2048u); // rule 0: every state falls on 0 at once
}

TEST_F(ForwardRun, HistoryLimitMessageOnceThenTheBasin)
{
    TestNetwork net(2, 11, 3);
    shift_ring_of_eleven();
    std::vector<uint8_t> seed(A, A + bytesL);
    direction = direction_forward;
    limitcheck = 10;
    stp = 0;
    basin_probe basin;
    {
        keys_at_each_wait sender("\r");
        basin = run_forward_probed();
    }
    EXPECT_EQ(std::string(textb[0]), "att period=11, run in=11");
    EXPECT_EQ(std::string(textb[1]), "history limit=10 (too small), should be >= 11, cont-ret:");
    ASSERT_EQ(basin.calls, 1u);
    EXPECT_EQ(basin.period, 11u);
    // The cycle rebuilt from the period: the state at t = 11 (the seed) is
    // its first state, and the whole cycle is the basin.
    EXPECT_EQ(basin.att_hex, state_hex(seed.data()));
    EXPECT_EQ(basin.size, 11u);
    EXPECT_EQ(is[0], 0);
}

TEST_F(ForwardRun, HistoryLimitQuitEndsTheRun)
{
    TestNetwork net(2, 11, 3);
    shift_ring_of_eleven();
    direction = direction_forward;
    limitcheck = 10;
    basin_probe basin;
    {
        keys_at_each_wait sender("q");
        basin = run_forward_probed();
    }
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(basin.calls, 0u);
    EXPECT_EQ(att, nullptr);
}

// The same network, seed and rule run twice in one process give the same
// result: the same rows on the screen (a forward-only run of even k, whose
// rows are laid half a cell apart by a counter of the run, to the pause
// box at step 20, where the sender's 'q' ends it), the same state there,
// the same attractor; every block each run allocates is freed again.
// Nothing else is reset between the runs.
TEST_F(ForwardRun, TheSameRunTwiceGivesTheSameResult)
{
    TestNetwork net(2, 16, 4);
    srandom(2024);
    TestNetwork::set_random_rule();
    setup_value_colors(1);
    std::vector<uint8_t> seed(bytesL);
    for (auto &byte : seed)
        byte = static_cast<uint8_t>(random());
    std::vector<uint8_t> rule(carule[0], carule[0] + rule_bytes(nhood));
    const int s = 4;

    struct result {
        std::vector<std::vector<unsigned long>> rows;
        std::vector<uint8_t> paused_state;
        uint32_t period = 0;
        std::string basin_line;
    };
    auto run_once = [&]() {
        result r;
        setviewport(0, 0, Maxx, WinMaxy, 1);
        clearviewport();
        setviewport(0, 0, Maxx, Maxy, 1);
        moveto(0, 0);
        memcpy(A, seed.data(), bytesL);
        long allocated = live_allocations;
        direction = direction_forward;
        stp = 1;
        scale = s;
        stppause = stppause_box;
        ittpause = 20;
        {
            keys_at_each_wait sender("q");
            run_forward(carule);
        }
        EXPECT_EQ(is[0], 'q');
        EXPECT_EQ(live_allocations, allocated);
        for (int t = 0; t < 20; t++)
            r.rows.push_back(row_signature(t * s, s));
        r.paused_state.assign(A, A + bytesL);
        stppause = stppause_none;
        ittpause = 0;
        // The attractor search from the same seed, handed to the basin.
        memcpy(A, seed.data(), bytesL);
        stp = 0;
        limitcheck = 70000;
        basin_probe basin = run_forward_probed();
        limitcheck = 0;
        EXPECT_EQ(live_allocations, allocated);
        EXPECT_EQ(basin.calls, 1u);
        r.period = basin.period;
        r.basin_line = basin.line;
        return r;
    };
    result first = run_once();
    result second = run_once();

    int shown = 0;
    for (const auto &row : first.rows)
        for (unsigned long p : row)
            shown += p == Color_Table[yellow];
    EXPECT_GT(shown, 20); // the rows compared hold a pattern
    ASSERT_EQ(second.rows.size(), first.rows.size());
    for (size_t r = 0; r < first.rows.size(); r++)
        EXPECT_EQ(second.rows[r], first.rows[r]) << "row " << r;
    EXPECT_EQ(second.paused_state, first.paused_state);
    EXPECT_GT(first.period, 0u);
    EXPECT_EQ(second.period, first.period);
    EXPECT_EQ(second.basin_line, first.basin_line);
    EXPECT_EQ(std::vector<uint8_t>(carule[0], carule[0] + rule_bytes(nhood)), rule);
    free_colours();
}

} // namespace
