// The mutation settings dialogs answered through the server: the kind menu
// with every letter, the special menu with every kind, the start and end of
// a flip from the left, the pause settings, the bit-count and wire-count
// boxes, and the "total plotted" box of a sweep, its place and its erase.
// Each dialog must read exactly the keys typed and leave nothing allocated.
#include "support/x_test_fixture.h"

#include "driver_network_support.h"
#include "ui/driver/mutation.h"
#include "ui/measures/globals.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"

namespace {

// The headless network builder, made usable from a window test.
struct Network : NetworkTest {
    void TestBody() override {}
    using NetworkTest::K;
    using NetworkTest::ring;
    using NetworkTest::rule_mix;
    using NetworkTest::SetUp;
    using NetworkTest::TearDown;
    using NetworkTest::wiring_rows;
};

class MutationDialogs : public ScreenTest {
protected:
    Network net;

    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped())
            return;
        net.SetUp();
        mutate = mutation_bits;
        mutate_wiring = 0;
        bits_to_flip = 1;
        wires_to_move = 1;
        acceptall = 0;
        accept_from = accept_from_mutation;
        gd_z_graph = sweep_graph_none;
        screensavedemo = 0;
        datapause = 1; // most tests stop before the pause settings
        mutant_layout = 0;
        loc_twod_fonly = 0;
        mutantdontpause = 0;
        pause_fact = 1.0f;
        startmut = endmut = 0;
        moveto(vgax(50), vgay(80));
    }
    void TearDown() override
    {
        if (net.K)
            net.TearDown();
        mutate = mutation_bits;
        mutate_wiring = 0;
        acceptall = 0;
        accept_from = accept_from_none;
        gd_z_graph = sweep_graph_none;
        datapause = datapause_unset;
        loc_twod_fonly = 0;
    }
    // Runs dialog while keys are typed; it must read every key typed and
    // no more, and allocate nothing that outlives it.
    template <typename Dialog>
    void answer(const std::string &keys, Dialog dialog)
    {
        long before = live_allocations;
        paced_thread typing = type_keys_paced(keys);
        dialog();
        typing.join();
        EXPECT_EQ(take_typed_keys(), 0) << "keys left over after \"" << keys << "\"";
        EXPECT_EQ(live_allocations, before) << "dialog memory left allocated";
    }
    void menu(const std::string &keys)
    {
        answer(keys, [] { set_mutation(); });
    }
    // Whether the rectangle x0..x1, y0..y1 of the window shows anything but
    // the background.
    static bool shows_ink(int x0, int y0, int x1, int y1)
    {
        for (unsigned long p : pixels_seen(x0, y0, x1 - x0 + 1, y1 - y0 + 1))
            if (p != Color_Table[black])
                return true;
        return false;
    }
};

// ---- the kind menu ------------------------------------------------------------

TEST_F(MutationDialogs, ReturnKeepsNoneAndReplacesAnyOtherKindByOneBit)
{
    net.ring(10, 3);
    mutate = mutation_none;
    menu("\r");
    EXPECT_EQ(mutate, mutation_none);
    mutate = mutation_rule_number;
    bits_to_flip = 7;
    mutate_wiring = mutation_wires;
    menu("\r");
    EXPECT_EQ(mutate, mutation_bits);
    EXPECT_EQ(bits_to_flip, 1);
    EXPECT_EQ(mutate_wiring, 0);
}

// The kind menu, whose lines ran past the narrow window's edge: nothing
// right of the prompt box's frame while it asks, nor after it.
TEST_F(MutationDialogs, KindMenuStaysInsideThePromptBox)
{
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    auto strip_inked = [] { return inked_right_of_prompt_box(2); };
    int while_asked = -1;
    paced_thread keys = type_keys_looking("n\r", [&](size_t i) {
        if (i == 0) {
            while_asked = strip_inked();
            screenshot("mutation_kind_menu");
        }
    });
    set_mutation();
    keys.join();
    EXPECT_EQ(mutate, mutation_none);
    EXPECT_EQ(while_asked, 0) << "the kind menu runs out of the prompt box";
    EXPECT_EQ(strip_inked(), 0) << "the kind menu left its end beside the box";
}

