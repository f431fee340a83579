// The rule dialogs on the virtual server: a rule file of another k is
// refused during a run and for a cell of a mix without touching the
// network, and taken during the set-up with the network rebuilt; the fill
// of the single-rule dialog; the first prompt of the rules stage giving a
// limited set or a mix without limit; outer codes leaving the network's
// size as it was; a tcode or kcode raised to a larger k saved as the table it
// became.
#include "rule_ring_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_count_trie.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/wiring/wire_up.h"
#include "ui/model/cell_display.h"
#include "ui/rule_dialogs/code_dialog.h"
#include "ui/rule_dialogs/rule_dialog.h"
#include "ui/rule_dialogs/rule_revision.h"
#include "ui/rule_dialogs/rule_selection.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/storage/last_rule.h"
#include "ui/storage/network_files.h"
#include "ui/wiring_editor/wire_up.h"

namespace {

using bytes = std::vector<uint8_t>;

class RuleDialogs : public RuleRingTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(set_up_rule_network("zemra-ruledialogs"));
        secondpart = 0;
        whatwire = whatwire_1d;
        // Colours for every value range the tests use, made in each test:
        // colours another suite made may be fewer.
        value_range = 8;
        setup_value_colors(1);
        value_range = 2;
        setup_value_colors(0);
        text_column_start();
        live = live_allocations;
    }
    void TearDown() override
    {
        if (built) {
            free_ring();
            EXPECT_EQ(live_allocations, live);
        }
        tot_only = outer_tot = secondpart = 0;
        ASSERT_TRUE(work.leave());
    }
    // Frees what make_ring and the dialogs built.
    void free_ring()
    {
        if (rulemix) {
            if (!tot_only)
                free_mem_rulemix();
            free_mem_tcodemix();
            rulemix = 0;
        }
        free_mem_wiring();
        free_mem_tcode0();
        if (!tot_only) {
            free_mem_all_0s_all_1s_rules();
            free_mem_rule0_extra();
            free_mem_rule0();
        }
        free_v_code_arrays();
        checked_free(nhoodm);
        nhoodm = nullptr;
        built = false;
    }
    static void write(const char *name, const bytes &data)
    {
        std::ofstream out(name, std::ios::binary);
        out.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
    }
    // Everything a refused load must leave as it was.
    std::vector<uint8_t> network_bytes()
    {
        std::vector<uint8_t> s(carule[0], carule[0] + rule_bytes(nhood));
        for (int c = 0; c < lineL; c++) {
            s.push_back(static_cast<uint8_t>(nhoodm[c]));
            for (int p = 0; p < nhood; p++)
                s.push_back(static_cast<uint8_t>(wiring[c][p]));
        }
        s.push_back(static_cast<uint8_t>(nhood));
        return s;
    }
    int load(uint8_t *row, int k, int cell, const std::string &keys)
    {
        paced_thread typing = type_keys_paced(keys);
        int got = loadlast_rule_tcode_vcode(row, k, 0, cell);
        typing.join();
        return got;
    }
    long live = 0;
};

TEST_F(RuleDialogs, RuleFileOfAnotherKDuringARunIsRefusedUntouched)
{
    make_ring(10, 3);
    carule[0][0] = 0x6e;
    write("k5.rul", bytes{2, 5, 0x11, 0x22, 0x33, 0x44});
    secondpart = 1;
    uint8_t **rows = carule;
    std::vector<uint8_t> before = network_bytes();
    EXPECT_EQ(load(carule[0], 3, Maxu, "k5\r\r\r"), 0);
    EXPECT_EQ(carule, rows);
    EXPECT_EQ(network_bytes(), before);
}

TEST_F(RuleDialogs, RuleFileOfAnotherKForACellOfAMixIsRefused)
{
    make_ring(10, 3);
    rulemix = 1;
    allocate_mem_rulemix(3);
    allocate_mem_tcodemix(3);
    carule[7][0] = 0x96;
    write("k5.rul", bytes{2, 5, 0x11, 0x22, 0x33, 0x44});
    EXPECT_EQ(load(carule[7], 3, 7, "k5\r\r\r"), 0);
    EXPECT_EQ(carule[7][0], 0x96);
    // A file of the cell's own k goes to that cell alone.
    write("k3.rul", bytes{2, 3, 0x1e});
    EXPECT_EQ(load(carule[7], 3, 7, "k3\r\r"), 3);
    EXPECT_EQ(carule[7][0], 0x1e);
    EXPECT_EQ(carule[6][0], 0);
}

