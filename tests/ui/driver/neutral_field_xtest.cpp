// The neutral-order field on the window with the data pause on: the pause
// comes once after each component, with that component already counted,
// its 'o' opens the options box and its 'a' the layout revision before the
// options box, and the field goes on to cover every order. With the fan
// pause on too, the tree builder pauses at each fan inside a component
// until 'q' turns that pause off; the pause's prompt stays in the status
// box, off the component's summary. The field of rule 110 on 8, 11 and 12
// cells with the layout's defaults keeps its components inside the drawing
// area, apart from one another.
#include "field_screen_support.h"

#include <string>
#include <thread>
#include <vector>

#include "engine/backward/basin_layout.h"
#include "engine/backward/basin_totals.h"
#include "engine/backward/field_fit.h"
#include "engine/backward/neutral_test_support.h"
#include "support/status_prompt_check.h"
#include "ui/backward/globals.h"
#include "ui/driver/run_drivers.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

// What a field drew: its components, those outside the area or out at the
// right edge, and the pairs drawn over one another on one page; the left
// frame of the component table at the field's end, read on the window
// (-1 when not found), and the components of the last page it covers.
struct neutral_field_boxes {
    size_t drawn = 0;
    int outside = 0, out_right = 0, overlapping = 0;
    int table_left = -1, under_table = 0;
};

class NeutralFieldOnScreen : public FieldScreenTest {
protected:
    void SetUp() override
    {
        FieldScreenTest::SetUp();
        k_before = nhood;
    }
    void TearDown() override
    {
        nhood = k_before; // the setup dialogs of later tests start from it
        datapause = datapause_unset;
        neutral_order = 0;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        FieldScreenTest::TearDown();
    }

    int8_t k_before = 0;

    // Four cells, 0-1 and 2-3 wired to each other: the orders fall into
    // several components. The component sizes, by brute force.
    static std::vector<uint32_t> four_cells_in_pairs()
    {
        reset_backward_settings();
        stepforward = 0;
        show_one_att_state = 0;
        seq_update = 0;
        direction = direction_backward;
        shownumbers = shownumbers_spot; // nodes as spots: no value colours
        uint16_t inputs[4][2] = {{1, 0}, {0, 1}, {3, 2}, {2, 3}};
        for (int c = 0; c < 4; c++)
            for (int j = 0; j < 2; j++)
                wiring[c][j] = inputs[c][j];
        TestNetwork::set_rule_number(6);
        return brute_component_sizes(4);
    }

    // The neutral field of rule 110 on a ring of n cells with the layout's
    // defaults, and where its components were drawn: the area lies between
    // the boxes at the top (three lines of the options box or the summary,
    // the progress bar's frame) and the rule box, inside the window's frame.
    // With components given, the field is stopped with 'q' at the data pause
    // after that many (the n! orders of 11 or 12 cells take minutes to draw).
    static neutral_field_boxes draw_ring_neutral_field(int n, size_t components = 0)
    {
        TestNetwork net(2, n, 3);
        reset_backward_settings();
        stepforward = 0;
        show_one_att_state = 0;
        seq_update = 0;
        direction = direction_backward;
        shownumbers = shownumbers_spot;
        TestNetwork::set_rule_number(110);
        field_layout_radii radii;
        fit_field_layout = 1;
        clear_drawing_area();
        std::string keys = "q";
        if (components)
            keys = std::string(components - 1, '\r') + "qq";
        neutral_field_boxes seen;
        paced_thread typist = type_keys_looking(keys, [&](size_t i) {
            if (i + (components ? 2 : 1) == keys.size())
                screenshot("neutral_field_" + std::to_string(n) + "_cells_" + std::to_string(Maxx));
            if (i + 1 != keys.size())
                return;
            // The table's left frame: the first light red from the right
            // along the row below its top frame, black inside.
            const int row = vgay(45) + 1;
            std::vector<unsigned long> line = pixels_seen(0, row, Maxx - 2, 1);
            for (int x = Maxx - 3; x >= 0 && seen.table_left < 0; x--)
                if (line[x] == Color_Table[lightred])
                    seen.table_left = x;
        });
        neutral_order = 1;
        datapause = components ? datapause_basin : datapause_unset;
        draw_field();
        typist.join();
        std::vector<field_basin_box> boxes = last_field_boxes();
        seen.drawn = boxes.size();
        int top = std::max(prompt_box_bottom(3), static_cast<int>(baryb) + vgay(3));
        int bottom = Maxy - 3 * CHeight - 2;
        for (size_t i = 0; i < boxes.size(); i++) {
            const drawn_box &b = boxes[i].box;
            seen.outside += b.x0 <= 0 || b.x1 >= Maxx || b.y0 <= top || b.y1 >= bottom;
            seen.out_right += b.x1 >= Maxx;
            seen.under_table += boxes[i].page == boxes.back().page && b.x1 >= seen.table_left;
            for (size_t j = 0; j < i; j++) {
                const drawn_box &a = boxes[j].box;
                seen.overlapping += boxes[j].page == boxes[i].page && a.x1 >= b.x0 && b.x1 >= a.x0 &&
                                    a.y1 >= b.y0 && b.y1 >= a.y0;
            }
        }
        return seen;
    }

