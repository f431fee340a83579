// The tree geometry and the tree's text lines: radii beyond the table,
// headings and fan angles at the edge cases of the layout, the state-space
// matrix cells, and the tree and state lines byte for byte.
#include "engine/backward/backward_test_support.h"

#include <cmath>

#include "engine/backward/tree_data_lines.h"
#include "engine/backward/tree_geometry.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// A radius table of five levels about the centre (100, 100).
struct LayoutFixture : ::testing::Test {
    float table[5] = {10, 20, 25, 28, 30};
    float *saved_rad = rad;
    uint16_t saved_last = lastlevel;
    void
    SetUp() override
    {
        reset_backward_settings();
        rad = table;
        lastlevel = 5;
        ox = 100;
        oy = 100;
        orient_angle = 0;
        fan_angle_fact = 1;
    }
    void
    TearDown() override
    {
        rad = saved_rad;
        lastlevel = saved_last;
        level = 0;
        fansize = 0;
        attperiod = 0;
        thismax = 0;
    }
};

TEST_F(LayoutFixture, RadiiInsideAndBeyondTheTable)
{
    level = 2;
    set_level_radii();
    EXPECT_FLOAT_EQ(thisrad, 25);
    EXPECT_FLOAT_EQ(nextrad, 28);
    // The last step (2 pixels) goes on beyond the table.
    level = 4;
    set_level_radii();
    EXPECT_FLOAT_EQ(thisrad, 30);
    EXPECT_FLOAT_EQ(nextrad, 32);
    level = 40;
    set_level_radii();
    EXPECT_FLOAT_EQ(thisrad, 30 + 2 * 36);
    EXPECT_FLOAT_EQ(nextrad - thisrad, 2);
    EXPECT_FLOAT_EQ(spot_radius(), 2 * 0.125f * thisrad / nextrad);
}

TEST_F(LayoutFixture, HeadingOfEachQuadrant)
{
    level = 1;
    attperiod = 3;
    struct {
        int dx, dy;
        double heading;
    } cases[] = {{10, 0, 0},           {10, 10, kPi / 4},       {-10, 10, 3 * kPi / 4},
                 {-10, -10, 5 * kPi / 4}, {10, -10, 7 * kPi / 4}, {0, -10, 3 * kPi / 2},
                 {0, 10, kPi / 2}};
    for (auto c : cases) {
        xx = static_cast<int16_t>(ox + c.dx);
        yy = static_cast<int16_t>(oy + c.dy);
        compute_heading();
        EXPECT_NEAR(heading, c.heading, 1e-6) << c.dx << "," << c.dy;
    }
    // At the centre itself the heading stays as it was.
    heading = 1.25f;
    xx = ox;
    yy = oy;
    compute_heading();
    EXPECT_FLOAT_EQ(heading, 1.25f);
    // An attractor state of a longer cycle turns back by pi/12.
    level = 0;
    xx = static_cast<int16_t>(ox + 10);
    compute_heading();
    EXPECT_NEAR(heading, -kPi / 12, 1e-6);
    // A point attractor or a subtree root points up-left of the orientation.
    attperiod = 1;
    orient_angle = 0.5f;
    compute_heading();
    EXPECT_NEAR(heading, -(0.5 + kPi / 4), 1e-6);
}

TEST_F(LayoutFixture, FanAnglesOfTheEdgeCases)
{
    // A subtree root spreads its fan over the whole circle.
    attperiod = 0;
    direction = direction_backward;
    level = 0;
    fansize = 4;
    set_level_radii();
    compute_fan_angle((nextrad - thisrad) / 2);
    EXPECT_NEAR(angle * 4, 2 * kPi, 1e-5);
    // A point attractor's root fan spreads over 1.65 pi, factor or not.
    attperiod = 1;
    direction = direction_forward;
    fansize = 3;
    fan_angle_fact = 3;
    compute_fan_angle(5);
    EXPECT_NEAR(angle * 3, 1.65 * kPi, 1e-5);
    // Period 2 at level 0: 0.85 pi over the fan.
    attperiod = 2;
    compute_fan_angle(5);
    EXPECT_NEAR(angle * 3, 0.85 * kPi, 1e-5);
    // Deeper in a long cycle's tree the spread narrows with the fan and is
    // capped by the share of the innermost circle.
    fan_angle_fact = 1;
    attperiod = 4;
    level = 2;
    set_level_radii();
    double d = (nextrad - thisrad) / 2;
    compute_fan_angle(d);
    double spread = 2 * std::atan(d / nextrad) / std::sqrt(3.0);
    double cap = 0.85 * kPi * rad[0] / nextrad / 3;
    EXPECT_NEAR(angle, std::min(spread, cap), 1e-6);
    // A huge factor hits the cap.
    fan_angle_fact = 1000;
    compute_fan_angle(d);
    EXPECT_NEAR(angle, cap, 1e-6);
    // No fan passes the whole circle.
    attperiod = 0;
    direction = direction_backward;
    level = 0;
    fansize = 1;
    compute_fan_angle(d);
    EXPECT_LE(angle, 2 * kPi + 1e-6);
}

