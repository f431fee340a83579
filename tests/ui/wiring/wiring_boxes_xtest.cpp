// The wiring dialogs' prompt boxes on the screen, typed through the server:
// every question of the bias dialog (ring and cube), of the lattice sides
// and of the hypercube's line, the listing's jump prompt and the hand
// matrix's help stay inside their box with their answers, and the bias
// dialog's status box puts back what it covered. They run on the 1280x1024
// screen and again on a 1024x768 one (tests/CMakeLists.txt).
#include "support/x_test_fixture.h"

#include <string>
#include <thread>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/wiring/wiring_test_support.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/wiring/hand_matrix.h"
#include "ui/wiring/random_wiring.h"
#include "ui/wiring/wiring_listing.h"
#include "ui/wiring/wiring_menu.h"

namespace {

// What the window showed at one wait of a dialog: where the entry's cursor
// block stood, the last row of the prompt box's frame, and whether anything
// was drawn right of the box's frame.
struct wait_view {
    int x, y, box_bottom;
    bool past_box;
};

class WiringBoxes : public ScreenTest {
protected:
    // Each test starts on a cleared drawing area: nothing an earlier one
    // left right of the box.
    void SetUp() override
    {
        ScreenTest::SetUp();
        clear_drawing_area();
    }

    void TearDown() override
    {
        free_network();
        hyper_prob = 100;
        reset_wiring_biases();
        oned = 1;
        twod = threed = 0;
    }

    // Read on the typing thread while the window waits for a key.
    static wait_view
    view_now()
    {
        wait_view view = {getx, gety, 0, false};
        const int right = box_right_edge(Maxx);
        for (unsigned long pixel : pixels_seen(right + 1, 0, Maxx - right, Maxy / 2))
            if (pixel != Color_Table[black])
                view.past_box = true;
        // The box's left frame, down from its top row.
        std::vector<unsigned long> frame = pixels_seen(prompt_box_left(Maxx), 0, 1, Maxy / 2);
        view.box_bottom = 2;
        while (view.box_bottom + 1 < static_cast<int>(frame.size()) &&
               frame[static_cast<size_t>(view.box_bottom) + 1] == Color_Table[red])
            view.box_bottom++;
        return view;
    }

    // Types keys into a dialog run by `dialog`, looking at every wait.
    template <typename Dialog>
    static std::vector<wait_view>
    views_of(const std::string &keys, Dialog dialog)
    {
        std::vector<wait_view> views;
        paced_thread typist = type_keys_looking(keys, [&](size_t) { views.push_back(view_now()); });
        dialog();
        typist.join();
        return views;
    }

