// The network-size and neighbourhood stages, answered through the server.
#include "support/x_test_fixture.h"

#include <cstdio>
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_shape.h"
#include "ui/model/network_size.h"
#include "ui/model/nhood_size.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

class SizeStage : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        xtext = 5;
        moveto(50, 100);
        lineL = 0;
        tot_only = 0;
        set_v(2);
    }
    // Pixels of every other column of the window's rectangle (x0, y0)-(x1,
    // y1) that differ from the background.
    static int marked_pixels(int x0, int y0, int x1, int y1)
    {
        unsigned long background = window_pixel(Maxx - 3, Maxy - 3);
        int marked = 0;
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x += 2)
                if (window_pixel(x, y) != background)
                    marked++;
        return marked;
    }
    static void set_v(int v)
    {
        value_range = static_cast<int8_t>(v);
        constexpr int8_t bits[9] = {0, 0, 1, 2, 2, 3, 3, 3, 3};
        constexpr int16_t largest[9] = {0, 0, 31, 20, 15, 13, 12, 11, 10};
        value_bits = bits[v];
        maxL_lu = largest[v];
    }
};

TEST_F(SizeStage, FieldSizeDefaultsByValueRange)
{
    type_keys("\r\r");
    select_linelength_31();
    EXPECT_EQ(lineL, 10);
    EXPECT_EQ(L, 9);
    EXPECT_EQ(bytesL, 2);
    EXPECT_EQ(scale, vgax(4));
}

TEST_F(SizeStage, FieldSizeAboveTheLimitTakesTheDefault)
{
    set_v(3);
    type_keys("25\r\r");
    select_linelength_31();
    EXPECT_EQ(lineL, 7);
    EXPECT_EQ(bytesL, 2);
}

TEST_F(SizeStage, ZeroAndNegativeSizesTakeTheDefault)
{
    type_keys("0\r\r");
    select_linelength_31();
    EXPECT_EQ(lineL, 10);
    type_keys("-3\r\r");
    select_linelength_31();
    EXPECT_EQ(lineL, 10);
    type_keys("\r-5\r");
    select_linelength_singlebasin();
    EXPECT_EQ(lineL, 14);
}

TEST_F(SizeStage, TypedFieldSizeAndScale)
{
    type_keys("12\r3\r");
    select_linelength_31();
    EXPECT_EQ(lineL, 12);
    EXPECT_EQ(scale, 3);
}

TEST_F(SizeStage, QAtTheFieldScaleAsksTheSizeAgain)
{
    type_keys("12\rq15\r\r");
    select_linelength_31();
    EXPECT_EQ(lineL, 15);
    EXPECT_NE(is[0], 'q');
}

TEST_F(SizeStage, SingleBasinSizeKeepsThePreviousOneWhenTooLarge)
{
    type_keys("\r70000\r");
    select_linelength_singlebasin();
    EXPECT_EQ(lineL, 14);  // none before
    type_keys("\r300\r");
    select_linelength_singlebasin();
    EXPECT_EQ(lineL, 300);
    type_keys("\r70000\r");
    select_linelength_singlebasin();
    EXPECT_EQ(lineL, 300);
    tot_only = 1;
    type_keys("\r\r");
    select_linelength_singlebasin();
    EXPECT_EQ(lineL, 150);
}

TEST_F(SizeStage, QAtTheScaleStepsBack)
{
    type_keys("q");
    select_linelength_singlebasin();
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(scale, 255);
}

TEST_F(SizeStage, RangeOfOneSizeIsNoRange)
{
    rangeL = 1;
    type_keys("8\r8\r\r");
    select_linelength_range();
    EXPECT_EQ(rangeL, 0);
    EXPECT_EQ(lineL, 8);
}

// A start of 00 is refused: the answer's place shows the 5 taken; an end
// not above the start is no range, and its line says so after the answer.
TEST_F(SizeStage, RefusedRangeSizesShowWhatIsTaken)
{
    clear_drawing_area();
    rangeL = 1;
    type_keys("00\r3\r\r");
    select_linelength_range();
    EXPECT_EQ(startL, 5);
    EXPECT_EQ(rangeL, 0);
    const char *start_prompt = "Start size, default 5:";
    int x = static_cast<int>(xtext * CWidth) + text_pixel_width(start_prompt, static_cast<int>(strlen(start_prompt)));
    int y = 100 + CHeight;
    int one = text_pixel_width("5", 1);
    EXPECT_GT(marked_pixels(x, y + 2, x + one, y + CHeight - 2), 0);
    EXPECT_EQ(marked_pixels(x + one + 1, y + 2, x + text_pixel_width("00", 2) + 2, y + CHeight - 2), 0);
    const char *end_prompt = "End size, default 12:";
    x = static_cast<int>(xtext * CWidth) + text_pixel_width(end_prompt, static_cast<int>(strlen(end_prompt)));
    y += CHeight;
    EXPECT_GT(marked_pixels(x + text_pixel_width("3", 1) + 2, y + 2, x + 300, y + CHeight - 2), 0);
}

TEST_F(SizeStage, RangeDefaultsStayWithinTheStateSpaceLimit)
{
    set_v(8);
    rangeL = 1;
    type_keys("\r\r\r");
    select_linelength_range();
    EXPECT_EQ(startL, 5);
    EXPECT_EQ(endL, 10);  // 12 would not fit 32-bit state numbers for v = 8
    EXPECT_EQ(rangeL, 1);
    EXPECT_EQ(lineL, 5);
}

