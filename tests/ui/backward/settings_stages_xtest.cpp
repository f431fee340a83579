// The LAYOUT, DISPLAY and PAUSE/DATA stages answered through the server:
// the stage cursor moving from stage to stage, 'd' accepting what is left,
// 'q' stepping back inside and out of each stage, the radius and spacing
// the layout keeps (numbers past the window held at their bounds), the
// decimal labels refused where state numbers do not fit 32 bits, and the
// data file kept whole over two passes.
#include "basin_settings_support.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "engine/backward/basin_layout.h"
#include "support/draw_check_allow.h"
#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "ui/backward/display_settings.h"
#include "ui/backward/layout_settings.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/draw_check.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"
#include "ui/storage/globals.h"
#include "support/work_dir.h"

namespace {

class SettingsStages : public BasinSettingsTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped())
            return;
        set_up_ring(5);
        nonlocal = 0;
        regular2d = 0;
        rulemix = 0;
        nhood = 3;
        gd_z_graph = sweep_graph_none;
        stp = 0;
        dontcompress = 0;
        shownumbers = shownumbers_bits;
        showbits_1d_as_2d = 0;
        datapause = datapause_unset;
        pdata = filedata = data_off;
        moveto(vgax(50), vgay(80));
    }
    void TearDown() override
    {
        BasinSettingsTest::TearDown();
        mutant_layout = 0;
        successive_basins = 0;
        basinfield = 0;
        pdata = filedata = filestates = 0;
        datapause = datapause_unset;
        shownumbers = shownumbers_bits;
    }
    // Runs the stages while keys are typed; they must read every key typed
    // and no more.
    template <typename Stages>
    void answer(const std::string &keys, Stages stages)
    {
        paced_thread typing = type_keys_paced(keys);
        stages();
        typing.join();
        EXPECT_EQ(take_typed_keys(), 0) << "keys left over after \"" << keys << "\"";
    }
    // The three stages as the run part calls them; false on a step back.
    static bool run_stages()
    {
        setup_plot();
        if (is[0] == 'q')
            return false;
        format_draw();
        if (is[0] == 'q')
            return false;
        data_att();
        return is[0] != 'q';
    }
    // White pixels in the window's last two columns from the top down to
    // the last row of a prompt box of `lines` lines: text written past the
    // box's frame (read as pixel_seen reads, from a look).
    static int white_at_right_edge(int lines)
    {
        int white_pixels = 0;
        for (int y = 3; y <= prompt_box_bottom(lines); y++)
            for (int x = Maxx - 1; x <= Maxx; x++)
                white_pixels += pixel_seen(x, y) == Color_Table[white];
        return white_pixels;
    }
};

// The DISPLAY answers that keep every default of a regular 1d ring: the
// compression, copies, nodes (hex), highlight, label scale, orientation,
// fan angle and edge colour prompts.
const std::string kDisplayHex = "\r\rh\r\r\r\r\r\r";
// The PAUSE/DATA answers of a single basin: tree pauses, no printing, no file.
const std::string kPauseTree = "2\r\r\r";

