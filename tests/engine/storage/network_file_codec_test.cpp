// The network file layouts on plain arrays: single rules, wiring and seeds
// encoded byte for byte and decoded back, the whole-file checks that refuse
// damaged files before anything changes, and the shape and cell maps of a
// file placed into a lattice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"
#include "engine/storage/network_file_codec.h"
#include "engine/storage/side_file_codecs.h"
#include "engine/wiring/globals.h"

namespace {

using bytes = std::vector<uint8_t>;

class NetworkFileCodec : public ::testing::Test {
protected:
    void SetUp() override
    {
        use_v(2);
        Maxnhood = 13;
        totalistic = rule_kind_tables;
        tot_only = rulemix = nhood_mixed = 0;
        oned = 1;
        twod = threed = 0;
    }
    void TearDown() override
    {
        wiring = nullptr;
        nhoodm = nullptr;
    }
    static void use_v(int v)
    {
        value_range = static_cast<int8_t>(v);
        value_bits = static_cast<int8_t>(check_value_bits(v));
    }
    static void use_n(int n)
    {
        lineL = static_cast<uint16_t>(n);
        L = static_cast<uint16_t>(n - 1);
        bytesL = static_cast<uint16_t>((n * value_bits + 7) / 8);
    }
    // A ring of n cells with k = 3 inputs: cell c reads c-1, c, c+1, in
    // arrays of the test (wiring and nhoodm point into them).
    void make_ring(int n)
    {
        use_n(n);
        nhood = 3;
        rows.assign(n, std::vector<uint16_t>(3, 0));
        row_ptrs.clear();
        for (int c = 0; c < n; c++) {
            rows[c] = {static_cast<uint16_t>((c + n - 1) % n), static_cast<uint16_t>(c),
                       static_cast<uint16_t>((c + 1) % n)};
            row_ptrs.push_back(rows[c].data());
        }
        ks.assign(n, 3);
        wiring = row_ptrs.data();
        nhoodm = ks.data();
    }
    static network_file_check decode(const bytes &file, int what, network_file *out)
    {
        return decode_network_file(file.data(), file.size(), what, out);
    }

