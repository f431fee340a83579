// Network files without a window: the writers byte for byte, the readers
// with crafted files (a refused file leaves the network exactly as it was),
// seeds placed into larger and cut from smaller lattices, and a single rule
// of another k rebuilding the network once during the set-up.
#include "ui/storage/storage_test_support.h"

#include <cstring>
#include <utility>

#include "engine/model/checked_alloc.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_count_trie.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/wire_up.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/network_files.h"

namespace {

class NetworkFiles : public StorageTest {
protected:
    void SetUp() override
    {
        StorageTest::SetUp();
        rules_set = false;
        secondpart = 0;
        nhood_mixed = 0;
        loc_twod_fonly = 0;
        whatwire = whatwire_1d;
        defaultwiring = defaultwiring_1d;
    }
    void TearDown() override
    {
        free_network();
        StorageTest::TearDown();
    }

    // A ring of n cells, k inputs each, regular 1d wiring, one rule row of
    // k inputs and the code rows; with mix, a rule row per cell.
    void make_ring(int n, int k, bool mix = false)
    {
        use_n(n);
        nhood = static_cast<int8_t>(k);
        nhood_lb = nhood_ub = static_cast<uint8_t>(k);
        nhoodm = static_cast<int8_t *>(checked_calloc(n, 1, "nhoodm"));
        memset(nhoodm, k, n);
        allocate_mem_rule0(k);
        allocate_mem_rule0_extra(k);
        allocate_mem_all_0s_all_1s_rules(k);
        allocate_mem_tcode0(k);
        allocate_mem_wiring();
        for (int c = 0; c < n; c++)
            oneD_local_wire_cell(static_cast<uint16_t>(c), L);
        if (mix) {
            rulemix = 1;
            allocate_mem_rulemix(k);
            allocate_mem_tcodemix(k);
        }
        built = true;
    }
    void make_lattice(int w, int h, int k)
    {
        make_ring(w * h, k);
        oned = 0;
        twod = 2;
        i2d = static_cast<int16_t>(w);
        j2d = static_cast<int16_t>(h);
    }
    void free_network()
    {
        if (!built)
            return;
        if (rulemix) {
            free_mem_rulemix();
            free_mem_tcodemix();
            rulemix = 0;
        }
        free_mem_wiring();
        free_mem_tcode0();
        free_mem_all_0s_all_1s_rules();
        free_mem_rule0_extra();
        free_mem_rule0();
        free_v_code_arrays();
        checked_free(nhoodm);
        nhoodm = nullptr;
        built = false;
    }

    // Everything a load may change, to compare before and after.
    struct snapshot {
        std::vector<uint16_t> wires;
        std::vector<int8_t> ks;
        bytes rule;
        int8_t k;
        uint8_t mixed;
        bool operator==(const snapshot &o) const
        {
            return wires == o.wires && ks == o.ks && rule == o.rule && k == o.k &&
                   mixed == o.mixed;
        }
    };
    snapshot take()
    {
        snapshot s;
        for (int c = 0; c < lineL; c++) {
            s.ks.push_back(nhoodm[c]);
            for (int p = 0; p < nhood; p++)
                s.wires.push_back(wiring[c][p]);
        }
        s.rule.assign(carule[0], carule[0] + rule_bytes(nhood));
        s.k = nhood;
        s.mixed = nhood_mixed;
        return s;
    }
    // Loads name as kind what and expects a refusal with nothing changed.
    void expect_refused(const char *name, int what)
    {
        snapshot before = take();
        testing::internal::CaptureStderr();
        EXPECT_EQ(load_wrs_file(name, carule[0], what), 255) << name;
        testing::internal::GetCapturedStderr();
        EXPECT_TRUE(before == take()) << name;
    }