TEST_F(LayoutFixture, OnePreImageLiesOnTheHeadingAndFansAreSymmetric)
{
    heading = 0.7f;
    angle = 0.2f;
    EXPECT_NEAR(fan_child_direction(0, 1), 0.7, 1e-6);
    // Child 0 on the side of increasing angle, the fan centred on the heading.
    EXPECT_NEAR(fan_child_direction(0, 5) + fan_child_direction(4, 5), 1.4, 1e-6);
    EXPECT_GT(fan_child_direction(0, 5), fan_child_direction(1, 5));
    int16_t x, y;
    point_on_circle(kPi / 2, 20, &x, &y);
    EXPECT_EQ(x, 100); // screen y grows downward
    EXPECT_EQ(y, 120);
}

// The fan's positions against point_on_circle at each child's direction,
// for nodes all over a basin of a large radius, fans of 1 to 200 children,
// real headings and turned ones (the copies'), at level 0 and beyond.
TEST_F(LayoutFixture, FanPositionsAreThePixelsOfEachChildsDirection)
{
    srandom(5);
    std::vector<int16_t> x(200), y(200);
    uint64_t children = 0;
    for (int trial = 0; trial < 40000; trial++) {
        ox = static_cast<int16_t>(random() % 1400 - 60);
        oy = static_cast<int16_t>(random() % 1100 - 40);
        level = static_cast<uint32_t>(random() % 40);
        attperiod = static_cast<uint32_t>(random() % 4);
        // Nodes at any distance, on the axes too.
        int dx = static_cast<int>(random() % 1601) - 800, dy = static_cast<int>(random() % 1601) - 800;
        if (trial % 7 == 0)
            dx = 0;
        if (trial % 11 == 0)
            dy = 0;
        xx = static_cast<int16_t>(ox + dx);
        yy = static_cast<int16_t>(oy + dy);
        compute_heading();
        bool own_heading = trial % 5 != 0;
        if (!own_heading) // a copy's heading, turned from the node's
            heading = static_cast<float>(heading - 0.37 * (trial % 13));
        fansize = trial % 3 == 0 ? 1 + static_cast<uint32_t>(random() % 200) : 1 + static_cast<uint32_t>(random() % 3);
        angle = static_cast<float>((random() % 100000) / 100000.0 * 2 * kPi / fansize);
        double distance = std::sqrt(double(dx) * dx + double(dy) * dy);
        double radius = distance + static_cast<double>(random() % 300) / 7.0;
        if (trial % 4 == 1) // a single child a hair off the node's own pixel
            radius = distance * (1 + static_cast<double>(random() % 2001 - 1000) * 1e-9);
        fan_child_positions(fansize, radius, own_heading, x.data(), y.data());
        for (uint32_t i = 0; i < fansize; i++) {
            int16_t ex, ey;
            point_on_circle(fan_child_direction(i, fansize), radius, &ex, &ey);
            ASSERT_EQ(x[i], ex) << "trial " << trial << " child " << i << " of " << fansize;
            ASSERT_EQ(y[i], ey) << "trial " << trial << " child " << i << " of " << fansize;
            children++;
        }
    }
    EXPECT_GT(children, 100000u);
}

TEST(StateSpaceMatrix, CornersAndHalves)
{
    TestNetwork net(2, 5, 3);
    uint32_t columns, rows;
    matrix_extent(&columns, &rows);
    // n = 5: 2 low cells for the rows, 3 high cells for the columns: 8 x 4.
    EXPECT_EQ(columns, 7u);
    EXPECT_EQ(rows, 3u);
    std::vector<uint8_t> s(bytesL, 0);
    uint32_t c, r;
    matrix_cell(s.data(), &c, &r);
    EXPECT_EQ(c, 0u);
    EXPECT_EQ(r, 0u);
    set_number(s.data(), 31);
    matrix_cell(s.data(), &c, &r);
    EXPECT_EQ(c, columns);
    EXPECT_EQ(r, rows);
    // Differing only in the high half: one row; only in the low half: one column.
    uint32_t c1, r1, c2, r2;
    set_number(s.data(), 0b10101);
    matrix_cell(s.data(), &c1, &r1);
    set_number(s.data(), 0b01101);
    matrix_cell(s.data(), &c2, &r2);
    EXPECT_EQ(r1, r2);
    EXPECT_NE(c1, c2);
    set_number(s.data(), 0b10110);
    matrix_cell(s.data(), &c2, &r2);
    EXPECT_EQ(c1, c2);
    EXPECT_NE(r1, r2);
}

