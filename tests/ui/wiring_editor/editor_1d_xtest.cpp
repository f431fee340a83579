// The wiring review and the 1d editor typed through the server: the graph
// opened from the review comes back to it on 'q'; the editor moves its
// cursor, rewires the cursor cell and puts the screen back; '3' in a 2d
// network opens nothing; the spread of inputs runs to its end; a killed
// cell shows no link in either layout; the saved picture of all links
// keeps the rows under it; the set-up lines the regions and the prompt
// reach into are hidden whole and put back. Every key is typed once the window
// waits for it.
#include "editor_screen_support.h"

#include <algorithm>
#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/forward/globals.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring_editor/cell_removal.h"
#include "engine/wiring_editor/editor_network_support.h"
#include "ui/model/cell_display.h"
#include "ui/rules/nhood_matrix.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/draw.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"
#include "ui/wiring_editor/editor_1d.h"
#include "ui/wiring_editor/editor_operations.h"
#include "ui/wiring_editor/network_view.h"

namespace {

const std::string kRight(1, static_cast<char>(kKeyRight));

class WiringReview : public EditorScreenTest {
protected:
    void SetUp() override
    {
        EditorScreenTest::SetUp();
        nonlocal = 1;
        // A backward run: the network graph asks nothing before it counts.
        direction = direction_backward;
        // The value colours the value-range stage gives.
        setup_value_colors(1);
    }
    // The rows of white ink of the K-matrix picture's index labels (and their
    // ticks) in the column right of the text column's left edge, from row y0
    // down: the lowest band, first and last row.
    static std::pair<int, int>
    index_label_rows(int y0)
    {
        const int x = static_cast<int>(xtext * CWidth), w = vgax(100), h = vgay(120);
        XSync(D, False);
        std::vector<unsigned long> strip = pixels_seen(x, y0, w, h);
        std::pair<int, int> band = {-1, -1};
        for (int r = 0; r < h; r++) {
            bool inked = false;
            for (int c = 0; c < w && !inked; c++)
                inked = strip[static_cast<size_t>(r) * w + c] == Color_Table[white];
            if (inked && (band.first < 0 || band.second < y0 + r - 1))
                band = {y0 + r, y0 + r};
            else if (inked)
                band.second = y0 + r;
        }
        return band;
    }