    bool built = false;
};

TEST_F(NetworkFiles, SingleRuleOfRule30IsThreeBytes)
{
    make_ring(10, 3);
    uint8_t rule = 30;
    EXPECT_EQ(save_wrs_file("r30.rul", &rule, 0), 's');
    EXPECT_EQ(contents("r30.rul"), (bytes{0x02, 0x03, 0x1E}));
    EXPECT_EQ(mode_of("r30.rul"), 0644u);
    carule[0][0] = 0;
    EXPECT_EQ(load_wrs_file("r30.rul", carule[0], 0), 3);
    EXPECT_EQ(carule[0][0], 30);
}

// A damaged file is refused in the file error box with why, the network
// as it was.
TEST_F(NetworkFiles, ADamagedFileSaysWhyAndChangesNothing)
{
    make_ring(10, 3);
    ASSERT_EQ(save_wrs_file("far.w_s", nullptr, 1), 's');
    bytes file = contents("far.w_s");
    file[6 + 3 * 4 + 1] = 10;  // cell 4's second input: no cell of the file
    write_file("far.w_s", file);
    expect_refused("far.w_s", 1);
    EXPECT_EQ(last_file_error(), "file error far.w_s: cell 4 wired to cell 10, file has 10");
    write_file("short.w_s", bytes(file.begin(), file.end() - 4));
    expect_refused("short.w_s", 1);
    EXPECT_EQ(last_file_error(), "file error short.w_s: header says 10 cells, file holds 8");
    // A k past the network's in a file too short for it: the k is named,
    // not the cells its records would then fill.
    ASSERT_EQ(save_wrs_file("nine.w_s", nullptr, 1), 's');
    ASSERT_EQ(save_wrs_file("nine.wrs", nullptr, 3), 's');
    for (auto [name, what] : {std::pair{"nine.w_s", 1}, std::pair{"nine.wrs", 3}}) {
        bytes nine = contents(name);
        nine[1] = 9;
        write_file(name, nine);
        expect_refused(name, what);
        EXPECT_EQ(last_file_error(), std::string("file error ") + name + ": k=9 past the most 3");
        EXPECT_EQ(contents(name), nine);
    }
}

// A sound seed with no state line to take it is refused for that, not
// called damaged.
TEST_F(NetworkFiles, ASeedWithNoStateToLoadIntoSaysSo)
{
    make_ring(10, 3);
    write_file("s.eed", bytes{2, 10, 0, 0, 0, 0xA5, 0x02});
    testing::internal::CaptureStderr();
    EXPECT_EQ(load_wrs_file("s.eed", nullptr, kSeedFile), 255);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "no state to load into, cant load, cont-ret:\n");
    EXPECT_EQ(is[0], 'q');
}

TEST_F(NetworkFiles, MixedKSchemeHasTheFlagInItsKByte)
{
    make_ring(4, 3, true);
    nhood_mixed = 1;
    for (int c = 0; c < 4; c++)
        carule[c][0] = static_cast<uint8_t>(10 + c);
    EXPECT_EQ(save_wrs_file("mix.r_s", nullptr, 2), 's');
    EXPECT_EQ(contents("mix.r_s"), (bytes{0x02, 0x83, 0x04, 0x00, 0x00, 0x00, 10, 11, 12, 13}));
}

TEST_F(NetworkFiles, SchemeWithoutAMixRepeatsRowZero)
{
    make_ring(3, 3);
    carule[0][0] = 0x96;
    EXPECT_EQ(save_wrs_file("one.r_s", nullptr, 2), 's');
    EXPECT_EQ(contents("one.r_s"), (bytes{2, 3, 3, 0, 0, 0, 0x96, 0x96, 0x96}));
}

TEST_F(NetworkFiles, RegularRingWiringByteForByte)
{
    make_ring(10, 3);
    EXPECT_EQ(save_wrs_file("ring.w_s", nullptr, 1), 's');
    bytes expected = {0x02, 0x03, 0x0A, 0x00, 0x00, 0x00};
    for (int c = 0; c < 10; c++)
        for (int p = 0; p < 3; p++)
            expected.push_back(static_cast<uint8_t>((c + 9 + p) % 10));
    EXPECT_EQ(expected.size(), 36u);
    EXPECT_EQ(contents("ring.w_s"), expected);
}

