// The readout of each rule an automatic entropy sample draws stays readable
// beside a running pattern of any width: it is written where no run draws,
// and the rows of the next run, as wide as the window, leave it as it was.
// The rule's marker in the plane goes with the plane's erase: the next
// rule's point leaves the old marker's place as the redrawn plane has it.
#include "support/x_test_fixture.h"

#include <algorithm>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "ui/measures/entropy_plot.h"
#include "ui/measures/rule_sampling.h"
#include "ui/measures/run_records.h"
#include "ui/screen/draw.h"
#include "ui/screen/fill_rects.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

class RuleSampleReadout : public ClearedWindowTest {
protected:
    void SetUp() override
    {
        ClearedWindowTest::SetUp();
        direction = direction_forward;
        limitcheck = 0;
        stp = 1;
    }
    void TearDown() override
    {
        direction = direction_unset;
        stp = 0;
    }
    // Every pixel of the window but those of the pattern's area (the
    // drawing area), row by row, read through the whole window's clip.
    static std::vector<uint32_t> outside_drawing_area()
    {
        setviewport(0, 0, Maxx, WinMaxy, 1);
        std::vector<uint32_t> all = window_now(), out;
        setviewport(0, 0, Maxx, Maxy, 1);
        for (int y = Maxy + 1; y <= WinMaxy; y++)
            for (int x = 0; x <= Maxx; x++)
                out.push_back(pixel_at(all, x, y));
        return out;
    }
};

// A narrow pattern with its side plot at the left, and one as wide as the
// window with its side plot at the right edge: after the sample's last run
// of a rule the next rule's readout shows, outside the drawing area, and the
// next run's rows drawn across the window's width do not take it away.
TEST_F(RuleSampleReadout, TheNextRulesReadoutStaysBesideARunOfAnyWidth)
{
    TestNetwork net(2, 14, 3);
    for (int x0 : {static_cast<int>(vgax(60)), Maxx - vgax(110)}) {
        SCOPED_TRACE(x0);
        clear_drawing_area();
        entropy_graph eg{};
        entropy_data ae{};
        run_iteration it{};
        it.fore_colour = white;
        eg.k = 3;
        eg.x0 = static_cast<int16_t>(x0);
        eg.w1 = eg.w2 = vgax(100);
        eg.entropy_start = 1;
        eg.entropy_end = 10;
        std::vector<float> record(12, 0.5f);
        ae.edata = record.data();
        ae.mode = 2;
        ae.sample_size = 1;
        ae.sample_no = 1;
        const std::vector<uint32_t> before = outside_drawing_area();
        moment(&ae, &eg, &it, carule[0]);
        const std::vector<uint32_t> shown = outside_drawing_area();
        EXPECT_NE(shown, before) << "the next rule's readout is nowhere a run leaves alone";
        // The next run's rows across the window's width, as a pattern of
        // that width sends them, down to the count line above the plane.
        std::vector<cell_rect> cells;
        const int last = plane_count_row() - 3;
        for (int y = 0; y <= last; y += 8)
            cells.push_back({0, static_cast<int16_t>(y), static_cast<uint16_t>(Maxx + 1),
                             static_cast<uint16_t>(std::min(8, last + 1 - y))});
        fill_rects(yellow, cells.data(), static_cast<int>(cells.size()));
        EXPECT_EQ(outside_drawing_area(), shown) << "the run took the readout away";
    }
}

// The plane drawn, a rule's point marked in it, and the plane erased and
// drawn again (as a scale key or a new sample does): the next rule's point
// puts back no block saved under the old marker and leaves no plain point
// where it stood.
TEST_F(RuleSampleReadout, TheNextRulesPointLeavesARedrawnPlaneAsItIs)
{
    TestNetwork net(2, 14, 3);
    stpgraph = stpgraph_density;
    d_mode = display_1d;
    entropy_graph eg{};
    entropy_data ae{};
    run_iteration it{};
    it.fore_colour = white;
    eg.k = 3;
    eg.x0 = static_cast<int16_t>(vgax(60));
    eg.w1 = eg.w2 = vgax(100);
    eg.entropy_start = 1;
    eg.entropy_end = 10;
    ae.mode = 2;
    ae.sample_size = 1;
    ae.sample_no = 1;
    const int left = side_plot_left(&eg), L = plane_left(left);
    // A rule whose entropy stays at `mean`: its point at the plane's left
    // side, that height up.
    auto sample_rule = [&](float mean) {
        std::vector<float> record(12, mean);
        ae.edata = record.data();
        moment(&ae, &eg, &it, carule[0]);
        ae.edata = nullptr;
    };
    draw_entgraph_frame(1, left, 2, 0);
    sample_rule(0.5f);
    draw_entgraph_frame(1, left, 2, 0);
    const int y = plane_bottom() - static_cast<int>(0.5f * vgay(200));
    const std::vector<unsigned long> redrawn = pixels_seen(L - 4, y - 4, 9, 9);
    ASSERT_FALSE(redrawn.empty()) << "the window could not be read";
    sample_rule(0.2f);
    EXPECT_EQ(pixels_seen(L - 4, y - 4, 9, 9), redrawn)
        << "the old marker's place changed after the plane was drawn again";
    stpgraph = stpgraph_none;
    d_mode = display_unset;
}

} // namespace
