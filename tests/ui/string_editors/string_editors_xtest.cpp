// The random strings and the cell editor on the window, driven by typed keys.
#include "support/x_test_fixture.h"

#include <algorithm>

#include "support/work_dir.h"

#include "engine/backward/state_symmetries.h"
#include "engine/forward/forward_test_support.h"
#include "engine/rules/string_edits.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/string_editors/cell_editor.h"
#include "ui/string_editors/globals.h"
#include "ui/string_editors/random_strings.h"
#include "ui/string_editors/seed_dialog.h"
#include "ui/model/globals.h"

namespace {

class StringEditorsScreen : public ScreenTest {};

// The value colours the drawings read, made for the test's value range;
// declared after the network, so released before its allocation check.
struct ValueColours {
    ValueColours() { setup_value_colors(1); }
    ~ValueColours()
    {
        checked_free(color_v);
        color_v = nullptr;
    }
};

TEST_F(StringEditorsScreen, RandomBitsComplementTwiceKeepsTheString)
{
    srandom(3);
    TestNetwork net(2, 40, 3);
    ValueColours colours;
    moveto(40, 300);
    std::vector<int> drawn;
    paced_thread first = type_keys_paced("\r");
    random_bits(0, 0, 0, 1, A, L);
    first.join();
    drawn = state_values(A);
    EXPECT_EQ(count_nonzero(A, 0, lineL), 20u);
    paced_thread keys = type_keys_paced("mm\r");
    srandom(3);
    random_bits(0, 0, 0, 1, A, L);
    keys.join();
    EXPECT_EQ(state_values(A), drawn);
    EXPECT_FLOAT_EQ(bias_density, 50.0f);
}

// Shift before a capital draws no other string: 'Q' ends the dialog on the
// string drawn first.
TEST_F(StringEditorsScreen, RandomBitsTakesACapitalWithoutAnotherDraw)
{
    TestNetwork net(2, 40, 3);
    ValueColours colours;
    std::vector<std::vector<int>> drawn;
    for (const char *keys : {"\r", "Q"}) {
        srandom(5);
        moveto(40, 300);
        paced_thread typing = type_keys_paced(keys);
        random_bits(0, 0, 0, 1, A, L);
        typing.join();
        drawn.push_back(state_values(A));
    }
    EXPECT_EQ(is[0], 'Q');
    EXPECT_EQ(drawn[1], drawn[0]);
}

// The random rule table's figure and density boxes are taken away by
// putting back what was under them: the density box stands over the text
// column's lines, which a black erase would take away.
TEST_F(StringEditorsScreen, RandomRuleBoxesLeaveTheTextUnderThemAsItWas)
{
    TestNetwork net(2, 40, 3);
    ValueColours colours;
    give_rule_figures();
    const figure_box_place figures = rule_figure_box();
    const figure_box_place density = density_box();
    // Text standing in for the column's first lines: a white bar across
    // the last rows of each box.
    uint8_t fill = fillcolor;
    setfillstyle(0, white);
    for (const figure_box_place &box : {figures, density})
        bar(box.x0 + 10, box.y1 - 4, box.x0 + 60, box.y1);
    fillcolor = fill;
    moveto(40, 300);
    paced_thread keys = type_keys_paced("\r");
    random_bits(3, 0, 1, 1, carule[0], 7);
    keys.join();
    for (const figure_box_place &box : {figures, density})
        for (int y = box.y1 - 4; y <= box.y1; y++)
            for (int x : {box.x0 + 10, box.x0 + 35, box.x0 + 60})
                EXPECT_EQ(window_pixel(x, y), Color_Table[white]) << x << "," << y;
}

// A block seed's density line of a wide network stays inside the prompt
// box (a smaller font where the normal one would pass the window's edge, as
// on a 1024 x 768 screen), so no cut glyph stays right of the box once the
// dialog has gone on.
TEST_F(StringEditorsScreen, BlockSeedDensityLineStaysInsideThePromptBox)
{
    TestNetwork net(2, 150, 3);
    ValueColours colours;
    clear_drawing_area();
    moveto(40, 300);
    int inked_while_shown = -1;
    paced_thread keys = type_keys_looking("\r", [&](size_t) { inked_while_shown = inked_right_of_prompt_box(1); });
    random_bits(0, 30, 0, 1, A, L);
    keys.join();
    EXPECT_EQ(inked_while_shown, 0) << "the density line runs past the prompt box";
    erase_prompt_box(1);
    EXPECT_EQ(inked_right_of_prompt_box(1), 0) << "the density line's end stays right of the box";
}

// The hex readout of a random rule table of k = 13 (16 lines in the small
// font) begun low in the set-up column keeps to the lines that fit above the
// rule box the set-up draws next; it reached into the box's place.
TEST_F(StringEditorsScreen, RandomRuleHexStaysAboveTheRuleBox)
{
    TestNetwork net(2, 14, 13);
    ValueColours colours;
    give_rule_figures();
    clear_drawing_area();
    moveto(vgax(30), 2 * Maxy / 3);
    paced_thread keys = type_keys_paced("\r");
    random_bits(13, 0, 1, 1, carule[0], static_cast<int>(rule_entries(13) - 1));
    keys.join();
    screenshot("random_rule_hex_k13");
    const int top = tallest_rule_box_top();
    auto white_pixels = [](int y0, int y1) {
        std::vector<unsigned long> band = pixels_seen(0, y0, Maxx, y1 - y0);
        return std::count(band.begin(), band.end(), Color_Table[white]);
    };
    EXPECT_GT(white_pixels(2 * Maxy / 3, top), 0) << "no readout above the box";
    EXPECT_EQ(white_pixels(top, Maxy), 0) << "the readout reaches into the rule box";
}

TEST_F(StringEditorsScreen, CellEditorTypesAValueAndAccepts)
{
    TestNetwork net(3, 10, 3);
    ValueColours colours;
    memset(A, 0, bytesL);
    moveto(40, 300);
    int size = 8;
    paced_thread keys = type_keys_paced("23\r");
    cell_edit_outcome outcome = input_string_cell(0, 0, A, L, 0, 1, &size, 2, 600, 400);
    keys.join();
    EXPECT_EQ(outcome, cell_edit_outcome::accept);
    EXPECT_EQ(is[0], 13);
    // '2' set position 0 (cell 9) and moved right; '3' is no value of v = 3.
    EXPECT_EQ(get_value(A, 9), 2);
    EXPECT_EQ(get_value(A, 8), 0);
    EXPECT_EQ(getx, 40);
}

// Opened from the right half of the window (the pause box's 'e' leaves the
// point at 80% of the width), the seed window is moved left until it fits,
// and its frame ends above the tallest rule box (a kcode's three lines).
TEST_F(StringEditorsScreen, SeedWindowOpenedNearTheRightEdgeFitsTheWindow)
{
    TestNetwork net(2, 20, 3);
    ValueColours colours;
    for (int x : {Maxx * 4 / 5, Maxx - 10, 0}) {
        SCOPED_TRACE(x);
        moveto(x, Maxy / 2);
        // The window's frame as the editors' view holds it while it waits
        // for its first key (this thread waits in the server meanwhile).
        int x0 = -1, x1 = -1, y1 = -1;
        paced_thread keys = type_keys_looking("q", [&](size_t) {
            x0 = tview_x0;
            x1 = tview_x1;
            y1 = tview_y1;
        });
        select_seed(0, bitseed, "SEED", 1);
        keys.join();
        EXPECT_GE(x0, 0);
        EXPECT_LE(x1, Maxx - 2);
        EXPECT_LT(y1, Maxy - 3 * CHeight - 2);
        EXPECT_GT(x1 - x0, Maxx / 2) << "the window lost its width";
    }
}

// The window set to 60 x 60 ('w') in the windows of a 1280x1024 and of a
// 1024x768 screen: its frame keeps the menu's lines inside, and once the
// dialog is left the screen is as it was, the typed sizes with it.
TEST_F(StringEditorsScreen, SeedWindowSetSmallKeepsItsMenuAndLeavesNothing)
{
    if (!on_default_screen())
        GTEST_SKIP() << "the larger window does not fit this server's screen";
    TestNetwork net(2, 20, 3);
    ValueColours colours;
    for (const int *size : {(const int[]){1024, 768}, (const int[]){927, 695}}) {
        SCOPED_TRACE(testing::Message() << "window " << size[0] << "x" << size[1]);
        ASSERT_TRUE(resize_to(size[0], size[1]));
        clear_drawing_area();
        moveto(vgax(50), vgay(300));
        const std::vector<uint32_t> before = window_now();
        int right_of_frame = -1;
        paced_thread keys = type_keys_looking("w\r60\r60\rq", [&](size_t i) {
            if (i != 8) // the 'q' at the menu of the window made small
                return;
            screenshot("seed_window_small_" + std::to_string(size[0]));
            right_of_frame = 0;
            const int x = tview_x1 + 1, y = tview_y0 + 2;
            for (unsigned long p : pixels_seen(x, y, Maxx - x, 2 * CHeight))
                right_of_frame += p == Color_Table[white];
        });
        select_seed(0, bitseed, "SEED", 1);
        keys.join();
        EXPECT_EQ(right_of_frame, 0) << "the menu's lines run past the frame";
        EXPECT_TRUE(window_now() == before) << "the dialog left marks on the screen";
    }
    ASSERT_TRUE(resize_to(1024, 768));
}

// The window made as large as it goes reaches up to the rows below the
// prompt box of four lines; a set-up line those rows fall in is covered
// whole, the window's top moved above its ink, not cut through (the draw
// check reports a cut, or the window's first line written over it).
TEST_F(StringEditorsScreen, SeedWindowAsLargeAsItGoesCoversTheLineItReaches)
{
    TestNetwork net(2, 14, 3);
    ValueColours colours;
    clear_drawing_area();
    const int line_top = prompt_box_bottom(4) + 2 - CHeight / 2;
    moveto(vgax(10), line_top);
    outtext("EXIT-q, graphics setup-g, randseed-r, totalistic/forward only-t");
    moveto(vgax(10), line_top + CHeight);
    int top = -1;
    paced_thread keys = type_keys_looking("w\rm\rm\rq", [&](size_t i) {
        if (i == 6) // the 'q' at the menu of the window made large
            top = tview_y0;
    });
    select_seed_over_setup(bitseed, "SEED");
    keys.join();
    EXPECT_GE(top, 0);
    // The highest top the window takes lies in the line's middle rows.
    EXPECT_LT(top, line_top + CHeight / 2) << "the window's top cuts the line";
}

// The window set to 60 x 60 is kept as high as the random method's lines
// need: a random state of 32 cells, its keys, cells and value line stay
// inside the frame, off the rule box and the bottom strip below it (the
// draw check reports lines run into the strip or over the box).
TEST_F(StringEditorsScreen, SeedWindowSetSmallKeepsTheRandomStateInside)
{
    TestNetwork net(2, 32, 3);
    ValueColours colours;
    give_rule_figures();
    clear_drawing_area();
    show_rule_bottom(3, 0, carule[0], 0);
    moveto(vgax(50), vgay(300));
    // The size, then the random method with its block's default size,
    // accepted, and the density line after it.
    paced_thread keys = type_keys_paced("w\r60\r60\rr\r\r\r\r");
    select_seed(0, bitseed, "SEED", 1);
    keys.join();
}

// A segment of one cell on a ring of 300: the start position's question
// stands on a line of its own below the segment's answer, inside the
// window's frame (after the answer it ran past the frame).
TEST_F(StringEditorsScreen, SeedSegmentStartQuestionStaysInsideTheWindow)
{
    TestNetwork net(2, 300, 3);
    ValueColours colours;
    clear_drawing_area();
    moveto(vgax(50), vgay(300));
    int right_of_frame = -1;
    // 'b', a segment of 1; 'q' at the start question, at the segment's and
    // at the menu.
    const std::string keys = "b\r1\rqqq";
    paced_thread typing = type_keys_looking(keys, [&](size_t i) {
        if (i != 4)
            return;
        screenshot("seed_segment_start_" + std::to_string(Maxx + 1));
        right_of_frame = 0;
        for (unsigned long p : pixels_seen(tview_x1 + 1, tview_y0 + 2, Maxx - tview_x1 - 1, tview_y1 - tview_y0 - 2))
            right_of_frame += p == Color_Table[white];
    });
    select_seed(0, bitseed, "SEED", 1);
    typing.join();
    EXPECT_EQ(right_of_frame, 0) << "the question runs past the window's frame";
}

// A width typed below what the window's text needs is taken up to it: while
// the height is asked, the width line shows the width taken, as it shows
// that width typed exactly, not the answer typed (both window sizes).
TEST_F(StringEditorsScreen, SeedWindowWidthLineShowsTheWidthTaken)
{
    if (!on_default_screen())
        GTEST_SKIP() << "the larger window does not fit this server's screen";
    TestNetwork net(2, 20, 3);
    ValueColours colours;
    const int16_t height = height_req_seed_win;
    for (const int *size : {(const int[]){1024, 768}, (const int[]){927, 695}}) {
        SCOPED_TRACE(testing::Message() << "window " << size[0] << "x" << size[1]);
        ASSERT_TRUE(resize_to(size[0], size[1]));
        // The width line (the menu's two lines above it) while the height
        // is asked, and the width taken, once with the width typed.
        auto width_line = [&](const std::string &width, int &taken) {
            clear_drawing_area();
            height_req_seed_win = height;
            moveto(vgax(50), vgay(300));
            std::vector<unsigned long> line;
            const std::string keys = "w\r" + width + "\r\rq";
            paced_thread typing = type_keys_looking(keys, [&](size_t i) {
                if (i == keys.size() - 2) { // the height's Return
                    line = pixels_seen(tview_x0, tview_y0 + 2 + 2 * CHeight, tview_x1 - tview_x0, CHeight);
                    screenshot("seed_width_taken_" + width + "_" + std::to_string(size[0]));
                }
                if (i == keys.size() - 1)
                    taken = tview_x1 - tview_x0;
            });
            select_seed(0, bitseed, "SEED", 1);
            typing.join();
            return line;
        };
        int taken = 0, again = 0;
        const std::vector<unsigned long> after_60 = width_line("60", taken);
        ASSERT_GT(taken, 60);
        EXPECT_TRUE(width_line(std::to_string(taken), again) == after_60)
            << "the width line does not show the width taken, " << taken;
        EXPECT_EQ(again, taken);
    }
    height_req_seed_win = height;
    ASSERT_TRUE(resize_to(1024, 768));
}

// A flip key acts on a 2d state only: the editor flips the plane and asks
// for a redraw, and on a 3d state it leaves the block as it was.
TEST_F(StringEditorsScreen, CellEditorFlipsOnlyAPlane)
{
    {
        TestNetwork net(2, 2, 5, 4, 1, 5);
        ValueColours colours;
        for (uint32_t c = 0; c < lineL; c++)
            set_value(A, c, c % 3 == 0);
        std::vector<uint8_t> flipped(A, A + bytesL);
        hex_cells = 0;
        start_j2d = static_cast<int16_t>(j2d - 1);
        flip_array_2d(flipped.data(), 0, 'h');
        ASSERT_NE(std::vector<uint8_t>(A, A + bytesL), flipped);
        moveto(40, 300);
        int size = 8;
        paced_thread keys = type_keys_paced("h");
        cell_edit_outcome outcome = input_string_cell(0, 0, A, L, 0, 1, &size, 2, 600, 400);
        keys.join();
        EXPECT_EQ(outcome, cell_edit_outcome::redraw);
        EXPECT_EQ(std::vector<uint8_t>(A, A + bytesL), flipped);
    }
    TestNetwork net(2, 3, 3, 3, 2, 7);
    ValueColours colours;
    for (uint32_t c = 0; c < lineL; c++)
        set_value(A, c, c % 3 == 0);
    std::vector<uint8_t> block(A, A + bytesL);
    start_h3d = static_cast<int16_t>(h3d - 1);
    moveto(40, 300);
    int size = 8;
    paced_thread keys = type_keys_paced("hV\r");
    cell_edit_outcome outcome = input_string_cell(0, 0, A, L, 0, 1, &size, 2, 600, 400);
    keys.join();
    EXPECT_EQ(outcome, cell_edit_outcome::accept);
    EXPECT_EQ(std::vector<uint8_t>(A, A + bytesL), block);
}

// A 14-cell ring of v = 3 seen as a 6 x 3 grid: the complement turns every
// cell of the state over and reaches none of the places 14..17 past it.
TEST_F(StringEditorsScreen, CellEditorComplementsARingSeenAsAWiderGrid)
{
    TestNetwork net(3, 14, 3);
    ValueColours colours;
    showbits_1d_as_2d = 1;
    i2d = 6;
    j2d = 3;
    start_j2d = static_cast<int16_t>(j2d - 1);
    for (uint32_t c = 0; c < lineL; c++)
        set_value(A, c, static_cast<int>(c % 3));
    moveto(40, 300);
    int size = 8;
    paced_thread keys = type_keys_paced("m");
    cell_edit_outcome outcome = input_string_cell(0, 0, A, L, 0, 1, &size, 2, 600, 400);
    keys.join();
    showbits_1d_as_2d = 0;
    EXPECT_EQ(outcome, cell_edit_outcome::redraw);
    for (uint32_t c = 0; c < lineL; c++)
        EXPECT_EQ(get_value(A, c), 2 - static_cast<int>(c % 3)) << c;
}

// The four arrows move the cursor by a cell or a row of the plane: a value
// typed after each move lands on the cell the moves reached.
TEST_F(StringEditorsScreen, CellEditorArrowsMoveTheCursorAcrossThePlane)
{
    TestNetwork net(2, 2, 5, 4, 1, 5);
    ValueColours colours;
    memset(A, 0, bytesL);
    start_j2d = static_cast<int16_t>(j2d - 1);
    moveto(40, 300);
    int size = 8;
    // From the top left corner (position 0, cell 19): down a row, 1 there
    // (cell 14, the cursor then one right); up, left, 1 (cell 19); right, 1
    // (cell 17).
    const std::string keys = {static_cast<char>(kKeyDown), '1', static_cast<char>(kKeyUp),
                              static_cast<char>(kKeyLeft), '1', static_cast<char>(kKeyRight),
                              '1', '\r'};
    paced_thread typing = type_keys_paced(keys);
    cell_edit_outcome outcome = input_string_cell(0, 0, A, L, 0, 1, &size, 2, 600, 400);
    typing.join();
    EXPECT_EQ(outcome, cell_edit_outcome::accept);
    for (uint32_t c = 0; c < lineL; c++)
        EXPECT_EQ(get_value(A, c), c == 19 || c == 17 || c == 14 ? 1 : 0) << "cell " << c;
}

// The display switches '.', 'i' and 'x' each turn their own flag over and
// ask for the grid to be drawn again; the string stays as it was.
TEST_F(StringEditorsScreen, CellEditorDisplaySwitchesTurnTheirFlagOver)
{
    TestNetwork net(2, 2, 5, 4, 1, 5);
    ValueColours colours;
    for (uint32_t c = 0; c < lineL; c++)
        set_value(A, c, c % 2);
    std::vector<uint8_t> before(A, A + bytesL);
    start_j2d = static_cast<int16_t>(j2d - 1);
    uint8_t kept[3] = {show_dots, show_2d_divs, hex_cells};
    struct {
        char key;
        uint8_t *flag;
    } switches[] = {{'.', &show_dots}, {'i', &show_2d_divs}, {'x', &hex_cells}};
    for (auto &s : switches) {
        SCOPED_TRACE(s.key);
        std::vector<uint8_t> flags = {show_dots, show_2d_divs, hex_cells};
        uint8_t *all[3] = {&show_dots, &show_2d_divs, &hex_cells};
        moveto(40, 300);
        int size = 8;
        paced_thread typing = type_keys_paced(std::string(1, s.key));
        cell_edit_outcome outcome = input_string_cell(0, 0, A, L, 0, 1, &size, 2, 600, 400);
        typing.join();
        EXPECT_EQ(outcome, cell_edit_outcome::redraw);
        for (int f = 0; f < 3; f++)
            EXPECT_EQ(*all[f] != 0, all[f] == s.flag ? flags[f] == 0 : flags[f] != 0) << f;
    }
    EXPECT_EQ(std::vector<uint8_t>(A, A + bytesL), before);
    show_dots = kept[0];
    show_2d_divs = kept[1];
    hex_cells = kept[2];
}

} // namespace

