// Cell values drawn on the real window: squares and gaps of a state row,
// centre marks, highlighting, 2d grids, layered rule tables and seeds with
// their filler dots, hexagonal cells, the colour key, and the paging of a
// non-scrolling space-time pattern and the rows of a scrolling one.
#include "support/x_test_fixture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/model_test_support.h"
#include "ui/model/cell_display.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"

namespace {

class CellDisplay : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        clear_drawing_area();
        use_value_range(2);
        setup_value_colors(1);
        oned = 1;
        twod = threed = 0;
    }
    void TearDown() override
    {
        checked_free(color_v);
        color_v = nullptr;
        hilight_learn = hilight_off;
        oned = twod = 0;
        use_size(1);
        lineL = 0;
        use_value_range(2);
    }
    static unsigned long at(int x, int y) { return window_pixel(x, y); }
};

TEST_F(CellDisplay, StateRowWithTouchingSquaresAndCentreMarks)
{
    use_size(8);
    std::vector<uint8_t> state = pack({1, 0, 0, 0, 0, 0, 0, 1});  // cells 0 and 7
    scale = 4;
    sep = 1;
    moveto(100, 100);
    print_current_state(state.data(), yellow);
    EXPECT_EQ(getx, 100);
    EXPECT_EQ(gety, 100);
    // Cell 7 at the left, cell 0 at the right; each 4 pixels wide.
    EXPECT_EQ(at(100, 100), Color_Table[yellow]);
    EXPECT_EQ(at(103, 103), Color_Table[yellow]);
    EXPECT_EQ(at(104, 100), Color_Table[darkgray]);
    EXPECT_EQ(at(128, 100), Color_Table[yellow]);
    EXPECT_EQ(at(131, 103), Color_Table[yellow]);
    EXPECT_EQ(at(132, 100), Color_Table[black]);  // the bar is 32 pixels long
    // Centre mark of every cell at (x + 1, y + 1).
    EXPECT_EQ(at(101, 101), Color_Table[green]);
    EXPECT_EQ(at(105, 101), Color_Table[green]);
    EXPECT_EQ(at(129, 101), Color_Table[green]);

    sep = 2;  // 3-pixel squares with a 1-pixel gap
    moveto(100, 200);
    print_current_state(state.data(), yellow);
    EXPECT_EQ(at(102, 202), Color_Table[yellow]);
    EXPECT_EQ(at(103, 200), Color_Table[black]);
    EXPECT_EQ(at(104, 200), Color_Table[darkgray]);
}

TEST_F(CellDisplay, HighlightFramesOnlyColoursOtherThanWhite)
{
    use_size(8);
    std::vector<uint8_t> state = pack({1, 1, 0, 0, 0, 0, 0, 0});
    scale = 4;
    sep = 1;
    hilight_learn = hilight_frame;
    moveto(100, 100);
    print_current_state_h(state.data(), white);
    EXPECT_EQ(at(98, 98), Color_Table[black]);
    moveto(100, 200);
    print_current_state_h(state.data(), lightred);
    EXPECT_EQ(at(98, 198), Color_Table[white]);
    EXPECT_EQ(at(98 + 35, 198), Color_Table[white]);  // width 8*4-1+4 from x-2
    // Basin rows: value 0 dark grey with the mark, value 1 yellow without.
    EXPECT_EQ(at(100, 200), Color_Table[darkgray]);
    EXPECT_EQ(at(101, 201), Color_Table[green]);
    EXPECT_EQ(at(125, 201), Color_Table[yellow]);
    EXPECT_EQ(color_v[0], black);  // restored after the call
}

TEST_F(CellDisplay, TwoDimensionalGridStartsWithCellLAtTopLeft)
{
    use_size(6);
    oned = 0;
    twod = 2;
    i2d = 3;
    j2d = 2;
    std::vector<uint8_t> state = pack({0, 0, 0, 0, 0, 1});  // cell 5 only
    scale = 5;
    sep = 1;
    moveto(200, 200);
    print_current_state_twod(state.data(), white);
    EXPECT_EQ(at(200, 200), Color_Table[yellow]);  // cell 5, top left
    EXPECT_EQ(at(205, 200), Color_Table[darkgray]);
    EXPECT_EQ(at(210, 205), Color_Table[darkgray]);  // cell 0, bottom right
    EXPECT_EQ(at(199, 199), Color_Table[white]);     // the frame around the grid
    EXPECT_EQ(at(199 + 17, 199 + 12), Color_Table[white]);
    i2d = j2d = 0;
}

TEST_F(CellDisplay, RuleTableOfSixteenIsOneRowWithByteGaps)
{
    std::vector<uint8_t> rule(2, 0xFF);
    moveto(100, 300);
    int end = print_layered_bitstring(64, rule.data(), 15, 4, 2, 0, 1);
    // Maxx above 798: 3 extra pixels after every 8th square.
    EXPECT_EQ(end, 100 + 16 * 4 + 2 * 3);
    EXPECT_EQ(gety, 300);
    EXPECT_EQ(at(100 + 7 * 4, 300), Color_Table[yellow]);
    EXPECT_EQ(at(100 + 8 * 4 + 1, 300), Color_Table[black]);  // inside the gap
    EXPECT_EQ(at(100 + 8 * 4 + 3, 300), Color_Table[yellow]);
}