    // Every wait's cursor block (CWidth wide, lifted by the wait, half a
    // line high) inside the prompt box, and nothing right of the box.
    static void
    expect_inside_box(const std::vector<wait_view> &views, size_t waits)
    {
        ASSERT_EQ(views.size(), waits);
        for (size_t i = 0; i < views.size(); i++) {
            const wait_view &v = views[i];
            EXPECT_FALSE(v.past_box) << "wait " << i << ": drawn right of the box";
            EXPECT_LE(v.x + CWidth, box_right_edge(Maxx)) << "wait " << i << ": cursor past the box";
            EXPECT_LT(v.y + CHeight / 2, v.box_bottom) << "wait " << i << ": cursor below the box";
        }
    }
};

TEST_F(WiringBoxes, BiasDialogOnARingFitsItsBox)
{
    make_ring(60, 3);
    zonesize = 60;
    // The zone at its longest (two digits), CA, release, boundary, self,
    // distinct, same wiring.
    const std::string keys = "60\rc\r2\rs\r2\rn\re\r";
    std::vector<wait_view> views = views_of(keys, [] { bias_random_wiring(); });
    expect_inside_box(views, keys.size());
    EXPECT_EQ(zonesize, 60);
    EXPECT_EQ(ca_bias, 1);
    EXPECT_EQ(same_wiring, 1);
}

TEST_F(WiringBoxes, BiasDialogOnACubeFitsItsBox)
{
    make_3d(3, 3, 5, 5);
    zonesize = 3;
    // Zone, CA, release, the three boundary keys, self, distinct, the two
    // layer ranges (two digits each), direct link, no quotas, same wiring.
    const std::string keys = "3\rc\r2\rs\rs\rs\r2\rn\r1\r2\r3\r4\r1\r\re\r";
    std::vector<wait_view> views = views_of(keys, [] { bias_random_wiring(); });
    expect_inside_box(views, keys.size());
    EXPECT_EQ(sup_3d_layers[3], 4);
    EXPECT_EQ(direct_3d_link_layer, 1);
    EXPECT_EQ(same_wiring, 1);
}

TEST_F(WiringBoxes, BiasDialogPutsBackWhatItsStatusBoxCovered)
{
    make_ring(20, 3);
    zonesize = 20;
    // A status box already there, over a drawing that reaches into the
    // strip above the prompt box's place.
    setfillstyle(0, lightblue);
    bar(0, 0, Maxx - 2, prompt_box_bottom(1) + 1);
    status_box_title("status under the dialog", yellow);
    const int x0 = memory_box_left(Maxx), w = prompt_box_left(Maxx) - x0;
    const int h = prompt_box_bottom(1) + 2;
    window_pixel(0, 0); // the drawing done before it is read
    std::vector<unsigned long> before = pixels_seen(x0, 0, w, h);
    std::vector<wait_view> views = views_of("d\r", [] { bias_random_wiring(); });
    ASSERT_EQ(views.size(), 2u);
    window_pixel(0, 0);
    std::vector<unsigned long> after = pixels_seen(x0, 0, w, h);
    ASSERT_EQ(before.size(), after.size());
    size_t changed = 0;
    for (size_t i = 0; i < before.size(); i++)
        changed += before[i] != after[i];
    EXPECT_EQ(changed, 0u) << "of " << before.size() << " pixels of the status strip";
    erase_memory_box();
}

TEST_F(WiringBoxes, LatticeSidesFitTheirBox)
{
    make_ring(60, 3);
    basinfield = 0;
    // Regular 3d, not forward only, each side at its longest: 100 cubed is
    // refused, the sides are asked again and 'q' steps back to the menu,
    // and out.
    const std::string keys = "3\r\r100\r100\r100\r\rqq";
    std::vector<wait_view> views = views_of(keys, [] { select_wiring_options(); });
    // The menu's and forward-only question's waits come before the sides'.
    expect_inside_box(views, keys.size());
    EXPECT_EQ(is[0], 'q');
}

TEST_F(WiringBoxes, HypercubeProbabilityFitsItsBox)
{
    make_ring(16, 4);
    basinfield = 0;
    // The special route, the hypercube and its probability.
    const std::string keys = "s\rh\r50\r";
    std::vector<wait_view> views = views_of(keys, [] { select_wiring_options(); });
    expect_inside_box(views, keys.size());
    EXPECT_EQ(hyper_prob, 50);
}

TEST_F(WiringBoxes, ListingJumpPromptFitsItsBox)
{
    make_ring(10000, 2);
    for (int c = 0; c < 10000; c++)
        wiring[c][0] = wiring[c][1] = 0;
    // The jump entry at its longest, then out.
    const std::string keys = "9999\rq";
    std::vector<wait_view> views = views_of(keys, [] { print_wiring_scheme(0, 0, 0, 9999, 0); });
    expect_inside_box(views, keys.size());
}

// A row of the listing, cell 4 of a 20-cell ring of five inputs: a blank
// at least as wide as the least between two inputs' columns stands between
// the row's label "4:" and its first input (they touched, "4:6 5 4 3 2").
TEST_F(WiringBoxes, ListingRowLabelStandsApartFromItsFirstInput)
{
    make_ring(20, 5);
    for (int c = 0; c < 20; c++)
        for (int p = 0; p < 5; p++)
            wiring[c][p] = static_cast<uint16_t>((c + p) % 20);
    print_wiring_scheme(0, 0, 1, 19, 0);
    const int x0 = Maxx / 2 + vgax(100), y = listing_first_row(listing_top(0)) + (19 - 4) * CHeight;
    const int reach = 3 * CWidth;
    window_pixel(0, 0); // the drawing done before it is read
    screenshot("wiring_listing_" + std::to_string(Maxx + 1));
    std::vector<unsigned long> row = pixels_seen(x0 - reach, y, 2 * reach, CHeight);
    int label_end = -1, input_start = -1;
    for (int column = 0; column < 2 * reach; column++)
        for (int r = 0; r < CHeight; r++) {
            bool ink = row[static_cast<size_t>(r * 2 * reach + column)] != Color_Table[black];
            if (ink && column < reach)
                label_end = column;
            if (ink && column >= reach && input_start < 0)
                input_start = column;
        }
    ASSERT_GE(label_end, 0) << "no label";
    ASSERT_GE(input_start, 0) << "no input";
    EXPECT_GE(input_start - label_end - 1, vgax(3)) << "the label touches the first input";
}

// A line of the text column that the listing's own window reaches into
// (the rule dialog's under the network view) is hidden whole while the
// window is up, not shown cut at its left edge, and shown again after it.
TEST_F(WiringBoxes, ListingHidesTheLinesItReachesIntoWhole)
{
    make_ring(10, 3);
    for (int c = 0; c < 10; c++)
        for (int p = 0; p < 3; p++)
            wiring[c][p] = static_cast<uint16_t>((c + 9 + p) % 10);
    clear_drawing_area();
    const int y = listing_top(0) + 4 * CHeight;
    std::string line = "Select v2 k3 rule,";
    while (text_pixel_width(line.c_str(), static_cast<int>(line.size())) < Maxx / 2)
        line += " empty-e fill-f";
    setcolor(white);
    moveto(vgax(30), y);
    outtext(line.c_str());
    const std::vector<uint32_t> before = window_now();
    int shown_left = -1;
    paced_thread typist = type_keys_looking("q", [&](size_t) {
        shown_left = 0;
        for (unsigned long p : pixels_seen(0, y, Maxx / 2 - 2, CHeight))
            shown_left += p != Color_Table[black];
    });
    print_wiring_scheme(0, 0, 0, -1, 0);
    typist.join();
    EXPECT_EQ(shown_left, 0) << "the line is shown cut at the window's left edge";
    EXPECT_TRUE(window_now() == before) << "the screen is not as it was after the window";
}

TEST_F(WiringBoxes, HandMatrixHelpFitsItsBox)
{
    make_ring(20000, 1);
    std::vector<wait_view> views = views_of("q", [] { wiring_matrix(); });
    ASSERT_EQ(views.size(), 1u);
    EXPECT_FALSE(views[0].past_box);
}

// The matrix's listing starts below its help box, whose last line it cut
// through where the box reaches below the listing's usual top (three lines
// on either screen).
TEST_F(WiringBoxes, HandMatrixListingStartsBelowItsHelp)
{
    make_ring(100, 3);
    int box_bottom = 0, listing_top_row = -1;
    paced_thread typist = type_keys_looking("q", [&](size_t) {
        box_bottom = view_now().box_bottom;
        // The listing's frame, lightred, down a column inside both boxes.
        std::vector<unsigned long> column = pixels_seen(Maxx * 3 / 4, 0, 1, Maxy / 2);
        for (size_t y = 0; y < column.size() && listing_top_row < 0; y++)
            if (column[y] == Color_Table[lightred])
                listing_top_row = static_cast<int>(y);
    });
    wiring_matrix();
    typist.join();
    ASSERT_GT(box_bottom, vgay(40)) << "the help box does not reach the listing's usual top";
    EXPECT_GT(listing_top_row, box_bottom) << "the listing's frame cuts the help box";
}

} // namespace