    // Opens what key opens from the time-step editor of a 12-cell network
    // on a cleared drawing area, and leaves it and the editor with 'q':
    // whether any line of the editor's prompt was left below the opened
    // screen's three-line box while it was up (saved as shot when shot
    // names one).
    static bool prompt_left_below_three_line_box(char key, const std::string &shot)
    {
        srandom(4);
        MixNetwork net(2, 12, {3});
        cell_out_freq();
        clear_drawing_area();
        bool left_below = false;
        paced_thread typing = type_keys_looking(std::string(1, key) + "qq", [&](size_t i) {
            if (i != 1)
                return;
            if (!shot.empty())
                screenshot(shot);
            const int x0 = prompt_box_left(Maxx) + 1, x1 = box_right_edge(Maxx) - 1;
            const int y0 = prompt_box_bottom(3) + 1, y1 = prompt_box_bottom(kEditorPromptLines);
            for (unsigned long pixel : pixels_seen(x0, y0, x1 - x0 + 1, y1 - y0 + 1))
                left_below = left_below || pixel != Color_Table[black];
        });
        show_graphic_wiring_1d(layout_time_step, true);
        typing.join();
        return left_below;
    }
};

// 'g' opens the network graph; its 'q' brings the review prompt back,
// whose 'q' ends the review.
TEST_F(WiringReview, TheGraphComesBackToTheReviewOnQ)
{
    srandom(1);
    MixNetwork net(2, 12, {2});
    cell_out_freq();
    paced_thread typing = type_keys_paced("g\rqq");
    show_w_r_scheme();
    typing.join();
    EXPECT_EQ(is[0], 'q');
}

TEST_F(WiringReview, ThreeInA2dNetworkOpensNothingAndEndsTheReview)
{
    srandom(2);
    MixNetwork net(2, 20, {3});
    give_2d(5, 4);
    cell_out_freq();
    paced_thread typing = type_keys_paced("3\r");
    show_w_r_scheme();
    typing.join();
    EXPECT_EQ(is[0], '3');
}

// '1' opens the editor at cell 9 (n = 20); the right arrow moves it to 8,
// which the information line shows; 'r' rewires cell 8 alone and makes
// the wiring general; 'q' leaves the editor with the screen as it was and
// was_changed at 1, and 'q' the review.
TEST_F(WiringReview, TheEditorRewiresTheCursorCellAndPutsTheScreenBack)
{
    srandom(3);
    MixNetwork net(2, 20, {3});
    cell_out_freq();
    paint_pattern();
    network_copy before = copy_network();
    dontcompress = compress_1d_local = regular2d = 1;
    was_changed = 0;
    editor_1d_picture pic = editor_1d_layout_now(layout_time_step, true);
    // The information line's row, read before and after the arrow.
    auto line_row = [&pic] {
        std::vector<unsigned long> row;
        for (int x = pic.x0 + 4; x < pic.x0 + 200; x++)
            row.push_back(pixel_seen(x, pic.y0 + 3 + CHeight / 2));
        return row;
    };
    std::vector<unsigned long> at_9, at_8;
    bool flags_cleared = false;
    std::string keys = "1\r" + kRight + "rqq";
    paced_thread typing = type_keys_looking(keys, [&](size_t i) {
        if (i == 2)
            at_9 = line_row();
        if (i == 3)
            at_8 = line_row();
        if (i == 4)
            flags_cleared = !dontcompress && !compress_1d_local && !regular2d && nonlocal == 1;
    });
    show_w_r_scheme();
    typing.join();
    EXPECT_EQ(is[0], 'q');
    EXPECT_NE(at_9, at_8);
    EXPECT_TRUE(flags_cleared);
    EXPECT_EQ(was_changed, 1);
    network_copy after = copy_network();
    for (int c = 0; c < 20; c++)
        if (c == 8)
            EXPECT_NE(after.inputs[8], before.inputs[8]);
        else
            EXPECT_EQ(after.inputs[static_cast<size_t>(c)], before.inputs[static_cast<size_t>(c)]) << c;
    // Above the rule box, which shows the cursor cell's rule, the screen
    // is as before.
    std::vector<unsigned long> now = samples(rule_box_top);
    paint_pattern();
    EXPECT_EQ(now, samples(rule_box_top));
}

// 'D' opens the Derrida plot over the editor's six-line prompt taken away:
// below the plot's three-line menu box no line of the prompt is left, cut
// through by the shorter box.
TEST_F(WiringReview, TheDerridaMenuLeavesNoLineOfThePromptBelowIt)
{
    EXPECT_FALSE(prompt_left_below_three_line_box('D', ""))
        << "a line of the editor's prompt below the Derrida menu";
    EXPECT_EQ(is[0], 'q');
}

// Over a set-up text column the time-step editor's region cuts no line:
// the ink of each line lies wholly above the region's top edge or under
// the region.
TEST_F(WiringReview, TheRowsRegionStaysInsideWholeLines)
{
    srandom(5);
    MixNetwork net(2, 150, {3});
    cell_out_freq();
    clear_drawing_area();
    std::vector<std::pair<int, int>> ink = write_setup_lines(vgay(300));
    int top = -1;
    // The region's frame down the column just right of its left edge.
    paced_thread typing = type_keys_looking("q", [&](size_t) { top = region_top(vgax(20) + 1); });
    show_graphic_wiring_1d(layout_time_step, true);
    typing.join();
    expect_lines_whole(ink, top);
}

// The time-step region's top stands below the K-matrix picture's index
// labels where it would cut them ("7 3 0" under the picture were cut on the
// 1024x768 screen): the picture is drawn with its labels across the row the
// region's top takes without it.
TEST_F(WiringReview, TheRowsRegionStaysInsideWholeKMatrixLabels)
{
    srandom(5);
    MixNetwork net(2, 10, {3});
    cell_out_freq();
    allocate_mem_nhood_matrix(3);
    clear_drawing_area();
    xtext = 5;
    const int plain_top = editor_1d_layout_now(layout_time_step, true).y0;
    // Drawn once to find its labels, then again with them across that row.
    const int first = vgay(150);
    moveto(static_cast<int>(xtext * CWidth), first);
    setup_nhood_matrix(0);
    std::pair<int, int> labels = index_label_rows(first);
    ASSERT_GE(labels.first, first) << "no index labels";
    setfillstyle(0, black);
    bar(1, first, Maxx - 2, labels.second + CHeight);
    const int y = first + plain_top - (labels.first + labels.second) / 2;
    moveto(static_cast<int>(xtext * CWidth), y);
    setup_nhood_matrix(0);
    labels = index_label_rows(y);
    ASSERT_LE(labels.first, plain_top);
    ASSERT_GE(labels.second, plain_top);
    int top = -1;
    paced_thread typing = type_keys_looking("q", [&](size_t) { top = region_top(vgax(20) + 1); });
    show_graphic_wiring_1d(layout_time_step, true);
    typing.join();
    free_mem_nhood_matrix(3);
    EXPECT_GT(top, labels.second) << "the labels at rows " << labels.first << "-" << labels.second
                                  << " cut at " << top;
}

// Over a set-up text column the circle layout's region cuts no line
// either, and its ring of nodes stays inside it.
TEST_F(WiringReview, TheRingRegionStaysInsideWholeLines)
{
    srandom(5);
    MixNetwork net(2, 10, {3});
    cell_out_freq();
    clear_drawing_area();
    std::vector<std::pair<int, int>> ink = write_setup_lines(vgay(300));
    const editor_1d_picture pic = editor_1d_layout_now(layout_circle, true);
    int top = -1;
    paced_thread typing = type_keys_looking("q", [&](size_t) { top = region_top(pic.x0 + 1); });
    show_graphic_wiring_1d(layout_circle, true);
    typing.join();
    ASSERT_EQ(top, pic.y0);
    expect_lines_whole(ink, top);
    const circle_layout &r = pic.ring;
    EXPECT_GE(r.cy - r.radius - r.node, pic.y0 + 2 * CHeight) << "the ring under the information line";
    EXPECT_LE(r.cy + r.radius + r.node, pic.y1);
}

// The ring's region, narrower than the set-up lines, reaches into them:
// those lines are hidden whole while the editor is up, no piece of them
// left beside the region on either side, and come back when it leaves.
TEST_F(WiringReview, TheSetUpLinesBesideTheRingAreHiddenWhole)
{
    srandom(5);
    MixNetwork net(2, 20, {3});
    cell_out_freq();
    clear_drawing_area();
    std::vector<std::pair<int, int>> ink = write_setup_lines(vgay(360));
    const std::vector<unsigned long> before = samples(lowest_region_row(true));
    const editor_1d_picture pic = editor_1d_layout_now(layout_circle, true);
    ASSERT_LT(pic.x1, Maxx / 2 - 1) << "the lines do not run past the region";
    // Lines the region reaches into that still show ink beside it.
    int shown_beside = 0;
    paced_thread typing = type_keys_looking("q", [&](size_t) {
        screenshot("ring_beside_setup_lines");
        for (const auto &band : ink) {
            if (band.second < pic.y0 || band.first > pic.y1)
                continue;
            const int h = band.second - band.first + 1;
            std::vector<unsigned long> beside = pixels_seen(1, band.first, pic.x0 - 1, h);
            std::vector<unsigned long> right = pixels_seen(pic.x1 + 1, band.first, Maxx / 2 - 1 - pic.x1, h);
            beside.insert(beside.end(), right.begin(), right.end());
            shown_beside += std::find(beside.begin(), beside.end(), Color_Table[white]) != beside.end();
        }
    });
    show_graphic_wiring_1d(layout_circle, true);
    typing.join();
    EXPECT_EQ(shown_beside, 0) << "set-up lines cut by the ring's region";
    EXPECT_EQ(samples(lowest_region_row(true)), before) << "the set-up lines not put back whole";
}

// The six-line prompt and the hand-rewire box stand over the right ends
// of the set-up column's first lines: those lines are hidden whole while
// the editor is up, not cut at the box's left edge, and come back whole
// when it leaves.
TEST_F(WiringReview, TheSetUpLinesUnderThePromptAreHiddenWhole)
{
    srandom(5);
    MixNetwork net(2, 20, {3});
    cell_out_freq();
    clear_drawing_area();
    std::vector<std::pair<int, int>> ink = write_setup_lines(vgay(300));
    const std::vector<unsigned long> before = samples(vgay(300));
    int cut_by_prompt = -1, cut_by_hand_box = -1;
    paced_thread typing = type_keys_looking("hqq", [&](size_t i) {
        if (i == 0)
            cut_by_prompt = lines_cut_above(ink, prompt_box_bottom(kEditorPromptLines));
        if (i == 1)
            cut_by_hand_box = lines_cut_above(ink, prompt_box_bottom(5));
    });
    show_graphic_wiring_1d(layout_time_step, true);
    typing.join();
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(cut_by_prompt, 0) << "set-up lines cut by the editor's prompt box";
    EXPECT_EQ(cut_by_hand_box, 0) << "set-up lines cut by the hand-rewire box";
    EXPECT_EQ(samples(vgay(300)), before) << "the set-up lines not put back whole";
}

// 'l' opens the learning (sculpting) over the screen as it was before the
// editor: below its three-line prompt boxes no line of the editor's
// six-line prompt is left.
TEST_F(WiringReview, TheLearningLeavesNoLineOfThePromptBelowIt)
{
    EXPECT_FALSE(prompt_left_below_three_line_box('l', "learning_over_editor"))
        << "a line of the editor's prompt below the learning's box";
    EXPECT_EQ(is[0], 'q');
}

// On a ring where cell c reads cell c+1, the spread of inputs from the
// cursor reaches every cell and stops at " complete": after 'i' the
// caption of step 1 takes Return, the complete one any key, and the
// editor then waits for its own key again.
TEST_F(WiringReview, TheSpreadOfInputsRunsToItsEnd)
{
    srandom(4);
    MixNetwork net(2, 16, {1});
    for (int c = 0; c < 16; c++)
        wiring[c][0] = static_cast<uint16_t>((c + 1) % 16);
    cell_out_freq();
    editor_1d_picture pic = editor_1d_layout_now(layout_circle, true);
    bool caption_shown = false;
    paced_thread typing = type_keys_looking("i\rxq", [&](size_t i) {
        if (i == 2) // the caption's frame at the region's top left
            caption_shown = pixel_seen(pic.x0 + 2, pic.y0 + 2 + CHeight) != pixel_seen(pic.x0 + 6, pic.y0 + 2 + CHeight);
    });
    show_graphic_wiring_1d(layout_circle, true);
    typing.join();
    EXPECT_EQ(is[0], 'q');
    EXPECT_TRUE(caption_shown);
}

// The fan point of cell 5's only input, where its self-link would pass:
// yellow while the cell reads another cell, black once it is killed.
TEST_F(WiringReview, AKilledCellShowsNoLinkInEitherLayout)
{
    srandom(5);
    MixNetwork net(2, 12, {1, 2});
    nonlocal = 1;
    cell_out_freq();
    for (int layout : {layout_time_step, layout_circle}) {
        for (bool killed : {false, true}) {
            if (killed)
                cut_in_out_links(5);
            else
                wiring[5][0] = 3;
            cell_out_freq();
            ASSERT_EQ(frozen_cell(5, 1), killed ? 1 : 0);
            editor_1d_picture pic = editor_1d_layout_now(layout, true);
            int fx, fy;
            if (layout == layout_time_step) {
                fx = static_cast<int>(time_step_fan_x(pic.rows.cell_x(5), 1, 0) + 0.5) + 1;
                fy = pic.rows.fan_y;
            } else {
                double x, y;
                circle_fan_point(pic.ring, 5, 1, 0, nhood, &x, &y);
                fx = static_cast<int>(x + 0.5);
                fy = static_cast<int>(y + 0.5);
            }
            unsigned long seen = 0;
            paced_thread typing = type_keys_looking("j5\rq", [&](size_t i) {
                if (i == 3)
                    seen = pixel_seen(fx, fy);
            });
            show_graphic_wiring_1d(layout, true);
            typing.join();
            if (killed)
                EXPECT_EQ(seen, Color_Table[black]) << layout;
            else
                EXPECT_EQ(seen, Color_Table[yellow]) << layout;
        }
    }
}

// The untangle question of a block leaves room for its answer's echo and
// the cursor inside the prompt box, clear of its right frame (an echo 'b'
// touched the frame); run on both screens (tests/CMakeLists.txt).
TEST_F(WiringReview, TheUntangleAnswerStaysInsideItsBox)
{
    srandom(7);
    MixNetwork net(2, 16, {2});
    cell_out_freq();
    int cursor_end = -1;
    paced_thread typing = type_keys_looking("baubq", [&](size_t i) {
        if (i == 3) // the answer to the untangle question
            cursor_end = getx + 2 * CWidth;
    });
    show_graphic_wiring_1d(layout_time_step, true);
    typing.join();
    EXPECT_EQ(is[0], 'q');
    EXPECT_LT(cursor_end, box_right_edge(Maxx)) << "the answer reaches the box's frame";
}

// With the whole network as the block, the time-step layout saves its
// picture of every link and puts it back on the next turns ('p' changes
// no wiring): the rows under it stay light grey.
TEST_F(WiringReview, TheRowsStayWhenThePictureOfAllLinksComesBack)
{
    srandom(6);
    MixNetwork net(2, 20, {2});
    cell_out_freq();
    editor_1d_picture pic = editor_1d_layout_now(layout_time_step, true);
    // The top of the upper row, which the links (ending under it) never cross.
    std::vector<int> xs;
    for (int c : {2, 9, 15})
        xs.push_back(static_cast<int>(pic.rows.cell_x(c)) - 1);
    std::vector<unsigned long> fresh, put_back;
    paced_thread typing = type_keys_looking("bappq", [&](size_t i) {
        for (int x : xs) {
            if (i == 2)
                fresh.push_back(pixel_seen(x, pic.rows.t0_y));
            if (i == 4)
                put_back.push_back(pixel_seen(x, pic.rows.t0_y));
        }
    });
    show_graphic_wiring_1d(layout_time_step, true);
    typing.join();
    EXPECT_EQ(fresh, std::vector<unsigned long>(3, Color_Table[lightgray]));
    EXPECT_EQ(put_back, fresh);
}

} // namespace
