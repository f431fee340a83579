// The k-mix dialog answered through the server: the random mix between
// bounds, percentages, the menu left with 'q', a k-mix file shorter than
// the network padded with the background k, and the histogram box closed
// without changing the mix.
#include "support/setup_column_fixture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "ui/model/kmix_dialog.h"
#include "ui/model/nhood_size.h"
#include "ui/screen/box_places.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"
#include "support/work_dir.h"

namespace {

class KmixDialog : public SetUpColumnTest {
protected:
    void SetUp() override
    {
        SetUpColumnTest::SetUp();
        value_range = 2;
        value_bits = 1;
        Maxnhood = 13;
        tot_only = 0;
        threed = 0;
        basinfield = 0;
        nhood = 3;
        lineL = 10;
        L = 9;
        bytesL = 2;
        nhoodm = static_cast<int8_t *>(checked_calloc(lineL, 1, "nhoodm"));
        xtext = 5;
        moveto(50, 100);
    }
    void TearDown() override
    {
        checked_free(nhoodm);
        nhoodm = nullptr;
    }
    std::vector<int> ks() const { return std::vector<int>(nhoodm, nhoodm + lineL); }
    // The network grown to n cells, its k not yet set.
    static void grow_to(int n)
    {
        checked_free(nhoodm);
        lineL = static_cast<uint16_t>(n);
        L = static_cast<uint16_t>(n - 1);
        bytesL = static_cast<uint16_t>((n + 7) / 8);
        nhoodm = static_cast<int8_t *>(checked_calloc(lineL, 1, "nhoodm"));
    }
};

TEST_F(KmixDialog, RandomBoundsTwoAndTwoGiveEveryCellK2)
{
    // Menu: random; bounds 2 and 2; max-k kept; summary: continue.
    type_keys("\r2\r2\r\r\r");
    set_dif_nhoods();
    EXPECT_EQ(ks(), std::vector<int>(10, 2));
    EXPECT_EQ(nhood, 2);
    EXPECT_EQ(nhood_lb, 2);
    EXPECT_EQ(nhood_ub, 2);
    EXPECT_EQ(nhood_mixed, 1);
    EXPECT_EQ(is[0], kKeyReturn);
    EXPECT_EQ(getx, 50);
    EXPECT_EQ(gety, 100);
}

TEST_F(KmixDialog, GreaterMaxKRaisesNhoodAboveTheMix)
{
    type_keys("\r2\r3\r5\r\r");
    set_dif_nhoods();
    for (int k : ks()) {
        EXPECT_GE(k, 2);
        EXPECT_LE(k, 3);
    }
    EXPECT_EQ(nhood, 5);
}

TEST_F(KmixDialog, PercentagesHalfK2HalfK3InOrder)
{
    // Ten cells, fewer than Maxnhood: percentages at once. k=1 none, k=2
    // 50, k=3 50 (nothing left), no shuffle, max-k kept, continue.
    type_keys("s\r\r50\r50\rn\r\r\r");
    set_dif_nhoods();
    EXPECT_EQ(ks(), (std::vector<int>{2, 2, 2, 2, 2, 3, 3, 3, 3, 3}));
    EXPECT_EQ(nhood, 3);
}

TEST_F(KmixDialog, QAtTheMenuStepsBackWithNoMix)
{
    memset(nhoodm, 4, lineL);
    type_keys("q");
    set_dif_nhoods();
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(ks(), std::vector<int>(10, 0));
    EXPECT_EQ(nhood_mixed, 1);
}

TEST_F(KmixDialog, ResetFromTheSummaryShowsTheMenuAgain)
{
    // First mix all 4, reset; then all 6.
    type_keys("\r4\r4\r\rr\r\r6\r6\r\r\r");
    set_dif_nhoods();
    EXPECT_EQ(ks(), std::vector<int>(10, 6));
}

TEST_F(KmixDialog, ShortFileIsPaddedWithTheBackgroundK)
{
    work_dir work;
    ASSERT_TRUE(work.enter("zemra-kmix"));
    {
        std::ofstream out("part.mix", std::ios::binary);
        out.write("\x01\x02\x03", 3);
    }
    // Menu: load; name part, confirm; background 7; max-k kept; continue.
    type_keys("l\rpart\r\r7\r\r\r");
    set_dif_nhoods();
    EXPECT_EQ(ks(), (std::vector<int>{1, 2, 3, 7, 7, 7, 7, 7, 7, 7}));
    EXPECT_EQ(nhood_lb, 1);
    EXPECT_EQ(nhood_ub, 7);
    ASSERT_TRUE(work.leave());
}

TEST_F(KmixDialog, HistogramClosesAndPutsTheScreenBack)
{
    memset(nhoodm, 0, lineL);
    for (int c = 0; c < 10; c++)
        nhoodm[c] = static_cast<int8_t>(c < 3 ? 2 : 5);
    unsigned long before = window_pixel(vgax(60), vgay(300));
    type_keys("\r");
    draw_k_hist(1);
    EXPECT_EQ(is[0], 0);
    EXPECT_EQ(window_pixel(vgax(60), vgay(300)), before);
    EXPECT_EQ(nhood_lb, 2);
    EXPECT_EQ(nhood_ub, 5);
}

// The histogram opened from the summary ('h') waits with the top right
// clear: the max-k question answered before the summary is not shown
// again when the summary's box gives back what it covered.
TEST_F(KmixDialog, TheHistogramFromTheSummaryShowsItsInputAlone)
{
    clear_drawing_area();
    const char *const question = " set greater max-k (def 3 ):";
    const int width = text_pixel_width(question, static_cast<int>(strlen(question)));
    int ink = -1;
    // Menu: random; bounds 2 and 3; max-k kept; 'h' at the summary; a key
    // at the histogram; Return at the summary again.
    paced_thread typing = type_keys_looking("\r2\r3\r\rh\r\r\r", [&](size_t i) {
        if (i != 8)
            return;
        ink = 0;
        for (unsigned long p : pixels_seen(prompt_box_text(Maxx), 5, width, CHeight))
            ink += p != Color_Table[black];
        screenshot("kmix_histogram_from_summary");
    });
    set_dif_nhoods();
    typing.join();
    EXPECT_EQ(ink, 0) << "the max-k question shows at the histogram's wait";
}

// The first column's label "k frequency %" ends left of the first bar's
// "100.0" (on the narrow window it ran into it).
TEST_F(KmixDialog, KLabelEndsLeftOfTheFirstBarsFigures)
{
    memset(nhoodm, 0, lineL);
    for (int c = 0; c < 10; c++)
        nhoodm[c] = 3;
    int left = vgax(50), y0 = vgay(400) - vgax(60), x0 = left + vgax(75);
    int label_end = -1;
    setviewport(0, 0, Maxx, Maxy, 1); // the drawing area, as the set-up leaves it
    paced_thread keys = type_keys_looking("\r", [&](size_t) {
        unsigned long background = Color_Table[black];
        std::vector<unsigned long> band = pixels_seen(left + 2, y0 + 2, x0 - left - 2, CHeight);
        for (size_t i = 0; i < band.size(); i++)
            if (band[i] != background)
                label_end = std::max(label_end, left + 2 + static_cast<int>(i % (x0 - left - 2)));
        screenshot("k_histogram");
    });
    draw_k_hist(1);
    keys.join();
    EXPECT_GT(label_end, left);
    EXPECT_LT(label_end, x0 - 1) << "the label runs into the first bar's figures";
}

// The histogram's box over set-up lines that run on under it and past it:
// each line is shown whole or hidden whole while the box is up, never shown
// beside a box that stands over part of its rows; its prompt line stays
// inside the frame, whose bottom row is whole; every line comes back when
// the box closes.
TEST_F(KmixDialog, TheHistogramBoxStaysInsideOverWholeSetUpLines)
{
    for (int c = 0; c < lineL; c++)
        nhoodm[c] = 3;
    clear_drawing_area();
    std::vector<std::pair<int, int>> ink = write_setup_lines(tallest_rule_box_top() - CHeight);
    ASSERT_FALSE(ink.empty());
    const int strip_x = vgax(30), strip_w = vgax(50) - vgax(30) - 2;
    auto shows = [&](const std::pair<int, int> &band) {
        std::vector<unsigned long> left = pixels_seen(strip_x, band.first, strip_w,
                                                      band.second - band.first + 1);
        return std::find(left.begin(), left.end(), Color_Table[white]) != left.end();
    };
    int top = -1, bottom = -1, cut = -1, bottom_frame = -1;
    paced_thread keys = type_keys_looking("\r", [&](size_t) {
        for (int y = 0; y < Maxy; y++)
            if (pixel_seen(vgax(50), y) == Color_Table[lightred]) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        cut = 0;
        for (const auto &band : ink)
            cut += shows(band) && band.second >= top && band.first <= bottom;
        std::vector<unsigned long> row = pixels_seen(vgax(50), bottom, vgax(400), 1);
        bottom_frame = static_cast<int>(std::count(row.begin(), row.end(), Color_Table[lightred]));
        screenshot("k_histogram_over_lines");
    });
    draw_k_hist(1);
    keys.join();
    XSync(D, False);
    ASSERT_GT(top, 0) << "no box";
    EXPECT_EQ(cut, 0) << "set-up lines shown cut beside the box";
    EXPECT_GT(bottom_frame, vgax(400) * 9 / 10) << "the prompt line over the box's bottom frame";
    const long back = std::count_if(ink.begin(), ink.end(), shows);
    EXPECT_EQ(back, static_cast<long>(ink.size())) << "the set-up lines not back whole";
}

TEST_F(KmixDialog, SizeStageWithAMixKeepsTheMix)
{
    checked_free(nhoodm);
    nhoodm = nullptr;
    type_keys("m\r\r2\r2\r\r\r");
    select_nhood_size(1);
    EXPECT_EQ(ks(), std::vector<int>(10, 2));
    EXPECT_EQ(nhood, 2);
    EXPECT_EQ(nhood_mixed, 1);
}

// The summary of a mix of 31 cells with k 1 to 13 over the set-up lines:
// its lines end inside its box (on the narrow window "mix shown from cell
// index" ran out of it and was cut at the window's edge), and the set-up
// lines its box reaches into are hidden whole, not cut at its left edge;
// they come back as they were when it closes.
TEST_F(KmixDialog, TheSummaryStaysInsideItsBoxOverWholeSetUpLines)
{
    srandom(1);
    grow_to(31);
    clear_drawing_area();
    std::vector<std::pair<int, int>> ink = write_setup_lines(vgay(300));
    int lines = 0, cut = -1, outside = -1;
    // Menu: random; bounds 1 and 13; the summary's keys.
    paced_thread typing = type_keys_looking("\r1\r13\r\r", [&](size_t i) {
        if (i != 6)
            return;
        lines = prompt_box_lines_shown();
        cut = lines_cut_above(ink, prompt_box_bottom(lines));
        outside = inked_right_of_prompt_box(lines);
        screenshot("kmix_summary");
    });
    set_dif_nhoods();
    typing.join();
    XSync(D, False);
    ASSERT_EQ(nhood_ub, 13) << "a greater max-k was asked: the keys went astray";
    ASSERT_FALSE(ink.empty());
    EXPECT_GT(lines, 4);
    EXPECT_EQ(cut, 0) << "set-up lines cut by the summary's box";
    EXPECT_EQ(outside, 0) << "the summary's text runs out of its box";
    const int bottom = prompt_box_bottom(lines);
    const long under = std::count_if(ink.begin(), ink.end(), [&](const std::pair<int, int> &band) {
        return band.first <= bottom;
    });
    EXPECT_GT(under, 0);
    EXPECT_EQ(lines_cut_above(ink, bottom), under) << "the set-up lines not back whole";
}

// The menu and the random bounds' questions stay inside their boxes (on the
// narrow window they ran past it, and their ends stayed).
TEST_F(KmixDialog, TheMenuAndTheBoundsStayInsideTheirBoxes)
{
    srandom(1);
    grow_to(31);
    clear_drawing_area();
    int menu_outside = -1, bounds_outside = -1;
    paced_thread typing = type_keys_looking("\r1\r13\r\r", [&](size_t i) {
        if (i == 0)
            menu_outside = inked_right_of_prompt_box(2);
        if (i == 3)
            bounds_outside = inked_right_of_prompt_box(2);
    });
    set_dif_nhoods();
    typing.join();
    EXPECT_EQ(menu_outside, 0) << "the menu runs past its box";
    EXPECT_EQ(bounds_outside, 0) << "the bounds' questions run past their box";
}

} // namespace
