// The key switch of a running pattern on the real window: the delay keys,
// the sample keys wrapping round a loaded sample, 'T' round the display
// forms, cells added and removed with the wiring kept inside the network
// and the step still the reference step, and the gate of other runs.
#include "support/x_test_fixture.h"

#include <thread>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "support/graph_layout_tables.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/storage/stat_record_codec.h"
#include "ui/driver/driver_network_support.h"
#include "ui/driver/mutation.h"
#include "ui/driver/network_growth.h"
#include "ui/forward/running_keys.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"

namespace {

// The driver tests' network built outside their fixture.
struct ring_builder : NetworkTest {
    void TestBody() override {}
    using NetworkTest::ring;
    using NetworkTest::SetUp;
    using NetworkTest::TearDown;
    using NetworkTest::rule0;
};

class RunningKeys : public ScreenTest {
protected:
    run_iteration it{};
    entropy_graph eg{};
    entropy_data ae{};
    damage_record dp{};

    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        set_network_change_hooks({can_resize_by_one, wire_rule_extra_cell, wire_move});
        direction = direction_forward;
        limitcheck = 0;
        d_mode = display_1d;
        stp = 1;
        it.cell_size = 1;
        it.fore_colour = white;
        setviewport(0, 0, Maxx, Maxy, 1);
    }
    void TearDown() override
    {
        direction = direction_unset;
        d_mode = display_unset;
        stp = 0;
        scrolling = nowscrolling = 0;
        totstatrules = 0;
    }
    // What the size keys made for the run, released as the run's end would.
    void release_layout()
    {
        free_graph_layout_tables();
        for (int i = 0; i < frozen_gens; i++)
            checked_free(it.lastA[i]);
        checked_free(it.lastA);
        it.lastA = nullptr;
    }
    void key(char k)
    {
        is[0] = k;
        interrupt_stp(&dp, &ae, &eg, &it);
    }
};

TEST_F(RunningKeys, SlowerThreeTimesGivesTwoThousandPollsAndMaxSpeedNone)
{
    key('<');
    key('<');
    key('<');
    EXPECT_EQ(it.delay, 2000);
    key('>');
    EXPECT_EQ(it.delay, 0);
    // Pressed on and on, the delay stops at its cap instead of overflowing.
    for (int i = 0; i < 40; i++)
        key('<');
    EXPECT_EQ(it.delay, 1 << 24);
}

TEST_F(RunningKeys, NextSampleRuleWrapsAfterTheLast)
{
    ring_builder net;
    net.SetUp();
    net.ring(8, 3);
    // A loaded sample of five records of this k.
    checked_free(statbuf);
    sizeof_statbuf = 5 * stat_record_bytes(nhood);
    statbuf = static_cast<uint8_t *>(checked_calloc(sizeof_statbuf, 1, "statbuf"));
    totstatrules = 5;
    it.sample_index = 4;
    key('w');
    EXPECT_EQ(it.sample_index, 5u);
    key('w');
    EXPECT_EQ(it.sample_index, 1u);
    // Fewer than ten rules: a random one of them, never index 0.
    for (int i = 0; i < 30; i++) {
        key('9');
        EXPECT_GE(it.sample_index, 1u);
        EXPECT_LE(it.sample_index, 5u);
    }
    // With another k the records are of another length: the sample is not
    // read, and the index stays.
    uint32_t before = it.sample_index;
    nhood = 5;
    key('w');
    EXPECT_EQ(it.sample_index, before);
    nhood = 3;
    net.TearDown();
}

TEST_F(RunningKeys, DimensionKeyThreeTimesReturnsToOnePixelRowsScrolling)
{
    ring_builder net;
    net.SetUp();
    net.ring(16, 3);
    it.save_i2d = 4;
    it.save_j2d = 4;
    it.save_i3d = 4;
    it.save_j3d = 2;
    it.save_h3d = 2;
    it.pixmap = &boximage[29];
    key('T');
    EXPECT_EQ(d_mode, display_2d);
    key('T');
    EXPECT_EQ(d_mode, display_3d);
    key('T');
    EXPECT_EQ(d_mode, display_1d);
    EXPECT_EQ(it.cell_size, 1);
    EXPECT_EQ(scrolling, 1);
    freeimage(&boximage[29]);
    net.TearDown();
}

// No wiring slot in use names a cell past the last one.
bool
wiring_inside()
{
    for (int c = 0; c < lineL; c++)
        for (int p = 0; p < nhoodm[c]; p++)
            if (wiring[c][p] >= lineL)
                return false;
    return true;
}

// One step of the engine against the reference written from the wiring.
void
expect_reference_step()
{
    set_random_state();
    std::vector<int> expected = reference_step(state_values(A), carule);
    plain_step(carule);
    EXPECT_EQ(state_values(A), expected);
}