    std::vector<std::vector<uint16_t>> rows;
    std::vector<uint16_t *> row_ptrs;
    std::vector<int8_t> ks;
};

TEST_F(NetworkFileCodec, SingleRuleRoundTrips)
{
    nhood = 3;
    uint8_t rule = 30;
    bytes file;
    ASSERT_EQ(encode_network_file(0, &rule, file), network_part_missing::none);
    EXPECT_EQ(file, (bytes{2, 3, 30}));
    network_file got;
    ASSERT_EQ(decode(file, 0, &got), network_file_check::sound);
    EXPECT_EQ(got.k, 3);
    EXPECT_EQ(got.body[0], 30);
}

TEST_F(NetworkFileCodec, SingleRuleWithoutVByteHasItsKFirst)
{
    nhood = 3;
    network_file got;
    EXPECT_EQ(decode(bytes{0x00, 0x96}, 0, &got), network_file_check::damaged);
    EXPECT_EQ(got.fault, "k=0 below the least 1");
}

TEST_F(NetworkFileCodec, DamagedOrForeignRulesAreRefused)
{
    nhood = 3;
    network_file got;
    EXPECT_EQ(decode(bytes{}, 0, &got), network_file_check::damaged);
    EXPECT_EQ(decode(bytes{3, 3, 0, 0}, 0, &got), network_file_check::wrong_v);
    EXPECT_EQ(got.file_v, 3);
    EXPECT_EQ(decode(bytes{2, 127, 0}, 0, &got), network_file_check::damaged);
    EXPECT_EQ(decode(bytes{2, 4, 0}, 0, &got), network_file_check::damaged);  // k = 4: 2 bytes
    use_v(3);
    EXPECT_EQ(decode(bytes{3, 1, 0x30}, 0, &got), network_file_check::damaged);  // entry 2 = 3
    EXPECT_EQ(decode(bytes{3, 1, 0x21}, 0, &got), network_file_check::sound);
}

// A single rule is one rule of the network's kind in a rule file and in
// the last-rule file alike: for each kind, a rule whose entries are all
// values (the padding past them set) is taken by both, and a value of v in
// its last entry is refused by both.
TEST_F(NetworkFileCodec, RuleAndLastRuleFilesCheckTheSameEntries)
{
    use_v(3);
    nhood = 3;
    for (int kind : {rule_kind_tables, rule_kind_tcodes, rule_kind_kcodes}) {
        SCOPED_TRACE(kind);
        totalistic = kind;
        uint64_t entries = single_rule_entries(3);
        size_t record = static_cast<size_t>(single_rule_record_bytes(3));
        ASSERT_EQ(record, (entries * 2 + 7) / 8);
        bytes rule(record, 0xFF);  // every padding bit set
        for (uint64_t e = 0; e < entries; e++)
            set_value(rule.data(), static_cast<uint32_t>(e), 2);
        for (int last : {2, 3}) {
            set_value(rule.data(), static_cast<uint32_t>(entries - 1), last);
            bytes file(2 + record, 3);  // v = 3, k = 3, then the rule
            std::copy(rule.begin(), rule.end(), file.begin() + 2);
            network_file got;
            std::vector<uint8_t> back(record, 0);
            bool sound = last < 3;
            EXPECT_EQ(decode(file, 0, &got) == network_file_check::sound, sound) << last;
            EXPECT_EQ(decode_last_rule(file.data(), file.size(), 3, back.data()) ==
                          last_rule_check::sound,
                      sound)
                << last;
        }
    }
}

TEST_F(NetworkFileCodec, RingWiringRoundTripsThroughApply)
{
    make_ring(10);
    bytes file;
    ASSERT_EQ(encode_network_file(1, nullptr, file), network_part_missing::none);
    ASSERT_EQ(file.size(), 36u);
    EXPECT_EQ(bytes(file.begin(), file.begin() + 9), (bytes{2, 3, 10, 0, 0, 0, 9, 0, 1}));

    network_file got;
    ASSERT_EQ(decode(file, 1, &got), network_file_check::sound);
    EXPECT_EQ(got.n, 10u);
    EXPECT_EQ(got.shape.dim, 1);
    EXPECT_EQ(got.entry_width, 1);
    auto saved = rows;
    for (auto &r : rows)
        r.assign(3, 0);
    std::vector<uint16_t> map;
    file_placement whole;
    ASSERT_TRUE(map_file_cells(whole, 10, map));
    zonesize = 1; // the zone of the last random wiring drawn
    apply_net_file(got, 1, got.n, map);
    EXPECT_EQ(rows, saved);
    // No zone confined the wiring read: a later redraw draws from the
    // whole ring.
    EXPECT_EQ(zonesize, 10u);
}

TEST_F(NetworkFileCodec, WiringEntriesPastTheFileOrShortFilesAreRefused)
{
    make_ring(10);
    bytes file;
    encode_network_file(1, nullptr, file);
    network_file got;
    bytes far = file;
    far[6] = 10;  // cell 0 reads cell 10 of a 10-cell file
    EXPECT_EQ(decode(far, 1, &got), network_file_check::damaged);
    bytes marked = file;
    marked[8] = 0xFF;  // the unused mark is no index
    EXPECT_EQ(decode(marked, 1, &got), network_file_check::sound);
    EXPECT_EQ(decode(bytes(file.begin(), file.end() - 1), 1, &got), network_file_check::damaged);
    bytes sides = file;
    sides[4] = 3;
    sides[5] = 3;  // 3 x 3 is not 10 cells
    EXPECT_EQ(decode(sides, 1, &got), network_file_check::damaged);
}

TEST_F(NetworkFileCodec, MissingPartsAreNamed)
{
    use_n(10);
    nhood = 3;
    wiring = nullptr;
    bytes file;
    EXPECT_EQ(encode_network_file(0, nullptr, file), network_part_missing::rule);
    EXPECT_EQ(encode_network_file(1, nullptr, file), network_part_missing::wiring);
    EXPECT_EQ(encode_network_file(kSeedFile, nullptr, file), network_part_missing::state);
}

TEST_F(NetworkFileCodec, SeedRoundTripsAndValuesOfVOrMoreAreRefused)
{
    use_n(10);
    uint8_t seed[2] = {0xA5, 0x02};
    bytes file;
    ASSERT_EQ(encode_network_file(kSeedFile, seed, file), network_part_missing::none);
    EXPECT_EQ(file, (bytes{2, 10, 0, 0, 0, 0xA5, 0x02}));
    network_file got;
    ASSERT_EQ(decode(file, kSeedFile, &got), network_file_check::sound);
    std::vector<uint16_t> map;
    ASSERT_TRUE(map_file_cells(file_placement(), got.n, map));
    uint8_t back[2] = {0, 0};
    apply_seed_file(got, map, back);
    EXPECT_EQ(back[0], 0xA5);
    EXPECT_EQ(back[1], 0x02);

    use_v(3);
    use_n(4);
    EXPECT_EQ(decode(bytes{3, 4, 0, 0, 0, 0xC0}, kSeedFile, &got), network_file_check::damaged);
}

// Each way a file is damaged is said in the file error box's words.
TEST_F(NetworkFileCodec, DamagedFilesSayWhy)
{
    nhood = 3;
    auto fault_of = [](const bytes &file, int what) {
        network_file got;
        EXPECT_EQ(decode(file, what, &got), network_file_check::damaged);
        return got.fault;
    };
    EXPECT_EQ(fault_of(bytes{}, 0), "empty file");
    EXPECT_EQ(fault_of(bytes{2, 127, 0}, 0), "k=127 past the most 13");
    EXPECT_EQ(fault_of(bytes{2, 4, 0}, 0), "a k=4 rule is 2 bytes, file holds 1");

    make_ring(10);
    bytes file;
    encode_network_file(1, nullptr, file);
    bytes far = file, unwired = file, zero_k = file, flat = file, layered = file;
    far[6 + 3 * 4 + 1] = 10;  // cell 4's second input
    EXPECT_EQ(fault_of(far, 1), "cell 4 wired to cell 10, file has 10");
    unwired[6 + 3 * 2] = 0xFF;  // cell 2 reads nothing
    EXPECT_EQ(fault_of(unwired, 1), "cell 2 has no inputs");
    zero_k[1] = 0;
    EXPECT_EQ(fault_of(zero_k, 1), "k=0 below the least 1");
    flat[4] = flat[5] = 3;
    EXPECT_EQ(fault_of(flat, 1), "header says 10 cells, sides 3x3 hold 9");
    layered[4] = layered[5] = 2;
    EXPECT_EQ(fault_of(layered, 1), "header says 10 cells, not whole 2x2 layers");
    EXPECT_EQ(fault_of(bytes(file.begin(), file.end() - 1), 1),
              "header says 10 cells, file holds 9");
    EXPECT_EQ(fault_of(bytes(file.begin(), file.begin() + 4), 1), "file ends inside its header");
    bytes nine = file;
    nine[1] = 9;  // records of 27 bytes: the k is named, not 1 cell of 10
    EXPECT_EQ(fault_of(nine, 1), "k=9 past the most 3");
    EXPECT_EQ(fault_of(bytes{2, 0, 0, 0, 0}, kSeedFile), "header says 0 cells");

    use_v(3);
    EXPECT_EQ(fault_of(bytes{3, 1, 0x30}, 0), "entry 2 is 3, values run 0-2");
    // A k = 1 scheme of two cells, one byte a rule: cell 1's entry 1 is 3.
    EXPECT_EQ(fault_of(bytes{3, 1, 2, 0, 0, 0, 0x21, 0x0C}, 2),
              "cell 1 rule entry 1 is 3, values run 0-2");
    EXPECT_EQ(fault_of(bytes{3, 4, 0, 0, 0, 0xC0}, kSeedFile), "cell 3 is 3, values run 0-2");
    EXPECT_EQ(fault_of(bytes{3, 9, 0, 0, 0, 0, 0}, kSeedFile), "header says 9 cells, file holds 8");
}

// Over many random files of every kind, a file is refused as damaged
// exactly when it is given a fault: no refusal goes unsaid.
TEST_F(NetworkFileCodec, EveryDamagedFileHasAFault)
{
    use_v(3);
    nhood = 2;
    Maxnhood = 4;
    srandom(55);
    int damaged_seen = 0;
    for (int what : {0, 1, 2, 3, kSeedFile}) {
        for (int trial = 0; trial < 3000; trial++) {
            bytes file(static_cast<size_t>(random() % 24));
            for (auto &b : file)
                b = static_cast<uint8_t>(random() % 5 == 0 ? random() % 256 : random() % 4);
            if (!file.empty())
                file[0] = 3;
            // Mostly a header of a few cells of one row, so that the
            // records are checked too.
            bool records = what != 0 && file.size() >= 6 && random() % 8 != 0;
            for (size_t b = what == kSeedFile ? 1 : 2; records && b < 6; b++)
                file[b] = b == (what == kSeedFile ? 1u : 2u) ? static_cast<uint8_t>(1 + random() % 3)
                                                              : 0;
            network_file got;
            network_file_check check = decode(file, what, &got);
            damaged_seen += check == network_file_check::damaged;
            EXPECT_EQ(check == network_file_check::damaged, !got.fault.empty())
                << what << " " << trial << ": " << got.fault;
        }
    }
    EXPECT_GT(damaged_seen, 1000);
}

TEST_F(NetworkFileCodec, ShapesAndMapsOfASmallerBlock)
{
    file_block shape;
    EXPECT_TRUE(file_shape(200, 20, 10, &shape));
    EXPECT_EQ(shape.dim, 2);
    EXPECT_TRUE(file_shape(60, 5, 4, &shape));
    EXPECT_EQ(shape.dim, 3);
    EXPECT_EQ(shape.h, 3);
    EXPECT_FALSE(file_shape(7, 2, 3, &shape));
    EXPECT_FALSE(file_shape(0, 0, 0, &shape));

    // A 1d file of 4 cells becomes one row of a 6 x 5 lattice.
    use_n(30);
    oned = 0;
    twod = 2;
    i2d = 6;
    j2d = 5;
    file_shape(4, 0, 0, &shape);
    int dim = 0;
    file_block b = fitted_block(shape, 4, &dim);
    EXPECT_EQ(dim, 2);
    EXPECT_EQ(b.i, 4);
    EXPECT_EQ(b.j, 1);
    file_placement p;
    p.dim = 2;
    p.i = 4;
    p.j = 1;
    p.si = 1;
    p.sj = 2;
    std::vector<uint16_t> map;
    ASSERT_TRUE(map_file_cells(p, 4, map));
    EXPECT_EQ(map, (std::vector<uint16_t>{13, 14, 15, 16}));
    p.si = 3;  // the row would run past the lattice's edge into the next row: still inside
    EXPECT_TRUE(map_file_cells(p, 4, map));
    p.sj = 5;  // below the last row
    EXPECT_FALSE(map_file_cells(p, 4, map));
}

} // namespace
