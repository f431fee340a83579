// The wiring dialogs typed through the server: the hand wiring matrix, the
// bias and quota dialogs, the wiring listing's copy to standard error and
// the hypercube report.
#include "support/x_test_fixture.h"

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/wiring/wiring_test_support.h"
#include "ui/screen/globals.h"
#include "ui/wiring/hand_matrix.h"
#include "ui/wiring/hypercube.h"
#include "ui/wiring/random_wiring.h"
#include "ui/wiring/wiring_listing.h"
#include "ui/wiring/wiring_menu.h"

namespace {

class WiringDialogs : public ScreenTest {
protected:
    // The bias dialog's status box polls once for a pending key and drops
    // it, as it does inside long computations: a key typed ahead of the
    // dialog goes first to be dropped.
    static void type_ahead_of_bias_dialog(const std::string &keys) { type_keys("x" + keys); }

    void TearDown() override
    {
        free_network();
        hyper_prob = 100;
        reset_wiring_biases();
    }
};

TEST_F(WiringDialogs, QuittingTheMatrixAtOnceWiresEveryInputToCellZero)
{
    make_ring(20, 3);
    type_keys("q");
    wiring_matrix();
    for (int c = 0; c < 20; c++)
        EXPECT_EQ(row(c), (std::vector<int>{0, 0, 0})) << c;
    EXPECT_EQ(celloutfreq[0], 60);
}

TEST_F(WiringDialogs, MatrixStoresTypedCellsRefusesLargeOnesAndDrawsOnReturn)
{
    make_ring(20, 3);
    // Cell 19, positions 2, 1, 0: 7, then 25 (refused: the box stays empty
    // and the cursor moves on), then Return on the empty box (a random cell).
    srandom(5);
    type_keys("7\r25\r\rq");
    wiring_matrix();
    EXPECT_EQ(wiring[19][2], 7);
    EXPECT_EQ(wiring[19][1], 0); // left empty, then filled with 0 at the end
    srandom(5);
    EXPECT_EQ(wiring[19][0], random() % 20);
    EXPECT_EQ(row(18), (std::vector<int>{0, 0, 0}));
}

// 'j' inks below the digits, past the box's frame: it is not shown in the
// box, and is the jump command all the same.
TEST_F(WiringDialogs, MatrixTakesTheJumpKeyItDoesNotShowInTheBox)
{
    make_ring(20, 3);
    type_keys("j\r3\r5\rq");
    wiring_matrix();
    EXPECT_EQ(wiring[3][2], 5);
    EXPECT_EQ(wiring[19][2], 0); // passed over by the jump, filled with 0
}

// A character typed unseen and taken back leaves the box as it was: the
// number typed after it is shown and stored.
TEST_F(WiringDialogs, MatrixTakesBackAnUnshownKeyBeforeANumber)
{
    make_ring(20, 3);
    type_keys("yy\b\b7\rq");
    wiring_matrix();
    EXPECT_EQ(wiring[19][2], 7);
}

TEST_F(WiringDialogs, MatrixSkipsPositionsAboveEachCellsK)
{
    make_ring(6, 3);
    nhoodm[5] = 1;
    // Cell 5 has one box; the next answer lands on cell 4's leftmost box.
    type_keys("3\r4\rq");
    wiring_matrix();
    EXPECT_EQ(wiring[5][0], 3);
    EXPECT_EQ(wiring[5][1], Maxu);
    EXPECT_EQ(wiring[4][2], 4);
}

TEST_F(WiringDialogs, BiasDialogAcceptsDefaultsWithD)
{
    make_ring(20, 3);
    zonesize = 20;
    escape_wires = 3;
    type_ahead_of_bias_dialog("8\r\r2\rd\r");
    bias_random_wiring();
    EXPECT_EQ(zonesize, 8);
    EXPECT_EQ(escape_wires, 2);
    EXPECT_EQ(is[0], 0);
    EXPECT_EQ(ib, 0);
}

TEST_F(WiringDialogs, BiasDialogWalksEveryRingQuestion)
{
    make_ring(20, 3);
    // zone 99 (held at the largest), CA, 1 escape, boundary, no
    // self-wiring, distinct, same wiring.
    type_ahead_of_bias_dialog("99\rc\r1\rs\r2\rn\re\r");
    bias_random_wiring();
    EXPECT_EQ(zonesize, 20);
    EXPECT_EQ(ca_bias, 1);
    EXPECT_EQ(escape_wires, 1);
    EXPECT_EQ(ib, 1);
    EXPECT_EQ(fixmidwire, fixmidwire_no_self);
    EXPECT_EQ(distinct, 1);
    EXPECT_EQ(same_wiring, 1);
    EXPECT_EQ(is[0], 'e');
}

TEST_F(WiringDialogs, BiasDialogStepsBackAndOut)
{
    make_ring(20, 3);
    // 'q' at the CA question goes back to the zone, whose 'q' leaves.
    type_ahead_of_bias_dialog("5\rqq");
    bias_random_wiring();
    EXPECT_EQ(is[0], 'q');
}

TEST_F(WiringDialogs, QuotaDialogOnA3dLattice)
{
    make_3d(3, 3, 4, 5);
    // zone, CA, escapes, three boundary keys, self, distinct, layer ranges
    // (Return x4), direct link (none), then quotas: layer 3 takes 2, layer 2
    // takes 'q' back to layer 3, which takes 1, layer 2 takes 4.
    type_ahead_of_bias_dialog("\r\r\r\r\r\r\r\r\r\r\r\r\ry\r2\rq1\r4\r");
    bias_random_wiring();
    EXPECT_EQ(force_layers_set, 1);
    ASSERT_EQ(force_layer_entries, 4);
    EXPECT_EQ(force_layer[3], 1);
    EXPECT_EQ(force_layer[2], 4);
    EXPECT_EQ(force_layer[1], 0);
    EXPECT_EQ(sup_3d_layers[0], -1);
}

TEST_F(WiringDialogs, ListingCopiesTheTableToStandardError)
{
    make_ring(3, 2);
    for (int c = 0; c < 3; c++) {
        wiring[c][0] = static_cast<uint16_t>((c + 2) % 3);
        wiring[c][1] = static_cast<uint16_t>((c + 1) % 3);
    }
    wiring[1][1] = Maxu;
    type_keys("\r");
    testing::internal::CaptureStderr();
    print_wiring_scheme(0, 0, 0, 2, 1);
    std::string copy = testing::internal::GetCapturedStderr();
    EXPECT_EQ(copy, "\n         1.  0.  \n1   2:   0   1\n2   1:   -   0\n2   0:   1   2\n");
}

TEST_F(WiringDialogs, ThinnedHypercubeReportsAndAccepts)
{
    make_ring(8, 3);
    hyper_prob = 50;
    srandom(3);
    // The listing (Return ends it), then Return at the report.
    type_keys("\r\r");
    hypercube();
    EXPECT_EQ(nhood_mixed, 1);
    EXPECT_EQ(hyper_prob, 50);
    // 'r' with Return rebuilds the full cube, lists it and leaves without
    // a report.
    type_keys("\rr\r\r\r");
    hypercube();
    EXPECT_EQ(hyper_prob, 100);
    for (int c = 0; c < 8; c++)
        EXPECT_EQ(nhoodm[c], 3);
}

// The hypercube chosen on the special route leaves no zone behind from
// an earlier random wiring: nothing confines its wires, so a later random
// redraw draws from the whole network and captions say "no limit".
TEST_F(WiringDialogs, TheHypercubeLeavesTheWidestZone)
{
    make_ring(16, 4);
    basinfield = 0;
    zonesize = 3;
    type_keys("s\rh\r\r");
    select_wiring_options();
    EXPECT_EQ(whatwire, whatwire_hypercube);
    EXPECT_EQ(zonesize, 16);
}

// The special route's regular 3d lattice is regular, as its regular 2d
// one is; stepped back from its forward-only question to random wiring it
// is not. Seen at the lattice sides' wait, then 'q' there and at the menu.
TEST_F(WiringDialogs, TheSpecialRoutesRegular3dLatticeIsRegularUntilSteppedBack)
{
    make_ring(27, 3);
    basinfield = 0;
    for (bool stepped_back : {false, true}) {
        const std::string keys = stepped_back ? "s\r3\r3\rq\rqq" : "s\r3\r3\rn\rqq";
        const size_t sides_wait = keys.size() - 2;
        int regular_at_sides = -1;
        paced_thread typing = type_keys_looking(keys, [&](size_t i) {
            if (i == sides_wait)
                regular_at_sides = regular3d;
        });
        select_wiring_options();
        typing.join();
        EXPECT_EQ(regular_at_sides, stepped_back ? 0 : 1) << stepped_back;
    }
}

} // namespace
