// The general method's cell order on the window: a rearranged order is
// shown in its box as "reorder=" and the cells from position L down to 0,
// the box growing by a line for each line of cells so that every line is
// inside it; nothing is drawn with mutants on one screen. The error of a
// partial pre-image holding a value in an unassigned cell is a prompt that
// waits for a key.
#include "support/x_test_fixture.h"

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "engine/backward/backward_test_support.h"
#include "engine/backward/wild_cells.h"
#include "ui/backward/cell_order_box.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

class CellOrderBox : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }
    void TearDown() override
    {
        reorderRBN = 0;
        mutant_layout = 0;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        ScreenTest::TearDown();
    }

    // The rectangle's pixels of two snapshots differ at this many places.
    static int differences(const std::vector<uint32_t> &a, const std::vector<uint32_t> &b, int x0,
                           int y0, int x1, int y1)
    {
        int n = 0;
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                n += pixel_at(a, x, y) != pixel_at(b, x, y);
        return n;
    }
    // The order of the network, wired at random, rearranged (and the box
    // drawn); free_pre_rand before the network goes.
    static void rearranged_network()
    {
        reset_backward_settings();
        wire_at_random(false);
        reorderRBN = 1;
        prepair_pre_rand();
    }
    // The cells in processing order as the box writes them.
    static std::string order_text()
    {
        std::string text = "reorder=";
        for (uint32_t pos = L + 1; pos-- > 0;)
            text += std::to_string(cell_order[pos]) + " ";
        return text;
    }
};

int
box_top()
{
    return static_cast<int>(1.75 * CHeight);
}

int
text_margin()
{
    return Maxx / 2 + vgax(3);
}

TEST_F(CellOrderBox, ShowsTheOrderFromTheLastPosition)
{
    srandom(3);
    TestNetwork net(2, 12, 3);
    rearranged_network();
    std::string text = order_text();
    ASSERT_EQ(cell_order_lines(text_margin(), Maxx - 2 - CWidth, 10),
              std::vector<std::string>{text}); // one line
    std::vector<uint32_t> shown = window_now();
    int y0 = box_top(), y1 = static_cast<int>(2.7 * CHeight);
    // The frame, at its corners.
    EXPECT_EQ(pixel_at(shown, Maxx / 2, y0), Color_Table[lightred]);
    EXPECT_EQ(pixel_at(shown, Maxx - 2, y0), Color_Table[lightred]);
    int bottom = y1;
    while (bottom < Maxy && pixel_at(shown, Maxx / 2, bottom + 1) == Color_Table[lightred])
        bottom++;
    EXPECT_EQ(pixel_at(shown, Maxx / 2 + 1, bottom), Color_Table[lightred]) << "the bottom edge";
    EXPECT_GE(bottom, y0 + 1 + CHeight) << "the line's whole height inside the box";
    // The text: the same as the line written afresh in the cleared box.
    setfillstyle(0, black);
    bar(Maxx / 2 + 1, y0 + 1, Maxx - 3, bottom - 1);
    setcolor(white);
    moveto(text_margin(), y0 + 1);
    outtext(text.c_str());
    std::vector<uint32_t> again = window_now();
    EXPECT_EQ(differences(shown, again, Maxx / 2, y0, Maxx - 2, bottom), 0);
    // And not an empty box: the line shows.
    EXPECT_GT(differences(shown, std::vector<uint32_t>(shown.size(), Color_Table[black]),
                          Maxx / 2 + 1, y0 + 1, Maxx - 3, bottom - 1),
              0);
    free_pre_rand();
}

TEST_F(CellOrderBox, ALongOrderTakesMoreLinesAllInsideTheBox)
{
    srandom(8);
    TestNetwork net(2, 150, 3);
    rearranged_network();
    int right = Maxx - 2 - CWidth;
    std::vector<std::string> lines = cell_order_lines(text_margin(), right, 100);
    ASSERT_GT(lines.size(), 2u);
    std::string joined;
    for (const std::string &line : lines) {
        joined += line;
        EXPECT_LE(text_margin() + text_pixel_width(line.c_str(), static_cast<int>(line.size())), right);
    }
    EXPECT_EQ(joined, order_text());
    std::vector<uint32_t> shown = window_now();
    int y0 = box_top();
    int bottom = y0 + 1 + static_cast<int>(lines.size()) * CHeight + 1;
    EXPECT_EQ(pixel_at(shown, Maxx / 2 + 1, bottom), Color_Table[lightred]) << "the bottom edge";
    EXPECT_EQ(pixel_at(shown, Maxx / 2 + 1, bottom + 1), Color_Table[black]) << "nothing below";
    setfillstyle(0, black);
    bar(Maxx / 2 + 1, y0 + 1, Maxx - 3, bottom - 1);
    setcolor(white);
    for (size_t i = 0; i < lines.size(); i++) {
        moveto(text_margin(), y0 + 1 + static_cast<int>(i) * CHeight);
        outtext(lines[i].c_str());
    }
    EXPECT_EQ(differences(shown, window_now(), Maxx / 2, y0, Maxx - 2, bottom), 0);
    free_pre_rand();
}

TEST_F(CellOrderBox, AnOrderTooLongForTheWindowEndsInDots)
{
    srandom(8);
    TestNetwork net(2, 2000, 3);
    rearranged_network();
    std::vector<std::string> lines = cell_order_lines(text_margin(), Maxx - 2 - CWidth, 3);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].substr(lines[2].size() - 3), "...");
    std::string joined = lines[0] + lines[1] + lines[2].substr(0, lines[2].size() - 3);
    EXPECT_EQ(order_text().compare(0, joined.size(), joined), 0) << "the order's beginning";
    // The box drawn stops above the bottom of the drawing area.
    std::vector<uint32_t> shown = window_now();
    int bottom = box_top();
    while (bottom < WinMaxy && pixel_at(shown, Maxx / 2, bottom + 1) == Color_Table[lightred])
        bottom++;
    EXPECT_LE(bottom, Maxy);
    free_pre_rand();
}

TEST_F(CellOrderBox, NothingWithMutantsOnOneScreen)
{
    srandom(3);
    TestNetwork net(2, 12, 3);
    mutant_layout = 1;
    std::vector<uint32_t> before = window_now();
    rearranged_network();
    EXPECT_EQ(differences(before, window_now(), 0, 0, Maxx, Maxy), 0);
    free_pre_rand();
}

TEST_F(CellOrderBox, AnUnassignedCellHoldingAValueIsAPromptThatWaits)
{
    TestNetwork net(2, 12, 3);
    uint64_t partial = uint64_t(1) << 9;
    bool framed = false;
    int frame_x = prompt_box_left(Maxx);
    paced_thread typist = type_keys_looking("\r", [&](size_t) {
        framed = pixel_seen(frame_x, 2) == Color_Table[red];
    });
    check_wild_cell_word(&partial, 9);
    typist.join();
    EXPECT_TRUE(framed) << "the prompt box is up while it waits";
    EXPECT_EQ(is[0], 13);
    EXPECT_EQ(partial, 0u);
}

} // namespace