    // The neutral field with the pause setting, keys typed one at each
    // wait; the components counted at each wait.
    static std::vector<uint32_t> field_waits(uint8_t pause, const std::string &keys)
    {
        std::vector<uint32_t> counted;
        paced_thread typist =
            type_keys_looking(keys, [&](size_t) { counted.push_back(totbasinsinfield); });
        neutral_order = 1;
        datapause = pause;
        basinfield = 1;
        draw_field();
        typist.join();
        return counted;
    }
};

TEST_F(NeutralFieldOnScreen, DataPauseStopsOnceAfterEachComponent)
{
    TestNetwork net(2, 4, 2);
    std::vector<uint32_t> sizes = four_cells_in_pairs();
    uint32_t components = static_cast<uint32_t>(sizes.size());
    ASSERT_GE(components, 3u);
    // Return at each pause but the second, where 'o' (an answer ended by
    // Return) opens the options box, which Return leaves; 'q' at the
    // component table.
    std::string keys(components, '\r');
    keys.insert(1, "o\r");
    keys += 'q';
    std::vector<uint32_t> counted = field_waits(datapause_basin, keys);
    std::vector<uint32_t> expected;
    for (uint32_t i = 1; i <= components; i++) {
        expected.push_back(i);
        if (i == 2)
            expected.insert(expected.end(), {i, i}); // Return after 'o'; the options box
    }
    expected.push_back(components); // the component table
    EXPECT_EQ(counted, expected);
    EXPECT_EQ(totbasinsinfield, components);
    EXPECT_EQ(fieldsize, 24u);
    EXPECT_EQ(earlyexitfield, 0);
    EXPECT_EQ(lineL, 4);
}

TEST_F(NeutralFieldOnScreen, LayoutAtTheDataPauseLeadsToTheOptionsBox)
{
    TestNetwork net(2, 4, 2);
    uint32_t components = static_cast<uint32_t>(four_cells_in_pairs().size());
    // 'a' at the first pause: the layout revision ('q' backs out of it),
    // then the options box (Return); Return at the others.
    std::string keys = "a\rq\r" + std::string(components - 1, '\r') + "q";
    std::vector<uint32_t> counted = field_waits(datapause_basin, keys);
    std::vector<uint32_t> expected{1, 1, 1, 1};
    for (uint32_t i = 2; i <= components; i++)
        expected.push_back(i);
    expected.push_back(components);
    EXPECT_EQ(counted, expected);
    EXPECT_EQ(fieldsize, 24u);
    EXPECT_EQ(earlyexitfield, 0);
}

TEST_F(NeutralFieldOnScreen, FanPauseComesInsideAComponentUntilTurnedOff)
{
    TestNetwork net(2, 4, 2);
    uint32_t components = static_cast<uint32_t>(four_cells_in_pairs().size());
    // The first wait is the fan pause inside the first component, before
    // it is counted; 'q' there leaves the data pause alone.
    std::string keys = "q" + std::string(components, '\r') + "q";
    std::vector<uint32_t> counted = field_waits(datapause_tree_and_fan, keys);
    std::vector<uint32_t> expected{0};
    for (uint32_t i = 1; i <= components; i++)
        expected.push_back(i);
    expected.push_back(components);
    EXPECT_EQ(counted, expected);
    EXPECT_EQ(fieldsize, 24u);
}

