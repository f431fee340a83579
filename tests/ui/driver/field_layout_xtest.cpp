// The basin field with the layout's defaults on the window: rules 30 and
// 110 on rings of 10 and 12 cells and a randomly wired network of 12 cells
// with k = 3, nodes as bit patterns. The boxes that each basin's edges and
// marks cover (kept by the field as it draws) overlap no other basin's and
// stay between the boxes at the top (a box of three lines, the summary box
// and the progress bar) and the rule box above the bottom strip, and right
// of the space-time pattern's columns while it is shown. Without the fitted
// layout the same fields overlap.
#include "field_screen_support.h"

#include <string>
#include <vector>

#include "engine/backward/backward_test_support.h"
#include "engine/backward/basin_layout.h"
#include "ui/backward/globals.h"
#include "ui/backward/stop_prompts.h"
#include "ui/driver/run_drivers.h"
#include "ui/model/cell_display.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

struct layout_case {
    const char *name;
    int n;
    uint32_t rule;    // an elementary rule on a ring; 0: random wiring and rule
};

class FieldLayout : public FieldScreenTest {
protected:
    // Draws the field of the case with the layout's defaults, with its
    // space-time pattern (scrolled, as by default, its columns' right edge
    // in *columns) or without; its basins' boxes.
    static std::vector<field_basin_box>
    drawn_field(const layout_case &c, bool fitted, int *columns = nullptr)
    {
        const bool pattern = columns != nullptr;
        TestNetwork net(2, c.n, 3);
        reset_backward_settings();
        srandom(7);
        if (c.rule) {
            TestNetwork::set_rule_number(c.rule);
        } else {
            wire_at_random(false);
            random_rules(false);
        }
        setup_value_colors(1);
        shownumbers = shownumbers_bits;
        scale = pattern ? 6 : 2; // the pattern at the default cell scale
        field_layout_radii radii;
        fit_field_layout = fitted ? 1 : 0;
        clear_drawing_area();
        direction = direction_forward;
        stp = pattern;
        scrolling = pattern;
        draw_field();
        if (pattern)
            *columns = pattern_columns_right();
        stp = scrolling = 0;
        std::vector<field_basin_box> boxes = last_field_boxes();
        undo_rule_mix();
        checked_free(color_v);
        color_v = nullptr;
        shownumbers = shownumbers_spot;
        return boxes;
    }
};

bool
overlap(const drawn_box &a, const drawn_box &b)
{
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

const layout_case kCases[] = {
    {"rule 30, 10 cells", 10, 30},  {"rule 30, 12 cells", 12, 30},
    {"rule 110, 10 cells", 10, 110}, {"rule 110, 12 cells", 12, 110},
    {"random k = 3, 12 cells", 12, 0},
};

TEST_F(FieldLayout, BasinsOverlapNoneAndStayBetweenTheTopBoxesAndTheRuleBox)
{
    for (const layout_case &c : kCases) {
        SCOPED_TRACE(c.name);
        std::vector<field_basin_box> boxes = drawn_field(c, true);
        // Every basin drawn left its box (rotations of a ring's basin are
        // drawn once).
        EXPECT_EQ(boxes.size(), basintypeno);
        ASSERT_GT(boxes.size(), 1u);
        field_area area;
        ASSERT_TRUE(last_field_area(&area));
        // The boxes at the top: three lines of the options box or the
        // summary, the progress bar's frame; at the bottom the rule box of
        // three lines (the tallest) and the strip below Maxy.
        int top = std::max(prompt_box_bottom(3), static_cast<int>(baryb) + vgay(3));
        int bottom = Maxy - 3 * CHeight - 2;
        for (size_t i = 0; i < boxes.size(); i++) {
            const drawn_box &b = boxes[i].box;
            EXPECT_EQ(boxes[i].page, 0) << "basin " << i << " on a later page";
            EXPECT_GT(b.y0, top) << "basin " << i << " reaches the top boxes";
            EXPECT_LT(b.y1, bottom) << "basin " << i << " reaches the rule box";
            EXPECT_GE(b.x0, 0) << "basin " << i;
            EXPECT_LE(b.x1, Maxx) << "basin " << i;
            for (size_t j = 0; j < i; j++)
                EXPECT_FALSE(overlap(b, boxes[j].box)) << "basins " << j << " and " << i;
        }
    }
}

// Each attractor search clears the pattern's columns, which cut a basin
// drawn there to pieces; the pattern itself, pre-images included, stays in
// view there.
TEST_F(FieldLayout, WithThePatternShownBasinsStayRightOfItsColumns)
{
    register_engine_prompts(); // the pre-images' rows of the pattern
    // Rule 197's last basin has pre-images, whose rows stand at the end.
    const layout_case rule_197 = {"rule 197, 10 cells", 10, 197};
    int shown = 0;
    for (const layout_case &c : {rule_197, kCases[3]}) {
        SCOPED_TRACE(c.name);
        int columns = 0;
        std::vector<field_basin_box> boxes = drawn_field(c, true, &columns);
        ASSERT_GT(boxes.size(), 1u);
        for (size_t i = 0; i < boxes.size(); i++)
            EXPECT_GT(boxes[i].box.x0, columns) << "basin " << i;
        field_area area;
        ASSERT_TRUE(last_field_area(&area));
        std::vector<uint32_t> pixels = window_now(Maxy);
        for (int y = area.top; y <= area.bottom; y++)
            for (int x = 0; x < columns; x++)
                shown += pixels[static_cast<size_t>(y) * (Maxx + 1) + static_cast<size_t>(x)] !=
                         Color_Table[black];
    }
    EXPECT_GT(shown, 0) << "no pattern left in its columns";
}

// The layout's own defaults pile these fields up: what the fitted layout
// mends.
TEST_F(FieldLayout, WithoutFittingTheDefaultsOverlap)
{
    int overlapping = 0;
    for (const layout_case &c : kCases) {
        std::vector<field_basin_box> boxes = drawn_field(c, false);
        EXPECT_FALSE(last_field_area(nullptr));
        for (size_t i = 0; i < boxes.size(); i++)
            for (size_t j = 0; j < i; j++)
                overlapping += overlap(boxes[i].box, boxes[j].box);
    }
    EXPECT_GT(overlapping, 0);
}

} // namespace