TEST_F(NetworkFiles, WiringEntriesAreOneByteUpTo254CellsAndTwoAbove)
{
    make_ring(254, 3);
    nhoodm[0] = 2;
    wiring[0][2] = Maxu;
    save_wrs_file("n254.w_s", nullptr, 1);
    bytes small = contents("n254.w_s");
    ASSERT_EQ(small.size(), 6u + 254 * 3);
    EXPECT_EQ(small[6], 253);  // cell 0 reads 253, 0, and an unused slot
    EXPECT_EQ(small[8], 0xFF);
    free_network();
    make_ring(300, 3);
    save_wrs_file("n300.w_s", nullptr, 1);
    bytes large = contents("n300.w_s");
    ASSERT_EQ(large.size(), 6u + 300 * 3 * 2);
    EXPECT_EQ((bytes{large[2], large[3]}), (bytes{0x2C, 0x01}));
    EXPECT_EQ((bytes{large[6], large[7], large[8], large[9]}), (bytes{0x2B, 0x01, 0x00, 0x00}));
}

TEST_F(NetworkFiles, WiringRoundTripAndAMarkEndsACellsInputs)
{
    make_ring(10, 3);
    save_wrs_file("ring.w_s", nullptr, 1);
    bytes file = contents("ring.w_s");
    // Cell 2 reads 4, the unused mark, 7: k = 1, input 4, the rest unused.
    file[6 + 2 * 3] = 4;
    file[6 + 2 * 3 + 1] = 0xFF;
    file[6 + 2 * 3 + 2] = 7;
    write_file("marked.w_s", file);
    for (int c = 0; c < 10; c++)
        for (int p = 0; p < 3; p++)
            wiring[c][p] = 0;
    EXPECT_EQ(load_wrs_file("marked.w_s", nullptr, 1), 3);
    EXPECT_EQ(nhoodm[2], 1);
    EXPECT_EQ(wiring[2][0], 4);
    EXPECT_EQ(wiring[2][1], Maxu);
    EXPECT_EQ(wiring[2][2], Maxu);
    EXPECT_EQ(wiring[5][0], 4);
    EXPECT_EQ(wiring[5][2], 6);
    EXPECT_EQ(nhoodm[5], 3);
}

TEST_F(NetworkFiles, AWiringFileOfAnotherVLoadsButARuleFileDoesNot)
{
    make_ring(10, 3);
    save_wrs_file("ring.w_s", nullptr, 1);
    bytes file = contents("ring.w_s");
    file[0] = 3;
    write_file("v3.w_s", file);
    EXPECT_EQ(load_wrs_file("v3.w_s", nullptr, 1), 3);
    write_file("v3.rul", bytes{3, 3, 0, 0});
    expect_refused("v3.rul", 0);
}

// A first byte of 0 is no v byte: it is the k byte of a v = 2 file, and a
// k of 0 is refused by name and cause, as a rule scheme's is.
TEST_F(NetworkFiles, AFirstByteOfZeroIsReadAsTheKByteOfAV2File)
{
    make_ring(10, 3);
    write_file("old.rul", bytes{0x00, 0x96});
    expect_refused("old.rul", 0);
    EXPECT_EQ(last_file_error(), "file error old.rul: k=0 below the least 1");
    EXPECT_EQ(contents("old.rul"), (bytes{0x00, 0x96}));
}

