// The tree builder and the acceptance step: tree totals against brute force
// on small rings for each method, the level limit, the in-degree counts,
// rotation compression of a uniform root's fan, rot_cycle_equiv, and the
// attractor-predecessor test.
#include "tree_test_support.h"

#include <set>

namespace {

struct totals {
    uint32_t size = 0, gofe = 0, depth = 0, max_fan = 0;
    bool operator==(const totals &o) const
    {
        return size == o.size && gofe == o.gofe && depth == o.depth && max_fan == o.max_fan;
    }
};

std::ostream &
operator<<(std::ostream &os, const totals &t)
{
    return os << "size " << t.size << " g " << t.gofe << " depth " << t.depth << " mp " << t.max_fan;
}

// The subtree of a transient root from the successor table, expanded to
// `limit` levels when limit is not 0.
totals
brute_subtree(const std::vector<uint32_t> &next, uint32_t root, uint32_t limit = 0)
{
    std::vector<std::vector<uint32_t>> pre(next.size());
    for (uint32_t s = 0; s < next.size(); s++)
        pre[next[s]].push_back(s);
    totals t;
    std::vector<uint32_t> levelset{root};
    uint32_t depth = 0;
    t.size = 1;
    while (!levelset.empty() && (!limit || depth < limit)) {
        std::vector<uint32_t> below;
        for (uint32_t x : levelset) {
            if (pre[x].empty())
                t.gofe++;
            t.max_fan = std::max(t.max_fan, static_cast<uint32_t>(pre[x].size()));
            below.insert(below.end(), pre[x].begin(), pre[x].end());
        }
        t.size += static_cast<uint32_t>(below.size());
        if (!below.empty())
            depth++;
        levelset = below;
    }
    t.depth = depth;
    return t;
}

bool
on_cycle(const std::vector<uint32_t> &next, uint32_t s)
{
    uint32_t x = s;
    for (size_t i = 0; i < next.size(); i++) {
        x = next[x];
        if (x == s)
            return true;
    }
    return false;
}

totals
built_subtree(uint32_t root)
{
    set_number(firstseed, root);
    memcpy(this_firstseed, firstseed, bytesL);
    isrepeat = 0;
    direction = direction_backward;
    run_backward();
    totals t;
    t.size = treesize;
    t.gofe = gofEno;
    t.depth = level;
    t.max_fan = tree_max_fan;
    return t;
}

TEST(TreeBuilding, SubtreeTotalsEqualBruteForceForEachMethod)
{
    srandom(21);
    const uint32_t rules[] = {30, 90, 110, 18, 54, 150};
    for (uint32_t rule : rules)
        for (int method = 0; method < 3; method++) {
            TestNetwork net(2, 10, 3);
            reset_backward_settings();
            dontcompress = 1;
            TestNetwork::set_rule_number(rule);
            std::vector<uint32_t> next = successors();
            if (method == 1) {
                nonlocal = 1;
                prepair_pre_rand();
            }
            if (method == 2) {
                exhaustive_testing = exhaustive_table;
                ASSERT_EQ(fill_successor_table(-1, 0), 1);
            }
            int tried = 0;
            for (uint32_t root = 0; root < next.size() && tried < 6; root += 37) {
                if (on_cycle(next, root))
                    continue;
                tried++;
                if (tickoff)
                    memset(tickoff, 0, tickspace / 8 + 1);
                totals expect = brute_subtree(next, root);
                EXPECT_EQ(built_subtree(root), expect) << "rule " << rule << " method " << method << " root " << root;
                // The same tree twice in one process gives the same totals.
                if (tickoff)
                    memset(tickoff, 0, tickspace / 8 + 1);
                EXPECT_EQ(built_subtree(root), expect);
            }
            free_successor_table();
            free_pre_rand();
            undo_rule_mix();
        }
}

// The table method with the block form of its index (the form of tables
// of 2^24 states and more) builds the same trees.
TEST(TreeBuilding, SubtreeTotalsEqualBruteForceWithTheTableBlockIndex)
{
    for (uint32_t rule : {30u, 110u, 54u}) {
        TestNetwork net(2, 12, 3);
        reset_backward_settings();
        dontcompress = 1;
        TestNetwork::set_rule_number(rule);
        std::vector<uint32_t> next = successors();
        set_table_index_form(index_form::blocks);
        exhaustive_testing = exhaustive_table;
        ASSERT_EQ(fill_successor_table(-1, 0), 1);
        int tried = 0;
        for (uint32_t root = 0; root < next.size() && tried < 6; root += 101) {
            if (on_cycle(next, root))
                continue;
            tried++;
            if (tickoff)
                memset(tickoff, 0, tickspace / 8 + 1);
            EXPECT_EQ(built_subtree(root), brute_subtree(next, root)) << "rule " << rule << " root " << root;
        }
        free_successor_table();
        set_table_index_form(index_form::automatic);
    }
}

TEST(TreeBuilding, LevelLimitStopsExpansion)
{
    TestNetwork net(2, 10, 3);
    reset_backward_settings();
    dontcompress = 1;
    TestNetwork::set_rule_number(0);
    std::vector<uint32_t> next = successors();
    // Rule 0: state 0 is a fixed point; a non-zero root is a Garden-of-Eden state.
    totals t = built_subtree(5);
    EXPECT_EQ(t, (totals{1, 1, 0, 0}));
    // Rule 30: a subtree at least three levels deep, cut at 2 levels.
    TestNetwork::set_rule_number(30);
    next = successors();
    uint32_t root = 0;
    while (root < next.size() && (on_cycle(next, root) || brute_subtree(next, root).depth < 3))
        root++;
    ASSERT_LT(root, next.size());
    level_limit = 2;
    totals cut = built_subtree(root);
    EXPECT_EQ(cut.depth, 1u);
    EXPECT_EQ(cut.size, brute_subtree(next, root, 2).size);
    level_limit = 0;
}

TEST(TreeBuilding, InDegreeCountsCoverEveryNode)
{
    TestNetwork net(2, 10, 3);
    reset_backward_settings();
    dontcompress = 1;
    TestNetwork::set_rule_number(90);
    std::vector<uint32_t> next = successors();
    uint32_t saved_max = maxinhist;
    std::vector<uint32_t> counts(5, 0);
    pre_fan_freq = counts.data();
    maxinhist = 4;
    pre_fansize_freq_hist = 1;
    uint32_t root = 1;
    while (on_cycle(next, root))
        root++;
    built_subtree(root);
    uint32_t sum = 0;
    for (uint32_t c : counts)
        sum += c;
    EXPECT_EQ(sum, treesize);
    EXPECT_EQ(counts[0], gofEno);
    // Rule 90 on 10 cells: every state with pre-images has 4.
    EXPECT_EQ(counts[4], treesize - gofEno);
    pre_fan_freq = nullptr;
    maxinhist = saved_max;
}

TEST(TreeBuilding, CompressedUniformFanCountsEveryPreImage)
{
    // Rule 0's all-0 state: every state is a pre-image; the fan keeps one
    // per necklace and the segment lengths add up to 2^n (less the all-0
    // state itself when it is taken as the cycle predecessor).
    for (int n : {6, 8, 12}) {
        TestNetwork net(2, n, 3);
        reset_backward_settings();
        TestNetwork::set_rule_number(0);
        allocate_local_arrays();
        allbitssame = 1;
        segno = 0;
        std::vector<uint32_t> kept = method_pre_images(0, pre_images_local);
        EXPECT_EQ(segfan, 1);
        ASSERT_EQ(segno, kept.size());
        uint64_t total = 0;
        std::set<uint32_t> classes;
        for (uint32_t i = 1; i <= segno; i++) {
            total += seg[i];
            EXPECT_EQ(seg[i], repeating_seg(segseed[i]));
        }
        EXPECT_EQ(total, uint64_t(1) << n);
        // No two kept pre-images are rotations of each other.
        std::set<std::string> forms;
        for (uint32_t i = 1; i <= segno; i++)
            forms.insert(canonical_state(segseed[i]));
        EXPECT_EQ(forms.size(), segno);
        free_local_arrays();
        free_segment_list();
    }
}

TEST(TreeBuilding, CompressionOff2dAndOnTorus)
{
    // A 4 x 3 lattice, von Neumann inputs, rule: every state maps to all 0s.
    TestNetwork net(2, 2, 4, 3, 1, 5);
    reset_backward_settings();
    for (int j = 0; j < 3; j++)
        for (int i = 0; i < 4; i++) {
            int c = i + 4 * j;
            int in[5] = {c, (i + 3) % 4 + 4 * j, (i + 1) % 4 + 4 * j, i + 4 * ((j + 2) % 3), i + 4 * ((j + 1) % 3)};
            for (int x = 0; x < 5; x++)
                wiring[c][x] = static_cast<uint16_t>(in[x]);
        }
    nonlocal = 1;
    regular2d = 1;
    prepair_pre_rand();
    allbitssame = 1;
    segno = 0;
    method_pre_images(0, pre_images_rand);
    uint64_t total = 0;
    for (uint32_t i = 1; i <= segno; i++)
        total += static_cast<uint64_t>(seg_2d_h[i]) * seg_2d_v[i];
    EXPECT_EQ(total, 4096u);
    // With dontcompress nothing is merged.
    free_segment_list();
    dontcompress = 1;
    std::vector<uint32_t> all = method_pre_images(0, pre_images_rand);
    EXPECT_EQ(all.size(), 4096u);
    free_pre_rand();
    free_segment_list();
    undo_rule_mix();
    regular2d = 0;
}

TEST(TreeBuilding, RotCycleEquiv)
{
    TestNetwork net(2, 6, 3);
    reset_backward_settings();
    std::vector<std::vector<uint8_t>> lines(7, std::vector<uint8_t>(bytesL, 0));
    std::vector<uint8_t *> cycle(7, nullptr);
    for (int j = 1; j <= 6; j++)
        cycle[j] = lines[j].data();
    // The six rotations of an asymmetric state.
    set_number(lines[1].data(), 0b001011);
    for (int j = 2; j <= 6; j++) {
        memcpy(lines[j].data(), lines[j - 1].data(), bytesL);
        rotate_array(0, lines[j].data(), 'l', 0, 1, 0, 0);
    }
    uint8_t **saved = att;
    att = cycle.data();
    attperiod = 6;
    EXPECT_EQ(rot_cycle_equiv(att[1]), 6);
    EXPECT_EQ(cyclematch, 6);
    set_number(lines[1].data(), 0);
    attperiod = 1;
    EXPECT_EQ(rot_cycle_equiv(att[1]), 1);
    att = saved;
    attperiod = 0;
    free_segment_list();
}

TEST(TreeBuilding, CyclePredecessorIsRejectedOnce)
{
    // Rule 204 (identity): every state is a fixed point with itself as its
    // only pre-image; the basin tree of a fixed point is the root alone.
    TestNetwork net(2, 8, 3);
    reset_backward_settings();
    dontcompress = 1;
    TestNetwork::set_rule_number(204);
    std::vector<uint8_t> root(bytesL, 0);
    set_number(root.data(), 77);
    uint8_t *cycle[2] = {nullptr, root.data()};
    uint8_t **saved = att;
    att = cycle;
    attperiod = 1;
    attindex = 1;
    direction = direction_forward;
    memcpy(firstseed, root.data(), bytesL);
    isrepeat = 0;
    run_backward();
    EXPECT_EQ(attrepeat, 1);
    EXPECT_EQ(treesize, 1u);
    EXPECT_EQ(gofEno, 0u);
    EXPECT_EQ(maxtreefan, 1u);
    att = saved;
    attperiod = 0;
    free_segment_list();
}

TEST(TreeBuilding, SubtreeOnACycleStopsAtItsRoot)
{
    TestNetwork net(2, 8, 3);
    reset_backward_settings();
    dontcompress = 1;
    TestNetwork::set_rule_number(204);
    built_subtree(77);
    EXPECT_EQ(treesize, 1u);
    EXPECT_EQ(totatt_states, 1u);
    free_segment_list();
}

} // namespace
