// The neutral-order mode without a window: a field of n cells covers the n!
// orders once, its components are those of a brute-force grouping of the
// orders by neutral swaps, the summary counts components, and the network
// comes back whole; a single component run; more than 12 cells refused.
#include "ui/backward/tree_test_support.h"

#include <regex>

#include "engine/backward/basin_totals.h"
#include "engine/backward/neutral_test_support.h"
#include "ui/driver/run_drivers.h"

namespace {

// The component sizes reported in the data lines, ascending.
std::vector<uint32_t>
reported_sizes(const std::string &out)
{
    std::vector<uint32_t> sizes;
    std::regex line("component size=([0-9]+) ");
    for (auto it = std::sregex_iterator(out.begin(), out.end(), line); it != std::sregex_iterator();
         ++it)
        sizes.push_back(static_cast<uint32_t>(std::stoul((*it)[1])));
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

void
neutral_settings()
{
    give_text_lines();
    reset_backward_settings();
    stepforward = 0;
    show_one_att_state = 0;
    seq_update = 0;
    neutral_order = 1;
}

// The neutral field of the network in the globals, with its summary.
std::string
neutral_field()
{
    basinfield = 1;
    pdata = data_basins;
    testing::internal::CaptureStderr();
    draw_field();
    print_field_data();
    pdata = data_off;
    basinfield = 0;
    return testing::internal::GetCapturedStderr();
}

enum class wiring_kind { ring, cells_alone, every_cell_linked, random };

void
wire(wiring_kind kind, int n, int k)
{
    for (int c = 0; c < n; c++)
        for (int j = 0; j < k; j++) {
            uint16_t input = static_cast<uint16_t>(((c - k / 2 + j) % n + n) % n);
            if (kind == wiring_kind::cells_alone)
                input = static_cast<uint16_t>(c);
            else if (kind == wiring_kind::every_cell_linked)
                input = static_cast<uint16_t>((c + 1 + j) % n);
            else if (kind == wiring_kind::random)
                input = static_cast<uint16_t>(random() % n);
            wiring[c][j] = input;
        }
}

TEST(NeutralField, FourCellsGiveTwentyFourOrdersInTheirComponents)
{
    srandom(5);
    struct net_case {
        int n, k;
        wiring_kind kind;
    };
    for (net_case nc : {net_case{4, 3, wiring_kind::ring}, {4, 1, wiring_kind::cells_alone},
                        {4, 3, wiring_kind::every_cell_linked}, {4, 2, wiring_kind::random},
                        {4, 1, wiring_kind::random}, {5, 2, wiring_kind::random},
                        {6, 1, wiring_kind::random}})
        for (int pass = 0; pass < 2; pass++) { // run twice: nothing carried over
            TestNetwork net(2, nc.n, nc.k);
            neutral_settings();
            wire(nc.kind, nc.n, nc.k);
            TestNetwork::set_rule_number(110);
            uint8_t *seed = bitseed;
            std::vector<uint32_t> expected = brute_component_sizes(nc.n);
            uint32_t orders = fact(nc.n);
            SCOPED_TRACE("n " + std::to_string(nc.n) + " k " + std::to_string(nc.k) + " kind " +
                         std::to_string(static_cast<int>(nc.kind)));
            std::string out = neutral_field();
            EXPECT_EQ(earlyexitfield, 0);
            EXPECT_EQ(fieldsize, orders);
            EXPECT_EQ(progbar, orders);
            EXPECT_EQ(totbasinsinfield, expected.size());
            EXPECT_EQ(reported_sizes(out), expected);
            char lines[80];
            snprintf(lines, sizeof lines, "total components=%zu\nn=%d field=%u\n", expected.size(),
                     nc.n, orders);
            EXPECT_NE(out.find(lines), std::string::npos) << out;
            // The network is back, its seed too; the mode and its table are gone.
            EXPECT_EQ(lineL, nc.n);
            EXPECT_EQ(bitseed, seed);
            EXPECT_EQ(neutral_order, 0);
            EXPECT_EQ(templineL, 0);
            EXPECT_EQ(nonlocal, 0);
            EXPECT_EQ(comp_type, nullptr);
            EXPECT_EQ(tickoff, nullptr);
        }
}

TEST(NeutralField, EveryOrderAloneWhenEveryCellIsLinked)
{
    TestNetwork net(2, 4, 3);
    neutral_settings();
    wire(wiring_kind::every_cell_linked, 4, 3);
    std::string out = neutral_field();
    EXPECT_EQ(totbasinsinfield, 24u);
    EXPECT_EQ(reported_sizes(out), std::vector<uint32_t>(24, 1));
    EXPECT_EQ(fieldgofE, 24u); // a component of one order has no pre-image
}

TEST(NeutralField, OneComponentOfTwentyFourWhenNoCellIsLinked)
{
    TestNetwork net(2, 4, 1);
    neutral_settings();
    wire(wiring_kind::cells_alone, 4, 1);
    std::string out = neutral_field();
    EXPECT_EQ(totbasinsinfield, 1u);
    EXPECT_EQ(reported_sizes(out), std::vector<uint32_t>{24});
}

TEST(NeutralField, ThirteenCellsRefused)
{
    TestNetwork net(2, 13, 3);
    neutral_settings();
    long before = live_allocations;
    uint8_t *seed = bitseed;
    basinfield = 1;
    draw_field();
    basinfield = 0;
    EXPECT_EQ(earlyexitfield, 1);
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(lineL, 13);
    EXPECT_EQ(bitseed, seed);
    EXPECT_EQ(neutral_order, 0);
    EXPECT_EQ(live_allocations, before);
    is[0] = 0;
}

TEST(NeutralSubtree, ThirteenCellsRefused)
{
    TestNetwork net(2, 13, 3);
    neutral_settings();
    long before = live_allocations;
    uint8_t *seed = bitseed;
    pdata = data_basins;
    testing::internal::CaptureStderr();
    upstream_only();
    std::string out = testing::internal::GetCapturedStderr();
    pdata = data_off;
    EXPECT_EQ(out, ""); // no component reported
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(lineL, 13);
    EXPECT_EQ(bitseed, seed);
    EXPECT_EQ(neutral_order, 0);
    EXPECT_EQ(live_allocations, before);
    is[0] = 0;
}

TEST(NeutralSubtree, SingleComponentOfOrderZero)
{
    for (int pass = 0; pass < 2; pass++) {
        srandom(9);
        TestNetwork net(2, 5, 2);
        neutral_settings();
        // Forward steps before the root do not apply to an order's rank.
        stepforward = pass ? 5 : 0;
        wire(wiring_kind::random, 5, 2);
        // Order 0's component by brute force: the orders its swaps reach.
        std::vector<std::vector<uint16_t>> all = orders_by_rank(5);
        std::vector<bool> seen(all.size());
        std::vector<uint32_t> todo{0};
        seen[0] = true;
        uint32_t size = 0;
        while (!todo.empty()) {
            uint32_t t = todo.back();
            todo.pop_back();
            size++;
            for (uint32_t s : brute_neutral_neighbours(all, t))
                if (!seen[s]) {
                    seen[s] = true;
                    todo.push_back(s);
                }
        }
        long before = live_allocations;
        pdata = data_basins;
        testing::internal::CaptureStderr();
        upstream_only();
        std::string out = testing::internal::GetCapturedStderr();
        pdata = data_off;
        EXPECT_EQ(out.rfind("component size=" + std::to_string(size) + " ", 0), 0u) << out;
        EXPECT_EQ(totsubtree, size);
        EXPECT_EQ(lineL, 5);
        EXPECT_EQ(neutral_order, 0);
        EXPECT_EQ(tickoff, nullptr);
        EXPECT_EQ(live_allocations, before);
    }
    stepforward = 0;
}

} // namespace
