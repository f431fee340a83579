// The tree builder's ends and reports: the level limit and its mark, a
// basin field ignoring the limit, the last in-degree bin, the fold-back of
// a root fan of one segment of one state, and the tree lines of a basin
// tree written to standard error and the data file byte for byte.
#include "tree_test_support.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "engine/forward/globals.h"
#include "ui/storage/globals.h"

namespace {

// Subtree totals of root as the tree builder reports them.
void
build_subtree_of(uint32_t root)
{
    set_number(firstseed, root);
    memcpy(this_firstseed, firstseed, bytesL);
    isrepeat = 0;
    direction = direction_backward;
    run_backward();
}

// Brute-force size of the subtree of root cut after `limit` levels.
uint32_t
brute_size(const std::vector<uint32_t> &next, uint32_t root, uint32_t limit, uint32_t *depth)
{
    std::vector<uint32_t> levelset{root};
    uint32_t size = 1, d = 0;
    while (!levelset.empty() && (!limit || d < limit)) {
        std::vector<uint32_t> below;
        for (uint32_t x : levelset)
            for (uint32_t s = 0; s < next.size(); s++)
                if (next[s] == x)
                    below.push_back(s);
        if (below.empty())
            break;
        size += static_cast<uint32_t>(below.size());
        d++;
        levelset = below;
    }
    *depth = d;
    return size;
}

uint32_t
deep_transient_root(const std::vector<uint32_t> &next, uint32_t min_depth)
{
    for (uint32_t root = 0; root < next.size(); root++) {
        uint32_t depth = 0;
        bool cycle = false;
        uint32_t x = root;
        for (size_t i = 0; i < next.size() && !cycle; i++) {
            x = next[x];
            cycle = x == root;
        }
        if (!cycle) {
            brute_size(next, root, 0, &depth);
            if (depth >= min_depth)
                return root;
        }
    }
    return Maxu;
}

TEST(TreeReports, LevelLimitThreeMarksTheTreeAsCut)
{
    TestNetwork net(2, 10, 3);
    reset_backward_settings();
    dontcompress = 1;
    TestNetwork::set_rule_number(30);
    std::vector<uint32_t> next = successors();
    uint32_t root = deep_transient_root(next, 4);
    ASSERT_NE(root, Maxu);
    uint32_t depth;
    uint32_t cut_size = brute_size(next, root, 3, &depth);
    level_limit = 3;
    build_subtree_of(root);
    // Nodes of level 3 are drawn but not expanded; the depth is reported as 2.
    EXPECT_EQ(treesize, cut_size);
    EXPECT_EQ(level, 2);
    EXPECT_EQ(level_limit_reached, 1);
    // In a basin field the limit is ignored.
    basinfield = 1;
    build_subtree_of(root);
    uint32_t full_depth;
    EXPECT_EQ(treesize, brute_size(next, root, 0, &full_depth));
    EXPECT_EQ(level, full_depth);
    EXPECT_EQ(level_limit_reached, 0);
    basinfield = 0;
    level_limit = 0;
}

TEST(TreeReports, WideFansLandInTheLastInDegreeBin)
{
    // Rule 0: every state's successor is all 0s, so the all-0 root of a
    // subtree has 2^n - 1 pre-images once itself is rejected.
    TestNetwork net(2, 6, 3);
    reset_backward_settings();
    dontcompress = 1;
    TestNetwork::set_rule_number(0);
    std::vector<uint32_t> counts(4, 0);
    uint32_t saved_max = maxinhist;
    pre_fan_freq = counts.data();
    maxinhist = 3;
    pre_fansize_freq_hist = 1;
    build_subtree_of(0);
    EXPECT_EQ(treesize, 64u);
    EXPECT_EQ(counts[3], 1u); // the root's fan of 63
    EXPECT_EQ(counts[0], 63u);
    EXPECT_EQ(counts[1] + counts[2], 0u);
    pre_fan_freq = nullptr;
    maxinhist = saved_max;
    pre_fansize_freq_hist = 0;
}

TEST(TreeReports, SingleSegmentRootFanFoldsBack)
{
    // Rule 51 (each cell the negation of itself): all 0s has all 1s as its
    // only pre-image, a segment of one state. The fan is drawn as an
    // ordinary one and the tree goes on in the same call.
    TestNetwork net(2, 8, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(51);
    ASSERT_EQ(compression_on(), 1);
    build_subtree_of(0);
    EXPECT_EQ(justonepreimage_found, 1);
    EXPECT_EQ(justonepreimage, 1);
    EXPECT_EQ(segfan, 0);
    // Root, all 1s; all 0s again is the seed's repeat.
    EXPECT_EQ(treesize, 2u);
    justonepreimage = justonepreimage_found = 0;
    free_segment_list();
}

TEST(TreeReports, BasinTreeLinesToStandardErrorAndTheDataFile)
{
    // Rule 0 on 4 cells: the point attractor all 0s with 15 garden-of-Eden
    // pre-images.
    TestNetwork net(2, 4, 3);
    reset_backward_settings();
    dontcompress = 1;
    TestNetwork::set_rule_number(0);
    rule_0_point_attractor attractor;
    char name[] = "/tmp/zemra_tree_linesXXXXXX";
    int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    char file_name[kFileNameSize];
    snprintf(file_name, sizeof file_name, "%s", name);
    char *saved_name = filename_data;
    filename_data = file_name;
    pdata = data_basins_and_trees;
    filedata = data_basins_and_trees;
    testing::internal::CaptureStderr();
    run_backward();
    std::string err = testing::internal::GetCapturedStderr();
    const std::string line = "   1. 00 1 16  15 0.938 1 16\n";
    EXPECT_EQ(err, line);
    std::ifstream in(name);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), line);
    // Basin lines only (1): no tree lines.
    pdata = data_basins;
    filedata = data_basins;
    testing::internal::CaptureStderr();
    run_backward();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    pdata = filedata = data_off;
    filename_data = saved_name;
    unlink(name);
    free_segment_list();
}

} // namespace

