// The rows free of text, as the window record's hooks keep the texts' inks,
// with no window: no font is loaded, so a character's ink is its cell, the
// line's CHeight rows by CWidth columns. Texts recorded, texts kept after
// the record gave up drawing the area again, clears that forget, regions
// put back that bring texts back, the background's colour, the cap.
#include <gtest/gtest.h>

#include <string>

#include "ui/screen/colors.h"
#include "ui/screen/globals.h"
#include "ui/screen/label_places.h"
#include "ui/screen/text_inks.h"
#include "ui/screen/window_record.h"

namespace {

constexpr int kSolid = 0, kStippled = 2; // fill styles as the record takes them
constexpr image_slot kSlot = 7;          // a saved region's pixmap, never a real one

class TextInks : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_old_colors('b');
        view_x0 = 0;
        view_y0 = 0;
        view_x1 = Maxx;
        view_y1 = Maxy;
        forget_window_capture(kSlot);
        clear_area();
        ASSERT_EQ(text_inks_kept(), 0u);
    }
    void TearDown() override
    {
        forget_window_capture(kSlot);
        clear_area();
    }

    // The whole window, bottom strip and all, cleared to the background:
    // every ink gone.
    static void clear_area()
    {
        view_y1 = WinMaxy;
        fill(0, 0, Maxx, WinMaxy, black);
        view_y1 = Maxy;
    }

    static void fill(int x0, int y0, int x1, int y1, int colour, int style = kSolid)
    {
        record_fill(x0, y0, x1, y1, colour, style, "test");
    }

    // s written with its line's top-left corner at (x, top) in colour.
    static void text(const char *s, int x, int top, int colour = white)
    {
        nowcolor = static_cast<uint8_t>(colour);
        record_text(s, x, top, x + static_cast<int>(std::string(s).size()) * CWidth);
    }

    // The first column of character i (from 0) of a text written at x.
    static int column_of(int x, int i) { return x + i * CWidth; }
};

TEST_F(TextInks, ARowInATextMovesPastItsInkEitherWay)
{
    text("rule 110", 100, 200);
    const int mid = 200 + CHeight / 2;
    EXPECT_EQ(free_row_below(mid, 0, Maxx), 200 + CHeight);
    EXPECT_EQ(free_row_above(mid, 0, Maxx), 199);
    // A free row is its own answer, above and below the line.
    EXPECT_EQ(free_row_below(199, 0, Maxx), 199);
    EXPECT_EQ(free_row_above(200 + CHeight, 0, Maxx), 200 + CHeight);
}

TEST_F(TextInks, BlanksAtEitherEndInkNothing)
{
    text("   ab   ", 100, 200);
    const int mid = 200 + CHeight / 2;
    EXPECT_EQ(free_row_below(mid, 100, column_of(100, 3) - 1), mid);
    EXPECT_EQ(free_row_below(mid, column_of(100, 5), Maxx), mid);
    EXPECT_EQ(free_row_below(mid, column_of(100, 4), column_of(100, 4)), 200 + CHeight);
    text("     ", 100, 400);
    EXPECT_EQ(text_inks_kept(), 1u) << "a text of blanks left an ink";
}

// Lines whose inks touch are passed together; a free row between two lines
// stops the search there.
TEST_F(TextInks, TouchingLinesArePassedTogether)
{
    text("upper", 100, 200);
    text("lower", 100, 200 + CHeight);
    text("apart", 100, 200 + 3 * CHeight);
    EXPECT_EQ(free_row_below(201, 0, Maxx), 200 + 2 * CHeight);
    EXPECT_EQ(free_row_above(200 + 4 * CHeight - 1, 0, Maxx), 200 + 3 * CHeight - 1);
    EXPECT_EQ(free_row_above(200 + 2 * CHeight - 1, 0, Maxx), 199);
}

// Where the record gives up drawing the area again (a polygon of a plot),
// a text drawn afterwards still takes its rows.
TEST_F(TextInks, ATextDrawnAfterTheRecordGaveUpTakesItsRows)
{
    const int corners[6] = {10, 10, 60, 10, 30, 50};
    record_polygon(3, corners);
    ASSERT_FALSE(records_shapes_from(100));
    text("Attractor Freq Hist", 100, 300);
    EXPECT_EQ(free_row_below(305, 0, Maxx), 300 + CHeight);
    EXPECT_EQ(free_row_above(305, 0, Maxx), 299);
}

TEST_F(TextInks, AClearOverTheWholeInkForgetsIt)
{
    const int corners[6] = {10, 10, 60, 10, 30, 50};
    record_polygon(3, corners);
    text("gone", 100, 300);
    text("kept", 100, 400);
    fill(90, 295, 200, 300 + CHeight + 2, black);
    EXPECT_EQ(free_row_below(305, 0, Maxx), 305);
    EXPECT_EQ(free_row_below(405, 0, Maxx), 400 + CHeight);
    EXPECT_EQ(text_inks_kept(), 1u);
}