TEST_F(NetworkFiles, DamagedFilesAreRefusedAndChangeNothing)
{
    make_ring(10, 3);
    carule[0][0] = 0x5A;
    save_wrs_file("good.w_s", nullptr, 1);
    bytes good = contents("good.w_s");

    bytes shorter(good.begin(), good.end() - 1);
    write_file("short.w_s", shorter);
    expect_refused("short.w_s", 1);

    write_file("empty.w_s", bytes{});
    expect_refused("empty.w_s", 1);

    bytes big_k = good;
    big_k[1] = 14;  // above Maxnhood 13
    write_file("bigk.w_s", big_k);
    expect_refused("bigk.w_s", 1);
    write_file("bigk.rul", bytes{2, 127, 0});
    expect_refused("bigk.rul", 0);

    bytes far_entry = good;
    far_entry[6 + 4] = 10;  // names cell 10 of a 10-cell file
    write_file("far.w_s", far_entry);
    expect_refused("far.w_s", 1);

    bytes sides = good;
    sides[4] = 3;  // 3 x 4 is not 10 cells
    sides[5] = 4;
    write_file("sides.w_s", sides);
    expect_refused("sides.w_s", 1);

    write_file("short.rul", bytes{2, 4});  // k = 4 needs 2 rule bytes
    expect_refused("short.rul", 0);

    bytes larger = good;
    larger[2] = 11;  // 11 cells into 10
    for (int p = 0; p < 3; p++)
        larger.push_back(0);
    write_file("larger.w_s", larger);
    expect_refused("larger.w_s", 1);
}

TEST_F(NetworkFiles, ValuesOfVOrMoreAreRefused)
{
    use_v(3);
    make_ring(4, 1);
    // v = 3, k = 1: three 2-bit entries; 0x30 puts 3 in entry 2.
    write_file("bad.rul", bytes{3, 1, 0x30});
    expect_refused("bad.rul", 0);
    write_file("good.rul", bytes{3, 1, 0x21});
    EXPECT_EQ(load_wrs_file("good.rul", carule[0], 0), 1);
    EXPECT_EQ(carule[0][0], 0x21);
    uint8_t state[1] = {0};
    write_file("bad.eed", bytes{3, 4, 0, 0, 0, 0xC0});
    testing::internal::CaptureStderr();
    EXPECT_EQ(load_wrs_file("bad.eed", state, 's'), 255);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(state[0], 0);
}

TEST_F(NetworkFiles, LargerKAndMixedKFilesAreRefusedOnceRulesAreSet)
{
    make_ring(10, 3);
    save_wrs_file("k3.w_s", nullptr, 1);
    bytes file = contents("k3.w_s");
    file[1] = 0x83;
    write_file("mixed.w_s", file);
    rules_set = true;
    expect_refused("mixed.w_s", 1);
    rules_set = false;
    EXPECT_EQ(load_wrs_file("mixed.w_s", nullptr, 1), 3);
    EXPECT_EQ(nhood_mixed, 1);
    free_network();
    nhood_mixed = 0;
    make_ring(10, 2);
    expect_refused("k3.w_s", 1);
}

TEST_F(NetworkFiles, SeedOfTenCellsIsSevenBytes)
{
    make_ring(10, 3);
    uint8_t seed[2] = {0x05, 0x02};
    EXPECT_EQ(save_wrs_file("s10.eed", seed, 's'), 's');
    EXPECT_EQ(contents("s10.eed"), (bytes{2, 10, 0, 0, 0, 0x05, 0x02}));
    uint8_t back[2] = {0, 0};
    EXPECT_EQ(load_wrs_file("s10.eed", back, 's'), 10);
    EXPECT_EQ(back[0], 0x05);
    EXPECT_EQ(back[1], 0x02);
}

// A 20 x 10 v = 2 seed whose cell (x, y) holds (x + 3y) mod 2... made
// distinctive: cell value is 1 when x + y*7 is divisible by 3.
int
pattern_value(int x, int y)
{
    return (x + 7 * y) % 3 == 0;
}

bytes
twenty_by_ten_seed()
{
    bytes file = {2, 200, 0, 20, 10};
    bytes line(25, 0);
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 20; x++)
            set_value(line.data(), static_cast<uint32_t>(x + 20 * y), pattern_value(x, y));
    file.insert(file.end(), line.begin(), line.end());
    return file;
}

