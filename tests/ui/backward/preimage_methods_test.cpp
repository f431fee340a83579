// The tree builder with too many partial pre-images, or with no memory for
// its level lists: the target is abandoned, the builder says why and leaves
// 'q'. The pre-image methods themselves are
// tested with the engine (tests/engine/backward/preimage_methods_test.cpp).
#include "tree_test_support.h"

#include "engine/model/checked_alloc.h"

namespace {

TEST(PreimageMethods, TooManyPartialPreImagesAbandonsTheTarget)
{
    TestNetwork net(2, 14, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(0);
    wire_at_random(false);
    uint32_t saved = partial_preimage_limit;
    partial_preimage_limit = 1000;
    prepair_pre_rand();
    std::vector<uint32_t> got = method_pre_images(0, general_method);
    EXPECT_TRUE(got.empty());
    EXPECT_EQ(abort_subtree, abort_subtree_too_many_partial);
    // The tree builder abandons the tree and leaves 'q'.
    abort_subtree = abort_subtree_none;
    memset(firstseed, 0, bytesL);
    run_backward();
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(abort_subtree, abort_subtree_too_many_partial);
    partial_preimage_limit = saved;
    free_pre_rand();
    undo_rule_mix();
}

// Memory running out as the level lists start is reported as memory, with
// the bytes asked, not as a full list of pre-images.
TEST(PreimageMethods, NoMemoryForTheLevelListsIsReportedAsMemory)
{
    TestNetwork net(2, 10, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(0);
    wire_at_random(false);
    memset(firstseed, 0, bytesL);
    // The general method's tables built beforehand, as a field builds them;
    // the tree is not compressed, so it takes no work lines for rotations:
    // the first list's array of numbers is its second allocation.
    prepair_pre_rand();
    fail_allocation_after = 1;
    testing::internal::CaptureStderr();
    run_backward();
    std::string said = testing::internal::GetCapturedStderr();
    fail_allocation_after = 0;
    EXPECT_EQ(is[0], 'q');
    EXPECT_NE(said.find("out of memory: level numbers, 64 bytes, subtree level"), std::string::npos)
        << said;
    EXPECT_EQ(said.find("too many"), std::string::npos) << said;
    free_pre_rand();
}

} // namespace