TEST_F(RuleDialogs, RuleFileOfAnotherKDuringTheSetUpRebuildsForIt)
{
    make_ring(10, 5);
    write("k3.rul", bytes{2, 3, 0x6e});
    // The wire-up dialog of the whole network is the driver's: left out.
    set_network_rewire(nullptr);
    EXPECT_EQ(load(carule[0], 5, Maxu, "k3\r\r\r"), 3);
    set_network_rewire(wire_up_network);
    EXPECT_EQ(nhood, 3);
    EXPECT_EQ(nhoodm[9], 3);
    EXPECT_EQ(carule[0][0], 0x6e);
    EXPECT_EQ(wiring[0][0], 9);  // regular 1d wiring of 3 inputs
}

// A rule mix set cell by cell with the random method: the next index's
// prompt clears the previous index's lines whole, its keys' line with them
// (the draw check reports a clear through the lower half of that line).
TEST_F(RuleDialogs, RuleMixIndexPromptClearsThePreviousIndexWhole)
{
    make_ring(3, 3);
    give_rule_figures();
    allocate_mem_nhood_matrix(3);
    allocate_mem_rulemix(3);
    rulemix = 1;
    moveto(vgax(50), vgay(150));
    // The menu's default (random), then at each index its prompt's default
    // and the random rule accepted.
    paced_thread typing = type_keys_paced("\r\r\r\r\r\r\r");
    select_rule(0, 0, carule, 3, Maxu);
    typing.join();
    free_mem_rulemix();
    rulemix = 0;
    free_mem_nhood_matrix(3);
}

TEST_F(RuleDialogs, FillWithOneGivesTheAllOneRuleAndTwoChangesNothing)
{
    make_ring(10, 3);
    allocate_mem_nhood_matrix(3);
    paced_thread typing = type_keys_paced("f\r2\rf\r1\rq");
    select_rule(0, 1, carule, 1, Maxu);
    typing.join();
    free_mem_nhood_matrix(3);
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(carule[0][0], 0xff);
}

// A random kcode accepted in the set-up: the walk has written its number
// under its picture, and that line is not written again below it. The
// text column then holds the menu's two lines, the walk's key line and
// the number's line, one band of white ink each.
TEST_F(RuleDialogs, ARandomKcodeIsWrittenOnce)
{
    totalistic = rule_kind_kcodes;
    make_ring(10, 3);
    allocate_mem_nhood_matrix(3);
    give_rule_figures();
    clearviewport();
    const int top = gety;
    type_keys("\r\r\r"); // the menu's random walk, accepted, and no transformation
    select_t_v_code(0, 1, v_code, carule, 1, Maxu);
    free_mem_nhood_matrix(3);
    const int left = static_cast<int>(xtext * CWidth);
    std::vector<unsigned long> seen = pixels_seen(left, top, 20 * CWidth, Maxy - vgay(60) - top);
    int bands = 0;
    bool inked_before = false;
    for (int y = 0; y < Maxy - vgay(60) - top; y++) {
        bool inked = false;
        for (int x = 0; x < 20 * CWidth; x++)
            inked = inked || seen[static_cast<size_t>(y * 20 * CWidth + x)] == Color_Table[white];
        bands += inked && !inked_before;
        inked_before = inked;
    }
    EXPECT_EQ(bands, 4) << "lines of the kcode set-up";
}

// A kcode of k = 3 taken to its equivalent of k = 6 by the set-up's
// transformation: the network is rebuilt for k = 6 and runs the widened
// table, which no kcode holds; that table, not a row freed with the old
// network, is the last rule of k = 6, and no kcode of k = 6 is written.
TEST_F(RuleDialogs, AKcodeTakenToALargerKIsSavedAsItsTable)
{
    totalistic = rule_kind_kcodes;
    make_ring(10, 3);
    // As the set-up allocates it: for every k up to the largest.
    allocate_mem_nhood_matrix(Maxnhood);
    give_rule_figures();
    std::remove("l_v2k6.vco");
    srandom(3); // a random kcode that is not constant
    type_keys("\r\r6\r\r"); // a random kcode, accepted, its k = 6 equivalent, done
    select_t_v_code(0, 1, v_code, carule, 1, Maxu);
    EXPECT_EQ(nhood, 6);
    EXPECT_EQ(totalistic, rule_kind_tables);
    bytes back(rule_bytes(6));
    EXPECT_EQ(load_last_rule(back.data(), 6), 6);
    free_mem_nhood_matrix(Maxnhood);
    EXPECT_EQ(back, bytes(carule[0], carule[0] + rule_bytes(6)));
    EXPECT_NE(access("l_v2k6.vco", F_OK), 0);
}