namespace {

// A 1d seed edited as a 2d grid ('B'): once the grid is accepted, the
// seed's hex is written below the picture, not over its cells.
TEST_F(StringEditorsScreen, SeedHexAfterTheTwoDGridStaysBelowThePicture)
{
    work_dir work; // the seed dialog writes its automatic seed file
    ASSERT_TRUE(work.enter("zemra-seed-grid"));
    TestNetwork net(2, 40, 3);
    ValueColours colours;
    moveto(vgax(50), vgay(300));
    int over_cells = -1, below = -1;
    // 'B', the default i-axis, the grid's two waits, Return at the density
    // prompt.
    paced_thread keys = type_keys_looking("B\r\r\r\r", [&](size_t i) {
        if (i != 4)
            return;
        screenshot("seed_hex_below_grid");
        // The picture's rows: those with a pixel neither background nor
        // white, between the menu's lines and the window's lower frame.
        int x0 = static_cast<int>(xtext * CWidth) + 1, w = i2d * cellscale;
        int from = vgay(300) + 3 * CHeight, to = Maxy - 3 * CHeight - 8;
        std::vector<unsigned long> band = pixels_seen(x0, from, w, to - from);
        unsigned long background = Color_Table[black], text = Color_Table[white];
        int top = -1, bottom = -1;
        for (int y = 0; y < to - from; y++)
            for (int x = 0; x < w; x++) {
                unsigned long p = band[static_cast<size_t>(y) * w + x];
                if (p != background && p != text) {
                    top = top < 0 ? y : top;
                    bottom = y;
                }
            }
        ASSERT_GE(top, 0) << "no picture";
        over_cells = below = 0;
        for (int y = 0; y < to - from; y++)
            for (int x = 0; x < w; x++)
                if (band[static_cast<size_t>(y) * w + x] == text)
                    (y >= top && y <= bottom ? over_cells : below)++;
    });
    select_seed(0, bitseed, "SEED", 1);
    keys.join();
    EXPECT_EQ(over_cells, 0) << "the hex is written over the picture";
    EXPECT_GT(below, 0) << "no hex below the picture";
    showbits_1d_as_2d = 0;
    EXPECT_TRUE(work.leave());
}

} // namespace
