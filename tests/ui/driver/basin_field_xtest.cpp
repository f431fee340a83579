// The basin field on the window: for elementary rules on rings of 6 to 12
// cells, with compression on and off, every state is placed once (the
// basins' volumes add up to v^n), the basins by period equal a brute-force
// analysis of the successor map, and the summary lines say so.
#include "field_screen_support.h"

#include <cstdio>
#include <map>
#include <string>
#include <thread>

#include "engine/backward/backward_test_support.h"
#include "engine/backward/basin_totals.h"
#include "engine/graphs/globals.h"
#include "ui/driver/run_drivers.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/screen/x_errors.h"

namespace {

class BasinField : public FieldScreenTest {
protected:
    // The field's data lines (pdata at data_basins) of rule on a ring of n cells, drawn
    // with the method set; the successor table's dialog is answered with
    // Return.
    static std::string
    field_lines(uint32_t rule, uint32_t n, uint8_t method)
    {
        TestNetwork net(2, n, 3);
        reset_backward_settings();
        shownumbers = shownumbers_spot;
        TestNetwork::set_rule_number(rule);
        return drawn_field_lines(method);
    }

    // The same for a network of n cells drawn at random from seed: random
    // wiring, k from 1 to 3 for each cell when mixed, one rule or a rule per
    // cell. Without the table the general method finds the pre-images.
    static std::string
    random_field_lines(unsigned seed, uint32_t n, const random_network &how, uint8_t method)
    {
        TestNetwork net(2, n, 3);
        reset_backward_settings();
        shownumbers = shownumbers_spot;
        srandom(seed);
        wire_at_random(how.mixed);
        random_rules(how.mix_rules);
        std::string lines = drawn_field_lines(method);
        undo_rule_mix();
        return lines;
    }

