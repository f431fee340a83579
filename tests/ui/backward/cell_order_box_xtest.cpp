// The general method's cell order on the window: a rearranged order is
// shown in its box as "reorder=" and the cells from position L down to 0,
// on one line in the prompt box's place, no taller than a prompt box of one
// line; a long order ends in dots there. Nothing is drawn with mutants on
// one screen. The error of a partial pre-image holding a value in an
// unassigned cell is a prompt that waits for a key.
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
    // The last row of the box's frame, followed down its left edge from
    // the top.
    static int frame_bottom(const std::vector<uint32_t> &shown)
    {
        int bottom = 2;
        while (bottom < Maxy && pixel_at(shown, prompt_box_left(Maxx), bottom + 1) == Color_Table[lightred])
            bottom++;
        return bottom;
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
text_margin()
{
    return prompt_box_text(Maxx);
}

int
text_right()
{
    return box_right_edge(Maxx) - 3;
}

TEST_F(CellOrderBox, ShowsTheOrderFromTheLastPosition)
{
    srandom(3);
    TestNetwork net(2, 12, 3);
    rearranged_network();
    std::string text = order_text();
    ASSERT_EQ(cell_order_line(text_margin(), text_right()), text) << "the whole order";
    std::vector<uint32_t> shown = window_now();
    // The frame, at its corners, in the prompt box's place.
    EXPECT_EQ(pixel_at(shown, prompt_box_left(Maxx), 2), Color_Table[lightred]);
    EXPECT_EQ(pixel_at(shown, box_right_edge(Maxx), 2), Color_Table[lightred]);
    int bottom = frame_bottom(shown);
    EXPECT_EQ(bottom, prompt_box_bottom(1)) << "a box of one line";
    EXPECT_EQ(pixel_at(shown, prompt_box_left(Maxx) + 1, bottom), Color_Table[lightred]) << "the bottom edge";
    // The text: the same as the line written afresh in the cleared box.
    setfillstyle(0, black);
    bar(prompt_box_left(Maxx) + 1, 3, box_right_edge(Maxx) - 1, bottom - 1);
    setcolor(white);
    moveto(text_margin(), 5);
    outtext(text.c_str());
    std::vector<uint32_t> again = window_now();
    EXPECT_EQ(differences(shown, again, prompt_box_left(Maxx), 2, box_right_edge(Maxx), bottom), 0);
    // And not an empty box: the line shows.
    EXPECT_GT(differences(shown, std::vector<uint32_t>(shown.size(), Color_Table[black]),
                          prompt_box_left(Maxx) + 1, 3, box_right_edge(Maxx) - 1, bottom - 1),
              0);
    free_pre_rand();
}

TEST_F(CellOrderBox, ALongOrderEndsInDotsOnItsOneLine)
{
    srandom(8);
    TestNetwork net(2, 150, 3);
    rearranged_network();
    std::string line = cell_order_line(text_margin(), text_right());
    ASSERT_EQ(line.substr(line.size() - 3), "...");
    EXPECT_LE(text_margin() + text_pixel_width(line.c_str(), static_cast<int>(line.size())), text_right());
    std::string shown_cells = line.substr(0, line.size() - 3);
    EXPECT_GT(shown_cells.size(), std::string("reorder=").size()) << "some cells shown";
    EXPECT_EQ(order_text().compare(0, shown_cells.size(), shown_cells), 0) << "the order's beginning";
    // The box drawn is no taller than a prompt box of one line, so that any
    // prompt box drawn there next takes it away whole; nothing below it.
    std::vector<uint32_t> shown = window_now();
    int bottom = frame_bottom(shown);
    EXPECT_LE(bottom, prompt_box_bottom(1));
    EXPECT_EQ(pixel_at(shown, prompt_box_left(Maxx) + 1, bottom), Color_Table[lightred]) << "the bottom edge";
    EXPECT_EQ(differences(shown, std::vector<uint32_t>(shown.size(), Color_Table[black]), prompt_box_left(Maxx),
                          bottom + 1, box_right_edge(Maxx), Maxy),
              0)
        << "nothing below the box";
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