TEST_F(MutationDialogs, LettersChooseTheirKinds)
{
    net.ring(10, 3);
    const char kinds[] = {'c', 'P', 't', 'k', 'n'};
    for (char kind : kinds) {
        mutate = mutation_bits;
        menu(std::string(1, kind) + "\r");
        EXPECT_EQ(mutate, kind);
        EXPECT_EQ(bits_to_flip, 1);
    }
    mutate = mutation_chain;
    menu("1\r");
    EXPECT_EQ(mutate, mutation_bits);
    EXPECT_EQ(bits_to_flip, 1);
    menu("x\r"); // matches nothing: the default
    EXPECT_EQ(mutate, mutation_bits);
}

TEST_F(MutationDialogs, QuitStepsBackAndAcceptAllSkipsThePauseBox)
{
    net.ring(10, 3);
    datapause = datapause_unset;
    mutate = mutation_chain;
    menu("q");
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(mutate, mutation_bits); // the defaults come first
    menu("d\r");
    EXPECT_EQ(acceptall, 1);
    EXPECT_EQ(mutate, mutation_bits);
    EXPECT_EQ(mutantdontpause, 0);
}

TEST_F(MutationDialogs, SetBitsAsksTheCountAndQuitThereStartsAgain)
{
    net.ring(10, 3);
    menu("b\r"
         "n\r5\r"); // 5 of 8 bits
    EXPECT_EQ(mutate, mutation_bits);
    EXPECT_EQ(bits_to_flip, 5);
    menu("b\r"
         "q"      // out of the bit count: the kind menu again
         "c\r");
    EXPECT_EQ(mutate, mutation_chain);
    EXPECT_EQ(bits_to_flip, 1);
}

TEST_F(MutationDialogs, WiringAloneWiringWithTheDefaultAndWiringWithBits)
{
    net.ring(10, 3);
    nonlocal = 0;
    menu("w\r"
         "n\r4\r"); // 4 of 30 wires
    EXPECT_EQ(mutate, mutation_wires);
    EXPECT_EQ(mutate_wiring, 0);
    EXPECT_EQ(wires_to_move, 4);
    EXPECT_EQ(nonlocal, 1);

    menu("+w\r"
         "a\r");  // every wire
    EXPECT_EQ(mutate, mutation_bits);
    EXPECT_EQ(bits_to_flip, 1);
    EXPECT_EQ(mutate_wiring, mutation_wires);
    EXPECT_EQ(wires_to_move, 30);

    menu("bw\r"
         "\r"     // wire count kept
         "a\r");  // every bit
    EXPECT_EQ(mutate, mutation_bits);
    EXPECT_EQ(mutate_wiring, mutation_wires);
    EXPECT_EQ(bits_to_flip, -1);
    EXPECT_EQ(wires_to_move, 30);
}

TEST_F(MutationDialogs, QuitAtTheWireCountStartsAgainWithoutWiring)
{
    net.ring(10, 3);
    menu("w\r"
         "q"
         "\r");
    EXPECT_EQ(mutate, mutation_bits);
    EXPECT_EQ(mutate_wiring, 0);
    menu("+w\r"
         "q"
         "t\r");
    EXPECT_EQ(mutate, mutation_tcode);
    EXPECT_EQ(mutate_wiring, 0);
}

// ---- the special menu -----------------------------------------------------------

TEST_F(MutationDialogs, SpecialKindsOfRuleTables)
{
    net.ring(10, 3);
    totalistic = rule_kind_tcodes; // switched to rule tables by kinds below 4
    menu("s\r\r");  // Return: random rule
    EXPECT_EQ(mutate, mutation_random_rule);
    EXPECT_EQ(totalistic, rule_kind_tables);
    menu("s\r3\r");
    EXPECT_EQ(mutate, mutation_rule_number);
    menu("s\r2\r");
    EXPECT_EQ(mutate, mutation_random_rule);
    menu("s\r8\r"); // 6 to 9 keep the random rule
    EXPECT_EQ(mutate, mutation_random_rule);
}