TEST_F(NetworkFiles, SmallerSeedIsPlacedInTheMiddleOfALargerLattice)
{
    make_lattice(40, 30, 3);
    write_file("s20x10.eed", twenty_by_ten_seed());
    std::vector<uint8_t> state(bytesL, 0);
    // Cells outside the block keep what they held.
    set_value(state.data(), 0, 1);
    EXPECT_EQ(load_wrs_file("s20x10.eed", state.data(), 's'), 200);
    EXPECT_EQ(file_dim, 2);
    EXPECT_EQ(file_starti, 10);
    EXPECT_EQ(file_startj, 10);
    EXPECT_EQ(file_i, 20);
    EXPECT_EQ(file_j, 10);
    EXPECT_EQ(get_value(state.data(), 0), 1);
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 40; x++) {
            bool inside = x >= 10 && x < 30 && y >= 10 && y < 20;
            int expected = inside ? pattern_value(x - 10, y - 10) : (x == 0 && y == 0);
            ASSERT_EQ(get_value(state.data(), static_cast<uint32_t>(x + 40 * y)), expected)
                << x << "," << y;
        }
}

TEST_F(NetworkFiles, LargerSeedIsCutToItsCentralBlock)
{
    make_lattice(10, 10, 3);
    write_file("s20x10.eed", twenty_by_ten_seed());
    std::vector<uint8_t> state(bytesL, 0xFF);
    load_wrs_file("s20x10.eed", state.data(), 's');
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 10; x++)
            ASSERT_EQ(get_value(state.data(), static_cast<uint32_t>(x + 10 * y)),
                      pattern_value(x + 5, y))
                << x << "," << y;
}

TEST_F(NetworkFiles, LongerOneDSeedKeepsItsFirstCells)
{
    make_ring(6, 3);
    uint8_t state[1] = {0};
    write_file("s12.eed", bytes{2, 12, 0, 0, 0, 0xF4, 0x0F});
    load_wrs_file("s12.eed", state, 's');
    EXPECT_EQ(state[0], 0x34);  // cells 0..5 of 0xF4, the padding bits clear
}

TEST_F(NetworkFiles, SmallerWiringIsMappedIntoALattice)
{
    make_lattice(4, 3, 3);
    // A 2 x 2 lattice file: cell f reads f, (f+1) mod 4, f.
    bytes file = {2, 3, 4, 0, 2, 2};
    for (int f = 0; f < 4; f++)
        for (int e : {f, (f + 1) % 4, f})
            file.push_back(static_cast<uint8_t>(e));
    write_file("small.w_s", file);
    EXPECT_EQ(load_wrs_file("small.w_s", nullptr, 1), 3);
    // Centred at (1, 0): file cell f -> 1 + f%2 + 4*(f/2).
    EXPECT_EQ(file_starti, 1);
    EXPECT_EQ(file_startj, 0);
    EXPECT_EQ(wiring[1][0], 1);
    EXPECT_EQ(wiring[1][1], 2);
    EXPECT_EQ(wiring[6][1], 1);  // file cell 3 reads file cell 0
    EXPECT_EQ(wiring[6][0], 6);
}

TEST_F(NetworkFiles, RuleOfAnotherKRebuildsTheNetworkOnceDuringTheSetUp)
{
    long live = live_allocations;
    make_ring(10, 3);
    set_up_v_code();
    write_file("k5.rul", bytes{2, 5, 0x11, 0x22, 0x33, 0x44});
    EXPECT_EQ(load_wrs_file("k5.rul", carule[0], 0), 5);
    EXPECT_EQ(nhood, 5);
    EXPECT_EQ(nhood_lb, 5);
    EXPECT_EQ(nhoodm[9], 5);
    EXPECT_EQ((bytes(carule[0], carule[0] + 4)), (bytes{0x11, 0x22, 0x33, 0x44}));
    // Regular 1d wiring of 5 inputs: cell 0 reads 8, 9, 0, 1, 2.
    EXPECT_EQ(wiring[0][0], 8);
    EXPECT_EQ(wiring[0][4], 2);
    // Everything rebuilt for k = 5 is released by the frees of k = 5.
    free_network();
    EXPECT_EQ(live_allocations, live);
}

