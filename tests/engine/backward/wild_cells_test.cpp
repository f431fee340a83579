// The check of a partial pre-image's unassigned cells before the wild
// expansion: a value left in such a cell is reported once with its flag and
// cleared, in both forms of a partial; values of assigned cells and clean
// partials are left alone; and no search of random networks with wild cells
// ever meets such a value (the searches still equal brute force).
#include "backward_test_support.h"

#include <cstring>

#include "engine/backward/preimage_prompts.h"
#include "engine/backward/wild_cells.h"

namespace {

struct reported {
    int value, flag;
    bool operator==(const reported &o) const { return value == o.value && flag == o.flag; }
};
std::vector<reported> reports;

void
note_error(int value, int flag)
{
    reports.push_back({value, flag});
}

class WildCells : public ::testing::Test {
protected:
    void SetUp() override
    {
        reports.clear();
        preimage_prompts prompts = {};
        prompts.show_wild_cell_error = note_error;
        set_preimage_prompts(prompts);
    }
    void TearDown() override { set_preimage_prompts(preimage_prompts{}); }
};

TEST_F(WildCells, AValueInAnUnassignedCellOfALineIsReportedAndCleared)
{
    TestNetwork net(3, 10, 2);
    std::vector<uint8_t> partial(2 * bytesL, 0);
    uint8_t *flags = partial.data() + bytesL;
    set_value(partial.data(), 7, 1); // assigned: kept
    flags[0] |= 1u << 7;
    set_value(partial.data(), 4, 2); // unassigned: the fault
    check_wild_cell(partial.data(), 4);
    EXPECT_EQ(reports, (std::vector<reported>{{2, 0}}));
    EXPECT_EQ(get_value(partial.data(), 4), 0);
    EXPECT_EQ(get_value(partial.data(), 7), 1);
    // Cleared: a second look finds nothing.
    check_wild_cell(partial.data(), 4);
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(WildCells, AValueInAnUnassignedCellOfAWordIsReportedAndCleared)
{
    TestNetwork net(2, 12, 2);
    // Cell 3 assigned with value 1, cell 9 unassigned holding 1.
    uint64_t partial = (uint64_t(1) << (32 + 3)) | (uint64_t(1) << 3) | (uint64_t(1) << 9);
    check_wild_cell_word(&partial, 9);
    EXPECT_EQ(reports, (std::vector<reported>{{1, 0}}));
    EXPECT_EQ(partial, (uint64_t(1) << (32 + 3)) | (uint64_t(1) << 3));
    check_wild_cell_word(&partial, 9);
    check_wild_cell_word(&partial, 5);
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(WildCells, NoSearchMeetsAValueInAnUnassignedCell)
{
    srandom(21);
    // Word form (v = 2, n <= 32) and line form (v = 3); k = 1 leaves many
    // cells read by no cell, so every pre-image passes the expansion.
    const int shapes[][3] = {{2, 10, 1}, {2, 11, 2}, {3, 7, 1}, {3, 6, 2}};
    for (const auto &shape : shapes)
        for (int reorder = 0; reorder < 2; reorder++) {
            TestNetwork net(shape[0], shape[1], shape[2]);
            reset_backward_settings();
            wire_at_random(false);
            random_rules(false);
            reorderRBN = static_cast<uint8_t>(reorder);
            std::vector<uint32_t> next = successors();
            prepair_pre_rand();
            for (uint32_t t = 0; t < next.size(); t += 3) {
                SCOPED_TRACE(testing::Message() << "v=" << shape[0] << " n=" << shape[1] << " target " << t);
                EXPECT_EQ(sorted(method_pre_images(t, general_method)), brute_pre_images(next, t));
            }
            free_pre_rand();
            reorderRBN = 0;
            undo_rule_mix();
        }
    EXPECT_TRUE(reports.empty());
}

} // namespace