TEST(StateSpaceMatrix, ThreeValueCorners)
{
    TestNetwork net(3, 6, 3);
    uint32_t columns, rows;
    matrix_extent(&columns, &rows);
    EXPECT_EQ(columns, 26u);
    EXPECT_EQ(rows, 26u);
    std::vector<uint8_t> s(bytesL, 0);
    for (uint32_t i = 0; i < lineL; i++)
        set_value(s.data(), i, 2);
    uint32_t c, r;
    matrix_cell(s.data(), &c, &r);
    EXPECT_EQ(c, 26u);
    EXPECT_EQ(r, 26u);
    EXPECT_TRUE(decimal_labels_fit());
}

TEST(TreeLines, DecimalLabelsOnlyWhereNumbersFit)
{
    {
        TestNetwork net(2, 32, 3);
        EXPECT_TRUE(decimal_labels_fit());
    }
    {
        // 3^21 passes 32 bits.
        TestNetwork net(3, 21, 3);
        EXPECT_FALSE(decimal_labels_fit());
    }
}

TEST(TreeLines, BasinAndSegmentTreeLinesByteForByte)
{
    TestNetwork net(2, 10, 3);
    reset_backward_settings();
    std::vector<uint8_t> root(bytesL, 0);
    set_number(root.data(), 0x2a5);
    attperiod = 3;
    attindex = 2;
    cyclematch = 1;
    treesize = 7;
    gofEno = 3;
    level = 2;
    direction = direction_forward;
    EXPECT_EQ(compose_tree_lines(root.data(), 3), "   2. 02a5 1 7  3 0.429 2 3\n");
    // The first segment tree of a segment fan carries the fan's line.
    uint16_t segs[3] = {0, 5, 2};
    uint16_t *saved = seg;
    seg = segs;
    insegloop = 1;
    segindex = 1;
    segno = 2;
    totalsegfan = 7;
    EXPECT_EQ(compose_tree_lines(root.data(), 3),
              "      seg-fan=7 (2 segs) \n      1. 02a5 5 7  3 0.429 2 3\n");
    segindex = 2;
    EXPECT_EQ(compose_tree_lines(root.data(), 3), "      2. 02a5 2 7  3 0.429 2 3\n");
    direction = direction_backward;
    segindex = 1;
    EXPECT_EQ(compose_tree_lines(root.data(), 3).substr(0, 26), "   seg-fan=7 (2 segs) \n   ");
    seg = saved;
    insegloop = 0;
    segindex = segno = 0;
    attperiod = attindex = 0;
    level = 0;
}

TEST(TreeLines, StateLines)
{
    {
        TestNetwork net(2, 10, 3);
        std::vector<uint8_t> s(bytesL, 0);
        set_number(s.data(), 5);
        basintypeno = 1;
        level = 2;
        fansize = 3;
        EXPECT_EQ(compose_state_line(s.data()), "0000000101 1 2 3\n");
        level = 0; // the root's predecessor on the cycle counts too
        EXPECT_EQ(compose_state_line(s.data()), "0000000101 1 0 4\n");
    }
    {
        // v = 3: the values from cell 0 up.
        TestNetwork net(3, 4, 3);
        std::vector<uint8_t> s(bytesL, 0);
        set_value(s.data(), 0, 2);
        set_value(s.data(), 3, 1);
        level = 1;
        fansize = 0;
        EXPECT_EQ(compose_state_line(s.data()), "2001 1 1 0\n");
    }
    level = 0;
    fansize = 0;
}

} // namespace

namespace {

TEST(StackHistogram, ScaleShrinksAfterALowPeakOnly)
{
    TestNetwork net(2, 10, 3);
    ppL = lineL;
    pp_ymax = 600;
    pp_hist_max = 99; // below 600 / 6
    shrink_stack_scale();
    EXPECT_EQ(pp_ymax, 450u);
    EXPECT_EQ(ppL, 0);
    EXPECT_EQ(pp_hist_max, 0u);
    // A frame laid out for another size keeps its scale.
    pp_ymax = 600;
    pp_hist_max = 5;
    shrink_stack_scale();
    EXPECT_EQ(pp_ymax, 600u);
    // Never below 10.
    ppL = lineL;
    pp_ymax = 12;
    shrink_stack_scale();
    EXPECT_EQ(pp_ymax, 10u);
    // A peak of a sixth or more keeps it.
    ppL = lineL;
    pp_ymax = 600;
    pp_hist_max = 100;
    shrink_stack_scale();
    EXPECT_EQ(pp_ymax, 600u);
    pp_ymax = 0;
    ppL = 0;
}

} // namespace
