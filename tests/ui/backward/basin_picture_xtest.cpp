// A basin's own picture on the window: the loop of a point attractor runs
// through its state, the state's circle and a period-2 cycle's circle are
// centred where the cycle's states are; the state-space matrix colour of
// successive field basins wraps from 15 to 2 and from 14 to 1; 'o' at the
// pause after a field's basin opens the options box; and the pauses' prompts
// stay in the status box, off the summary beside it.
#include "support/x_test_fixture.h"

#include <cmath>
#include <thread>
#include <vector>

#include "ui/backward/tree_test_support.h"
#include "engine/backward/basin_totals.h"
#include "engine/backward/globals.h"
#include "engine/forward/attractor_search.h"
#include "engine/forward/globals.h"
#include "support/status_prompt_check.h"
#include "ui/backward/draw_basin.h"
#include "ui/backward/globals.h"
#include "ui/backward/stop_prompts.h"
#include "ui/driver/options_box.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

int options_opened = 0;

void
count_options(int)
{
    options_opened++;
}

class BasinPicture : public ScreenTest {
protected:
    std::vector<float> radii = std::vector<float>(91);
    float *saved_rad = rad;
    uint16_t saved_last = lastlevel;

    void SetUp() override
    {
        ScreenTest::SetUp();
        give_rule_figures();
        reset_backward_settings();
        startrad = 80;
        lay_out_tree_at_centre(radii, startrad);
        shownumbers = shownumbers_none;
        direction = direction_forward;
        dontcompress = 1;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }
    void TearDown() override
    {
        rad = saved_rad;
        lastlevel = saved_last;
        show_ss_matrix = 0;
        basinfield = 0;
        datapause = datapause_unset;
        direction = direction_unset;
        set_tree_prompt_hooks({finish_options});
    }

    // Finds the attractor from state s and draws its basin.
    static void draw_basin_from(uint32_t s)
    {
        set_number(A, s);
        limitcheck = 5000;
        step_mode mode{};
        ASSERT_GT(attractor_search(carule, mode, 5000), 0u);
        is[0] = 0;
        draw_basin();
        limitcheck = 0;
    }

    // Whether a pixel of the colour lies within d pixels of (x, y).
    static bool colour_near(double x, double y, int colour, int d = 1)
    {
        int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
        for (int dx = -d; dx <= d; dx++)
            for (int dy = -d; dy <= d; dy++)
                if (window_pixel(cx + dx, cy + dy) == Color_Table[colour])
                    return true;
        return false;
    }
};

TEST_F(BasinPicture, PointAttractorLoopPassesThroughItsState)
{
    // Rule 204 (identity): every state is a point attractor of its own.
    TestNetwork net(2, 6, 3);
    TestNetwork::set_rule_number(204);
    draw_basin_from(5);
    // The loop: radius rho about a centre rho away from the state, down and
    // to the left of it.
    double rho = std::sqrt(2.0) * startrad / 4;
    double phi = 5 * kPi / 4;
    double cx = ox + std::trunc(rho * std::cos(phi)), cy = oy - std::trunc(rho * std::sin(phi));
    EXPECT_TRUE(colour_near(ox, oy, yellow, 2)) << "the loop misses its state";
    for (int k = 0; k < 8; k++) {
        double a = k * kPi / 4;
        EXPECT_TRUE(colour_near(cx + rho * std::cos(a), cy + rho * std::sin(a), yellow, 2))
            << "loop point " << k;
    }
    // The state's own circle, radius startrad/20, about the state.
    int r = static_cast<int>(startrad / 20);
    EXPECT_TRUE(colour_near(ox - r, oy, lightred));
    EXPECT_TRUE(colour_near(ox + r, oy, lightred));
    EXPECT_TRUE(colour_near(ox, oy - r, lightred));
    EXPECT_TRUE(colour_near(ox, oy + r, lightred));
}

TEST_F(BasinPicture, PeriodTwoCircleIsCentredOnTheBasin)
{
    // Rule 51 (the centre cell negated): every state alternates with its
    // complement.
    TestNetwork net(2, 6, 3);
    TestNetwork::set_rule_number(51);
    draw_basin_from(5);
    double R = std::trunc(cycle_radius(startrad, 2));
    for (int k = 0; k < 4; k++) {
        double a = k * kPi / 2 + kPi / 4;
        EXPECT_TRUE(colour_near(ox + R * std::cos(a), oy + R * std::sin(a), cyan, 2))
            << "circle point " << k;
    }
    EXPECT_FALSE(colour_near(ox + 2 * R, oy + R, cyan, 2)) << "a circle off its centre";
}

TEST_F(BasinPicture, MatrixColourOfFieldBasinsWrapsToTheOtherParity)
{
    TestNetwork net(2, 6, 3);
    TestNetwork::set_rule_number(204);
    basinfield = 1;
    successive_basins = 0;
    show_ss_matrix = 1;
    const int steps[][2] = {{0, 1}, {1, 3}, {13, 15}, {14, 1}, {15, 2}};
    for (const auto &step : steps) {
        matrixcolor = static_cast<uint8_t>(step[0]);
        basintypeno = 1;
        draw_basin_from(7);
        EXPECT_EQ(matrixcolor, step[1]) << "after " << step[0];
    }
}

TEST_F(BasinPicture, OAtTheBasinPauseOpensTheOptionsBox)
{
    TestNetwork net(2, 6, 3);
    TestNetwork::set_rule_number(204);
    set_tree_prompt_hooks({count_options});
    basinfield = 1;
    datapause = datapause_basin;
    for (const char *keys : {"o\r", "\r"}) {
        options_opened = 0;
        basintypeno = 1;
        paced_thread typing = type_keys_paced(keys);
        draw_basin_from(9);
        typing.join();
        EXPECT_EQ(options_opened, keys[0] == 'o' ? 1 : 0) << keys;
    }
}

} // namespace

// The one-key questions after a field's basin, after a basin of a size
// range and after a tree stay in the status box beside the summary, which
// keeps its frame and margin (the window of a 1024-pixel screen is the
// narrow one).
TEST_F(BasinPicture, PausePromptsStayInsideTheStatusBox)
{
    TestNetwork net(2, 6, 3);
    TestNetwork::set_rule_number(204);
    set_tree_prompt_hooks({count_options});
    const uint16_t end_before = endL;
    struct pause_case {
        const char *name;
        uint8_t field, range, pause;
    };
    for (pause_case c : {pause_case{"field basin", 1, 0, datapause_basin},
                         pause_case{"size range basin", 0, 1, datapause_basin},
                         pause_case{"tree", 0, 0, datapause_tree}}) {
        basinfield = c.field;
        rangeL = c.range;
        endL = 8;
        datapause = c.pause;
        basintypeno = 1;
        status_prompt_marks marks;
        paced_thread typing = type_keys_looking("\r", [&](size_t) {
            screenshot(std::string("basin_pause_") + (c.field ? "field_" : c.range ? "range_" : "tree_") +
                       std::to_string(Maxx));
            marks = look_beside_summary();
        });
        draw_basin_from(9);
        typing.join();
        EXPECT_EQ(marks.faults(), "") << c.name;
    }
    rangeL = 0;
    endL = end_before;
}
