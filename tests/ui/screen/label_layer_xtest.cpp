// Labels kept on top: a line, a frame or a field's edges drawn later across
// a label leave its pixels the label's; a box drawn over it stands until its
// saved area is put back, after which the label is kept on top again; a
// clear forgets it; after a resize the window drawn again keeps it on top of
// what crossed it, and it stays on top at its new place. A pattern kept on
// top is drawn again by its owner's function over what crosses it, and is
// forgotten at a resize.
#include "support/x_test_fixture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/label_layer.h"
#include "ui/screen/shape_batch.h"

namespace {

// A pattern as its owner draws it: a square of colour for each byte not 0,
// how pixels wide, in a row from (x, y), in a white frame.
void
draw_squares(int x, int y, const uint8_t *bytes, int colour, int how)
{
    setfillstyle(0, black);
    bar(x, y, x + 3 * how, y + how);
    setfillstyle(0, colour);
    for (int i = 0; i < 3; i++)
        if (bytes[i])
            bar(x + i * how, y, x + (i + 1) * how - 1, y + how - 1);
    setcolor(white);
    rectangle(x - 1, y - 1, x + 3 * how, y + how);
}

class LabelLayer : public ClearedWindowTest {
protected:
    void SetUp() override
    {
        ClearedWindowTest::SetUp();
        width = Maxx + 1;
        height = WinMaxy + 1;
        box = top_label_rect(kX, kY, kText);
        write_top_label(kX, kY, kText, white, black);
        alone = box_pixels(box);
    }
    void TearDown() override { resize_to(width, height); }

    // The pixels of a rectangle of the window, row by row.
    static std::vector<uint32_t> box_pixels(const label_rect &b)
    {
        std::vector<uint32_t> all = window_now(), out;
        for (int y = b.y0; y <= b.y1; y++)
            for (int x = b.x0; x <= b.x1; x++)
                out.push_back(pixel_at(all, x, y));
        return out;
    }

    // How many pixels of the rectangle show colour c.
    static int pixels_of(const label_rect &b, int c)
    {
        std::vector<uint32_t> all = window_now();
        int n = 0;
        for (int y = std::max(b.y0, 0); y <= std::min<int>(b.y1, WinMaxy); y++)
            for (int x = std::max(b.x0, 0); x <= std::min<int>(b.x1, Maxx); x++)
                n += pixel_at(all, x, y) == Color_Table[c];
        return n;
    }

    // The rectangle of the pixels in colour c inside the drawing area.
    static label_rect extent_of(int c)
    {
        std::vector<uint32_t> all = window_now();
        label_rect e{Maxx, Maxy, -1, -1};
        for (int y = 0; y <= Maxy; y++)
            for (int x = 0; x <= Maxx; x++)
                if (pixel_at(all, x, y) == Color_Table[c]) {
                    e = {std::min(e.x0, x), std::min(e.y0, y), std::max(e.x1, x), std::max(e.y1, y)};
                }
        return e;
    }

    // A light red line across the middle row of the rectangle, reaching
    // past it on both sides.
    static void line_across(const label_rect &b)
    {
        setcolor(lightred);
        moveto(b.x0 - 30, (b.y0 + b.y1) / 2);
        lineto(b.x1 + 30, (b.y0 + b.y1) / 2 + 3);
        setcolor(white);
    }

