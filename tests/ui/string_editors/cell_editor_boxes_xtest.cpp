// The cell editor's boxes at the top right of the window, on a 3d state
// opened from the seed window: the inset box with the cursor's index holds
// its whole text and stands on a line of the key help's box that the help
// leaves to it; the file menu takes the help's box whole while it waits and
// gives it back as it was.
#include "support/x_test_fixture.h"

#include <cstdio>
#include <string>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "ui/model/cell_display.h"
#include "ui/model/globals.h"
#include "ui/screen/box_places.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/string_editors/globals.h"
#include "ui/string_editors/seed_dialog.h"

namespace {

class CellEditorBoxes : public ScreenTest {
protected:
    // The prompt box's columns, from its left frame to the window's edge,
    // down to row `rows`, as the window shows them now.
    struct Region {
        int x0, w;
        std::vector<unsigned long> pixels;
        unsigned long at(int x, int y) const
        {
            return pixels[static_cast<size_t>(y) * static_cast<size_t>(w) +
                          static_cast<size_t>(x - x0)];
        }
    };
    static Region prompt_region(int rows)
    {
        int x0 = prompt_box_left(Maxx);
        return {x0, Maxx + 1 - x0, pixels_seen(x0, 0, Maxx + 1 - x0, rows)};
    }
    // Text pixels of the region in columns x0..x1, rows y0..y1: neither the
    // background nor a box's frame.
    static int text_pixels(const Region &r, int x0, int x1, int y0, int y1)
    {
        int count = 0;
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++) {
                unsigned long p = r.at(x, y);
                count += p != Color_Table[black] && p != Color_Table[lightred] &&
                         p != Color_Table[red];
            }
        return count;
    }
};

struct ValueColours {
    ValueColours() { setup_value_colors(1); }
    ~ValueColours()
    {
        checked_free(color_v);
        color_v = nullptr;
    }
};

TEST_F(CellEditorBoxes, IndexBoxHoldsItsTextAndTheFileMenuTakesTheHelpBoxWhole)
{
    TestNetwork net(2, 3, 3, 2, 2, 5);
    ValueColours colours;
    memset(bitseed, 0, bytesL);
    moveto(40, 300);
    const int rows = 12 * CHeight;
    Region help, menu, back;
    int help_bottom = -1, inset_left = -1;
    std::string index_text;
    // Keys: bits on the 3d grid, the file menu and out of it, the state
    // accepted and the seed window's last prompt ('F' takes two waits, one
    // for its Shift).
    paced_thread keys = type_keys_looking("b\rFq\r\r", [&](size_t i) {
        if (i == 2) {
            help = prompt_region(rows);
            // The cursor starts on the last cell; the editor's rotation step
            // starts at 1.
            int index = static_cast<int>(lineL) - 1;
            char text[96];
            snprintf(text, sizeof text, "3d index ijh=%dx%dx%d, scale=%d rot=%d", index % i3d,
                     (index % (i3d * j3d)) / i3d, index / (i3d * j3d), cellscale, rot_size);
            index_text = text;
        } else if (i == 3) {
            menu = prompt_region(rows);
        } else if (i == 4) {
            back = prompt_region(rows);
        }
    });
    select_seed(0, bitseed, "SEED", 1);
    keys.join();
    ASSERT_FALSE(help.pixels.empty() || menu.pixels.empty() || back.pixels.empty());
    const unsigned long frame = Color_Table[lightred], box = Color_Table[red];
    // The help box's last row: its frame across the column next to its left.
    for (int y = 4; y < rows && help_bottom < 0; y++)
        if (help.at(help.x0 + 5, y) == box)
            help_bottom = y;
    ASSERT_GT(help_bottom, 4 * CHeight) << "no help box of several lines";
    // The inset box: its top frame (over the prompt box's) run left from
    // the window's edge.
    const int inset_bottom = CHeight + 4;
    for (int x = Maxx - 2; x > help.x0 && help.at(x, 2) == frame; x--)
        inset_left = x;
    ASSERT_GT(inset_left, help.x0) << "no inset box";
    EXPECT_LE(inset_left + 3 + text_pixel_width(index_text.c_str(),
                                                static_cast<int>(index_text.size())),
              Maxx - 2)
        << "the index runs past its box: " << index_text;
    EXPECT_EQ(text_pixels(help, prompt_box_text(Maxx), inset_left - 2, 3, inset_bottom - 1), 0)
        << "a line of the help under the inset box";
    // The file menu's two lines, and nothing of the help below them (and
    // below the cursor block after them) down to the help box's bottom,
    // where the menu's box ends.
    EXPECT_GT(text_pixels(menu, prompt_box_text(Maxx), Maxx - 4, 3, 2 * CHeight + 4), 0)
        << "no file menu";
    EXPECT_EQ(text_pixels(menu, prompt_box_text(Maxx), Maxx - 4, 2 * CHeight + 12,
                           help_bottom - 1),
              0)
        << "lines of the help left under the file menu";
    EXPECT_EQ(menu.at(menu.x0 + 5, help_bottom), box) << "the menu's box is not the help's";
    EXPECT_TRUE(back.pixels == help.pixels) << "the help box not given back as it was";
}

} // namespace
