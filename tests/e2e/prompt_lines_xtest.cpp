// Prompts in the prompt box at the top right keep every line inside the
// window on a 1024 x 768 screen (a window 925 pixels wide, whose prompt box
// is some 450 pixels wide): the step pause's two lines, the Post listing's
// prompt and the file dialog's title are broken at blanks onto more lines of
// the box instead of running past its frame and the window's edge.
#include "e2e/e2e_fixture.h"

#include <X11/Xutil.h>

namespace {

class PromptLines : public ZemraTest {
protected:
    // Pixels other than the background in the window's last two columns,
    // right of the prompt box's frame, over the rows a prompt box takes.
    int past_the_frame()
    {
        int w = zemra->width();
        unsigned long background = zemra->pixel(w - 30, zemra->height() / 2);
        XImage *image = XGetImage(zemra->display, zemra->window, w - 2, 0, 2, 120, AllPlanes,
                                  ZPixmap);
        if (!image)
            return -1;
        int marked = 0;
        for (int y = 0; y < 120; y++)
            for (int x = 0; x < 2; x++)
                if (XGetPixel(image, x, y) != background)
                    marked++;
        XDestroyImage(image);
        return marked;
    }
    // Pixels other than the background in the rectangle (x, y, w, h).
    int marked(int x, int y, int w, int h)
    {
        unsigned long background = zemra->pixel(zemra->width() - 30, zemra->height() / 2);
        XImage *image = XGetImage(zemra->display, zemra->window, x, y, static_cast<unsigned>(w),
                                  static_cast<unsigned>(h), AllPlanes, ZPixmap);
        if (!image)
            return -1;
        int count = 0;
        for (int j = 0; j < h; j++)
            for (int i = 0; i < w; i++)
                if (XGetPixel(image, i, j) != background)
                    count++;
        XDestroyImage(image);
        return count;
    }
    // The last row of the prompt box: the first row below its top one drawn
    // across in the frame's colour.
    int prompt_box_bottom()
    {
        int left = (zemra->width() - 1) / 2, right = zemra->width() - 3;
        unsigned long frame = zemra->pixel(left, 2);
        for (int y = 3; y < 300; y++) {
            bool across = true;
            for (int x = left; x <= right && across; x += 16)
                across = zemra->pixel(x, y) == frame;
            if (across)
                return y;
        }
        return -1;
    }
    // From the first screen (a fixed random seed) to the RULES prompt of the
    // default 14-cell ring.
    void road_to_rules_prompt()
    {
        launch();
        answer({"r\r", "123\r", "s\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r"});
    }
};

TEST_F(PromptLines, SmallScreenStepPauseKeepsItsLinesInsideTheWindow)
{
    launch();
    answer({"r\r", "123\r", "s\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r", "\r",
            "\r", "\r", "\r", "\r", "\r", "\r", "s\r", "d\r"});
    // Forward-only options: all of them, parallel, by value, then the step
    // pause, and the defaults of the rest; the pattern, on a cleared window,
    // pauses after its first step.
    answer({"\r", "\r", "\r", "s\r", "d\r"});
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no step pause";
    EXPECT_EQ(past_the_frame(), 0) << "the step pause runs past the prompt box";
}

TEST_F(PromptLines, SmallScreenPostPromptKeepsItsLinesInsideTheWindow)
{
    road_to_rules_prompt();
    int before = past_the_frame();
    answer({"P\r"});
    ASSERT_TRUE(zemra->wait_ready_for_key());
    EXPECT_EQ(past_the_frame(), before) << "the Post prompt runs past the prompt box";
}

TEST_F(PromptLines, SmallScreenFileDialogTitleKeepsItsLinesInsideTheWindow)
{
    road_to_rules_prompt();
    int before = past_the_frame();
    answer({"l\r"});  // load a rule scheme: the file dialog
    ASSERT_TRUE(zemra->wait_ready_for_key());
    EXPECT_EQ(past_the_frame(), before) << "LOAD RULE SCHEME runs past the prompt box";
    // A box of three lines whose second line, empty when the title fits,
    // holds the title's end.
    int bottom = prompt_box_bottom();
    ASSERT_GT(bottom, 30);
    int line = (bottom - 2) / 3;
    EXPECT_GT(marked(zemra->width() / 2 + 4, 2 + line + line / 4, zemra->width() / 4, line / 2), 20)
        << "the title's end is not on the second line";
    answer({"\r"});   // the default name: its confirmation
    ASSERT_TRUE(zemra->wait_ready_for_key());
    EXPECT_EQ(past_the_frame(), before) << "the confirmation runs past the prompt box";
}

} // namespace