TEST_F(SizeStage, QAtTheRangeScaleAsksBothSizesAgain)
{
    rangeL = 1;
    type_keys("6\r9\rq7\r11\r\r");
    select_linelength_range();
    EXPECT_EQ(startL, 7);
    EXPECT_EQ(endL, 11);
}

TEST(NhoodRange, BoundsOfAMix)
{
    int8_t mix[4] = {3, 5, 2, 5};
    nhoodm = mix;
    lineL = 4;
    Maxnhood = 13;
    nhood_lb_ub();
    EXPECT_EQ(nhood_lb, 2);
    EXPECT_EQ(nhood_ub, 5);
    lineL = 0;
    nhood_lb_ub();
    EXPECT_EQ(nhood_lb, 13);
    EXPECT_EQ(nhood_ub, 1);
    nhoodm = nullptr;
}

class NhoodStage : public SizeStage {
protected:
    void TearDown() override
    {
        checked_free(nhoodm);
        nhoodm = nullptr;
    }
};

TEST_F(NhoodStage, TypedKGoesToEveryCell)
{
    lineL = 6;
    nhood = 0;
    Maxnhood = 13;
    type_keys("5\r");
    select_nhood_size(0);
    EXPECT_EQ(nhood, 5);
    EXPECT_EQ(nhood_lb, 5);
    EXPECT_EQ(nhood_ub, 5);
    for (int c = 0; c < 6; c++)
        EXPECT_EQ(nhoodm[c], 5);
}

TEST_F(NhoodStage, ReturnKeepsTheDefaultAndALargeKIsHeldForEveryCell)
{
    lineL = 4;
    nhood = 0;
    Maxnhood = 13;
    type_keys("\r");
    select_nhood_size(0);
    EXPECT_EQ(nhood, 3);
    EXPECT_EQ(nhoodm[3], 3);
    checked_free(nhoodm);
    type_keys("20\r");
    select_nhood_size(1);
    EXPECT_EQ(nhood, 13);
    EXPECT_EQ(nhoodm[0], 13);
}

TEST_F(NhoodStage, ThreeDimensionalLatticesStopAtK13)
{
    lineL = 8;
    threed = 3;
    Maxnhood = 25;
    nhood = 20;
    type_keys("\r");
    select_nhood_size(1);
    EXPECT_EQ(Maxnhood, 13);
    EXPECT_EQ(nhood, 13);
    threed = 0;
}


TEST_F(SizeStage, StepBackFromTheSizeErasesTheWholeLine)
{
    clear_drawing_area();
    type_keys("4\rqq");  // scale 4, then back from the size and the scale
    select_linelength_singlebasin();
    EXPECT_EQ(is[0], 'q');
    // The size prompt ran past the middle of the window, on the second line.
    int line = 100 + 2 * CHeight;
    EXPECT_EQ(marked_pixels(Maxx / 2 - 20, line + 3, Maxx / 2 + 200, line + CHeight - 2), 0);
}

TEST_F(NhoodStage, ALargeKShowsTheKHeld)
{
    clear_drawing_area();
    lineL = 4;
    nhood = 0;
    Maxnhood = 13;
    type_keys("99\r");
    select_nhood_size(0);
    EXPECT_EQ(nhood, 13);
    // The answer's place: "13" stands where "99" was typed.
    snprintf(textb[0], 150, "Neighborhood size k: kmix-m, or enter 1-%d (def %d):", 13, 3);
    int x = static_cast<int>(xtext * CWidth) + text_pixel_width(textb[0], static_cast<int>(strlen(textb[0])));
    int y = 100 + CHeight;
    EXPECT_EQ(getx, x + text_pixel_width("13", 2));
    EXPECT_GT(marked_pixels(x, y + 2, getx, y + CHeight - 2), 0);
    EXPECT_EQ(marked_pixels(getx + 1, y + 2, x + text_pixel_width("99", 2) + 2, y + CHeight - 2), 0);
}

// A field size of 0 and a scale of -9 give way to the defaults taken, on
// the line where they were typed; nothing calls 0 too big.
TEST_F(SizeStage, RefusedFieldSizeAndScaleShowWhatIsTaken)
{
    clear_drawing_area();
    type_keys("0\r-9\r");
    select_linelength_31();
    EXPECT_EQ(lineL, 10);
    EXPECT_EQ(scale, vgax(4));
    const int left = static_cast<int>(xtext * CWidth);
    snprintf(textb[0], 150, "Network size, max %d, default %d:", 31, 10);
    int x = left + text_pixel_width(textb[0], static_cast<int>(strlen(textb[0])));
    int y = 100 + CHeight;
    int ten = text_pixel_width("10", 2);
    EXPECT_GT(marked_pixels(x, y + 2, x + ten, y + CHeight - 2), 0);
    EXPECT_EQ(marked_pixels(x + ten + 2, y + 2, x + 300, y + CHeight - 2), 0) << "text after the size";
    snprintf(textb[0], 150, "enter cell scale in pixels, default %d:", vgax(4));
    x = left + text_pixel_width(textb[0], static_cast<int>(strlen(textb[0])));
    y += CHeight;
    std::string six = std::to_string(vgax(4));
    EXPECT_EQ(getx, x + text_pixel_width(six.c_str(), static_cast<int>(six.size())));
    EXPECT_GT(marked_pixels(x, y + 2, getx, y + CHeight - 2), 0);
    EXPECT_EQ(marked_pixels(getx + 1, y + 2, x + text_pixel_width("-9", 2) + 2, y + CHeight - 2), 0);
}

} // namespace
