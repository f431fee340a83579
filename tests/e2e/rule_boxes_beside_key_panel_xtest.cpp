// The boxes of a random rule drawn from the pause box's 'v' (the rule
// figures and the density line, against the window's right edge) beside the
// running pattern's key panel, on both screens: the panel's text above the
// revise box stays as it was while they are shown, they are drawn left of
// it, and nothing of them is left once the dialog ends.
#include "e2e/e2e_fixture.h"

namespace {

class RuleBoxesBesideKeyPanel : public ZemraTest {
protected:
    // A part of the key panel inside its frames (its left one about a fifth
    // of the width from the right edge).
    struct panel_part {
        int x, y, w, h;
    };
    // Launches on the screen whose window is `width` wide, runs a pattern
    // and waits for its key panel; part: the panel's rows from `top` to
    // `bottom`, shares of the window's height.
    void run_to_panel(int width, float top, float bottom, panel_part &part)
    {
        launch();
        ASSERT_EQ(zemra->width(), width) << "not the screen the test is for";
        road_to_forward_pattern();
        const int w = zemra->width(), h = zemra->height();
        part = {w - w / 5 + 10, static_cast<int>(h * top), w / 5 - 18,
                static_cast<int>(h * bottom) - 4 - static_cast<int>(h * top)};
        ASSERT_TRUE(wait_until([&] { return zemra->marked_pixels(part.x, part.y, part.w, part.h) > 200; }))
            << "no key panel";
    }

    // The rule boxes of the pause box's random rule beside the key panel.
    // width: the window's on the test's screen.
    void boxes_keep_off_the_panel(int width)
    {
        // From its title down to above the revise box, whose top is at 343
        // of the window's 480 scaled rows.
        panel_part part;
        run_to_panel(width, 1.0f / 8, 343.0f / 480, part);
        if (HasFatalFailure())
            return;
        const int w = zemra->width(), h = zemra->height();
        auto panel = [&] { return zemra->region_digest(part.x, part.y, part.w, part.h); };
        const unsigned long long shown = panel();
        // The band left of the panel where the rule figures and the density
        // line stand, from a sixteenth of the height (the figures' box) to
        // a quarter (below the density box), right of the pattern.
        const int band_x = w / 3, band_w = w - w / 5 - 4 - band_x;
        const int band_y = h / 16, band_h = h / 4 - band_y;
        auto band = [&] { return zemra->region_digest(band_x, band_y, band_w, band_h); };
        const unsigned long long empty_band = band();

        zemra->type_now("q");          // the running pattern: pause box
        answer({"v\r", "\r", "r\r"});  // change the rule: the default kind, a random rule
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no random rule";
        EXPECT_NE(band(), empty_band) << "the rule boxes are not drawn left of the panel";
        EXPECT_EQ(panel(), shown) << "the rule boxes are drawn over the key panel";

        // The random rule accepted, then the run goes on from the pause box,
        // which stands in the band until the program takes the last key.
        answer({"\r", "\r"});
        EXPECT_TRUE(wait_until([&] { return panel() == shown && band() == empty_band; }, 20))
            << "the key panel is not as it was, or the rule boxes are left, after the dialog";
        zemra->type_now("q");          // pause box
        EXPECT_EQ(zemra->quit_by_steps(), 0);
    }

    // The revise box of the pause box's rule menu beside the key panel: the
    // panel, its lines down to its foot, stays as it was while the box asks
    // for the rule kind and its menu, and after.
    void revise_box_keeps_off_the_panel(int width)
    {
        // From below the pause box (which covers its top while it is open)
        // to above the bottom strip.
        panel_part part;
        run_to_panel(width, 1.0f / 3, 29.0f / 32, part);
        if (HasFatalFailure())
            return;
        auto panel = [&] { return zemra->region_digest(part.x, part.y, part.w, part.h); };
        const unsigned long long shown = panel();

        zemra->type_now("q");          // the running pattern: pause box
        answer({"v\r"});               // revise the rule: the rule kind's question
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no revise box";
        shot("revise-kind-" + std::to_string(width));
        EXPECT_EQ(panel(), shown) << "the revise box's question is drawn over the key panel";
        answer({"\r"});                // rule tables: the rule menu
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no rule menu";
        shot("revise-menu-" + std::to_string(width));
        EXPECT_EQ(panel(), shown) << "the rule menu is drawn over the key panel";
        answer({"r\r"});               // a random rule
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no random rule";
        shot("revise-random-" + std::to_string(width));
        EXPECT_EQ(panel(), shown) << "the random rule is drawn over the key panel";
        answer({"\r", "\r"});
        EXPECT_TRUE(wait_until([&] { return panel() == shown; }, 20))
            << "the key panel is not as it was after the dialog";
        zemra->type_now("q");          // pause box
        EXPECT_EQ(zemra->quit_by_steps(), 0);
    }
};

TEST_F(RuleBoxesBesideKeyPanel, RandomRuleBoxesKeepOffTheKeyPanel)
{
    boxes_keep_off_the_panel(1024);
}

// On a 1024 x 768 screen (a window 925 x 694).
TEST_F(RuleBoxesBesideKeyPanel, SmallScreenRandomRuleBoxesKeepOffTheKeyPanel)
{
    boxes_keep_off_the_panel(925);
}

} // namespace

namespace {

TEST_F(RuleBoxesBesideKeyPanel, ReviseBoxKeepsOffTheKeyPanel)
{
    revise_box_keeps_off_the_panel(1024);
}

TEST_F(RuleBoxesBesideKeyPanel, SmallScreenReviseBoxKeepsOffTheKeyPanel)
{
    revise_box_keeps_off_the_panel(925);
}

} // namespace
