// The frozen-mode colour key in the windows of a 1280x1024 screen
// (1024x768) and of a 1024x768 one (925x694), at the widest figures: every
// line and mode 2's counts inside the box, the box no lower than the value
// colour key's, above the key panel, and nothing drawn outside it; its
// place asked for after the run freed its bins.
#include "support/x_test_fixture.h"

#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "ui/forward/frozen_key.h"
#include "ui/screen/box_places.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

class FrozenKey : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        saved_ = {Maxx + 1, WinMaxy + 1};
        saved_v_ = value_range;
        saved_gens_ = frozen_gens;
        saved_bins_ = num_bin_bound;
        saved_bounds_ = bin_bound;
        saved_colours_ = freq_colors;
        frozen_gens = 999; // the widest window the 'H' prompt takes
        num_bin_bound = 9;
        for (int b = 0; b < 10; b++) {
            bounds_[b] = static_cast<int16_t>(b * 99);
            colours_[b] = static_cast<uint8_t>(b % 2 ? white : lightred);
        }
        bin_bound = bounds_;
        freq_colors = colours_;
    }
    void TearDown() override
    {
        EXPECT_TRUE(resize_to(saved_[0], saved_[1])) << "the window's size was not given back";
        value_range = saved_v_;
        frozen_gens = saved_gens_;
        num_bin_bound = saved_bins_;
        bin_bound = saved_bounds_;
        freq_colors = saved_colours_;
    }
    // The window of a screen, as the program sizes it there, in its fonts:
    // the window itself resized, so that what is drawn can be read back on
    // a screen of either size.
    static bool as_window(int maxx, int winmaxy) { return resize_to(maxx + 1, winmaxy + 1); }
    // The test's bin bounds, which SetUp put in bin_bound.
    int16_t *test_bounds() { return bounds_; }

private:
    std::vector<int> saved_;
    int8_t saved_v_ = 2;
    uint16_t saved_gens_ = 20;
    int16_t saved_bins_ = 9;
    int16_t *saved_bounds_ = nullptr;
    uint8_t *saved_colours_ = nullptr;
    int16_t bounds_[10] = {};
    uint8_t colours_[10] = {};
};

struct window_size {
    int maxx, winmaxy;
};
constexpr window_size kWindows[] = {{1023, 767}, {924, 693}};

TEST_F(FrozenKey, TheBoxHoldsItsLinesAboveTheKeyPanel)
{
    for (window_size w : kWindows) {
        ASSERT_TRUE(as_window(w.maxx, w.winmaxy));
        for (int v : {2, 5}) {
            value_range = static_cast<int8_t>(v);
            SCOPED_TRACE(testing::Message() << "window " << w.maxx + 1 << " v=" << v);
            const frozen_key_place place = frozen_key_layout();
            EXPECT_GT(place.left, 0);
            EXPECT_EQ(place.right, Maxx - 2);
            EXPECT_LT(place.text_x + place.widest, place.right);
            EXPECT_GT(place.line_y[0], place.top);
            EXPECT_LT(place.line_y[2] + CHeight - 1, place.bottom);
            // The key panel is placed below a box of three lines.
            EXPECT_LE(place.bottom, box_lines_bottom(3, CHeight, WinMaxy));
            int x = 0, y = 0;
            frozen_counts_point(&x, &y);
            EXPECT_EQ(y, place.line_y[2]);
            EXPECT_GT(x, place.text_x);
        }
    }
}

TEST_F(FrozenKey, NothingIsDrawnOutsideTheBox)
{
    for (window_size w : kWindows) {
        ASSERT_TRUE(as_window(w.maxx, w.winmaxy));
        for (int v : {2, 5}) {
            value_range = static_cast<int8_t>(v);
            const frozen_key_place place = frozen_key_layout();
            const int h = place.bottom + 3 * CHeight;
            for (int mode = 1; mode <= 3; mode++) {
                SCOPED_TRACE(testing::Message() << "window " << w.maxx + 1 << " v=" << v
                                                << " mode " << mode);
                setviewport(0, 0, 1023, 767, 1);
                clearviewport();
                setviewport(0, 0, Maxx, Maxy, 1);
                const unsigned long background = window_pixel(Maxx / 4, h - 1);
                show_frozen_key(mode);
                if (mode == 2)
                    show_frozen_counts(100.0, 100.0);
                window_pixel(0, 0); // every drawing request done before the read
                std::vector<unsigned long> pixels = pixels_seen(0, 0, Maxx + 1, h);
                ASSERT_EQ(pixels.size(), static_cast<size_t>((Maxx + 1) * h));
                int inside = 0, outside = 0;
                for (int py = 0; py < h; py++)
                    for (int px = 0; px <= Maxx; px++) {
                        if (pixels[static_cast<size_t>(py * (Maxx + 1) + px)] == background)
                            continue;
                        bool in_box = px >= place.left && px <= place.right && py >= place.top &&
                                      py <= place.bottom;
                        (in_box ? inside : outside)++;
                    }
                EXPECT_GT(inside, 0);
                EXPECT_EQ(outside, 0);
                erase_frozen_key();
                window_pixel(0, 0);
                EXPECT_EQ(pixels_seen(0, 0, Maxx + 1, h),
                          std::vector<unsigned long>(pixels.size(), background))
                    << "the key's erase left some of it";
            }
        }
    }
}

} // namespace

// A prompt after the run asks where the key still standing is: the run has
// freed its bins by then, and the answer is the box the key was drawn in.
TEST_F(FrozenKey, ItsPlaceOutlivesTheRunsBins)
{
    show_frozen_key(3);
    const frozen_key_place drawn = frozen_key_layout();
    bin_bound = nullptr;
    freq_colors = nullptr;
    int left = 0, bottom = 0;
    ASSERT_TRUE(frozen_key_box_at_right(&left, &bottom));
    EXPECT_EQ(left, drawn.left);
    EXPECT_EQ(bottom, drawn.bottom);
    bin_bound = test_bounds();
    erase_frozen_key();
    EXPECT_FALSE(frozen_key_box_at_right(&left, &bottom));
}
