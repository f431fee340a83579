// Boxes, images, fonts and drawing on the real window of this process.
#include "support/x_test_fixture.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_text.h"
#include "ui/screen/text_inks.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"

namespace {

// A few pixels spread over a rectangle, to compare before and after.
std::vector<unsigned long>
sample(int x0, int y0, int x1, int y1)
{
    std::vector<unsigned long> pixels;
    for (int y = y0; y <= y1; y += 7)
        for (int x = x0; x <= x1; x += 13)
            pixels.push_back(getpixel(x, y));
    return pixels;
}

// Draws something varied under where boxes go.
void
paint_pattern()
{
    setviewport(0, 0, Maxx, WinMaxy, 1);
    for (int i = 0; i < 40; i++) {
        setfillstyle(0, oldcolor[i % 16]);
        bar(i * 25, 0, i * 25 + 24, Maxy);
    }
    flush_display();
}

TEST_F(ScreenTest, WindowAndFontMetricsAtTheDefaultSize)
{
    if (!on_default_screen())
        GTEST_SKIP() << "the window opens at 1024 x 768 on a 1280 x 1024 screen";
    EXPECT_EQ(Maxx, 1023);
    EXPECT_EQ(WinMaxy, 767);
    EXPECT_EQ(Maxy, 742);
    EXPECT_EQ(pointsize, 14);
    EXPECT_EQ(CWidth, 11);
    EXPECT_EQ(CHeight, 18);
    EXPECT_EQ(fonttype, 1);
    EXPECT_EQ(current_draw, static_cast<image_slot>(W));
}

TEST_F(ScreenTest, SmallAndMediumFontsScaleTheCell)
{
    int16_t h = CHeight, w = CWidth;
    CHeight = 15;
    CWidth = 9;
    set_small_font();
    EXPECT_EQ(CHeight, 9);
    EXPECT_EQ(CWidth, 5);
    restore_def_font();
    CHeight = 15;
    CWidth = 9;
    set_medium_font();
    EXPECT_EQ(CHeight, 12);
    EXPECT_EQ(CWidth, 7);
    restore_def_font();
    CHeight = h;
    CWidth = w;
}

TEST_F(ScreenTest, UserLineSpaceSurvivesAFontReload)
{
    int16_t h = CHeight, w = CWidth;
    CHeight_changed = 1;
    CHeight = 30;
    CWidth = 20;
    setup_fonts(0);
    EXPECT_EQ(CHeight, 30);
    EXPECT_EQ(CWidth, 20);
    CHeight_changed = 0;
    setup_fonts(0);
    EXPECT_EQ(CHeight, h);
    EXPECT_EQ(CWidth, w);
}

TEST_F(ScreenTest, BoxSavesWhatItCoversAndPutsItBack)
{
    paint_pattern();
    auto before = sample(100, 100, 400, 300);
    setviewport(0, 0, Maxx, Maxy, 1);
    int margin = draw_box(5, 100, 100, 400, 300, 1, blue);
    EXPECT_EQ(margin, 100 + vgax(3));
    EXPECT_EQ(getx, 100 + vgax(3));
    EXPECT_EQ(gety, 101);
    EXPECT_NE(sample(100, 100, 400, 300), before);
    putimage(100, 100, &boximage[5], 3);
    freeimage(&boximage[5]);
    EXPECT_EQ(boximage[5], 0u);
    EXPECT_EQ(sample(100, 100, 400, 300), before);
}

TEST_F(ScreenTest, BoxWithNegativeColourOnlyFrames)
{
    paint_pattern();
    setviewport(0, 0, Maxx, Maxy, 1);
    unsigned long inside = getpixel(250, 200);
    draw_box(-1, 100, 100, 400, 300, 1, -1);
    EXPECT_EQ(getpixel(250, 200), inside);
    EXPECT_EQ(getpixel(100, 200), Color_Table[lightred]);
    draw_box(-1, 100, 100, 400, 300, 0, 0);
    EXPECT_EQ(getpixel(250, 200), Color_Table[black]);
}

TEST_F(ScreenTest, BoxRestoresTheViewportItFound)
{
    setviewport(10, 20, 110, 120, 1);
    draw_box(-1, 200, 200, 300, 300, 1, 0);
    EXPECT_EQ(view_x0, 10);
    EXPECT_EQ(view_y0, 20);
    EXPECT_EQ(view_x1, 110);
    EXPECT_EQ(view_y1, 120);
    // The box was drawn although it lies outside that viewport.
    EXPECT_EQ(getpixel(200, 250), Color_Table[lightred]);
    setviewport(0, 0, Maxx, Maxy, 1);
}

TEST_F(ScreenTest, SavedPromptBoxComesBackOverATemporaryPrompt)
{
    paint_pattern();
    draw_prompt_box(2);
    outtext("first prompt");
    auto shown = sample(Maxx / 2, 2, Maxx - 2, 2 * CHeight + 2 + vgay(6));
    get_prompt_box(3, 2);
    draw_prompt_box(2);
    outtext("a temporary prompt over it");
    putimage(Maxx / 2, 2, &boximage_prompt[3], 3);
    freeimage(&boximage_prompt[3]);
    EXPECT_EQ(sample(Maxx / 2, 2, Maxx - 2, 2 * CHeight + 2 + vgay(6)), shown);
    erase_prompt_box(2);
    EXPECT_EQ(getpixel(Maxx - 2, 10), Color_Table[black]);
}

// A dialog whose last box was taller than its first (the meta-graph's
// three lines after two-line questions) ends with an erase of its first
// box's lines: the taller box goes whole, so the two-line box drawn next
// stands on a cleared place, with no frame row of the last one under it.
// After a clear of the drawing area the rows are another drawing's.
TEST_F(ScreenTest, EraseTakesTheTallerReplacedBoxWhole)
{
    clear_drawing_area();
    replace_prompt_box(2);
    replace_prompt_box(3);
    outtext("attractor meta-graph -m:");
    const int x = Maxx * 3 / 4;
    ASSERT_EQ(getpixel(x, prompt_box_bottom(3)), Color_Table[red]) << "the taller box's frame";
    erase_prompt_box(2);
    draw_prompt_box(2);
    for (int y = prompt_box_bottom(2) + 1; y <= prompt_box_bottom(3); y++)
        EXPECT_EQ(getpixel(x, y), Color_Table[black]) << "row " << y << " of the taller box";
    erase_prompt_box(2);

    replace_prompt_box(3);
    clear_drawing_area();
    setfillstyle(0, yellow);
    bar(Maxx / 2 + 10, prompt_box_bottom(2) + 2, Maxx - 10, prompt_box_bottom(3));
    erase_prompt_box(1);
    EXPECT_EQ(getpixel(x, prompt_box_bottom(3)), Color_Table[yellow]);
    clear_drawing_area();
}

// A box drawn over a band saved from the top (a key help) hides the
// replaced box under it: a readout in the help's first line leaves the
// help's lines below whole. Put back, the replaced box stands again, and
// the next readout takes it whole instead of cutting its second line.
TEST_F(ScreenTest, AReplacedBoxUnderASavedBandComesBackWithIt)
{
    clear_drawing_area();
    replace_prompt_box(2);
    outtext("period=1 size=32");
    const int x = prompt_box_left(Maxx) + 10;
    ASSERT_EQ(getpixel(x, prompt_box_bottom(2)), Color_Table[red]) << "the replaced box's frame";
    save_hiding_lines_under_prompt(5, 4);
    draw_prompt_box(4);
    setfillstyle(0, yellow);
    bar(x, prompt_box_bottom(1) + 2, x + 20, prompt_box_bottom(2) + 2);
    inset_prompt_box(23, "1d index=9");
    for (int y = prompt_box_bottom(1) + 2; y <= prompt_box_bottom(2) + 2; y++)
        EXPECT_EQ(getpixel(x, y), Color_Table[yellow]) << "row " << y << " of the help";
    put_back_under_prompt_band(5);
    ASSERT_EQ(getpixel(x, prompt_box_bottom(2)), Color_Table[red]) << "the replaced box put back";
    inset_prompt_box(23, "1d index=9");
    for (int y = prompt_box_bottom(1) + 1; y <= prompt_box_bottom(2); y++)
        EXPECT_EQ(getpixel(x, y), Color_Table[black]) << "row " << y << " of the replaced box";
    clear_drawing_area();
}

TEST_F(ScreenTest, PromptBoxColourRule)
{
    setcolor(black);
    draw_prompt_box(1);
    EXPECT_EQ(nowcolor, white);
    setcolor(yellow);
    draw_prompt_box(1);
    EXPECT_EQ(nowcolor, yellow);
    EXPECT_EQ(getx, Maxx / 2 + 3);
    EXPECT_EQ(gety, 5);
    setcolor(white);
}

TEST_F(ScreenTest, MemoryBoxModeOneDrawsNothing)
{
    paint_pattern();
    auto before = sample(Maxx / 3, 2, Maxx / 2 - 3, CHeight + 2 + vgay(6));
    EXPECT_EQ(memory_box(1, "x"), 0);
    EXPECT_EQ(sample(Maxx / 3, 2, Maxx / 2 - 3, CHeight + 2 + vgay(6)), before);
    is[0] = 'k';
    EXPECT_EQ(memory_box(2, "working"), Maxx / 3);
    EXPECT_EQ(is[0], 'k');
    EXPECT_EQ(getpixel(Maxx / 3, 5), Color_Table[lightred]);
}

TEST_F(ScreenTest, HintBoxSavedAndFreed)
{
    paint_pattern();
    draw_bottom_title(0);
    auto before = sample(200, Maxy + vgax(2), Maxx - 1, WinMaxy - 1);
    EXPECT_EQ(draw_hint_box(0, 1, "a hint", 200), 0);
    EXPECT_NE(boximage[19], 0u);
    EXPECT_EQ(view_y1, Maxy);
    erase_free_hint_box(200);
    EXPECT_EQ(boximage[19], 0u);
    EXPECT_EQ(sample(200, Maxy + vgax(2), Maxx - 1, WinMaxy - 1), before);
}

TEST_F(ScreenTest, SetBackLinesErasesTheLinesAbove)
{
    paint_pattern();
    xtext = 5;
    int y = 300;
    moveto(100, y);
    setpback_x_lines(1);
    EXPECT_EQ(gety, y - 2 * CHeight);
    EXPECT_EQ(getx, static_cast<int>(5 * CWidth));
    // The rows the font inks on the two lines taken back (tops y - CHeight
    // and y) are cleared, and none of the lines above and below.
    int first = 0, last = 0, other = 0;
    line_ink_rows(y - CHeight, first, other);
    line_ink_rows(y, other, last);
    EXPECT_EQ(getpixel(200, first), Color_Table[black]);
    EXPECT_EQ(getpixel(200, last), Color_Table[black]);
    EXPECT_NE(getpixel(200, first - 1), Color_Table[black]);
    EXPECT_NE(getpixel(200, last + 1), Color_Table[black]);
}

TEST_F(ScreenTest, WaitNoticeTakesItsWholeTextAway)
{
    setviewport(0, 0, Maxx, WinMaxy, 1);
    clearviewport();
    flush_display();
    begin_wait_notice();
    const char *text = "setting things up, wait...";
    int end = Maxx / 3 + 3 + text_pixel_width(text, static_cast<int>(strlen(text)));
    ASSERT_GT(end, Maxx / 2) << "the text fits its place: nothing to test";
    end_wait_notice();
    flush_display();
    // Where the text ran past the memory box's place: all background again.
    for (int x = Maxx / 2 - 3; x <= end + 2; x += 2)
        for (int y = 2; y <= CHeight + 2; y++)
            ASSERT_EQ(getpixel(x, y), Color_Table[black]) << "at " << x << "," << y;
}

// Over a memory box wider than the notice, the notice's erase clears the
// wider box; its end puts all of that back, and the wider box's erase still
// takes the whole of it away.
TEST_F(ScreenTest, WaitNoticeOverAWiderMemoryBoxPutsItAllBack)
{
    paint_pattern();
    std::string wide(200, 'w');
    memory_box(2, wide.c_str());
    flush_display();
    const int left = memory_box_left(Maxx), right = box_right_edge(Maxx);
    auto before = sample(left, 2, right, prompt_box_bottom(1));
    begin_wait_notice();
    end_wait_notice();
    flush_display();
    EXPECT_EQ(sample(left, 2, right, prompt_box_bottom(1)), before);
    erase_memory_box();
    flush_display();
    for (int x = left; x <= right; x += 5)
        ASSERT_EQ(getpixel(x, 3 + CHeight / 2), Color_Table[black]) << "at " << x;
}

TEST_F(ScreenTest, ImagesOfOnePixelAndEmptySlots)
{
    image_slot slot = 0;
    getimage(10, 20, 10, 20, &slot);
    ASSERT_NE(slot, 0u);
    testing::internal::CaptureStderr();
    freeimage(&slot);
    freeimage(&slot);
    putimage(0, 0, &slot, 3);
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(slot, 0u);
    EXPECT_EQ(messages, "\n Zero image passed to freeimage\n\nZero image passed to putimage\n");
}

TEST_F(ScreenTest, PutimageDrawsIntoAPixmapInCurrentDraw)
{
    paint_pattern();
    setviewport(0, 0, Maxx, WinMaxy, 1);
    image_slot source = 0, target = 0;
    getimage(0, 0, 49, 49, &source);
    getimage(500, 500, 549, 549, &target);
    unsigned long window_before = getpixel(500, 500);
    current_draw = target;
    putimage(0, 0, &source, 3);
    current_draw = W;
    EXPECT_EQ(getpixel(500, 500), window_before);
    putimage(500, 500, &target, 3);
    EXPECT_EQ(getpixel(500, 500), getpixel(0, 0));
    freeimage(&source);
    freeimage(&target);
}

TEST_F(ScreenTest, ClearViewportFillsOnlyTheViewport)
{
    paint_pattern();
    setviewport(100, 100, 199, 199, 1);
    unsigned long outside = getpixel(250, 150);
    clearviewport();
    EXPECT_EQ(getpixel(150, 150), Color_Table[black]);
    EXPECT_EQ(getpixel(250, 150), outside);
    setviewport(0, 0, Maxx, Maxy, 1);
}

TEST_F(ScreenTest, OuttextAdvancesByTheProportionalWidth)
{
    moveto(100, 100);
    outtext("Zemra");
    EXPECT_EQ(getx, 100 + text_pixel_width("Zemra", 5));
    EXPECT_EQ(gety, 100);
    EXPECT_EQ(textwidth("Zemra"), 5 * CWidth);
}

// A line that starts left of the prompt box and runs on under it across the
// row the box's foot would take (the text column's first line under a box
// of four lines on a short window): the foot goes below the line's ink, so
// that the box hides the line's end whole, and its erase draws that end
// again.
TEST_F(ScreenTest, PromptBoxFootGoesBelowALineItWouldCut)
{
    clear_drawing_area();
    const int foot = prompt_box_bottom(2);
    const int top = foot - CHeight / 2;
    std::string line = "EXIT-q,";
    while (text_width_in_use((line + " graphics").c_str()) < Maxx * 3 / 4 - 10)
        line += " graphics";
    setcolor(white);
    moveto(10, top);
    outtext(line.c_str());
    const int text_end = 10 + text_width_in_use(line.c_str());
    // Every pixel of the line's end, under the box's columns.
    auto line_end = [&] {
        std::vector<unsigned long> pixels;
        for (int y = top; y <= top + CHeight; y++)
            for (int x = prompt_box_left(Maxx) + 2; x <= text_end; x++)
                pixels.push_back(getpixel(x, y));
        return pixels;
    };
    const auto shown = line_end();
    ASSERT_NE(std::count(shown.begin(), shown.end(), Color_Table[white]), 0) << "the line runs on under the box";
    const int below = free_row_below(foot, prompt_box_left(Maxx) + 1, box_right_edge(Maxx) - 1);
    ASSERT_GT(below, foot) << "the line's ink takes the row of a box of two lines' foot";
    ASSERT_LE(below, foot + 2 * CHeight);

    draw_prompt_box(2);
    const int x = box_right_edge(Maxx) - 5; // right of the line's end
    EXPECT_EQ(getpixel(x, below), Color_Table[red]) << "the foot's row";
    for (int y = foot; y < below; y++)
        EXPECT_EQ(getpixel(x, y), Color_Table[black]) << "row " << y << " inside the box";
    for (int y = top; y <= top + CHeight; y++)
        EXPECT_EQ(getpixel(prompt_box_left(Maxx) + 5, y), Color_Table[black]) << "row " << y << " of the line's end";

    erase_prompt_box(2);
    EXPECT_EQ(getpixel(x, below), Color_Table[black]) << "the foot taken away";
    EXPECT_TRUE(line_end() == shown) << "the line's end drawn again";
    clear_drawing_area();
}

// The room boxes keep for an entry holds one typed full of any character a
// text entry takes, the widest too: in the proportional font a 'W' is wider
// than the character cell the room was once counted in.
TEST_F(ScreenTest, EntryRoomHoldsAnEntryTypedFullOfItsWidestLetter)
{
    ASSERT_GT(text_width_in_use("WW"), 2 * CWidth);
    for (int c = 1; c < 128; c++) {
        if (!entry_accepts(text_entry, c))
            continue;
        EXPECT_LE(text_width_in_use(std::string(5, static_cast<char>(c)).c_str()), typed_entry_width(5))
            << static_cast<char>(c);
    }
    EXPECT_EQ(typed_entry_room(5), typed_entry_width(5) + CWidth) << "the cursor after it";
    EXPECT_EQ(typed_entry_room(0), 0) << "no entry, no room";
}

TEST_F(ScreenTest, OutOfRangePixelReadIsReportedNotFatal)
{
    EXPECT_EQ(getpixel(Maxx + 50, 10), 0u);
}

// The white pixels of rows y0..y1, columns x0..x1.
int
white_pixels(int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++)
            n += getpixel(x, y) == Color_Table[white];
    return n;
}

