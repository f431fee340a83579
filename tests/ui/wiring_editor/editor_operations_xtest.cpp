// The key operations both wiring editors share, typed through the server:
// the same block and key in the 1d and in the 2d/3d editor give the same
// wiring change on the same cells; the out-degrees either editor shows
// after a hand rewire and after a biased rewire are those of the wiring;
// and both regions keep the rule box's place free.
#include "editor_screen_support.h"

#include <string>
#include <vector>

#include "engine/wiring/out_degrees.h"
#include "engine/wiring_editor/editor_network_support.h"
#include "ui/wiring_editor/editor_1d.h"
#include "ui/screen/window.h"
#include "ui/wiring_editor/editor_2d_3d.h"

namespace {

class EditorOperations : public EditorScreenTest {
protected:
    // Runs one editor over the wiring of every cell to itself, from one
    // seed, typing keys; returns the network it leaves.
    static network_copy after_keys(bool lattice_editor, const std::string &keys)
    {
        wire_each_cell_to_itself();
        cell_out_freq();
        srandom(11);
        paced_thread typing = type_keys_paced(keys);
        if (lattice_editor)
            show_graphic_wiring_2d_3d(true);
        else
            show_graphic_wiring_1d(layout_time_step, true);
        typing.join();
        return copy_network();
    }
};

// A 1d network of 20 cells: both editors mark the block 7..9 ('b', '1',
// low, high); 'r' (random), 'R' (k-weighted), '1' (local 1d) and 'k' with
// a new k change cells 7, 8 and 9 alike in both, and no other.
TEST_F(EditorOperations, TheSameKeyInBothEditorsChangesTheSameCellsAlike)
{
    srandom(1);
    MixNetwork net(2, 20, {3});
    zonesize = 20;
    const std::string block = "b17\r9\r";
    for (std::string key : {"r", "R", "1", "k2\r"}) {
        network_copy line = after_keys(false, block + key + "q");
        std::vector<int> line_ks(nhoodm, nhoodm + 20);
        for (int c = 0; c < 20; c++)
            nhoodm[c] = 3;
        network_copy lattice = after_keys(true, block + key + "q");
        std::vector<int> lattice_ks(nhoodm, nhoodm + 20);
        for (int c = 0; c < 20; c++)
            nhoodm[c] = 3;
        nhood_mixed = 0;
        EXPECT_EQ(line.inputs, lattice.inputs) << key;
        EXPECT_EQ(line_ks, lattice_ks) << key;
        wire_each_cell_to_itself();
        cell_out_freq();
        EXPECT_EQ(changed_cells(copy_network(), line), (std::vector<int>{7, 8, 9})) << key;
    }
    zonesize = 1;
}

// In each editor on a 6 x 5 lattice: a hand rewire gives input 4 of the
// cursor cell cell 0; at the next key the out-degrees are counted anew.
// Then the bias dialog (a zone of 3, then "same wiring everywhere") changes
// no wiring; the random rewire after it gives every cell the pattern of
// one draw, and the counts follow it too.
TEST_F(EditorOperations, TheOutDegreesShownFollowAHandAndABiasedRewire)
{
    srandom(2);
    MixNetwork net(2, 30, {5});
    lattice_guard guard;
    give_2d(6, 5);
    nonlocal = 1;
    // The bias dialog of a 2d lattice: zone, CA, escapes, no wrap along i
    // and j, self wiring, distinct, same wiring.
    const std::string bias = "s3\r\r\r\r\r\r\re\r";
    const std::string keys = "h0\rq" + bias + "rq";
    for (bool lattice_editor : {false, true}) {
        wire_each_cell_to_itself();
        cell_out_freq();
        network_copy start = copy_network();
        bool after_hand = false, bias_kept_wiring = false, after_rewire = false;
        network_copy after_bias;
        paced_thread typing = type_keys_looking(keys, [&](size_t i) {
            if (i == 4) // the editor's wait after the hand rewire
                after_hand = counts_match_wiring() && celloutfreq[0] == 6;
            if (i == 4 + bias.size()) { // after the bias dialog
                after_bias = copy_network();
                bias_kept_wiring = counts_match_wiring();
            }
            if (i == keys.size() - 1) // after the rewire
                after_rewire = counts_match_wiring();
        });
        if (lattice_editor)
            show_graphic_wiring_2d_3d(true);
        else
            show_graphic_wiring_1d(layout_time_step, true);
        typing.join();
        EXPECT_TRUE(after_hand) << lattice_editor;
        EXPECT_EQ(changed_cells(start, after_bias).size(), 1u) << lattice_editor;
        EXPECT_TRUE(bias_kept_wiring) << lattice_editor;
        EXPECT_TRUE(after_rewire) << lattice_editor;
        EXPECT_EQ(same_wiring, 0);
        // One pattern everywhere: each cell's inputs lie at the same
        // offsets on the lattice as cell 0's.
        for (int c = 0; c < 30; c++)
            for (int p = 0; p < 5; p++) {
                int di = (wiring[c][p] % 6 - c % 6 + 6) % 6, dj = (wiring[c][p] / 6 - c / 6 + 5) % 5;
                EXPECT_EQ(di, wiring[0][p] % 6) << c << " " << p;
                EXPECT_EQ(dj, wiring[0][p] / 6) << c << " " << p;
            }
    }
    zonesize = 1;
}

// Before either editor has shown a rule, the rule box's place is kept
// free: each drawing region ends above the rule box at its tallest.
TEST_F(EditorOperations, BothRegionsEndAboveTheRuleBox)
{
    srandom(3);
    MixNetwork net(2, 60, {3});
    rule_box_top = 0;
    int tallest_box_top = Maxy - 3 * CHeight - 2;
    for (int layout : {layout_time_step, layout_circle})
        EXPECT_LT(editor_1d_layout_now(layout, true).y1, tallest_box_top) << layout;
    lattice_guard guard;
    give_2d(12, 5);
    lattice_picture p = editor_2d_3d_picture_now(true);
    EXPECT_LT(p.start_base + vgay(40), tallest_box_top);
}

} // namespace
