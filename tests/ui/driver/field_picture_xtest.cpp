// The picture of a basin field drawn through shape batches is the picture
// drawn shape by shape, to the pixel: random wirings by the successor table
// and by the general method, rings by the local method with compression,
// v = 2 and 3, nodes as spots, numbers and bit patterns, copies drawn and
// not, small radii that pile nodes on top of each other and large ones
// that reach past the window's edges, and fields of up to 2^16 states.
#include "field_screen_support.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/backward/backward_test_support.h"
#include "engine/backward/basin_layout.h"
#include "engine/model/checked_alloc.h"
#include "ui/driver/run_drivers.h"
#include "ui/model/cell_display.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/shape_batch.h"

namespace {

enum class method { table, general, local };

struct field_case {
    const char *name;
    int v, n;
    method how;
    uint8_t numbers;
    uint8_t copies; // dontcopytrees
    float shrink;   // the layout's radii times this
};

class FieldPicture : public FieldScreenTest {
protected:
    void TearDown() override
    {
        enable_shape_batches(true);
        FieldScreenTest::TearDown();
    }

    // The window's pixels after the field of the case, drawn with batches
    // on or off on a cleared window.
    static std::vector<uint32_t>
    field_picture(const field_case &c, bool batched)
    {
        TestNetwork net(c.v, c.n, 3);
        reset_backward_settings();
        srandom(11);
        if (c.how != method::local)
            wire_at_random(false);
        random_rules(false);
        setup_value_colors(1); // the rule readout's colours
        exhaustive_testing = c.how == method::table ? exhaustive_table : exhaustive_off;
        mutantdontpause = 1; // the successor table without its dialog
        shownumbers = c.numbers;
        dontcopytrees = c.copies;
        // The layout of the program's defaults, its radii scaled (the field
        // not fitted to the window, which would scale them back).
        fit_field_layout = 0;
        field_layout_radii radii;
        radii.scale(c.shrink);
        enable_shape_batches(batched);
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        direction = direction_forward;
        draw_field();
        std::vector<uint32_t> pixels = window_now(Maxy);
        enable_shape_batches(true);
        fit_field_layout = 1;
        dontcopytrees = copies_drawn;
        mutantdontpause = 0;
        exhaustive_testing = exhaustive_off;
        undo_rule_mix();
        checked_free(color_v);
        color_v = nullptr;
        return pixels;
    }
};

// Pixels that differ, and the first of them, for the failure message.
std::string
differences(const std::vector<uint32_t> &a, const std::vector<uint32_t> &b, int width)
{
    size_t count = 0, first = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); i++)
        if (a[i] != b[i] && count++ == 0)
            first = i;
    if (!count && a.size() == b.size())
        return "";
    char text[120];
    snprintf(text, sizeof text, "%zu pixels differ, first at (%zu, %zu)", count,
             first % static_cast<size_t>(width), first / static_cast<size_t>(width));
    return text;
}

TEST_F(FieldPicture, BatchedFieldEqualsTheFieldDrawnShapeByShape)
{
    const field_case cases[] = {
        {"table v2", 2, 11, method::table, shownumbers_spot, 0, 1.0f},
        {"table v2 piled up", 2, 12, method::table, shownumbers_spot, 0, 0.3f},
        {"table v3", 3, 6, method::table, shownumbers_spot, 0, 1.0f},
        {"table v3 piled up", 3, 7, method::table, shownumbers_spot, 0, 0.4f},
        {"general v2", 2, 9, method::general, shownumbers_spot, 0, 1.0f},
        {"ring v2 compressed", 2, 12, method::local, shownumbers_spot, 0, 1.0f},
        {"ring v2 no copies", 2, 12, method::local, shownumbers_spot, 1, 0.5f},
        {"ring v3", 3, 6, method::local, shownumbers_spot, 0, 0.6f},
        {"ring v2 decimal", 2, 8, method::local, shownumbers_decimal, 0, 1.0f},
        {"table v2 bits", 2, 8, method::table, shownumbers_bits, 0, 1.0f},
        {"table v2 no numbers", 2, 10, method::table, shownumbers_none, 0, 1.0f},
        {"table v2 past the window's edges", 2, 12, method::table, shownumbers_spot, 0, 3.0f},
        {"ring v2 past the window's edges", 2, 12, method::local, shownumbers_spot, 0, 4.0f},
        // Fields dense enough that many children of a fan, their edges and
        // spots fall on one pixel, one after the other.
        {"table v2 of 15 cells", 2, 15, method::table, shownumbers_spot, 0, 1.0f},
        {"table v2 of 16 cells piled up", 2, 16, method::table, shownumbers_spot, 0, 0.5f},
        {"ring v2 of 15 cells", 2, 15, method::local, shownumbers_spot, 0, 1.0f},
    };
    for (const field_case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint32_t> one_by_one = field_picture(c, false);
        std::vector<uint32_t> batched = field_picture(c, true);
        ASSERT_FALSE(one_by_one.empty());
        size_t drawn = 0;
        for (uint32_t p : one_by_one)
            drawn += p != one_by_one[0];
        EXPECT_GT(drawn, 100u) << "the field drew next to nothing";
        // The prompt box at the top ends with the field's elapsed time,
        // which the clock decides: the pictures are compared below it.
        auto below_prompt = [](std::vector<uint32_t> &pixels) {
            size_t top = static_cast<size_t>(prompt_box_bottom(3) + 1) * static_cast<size_t>(Maxx + 1);
            pixels.erase(pixels.begin(), pixels.begin() + static_cast<long>(std::min(top, pixels.size())));
        };
        below_prompt(one_by_one);
        below_prompt(batched);
        EXPECT_EQ(differences(one_by_one, batched, Maxx + 1), "");
    }
}

} // namespace
