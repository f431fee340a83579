// The size-range road on the window: one basin field per size of a ring,
// each with the field size and the number of basins a brute force of the
// ring at that size gives, a row per size, the options box at the end and
// the network back at the first size; a range of subtrees writes each
// size's rule readout once; and the component table of a neutral field,
// paged and left with 'q'.
#include "field_screen_support.h"

#include "engine/backward/backward_test_support.h"
#include "support/ring_oracles.h"
#include "engine/wiring/out_degrees.h"
#include "ui/driver/globals.h"
#include "ui/driver/run_drivers.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/model/cell_display.h"
#include "ui/backward/globals.h"
#include "engine/backward/basin_layout.h"
#include "ui/screen/boxes.h"
#include "engine/model/checked_alloc.h"

namespace {

// The attractor cycles of an n-ring of k = 3 under an elementary rule,
// the successor written from the rule's definition: entry l + 2c + 4r.
uint32_t
brute_ring_cycles(int n, uint32_t rule)
{
    std::vector<uint32_t> next = ring_successors(n, rule);
    std::vector<uint8_t> seen(next.size());
    uint32_t cycles = 0;
    for (uint32_t s = 0; s < next.size(); s++) {
        uint32_t x = s;
        while (!seen[x]) {
            seen[x] = 1;
            x = next[x];
        }
        cycles += seen[x] == 1;
        for (uint32_t y = s; seen[y] == 1; y = next[y])
            seen[y] = 2;
    }
    return cycles;
}

class SizeRangeWindow : public FieldScreenTest {
protected:
    void SetUp() override
    {
        FieldScreenTest::SetUp();
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        is[0] = 0;
    }
    void TearDown() override
    {
        rangeL = 0;
        fieldpause = 0;
        pdata = data_off;
        FieldScreenTest::TearDown();
    }
};

// A ring that change_net_size and the growth by one cell can resize.
void
resizable_ring()
{
    whatwire = whatwire_1d;
    nonlocal = 0;
    zonesize = lineL;
    cell_out_freq();
}

// The subtrees of a ring under rule: spots for nodes, no forward steps, no
// attractor state drawn, no data pause.
void
subtrees_of_ring(uint32_t rule)
{
    reset_backward_settings();
    resizable_ring();
    shownumbers = shownumbers_spot;
    stepforward = 0;
    show_one_att_state = 0;
    datapause = datapause_unset;
    TestNetwork::set_rule_number(rule);
    basinfield = 0;
    direction = direction_backward;
}

// The text written before each of the first count subtree reports of out,
// the report's own line left out; fewer where out holds fewer reports.
std::vector<std::string>
texts_before_reports(const std::string &out, size_t count)
{
    std::vector<std::string> texts;
    for (size_t from = 0; texts.size() < count;) {
        const size_t report = out.find("subtree=", from);
        if (report == std::string::npos)
            break;
        texts.push_back(out.substr(from, report - from));
        from = out.find('\n', report);
    }
    return texts;
}

// A range of fields of the ring from sizes first to last, the first field
// about to be drawn, with no step and no fan-size histogram on the way.
void
range_of_sizes(uint16_t first, uint16_t last)
{
    rangeL = 1;
    startL = first;
    endL = last;
    rangebytesL = bytesL;
    fieldno = 0;
    pre_fansize_freq_hist = 0;
    stp = 0;
}

TEST_F(SizeRangeWindow, OneFieldPerSizeThenTheOptionsBox)
{
    for (uint32_t rule : {110u, 30u}) {
        TestNetwork net(2, 4, 3);
        reset_backward_settings();
        resizable_ring();
        shownumbers = shownumbers_spot;
        dontcompress = 1;
        TestNetwork::set_rule_number(rule);
        basinfield = 1;
        direction = direction_forward;
        range_of_sizes(4, 8);
        fieldpause = 0;
        mutantdontpause = 0; // the options box closes the range
        firstox = ox = 60;
        firstoy = oy = 80;
        xspacing = yspacing = startxspacing = startyspacing = 40;
        xspacefact = yspacefact = 1.1f;
        rightborder = 0.5f;
        fit_field_layout = 0; // the rows by the layout's spacing
        pdata = data_basins;
        testing::internal::CaptureStderr();
        paced_thread keys = type_keys_paced("\r");
        draw_range_field();
        keys.join();
        std::string out = testing::internal::GetCapturedStderr();
        pdata = data_off;
        std::vector<uint32_t> sizes = numbers_after(out, "n=[0-9]+ field=([0-9]+)\n");
        std::vector<uint32_t> basins = numbers_after(out, "total basins=([0-9]+)\n");
        ASSERT_EQ(sizes.size(), 5u) << out;
        ASSERT_EQ(basins.size(), 5u);
        for (int n = 4; n <= 8; n++) {
            EXPECT_EQ(sizes[n - 4], 1u << n);
            EXPECT_EQ(basins[n - 4], brute_ring_cycles(n, rule)) << "rule " << rule << " n " << n;
        }
        EXPECT_EQ(fieldno, 5u);
        // Each size on its own row, the spacing grown at each.
        EXPECT_EQ(oy, 80 + 44 + 48 + 52 + 57);
        EXPECT_EQ(lineL, 4);
        EXPECT_EQ(bytesL, 1);
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }
}

TEST_F(SizeRangeWindow, RowsPastTheDrawingAreaStartAtTheTopAgain)
{
    TestNetwork net(2, 4, 3);
    reset_backward_settings();
    resizable_ring();
    shownumbers = shownumbers_spot;
    dontcompress = 1;
    TestNetwork::set_rule_number(90);
    basinfield = 1;
    direction = direction_forward;
    range_of_sizes(4, 9);
    fieldpause = 0;
    mutantdontpause = 1;
    firstox = ox = 60;
    firstoy = oy = 80;
    // Rows a third of the drawing area apart, growing by half each size.
    xspacing = startxspacing = 40;
    yspacing = startyspacing = static_cast<int16_t>(Maxy / 3);
    xspacefact = 1;
    yspacefact = 1.5f;
    rightborder = 0.5f;
    fit_field_layout = 0;
    int expected = 80, spacing = yspacing;
    for (int n = 5; n <= 9; n++) {
        spacing = static_cast<int>(spacing * 1.5f);
        expected = expected + spacing > Maxy ? 80 : expected + spacing;
    }
    draw_range_field();
    EXPECT_EQ(oy, expected);
    EXPECT_GE(oy, 80);
    EXPECT_LE(oy, Maxy);
    EXPECT_EQ(lineL, 4);
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
}

// What the window shows at a field's pause in a range: the field's size,
// the extent of its basins' boxes on its last page, and the rule box's
// pixels.
struct range_row_seen {
    int n;
    drawn_box extent;
    std::vector<unsigned long> rule_box;
    int marked_below; // pixels left below the row down to the row before's bottom
};

TEST_F(SizeRangeWindow, RangeFieldRowsStayInsideTheWindowApartWithTheirSizeInTheRuleBox)
{
    TestNetwork net(2, 8, 3);
    reset_backward_settings();
    resizable_ring();
    setup_value_colors(1);
    shownumbers = shownumbers_bits;
    scale = 2;
    field_layout_radii radii;
    fit_field_layout = 1;
    TestNetwork::set_rule_number(90);
    direction = direction_forward;
    range_of_sizes(8, 12);
    fieldpause = 1;      // the options box after each field: a look at each
    mutantdontpause = 0; // and at the end of the range
    clear_drawing_area();
    std::vector<range_row_seen> rows;
    int rule_top = 0;
    auto look = [&](size_t i) {
        if (i >= 5)
            return;
        range_row_seen seen{lineL, {Maxx, Maxy, 0, 0, true}, {}, 0};
        const std::vector<field_basin_box> &boxes = last_field_boxes();
        int last_page = boxes.empty() ? 0 : boxes.back().page;
        for (const field_basin_box &b : boxes) {
            if (b.page != last_page || b.box.empty)
                continue;
            seen.extent.x0 = std::min(seen.extent.x0, b.box.x0);
            seen.extent.y0 = std::min(seen.extent.y0, b.box.y0);
            seen.extent.x1 = std::max(seen.extent.x1, b.box.x1);
            seen.extent.y1 = std::max(seen.extent.y1, b.box.y1);
            seen.extent.empty = false;
        }
        rule_top = rule_box_top;
        seen.rule_box = pixels_seen(0, rule_box_top + 2, Maxx / 2, 2 * CHeight);
        if (!rows.empty() && rows.back().extent.y1 > seen.extent.y1) {
            int from = seen.extent.y1 + 1;
            unsigned long background = pixel_seen(Maxx - 3, Maxy - 3 * CHeight);
            for (unsigned long p : pixels_seen(3, from, Maxx - 6, rows.back().extent.y1 - from + 1))
                seen.marked_below += p != background;
        }
        rows.push_back(seen);
        screenshot("range_field_" + std::to_string(lineL));
    };
    paced_thread keys = type_keys_looking("\r\r\r\r\r\r", look);
    draw_range_field();
    keys.join();
    shownumbers = shownumbers_spot;
    checked_free(color_v);
    color_v = nullptr;
    ASSERT_EQ(rows.size(), 5u);
    for (size_t i = 0; i < rows.size(); i++) {
        const range_row_seen &r = rows[i];
        SCOPED_TRACE("size " + std::to_string(r.n));
        EXPECT_EQ(r.n, static_cast<int>(8 + i));
        ASSERT_FALSE(r.extent.empty);
        // Inside the window, above the rule box.
        EXPECT_GE(r.extent.x0, 0);
        EXPECT_LE(r.extent.x1, Maxx);
        EXPECT_GE(r.extent.y0, 0);
        EXPECT_LT(r.extent.y1, rule_top);
        if (i == 0)
            continue;
        const range_row_seen &before = rows[i - 1];
        // The rule box changed with the size.
        EXPECT_NE(r.rule_box, before.rule_box);
        // Below the row before, or on a new page: the rows before it gone.
        if (r.extent.y0 <= before.extent.y1) {
            EXPECT_LT(r.extent.y0, before.extent.y0) << "rows overlap";
            EXPECT_EQ(r.marked_below, 0) << "a new row over an old page";
        }
    }
    EXPECT_EQ(lineL, 8);
    clear_drawing_area();
}

// The range draws the rule box before each of its subtrees, with the size
// it runs at; the subtree draws no second one, which would copy the rule's
// readout to the data outputs a second time.
TEST_F(SizeRangeWindow, SubtreesOfARangeWriteTheirRuleOncePerSize)
{
    TestNetwork net(2, 4, 3);
    subtrees_of_ring(110);
    range_of_sizes(4, 6);
    mutantdontpause = 1; // no options box at the range's end
    firstox = ox = 60;
    firstoy = oy = 80;
    xspacing = startxspacing = yspacing = startyspacing = 60;
    rightborder = 0.5f;
    pdata = data_basins;
    testing::internal::CaptureStderr();
    draw_range_single();
    std::string out = testing::internal::GetCapturedStderr();
    pdata = data_off;
    mutantdontpause = 0;
    // Before each subtree's report, its size's readout once.
    const std::vector<std::string> texts = texts_before_reports(out, 3);
    ASSERT_EQ(texts.size(), 3u) << out;
    for (uint32_t n = 4; n <= 6; n++) {
        const std::string &before = texts[n - 4];
        EXPECT_EQ(numbers_after(before, "\\(dec\\)([0-9]+) ").size(), 1u) << "n " << n << ":\n" << before;
        EXPECT_EQ(numbers_after(before, "size=([0-9]+) "), std::vector<uint32_t>{n}) << before;
    }
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
}

TEST_F(SizeRangeWindow, EachMutantsRuleIsWrittenBeforeItsRun)
{
    TestNetwork net(2, 6, 3);
    subtrees_of_ring(0);
    mutant_layout = 1;
    mutate = mutation_single_flip;
    was_changed = 0;
    startmut = 7; // flips from the left: entries 7, 6, 5, 4
    endmut = 4;
    mutantdontpause = 1;
    firstox = ox = 60;
    firstoy = oy = 80;
    xspacing = startxspacing = yspacing = startyspacing = 60;
    rightborder = 0.5f;
    stp = 0;
    pdata = data_basins;
    testing::internal::CaptureStderr();
    mutant_one_screen_single();
    std::string out = testing::internal::GetCapturedStderr();
    pdata = data_off;
    mutant_layout = 0;
    mutate = mutation_none;
    // The text before each subtree's report names only that run's rule.
    const uint32_t rules[] = {0, 128, 64, 32, 16};
    const std::vector<std::string> texts = texts_before_reports(out, 6);
    ASSERT_EQ(texts.size(), 5u) << out; // one report for each run, no more
    for (size_t i = 0; i < texts.size(); i++) {
        std::vector<uint32_t> named = numbers_after(texts[i], "\\(dec\\)([0-9]+) ");
        ASSERT_FALSE(named.empty()) << out;
        for (uint32_t r : named)
            EXPECT_EQ(r, rules[i]);
    }
    EXPECT_EQ(ox, 60);
    EXPECT_EQ(oy, 80);
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
}

TEST_F(SizeRangeWindow, NeutralComponentTablePagedAndLeft)
{
    TestNetwork net(2, 4, 1);
    reset_backward_settings();
    stepforward = 0;
    show_one_att_state = 0;
    seq_update = 0;
    shownumbers = shownumbers_spot;
    for (int c = 0; c < 4; c++)
        wiring[c][0] = static_cast<uint16_t>(c == 3 ? 0 : c + 1); // a chain 0 <- 1 <- 2 <- 3 -> 0
    neutral_order = 1;
    basinfield = 1;
    firstox = ox = 60;
    firstoy = oy = 80;
    xspacing = yspacing = 40;
    rightborder = 0.5f;
    long before = live_allocations;
    uint8_t *seed = bitseed;
    // Return shows the first page again (the table fits one page), 'j' jumps
    // to row 0, 'q' leaves.
    paced_thread keys = type_keys_paced("\rj0\rq");
    draw_field();
    keys.join();
    EXPECT_EQ(fieldsize, 24u);
    EXPECT_GT(totbasinsinfield, 1u);
    EXPECT_EQ(lineL, 4);
    EXPECT_EQ(bitseed, seed);
    EXPECT_EQ(neutral_order, 0);
    EXPECT_EQ(comp_type, nullptr);
    EXPECT_EQ(live_allocations, before);
}

} // namespace
