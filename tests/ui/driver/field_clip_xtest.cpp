// A basin field laid out by the layout's spacing (not fitted to the window)
// whose basins reach past the bottom of the field's area: what lies below
// the area is the rule box's picture alone, with no edge or node drawn into
// the box or beside it, the picture inside the area is the one the basins
// draw when nothing cuts them, and the progress bar above is filled.
#include "field_screen_support.h"

#include <vector>

#include "engine/backward/backward_test_support.h"
#include "engine/backward/basin_layout.h"
#include "ui/backward/globals.h"
#include "ui/driver/run_drivers.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

namespace {

class FieldClip : public FieldScreenTest {
protected:
    // The window after the field of a 12-cell ring under rule 30 on a
    // cleared window, laid out by the program's default spacing with radii
    // large enough that the lower basins reach the window's bottom. With
    // cut off, the field is drawn as a mutation's layout draws it, where
    // nothing cuts the basins.
    static std::vector<uint32_t>
    field_picture(bool cut)
    {
        TestNetwork net(2, 12, 3);
        reset_backward_settings();
        for (uint32_t i = 0; i < 8; i++)
            set_value(carule[0], i, (30 >> i) & 1);
        setup_value_colors(1); // the rule readout's colours
        fit_field_layout = 0;
        field_layout_radii radii;
        radii.scale(4.0f);
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        direction = direction_forward;
        // Set after the layout's defaults, which a mutation's layout has
        // of its own.
        mutant_layout = cut ? 0 : 1;
        draw_field();
        mutant_layout = 0;
        std::vector<uint32_t> pixels = window_now(Maxy);
        EXPECT_EQ(view_x0, 0);
        EXPECT_EQ(view_y1, Maxy);
        checked_free(color_v);
        color_v = nullptr;
        return pixels;
    }

    // The rule box the field shows, alone on a cleared window.
    static std::vector<uint32_t>
    rule_box_picture()
    {
        TestNetwork net(2, 12, 3);
        for (uint32_t i = 0; i < 8; i++)
            set_value(carule[0], i, (30 >> i) & 1);
        setup_value_colors(1);
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        show_rule_bottom(nhood, 0, carule[0], 0);
        std::vector<uint32_t> pixels = window_now(Maxy);
        checked_free(color_v);
        color_v = nullptr;
        return pixels;
    }
};

// Pixels of rows top..bottom that differ between two pictures.
int
rows_differing(const std::vector<uint32_t> &a, const std::vector<uint32_t> &b, int top, int bottom)
{
    int count = 0;
    for (int y = top; y <= bottom; y++)
        for (int x = 0; x <= Maxx; x++) {
            size_t i = static_cast<size_t>(y) * (Maxx + 1) + static_cast<size_t>(x);
            count += a[i] != b[i];
        }
    return count;
}

TEST_F(FieldClip, BasinsStayInsideTheFieldArea)
{
    const field_area area = basin_area();
    std::vector<uint32_t> box = rule_box_picture();
    std::vector<uint32_t> uncut = field_picture(false);
    std::vector<uint32_t> cut = field_picture(true);
    screenshot("field_clip");
    ASSERT_EQ(cut.size(), box.size());
    ASSERT_EQ(uncut.size(), box.size());
    // The case draws what it is about: basins past the area's bottom.
    ASSERT_GT(rows_differing(uncut, box, area.bottom + 1, Maxy), 0) << "no basin reaches below the area";
    EXPECT_EQ(rows_differing(cut, box, area.bottom + 1, Maxy), 0) << "basins drawn into the rule box or beside it";
    size_t inside = 0, differing = 0;
    for (int y = area.top; y <= area.bottom; y++)
        for (int x = area.left; x <= area.right; x++) {
            size_t i = static_cast<size_t>(y) * (Maxx + 1) + static_cast<size_t>(x);
            inside += cut[i] != cut[0];
            differing += cut[i] != uncut[i];
        }
    EXPECT_GT(inside, 1000u) << "the field drew next to nothing";
    EXPECT_EQ(differing, 0u) << "the picture inside the area changed";
    // The progress bar above the area filled to its end as the basins
    // were drawn, their clip notwithstanding.
    const int bar_row = (baryt + baryb) / 2;
    EXPECT_EQ(cut[static_cast<size_t>(bar_row) * (Maxx + 1) + static_cast<size_t>(barxr - 3)],
              Color_Table[green]) << "the progress bar's fill left out";
}

} // namespace
