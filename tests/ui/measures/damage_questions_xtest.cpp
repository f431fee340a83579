// The damage questions on the window: a typed delay before the damage
// counts and a typed length of equal damage ending a sample are taken, and
// Return alone keeps the delay 0 and the length 5. 'q' at a later question
// begins the dialog again on a prompt box that looks as at its start.
#include "support/x_test_fixture.h"

#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/measures/damage_plot.h"
#include "ui/measures/run_records.h"
#include "ui/model/cell_display.h"
#include "ui/screen/globals.h"
#include "ui/screen/window_pixels.h"

namespace {

using DamageQuestions = ScreenTest;

TEST_F(DamageQuestions, TheTypedDelayAndSameStepsAreTaken)
{
    TestNetwork net(2, 40, 3);
    setup_value_colors(1);
    att_hist = att_hist_none;
    for (const auto &[keys, delay, same] :
         {std::tuple<const char *, uint32_t, uint32_t>{"\r\r3\r7\r", 3, 7},
          {"\r\r\r\r", 0, 5}}) {
        SCOPED_TRACE(keys);
        damage_record dp = {};
        dp.delay = 99;
        dp.skeleton_length = 99;
        paced_thread typing = type_keys_paced(keys);
        setup_diff_plot(&dp);
        typing.join();
        EXPECT_EQ(dp.delay, delay);
        EXPECT_EQ(dp.skeleton_length, same);
        checked_free(dp.damage_buf);
    }
    // The frame keeps its box from the pattern's copies until a run ends.
    release_kept_area();
    checked_free(color_v);
    color_v = nullptr;
}

// A cut-off or a number of bins out of its range leaves the line showing
// the default it keeps, as if that had been typed: the answer's row reads
// the same as after the default typed, at both window sizes.
TEST_F(DamageQuestions, AnOddCutOffOrBinsShowsTheValueHeld)
{
    TestNetwork net(2, 40, 3);
    setup_value_colors(1);
    att_hist = att_hist_none;
    // The second row, where the cut-off or the bins are asked, read while
    // the delay question waits.
    auto answer_row = [](const std::string &keys, uint32_t columns, const std::string &shot = "") {
        std::vector<unsigned long> row;
        damage_record dp = {};
        paced_thread typing = type_keys_looking(keys, [&](size_t i) {
            if (i != keys.size() - 2)
                return;
            row = pixels_seen(Maxx / 2 + 3, 6 + CHeight, Maxx / 2 - 8, CHeight - 2);
            if (!shot.empty())
                screenshot(shot);
        });
        setup_diff_plot(&dp);
        typing.join();
        EXPECT_EQ(dp.columns, columns) << keys;
        checked_free(dp.damage_buf);
        return row;
    };
    // 40 cells: the cut-off is held to 20..20, the bins to 10..20.
    struct held_case {
        const char *odd, *typed;
        uint32_t columns;
    };
    const int width = Maxx + 1, height = WinMaxy + 1;
    for (auto [w, h] : prompt_window_sizes()) {
        ASSERT_TRUE(resize_to(w, h));
        SCOPED_TRACE(std::to_string(Maxx + 1) + "x" + std::to_string(WinMaxy + 1));
        for (held_case c : {held_case{"\r99999\r\r\r", "\r20\r\r\r", 20},
                            held_case{"\r-1\r\r\r", "\r20\r\r\r", 20},
                            held_case{"b\r9\r\r\r", "b\r10\r\r\r", 10},
                            held_case{"b\r99999\r\r\r", "b\r20\r\r\r", 20}}) {
            std::vector<unsigned long> shown = answer_row(c.odd, c.columns, "damage_held_" + std::to_string(w)),
                                       wanted = answer_row(c.typed, c.columns);
            ASSERT_FALSE(wanted.empty());
            EXPECT_TRUE(shown == wanted) << "the line after " << c.odd << " is not the value held";
        }
    }
    // The window goes back to its size without the histograms on it.
    clear_drawing_area();
    ASSERT_TRUE(resize_to(width, height));
    release_kept_area();
    checked_free(color_v);
    color_v = nullptr;
}

// Each question with its answer typed and the cursor after it stays inside
// the box, in the windows of both screens: on the narrower one the first
// ("... actual sizes-def:" and 'b') touched the right frame and drew the
// cursor outside it.
TEST_F(DamageQuestions, QuestionsAndAnswersStayInsideTheBox)
{
    TestNetwork net(2, 40, 3);
    setup_value_colors(1);
    att_hist = att_hist_none;
    std::vector<std::pair<int, int>> sizes{{0, 0}}; // a smaller screen: the window it has
    if (on_default_screen())
        sizes = {{1024, 768}, {924, 693}};
    for (auto [w, h] : sizes) {
        if (w) {
            ASSERT_TRUE(resize_to(w, h));
        }
        clear_drawing_area();
        SCOPED_TRACE(std::to_string(Maxx + 1) + "x" + std::to_string(WinMaxy + 1));
        const std::string keys = "b\r20\r10000\r10000\r";
        int frame_broken = 0;
        damage_record dp = {};
        paced_thread typing = type_keys_looking(keys, [&](size_t i) {
            if (keys[i] != '\r') // an answer typed, its cursor after it
                return;
            screenshot("damage_questions_" + std::to_string(Maxx + 1));
            // The frame's column beside the lines, as far down as the box
            // reaches in either font its lines take (the medium font's four
            // lines go past three of the normal one's).
            std::vector<unsigned long> column = pixels_seen(box_right_edge(Maxx), 2, 1, 3 * CHeight);
            for (unsigned long p : column) // the frame's colour: its top corner's
                frame_broken += p != column[0];
        });
        setup_diff_plot(&dp);
        typing.join();
        EXPECT_EQ(frame_broken, 0) << "a line or its cursor over the box's right frame";
        checked_free(dp.damage_buf);
    }
    if (on_default_screen()) {
        // The window goes back to its size without the histogram on it.
        clear_drawing_area();
        ASSERT_TRUE(resize_to(1024, 768));
    }
    release_kept_area();
    checked_free(color_v);
    color_v = nullptr;
}

// 'q' at the delay question, or at the equal-damage one, begins the dialog
// again: every line the questions after the first drew is taken back, so
// the prompt box shows what it showed when the dialog began (then 'q' at
// the first question leaves it).
TEST_F(DamageQuestions, QAtALaterQuestionTakesItsLinesBackNotOverIt)
{
    TestNetwork net(2, 40, 3);
    setup_value_colors(1);
    att_hist = att_hist_none;
    // Below the first question's row, where the entry's blinking block is.
    const int left = prompt_box_left(Maxx), width = box_right_edge(Maxx) - left,
              top = 5 + CHeight, height = prompt_box_bottom(4) - top;
    for (const char *keys : {"\r\rqq", "\r\r\rqq"}) {
        SCOPED_TRACE(keys);
        std::vector<unsigned long> first, again;
        const size_t restart = std::string(keys).size() - 1;
        damage_record dp = {};
        paced_thread typing = type_keys_looking(keys, [&](size_t i) {
            if (i == 0)
                first = pixels_seen(left, top, width, height);
            if (i == restart) {
                again = pixels_seen(left, top, width, height);
                screenshot("damage_questions_again");
            }
        });
        setup_diff_plot(&dp);
        typing.join();
        EXPECT_EQ(is[0], 'q');
        ASSERT_FALSE(first.empty());
        size_t differ = 0;
        for (size_t i = 0; i < first.size() && i < again.size(); i++)
            differ += first[i] != again[i];
        EXPECT_EQ(differ, 0u) << "pixels of the prompt box left from the later questions";
        checked_free(dp.damage_buf);
    }
    release_kept_area();
    checked_free(color_v);
    color_v = nullptr;
}

} // namespace
