// The graphics menu's resize ('S') of a running pattern and of a basin
// field, to a smaller window and back: the window takes each size, its
// strip at the new bottom, the run goes on in it with nothing left of the
// boxes that closed, and a box opened after the resize (the screen save's
// name box) stands whole with one frame and leaves nothing when it closes.
// At the first screen the menu makes the window the least one it takes
// (300 x 250): the first screen's box and a settings prompt keep their
// lines inside the box and the window, and the first screen's menu line
// stands below its box, not under it.
// The draw check is on throughout (the fixture fails a test on a report).
// Run on the default screen and, as SmallScreen twins, on a 1024 x 768 one.
#include "e2e/e2e_fixture.h"
#include "support/x_keys.h"

namespace {

class GraphicsMenuResize : public ZemraTest {
protected:
    // From the options box after a run to the menu, through its resize to
    // w x h, and out of the menu again to the options box.
    void resize_through_menu(int w, int h)
    {
        answer({"g\r", "S\r", std::to_string(w) + "\r", std::to_string(h) + "\r"});
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no menu after the resize";
        EXPECT_EQ(zemra->width(), w);
        EXPECT_EQ(zemra->height(), h);
        // The strip's frame on the window's last row.
        EXPECT_NE(zemra->pixel(w / 2, h - 1), zemra->background()) << "no strip at the new bottom";
        zemra->type("\r");  // out of the menu, back to the options box
        ASSERT_TRUE(zemra->wait_ready_for_key());
    }

    // The running pattern's first columns change: it runs.
    bool pattern_runs()
    {
        unsigned long long early = zemra->region_digest(0, 0, 14 * 6, 200);
        return wait_until([&] { return zemra->region_digest(0, 0, 14 * 6, 200) != early; });
    }

    // A run paused ('q' in the pause box opens the options box), resized
    // through the menu, and on again: between the density plot left of a
    // third of the width and the key panel, a fifth of the width from the
    // right edge, nothing from the top to the strip, of the boxes that
    // stood there (pause box, options box, menu, size box).
    void run_resized_and_back()
    {
        launch();
        road_to_forward_pattern();
        ASSERT_TRUE(wait_for_pattern()) << "no running pattern";
        const int w0 = zemra->width(), h0 = zemra->height();
        for (const auto &size : {std::make_pair(800, 600), std::make_pair(w0, h0)}) {
            const int w = size.first, h = size.second;
            zemra->type_now("q");  // the pause box
            ASSERT_TRUE(zemra->wait_ready_for_key()) << "no pause box";
            zemra->type("q");      // the options box
            resize_through_menu(w, h);
            if (HasFatalFailure())
                return;
            zemra->type("\r");     // the options box left: the run goes on
            ASSERT_TRUE(pattern_runs()) << "the run did not go on at " << w << "x" << h;
            shot("graphics-menu-run-" + std::to_string(w) + "x" + std::to_string(h));
            const int left = w / 3, right = w - w / 5 - 20;
            EXPECT_TRUE(wait_until([&] { return zemra->marked_pixels(left, 0, right - left, h - 60) == 0; }))
                << "something left of the closed boxes at " << w << "x" << h;
        }
    }

    // Pixels of the frame's colour in the rectangle (x, y, w, h).
    int frame_pixels(int x, int y, int w, int h, unsigned long frame)
    {
        int count = 0;
        for (int j = y; j < y + h; j++)
            for (int i = x; i < x + w; i++)
                count += zemra->pixel(i, j) == frame;
        return count;
    }

    // The screen save's name box opened at the options box ('s') and closed
    // ('q'): one right edge and one foot, and nothing of it left.
    void save_box_opens_and_closes(const std::string &size)
    {
        zemra->type("s\r");
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no name box";
        shot("graphics-menu-field-save-" + size);
        const int w = zemra->width(), bottom = zemra->prompt_box_bottom();
        ASSERT_GT(bottom, 10) << "no name box at the top right at " << size;
        const unsigned long frame = zemra->pixel(w - 3, bottom / 2);
        // A row through the box's middle, from 40 columns left of its right
        // edge; a column through its blank middle, from its top to 40 rows
        // below its foot.
        EXPECT_EQ(frame_pixels(w - 40, bottom / 2, 40, 1, frame), 1)
            << "the box's right edge is not single at " << size;
        EXPECT_EQ(frame_pixels(w - 6, 0, 1, bottom + 40, frame), 2)
            << "the box's top and foot are not single at " << size;
        zemra->type("q");  // no name: back to the options box
        ASSERT_TRUE(zemra->wait_ready_for_key());
        EXPECT_EQ(zemra->marked_pixels(w / 2 - 2, 0, w / 2 + 2, bottom + 10), 0)
            << "something left where the name box stood at " << size;
    }