TEST_F(NetworkFiles, RuleOfAnotherKAfterTheSetUpIsLeftToTheCaller)
{
    make_ring(10, 3);
    write_file("k5.rul", bytes{2, 5, 0x11, 0x22, 0x33, 0x44});
    secondpart = 1;
    snapshot before = take();
    EXPECT_EQ(load_wrs_file("k5.rul", carule[0], 0), 5);
    EXPECT_TRUE(before == take());
    secondpart = 0;
}

TEST_F(NetworkFiles, HypercubeRefusesAKItCannotWire)
{
    make_ring(8, 3);
    whatwire = whatwire_hypercube;
    write_file("k5.rul", bytes{2, 5, 0x11, 0x22, 0x33, 0x44});
    expect_refused("k5.rul", 0);
    whatwire = whatwire_1d;
}

TEST_F(NetworkFiles, MissingFileBacksOutWithQ)
{
    make_ring(10, 3);
    testing::internal::CaptureStderr();
    EXPECT_EQ(load_wrs_file("none.w_s", nullptr, 1), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("file error none.w_s"), std::string::npos);
    EXPECT_EQ(is[0], 'q');
}

// A kcode of a larger k for outer-totalistic kcodes (into the caller's
// buffer) rebuilds the network and leaves the buffer, sized for the old k,
// untouched: the returned k tells the caller the new size.
TEST_F(NetworkFiles, LargerKcodeForTheCallersBufferNeverOverrunsIt)
{
    tot_only = outer_tot = 1;
    totalistic = rule_kind_kcodes;
    make_ring(10, 5);
    write_file("k9.vco", bytes{0x02, 0x09, 0x00, 0x00});
    std::vector<uint8_t> buffer(single_rule_record_bytes(5), 0xA5);
    EXPECT_EQ(load_wrs_file("k9.vco", buffer.data(), 0), 9);
    EXPECT_EQ(nhood, 9);
    EXPECT_EQ(buffer, bytes(single_rule_record_bytes(5), 0xA5));
    // Loaded again into a buffer of the new k, the kcode is copied.
    std::vector<uint8_t> larger(single_rule_record_bytes(9), 0xA5);
    EXPECT_EQ(load_wrs_file("k9.vco", larger.data(), 0), 9);
    EXPECT_EQ(larger, bytes(2, 0x00));
}

// The bits past a smaller k's rule in its last byte are no entries of the
// longer row it goes to.
TEST_F(NetworkFiles, SmallerKSchemeRecordsLeaveTheRestOfTheRowClear)
{
    make_ring(4, 3, true);
    write_file("k2.r_s", bytes{2, 2, 4, 0, 0, 0, 0xF5, 0xF5, 0xF5, 0xF5});
    EXPECT_EQ(load_wrs_file("k2.r_s", nullptr, 2), 2);
    for (int c = 0; c < 4; c++)
        EXPECT_EQ(carule[c][0], 0x05) << c;
    bytes both = {2, 2, 4, 0, 0, 0};
    for (int f = 0; f < 4; f++)
        for (int e : {0xF5, f, (f + 1) % 4})
            both.push_back(static_cast<uint8_t>(e));
    write_file("k2.wrs", both);
    for (int c = 0; c < 4; c++)
        carule[c][0] = 0;
    EXPECT_EQ(load_wrs_file("k2.wrs", nullptr, 3), 2);
    for (int c = 0; c < 4; c++)
        EXPECT_EQ(carule[c][0], 0x05) << c;
}

TEST_F(NetworkFiles, SmallerKSchemeOfV3HoldsNoValueOfThree)
{
    use_v(3);
    make_ring(4, 2, true);
    // k = 1: three 2-bit entries 0, 0, 0 and padding bits 11.
    write_file("k1.r_s", bytes{3, 1, 4, 0, 0, 0, 0xC0, 0xC0, 0xC0, 0xC0});
    EXPECT_EQ(load_wrs_file("k1.r_s", nullptr, 2), 1);
    for (int c = 0; c < 4; c++)
        for (uint32_t e = 0; e < 9; e++)
            EXPECT_LT(get_value(carule[c], e), 3) << c << "," << e;
}

