// The 2d and 3d editor typed through the server, opened from the review:
// on a 10 x 10 hexagonal lattice the cursor's centre mark follows the
// arrows, 'n' takes the template marks away and brings them back, 'b' 'a'
// makes the whole lattice the block whose links show until 'g' hides
// them, and 'q' puts the screen back and keeps the lattice hexagonal; on
// a 4 x 4 x 3 lattice '3' draws the 3d frame with the cursor's three red
// lines. Every key is typed once the window waits for it.
#include "editor_screen_support.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <utility>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_templates.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring_editor/editor_network_support.h"
#include "engine/wiring_editor/lattice_editor.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/wiring_editor/editor_2d_3d.h"
#include "ui/wiring_editor/editor_operations.h"
#include "ui/wiring_editor/network_view.h"

namespace {

const std::string kLeft(1, static_cast<char>(kKeyLeft));
const std::string kUp(1, static_cast<char>(kKeyUp));

class LatticeEditor : public EditorScreenTest {
protected:
    static std::vector<unsigned long> samples() { return EditorScreenTest::samples(Maxy); }

    // The cells a 2d block rewires on a regular 10 x 10 lattice, the cursor
    // at (0, 5), the editor's keys typed from its first prompt ('b' and the
    // block's answers, 'r', and out).
    static std::vector<int> rewired_by_2d_block(const std::string &keys);
};

// Centre of cell (i, j)'s mark.
void
mark_centre(const lattice_picture &p, int i, int j, int *x, int *y)
{
    float cx, cy;
    lattice_cell_corner(p, i, j, &cx, &cy);
    float side = p.cell_size - p.gap;
    *x = static_cast<int>(std::lround(cx + side / 2));
    *y = static_cast<int>(std::lround(cy + side / 2));
}

// Every cell wired by the lattice template.
void
wire_regular()
{
    wire_lattice_by_template();
    cell_out_freq();
}

// The 10 x 10 hexagonal lattice of k = 7, wired by its template, of the
// network net holds.
void
hexagonal_lattice()
{
    give_2d(10, 10);
    hex2d = 1;
    regular2d_tgrid = 1;
    nonlocal = 1;
    wire_regular();
}

TEST_F(LatticeEditor, TheCursorBlockAndLinkModesOnAHexagonalLattice)
{
    srandom(1);
    MixNetwork net(2, 100, {7});
    hexagonal_lattice();
    paint_pattern();
    std::vector<unsigned long> before = samples();
    lattice_picture p = editor_2d_3d_picture_now(true);
    // The first cursor: n/2 + width/2 = 55, so (5, 5); left goes to (6, 5)
    // and up to (6, 6).
    int x55, y55, x65, y65, x66, y66;
    mark_centre(p, 5, 5, &x55, &y55);
    mark_centre(p, 6, 5, &x65, &y65);
    mark_centre(p, 6, 6, &x66, &y66);
    // Cell (9, 9)'s mark, far from the cursor: yellow only while the block
    // of the whole lattice shows its links.
    int x99, y99;
    mark_centre(p, 9, 0, &x99, &y99);
    std::vector<unsigned long> seen(16);
    std::string keys = "2\rnnn" + kLeft + kUp + "nnbagqq";
    paced_thread typing = type_keys_looking(keys, [&](size_t i) {
        if (i == 2) // link mode 0
            seen[0] = pixel_seen(x55, y55);
        if (i == 3) // mode 1
            seen[1] = pixel_seen(x55, y55);
        if (i == 5) // mode 3
            seen[2] = pixel_seen(x55, y55);
        if (i == 6) {
            seen[3] = pixel_seen(x55, y55);
            seen[4] = pixel_seen(x65, y65);
        }
        if (i == 7)
            seen[5] = pixel_seen(x66, y66);
        if (i == 8) // mode 4
            seen[6] = pixel_seen(x66, y66);
        if (i == 9) { // mode 0 again
            seen[7] = pixel_seen(x66, y66);
            seen[8] = pixel_seen(x99, y99);
        }
        if (i == 11) // after 'b' 'a': the block's links
            seen[9] = pixel_seen(x99, y99);
        if (i == 12) // after 'g': hidden
            seen[10] = pixel_seen(x99, y99);
    });
    show_w_r_scheme();
    typing.join();
    // In mode 0 the real input that is the cell itself is green over the
    // red centre mark; modes 1 and 3 show the red centre mark, which
    // follows the cursor, its old place keeping a neighbour's yellow mark.
    EXPECT_EQ(seen[0], Color_Table[green]);
    EXPECT_EQ(seen[1], Color_Table[red]);
    EXPECT_EQ(seen[2], Color_Table[red]);
    EXPECT_EQ(seen[3], Color_Table[yellow]);
    EXPECT_EQ(seen[4], Color_Table[red]);
    EXPECT_EQ(seen[5], Color_Table[red]);
    // Lines only, and none departs from the template.
    EXPECT_NE(seen[6], Color_Table[red]);
    EXPECT_NE(seen[6], Color_Table[yellow]);
    EXPECT_NE(seen[6], Color_Table[green]);
    EXPECT_EQ(seen[7], Color_Table[green]);
    EXPECT_NE(seen[9], seen[8]);
    EXPECT_EQ(seen[10], seen[8]);
    EXPECT_EQ(regular2d_tgrid, 1);
    EXPECT_EQ(was_changed, 1);
    EXPECT_EQ(i2d, 10);
    // Above the rule box the screen is as before.
    std::vector<unsigned long> now = samples();
    size_t rows_above = 0;
    for (int y = 0; y < rule_box_top; y += 23)
        rows_above++;
    size_t per_row = (Maxx + 30) / 31;
    now.resize(rows_above * per_row);
    before.resize(rows_above * per_row);
    EXPECT_EQ(now, before);
}

TEST_F(LatticeEditor, TheThreeDFrameMarksTheCursorWithRedLines)
{
    srandom(2);
    MixNetwork net(2, 48, {7});
    give_3d(4, 4, 3);
    for (int c = 0; c < 48; c++)
        for (int p = 0; p < 7; p++) {
            pndood_2or3(3, static_cast<uint16_t>(c), p);
            wiring[c][p] = poss_n;
        }
    cell_out_freq();
    regular3d = 1;
    lattice_picture p = editor_2d_3d_picture_now(true);
    // The cursor: 24 + 2 = 26: i 2, j3 2, h 1. Its line along i starts at
    // i = 0, two cells away, where no mark of its inputs covers it.
    float ax, ay;
    frame_cell_point(p, 0, 2, 1, &ax, &ay);
    int mx = static_cast<int>(ax), my = static_cast<int>(ay);
    unsigned long line_pixel = 0, after = 0;
    paced_thread typing = type_keys_looking("3\rqq", [&](size_t i) {
        if (i == 2)
            line_pixel = pixel_seen(mx, my);
        if (i == 3)
            after = pixel_seen(mx, my);
    });
    show_w_r_scheme();
    typing.join();
    EXPECT_EQ(line_pixel, Color_Table[red]);
    EXPECT_NE(after, Color_Table[red]);
    EXPECT_EQ(i2d, 4);
    EXPECT_EQ(j2d, 12);
}

std::vector<int>
LatticeEditor::rewired_by_2d_block(const std::string &keys)
{
    srandom(3);
    MixNetwork net(2, 100, {5});
    give_2d(10, 10);
    nonlocal = 1;
    zonesize = 100;
    wire_regular();
    network_copy before = copy_network();
    paced_thread typing = type_keys_paced(keys);
    show_w_r_scheme();
    typing.join();
    return changed_cells(before, copy_network());
}

// A 2d block asked with Return at every entry is the single cell (0,
// cursor j): the next 'r' rewires cell 50 alone.
TEST_F(LatticeEditor, A2dBlockOfDefaultsIsTheFirstCellOfTheCursorsRow)
{
    EXPECT_EQ(rewired_by_2d_block("2\rb2\r\r\r\rrqq"), std::vector<int>{50});
}

// Typed corners are taken where they lie inside the lattice and held to
// it outside: low (2, 12 held at 9), high (3, 9) is the block of cells 92
// and 93, and 'r' rewires those alone.
TEST_F(LatticeEditor, A2dBlockTakesTypedCornersAndHoldsOneOutside)
{
    EXPECT_EQ(rewired_by_2d_block("2\rb22\r12\r3\r9\rrqq"), (std::vector<int>{92, 93}));
}

// A 3d block ('3' echoed at its prompt) asked with Return everywhere is
// the cursor's layer (h = 1 of 4 x 4 x 3): 'r' rewires cells 16..31 and no
// other.
TEST_F(LatticeEditor, A3dBlockOfDefaultsIsTheCursorsLayer)
{
    srandom(4);
    MixNetwork net(2, 48, {7});
    give_3d(4, 4, 3);
    zonesize = 4;
    wire_each_cell_to_itself();
    cell_out_freq();
    network_copy before = copy_network();
    // The block prompt's key is echoed after its question: the question's
    // first line reaches further right once '3' is typed.
    auto line_end = [] {
        int end = -1, left = prompt_box_left(Maxx);
        std::vector<unsigned long> row = pixels_seen(left, 4, Maxx - 3 - left, CHeight - 4);
        for (size_t p = 0; p < row.size(); p++)
            if (row[p] == Color_Table[white])
                end = std::max(end, left + static_cast<int>(p % static_cast<size_t>(Maxx - 3 - left)));
        return end;
    };
    int asked = -1, echoed = -1;
    paced_thread typing = type_keys_looking("3\rb3\r\r\r\r\r\rrqq", [&](size_t i) {
        if (i == 3)
            asked = line_end();
        if (i == 4)
            echoed = line_end();
    });
    show_w_r_scheme();
    typing.join();
    EXPECT_GT(echoed, asked + 2) << "the block prompt's key is not echoed";
    std::vector<int> layer;
    for (int c = 16; c < 32; c++)
        layer.push_back(c);
    EXPECT_EQ(changed_cells(before, copy_network()), layer);
}

// A kill leaves the cursor cell k = 1, whose rule box has two lines where
// the box of k = 7 before it had three across the window: nothing of the
// old box (its first line, frame and right end) stays around the new one.
TEST_F(LatticeEditor, ReadoutAfterAKillStaysInsideItsBox)
{
    srandom(1);
    MixNetwork net(2, 100, {7});
    hexagonal_lattice();
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    int left_over = -1, top_before = 0, top_after = 0;
    paced_thread typing = type_keys_looking("2\rKqq", [&](size_t i) {
        if (i == 2)
            top_before = rule_box_top;
        if (i != 3)
            return;
        top_after = rule_box_top;
        left_over = 0;
        for (unsigned long pixel : pixels_seen(0, top_before, Maxx, top_after - 1 - top_before))
            left_over += pixel != Color_Table[black];
    });
    show_w_r_scheme();
    typing.join();
    EXPECT_LT(top_before, top_after) << "the box did not shrink";
    EXPECT_EQ(left_over, 0) << "pixels of the old rule box above the new one";
}

// Over a set-up text column the lattice editor's region cuts no line: the
// ink of each line lies wholly above the region's top edge or under it.
TEST_F(LatticeEditor, TheRegionStaysInsideWholeLines)
{
    srandom(2);
    MixNetwork net(2, 100, {7});
    hexagonal_lattice();
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    std::vector<std::pair<int, int>> ink = write_setup_lines(vgay(330));
    int top = -1;
    // The region's frame down a column inside it, left of the text.
    paced_thread typing = type_keys_looking("2\rqq", [&](size_t i) {
        if (i == 2)
            top = region_top(vgax(20));
    });
    show_w_r_scheme();
    typing.join();
    expect_lines_whole(ink, top);
}

// On a 20 x 20 square lattice of k = 13 the cursor cell's information
// line (thirteen inputs as places) is wider than its strip in the normal font: it
// is written whole inside the region, ending short of its right edge
// rather than cut there.
TEST_F(LatticeEditor, TheInformationLineStaysInsideTheRegion)
{
    srandom(3);
    MixNetwork net(2, 400, {13});
    give_2d(20, 20);
    nonlocal = 1;
    wire_regular();
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    int bottom = -1, right = -1, ink_at_edge = -1;
    paced_thread typing = type_keys_looking("2\rqq", [&](size_t i) {
        if (i != 2)
            return;
        // The region's lower frame, up the column just inside its left
        // edge; its right frame along the row above.
        const int x = vgax(2) + 3;
        for (int y = rule_box_top - 1; y > 0 && bottom < 0; y--)
            if (pixel_seen(x, y) == Color_Table[lightred])
                bottom = y;
        for (int xr = Maxx - 1; xr > x && right < 0 && bottom > 0; xr--)
            if (pixel_seen(xr, bottom - 1) == Color_Table[lightred])
                right = xr;
        if (bottom < 0 || right < 0)
            return;
        ink_at_edge = 0;
        const int band = vgay(17);
        for (unsigned long pixel : pixels_seen(right - CWidth, bottom - band, CWidth - 2, band - 1))
            ink_at_edge += pixel == Color_Table[white];
    });
    show_w_r_scheme();
    typing.join();
    ASSERT_GT(bottom, 0);
    ASSERT_GT(right, 0);
    EXPECT_EQ(ink_at_edge, 0) << "the information line runs to the region's right edge";
}

// The six-line prompt and the hand-rewire box stand over the right ends
// of the set-up column's first lines: those lines are hidden whole while
// the editor is up, not cut at the box's left edge.
TEST_F(LatticeEditor, TheSetUpLinesUnderThePromptAreHiddenWhole)
{
    srandom(2);
    MixNetwork net(2, 100, {7});
    hexagonal_lattice();
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    std::vector<std::pair<int, int>> ink = write_setup_lines(vgay(330));
    int cut_by_prompt = -1, cut_by_hand_box = -1;
    paced_thread typing = type_keys_looking("2\rhqqq", [&](size_t i) {
        if (i == 2)
            cut_by_prompt = lines_cut_above(ink, prompt_box_bottom(kEditorPromptLines));
        if (i == 3)
            cut_by_hand_box = lines_cut_above(ink, prompt_box_bottom(5));
    });
    show_w_r_scheme();
    typing.join();
    ASSERT_FALSE(ink.empty());
    EXPECT_EQ(cut_by_prompt, 0) << "set-up lines cut by the editor's prompt box";
    EXPECT_EQ(cut_by_hand_box, 0) << "set-up lines cut by the hand-rewire box";
}

} // namespace