// The component table at the field's end: its prompt and the entry after
// it stay inside the box, whose right frame runs unbroken down its side,
// to above the rule box at the foot, with nothing drawn between it and the
// window's edge.
TEST_F(NeutralFieldOnScreen, ComponentTableKeepsItsLinesInsideItsFrame)
{
    TestNetwork net(2, 4, 2);
    four_cells_in_pairs();
    const int top = vgay(45), bottom = tallest_rule_box_top() - 2;
    int frame_broken = -1, beyond_frame = -1;
    paced_thread typist = type_keys_looking("q", [&](size_t) {
        frame_broken = beyond_frame = 0;
        std::vector<unsigned long> side = pixels_seen(Maxx - 2, top + 1, 3, bottom - top - 1);
        for (size_t i = 0; i < side.size(); i += 3) {
            frame_broken += side[i] != Color_Table[lightred];
            beyond_frame += (side[i + 1] != Color_Table[black]) + (side[i + 2] != Color_Table[black]);
        }
    });
    neutral_order = 1;
    datapause = datapause_unset;
    basinfield = 1;
    draw_field();
    typist.join();
    EXPECT_EQ(frame_broken, 0) << "text over the box's right frame";
    EXPECT_EQ(beyond_frame, 0) << "text right of the box's frame";
}

// The data pause's prompt beside the component's summary: the prompt and
// the key's cursor stay inside the status box, and the summary box keeps
// its frame and margin, so the summary reads as it was drawn.
TEST_F(NeutralFieldOnScreen, DataPausePromptStaysInsideTheStatusBox)
{
    TestNetwork net(2, 4, 2);
    uint32_t components = static_cast<uint32_t>(four_cells_in_pairs().size());
    status_prompt_marks marks;
    paced_thread typist = type_keys_looking(std::string(components, '\r') + "q", [&](size_t i) {
        if (i == 0) {
            screenshot("neutral_data_pause_" + std::to_string(Maxx));
            marks = look_beside_summary();
        }
    });
    neutral_order = 1;
    datapause = datapause_basin;
    basinfield = 1;
    draw_field();
    typist.join();
    EXPECT_EQ(marks.faults(), "");
}

// Rule 110 on a ring of 8 cells: its 40320 orders fall into 254
// components, some 15 swaps deep. With the layout's defaults each is drawn
// inside the area and no two on one page overlap (the layout's own rows let
// the deep ones run over one another and out at the window's right edge).
TEST_F(NeutralFieldOnScreen, ComponentsWithTheDefaultLayoutStayInsideTheAreaApart)
{
    neutral_field_boxes seen = draw_ring_neutral_field(8);
    EXPECT_EQ(totbasinsinfield, 254u);
    EXPECT_EQ(seen.drawn, 254u);
    EXPECT_EQ(seen.outside, 0) << seen.out_right << " of them out at the right edge";
    EXPECT_EQ(seen.overlapping, 0) << "pairs of components drawn over one another";
}

// In the windows of a 1280x1024 and of a 1024x768 screen, the component
// table that ends the field of rule 110 on 8 cells stands right of every
// component of the field's last page, covering none of them.
TEST_F(NeutralFieldOnScreen, ComponentTableStandsRightOfTheComponents)
{
    if (!on_default_screen())
        GTEST_SKIP() << "the larger window does not fit this server's screen";
    for (const int *size : {(const int[]){1024, 768}, (const int[]){927, 695}}) {
        SCOPED_TRACE(testing::Message() << "window " << size[0] << "x" << size[1]);
        ASSERT_TRUE(resize_to(size[0], size[1]));
        neutral_field_boxes seen = draw_ring_neutral_field(8);
        ASSERT_GT(seen.table_left, Maxx / 2) << "no component table";
        EXPECT_EQ(seen.under_table, 0) << "components under the table";
    }
    ASSERT_TRUE(resize_to(1024, 768));
}

// On 11 and 12 cells the n! orders are too many to walk before the field
// is drawn; the components are fitted all the same, on as many pages as
// they need. The first 60 components of each are drawn.
TEST_F(NeutralFieldOnScreen, ElevenAndTwelveCellComponentsStayInsideTheAreaApart)
{
    const size_t components = 60;
    for (int n : {11, 12}) {
        neutral_field_boxes seen = draw_ring_neutral_field(n, components);
        EXPECT_EQ(totbasinsinfield, components);
        EXPECT_EQ(seen.drawn, components);
        EXPECT_EQ(seen.outside, 0) << n << " cells: " << seen.out_right << " of " << seen.drawn
                                   << " out at the right edge";
        EXPECT_EQ(seen.overlapping, 0) << n << " cells: pairs of components drawn over one another";
    }
}

} // namespace