    // Pixels other than the background in the two columns right of the
    // prompt box's right frame, from the window's top to the box's foot:
    // where a line run past the box shows.
    int marks_right_of_prompt_box()
    {
        const int w = zemra->width(), bottom = zemra->prompt_box_bottom();
        EXPECT_GT(bottom, 10) << "no prompt box at the top right";
        return zemra->marked_pixels(w - 2, 0, 2, bottom + 1);
    }

    // The window made the least one at the first screen, its box and menu
    // looked at; then on to the wiring prompt of a basin field, whose
    // second line is longer than the box is wide.
    void first_screen_at_least_window()
    {
        launch();
        answer({"g\r", "S\r", "300\r", "250\r"});
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no menu after the resize";
        ASSERT_EQ(zemra->width(), 300);
        ASSERT_EQ(zemra->height(), 250);
        // The pointer, left where the larger window's middle was, goes
        // into the window (keys go to the window under it).
        xtest_move_pointer(zemra->display, 150, 125);
        zemra->type("\r");  // out of the menu, back to the first screen
        ASSERT_TRUE(zemra->wait_ready_for_key());
        shot("graphics-menu-first-screen-300x250");
        const int bottom = zemra->prompt_box_bottom(), left = zemra->width() / 2;
        EXPECT_EQ(marks_right_of_prompt_box(), 0) << "a line of the first box runs past it";
        // Left of the box, in its rows: nothing (the menu's first line ran
        // under the box there); below it the menu.
        EXPECT_EQ(zemra->marked_pixels(0, 0, left - 1, bottom + 1), 0) << "a line runs under the first box";
        EXPECT_GT(zemra->marked_pixels(0, bottom + 1, left - 1, 20), 0) << "no menu below the first box";
        answer({"\r",         // basin field
                "\r", "\r",   // value range 2, no size range
                "\r", "\r",   // size 10, scale
                "\r"});       // k = 3: the wiring prompt
        ASSERT_TRUE(zemra->wait_ready_for_key());
        // The line and the cursor after it inside the box; a key typed is
        // echoed there too.
        shot("graphics-menu-wiring-300x250");
        EXPECT_EQ(marks_right_of_prompt_box(), 0) << "the wiring prompt runs past its box";
        zemra->type("W");
        ASSERT_TRUE(zemra->wait_ready_for_key());
        EXPECT_EQ(marks_right_of_prompt_box(), 0) << "the wiring prompt's answer runs past its box";
    }

    // A basin field's options box, the window resized through the menu to
    // a smaller size and back, the name box opened and closed at each.
    void field_resized_and_back()
    {
        launch();
        road_to_field_rule("30");
        answer({"\r",     // network view: on to the output parameters
                "d\r"});  // every output parameter its default
        zemra->type("\r");  // the default pre-image method: the field
        ASSERT_TRUE(zemra->wait_ready_for_key(60)) << "no options box after the field";
        const int w0 = zemra->width(), h0 = zemra->height();
        for (const auto &size : {std::make_pair(800, 600), std::make_pair(w0, h0)}) {
            resize_through_menu(size.first, size.second);
            if (HasFatalFailure())
                return;
            save_box_opens_and_closes(std::to_string(size.first) + "x" + std::to_string(size.second));
            if (HasFatalFailure())
                return;
        }
    }
};

TEST_F(GraphicsMenuResize, RunGoesOnWithNothingOfTheClosedBoxes) { run_resized_and_back(); }

TEST_F(GraphicsMenuResize, RunGoesOnWithNothingOfTheClosedBoxesSmallScreen) { run_resized_and_back(); }

TEST_F(GraphicsMenuResize, FirstScreenAtTheLeastWindowKeepsItsLinesInside) { first_screen_at_least_window(); }

TEST_F(GraphicsMenuResize, FirstScreenAtTheLeastWindowKeepsItsLinesInsideSmallScreen)
{
    first_screen_at_least_window();
}

TEST_F(GraphicsMenuResize, FieldsNameBoxStandsWholeAndLeavesNothing) { field_resized_and_back(); }

TEST_F(GraphicsMenuResize, FieldsNameBoxStandsWholeAndLeavesNothingSmallScreen) { field_resized_and_back(); }

} // namespace