TEST_F(RunningKeys, RemovingCellsStopsAtTwoAndKeepsTheWiringInside)
{
    srandom(7);
    ring_builder net;
    net.SetUp();
    net.ring(3, 3);
    TestNetwork::set_random_rule();
    it.pixmap = &boximage[29];
    key('d');
    EXPECT_EQ(lineL, 2);
    EXPECT_TRUE(wiring_inside());
    expect_reference_step();
    key('d');
    EXPECT_EQ(lineL, 2) << "a network of two cells keeps them";
    freeimage(&boximage[29]);
    release_layout();
    net.TearDown();
}

TEST_F(RunningKeys, AddingAndRemovingAcrossAByteKeepTheStepRight)
{
    srandom(9);
    ring_builder net;
    net.SetUp();
    net.ring(8, 3);
    TestNetwork::set_random_rule();
    it.pixmap = &boximage[29];
    key('i');
    EXPECT_EQ(lineL, 9);
    EXPECT_EQ(bytesL, 2);
    EXPECT_TRUE(wiring_inside());
    expect_reference_step();
    key('d');
    key('d');
    EXPECT_EQ(lineL, 7);
    EXPECT_TRUE(wiring_inside());
    // Cell 0 of the ring reads cell 6 now, the old cell 7 is gone.
    EXPECT_EQ(wiring[0][0], 6);
    expect_reference_step();
    key('i');
    EXPECT_EQ(lineL, 8);
    freeimage(&boximage[29]);
    release_layout();
    net.TearDown();
}

TEST_F(RunningKeys, ThreeFlipsAndThreeRestoresGiveTheRuleBack)
{
    srandom(12);
    ring_builder net;
    net.SetUp();
    net.ring(12, 5);
    TestNetwork::set_random_rule();
    flippos = static_cast<uint16_t *>(checked_calloc(1, sizeof(uint16_t), "flippos"));
    bitflipcount = 0;
    ncolor = 0;
    std::vector<uint8_t> original = net.rule0();
    key('1');
    EXPECT_EQ(it.fore_colour, yellow) << "each change swaps the pattern colour";
    key('1');
    key('1');
    EXPECT_EQ(bitflipcount, 3u);
    EXPECT_NE(net.rule0(), original);
    key('2');
    key('2');
    key('2');
    EXPECT_EQ(net.rule0(), original);
    EXPECT_EQ(bitflipcount, 0u);
    uint8_t colour = it.fore_colour;
    key('2');
    EXPECT_EQ(net.rule0(), original);
    EXPECT_EQ(it.fore_colour, colour) << "an empty record changes nothing";
    checked_free(flippos);
    flippos = nullptr;
    net.TearDown();
}

TEST_F(RunningKeys, AnAttractorSearchDropsEveryKey)
{
    limitcheck = 10000;
    key('<');
    EXPECT_EQ(it.delay, 0);
    direction = direction_backward;
    limitcheck = 0;
    key('<');
    EXPECT_EQ(it.delay, 0);
}

// The entropy sample's dialog ('E' with the entropy-density plot on): its
// first line wraps inside the prompt box instead of running past the
// window's edge, and while the sample size waits nothing of the dialog
// reaches the box's right frame.
TEST_F(RunningKeys, TheEntropySampleDialogStaysInsideItsBox)
{
    ring_builder net;
    net.SetUp();
    net.ring(14, 3);
    stpgraph = stpgraph_density;
    eg.ed_plot = 1;
    eg.k = 3;
    eg.entropy_start = 30;
    eg.entropy_end = 430;
    ae.sample_size = 4;
    std::vector<unsigned long> edge;
    const int right = Maxx - 2; // the prompt box's right frame
    // Test mode, standard deviation, start 30, end kept, 2 runs a rule.
    paced_thread typist = type_keys_looking("\r\r30\r\r2\r", [&](size_t i) {
        if (i == 6) {
            screenshot("entropy_sample_dialog");
            edge = pixels_seen(right - 4, 3, 4, 6 * CHeight);
        }
    });
    key('E');
    typist.join();
    flush_display();
    screenshot("entropy_sample_closed");
    ASSERT_FALSE(edge.empty());
    int ink = 0;
    for (unsigned long p : edge)
        ink += p == Color_Table[white];
    EXPECT_EQ(ink, 0) << "the dialog's text reaches the box's right frame";
    EXPECT_EQ(eg.entropy_start, 30);
    EXPECT_EQ(ae.sample_size, 2);
    checked_free(ae.edata);
    ae.edata = nullptr;
    stpgraph = stpgraph_none;
    net.TearDown();
}

} // namespace
