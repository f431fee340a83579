// The list of boxes standing over other drawings, on the real window: what
// a drawing meeting a box does to it there, and what the list then says.
#include "support/x_test_fixture.h"

#include <cstdint>
#include <vector>

#include "ui/screen/boxes.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window_pixels.h"
#include "ui/screen/x_state.h"

namespace {

// A framed box at place, entered in the list as owner's first.
void
stand(box_owner owner, const box_place &p, box_way way)
{
    raise_box(owner, p, way);
    draw_box(-1, p.x0, p.y0, p.x1, p.y1, 1, 0);
}

// Whether any pixel of the rows and columns of p is not the background.
bool
inked(const box_place &p)
{
    std::vector<uint32_t> pixels;
    const int width = Maxx + 1;
    EXPECT_TRUE(read_window_pixels(width, WinMaxy + 1, pixels));
    for (int y = p.y0; y <= p.y1; y++)
        for (int x = p.x0; x <= p.x1; x++)
            if (pixels[static_cast<size_t>(y) * width + x] != Color_Table[black])
                return true;
    return false;
}

// Each test starts from a window cleared afresh (ScreenTest), with no box
// standing.
using StandingBoxes = ScreenTest;

TEST_F(StandingBoxes, ABoxMetInPartGoesWholeAndOneCoveredWholeComesBackWithThePutBack)
{
    const box_place first{500, 2, 700, 30}, second{300, 2, 520, 30};
    stand(box_owner::top_line, first, box_way::taken);
    stand(box_owner::top_line, second, box_way::taken);
    // The first's part right of the second is gone with it, not left cut.
    EXPECT_FALSE(inked({522, 2, 700, 30}));
    EXPECT_FALSE(box_stands_at(box_owner::top_line, first));
    EXPECT_TRUE(box_stands_at(box_owner::top_line, second));

    // A dialog's box over the second, saving what it covers: hidden, then
    // standing again once the dialog puts its place back.
    const box_place dialog{250, 2, 800, 100};
    draw_box(7, dialog.x0, dialog.y0, dialog.x1, dialog.y1, 1, 0);
    EXPECT_FALSE(box_stands_at(box_owner::top_line, second));
    putimage(dialog.x0, dialog.y0, &boximage[7], 0);
    freeimage(&boximage[7]);
    EXPECT_TRUE(box_stands_at(box_owner::top_line, second));
    // So a later box meeting a part of it takes it whole again.
    stand(box_owner::top_line, {480, 2, 760, 30}, box_way::taken);
    EXPECT_FALSE(inked({300, 2, 478, 30}));
}

TEST_F(StandingBoxes, ABoxHiddenJustBeforeItsPlaceIsSavedStandsAgainAtThePutBack)
{
    // A prompt saving what it covers gives way first and saves after: the
    // readout it hid is in the saved place, and comes back known.
    const box_place readout{600, 2, 800, 30}, prompt{500, 2, 900, 60};
    stand(box_owner::top_line, readout, box_way::taken);
    image_slot under = 0;
    save_giving_way(prompt, prompt, &under);
    draw_box(-1, prompt.x0, prompt.y0, prompt.x1, prompt.y1, 1, 0);
    putimage(prompt.x0, prompt.y0, &under, 0);
    freeimage(&under);
    ASSERT_TRUE(box_stands_at(box_owner::top_line, readout));
    erase_top_line_box({readout.x0, readout.y0, readout.x1, readout.y1});
    EXPECT_FALSE(inked(readout));
}

TEST_F(StandingBoxes, AHeldBoxTakenByAPatternKeepsItsPlaceUntilDrawnAgain)
{
    const box_place rule{200, Maxy - 60, Maxx - 2, Maxy};
    stand(box_owner::rule, rule, box_way::held);
    // A box over a part of it leaves it to that box's put back; a row of
    // a pattern running down over its left part takes it.
    draw_box(8, 100, Maxy - 40, 300, Maxy - 20, 1, 0);
    EXPECT_TRUE(box_stands(box_owner::rule));
    putimage(100, Maxy - 40, &boximage[8], 0);
    freeimage(&boximage[8]);
    rows_give_way({0, Maxy - 30, 400, Maxy - 25});
    EXPECT_FALSE(inked(rule));
    EXPECT_FALSE(box_stands(box_owner::rule));
    box_place held{};
    ASSERT_TRUE(box_place_held(box_owner::rule, &held));
    EXPECT_EQ(held.x0, rule.x0);
    stand(box_owner::rule, rule, box_way::held);
    EXPECT_TRUE(box_stands(box_owner::rule));
}

TEST_F(StandingBoxes, AnOwnersBoxElsewhereGoesWholeAndAKeptOneOnlyByItsErase)
{
    const box_place wide{400, 2, 800, 80}, narrow{600, 2, 800, 80};
    stand(box_owner::frozen_key, wide, box_way::kept);
    stand(box_owner::frozen_key, narrow, box_way::kept);
    EXPECT_FALSE(inked({400, 2, 598, 80}));
    // A box meeting a part of a kept one leaves it standing, an erase of
    // its place takes it out of the list.
    draw_box(-1, 300, 50, 650, 120, 1, 0);
    EXPECT_TRUE(box_stands(box_owner::frozen_key));
    erase_box(narrow.x0, narrow.y0, narrow.x1, narrow.y1);
    EXPECT_FALSE(box_stands(box_owner::frozen_key));
    // The erase broke the box's corner off: it goes too.
    erase_box(300, 50, 650, 120);
}

TEST_F(StandingBoxes, ABoxOverACopyOfItsPlaceStandsUntilTheCopyIsPutBack)
{
    // The value key: drawn over a saved copy, through clears and boxes
    // over it, until its erase puts the copy back.
    const box_place key{800, 2, Maxx - 2, 70};
    raise_box(box_owner::colour_key, key, box_way::saved);
    draw_box(19, key.x0, key.y0, key.x1, key.y1, 1, 0);
    draw_box(-1, 700, 40, 900, 90, 1, 0);
    clear_drawing_area();
    EXPECT_TRUE(box_stands(box_owner::colour_key));
    putimage(key.x0, key.y0, &boximage[19], 0);
    freeimage(&boximage[19]);
    EXPECT_FALSE(box_stands(box_owner::colour_key));
    // A copy freed without its put back (a new start) ends it too.
    raise_box(box_owner::colour_key, key, box_way::saved);
    draw_box(19, key.x0, key.y0, key.x1, key.y1, 1, 0);
    freeimage(&boximage[19]);
    EXPECT_FALSE(box_stands(box_owner::colour_key));
}

TEST_F(StandingBoxes, AMessageOverACopyOfItsPlaceLeavesTheBoxesItMeetsForThePutBack)
{
    const box_place readout{600, 2, 900, 30}, message{300, 10, 700, 60};
    stand(box_owner::top_line, readout, box_way::taken);
    image_slot under = 0;
    getimage(message.x0, message.y0, message.x1, message.y1, &under);
    draw_box(-1, message.x0, message.y0, message.x1, message.y1, 1, 0);
    // Not taken: the put back shows its left part again, beside the rest.
    EXPECT_TRUE(inked({702, 2, 900, 30}));
    putimage(message.x0, message.y0, &under, 0);
    freeimage(&under);
    EXPECT_TRUE(box_stands_at(box_owner::top_line, readout));
}

TEST_F(StandingBoxes, AClearOfTheDrawingAreaForgetsEveryBox)
{
    stand(box_owner::top_line, {500, 2, 700, 30}, box_way::taken);
    stand(box_owner::rule, {200, Maxy - 60, Maxx - 2, Maxy}, box_way::held);
    clear_drawing_area();
    EXPECT_TRUE(standing_boxes_of(box_owner::top_line).empty());
    EXPECT_FALSE(box_place_held(box_owner::rule));
}

} // namespace
