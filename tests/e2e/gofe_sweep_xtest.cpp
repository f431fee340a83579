// The G-density sweep over a Z window through the real program: a basin
// field of k = 3 from rule 255, option 2 (G-density against Z and against
// the lambda ratio) with the default window, every rule of the window run
// as a field. The sweep has no rule count, so no field is its last: the Z
// graph keeps the point of every rule, as the lambda-ratio graph beside it
// does. Run on the default screen and, as its SmallScreen twin, on a
// 1024 x 768 one. With ZEMRA_SCREENSHOTS naming a folder the screen is saved
// there when the sweep has ended.
#include "e2e/e2e_fixture.h"

namespace {

class GofeSweepRoad : public ZemraWorkTest {
protected:
    GofeSweepRoad() : ZemraWorkTest("zemra-e2e-gofe-sweep") {}
    // Marked pixels inside a graph's frame, its axes and ticks left out.
    int points_in_graph(int origin_x)
    {
        int gy = vy(415), side_x = vx(250), side_y = vy(250);
        return zemra->marked_pixels(origin_x + vx(8), gy - side_y + 2, side_x - vx(8) - 2,
                                    side_y - vy(8));
    }
    void road(const std::string &suffix)
    {
        launch();
        road_to_sweep_graphs("255");
        answer({"2\r",     // G-density against Z and against the lambda ratio
                "\r", "\r", // the Z window: 0.2 to 1
                "d\r",     // every other setting its default
                "\r"});    // the field's method: the default
        ASSERT_TRUE(zemra->wait_ready_for_key());
        shot("gofe_sweep" + suffix);
        int z_graph = points_in_graph(vx(360)), lambda_graph = points_in_graph(vx(60));
        // Each point is a small circle; the rules of the window fall at
        // several Z values and lambda ratios, so many circles show on both.
        EXPECT_GT(lambda_graph, 40) << "the lambda-ratio graph lost its points";
        EXPECT_GT(z_graph, 40) << "the Z graph lost its points";
        EXPECT_EQ(zemra->quit_by_steps(), 0);
        EXPECT_EQ(zemra->stderr_text().find("X error"), std::string::npos) << zemra->stderr_text();
    }
};

TEST_F(GofeSweepRoad, TheZGraphKeepsEveryPointOfTheWindow) { road(""); }

TEST_F(GofeSweepRoad, TheZGraphKeepsEveryPointOfTheWindowSmallScreen) { road("_small"); }

} // namespace