TEST_F(MutationDialogs, CodeKindsKeepTheCodesAndRuleNumberSwitchesToTables)
{
    net.ring(10, 3);
    totalistic = rule_kind_tcodes;
    menu("s\r4\r");
    EXPECT_EQ(mutate, mutation_code_flip);
    EXPECT_EQ(totalistic, rule_kind_tcodes);
    totalistic = rule_kind_kcodes;
    menu("s\r5\r");
    EXPECT_EQ(mutate, mutation_code_number);
    EXPECT_EQ(totalistic, rule_kind_kcodes);
    menu("s\r3\r");
    EXPECT_EQ(mutate, mutation_rule_number);
    EXPECT_EQ(totalistic, rule_kind_tables);
}

TEST_F(MutationDialogs, KindsNotOfferedFallBackToASingleFlip)
{
    // Code kinds on rule tables: kind 0, which then asks its positions.
    net.ring(10, 3);
    menu("s\r4\r"
         "\r\r");
    EXPECT_EQ(mutate, mutation_single_flip);
    menu("s\r5\r"
         "\r\r");
    EXPECT_EQ(mutate, mutation_single_flip);
    menu("s\rx\r" // any other key counts as 0
         "\r\r");
    EXPECT_EQ(mutate, mutation_single_flip);
}

TEST_F(MutationDialogs, KindsNotOfferedForSixInputs)
{
    net.ring(10, 6);
    menu("s\r3\r" // no rule numbers for rule tables with k above 5
         "\r\r");
    EXPECT_EQ(mutate, mutation_single_flip);
    menu("s\r4\r"
         "\r\r");
    EXPECT_EQ(mutate, mutation_single_flip);
    totalistic = rule_kind_tcodes;
    menu("s\r3\r" // nor for codes
         "\r\r");
    EXPECT_EQ(mutate, mutation_single_flip);
    EXPECT_EQ(totalistic, rule_kind_tables);
    totalistic = rule_kind_tcodes;
    menu("s\r5\r");
    EXPECT_EQ(mutate, mutation_code_number);
    EXPECT_EQ(totalistic, rule_kind_tcodes);
}

TEST_F(MutationDialogs, QuitAtTheSpecialMenu)
{
    net.ring(10, 3);
    menu("s\r"
         "q"      // the kind menu again
         "c\r");
    EXPECT_EQ(mutate, mutation_chain);
    // A local 2d forward-only network steps back out of the menu instead.
    loc_twod_fonly = 1;
    menu("s\r"
         "q");
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(mutate, mutation_random_rule);
}

TEST_F(MutationDialogs, AcceptAllAtTheSpecialMenuKeepsTheRandomRule)
{
    net.ring(10, 3);
    datapause = datapause_unset;
    menu("s\r"
         "d\r");
    EXPECT_EQ(acceptall, 1);
    EXPECT_EQ(mutate, mutation_random_rule);
}

// ---- the start and end of a flip from the left ------------------------------------

TEST_F(MutationDialogs, FlipPositionsDefaultToTheWholeTable)
{
    net.ring(10, 3);
    startmut = 3;
    endmut = 2;
    menu("s\r1\r"
         "\r\r");
    EXPECT_EQ(mutate, mutation_cumulative_flip);
    EXPECT_EQ(startmut, 7);
    EXPECT_EQ(endmut, 0);
    menu("s\r0\r"
         "5\r"
         "2\r");
    EXPECT_EQ(mutate, mutation_single_flip);
    EXPECT_EQ(startmut, 5);
    EXPECT_EQ(endmut, 2);
}

TEST_F(MutationDialogs, FlipPositionsForThreeValuesCountValues)
{
    net.ring(10, 2, 3);
    menu("s\r1\r"
         "\r\r");
    EXPECT_EQ(startmut, 8);
    EXPECT_EQ(endmut, 0);
}

TEST_F(MutationDialogs, FlipPositionsAreClampedToTheTable)
{
    net.ring(10, 3);
    menu("s\r0\r"
         "9999\r" // beyond the 8 entries: the last one
         "6\r");
    EXPECT_EQ(startmut, 7);
    EXPECT_EQ(endmut, 6);
    menu("s\r0\r"
         "-5\r"   // below the first entry: the first
         "-3\r");
    EXPECT_EQ(startmut, 0);
    EXPECT_EQ(endmut, 0);
    menu("s\r1\r"
         "4\r"
         "6\r");  // the end never passes the start
    EXPECT_EQ(startmut, 4);
    EXPECT_EQ(endmut, 4);
}