TEST_F(SettingsStages, RevisingFromDisplaySkipsLayoutAndShowsDisplayAndPause)
{
    accept_from = accept_from_display;
    bool ok = false;
    answer(kDisplayHex + kPauseTree, [&] { ok = run_stages(); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(layout_notset, 0) << "the layout takes its defaults unasked";
    EXPECT_FLOAT_EQ(pstartrad, 12.0f);
    EXPECT_EQ(shownumbers, shownumbers_hex);
    EXPECT_EQ(datapause, datapause_tree);
    EXPECT_EQ(accept_from, accept_from_mutation);
    EXPECT_EQ(acceptall, 0);
}

TEST_F(SettingsStages, DAtTheFirstDisplayPromptAcceptsTheRest)
{
    accept_from = accept_from_display;
    bool ok = false;
    answer("d\r", [&] { ok = run_stages(); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(acceptall, 1);
    EXPECT_EQ(shownumbers, shownumbers_bits);
    EXPECT_EQ(datapause, datapause_unset) << "PAUSE/DATA was not asked";
    EXPECT_EQ(accept_from, accept_from_mutation);
}

TEST_F(SettingsStages, StepBacksInsideEachStageLandOnTheRightPrompts)
{
    accept_from = accept_from_layout;
    bool ok = false;
    // LAYOUT: radius, x, y; 'q' at the accept prompt asks the radius again.
    std::string layout = "\r\r\rq" "24\r\r\r\r";
    // DISPLAY: 'q' at the nodes goes back to the compression prompt.
    std::string display = "\r\rq" + kDisplayHex;
    // PAUSE/DATA: 'q' at the print prompt starts the stage again.
    std::string pause = "\rq" "3\r2\r" "\r";
    answer(layout + display + pause, [&] { ok = run_stages(); });
    EXPECT_TRUE(ok);
    EXPECT_FLOAT_EQ(pstartrad, 24.0f);
    EXPECT_FLOAT_EQ(startrad, std::trunc(Maxx * 0.5f * 0.24f));
    EXPECT_FLOAT_EQ(rad[0], startrad);
    EXPECT_EQ(boximage[3], 0ul) << "the quarter under the preview is put back";
    EXPECT_EQ(shownumbers, shownumbers_hex);
    EXPECT_EQ(datapause, datapause_tree_and_fan);
    EXPECT_EQ(pdata, data_basins_and_trees);
    EXPECT_EQ(accept_from, accept_from_mutation);
}

TEST_F(SettingsStages, QuitAtEachStagesFirstPromptStepsOutOfIt)
{
    accept_from = accept_from_layout;
    answer("q", [] { setup_plot(); });
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(accept_from, accept_from_layout);
    EXPECT_EQ(boximage[3], 0ul);
    accept_from = accept_from_display;
    answer("q", [] { format_draw(); });
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(accept_from, accept_from_display);
    accept_from = accept_from_pause;
    answer("q", [] { data_att(); });
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(accept_from, accept_from_pause);
}

TEST_F(SettingsStages, FieldSpacingFollowsTheRadiusButNotInTheMutantLayout)
{
    basinfield = 1;
    accept_from = accept_from_layout;
    // Radius 12 from 6; x, y; no successive basins; spacing kept; border; accept.
    answer("12\r\r\r\r\r\r\r\r", [] { setup_plot(); });
    EXPECT_FLOAT_EQ(pstartrad, 12.0f);
    EXPECT_FLOAT_EQ(xpspacing, 60.0f);
    EXPECT_FLOAT_EQ(ypspacing, 60.0f);
    EXPECT_EQ(accept_from, accept_from_display);

    basinfield = 0;
    layout_notset = 1;
    accept_from = accept_from_layout;
    // Mutants ('M'), then radius 12 from 2: the mutant spacing stays 22 %.
    answer("M\r12\r\r\r\r\r\r\r", [] { setup_plot(); });
    EXPECT_FLOAT_EQ(pstartrad, 12.0f);
    EXPECT_FLOAT_EQ(xpspacing, 22.0f);
    EXPECT_EQ(mutant_layout, 1);
}

TEST_F(SettingsStages, RadiusBelowTheMinimumIsIgnored)
{
    accept_from = accept_from_layout;
    answer("0.1\r\r\r\r", [] { setup_plot(); });
    EXPECT_FLOAT_EQ(pstartrad, 12.0f);
}

// A radius typed far past the window (1e9 % of half its width), and a first
// position far off it, are held at the largest the window can draw, on
// either window size: the position's line shows the value kept as if it
// had been typed, the preview is drawn at that radius with nothing for the
// draw check to report, and the radius question asked again offers it as
// a plain number inside the prompt box. The lines are compared with those
// of the bounds typed as they are.
TEST_F(SettingsStages, RadiusPastTheWindowIsHeldAndItsDefaultStaysInsideThePromptBox)
{
    // The prompt box from its top down to the waiting cursor's line, left
    // of the cursor (which blinks): what was asked and answered so far.
    auto left_of_cursor = [] {
        int left = prompt_box_left(Maxx), line_top = gety - vgay(4);
        return pixels_seen(left, 0, getx - left, line_top + CHeight);
    };
    struct seen_lines {
        std::vector<unsigned long> x_answered, radius_again;
        int outside = -1;
    };
    // A field's layout: the radius, the x position (looked at while y is
    // asked), y, no successive basins, the spacing and border kept, 'q' at
    // the accept prompt; the radius asked again (looked at) and kept, and
    // everything after it accepted.
    auto layout_with = [&](const std::string &radius, const std::string &x) {
        const std::string keys = radius + "\r" + x + "\r" + "\r\r" "\r\r\r" "q" "\r" "\r\r\r" "\r\r\r" "\r";
        const size_t y_asked = radius.size() + x.size() + 2, radius_asked_again = y_asked + 6;
        seen_lines seen;
        basinfield = 1;
        successive_basins = 0;
        layout_notset = 1;
        acceptall = 0;
        accept_from = accept_from_layout;
        paced_thread typing = type_keys_looking(keys, [&](size_t i) {
            if (i == y_asked)
                seen.x_answered = left_of_cursor();
            if (i == radius_asked_again) {
                seen.radius_again = left_of_cursor();
                seen.outside = inked_right_of_prompt_box(3);
            }
        });
        setup_plot();
        typing.join();
        EXPECT_EQ(take_typed_keys(), 0) << "keys left over after \"" << keys << "\"";
        return seen;
    };
    const int width = Maxx + 1, height = WinMaxy + 1;
    for (auto [w, h] : prompt_window_sizes()) {
        ASSERT_TRUE(resize_to(w, h));
        SCOPED_TRACE(std::to_string(Maxx + 1) + "x" + std::to_string(WinMaxy + 1));
        clear_drawing_area();
        seen_lines past = layout_with("1e9", "1e9");
        EXPECT_TRUE(unallowed_draw_reports(take_draw_check_reports()).empty())
            << "the preview at the largest radius";
        EXPECT_FLOAT_EQ(pstartrad, kLargestStartRadius);
        EXPECT_FLOAT_EQ(startrad, std::trunc(Maxx * 0.5f));
        EXPECT_FLOAT_EQ(xoffset, kOffsetBounds.high);
        EXPECT_FLOAT_EQ(xpspacing, kSpacingBounds.high) << "the spacing grown with the radius";
        EXPECT_EQ(accept_from, accept_from_display);
        EXPECT_EQ(past.outside, 0) << "the radius question runs out of the prompt box";
        clear_drawing_area();
        seen_lines bounds = layout_with("100", "100");
        ASSERT_FALSE(bounds.x_answered.empty());
        ASSERT_FALSE(bounds.radius_again.empty());
        EXPECT_TRUE(past.x_answered == bounds.x_answered) << "the x position's line shows no 100";
        EXPECT_TRUE(past.radius_again == bounds.radius_again) << "the radius question offers no plain 100";
        clear_drawing_area();
    }
    ASSERT_TRUE(resize_to(width, height));
}

TEST_F(SettingsStages, DecimalNodesRefusedWhereStateNumbersOverflow)
{
    accept_from = accept_from_display;
    lineL = 33;
    // Refused, the nodes stay bit patterns: highlight, 1d-as-2d, cell scale,
    // then the angles and colour follow.
    answer("\r\rc\r\r\r\r\r\r\r", [] { format_draw(); });
    EXPECT_EQ(shownumbers, shownumbers_bits) << "decimal refused for n > 32";
    // v = 3, 21 cells: n <= 32, but 3^21 does not fit 32 bits.
    value_range = 3;
    lineL = 21;
    accept_from = accept_from_display;
    answer("\r\rc\r\r\r\r\r\r\r", [] { format_draw(); });
    EXPECT_EQ(shownumbers, shownumbers_bits);
    // 20 cells of 3 values fit: decimal is taken, then its label scale.
    lineL = 20;
    accept_from = accept_from_display;
    answer("\r\rc\r\r\r\r\r\r", [] { format_draw(); });
    EXPECT_EQ(shownumbers, shownumbers_decimal);
}

// The label scale keeps labels between one pixel and the window's height:
// a factor such as 1e9 would overflow the scaled font metrics.
TEST_F(SettingsStages, LabelScaleKeptToTheWindow)
{
    value_range = 3;
    lineL = 20;
    const struct {
        const char *factor;
        double label_height;
    } answers[] = {{"1e9", double(Maxy)}, {"inf", double(Maxy)}, {".01", 1}};
    for (auto [factor, label_height] : answers) {
        accept_from = accept_from_display;
        answer(std::string("\r\rc\r\r") + factor + "\r\r\r\r", [] { format_draw(); });
        ASSERT_EQ(shownumbers, shownumbers_decimal);
        EXPECT_NEAR(labelsizefactor * CHeight, label_height, 0.01) << factor;
    }
}

TEST_F(SettingsStages, MetaGraphTurnsCompressionOff)
{
    basinfield = 1;
    accept_from = accept_from_pause;
    // Data pause, print, file; meta-graph 'm', jump table as numbers.
    answer("\r\r\rm\rn\r", [] { data_att(); });
    EXPECT_EQ(meta_graph, 2);
    EXPECT_EQ(dontcompress, 1);
    meta_graph = 0;
    dontcompress = 0;
}

TEST_F(SettingsStages, AmendedNextPositionIsWhereTheNextBasinGoes)
{
    basinfield = 1;
    layout_notset = 1;
    accept_from = accept_from_none;
    setup_plot();
    // Next position 20 % right, 10 % up; spacing, border kept; no clearing.
    answer("p\r20\r10\r\r\r\r\r", [] { amend_layout(); });
    EXPECT_FLOAT_EQ(xoffset, 20.0f);
    EXPECT_FLOAT_EQ(yoffset, 10.0f);
    EXPECT_EQ(ox + xspacing, static_cast<int>(Maxx / 2 * 1.2f));
    EXPECT_EQ(oy, static_cast<int>(Maxy / 2 * 0.9f));
    // Angles: 90 degrees and twice the fan, then 'q' at the first prompt.
    answer("a\r90\r2\rq", [] { amend_layout(); });
    EXPECT_NEAR(orient_angle, 3.14159265 / 2, 1e-5);
    EXPECT_FLOAT_EQ(fan_angle_fact, 2.0f);
    orient_angle = 0;
    fan_angle_fact = 1;
}

TEST_F(SettingsStages, LearningLayoutAsksTheNodesAndEndsAtTheAcceptPrompt)
{
    accept_from = accept_from_layout;
    // Learning layout; nodes as 2d bit patterns; i-axis 2 of 5; accept.
    answer("L\rB\r2\r\r", [] { setup_plot(); });
    EXPECT_EQ(acceptall, 1);
    EXPECT_EQ(hilight_learn, hilight_frame);
    EXPECT_EQ(shownumbers, shownumbers_bits);
    EXPECT_EQ(showbits_1d_as_2d, 1);
    EXPECT_EQ(i2d, 2);
    EXPECT_EQ(j2d, 3);
    EXPECT_FLOAT_EQ(pstartrad, 15.0f);
    EXPECT_FLOAT_EQ(xpspacing, 60.0f) << "the learning spacing is not scaled";
    EXPECT_EQ(accept_from, accept_from_display);

    // 'q' at its accept prompt revises the whole dialog: radius, x, y, accept.
    acceptall = 0;
    accept_from = accept_from_layout;
    answer("L\rB\r2\rq" "\r\r\r\r", [] { setup_plot(); });
    EXPECT_EQ(acceptall, 0);
    EXPECT_EQ(accept_from, accept_from_display);
    hilight_learn = hilight_off;
    showbits_1d_as_2d = 0;
}

TEST_F(SettingsStages, DataFileIsAppendedToNotTruncatedOnASecondPass)
{
    work_dir work;
    ASSERT_TRUE(work.enter("zemra-data"));
    {
        std::ofstream out("my_data.dat");
        out << "kept line\n";
    }
    // No pause, no printing, basin data to the default file, confirmed.
    for (int pass = 0; pass < 2; pass++) {
        accept_from = accept_from_pause;
        answer("\r\r1\r\r\r", [] { data_att(); });
        EXPECT_EQ(filedata, data_basins);
        EXPECT_STREQ(filename_data, "my_data.dat");
        std::ifstream in("my_data.dat");
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_EQ(text.str(), "kept line\n") << "pass " << pass;
    }
    // A missing file is created.
    unlink("my_data.dat");
    accept_from = accept_from_pause;
    answer("\r\r1\r\r\r", [] { data_att(); });
    EXPECT_EQ(access("my_data.dat", F_OK), 0);
    ASSERT_TRUE(work.leave());
}

TEST_F(SettingsStages, PauseTitleAndFirstPromptStayInsideThePromptBox)
{
    // The title and the data-pause prompt are wider than the box together:
    // nothing of them is written right of the box's frame.
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    accept_from = accept_from_pause;
    int outside = -1;
    paced_thread keys = type_keys_looking("\r\r\r", [&](size_t i) {
        if (i != 0)
            return;
        outside = white_at_right_edge(2);
    });
    data_att();
    keys.join();
    EXPECT_EQ(outside, 0) << "white pixels right of the prompt box";
    EXPECT_EQ(datapause, datapause_unset);
}

TEST_F(SettingsStages, MetaGraphCompressionNoteStaysInsideThePromptBox)
{
    // The note that the meta-graph turns compression off, written after the
    // answer 'm', runs past the window's edge unless it has a line of its
    // own; the jump-table prompt then stands on the line below it.
    basinfield = 1;
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    accept_from = accept_from_pause;
    int outside = -1, note_rows = 0;
    paced_thread keys = type_keys_looking("\r\r\rm\rn\r", [&](size_t i) {
        if (i != 5) // the jump-table prompt
            return;
        outside = white_at_right_edge(3);
        for (int y = prompt_box_bottom(1) + 2; y < prompt_box_bottom(2) - 1; y++)
            for (int x = Maxx / 2 + 3; x < Maxx - 4; x++)
                if (pixel_seen(x, y) == Color_Table[white]) {
                    note_rows++;
                    break;
                }
    });
    data_att();
    keys.join();
    EXPECT_EQ(outside, 0) << "white pixels right of the prompt box";
    EXPECT_GT(note_rows, 0) << "no note on the second line";
    EXPECT_EQ(meta_graph, 2);
    meta_graph = 0;
    dontcompress = 0;
}

// The DISPLAY dialog's box of angles and the start edge colour, whose colour
// line ran past the narrow window's edge: nothing right of the box's frame
// while the colour is asked, nor after the dialog.
TEST_F(SettingsStages, EdgeColourQuestionStaysInsideThePromptBox)
{
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    accept_from = accept_from_display;
    auto strip_inked = [] { return inked_right_of_prompt_box(3); };
    int while_asked = -1;
    paced_thread keys = type_keys_looking(kDisplayHex, [&](size_t i) {
        if (i == kDisplayHex.size() - 1) {
            while_asked = strip_inked();
            screenshot("edge_colour_question");
        }
    });
    format_draw();
    keys.join();
    EXPECT_EQ(while_asked, 0) << "the colour question runs out of the prompt box";
    EXPECT_EQ(strip_inked(), 0) << "the colour question left its end beside the box";
}

TEST_F(SettingsStages, OneLinePromptAfterATwoLineOneLeavesNoLineBehind)
{
    // The nodes prompt has two lines, the highlight prompt after it one: the
    // second line is cleared while the highlight is asked.
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    accept_from = accept_from_display;
    int left_behind = -1;
    paced_thread keys = type_keys_looking(kDisplayHex + kPauseTree, [&](size_t i) {
        if (i != 4) // the highlight prompt
            return;
        left_behind = 0;
        for (int y = prompt_box_bottom(1) + 2; y < prompt_box_bottom(2) - 1; y++)
            for (int x = Maxx / 2 + 3; x < Maxx - 4; x++)
                if (pixel_seen(x, y) == Color_Table[white])
                    left_behind++;
    });
    bool ok = run_stages();
    keys.join();
    EXPECT_TRUE(ok);
    EXPECT_EQ(left_behind, 0) << "white pixels of the nodes prompt's second line";
}

} // namespace

// ---- one-key answers end with Return --------------------------------------------

TEST_F(SettingsStages, PauseAndDataAnswersEachEndWithReturn)
{
    // Every answer a key and Return, as the rest of the set-up reads them:
    // basin pauses, basin data printed and saved to the default file, the
    // meta-graph with its jump table as both. A key taken bare would leave
    // its Return to answer the next prompt and shift every answer after it.
    work_dir work;
    ASSERT_TRUE(work.enter("zemra-one-key"));
    basinfield = 1;
    accept_from = accept_from_pause;
    answer("1\r" "1\r" "1\r" "\r\r" "m\r" "b\r", [] { data_att(); });
    EXPECT_EQ(datapause, datapause_basin);
    EXPECT_EQ(pdata, data_basins);
    EXPECT_EQ(filedata, data_basins);
    EXPECT_STREQ(filename_data, "my_data.dat");
    EXPECT_EQ(meta_graph, 4);
    EXPECT_EQ(accept_from, accept_from_mutation);
    meta_graph = 0;
    dontcompress = 0;
    ASSERT_TRUE(work.leave());
}

TEST_F(SettingsStages, DisplayAnswersEachEndWithReturn)
{
    // Compression kept, copies shown with their garden-of-Eden nodes, spots,
    // no highlight, orientation and fan kept, green first edges.
    accept_from = accept_from_display;
    start_edge_color = lightred;
    answer("\r" "2\r" "s\r" "\r" "\r\r" "2\r", [] { format_draw(); });
    EXPECT_EQ(dontcompress, 0);
    EXPECT_EQ(dontcopytrees, copies_show_gofe);
    EXPECT_EQ(shownumbers, shownumbers_spot);
    EXPECT_EQ(show_one_att_state, 0);
    EXPECT_EQ(start_edge_color, green);
    EXPECT_EQ(accept_from, accept_from_pause);
    dontcopytrees = copies_drawn;
    start_edge_color = lightred;
}

TEST_F(SettingsStages, LayoutOneKeyAnswersEndWithReturn)
{
    // A field shown basin after basin with pauses, then the layout accepted
    // with a bare Return; in the revision of a paused run, a key and Return
    // at the first prompt and at the clear-screen question.
    basinfield = 1;
    accept_from = accept_from_layout;
    answer("\r\r\r" "p\r" "\r", [] { setup_plot(); });
    EXPECT_EQ(successive_basins, 1);
    EXPECT_EQ(datapause, datapause_basin);
    EXPECT_EQ(accept_from, accept_from_display);
    successive_basins = 0;
    putpixel(vgax(300), vgay(300), white);
    answer("x\r" "\r\r\r" "c\r", [] { amend_layout(); });
    EXPECT_EQ(window_pixel(vgax(300), vgay(300)), Color_Table[black]) << "the screen cleared";
}