TEST_F(CellDisplay, SeedOfTenCellsBeginsWithSixFillerDots)
{
    use_size(10);
    std::vector<uint8_t> seed = pack({1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    moveto(100, 400);
    print_layered_bitstring(64, seed.data(), 9, 6, 2, 0, 0);
    for (int f = 0; f < 6; f++)
        EXPECT_EQ(at(100 + f * 6 + 2, 402), Color_Table[white]) << f;
    EXPECT_EQ(at(100 + 6 * 6, 400), Color_Table[yellow]);  // cell 9
    // Cells 9 and 8 fill positions 7 and 8, then the byte gap.
    EXPECT_EQ(at(100 + 8 * 6 + 3 + 2, 400), Color_Table[yellow]);
}

TEST_F(CellDisplay, HexagonCornersAndOutline)
{
    setfillstyle(0, lightred);
    draw_hexagonal_2d_cell(6.0, 10, 1, 0, lightred, 300, 300);
    EXPECT_EQ(std::vector<int>(poly, poly + 12),
              (std::vector<int>{305, 300, 310, 303, 310, 309, 305, 312, 300, 309, 300, 303}));
    EXPECT_EQ(at(305, 306), Color_Table[lightred]);
    EXPECT_EQ(at(300, 306), Color_Table[black]);  // the outline is black
    moveto(0, 0);
    draw_hexagonal_2d_cell(6.0, 1, 1, 0, yellow, 320, 320);
    EXPECT_EQ(at(320, 320), Color_Table[yellow]);
}

TEST_F(CellDisplay, ColourKeyIsDrawnAndTakenDown)
{
    use_value_range(3);
    setup_value_colors(1);
    setfillstyle(0, blue);
    bar(Maxx - vgax(210), 0, Maxx, 3 * CHeight + vgay(6) + 4);
    unsigned long under = at(Maxx - 20, 3 * CHeight);
    moveto(40, 50);
    show_multistate_color_key(1);
    EXPECT_EQ(getx, 40);
    EXPECT_EQ(gety, 50);
    EXPECT_NE(boximage[19], 0u);
    EXPECT_EQ(at(Maxx - 2, 10), Color_Table[lightred]);  // the frame
    show_multistate_color_key(0);
    EXPECT_EQ(boximage[19], 0u);
    EXPECT_EQ(at(Maxx - 20, 3 * CHeight), under);
}

TEST_F(CellDisplay, EndPageSweepsDownThenClearsAndStartsAtTheTop)
{
    use_size(20);
    stp = 1;
    scrolling = 0;
    moveto(0, 100);
    end_page(4);
    EXPECT_EQ(getx, 0);
    EXPECT_EQ(gety, 104);
    setfillstyle(0, yellow);
    bar(0, 0, 50, 50);
    moveto(0, Maxy - 6);
    end_page(4);  // 2 rows left: the page is full
    EXPECT_EQ(gety, 0);
    EXPECT_EQ(at(10, 10), Color_Table[black]);
    stp = 0;
    moveto(7, 7);
    end_page(4);  // nothing while no pattern is shown
    EXPECT_EQ(gety, 7);
}

// Row t of a scrolling pattern, drawn on a page pixmap as the forward run
// draws its rows, shows t in binary in 8 squares of side h (bit 0 at the
// left, white for 1); after each step the window's rows, read top down to
// the first blank one, must be the numbers up to the last row drawn with
// none left out, through the step where the page begins to scroll and after.
TEST_F(CellDisplay, ScrollingPatternShowsEveryRowOnce)
{
    const int h = 8, bits = 8, width = bits * h;
    const int rows_on_page = Maxy / h;
    ASSERT_LT(rows_on_page + 20, 1 << bits);
    stp = 1;
    scrolling = 1;
    nowscrolling = 0;
    d_mode = display_1d;
    pixmap_width = static_cast<int16_t>(width);
    image_slot page = 0;
    getimage(0, 0, width - 1, Maxy - 1, &page);
    ASSERT_NE(page, 0u);
    current_draw = page;
    moveto(0, 0);

    // The numbers shown from the top of the window down to the first blank row.
    auto shown_rows = [&] {
        std::vector<int> numbers;
        XSync(D, False);
        XImage *image = XGetImage(D, W, 0, 0, width, Maxy, AllPlanes, ZPixmap);
        if (!image)
            return numbers;
        for (int top = 0; top + h <= Maxy; top += h) {
            int t = 0;
            for (int b = 0; b < bits; b++)
                t |= (XGetPixel(image, b * h + h / 2, top + h / 2) == Color_Table[white]) << b;
            if (t == 0)
                break;
            numbers.push_back(t);
        }
        XDestroyImage(image);
        return numbers;
    };

    bool scrolled = false;
    for (int t = 1; t <= rows_on_page + 20; t++) {
        int y = gety;
        for (int b = 0; b < bits; b++) {
            setfillstyle(0, (t >> b) & 1 ? white : black);
            bar(b * h, y, b * h + h - 1, y + h - 1);
        }
        end_page(h);
        scrolled = scrolled || nowscrolling;
        std::vector<int> numbers = shown_rows();
        ASSERT_FALSE(numbers.empty()) << "step " << t;
        EXPECT_EQ(numbers.back(), t) << "the last row drawn is not the last shown";
        for (size_t i = 1; i < numbers.size(); i++)
            ASSERT_EQ(numbers[i], numbers[i - 1] + 1) << "step " << t << ", row " << i;
        if (scrolled) {
            EXPECT_GE(numbers.size() + 2, static_cast<size_t>(rows_on_page)) << "step " << t;
        }
    }
    EXPECT_TRUE(scrolled);
    current_draw = W;
    freeimage(&page);
    stp = 0;
    scrolling = 0;
    nowscrolling = 0;
    d_mode = display_unset;
    pixmap_width = 0;
}

}  // namespace
