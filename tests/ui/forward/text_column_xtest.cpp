// The run dialogs' text column on the window: walked from low in the column,
// every forward-only option with its default keeps its lines above the rule
// box (the column starts again at its top instead of running on over the
// rule readout and below the bottom strip), and stepping back over that
// new start never climbs above the column's top; the new start takes the
// k-matrix picture's labels away with the column.
#include "support/x_test_fixture.h"

#include <string>
#include <thread>

#include "engine/forward/forward_test_support.h"
#include "engine/model/network_arrays.h"
#include "ui/forward/run_settings.h"
#include "ui/rules/nhood_matrix.h"
#include "ui/screen/box_places.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"

#include <X11/Xutil.h>

namespace {

class TextColumnScreen : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        looking = XOpenDisplay(nullptr);
        ASSERT_NE(looking, nullptr);
        setviewport(0, 0, Maxx, Maxy, 1);
        setfillstyle(0, black);
        bar(0, 0, Maxx, Maxy);
        background = window_pixel(Maxx / 2, Maxy / 2);
        // The top of the tallest (three-line) rule box, and the column's top.
        rule_box_top = Maxy - 3 * CHeight - 2;
        column_top = vgay(50);
    }

    // Rows y0..y1 of columns 0..x1, read in one image through a connection
    // of the test's own (the looks run on the typing thread): true when
    // something other than the background is drawn there.
    bool marked_seen(int x1, int y0, int y1) { return marked_seen_from(0, x1, y0, y1); }

    // The same for columns x0..x1.
    bool marked_seen_from(int x0, int x1, int y0, int y1)
    {
        XImage *image = XGetImage(looking, W, x0, y0, static_cast<unsigned>(x1 - x0 + 1),
                                  static_cast<unsigned>(y1 - y0 + 1), AllPlanes, ZPixmap);
        if (!image)
            return true;
        bool marked = false;
        for (int y = 0; y <= y1 - y0 && !marked; y++)
            for (int x = 0; x <= x1 - x0 && !marked; x++)
                marked = XGetPixel(image, x, y) != background;
        XDestroyImage(image);
        return marked;
    }

    // Runs the forward-only options from a column that has six lines left
    // above the rule box, typing keys, and counts the waits at which a line
    // lay over the rule box's rows or above the column's top.
    void walk(const std::string &keys)
    {
        moveto(static_cast<int>(xtext * CWidth), rule_box_top - 6 * CHeight);
        paced_thread typing = type_keys_looking(keys, [&](size_t) {
            // The column's half of the window; above its top, left of the
            // status box.
            if (marked_seen(Maxx / 2, rule_box_top + 1, Maxy - 1))
                over_rule_box++;
            if (marked_seen(memory_box_left(Maxx) - 2, 0, column_top - 2))
                above_top++;
            if (marked_seen(Maxx / 2, column_top + 2, column_top + CHeight))
                at_top++;
        });
        forward_only_para();
        typing.join();
        EXPECT_EQ(take_typed_keys(), 0) << "keys left over";
    }

    void TearDown() override
    {
        if (looking)
            XCloseDisplay(looking);
    }

    Display *looking = nullptr;
    unsigned long background = 0;
    int rule_box_top = 0, column_top = 0;
    int over_rule_box = 0, above_top = 0, at_top = 0;
};

// Every option of the ring's forward-only walk, each with its default.
const std::string kEveryDefault(16, '\r');

TEST_F(TextColumnScreen, EveryForwardOnlyOptionStaysAboveTheRuleBox)
{
    TestNetwork net(2, 150, 5);
    walk(kEveryDefault);
    EXPECT_NE(is[0], 'q');
    EXPECT_GT(at_top, 0) << "the column never started again at its top";
    EXPECT_EQ(over_rule_box, 0) << "a question over the rule box";
    EXPECT_EQ(above_top, 0) << "a question above the column";
}

// Past the column's new start, back to the first question (asked again at
// the top) and out: every step back clears its lines and stays below the
// column's top.
TEST_F(TextColumnScreen, SteppingBackOverTheNewStartStaysInTheColumn)
{
    TestNetwork net(2, 150, 5);
    walk(std::string(12, '\r') + "qq");
    EXPECT_EQ(is[0], 'q');
    EXPECT_GT(at_top, 0) << "the column never started again at its top";
    EXPECT_EQ(over_rule_box, 0) << "a question over the rule box";
    EXPECT_EQ(above_top, 0) << "a question above the column";
}

// The k-matrix picture drawn in the column (its row labels stand left of
// the column's text) is taken away whole when the column starts again at
// its top: nothing is left between the window's frame and the column.
TEST_F(TextColumnScreen, ColumnStartingAgainTakesTheMatrixLabelsAway)
{
    TestNetwork net(2, 150, 5);
    allocate_mem_nhood_matrix(5);
    // The column's left edge as start-up sets it.
    const float keep_xtext = xtext;
    xtext = static_cast<float>(vgax(50)) / CWidth;
    const int left = static_cast<int>(xtext * CWidth);
    moveto(left, column_top + 4 * CHeight);
    setcolor(white);
    setup_nhood_matrix(0);
    flush_display();
    EXPECT_LT(nhood_matrix_labels_left(left), left - 2);
    EXPECT_TRUE(marked_seen(left - 3, column_top, rule_box_top - 1)) << "no labels drawn";
    bool labels_left = false;
    int wrapped = 0;
    moveto(left, rule_box_top - 6 * CHeight);
    paced_thread typing = type_keys_looking(kEveryDefault, [&](size_t) {
        if (marked_seen(Maxx / 2, column_top + 2, column_top + CHeight)) {
            wrapped++;
            // Columns 1.. left of the column's text (0 is the window's frame).
            labels_left = labels_left || marked_seen_from(1, left - 3, column_top, rule_box_top - 1);
        }
    });
    forward_only_para();
    typing.join();
    free_mem_nhood_matrix(5);
    xtext = keep_xtext;
    EXPECT_GT(wrapped, 0) << "the column never started again at its top";
    EXPECT_FALSE(labels_left) << "the matrix's labels stayed after the column was cleared";
}

} // namespace