// A fill over part of a text leaves the rest of it on the window; a
// stippled one shows it through; a box filled in a colour hides it as a
// clear does.
TEST_F(TextInks, OnlyASolidFillOverTheWholeInkHidesIt)
{
    text("cut", 100, 300);
    fill(90, 305, 200, 400, black);
    EXPECT_EQ(free_row_below(301, 0, Maxx), 300 + CHeight);
    fill(90, 290, 200, 400, blue, kStippled);
    EXPECT_EQ(free_row_below(301, 0, Maxx), 300 + CHeight);
    fill(90, 290, 200, 400, blue);
    EXPECT_EQ(free_row_below(301, 0, Maxx), 301);
}

// A text drawn in the background's colour takes no row; written so at the
// place of the same text, it takes that away; the same text elsewhere stays.
TEST_F(TextInks, ATextInTheBackgroundsColourTakesNoRowAndTakesAwayItsLikeness)
{
    text("unseen", 100, 200, black);
    EXPECT_EQ(text_inks_kept(), 0u);
    text("count 12", 100, 300);
    text("count 12", 100, 400);
    text("count 12", 100, 300, black);
    EXPECT_EQ(free_row_below(301, 0, Maxx), 301);
    EXPECT_EQ(free_row_below(401, 0, Maxx), 400 + CHeight);
}

// A box saved what lay under it, cleared it and is taken down by putting
// the region back: the texts under it are on the window again, the box's
// own texts are gone.
TEST_F(TextInks, ARegionPutBackBringsBackWhatItSaved)
{
    text("under the box", 100, 300);
    note_window_capture(kSlot, 50, 250, 400, 350);
    fill(50, 250, 400, 350, black);
    text("in the box", 60, 260);
    EXPECT_EQ(free_row_below(301, 0, Maxx), 301);
    EXPECT_EQ(free_row_below(261, 0, Maxx), 260 + CHeight);
    restore_window_area(kSlot, 50, 250, 351, 101);
    EXPECT_EQ(free_row_below(301, 0, Maxx), 300 + CHeight);
    EXPECT_EQ(free_row_below(261, 0, Maxx), 261);
}

// A region saved after a text was already cleared does not bring it back.
TEST_F(TextInks, ARegionSavedAfterAClearLeavesTheTextGone)
{
    text("early", 100, 300);
    fill(90, 290, 200, 300 + CHeight, black);
    note_window_capture(kSlot, 50, 250, 400, 350);
    fill(50, 250, 400, 350, black);
    restore_window_area(kSlot, 50, 250, 351, 101);
    EXPECT_EQ(free_row_below(301, 0, Maxx), 301);
}

// A hidden ink is kept only while a region held could bring it back.
TEST_F(TextInks, AHiddenInkIsForgottenWithTheRegionThatHeldIt)
{
    text("held", 100, 300);
    note_window_capture(kSlot, 50, 250, 400, 350);
    fill(50, 250, 400, 350, black);
    EXPECT_EQ(text_inks_kept(), 1u);
    forget_window_capture(kSlot);
    EXPECT_EQ(text_inks_kept(), 0u);
}

// Texts in the bottom strip (the title) are no text of the drawing area.
TEST_F(TextInks, TheBottomStripTakesNoRowOfTheDrawingArea)
{
    text("title", 100, Maxy + 3);
    EXPECT_EQ(free_row_above(Maxy + 5, 0, Maxx), Maxy + 5);
}

TEST_F(TextInks, PastTheCapANewInkIsNotKept)
{
    const int corners[6] = {10, 10, 60, 10, 30, 50};
    record_polygon(3, corners);
    const int per_row = (Maxx + 1) / (2 * CWidth);
    for (size_t i = 0; i < kMostTextInks; i++)
        text("x", static_cast<int>(i % per_row) * 2 * CWidth, static_cast<int>(i / per_row % 40) * CHeight);
    ASSERT_EQ(text_inks_kept(), kMostTextInks);
    text("past", 100, Maxy - 2 * CHeight);
    EXPECT_EQ(text_inks_kept(), kMostTextInks);
    EXPECT_EQ(free_row_below(Maxy - 2 * CHeight + 1, 0, Maxx), Maxy - 2 * CHeight + 1);
    // Cleared, the window has room again.
    clear_area();
    text("past", 100, Maxy - 2 * CHeight);
    EXPECT_EQ(free_row_below(Maxy - 2 * CHeight + 1, 0, Maxx), Maxy - CHeight);
}

// A node's bit pattern, a shape, takes its rows as a label's place where a
// box over the picture asks: its foot moves past it in its columns only,
// until the drawing area is cleared. Other boxes pass no label place.
TEST_F(TextInks, APicturesLabelPlaceTakesItsRowsUntilTheAreaIsCleared)
{
    ASSERT_TRUE(take_label_place(300, 200, 340, 209));
    EXPECT_EQ(free_row_below(205, 0, Maxx, kPastLabelPlaces), 210);
    EXPECT_EQ(free_row_above(205, 320, 320, kPastLabelPlaces), 199);
    EXPECT_EQ(free_row_below(205, 341, Maxx, kPastLabelPlaces), 205);
    EXPECT_EQ(free_row_below(205, 0, Maxx), 205);
    clear_area();
    EXPECT_EQ(free_row_below(205, 0, Maxx, kPastLabelPlaces), 205);
}

} // namespace