    static constexpr int kX = 300, kY = 250;
    static constexpr const char *kText = "8191";
    int width = 0, height = 0;
    label_rect box{};
    std::vector<uint32_t> alone;
};

TEST_F(LabelLayer, ALineDrawnAcrossALabelLeavesItsPixelsTheLabels)
{
    line_across(box);
    EXPECT_EQ(box_pixels(box), alone) << "the line shows through the label";
    EXPECT_GT(pixels_of({box.x0 - 30, box.y0, box.x0 - 1, box.y1}, lightred), 0)
        << "the line was not drawn beside the label";
}

TEST_F(LabelLayer, AFieldsEdgesInABatchAndAFrameLeaveTheLabelWhole)
{
    const int16_t mid = static_cast<int16_t>((box.y0 + box.y1) / 2);
    // A fan of edges through the label and around it, in a batch as a
    // field sends them, the colours changing between fans.
    std::vector<int16_t> edges;
    for (int i = -4; i <= 4; i++)
        edges.insert(edges.end(), {static_cast<int16_t>(box.x0 - 40), mid, static_cast<int16_t>(box.x1 + 40),
                                   static_cast<int16_t>(mid + 6 * i)});
    open_shape_batch();
    setcolor(lightcyan);
    draw_segments(edges.data(), static_cast<int>(edges.size() / 4));
    setcolor(green);
    draw_segments(edges.data() + 4, 1);
    close_shape_batch();
    setcolor(yellow);
    rectangle(box.x0 + 2, box.y0 - 10, box.x1 + 10, box.y1 - 2);
    setcolor(white);
    EXPECT_EQ(box_pixels(box), alone) << "the edges or the frame show through the label";
}

TEST_F(LabelLayer, ABoxStandsOverTheLabelUntilItsAreaIsPutBack)
{
    image_slot under = 0;
    const label_rect area{box.x0 - 20, box.y0 - 20, box.x1 + 20, box.y1 + 20};
    getimage(area.x0, area.y0, area.x1, area.y1, &under);
    setfillstyle(0, blue);
    bar(area.x0, area.y0, area.x1, area.y1);
    line_across(box);
    EXPECT_EQ(pixels_of(box, white), 0) << "the label was written over the box standing on it";
    putimage(area.x0, area.y0, &under, 0);
    freeimage(&under);
    ASSERT_EQ(box_pixels(box), alone);
    line_across(box);
    EXPECT_EQ(box_pixels(box), alone) << "the label put back is no longer kept on top";
}

TEST_F(LabelLayer, AClearForgetsTheLabel)
{
    erase_box(box.x0 - 5, box.y0 - 5, box.x1 + 5, box.y1 + 5);
    EXPECT_EQ(top_labels_kept(), 0u);
    line_across(box);
    EXPECT_EQ(pixels_of(box, white), 0) << "a cleared label came back";
    EXPECT_GT(pixels_of(box, lightred), 0);
    write_top_label(kX, kY, kText, white, black);
    ASSERT_EQ(top_labels_kept(), 1u);
    clear_drawing_area();
    EXPECT_EQ(top_labels_kept(), 0u) << "the drawing area's clear kept the label";
}

TEST_F(LabelLayer, AResizeKeepsTheLabelOnTopAndMovesIt)
{
    line_across(box);
    ASSERT_TRUE(resize_to(width * 3 / 4, height * 3 / 4));
    label_rect moved = extent_of(white);
    ASSERT_LE(moved.x0, moved.x1) << "the label was not drawn again";
    EXPECT_EQ(pixels_of(moved, lightred), 0) << "the line drawn again came over the label";
    line_across(moved);
    EXPECT_EQ(pixels_of(moved, lightred), 0) << "the label moved is not kept on top";
}

TEST_F(LabelLayer, APatternIsKeptOnTopAndForgottenAtAResize)
{
    const uint8_t bytes[] = {1, 0, 1};
    const label_rect place{kX - 1, kY + 59, kX + 24, kY + 68};
    write_top_pattern(kX, kY + 60, place, bytes, 3, yellow, 8, draw_squares);
    ASSERT_EQ(top_labels_kept(), 2u);
    const std::vector<uint32_t> drawn = box_pixels(place);
    ASSERT_GT(pixels_of(place, yellow), 0) << "the pattern was not drawn";
    line_across(place);
    EXPECT_EQ(box_pixels(place), drawn) << "the line shows through the pattern";
    EXPECT_GT(pixels_of({place.x0 - 30, place.y0, place.x0 - 1, place.y1}, lightred), 0)
        << "the line was not drawn beside the pattern";
    ASSERT_TRUE(resize_to(width * 3 / 4, height * 3 / 4));
    EXPECT_EQ(top_labels_kept(), 1u) << "the pattern was kept through the resize";
}

} // namespace