TEST_F(MutationDialogs, QuitAndAcceptAllAtTheFlipPositions)
{
    net.ring(10, 3);
    datapause = datapause_unset;
    menu("s\r1\r"
         "q"      // at the start: the kind menu again
         "c\r"
         "\r");   // pause box
    EXPECT_EQ(mutate, mutation_chain);
    menu("s\r1\r"
         "3\r"
         "q");    // at the end: out of the menu
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(mutate, mutation_cumulative_flip);
    EXPECT_EQ(startmut, 3);
    menu("s\r1\r"
         "d\r");  // accept all: no end position, no pause box
    EXPECT_EQ(acceptall, 1);
    EXPECT_EQ(startmut, 7);
    EXPECT_EQ(endmut, 0);
}

// ---- the pause settings ---------------------------------------------------------------

TEST_F(MutationDialogs, PauseSwitchAndDelayFactor)
{
    net.ring(10, 3);
    datapause = datapause_unset;
    menu("\r"
         "\r");   // keep pausing
    EXPECT_EQ(mutantdontpause, 0);
    menu("\r"
         "y\r"
         "10\r"); // 10 is taken
    EXPECT_EQ(mutantdontpause, 1);
    EXPECT_FLOAT_EQ(pause_fact, 10.0f);
    menu("\r"
         "y\r"
         "10.5\r"); // above 10: held at 10
    EXPECT_FLOAT_EQ(pause_fact, 10.0f);
    menu("\r"
         "y\r"
         ".25\r");
    EXPECT_FLOAT_EQ(pause_fact, 0.25f);
    menu("\r"
         "y\r"
         "-1\r");   // below 0: held at 0
    EXPECT_FLOAT_EQ(pause_fact, 0.0f);
}

TEST_F(MutationDialogs, QuitInThePauseBoxStartsAgain)
{
    net.ring(10, 3);
    datapause = datapause_unset;
    menu("c\r"
         "q"      // the kind menu again
         "t\r"
         "y\r"
         "q"      // and again from the delay
         "\r"
         "\r");
    EXPECT_EQ(mutate, mutation_bits);
    EXPECT_EQ(mutantdontpause, 0);
}

TEST_F(MutationDialogs, SweepDefaultsAndNoPauseBetweenSweepMutants)
{
    net.ring(10, 3);
    datapause = datapause_unset;
    gd_z_graph = sweep_graph_z;
    menu("\r"     // rule number for k <= 3
         "\r"     // pause box: "pause after mutant-y:"
         "\r");   // delay kept
    EXPECT_EQ(mutate, mutation_rule_number);
    EXPECT_EQ(mutantdontpause, 1);
    totalistic = rule_kind_tcodes;
    menu("\r\r\r");
    EXPECT_EQ(mutate, mutation_code_number);
}

TEST_F(MutationDialogs, SizeSweepAlwaysAsksAndDefaultsToOneBit)
{
    net.ring(10, 3);
    gd_z_graph = sweep_graph_size;
    acceptall = 1;
    menu("\r");
    EXPECT_EQ(mutate, mutation_bits);
    EXPECT_EQ(bits_to_flip, 1);
    menu("c\r");
    EXPECT_EQ(mutate, mutation_chain);
}

TEST_F(MutationDialogs, WithoutTheMenusOnlyTheDefaultsAreSet)
{
    net.ring(10, 3);
    datapause = datapause_unset;
    acceptall = 1;
    mutate = mutation_chain;
    menu("");
    EXPECT_EQ(mutate, mutation_bits);
    EXPECT_EQ(mutantdontpause, 0);
    screensavedemo = 1;
    menu("");
    EXPECT_EQ(mutate, mutation_random_rule);
    EXPECT_EQ(mutantdontpause, 1);
    screensavedemo = 0;
    acceptall = 0;
    accept_from = accept_from_display; // the settings pass starts after this menu
    menu("");
    EXPECT_EQ(mutate, mutation_bits);
}