namespace {

TEST(TreeReports, MajorityExceptionsCountPast16Bits)
{
    // Rule 0 on 17 cells: all 2^17 states stand in the all-0 root's subtree;
    // those with more than 8 ones number 2^16, past what 16 bits hold.
    TestNetwork net(2, 17, 3);
    reset_backward_settings();
    dontcompress = 1;
    TestNetwork::set_rule_number(0);
    std::vector<uint32_t> counts(2, 0);
    uint32_t saved_max = maxinhist;
    pre_fan_freq = counts.data();
    maxinhist = 1;
    pre_fansize_freq_hist = 1;
    show_maj = 1;
    isexception = 0;
    build_subtree_of(0);
    uint32_t expect = 0;
    for (uint32_t s = 0; s < (1u << 17); s++)
        expect += __builtin_popcount(s) > 8;
    EXPECT_EQ(treesize, 1u << 17);
    EXPECT_EQ(static_cast<uint32_t>(isexception), expect);
    EXPECT_EQ(expect, 65536u);
    show_maj = show_maj_off;
    pre_fan_freq = nullptr;
    maxinhist = saved_max;
    pre_fansize_freq_hist = 0;
    isexception = 0;
}

TEST(TreeReports, DepthCountsPast16Bits)
{
    // A successor table that is one chain, s -> s-1 and 0 -> 0: the tree of
    // state 0 is 2^17 - 1 levels deep, past what 16 bits hold.
    TestNetwork net(2, 17, 3);
    reset_backward_settings();
    dontcompress = 1;
    exhaustive_testing = exhaustive_random_map;
    uint32_t states = 1u << 17;
    std::vector<uint8_t> records(states * bytesL, 0);
    for (uint32_t s = 1; s < states; s++)
        dec_to_value_line(records.data() + s * bytesL, s - 1, lineL);
    ASSERT_EQ(adopt_successor_table(records.data()), 1);
    maxtreelevel = 0;
    build_subtree_of(0);
    EXPECT_EQ(treesize, states);
    EXPECT_EQ(maxtreelevel, states - 1);
    free_successor_table();
}

} // namespace
