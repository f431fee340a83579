// The lambda-Z-canalyzing sweep through the real program: a basin field of
// k = 3 with rule 255, 'L' at the output parameters, the lambda-Z graph over
// every rule table (255 down to 0), the summary box, the table on the window
// and on standard error, the options box, and the screen under the table
// and the summary box put back when it closes. Run on the default screen
// and, as its SmallScreen twin, on a 1024 x 768 one. With ZEMRA_SCREENSHOTS
// naming a folder the screen is saved there at the summary and the table.
#include "e2e/e2e_fixture.h"

namespace {

class LambdaZRoad : public ZemraWorkTest {
protected:
    LambdaZRoad() : ZemraWorkTest("zemra-e2e-lambda-z") {}
    void road(const std::string &suffix)
    {
        launch();
        road_to_sweep_graphs("255");
        answer({"L\r"});            // the lambda-Z-canalyzing graphs
        ASSERT_TRUE(zemra->wait_ready_for_key());
        // Under the summary box and the table, before the sweep draws.
        int sx = vx(165), sy = vy(407), sw = vx(140), sh = vy(12);
        unsigned long long summary_place = zemra->region_digest(sx, sy, sw, sh);
        answer({"\r"});             // Z against the lambda ratio
        ASSERT_TRUE(zemra->wait_ready_for_key());
        shot("lambda_z_summary" + suffix);
        // Points in the graph's frame, the summary box beside it.
        int gx = vx(360), gy = vy(415);
        EXPECT_GT(zemra->sparse_marked_pixels(gx + 4, gy - vy(250) + 4, vx(250) - 8, vy(250) - 8),
                  40)
            << "no points";
        EXPECT_GT(zemra->sparse_marked_pixels(sx, sy, sw, sh), 10) << "no summary box";
        // Under the table to come: the graph's upper part and the band above it.
        int ty = vy(36), th = vy(360) - vy(36);
        unsigned long long under_table = zemra->region_digest(0, ty, zemra->width(), th);
        answer({"dp\r"});           // the table, also to standard error
        ASSERT_TRUE(zemra->wait_ready_for_key());   // the options box
        shot("lambda_z_table" + suffix);
        EXPECT_NE(zemra->region_digest(0, ty, zemra->width(), th), under_table) << "no table";
        std::string err = zemra->stderr_text();
        EXPECT_NE(err.find("Canalyzing-lambda ratio and P frequency count, total rules=256\n"),
                  std::string::npos)
            << err;
        answer({"\r"});             // the options box: on
        ASSERT_TRUE(zemra->wait_ready_for_key());   // the output parameters again
        EXPECT_EQ(zemra->region_digest(0, ty, zemra->width(), th), under_table)
            << "the screen under the table was not put back";
        EXPECT_EQ(zemra->region_digest(sx, sy, sw, sh), summary_place)
            << "the summary box was left";
        EXPECT_EQ(zemra->quit_by_steps(), 0);
        EXPECT_EQ(zemra->stderr_text().find("X error"), std::string::npos) << zemra->stderr_text();
    }
};

TEST_F(LambdaZRoad, EveryRuleOfK3IsPlottedAndCounted) { road(""); }

TEST_F(LambdaZRoad, EveryRuleOfK3IsPlottedAndCountedSmallScreen) { road("_small"); }

} // namespace
