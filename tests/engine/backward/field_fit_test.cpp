// The fitted field layout: the depths measured for every basin against a
// walk of the successor map written from the rule's definition, the order
// and the rotation classes of the basins drawn, the depths of the
// neutral-order components against a search over every order listed, the row-by-row placement,
// the radius factor found against the placement itself, and the measure's
// stop.
#include "engine/backward/backward_test_support.h"
#include "engine/backward/neutral_test_support.h"
#include "support/ring_oracles.h"

#include <algorithm>
#include <set>

#include "engine/backward/basin_layout.h"
#include "engine/backward/field_fit.h"
#include "engine/backward/successor_table.h"
#include "engine/forward/globals.h"
#include "engine/model/value_line.h"
#include "engine/backward/tree_geometry.h"

namespace {

// The deepest level of each basin of the walk, by its cycle, and those
// levels in the order of the basins' first states (uncompressed, one basin
// for each cycle); the measure's depth of every state must be its basin's
// deepest level.
void
expect_depths_of_the_walk(const std::vector<uint32_t> &depth, const std::vector<uint32_t> &cycle_of,
                          std::map<uint32_t, uint32_t> &deepest, std::vector<uint32_t> &order)
{
    for (uint32_t s = 0; s < depth.size(); s++)
        deepest[cycle_of[s]] = std::max(deepest[cycle_of[s]], depth[s]);
    for (uint32_t s = 0; s < depth.size(); s++)
        ASSERT_EQ(basin_depth_of(s), deepest[cycle_of[s]]) << "state " << s;
    std::set<uint32_t> met;
    for (uint32_t s = 0; s < depth.size(); s++)
        if (met.insert(cycle_of[s]).second)
            order.push_back(deepest[cycle_of[s]]);
}

// The measure of the map in the successor table, next written out, against
// the walk of next: its depths, and its basins uncompressed in the order
// of their first states, in order; the table freed once measured.
void
expect_table_map_as_the_walk(const std::vector<uint32_t> &next, std::vector<uint32_t> &order)
{
    std::vector<uint32_t> depth, cycle_of;
    walk_map(next, depth, cycle_of);
    ASSERT_TRUE(measure_field_shape());
    free_successor_table();
    exhaustive_testing = exhaustive_off;
    std::map<uint32_t, uint32_t> deepest;
    ASSERT_NO_FATAL_FAILURE(expect_depths_of_the_walk(depth, cycle_of, deepest, order));
    EXPECT_EQ(drawn_basin_depths(false), order);
}

TEST(FieldShape, DepthsOfEveryBasinAsTheWalkOfTheMap)
{
    for (uint32_t rule : {30u, 54u, 110u, 150u}) {
        for (int n : {5, 8, 10}) {
            SCOPED_TRACE("rule " + std::to_string(rule) + " n " + std::to_string(n));
            TestNetwork net(2, n, 3);
            reset_backward_settings();
            TestNetwork::set_rule_number(rule);
            std::vector<uint32_t> depth, cycle_of;
            walk_map(ring_successors(n, rule), depth, cycle_of);
            ASSERT_TRUE(measure_field_shape());
            std::map<uint32_t, uint32_t> deepest;
            std::vector<uint32_t> order;
            ASSERT_NO_FATAL_FAILURE(expect_depths_of_the_walk(depth, cycle_of, deepest, order));
            EXPECT_EQ(drawn_basin_depths(false), order);
            // Compressed, one for each class of cycles that are rotations of
            // one another.
            auto rotations_key = [&](uint32_t c) {
                uint32_t key = UINT32_MAX;
                std::vector<uint32_t> next = ring_successors(n, rule);
                uint32_t x = c;
                do {
                    uint32_t r = x;
                    for (int i = 0; i < n; i++) {
                        key = std::min(key, r);
                        r = ((r << 1) | (r >> (n - 1))) & ((1u << n) - 1);
                    }
                    x = next[x];
                } while (x != c);
                return key;
            };
            std::vector<uint32_t> classes_order;
            std::set<uint32_t> classes, met;
            for (uint32_t s = 0; s < depth.size(); s++)
                if (met.insert(cycle_of[s]).second && classes.insert(rotations_key(cycle_of[s])).second)
                    classes_order.push_back(deepest[cycle_of[s]]);
            EXPECT_EQ(drawn_basin_depths(true), classes_order);
            forget_field_shape();
            EXPECT_EQ(basin_depth_of(0), 0u);
        }
    }
}

// A random map in the successor table (long chains into few cycles, and
// states that are their own successor): the measure reads the table, and
// its basins, depths and order are the walk of the table's map.
TEST(FieldShape, DepthsOfARandomMapFromTheTableAsTheWalkOfTheMap)
{
    for (int n : {1, 4, 9, 13}) {
        for (int seed : {3, 8}) {
            SCOPED_TRACE("n " + std::to_string(n) + " seed " + std::to_string(seed));
            TestNetwork net(2, n, 3);
            reset_backward_settings();
            srandom(seed);
            exhaustive_testing = exhaustive_random_map;
            ASSERT_EQ(fill_successor_table(-1, 0), 1);
            std::vector<uint32_t> next(size_t(1) << n);
            for (uint32_t s = 0; s < next.size(); s++)
                next[s] = dec_equiv(exh_pairs + static_cast<size_t>(s) * bytesL, L);
            std::vector<uint32_t> order;
            ASSERT_NO_FATAL_FAILURE(expect_table_map_as_the_walk(next, order));
            if (n > 4) {
                EXPECT_GT(*std::max_element(order.begin(), order.end()), 2u)
                    << "a random map this size has chains";
            }
            forget_field_shape();
        }
    }
}

// A map of long chains climbing towards a few cycles among the highest
// states: trees hundreds of levels deep with branches of every height
// joining them, and basins whose smallest state lies far from their cycle,
// so that the order of the basins is not that of their cycles. The
// measure's depths, basins and order are the walk of the map.
TEST(FieldShape, DeepChainsIntoHighCyclesAsTheWalkOfTheMap)
{
    const int n = 11;
    TestNetwork net(2, n, 3);
    reset_backward_settings();
    const uint32_t states = 1u << n;
    for (uint32_t seed : {5u, 11u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::vector<uint32_t> next(states);
        uint32_t x = seed;
        auto draw = [&](uint32_t range) {
            x = x * 1103515245u + 12345u;
            return (x >> 8) % range;
        };
        const uint32_t top = states - 24; // the states from here map among themselves
        for (uint32_t s = 0; s < top; s++)
            next[s] = std::min(top + draw(24), s + 1 + draw(4));
        for (uint32_t s = top; s < states; s++)
            next[s] = top + draw(24);
        std::vector<uint8_t> records(static_cast<size_t>(states) * bytesL, 0);
        for (uint32_t s = 0; s < states; s++)
            dec_to_value_line(records.data() + static_cast<size_t>(s) * bytesL, next[s], n);
        exhaustive_testing = exhaustive_table;
        ASSERT_EQ(adopt_successor_table(records.data()), 1);
        std::vector<uint32_t> order;
        ASSERT_NO_FATAL_FAILURE(expect_table_map_as_the_walk(next, order));
        EXPECT_GT(*std::max_element(order.begin(), order.end()), 300u) << "the chains are deep";
        forget_field_shape();
    }
}

// The neutral-order field: one component per group of orders the neutral
// swaps join, in the order of their smallest orders, each as deep as the
// farthest of its orders is from that smallest one (swaps counted over the
// brute-force list of every order).
TEST(FieldShape, NeutralComponentDepthsAsTheSwapsFromTheirSmallestOrder)
{
    for (int n : {1, 3, 5, 6}) {
        for (int seed : {1, 2, 3}) {
            SCOPED_TRACE("n " + std::to_string(n) + " seed " + std::to_string(seed));
            TestNetwork net(2, n, 2);
            reset_backward_settings();
            srandom(seed);
            wire_at_random(false);
            std::vector<uint32_t> expected, roots;
            for (const brute_component &c : brute_components(n)) {
                roots.push_back(c.root);
                expected.push_back(c.depth);
            }
            ASSERT_TRUE(measure_neutral_field_shape(n, SIZE_MAX));
            EXPECT_EQ(drawn_basin_depths(false), expected);
            for (uint32_t i = 0, b = 0; i < roots.size(); i++)
                ASSERT_EQ(basin_depth_of(roots[i]), expected[b++]) << "root " << roots[i];
            // A field measured up to a count keeps its first components.
            ASSERT_TRUE(measure_neutral_field_shape(n, 2));
            std::vector<uint32_t> first(expected.begin(), expected.begin() + std::min<size_t>(2, expected.size()));
            EXPECT_EQ(drawn_basin_depths(false), first);
            forget_field_shape();
            EXPECT_EQ(basin_depth_of(0), 0u);
        }
    }
    // 11! orders: measured from the wiring all the same.
    TestNetwork net(2, 11, 3);
    reset_backward_settings();
    ASSERT_TRUE(measure_neutral_field_shape(11, SIZE_MAX));
    EXPECT_EQ(drawn_basin_depths(false).size(), (1u << 11) - 2);
    forget_field_shape();
}

// A page holds no more boxes than the count given: boxes of the smallest
// size, 2 pixels, fill fewer.
TEST(FieldShape, NoPageHoldsMoreBoxesThanTheBound)
{
    const node_reach smallest = {1, 1, 1, 1};
    for (int gap : {0, 1, 4}) {
        for (field_area area : {field_area{3, 70, 1020, 640}, field_area{0, 0, 9, 4}}) {
            shelf s;
            start_shelf(s, area);
            size_t placed = 0;
            int x, y;
            while (place_on_shelf(s, area, smallest, gap, &x, &y))
                placed++;
            EXPECT_LT(placed, most_boxes_on_page(area, gap)) << "gap " << gap;
        }
    }
}

// The stop of a measure, counting its asks: it says stop at the
// measure_stop_at-th (never for 0).
int measure_asks = 0, measure_stop_at = 0;

bool
stop_measure_at_ask()
{
    return ++measure_asks == measure_stop_at;
}

// A measure asks its stop at least once for each 4096 states of each of
// its five passes over every state (the successors, the count of their
// predecessors, the leaves, the cycles and the numbering); never stopped it
// measures what it measures without a stop, and stopped at any of its asks
// it keeps nothing.
TEST(FieldShape, AMeasureStoppedAtAnyAskKeepsNothing)
{
    const int n = 14;
    TestNetwork net(2, n, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(110);
    ASSERT_TRUE(measure_field_shape());
    const std::vector<uint32_t> whole = drawn_basin_depths(false);
    measure_asks = measure_stop_at = 0;
    ASSERT_TRUE(measure_field_shape(stop_measure_at_ask));
    EXPECT_EQ(drawn_basin_depths(false), whole);
    const int asks = measure_asks;
    EXPECT_GE(asks, 5 * (1 << n) / 4096);
    for (measure_stop_at = 1; measure_stop_at <= asks; measure_stop_at++) {
        measure_asks = 0;
        EXPECT_FALSE(measure_field_shape(stop_measure_at_ask)) << "stopped at ask " << measure_stop_at;
        EXPECT_EQ(measure_asks, measure_stop_at) << "asked on after it said stop";
        EXPECT_TRUE(drawn_basin_depths(false).empty());
        EXPECT_EQ(basin_depth_of(0), 0u);
    }
    // The next measure without a stop is whole again.
    ASSERT_TRUE(measure_field_shape());
    EXPECT_EQ(drawn_basin_depths(false), whole);
    forget_field_shape();
}

TEST(FieldShape, NotMeasuredBeyondTheLargestStateSpace)
{
    TestNetwork net(2, 23, 3);
    reset_backward_settings();
    EXPECT_FALSE(measure_field_shape());
    EXPECT_TRUE(drawn_basin_depths(false).empty());
}

TEST(FieldShelf, RowsFillLeftToRightThenWrapThenThePageIsFull)
{
    field_area area = {10, 20, 109, 79}; // 100 x 60
    shelf s;
    start_shelf(s, area);
    node_reach box = {10, 10, 20, 10}; // 30 wide, 20 high
    int x, y;
    ASSERT_TRUE(place_on_shelf(s, area, box, 2, &x, &y));
    EXPECT_EQ(x, 20);
    EXPECT_EQ(y, 30);
    ASSERT_TRUE(place_on_shelf(s, area, box, 2, &x, &y));
    EXPECT_EQ(x, 52); // 10 + 30 + 2 + 10
    ASSERT_TRUE(place_on_shelf(s, area, box, 2, &x, &y));
    EXPECT_EQ(x, 84);
    // 106 + 2 + 30 passes 109: a new row below the first.
    ASSERT_TRUE(place_on_shelf(s, area, box, 2, &x, &y));
    EXPECT_EQ(x, 20);
    EXPECT_EQ(y, 52);
    // A third row would end at 20 + 2 * 22 + 20 = 84 > 79.
    for (int i = 0; i < 2; i++)
        ASSERT_TRUE(place_on_shelf(s, area, box, 2, &x, &y));
    EXPECT_FALSE(place_on_shelf(s, area, box, 2, &x, &y));
    // A box larger than the area stands alone at the top left of a page.
    start_shelf(s, area);
    node_reach huge = {80, 80, 80, 80};
    ASSERT_TRUE(place_on_shelf(s, area, huge, 2, &x, &y));
    EXPECT_EQ(x, 90);
    EXPECT_EQ(y, 100);
}

// Whether the basins of depths fit one page at factor.
bool
fits_at(const std::vector<uint32_t> &depths, const field_area &area, const node_reach &node,
        float factor)
{
    shelf s;
    start_shelf(s, area);
    for (uint32_t d : depths) {
        node_reach box = basin_box(d, factor, node);
        int x, y;
        if (!place_on_shelf(s, area, box, 4, &x, &y) || x + box.right > area.right ||
            y + box.down > area.bottom)
            return false;
    }
    return true;
}

// The level radii of a start radius of 30 pixels in a table of its own;
// the table and last level in force before come back when it goes.
struct radii_of_30 {
    std::vector<float> table = std::vector<float>(91);
    float *saved = rad;
    uint16_t saved_last = lastlevel;
    radii_of_30()
    {
        rad = table.data();
        lastlevel = 90;
        startrad = 30;
        fill_level_radii();
    }
    ~radii_of_30()
    {
        rad = saved;
        lastlevel = saved_last;
    }
};

TEST(FieldFit, LargestFactorThatFitsAndTheLevelRadii)
{
    radii_of_30 radii;
    // Beyond the table the circles grow by its last step.
    float step = rad[89] - rad[88];
    EXPECT_FLOAT_EQ(level_radius(89), rad[89]);
    EXPECT_FLOAT_EQ(level_radius(92), rad[89] + 3 * step);
    EXPECT_FLOAT_EQ(basin_reach(0, 1.0f), 33.0f); // the cycle's circles
    EXPECT_FLOAT_EQ(basin_reach(5, 0.5f), rad[5] / 2);

    field_area area = {3, 70, 1020, 640};
    node_reach node = {2, 2, 38, 5};
    const std::vector<std::vector<uint32_t>> fields = {
        {2, 2, 3, 4, 4, 10, 10, 35}, {0, 0, 1, 126}, {1, 7, 10, 31}, {0}, {}};
    for (const auto &depths : fields) {
        float f = fitting_radius_factor(depths, area, node, 4, 0.01f);
        EXPECT_LE(f, 1.0f);
        EXPECT_TRUE(fits_at(depths, area, node, f));
        if (f < 1.0f) {
            EXPECT_FALSE(fits_at(depths, area, node, f * 1.01f));
        }
    }
    // A field too large for one page even at the smallest factor gets it.
    std::vector<uint32_t> many(400, 20);
    EXPECT_FLOAT_EQ(fitting_radius_factor(many, area, node, 4, 0.05f), 0.05f);
}

// Basins centred at given places (the nodes of a jump graph): the largest
// factor at which each lies inside the area, checked against the box of
// each basin worked out by hand from its reach.
TEST(FieldFit, CentredBasinsScaledUntilEachLiesInsideTheArea)
{
    radii_of_30 radii;
    const field_area area = {0, 0, 600, 400};
    const node_reach node = {2, 2, 6, 3};
    const std::vector<uint32_t> depths = {0, 3, 8};
    // Far from every edge at full size: factor 1.
    std::vector<basin_centre> centres = {{100, 100}, {250, 150}, {400, 200}};
    ASSERT_TRUE(centred_basins_fit(depths, centres, area, node, 1.0f));
    EXPECT_FLOAT_EQ(centred_radius_factor(depths, centres, area, node, 0.01f), 1.0f);
    // The deepest basin 30 pixels above the bottom: its reach r, plus 1
    // and the node's 3 pixels down, must stay within 30.
    centres[2] = {400, 370};
    float f = centred_radius_factor(depths, centres, area, node, 0.01f);
    EXPECT_LT(f, 1.0f);
    EXPECT_LE(static_cast<int>(basin_reach(8, f)) + 1 + 3, 30);
    EXPECT_GT(static_cast<int>(basin_reach(8, f * 1.02f)) + 1 + 3, 30);
    EXPECT_TRUE(centred_basins_fit(depths, centres, area, node, f));
    // A centre outside the area fits at no factor: the smallest is given.
    centres[0] = {-5, 100};
    EXPECT_FALSE(centred_basins_fit(depths, centres, area, node, 0.05f));
    EXPECT_FLOAT_EQ(centred_radius_factor(depths, centres, area, node, 0.05f), 0.05f);
}

} // namespace
