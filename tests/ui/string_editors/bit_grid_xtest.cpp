// Bits on a grid on the window: a 3d state is drawn with the lattice frame
// under its isometric picture and with a mark and the layer's number at the
// end of each layer of the grid, all inside the window; a 2d state with the
// damage display on has a mark above the middle of its row, moved with the
// cell size and none with the display off.
#include "support/setup_column_fixture.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "ui/model/cell_display.h"
#include "ui/model/globals.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"
#include "ui/string_editors/bit_grid.h"
#include "ui/string_editors/globals.h"

namespace {

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

class BitGrid : public SetUpColumnTest {
protected:
    void SetUp() override
    {
        SetUpColumnTest::SetUp();
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        tview_x0 = tview_y0 = 0;
        tview_x1 = Maxx;
        tview_y1 = Maxy;
        xtext = 2;
        setcolor(white);
    }
    void TearDown() override
    {
        diff_plot = diff_plot_off;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }

    static constexpr int kCaller = 200; // the caller's line: the grid starts two lines lower
    static int grid_left() { return static_cast<int>(xtext * CWidth); }
    static int grid_top() { return kCaller + static_cast<int>(2 * CHeight); }

};

TEST_F(BitGrid, ThreeDStateHasItsFrameAndLayerNumbers)
{
    TestNetwork net(2, 3, 4, 4, 3, 3); // 4 x 4 cells a layer, 3 layers
    ValueColours colours;
    memset(A, 0, bytesL);
    set_value(A, 0, 1);
    set_value(A, 47, 1);
    // While the editor waits: the frame's outline, white, right of the grid.
    struct seen {
        bool front_left = false, front_bottom = false, back_top = false;
        int right = 0, top = 0;
    } frame;
    paced_thread typist = type_keys_looking("\r", [&](size_t) {
        int right = grid_left() + i3d * cellscale;
        int bx = right + 5 * CWidth, by = tview_y1 - vgay(5);
        int depth = static_cast<int>((fscale * std::sin(M_PI / 4)) * j3d);
        int top = by - depth - h3d * fscale;
        frame.front_left = pixel_seen(bx, by - 1) == Color_Table[white];
        frame.front_bottom = pixel_seen(bx + i3d * fscale / 2, by) == Color_Table[white];
        frame.back_top = pixel_seen(bx + depth + i3d * fscale / 2, top) == Color_Table[white];
        frame.right = bx + i3d * fscale + depth;
        frame.top = top;
    });
    moveto(grid_left(), kCaller);
    define_bits(3, 0, A, L, 0);
    typist.join();
    EXPECT_TRUE(frame.front_left);
    EXPECT_TRUE(frame.front_bottom);
    EXPECT_TRUE(frame.back_top);
    EXPECT_LT(frame.right, Maxx);
    EXPECT_GT(frame.top, grid_top());
    // The grid and its layer marks stay: rows of 4 cells from cell 47 down,
    // layer 2 ending with row 3 (cells 35..32), layer 1 with row 7, layer 0
    // with row 11.
    std::vector<uint32_t> shown = window_now();
    int right = grid_left() + i3d * cellscale;
    ASSERT_GE(4 * cellscale, CHeight) << "layers tall enough for their numbers";
    for (int layer = 2; layer >= 0; layer--) {
        SCOPED_TRACE("layer " + std::to_string(layer));
        int y = grid_top() + (3 - layer) * 4 * cellscale - 1;
        EXPECT_EQ(pixel_at(shown, right + CWidth - 1, y), Color_Table[white]) << "the mark";
        // The number: as written afresh at its place.
        int x = right + CWidth + 2;
        setfillstyle(0, black);
        bar(x, y - CHeight, x + 3 * CWidth, y - 1);
        setcolor(white);
        moveto(x, y - CHeight);
        outtext(std::to_string(layer).c_str());
        std::vector<uint32_t> again = window_now();
        int differ = 0, lit = 0;
        for (int yy = y - CHeight; yy < y; yy++)
            for (int xx = x; xx <= x + 3 * CWidth; xx++) {
                differ += pixel_at(shown, xx, yy) != pixel_at(again, xx, yy);
                lit += pixel_at(again, xx, yy) != Color_Table[black];
            }
        EXPECT_EQ(differ, 0);
        EXPECT_GT(lit, 0);
    }
    EXPECT_EQ(boximage[17], 0ul) << "the saved frame freed";
}

// The editor's key help stands over the right ends of the set-up column's
// first lines: those lines are hidden whole while the editor is up, not cut
// at the box's left edge, and come back whole when it leaves. The seed's
// editor and the rule's bit editor share the help box.
TEST_F(BitGrid, TheKeyHelpStaysInsideWholeSetUpLines)
{
    TestNetwork net(2, 14, 3);
    ValueColours colours;
    memset(A, 0, bytesL);
    std::vector<uint8_t> rule(1, 0x6e);
    std::vector<std::pair<int, int>> ink = write_setup_lines(kCaller - CHeight);
    ASSERT_FALSE(ink.empty());
    for (int kind : {0, 1}) {
        SCOPED_TRACE(kind == 0 ? "seed" : "rule");
        int lines = 0, cut = -1;
        paced_thread typist = type_keys_looking("\r", [&](size_t) {
            lines = prompt_box_lines_shown();
            cut = lines_cut_above(ink, prompt_box_bottom(lines));
        });
        moveto(grid_left(), kCaller);
        if (kind == 0)
            define_bits(3, 0, A, L, 0);
        else
            define_bits(3, 1, rule.data(), 7, 0);
        typist.join();
        XSync(D, False);
        const int bottom = prompt_box_bottom(lines);
        const long under = std::count_if(ink.begin(), ink.end(), [&](const std::pair<int, int> &band) {
            return band.first <= bottom;
        });
        EXPECT_GT(under, 0) << "the help box reaches no set-up line";
        EXPECT_EQ(cut, 0) << "set-up lines cut by the key help's box";
        EXPECT_EQ(lines_cut_above(ink, bottom), under) << "the set-up lines not back whole";
    }
}

TEST_F(BitGrid, DamageDisplayMarksTheMiddleOfA2dRow)
{
    TestNetwork net(2, 2, 8, 6, 1, 3);
    ValueColours colours;
    memset(A, 0, bytesL);
    diff_plot = diff_plot_keep;
    std::vector<int> xs;
    std::vector<bool> marked, old_cleared;
    // 'e' makes the cells larger and the grid is drawn again.
    paced_thread typist = type_keys_looking("e\r", [&](size_t) {
        int x = grid_left() + cellscale * i2d / 2;
        // From the grid up to the caller's line, not into it.
        marked.push_back(pixel_seen(x, grid_top() - 2) == Color_Table[white] &&
                         pixel_seen(x, grid_top() - CHeight + 2) == Color_Table[white] &&
                         pixel_seen(x, grid_top() - CHeight + 1) == Color_Table[black]);
        if (!xs.empty())
            old_cleared.push_back(pixel_seen(xs.back(), grid_top() - 2) == Color_Table[black]);
        xs.push_back(x);
    });
    moveto(grid_left(), kCaller);
    define_bits(3, 0, A, L, 0);
    typist.join();
    ASSERT_EQ(xs.size(), 2u);
    EXPECT_NE(xs[0], xs[1]);
    EXPECT_EQ(marked, (std::vector<bool>{true, true}));
    EXPECT_EQ(old_cleared, std::vector<bool>{true});
}

TEST_F(BitGrid, NoMidRowMarkWithoutTheDamageDisplay)
{
    TestNetwork net(2, 2, 8, 6, 1, 3);
    ValueColours colours;
    memset(A, 0, bytesL);
    bool marked = true;
    paced_thread typist = type_keys_looking("\r", [&](size_t) {
        int x = grid_left() + cellscale * i2d / 2;
        marked = pixel_seen(x, grid_top() - 2) != Color_Table[black];
    });
    moveto(grid_left(), kCaller);
    define_bits(3, 0, A, L, 0);
    typist.join();
    EXPECT_FALSE(marked);
}

} // namespace