// ---- the bit-count box ---------------------------------------------------------------

TEST_F(MutationDialogs, BitCountByNumberPercentageOrAll)
{
    net.ring(10, 3); // 8 rule bits
    auto bits = [this](const std::string &keys) { answer(keys, [] { set_bit_flips(); }); };
    bits("n\r7\r");
    EXPECT_EQ(bits_to_flip, 7);
    bits("n\r8\r"); // all 8 only with 'a': held at 7
    EXPECT_EQ(bits_to_flip, 7);
    bits("n\r0\r"); // held at 1
    EXPECT_EQ(bits_to_flip, 1);
    bits("p\r50\r");
    EXPECT_EQ(bits_to_flip, 4);
    bits("p\r99\r"); // 8 * 99 / 100
    EXPECT_EQ(bits_to_flip, 7);
    bits("p\r100\r");
    EXPECT_EQ(bits_to_flip, 7);
    bits("a\r");
    EXPECT_EQ(bits_to_flip, -1);
    bits("x\r");
    EXPECT_EQ(bits_to_flip, -1);
    clear_drawing_area();
    bits("q");
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(bits_to_flip, -1);
    EXPECT_FALSE(shows_ink(prompt_box_left(Maxx), 2, Maxx - 2, prompt_box_bottom(4)))
        << "the bit-count box was left standing";
    bits("p\rq"   // back to the count box
         "n\rq"
         "n\r2\r");
    EXPECT_EQ(bits_to_flip, 2);
}

TEST_F(MutationDialogs, BitCountOfARuleMixCountsEveryCell)
{
    net.ring(10, 3);
    net.rule_mix(); // 80 rule bits
    bits_to_flip = 0;
    answer("x\r", [] { set_bit_flips(); });
    EXPECT_EQ(bits_to_flip, 1);
    answer("n\r79\r", [] { set_bit_flips(); });
    EXPECT_EQ(bits_to_flip, 79);
    answer("p\r10\r", [] { set_bit_flips(); });
    EXPECT_EQ(bits_to_flip, 8);
}

// ---- the wire-count box ---------------------------------------------------------------

TEST_F(MutationDialogs, WireCountByNumberPercentageOrAll)
{
    net.ring(10, 3); // 30 wires
    setcolor(lightred);
    int x = getx, y = gety;
    uint8_t returned = 0;
    auto wires = [&](const std::string &keys, char mode = 's') {
        answer(keys, [&] { returned = wire_move(mode, 9); });
        EXPECT_EQ(returned, 9);
        EXPECT_EQ(getcolor(), lightred);
        EXPECT_EQ(getx, x);
        EXPECT_EQ(gety, y);
    };
    wires_to_move = 0; // taken as 1
    wires("x\r");
    EXPECT_EQ(wires_to_move, 1);
    wires("n\r29\r");
    EXPECT_EQ(wires_to_move, 29);
    wires("n\r30\r");
    EXPECT_EQ(wires_to_move, 29);
    wires("p\r10\r", 'W');
    EXPECT_EQ(wires_to_move, 3);
    wires("p\r0\r"); // held at 1%, at least one wire
    EXPECT_EQ(wires_to_move, 1);
    wires("a\r", 'W');
    EXPECT_EQ(wires_to_move, 30);
    wires("p\rq"
          "n\r5\r");
    EXPECT_EQ(wires_to_move, 5);
    // Backing out, as from a running pattern's 'W', takes the box down
    // whole: the run goes on under its place.
    clear_drawing_area();
    moveto(x, y);
    wires("q", 'W');
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(wires_to_move, 5);
    EXPECT_FALSE(shows_ink(prompt_box_left(Maxx), 2, Maxx - 2, prompt_box_bottom(4)))
        << "the wire-count box was left standing";
}

