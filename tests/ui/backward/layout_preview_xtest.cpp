// The basin layout preview over the set-up text: a line of the text column
// that the preview's lower edge crosses is hidden whole while the preview
// is up (not its upper half), and shown again whole once the dialog is
// left; the preview's "basin layout preview" label stands clear of its
// "y=-100" label whatever the centre.
#include "basin_settings_support.h"

#include <string>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "ui/backward/layout_settings.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"

namespace {

class LayoutPreview : public BasinSettingsTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped())
            return;
        set_up_ring(10);
        clear_drawing_area();
    }
    void TearDown() override
    {
        BasinSettingsTest::TearDown();
        clear_drawing_area();
    }
};

// Pixels other than background among pixels.
int
marked_in(const std::vector<unsigned long> &pixels, unsigned long background)
{
    int n = 0;
    for (unsigned long p : pixels)
        n += p != background;
    return n;
}

TEST_F(LayoutPreview, LineUnderTheLowerEdgeHiddenWholeThenPutBackStaysInside)
{
    // A set-up line whose glyphs the preview's lower edge crosses halfway.
    int x = vgax(50), top = Maxy / 2 - CHeight / 2;
    setcolor(white);
    moveto(x, top);
    outtext("Select v2 k3 rule, empty-e fill-f maj-m printxterm-x Alt-A chain-c");
    XSync(D, False);
    unsigned long background = pixel_seen(Maxx - 5, Maxy - 5 * CHeight);
    int right = Maxx / 2 - vgax(4);
    std::vector<unsigned long> line_before = pixels_seen(x, top, right - x, CHeight + 2);
    ASSERT_GT(marked_in(line_before, background), 0);
    int below_edge = -1, frame_in_label_band = -1;
    accept_from = accept_from_layout;
    paced_thread keys = type_keys_looking("q", [&](size_t) {
        screenshot("layout_preview");
        below_edge =
            marked_in(pixels_seen(x, Maxy / 2 + 1, right - x, CHeight), background);
        // Across the middle of the "y=-100" label's band, inside that label
        // and a gap right of it: no other label's frame (the preview's frame
        // colour) but its own right edge.
        int bottom = Maxy / 2, cx = fox / 2;
        int w = text_pixel_width("y=-100", 6) + vgax(4), h = CHeight + vgay(6);
        unsigned long frame = pixel_seen(right, bottom - 1);
        int from = cx + 4, own_edge = cx + 3 + w;
        std::vector<unsigned long> row = pixels_seen(from, bottom - 3 - h / 2, w + 3, 1);
        frame_in_label_band = 0;
        for (size_t i = 0; i < row.size(); i++)
            frame_in_label_band += row[i] == frame && from + static_cast<int>(i) != own_edge;
    });
    setup_plot();
    keys.join();
    XSync(D, False);
    screenshot("layout_preview_after");
    EXPECT_EQ(below_edge, 0) << "the lower half of the line shows under the preview";
    EXPECT_EQ(frame_in_label_band, 0) << "a label beside \"y=-100\"";
    EXPECT_EQ(pixels_seen(x, top, right - x, CHeight + 2), line_before)
        << "the line is not put back whole";
}

} // namespace
