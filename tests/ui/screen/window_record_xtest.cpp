// The window drawn again after a resize from outside: what was erased stays
// erased, a box put back over what it covered stays away, and the answer to
// a prompt goes on right after the prompt drawn again, also when a dialog
// kept the point meanwhile.
#include "support/x_test_fixture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/screen/window_record.h"
#include "ui/screen/x_state.h"

namespace {

class WindowRecord : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        width = Maxx + 1;
        height = WinMaxy + 1;
        setviewport(0, 0, Maxx, WinMaxy, 1);
        setfillstyle(0, black);
        bar(0, 0, Maxx, WinMaxy);
        draw_bottom_title(0);
        setcolor(white);
    }
    void TearDown() override
    {
        resize_to(width, height);
    }

    // Whether the rectangle shows anything but the background.
    static bool shows_something(const std::vector<uint32_t> &pixels, int x0, int y0, int x1, int y1)
    {
        for (int y = std::max(y0, 0); y <= std::min<int>(y1, WinMaxy); y++)
            for (int x = std::max(x0, 0); x <= std::min<int>(x1, Maxx); x++)
                if (pixel_at(pixels, x, y) != Color_Table[black])
                    return true;
        return false;
    }

    // Lines of text in the columns x0..x1 between rows y0 and y1: runs of
    // rows with something drawn, apart from one another.
    static int lines_between(int x0, int x1, int y0, int y1)
    {
        std::vector<uint32_t> pixels = window_now();
        int lines = 0;
        bool in_line = false;
        for (int y = y0; y <= y1; y++) {
            bool ink = shows_something(pixels, x0, y, x1, y);
            if (ink && !in_line)
                lines++;
            in_line = ink;
        }
        return lines;
    }

    // Whether a text's last pixels lie just left of the current point and
    // none right of it.
    static bool text_ends_at_point()
    {
        std::vector<uint32_t> pixels = window_now();
        return shows_something(pixels, getx - 8, gety, getx - 1, gety + CHeight) &&
               !shows_something(pixels, getx + 1, gety, getx + 40, gety + CHeight);
    }

    // Whether any pixel of the rectangle has the colour c.
    static bool shows_colour(int x0, int y0, int x1, int y1, int c)
    {
        std::vector<uint32_t> pixels = window_now();
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                if (pixel_at(pixels, x, y) == Color_Table[c])
                    return true;
        return false;
    }

    int width = 0, height = 0;
};

TEST_F(WindowRecord, ErasedTextStaysErased)
{
    moveto(100, 200);
    outtext("GONE GONE");
    erase_box(98, 200, getx + 2, 200 + CHeight);
    moveto(100, 300);
    outtext("KEPT KEPT");
    EXPECT_EQ(lines_between(100, 200, 150, Maxy - 1), 1);
    ASSERT_TRUE(resize_to(width * 3 / 4, height * 3 / 4));
    float sx = static_cast<float>(Maxx + 1) / static_cast<float>(width);
    int x0 = static_cast<int>(100 * sx), x1 = static_cast<int>(200 * sx);
    EXPECT_EQ(lines_between(x0, x1, 100, Maxy - 1), 1)
        << "the erased line came back, or the kept one was lost";
    ASSERT_TRUE(resize_to(width, height));
    EXPECT_EQ(lines_between(100, 200, 150, Maxy - 1), 1)
        << "the erased line came back, or the kept one was lost";
}

TEST_F(WindowRecord, BoxPutBackAfterAResizeLeavesWhatItCovered)
{
    moveto(200, 200);
    outtext("UNDER");
    draw_box(3, 150, 150, 400, 300, 1, blue);
    ASSERT_TRUE(resize_to(width * 3 / 4, height * 3 / 4));
    float sx = static_cast<float>(Maxx + 1) / static_cast<float>(width);
    ASSERT_TRUE(shows_colour(static_cast<int>(160 * sx), 150, static_cast<int>(390 * sx), 200,
                             blue))
        << "the box was not drawn again";
    // Put back where the box was saved, as the box's owner does.
    putimage(150, 150, &boximage[3], 0);
    freeimage(&boximage[3]);
    EXPECT_FALSE(shows_colour(0, 0, Maxx, Maxy, blue)) << "the box stayed";
    EXPECT_TRUE(shows_something(window_now(), static_cast<int>(195 * sx), 100,
                                static_cast<int>(300 * sx), 250))
        << "what the box covered was lost";
}

TEST_F(WindowRecord, AnswerGoesOnAfterThePromptDrawnAgain)
{
    moveto(50, 100);
    outtext("Value range (def 2, max 8):");
    ASSERT_TRUE(resize_to(width * 2 / 3, height * 2 / 3));
    EXPECT_TRUE(text_ends_at_point());
    int x = getx, y = gety;
    ASSERT_TRUE(resize_to(width, height));
    EXPECT_GT(getx, x);
    EXPECT_GT(gety, y);
    EXPECT_TRUE(text_ends_at_point());
}

// A dialog that drew elsewhere while the window was resized puts the point
// back at the end of the prompt it interrupted.
TEST_F(WindowRecord, KeptPointMovesWithItsPrompt)
{
    moveto(50, 100);
    outtext("Value range (def 2, max 8):");
    keep_point();
    moveto(300, 400);
    ASSERT_TRUE(resize_to(width * 2 / 3, height * 2 / 3));
    put_back_point();
    EXPECT_TRUE(text_ends_at_point());
}

} // namespace