TEST_F(MutationDialogs, WireCountOfMixedKIsTheSumOfEveryCellsInputs)
{
    net.ring(6, 3);
    nhood_mixed = 1;
    const int8_t ks[] = {3, 1, 2, 3, 0, 2}; // 11 wires
    for (int c = 0; c < 6; c++)
        nhoodm[c] = ks[c];
    answer("a\r", [] { wire_move('s', 0); });
    EXPECT_EQ(wires_to_move, 11);
    answer("n\r10\r", [] { wire_move('s', 0); });
    EXPECT_EQ(wires_to_move, 10);
    answer("n\r11\r", [] { wire_move('s', 0); });
    EXPECT_EQ(wires_to_move, 10);
    for (int c = 0; c < 6; c++)
        nhoodm[c] = 3;
}

TEST_F(MutationDialogs, RelocalGivesEveryCellItsLocalWiringBack)
{
    net.ring(12, 3);
    auto local = net.wiring_rows();
    srandom(4);
    for (int c = 0; c < 12; c++)
        for (int j = 0; j < 3; j++)
            wiring[c][j] = static_cast<uint16_t>(random() % 12);
    ASSERT_NE(net.wiring_rows(), local);
    wires_to_move = 6;
    answer("l\r", [] { wire_move('s', 0); });
    EXPECT_EQ(net.wiring_rows(), local);
    EXPECT_EQ(wires_to_move, 6);
}

TEST_F(MutationDialogs, MovingWiresAlternatesTheWiringColour)
{
    net.ring(12, 3);
    ncolor = 0;
    wires_to_move = 2;
    auto before = net.wiring_rows();
    srandom(8);
    EXPECT_EQ(wire_move('m', white), yellow);
    EXPECT_EQ(wire_move('m', yellow), white);
    int changed = 0;
    auto after = net.wiring_rows();
    for (int c = 0; c < 12; c++)
        for (int j = 0; j < 3; j++)
            changed += after[c][j] != before[c][j];
    EXPECT_LE(changed, 4);
    ncolor = 1; // coloured by neighbourhood: the colour stays
    EXPECT_EQ(wire_move('m', white), white);
    ncolor = 0;
}

// ---- the sweep's bias box ---------------------------------------------------------------

TEST_F(MutationDialogs, BiasBoxKeepsTheCurrentPoint)
{
    mutate = mutation_random_rule;
    totalgraphrules = 50;
    endcount = 20; // 40 %
    moveto(vgax(100), vgay(200));
    long before = live_allocations;
    biased_new_rule();
    EXPECT_EQ(getx, vgax(100));
    EXPECT_EQ(gety, vgay(200));
    EXPECT_EQ(lambda_bias, 40);
    EXPECT_EQ(set_z_high, 0);
    EXPECT_EQ(live_allocations, before);
    // Another kind leaves the bias alone but still shows the count.
    mutate = mutation_bits;
    endcount = 0;
    biased_new_rule();
    EXPECT_EQ(lambda_bias, 40);
    EXPECT_EQ(getx, vgax(100));
    totalgraphrules = 0;
    endcount = 0;
    lambda_bias = 0;
}

// The count stands above the band the runs draw in (a box there was crossed
// by the next run), right of a space-time pattern, and goes when the runs
// end (nothing else clears the top of the window then).
TEST_F(MutationDialogs, CountStandsAboveTheRunsBandAndGoesWhenTheRunsEnd)
{
    mutate = mutation_random_rule;
    totalgraphrules = 50;
    endcount = 7;
    stp = 1;
    const int pattern_right = lineL * scale + vgax(11) - 1;
    clear_drawing_area();
    biased_new_rule();
    EXPECT_TRUE(shows_ink(pattern_right + 1, 2, prompt_box_left(Maxx) - 1, prompt_box_bottom(1)));
    EXPECT_FALSE(shows_ink(2, 2, pattern_right, Maxy - 2)) << "the count is over the pattern";
    EXPECT_FALSE(shows_ink(2, prompt_box_bottom(1) + 1, Maxx - 2, Maxy - 2)) << "the count is in the band";
    erase_plotted_count();
    EXPECT_FALSE(shows_ink(2, 2, Maxx - 2, Maxy - 2)) << "the count was left when the runs ended";
    stp = 0;
    totalgraphrules = 0;
    endcount = 0;
    lambda_bias = 0;
}

} // namespace
