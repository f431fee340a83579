// The G-density sweeps through the real program: a size-range sweep of
// basin fields of rule 90 from 8 to 10 cells, whose question after the last
// point stands in a box of its own at the top left, clear of the graph's
// curve, the window's edge and the field's box.
#include "e2e/e2e_fixture.h"

#include <cstdlib>

namespace {

class GDensitySweep : public ZemraWorkTest {
protected:
    GDensitySweep() : ZemraWorkTest("zemra-e2e-gdensity") {}
    void shot(const std::string &name)
    {
        if (const char *dir = getenv("ZEMRA_SCREENSHOTS"))
            zemra->screenshot(std::string(dir) + "/" + name + ".png");
    }
    void sweep(const std::string &suffix);
};

// vga coordinates of the window, as the program scales them.
#define VX(x) static_cast<int>((x) * zemra->width() / 640.0f)
#define VY(y) static_cast<int>((y) * zemra->height() / 480.0f)

void
GDensitySweep::sweep(const std::string &suffix)
{
    launch();
    road_to_field_rule("90");
    answer({"\r",               // network view: on to the output parameters
            "\r",               // revise from the start
            "\r",               // no state-space matrix
            "\r"});             // no in-degree histogram
    answer({"3\r"});            // a size range graph
    answer({"8\r", "10\r"});    // of 8 to 10 cells
    answer({"d\r"});            // the settings' defaults
    answer({"\r", "\r"});       // the mutation and field prompts as they are
    // The fields of 8, 9 and 10 cells, then the question after the last.
    ASSERT_TRUE(zemra->wait_ready_for_key());
    shot("gdensity_sweep_end" + suffix);
    // Right of the graph's frame, beside its last point, and along the
    // window's right edge below the prompt box: nothing of the question.
    const int gx = VX(360), gy = VY(415), lx = VX(250), ly = VY(250);
    EXPECT_EQ(zemra->marked_pixels(gx + lx + 6, gy - ly, zemra->width() - 8 - gx - lx, ly), 0)
        << "the question stands beside the graph's last point";
    answer({"k\r"});            // keep the graph, end the sweep
    ASSERT_TRUE(zemra->wait_ready_for_key());
    shot("gdensity_sweep_after" + suffix);
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

TEST_F(GDensitySweep, TheQuestionAfterTheLastPointStaysInsideItsBox) { sweep(""); }

TEST_F(GDensitySweep, TheQuestionAfterTheLastPointStaysInsideItsBoxSmallScreen)
{
    sweep("_small");
}

} // namespace