// A graph's place cleared on the right half: a line running on into it
// goes whole, its part left of the place too; a line ending short of the
// place and one below it stay whole (and the draw check sees no line cut).
TEST_F(ScreenTest, AGraphsPlaceHidesWholeTheLinesItsEdgeWouldCut)
{
    clear_drawing_area();
    const int x0 = Maxx / 2, top = 200, bottom = 400;
    const char *line = "a set-up line that runs on into the place";
    const int half = text_pixel_width(line, static_cast<int>(strlen(line))) / 2;
    setcolor(white);
    moveto(x0 - half, 250);
    outtext(line);
    moveto(20, 300);
    outtext("short");
    moveto(x0 - half, bottom + 2 * CHeight);
    outtext(line);
    flush_display();
    clear_hiding_lines_cut(x0, top, Maxx - 2, bottom);
    flush_display();
    EXPECT_EQ(white_pixels(x0 - half, 250, x0 - 1, 250 + CHeight - 1), 0) << "the line left cut";
    EXPECT_GT(white_pixels(20, 300, 20 + 5 * CWidth, 300 + CHeight - 1), 0) << "the short line taken";
    EXPECT_GT(white_pixels(x0, bottom + 2 * CHeight, x0 + half, bottom + 3 * CHeight - 1), 0)
        << "the line below the place taken";
    EXPECT_EQ(white_pixels(x0, 250, x0 + half, 250 + CHeight - 1), 0) << "the place not cleared";
}

} // namespace