// Tcode 37 (entries 0, 2 and 5 are 1) of k = 5 raised to k = 7 by the
// set-up's transformation, in the windows of both screen sizes: the rule is
// then a table, which ignores its inputs 0 and 6, and that table is the
// last rule of k = 7 that loads back; no tcode of k = 7 is written.
TEST_F(RuleDialogs, ATcodeRaisedToSevenIsSavedAsItsTable)
{
    const int width = Maxx + 1, height = WinMaxy + 1;
    allocate_mem_nhood_matrix(Maxnhood);
    give_rule_figures();
    for (int screen : {1280, 1024}) {
        if (built)
            free_ring();
        int16_t maxx, winmaxy;
        window_size_for_display(screen, &maxx, &winmaxy);
        ASSERT_TRUE(resize_to(maxx + 1, winmaxy + 1));
        text_column_start();
        std::remove("l_v2k7.rul");
        totalistic = rule_kind_tcodes;
        make_ring(14, 5);
        paced_thread typing = type_keys_paced("d\r37\r\r7\r\r");
        select_t_v_code(0, 1, cacode, carule, 1, Maxu);
        typing.join();
        EXPECT_EQ(totalistic, rule_kind_tables);
        ASSERT_EQ(nhood, 7);
        bytes back(rule_bytes(7));
        EXPECT_EQ(load_last_rule(back.data(), 7), 7);
        EXPECT_EQ(back, bytes(carule[0], carule[0] + rule_bytes(7)));
        for (uint32_t i = 0; i < 128; i++)
            EXPECT_EQ(get_value(back.data(), i), 37 >> __builtin_popcount(i >> 1 & 31) & 1) << i;
        EXPECT_NE(access("l_v2k7.tco", F_OK), 0);
    }
    free_mem_nhood_matrix(Maxnhood);
    ASSERT_TRUE(resize_to(width, height));
}

TEST_F(RuleDialogs, TwoHundredGivesALimitedSetAndNAMixWithoutLimit)
{
    make_ring(10, 3);
    paced_thread typing = type_keys_paced("200\r\r\r");
    rule_selection();
    typing.join();
    EXPECT_EQ(rulemix, 1);
    EXPECT_EQ(nodiffrules, 200);
    // Forced zeros: every cell's rule maps 000 to 0.
    for (int c = 0; c < 10; c++)
        EXPECT_EQ(carule[c][0] & 1, 0) << c;
    free_mem_rulemix();
    free_mem_tcodemix();
    rulemix = 0;
    moveto(vgax(50), vgay(80));
    typing = type_keys_paced("n\r\r\r");
    rule_selection();
    typing.join();
    EXPECT_EQ(rulemix, 1);
    EXPECT_EQ(nodiffrules, 0);
}

TEST_F(RuleDialogs, OuterCodesLeaveTheNetworkSizeAsItWas)
{
    tot_only = 1;
    totalistic = rule_kind_kcodes;
    outer_tot = 1;
    value_range = 3;
    value_bits = 2;
    setup_value_colors(0);
    make_ring(10, 3);
    paced_thread typing = type_keys_paced("\r\r0\r");
    rule_selection();
    typing.join();
    EXPECT_EQ(lineL, 10);
    EXPECT_EQ(L, 9);
    EXPECT_EQ(rulemix, 0);
    for (int c = 0; c < 3; c++)
        EXPECT_EQ(get_value(v_code[c], 0), 0) << "zeros forced with 0";
    lineL = 3;
    L = 2;
    free_mem_tcodemix();
    lineL = 10;
    L = 9;
    value_range = 2;
    value_bits = 1;
}

} // namespace