TEST_F(NetworkFiles, SingleRuleRecordsHaveClearPadding)
{
    make_ring(10, 1);
    write_file("k1.rul", bytes{2, 1, 0xFE});
    EXPECT_EQ(load_wrs_file("k1.rul", carule[0], 0), 1);
    EXPECT_EQ(carule[0][0], 0x02);
}

// Every cell has a k of 1..Maxnhood, as a k-mix file demands: a cell whose
// first wiring entry is the unused mark is refused.
TEST_F(NetworkFiles, AWiringCellOfNoInputsIsRefused)
{
    make_ring(10, 3);
    save_wrs_file("ring.w_s", nullptr, 1);
    bytes file = contents("ring.w_s");
    file[6 + 2 * 3] = 0xFF;
    write_file("nok.w_s", file);
    expect_refused("nok.w_s", 1);
}

TEST_F(NetworkFiles, ASmallerKWiringWithoutTheFlagMakesTheNetworkMixed)
{
    make_ring(10, 3);
    bytes file = {2, 2, 10, 0, 0, 0};
    for (int f = 0; f < 10; f++)
        for (int e : {f, (f + 1) % 10})
            file.push_back(static_cast<uint8_t>(e));
    write_file("k2.w_s", file);
    EXPECT_EQ(load_wrs_file("k2.w_s", nullptr, 1), 2);
    EXPECT_EQ(nhoodm[4], 2);
    EXPECT_EQ(wiring[4][2], Maxu);
    EXPECT_EQ(nhood_mixed, 1);
}

// 255 is both a refusal and the cell count of a seed of 255 cells: only a
// refusal leaves 'q' in is[0].
TEST_F(NetworkFiles, ASeedOf255CellsIsToldFromARefusal)
{
    make_ring(255, 3);
    bytes seed = {2, 255, 0, 0, 0};
    seed.resize(seed.size() + 32, 0x11);
    seed.back() = 0x01;  // cell 248 set, the padding bit clear
    write_file("s255.eed", seed);
    std::vector<uint8_t> state(bytesL, 0);
    is[0] = 'q';
    EXPECT_EQ(load_wrs_file("s255.eed", state.data(), 's'), 255);
    EXPECT_NE(is[0], 'q');
    EXPECT_EQ(state[0], 0x11);
    write_file("short.eed", bytes(seed.begin(), seed.end() - 1));
    std::vector<uint8_t> before = state;
    testing::internal::CaptureStderr();
    EXPECT_EQ(load_wrs_file("short.eed", state.data(), 's'), 255);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(state, before);
}

} // namespace

namespace {

// A single-rule file of a rule kind (totalistic) on a network of v and k
// 3 (1 for v = 3), what its load returns and says.
struct single_rule_case {
    int kind, v;
    bytes file;
    int result;
    std::string said;
};

bytes
with_spare(bytes file, size_t spare)
{
    file.resize(file.size() + spare, 0x5A);
    return file;
}

}  // namespace