    // The data lines of the field of the network built, by method.
    static std::string
    drawn_field_lines(uint8_t method)
    {
        exhaustive_testing = method;
        basinfield = 1;
        direction = direction_forward;
        pdata = data_basins;
        testing::internal::CaptureStderr();
        paced_thread typist = type_keys_paced(method ? "\r" : "");
        draw_field();
        typist.join();
        print_field_data();
        pdata = data_off;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        return testing::internal::GetCapturedStderr();
    }
};

// Cycles of the successor map: period -> number of cycles, and the
// garden-of-Eden states.
void
brute_field(const std::vector<uint32_t> &next, std::map<uint32_t, uint32_t> &periods,
            uint32_t &gofe)
{
    std::vector<uint8_t> seen(next.size()); // 0 new, 1 on this walk, 2 done
    for (uint32_t s = 0; s < next.size(); s++) {
        uint32_t x = s;
        while (!seen[x]) {
            seen[x] = 1;
            x = next[x];
        }
        if (seen[x] == 1) {
            uint32_t p = 1;
            for (uint32_t y = next[x]; y != x; y = next[y])
                p++;
            periods[p]++;
        }
        for (uint32_t y = s; seen[y] == 1; y = next[y])
            seen[y] = 2;
    }
    std::vector<bool> has_pre(next.size());
    for (uint32_t x : next)
        has_pre[x] = true;
    gofe = 0;
    for (bool b : has_pre)
        gofe += b ? 0 : 1;
}

TEST_F(BasinField, EveryStatePlacedOnceAndBasinsAsBruteForce)
{
    for (uint32_t rule : {0u, 30u, 90u, 110u, 150u, 184u, 204u})
        for (uint32_t n = 6; n <= 12; n += 3)
            for (int compress = 0; compress < 2; compress++) {
                TestNetwork net(2, n, 3);
                reset_backward_settings();
                shownumbers = shownumbers_spot; // nodes as spots: no value colours
                dontcompress = compress ? 0 : 1;
                TestNetwork::set_rule_number(rule);
                std::vector<uint32_t> next = successors();
                std::map<uint32_t, uint32_t> periods;
                uint32_t gofe;
                brute_field(next, periods, gofe);
                basinfield = 1;
                direction = direction_forward;
                stp = 0;
                pdata = data_basins;
                testing::internal::CaptureStderr();
                draw_field();
                print_field_data();
                std::string out = testing::internal::GetCapturedStderr();
                pdata = data_off;
                SCOPED_TRACE("rule " + std::to_string(rule) + " n " + std::to_string(n) +
                             " compress " + std::to_string(compress));
                EXPECT_EQ(earlyexitfield, 0);
                EXPECT_EQ(fieldsize, next.size());
                EXPECT_EQ(progbar, next.size());
                EXPECT_EQ(fieldgofE, gofe);
                uint32_t basins = 0;
                for (const auto &p : periods) {
                    basins += p.second;
                    if (p.first < 10) {
                        EXPECT_EQ(cycles[p.first], p.second) << "period " << p.first;
                    }
                }
                EXPECT_EQ(totbasinsinfield, basins);
                char size_line[60];
                snprintf(size_line, sizeof size_line, "n=%u field=%zu\n", n, next.size());
                EXPECT_NE(out.find(size_line), std::string::npos) << out;
                EXPECT_NE(out.find("ty.  at  no  (p)  s  %  g  gd  ml  mp\n"), std::string::npos);
                setviewport(0, 0, Maxx, Maxy, 1);
                clearviewport();
            }
}

// A field drawn before any run made a space-time pattern draws on the
// window: no drawing request fails.
TEST_F(BasinField, DrawnWithoutAPatternRunRaisesNoXError)
{
    TestNetwork net(2, 8, 3);
    reset_backward_settings();
    shownumbers = shownumbers_spot;
    TestNetwork::set_rule_number(110);
    basinfield = 1;
    direction = direction_forward;
    stp = 0;
    unsigned long errors = x_sync_errors();
    draw_field();
    EXPECT_EQ(earlyexitfield, 0);
    EXPECT_EQ(x_sync_errors(), errors);
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
}

TEST_F(BasinField, TableMethodGivesTheSameDataLines)
{
    for (uint32_t rule : {30u, 54u, 110u, 184u, 204u}) {
        std::string preimages = field_lines(rule, 9, exhaustive_off);
        std::string table = field_lines(rule, 9, exhaustive_table);
        EXPECT_EQ(table, preimages) << "rule " << rule;
        EXPECT_NE(table.find("n=9 field=512\n"), std::string::npos) << table;
    }
}

// The general method's fields, whose level lists hold state numbers, give
// the table's data lines: random wiring with one k or mixed k, one rule or
// a rule per cell.
TEST_F(BasinField, GeneralMethodGivesTheTablesDataLines)
{
    const random_network kinds[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    unsigned seed = 40;
    for (const random_network &how : kinds)
        for (uint32_t n : {7u, 11u}) {
            seed++;
            std::string general = random_field_lines(seed, n, how, exhaustive_off);
            std::string table = random_field_lines(seed, n, how, exhaustive_table);
            EXPECT_EQ(general, table) << "seed " << seed;
            char size_line[40];
            snprintf(size_line, sizeof size_line, "n=%u field=%u\n", n, 1u << n);
            EXPECT_NE(general.find(size_line), std::string::npos) << general;
        }
}

TEST_F(BasinField, PresetPositionsPlaceEachBasinAtItsNode)
{
    std::string first = field_lines(110, 8, exhaustive_off);
    uint32_t types = basintypeno;
    ASSERT_GT(types, 2u);
    // The graph's node positions, node k for basin type k.
    std::vector<int16_t> pairs(2 * (types + 1));
    std::vector<int16_t *> rows(types + 1);
    for (uint32_t k = 0; k <= types; k++) {
        rows[k] = &pairs[2 * k];
        rows[k][0] = static_cast<int16_t>(100 + 40 * k);
        rows[k][1] = static_cast<int16_t>(300 + 10 * k);
    }
    basin_pos = rows.data();
    node_no = types;
    use_preset_basin_pos = 1;
    std::string again = field_lines(110, 8, exhaustive_off);
    EXPECT_EQ(again, first);
    EXPECT_EQ(ox, rows[types][0]);
    EXPECT_EQ(oy, rows[types][1]);
    EXPECT_EQ(use_preset_basin_pos, 0); // the next field is laid out again
    basin_pos = nullptr;
    node_no = 0;
}

TEST_F(BasinField, QuitGivesNoSummaryTimes)
{
    // 'q' at the successor table's dialog: no scan at all.
    {
        TestNetwork net(2, 8, 3);
        reset_backward_settings();
        TestNetwork::set_rule_number(110);
        exhaustive_testing = exhaustive_table;
        basinfield = 1;
        direction = direction_forward;
        snprintf(textb[2], 80, "  9.999sec");
        paced_thread typist = type_keys_paced("q");
        draw_field();
        typist.join();
        EXPECT_EQ(is[0], 'q');
        EXPECT_EQ(earlyexitfield, 1);
        EXPECT_EQ(fieldsize, 0u);
        EXPECT_EQ(std::string(textb[2]), "  9.999sec"); // the field did not start
        EXPECT_EQ(exh_pairs, nullptr);
    }
    // 'q' while the basins are drawn.
    {
        TestNetwork net(2, 18, 3);
        reset_backward_settings();
        shownumbers = shownumbers_spot;
        TestNetwork::set_rule_number(110);
        basinfield = 1;
        direction = direction_forward;
        pdata = data_basins;
        // 'q' at once and at each wait until the field stops (a stop prompt
        // may ask again); keys typed after the stop are taken from the
        // queue unread.
        testing::internal::CaptureStderr();
        {
            keys_at_each_wait typist("q", true);
            draw_field();
        }
        print_field_data();
        std::string out = testing::internal::GetCapturedStderr();
        pdata = data_off;
        EXPECT_EQ(earlyexitfield, 1);
        EXPECT_LT(fieldsize, 1u << 18);
        EXPECT_EQ(textb[2][0], 0) << textb[2];
        EXPECT_NE(out.find("EARLY EXIT basin types="), std::string::npos) << out;
        EXPECT_EQ(out.find("sec"), std::string::npos) << out;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }
}

TEST(ElapsedCaption, SecondsBelowAMinuteMinutesFromOne)
{
    EXPECT_EQ(format_elapsed(59, 900000), "  59.900sec");
    EXPECT_EQ(format_elapsed(61, 500000), "  1min 1.500sec");
    EXPECT_EQ(format_elapsed(2, -250000), "  1.750sec");
}

// A random map's period table goes under the map's line of the rule box:
// that line reads as it does alone.
TEST_F(BasinField, RandomMapPeriodTableLeavesTheMapLineWhole)
{
    TestNetwork net(2, 6, 3);
    reset_backward_settings();
    shownumbers = shownumbers_spot;
    exhaustive_testing = exhaustive_random_map;
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    show_rule_bottom(nhood, 0, carule[0], 0);
    auto map_line = [] {
        std::vector<unsigned long> pixels;
        for (int y = rule_box_top + 1; y < rule_box_top + CHeight; y++)
            for (int x = vgax(125) + 1; x < vgax(550); x++)
                pixels.push_back(window_pixel(x, y));
        return pixels;
    };
    std::vector<unsigned long> alone = map_line();
    basinfield = 1;
    direction = direction_forward;
    srandom(3);
    paced_thread typist = type_keys_paced("\r\r"); // a random map, no Hamming distance
    draw_field();
    typist.join();
    EXPECT_EQ(fieldsize, 64u);
    EXPECT_TRUE(map_line() == alone) << "the period table is written over the map's line";
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
}

} // namespace
