// The subtree run without a window: the subtree of a transient root equals
// the brute-force count of the states that reach it, a root on an attractor
// reports its whole basin as "subtree=basin=" with one garden-of-Eden state
// less than the tree builder counted, and the report lines.
#include "ui/backward/tree_test_support.h"

#include "ui/driver/run_drivers.h"

namespace {

// States whose orbit passes through t (t itself included), and the
// garden-of-Eden states among them.
void
brute_upstream(const std::vector<uint32_t> &next, uint32_t t, uint32_t &size, uint32_t &gofe)
{
    std::vector<bool> has_pre(next.size());
    for (uint32_t x : next)
        has_pre[x] = true;
    size = gofe = 0;
    for (uint32_t s = 0; s < next.size(); s++) {
        uint32_t x = s;
        bool reaches = false;
        for (size_t i = 0; i <= next.size() && !reaches; i++, x = next[x])
            reaches = x == t;
        if (reaches) {
            size++;
            gofe += has_pre[s] ? 0 : 1;
        }
    }
}

std::string
subtree_of(uint32_t root)
{
    set_number(bitseed, root);
    pdata = data_basins;
    testing::internal::CaptureStderr();
    upstream_only();
    pdata = data_off;
    return testing::internal::GetCapturedStderr();
}

TEST(SubtreeRun, TransientRootsEqualBruteForce)
{
    for (uint32_t rule : {30u, 90u, 110u, 184u})
        for (int compress = 0; compress < 2; compress++) {
            TestNetwork net(2, 10, 3);
            reset_backward_settings();
            dontcompress = compress ? 0 : 1;
            stepforward = 0;
            TestNetwork::set_rule_number(rule);
            std::vector<uint32_t> next = successors();
            for (uint32_t root = 1; root < next.size(); root += 97) {
                uint32_t size, gofe;
                brute_upstream(next, root, size, gofe);
                std::string out = subtree_of(root);
                SCOPED_TRACE("rule " + std::to_string(rule) + " root " + std::to_string(root));
                EXPECT_EQ(out.find("subtree="), 0u) << out;
                // A root on a cycle: its basin, less the cycle's own count.
                bool basin = out.rfind("subtree=basin=", 0) == 0;
                if (!basin) {
                    EXPECT_EQ(totsubtree, size);
                    EXPECT_FLOAT_EQ(totsubgofEdensity, float(gofe) / float(size));
                }
                EXPECT_NE(out.find("\ng="), std::string::npos);
            }
        }
}

TEST(SubtreeRun, RootOnAnAttractorIsItsBasin)
{
    // Rule 0: 0 is a fixed point reached by every state at once.
    TestNetwork net(2, 10, 3);
    reset_backward_settings();
    dontcompress = 1;
    stepforward = 0;
    TestNetwork::set_rule_number(0);
    // The tree builder counts the 1023 other states as gardens of Eden; a
    // subtree on an attractor reports one less.
    std::string out = subtree_of(0);
    EXPECT_EQ(out, "subtree=basin=1024 root(hex)=0000\ng=1022=0.998 ml=1 mp=1023\n\n");
    EXPECT_EQ(totsubtree, 1024u);
}

} // namespace