// A single rule of any kind is loaded or refused for what it holds, up to
// the largest single rule of any v, kind and k: a v = 8, k = 11 kcode,
// 31824 entries of 3 bits, 11936 bytes with v and k. One byte more is too
// large for every kind.
TEST_F(NetworkFiles, SingleRuleFilesSayTheTrueCause)
{
    const std::string spare = "f.rul: 1000 bytes spare past its rule left out, cont-ret:\n";
    const std::string v3 = "v-range (2) not equal to file v-range(3), cant load, cont-ret:\n";
    const single_rule_case cases[] = {
        {rule_kind_tables, 2, with_spare({2, 3, 0x96}, 1000), 3, spare},
        {rule_kind_tcodes, 2, with_spare({2, 3, 0x06}, 1000), 3, spare},
        {rule_kind_kcodes, 2, with_spare({2, 3, 0x06}, 1000), 3, spare},
        // v = 3: a k = 9 tcode, 19 entries in 5 bytes, a k = 3 kcode, 10 in
        // 3; each longer than any v = 2 code.
        {rule_kind_tcodes, 2, {3, 9, 0, 0, 0, 0, 0}, 255, v3},
        {rule_kind_kcodes, 2, {3, 3, 0, 0, 0}, 255, v3},
        {rule_kind_tcodes, 2, with_spare({8, 11}, 11934), 255,
         "v-range (2) not equal to file v-range(8), cant load, cont-ret:\n"},
        {rule_kind_tcodes, 2, with_spare({8, 11}, 11935), 0, "file error f.rul: File too large\n"},
        {rule_kind_tcodes, 2, {2, 14, 0, 0}, 255, "file error f.rul: k=14 past the most 13\n"},
        {rule_kind_kcodes, 2, {2, 13, 0}, 255,
         "file error f.rul: a k=13 rule is 2 bytes, file holds 1\n"},
        {rule_kind_tables, 2, {2, 3}, 255, "file error f.rul: a k=3 rule is 1 byte, file holds 0\n"},
        // v = 3, k = 1: a tcode of three 2-bit entries; 0x30 puts 3 in entry 2.
        {rule_kind_tcodes, 3, {3, 1, 0x30}, 255, "file error f.rul: entry 2 is 3, values run 0-2\n"},
    };
    for (const single_rule_case &c : cases) {
        use_v(c.v);
        totalistic = static_cast<int8_t>(c.kind);
        make_ring(10, c.v == 2 ? 3 : 1);
        write_file("f.rul", c.file);
        snapshot before = take();
        testing::internal::CaptureStderr();
        EXPECT_EQ(load_wrs_file("f.rul", carule[0], 0), c.result) << c.said;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.said);
        EXPECT_TRUE(c.result == 3 || before == take()) << c.said;
        EXPECT_EQ(contents("f.rul"), c.file) << c.said;
        free_network();
    }
}

// A scheme's records are rule tables, or codes on a network of codes
// alone: a file of the other kind is refused by name when its length fits
// that kind (v = 3, k = 3: a table is 7 bytes, a tcode 2), and one of a
// wrong k byte when sound cells of another k fit it.
TEST_F(NetworkFiles, SchemesOfAnotherRuleKindOrKSaySo)
{
    use_v(3);
    make_ring(10, 3, true);
    // Rules of 2s: their bytes (0xAA) read as wiring name no cell.
    for (int c = 0; c < 10; c++) {
        for (uint32_t e = 0; e < 27; e++)
            set_value(carule[c], e, 2);
        for (uint32_t e = 0; e < 7; e++)
            set_value(cacode[c], e, 2);
    }
    ASSERT_EQ(save_wrs_file("tables.wrt", nullptr, 3), 's');
    bytes tables = contents("tables.wrt");
    // Twenty cells of tcodes would be as long, but their wiring would name
    // no cell: the header's n is what is wrong.
    bytes twenty = tables;
    twenty[2] = 20;
    write_file("twenty.wrs", twenty);
    expect_refused("twenty.wrs", 3);
    EXPECT_EQ(last_file_error(), "file error twenty.wrs: header says 20 cells, file holds 10");
    tot_only = 1;
    totalistic = rule_kind_tcodes;
    expect_refused("tables.wrt", 3);
    EXPECT_EQ(last_file_error(),
              "file error tables.wrt: its cells hold k=3 rule tables, this network takes tcodes");
    // A k byte lowered by hand: no whole cells of its k, sound ones of 3.
    ASSERT_EQ(save_wrs_file("codes.wrt", nullptr, 3), 's');
    bytes lowered = contents("codes.wrt");
    lowered[1] = 2;
    write_file("k2.wrt", lowered);
    expect_refused("k2.wrt", 3);
    EXPECT_EQ(last_file_error(), "file error k2.wrt: its cells hold k=3 inputs, its k byte says 2");
    ASSERT_EQ(save_wrs_file("codes.r_t", nullptr, 2), 's');
    tot_only = 0;
    expect_refused("codes.r_t", 2);
    EXPECT_EQ(last_file_error(),
              "file error codes.r_t: its cells hold k=3 tcodes, this network takes rule tables");
}
