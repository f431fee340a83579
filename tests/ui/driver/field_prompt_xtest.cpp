// The field prompt answered through the server: which methods each network
// size allows.
#include "support/x_test_fixture.h"

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "ui/driver/field_prompt.h"
#include "ui/screen/globals.h"

namespace {

class FieldPrompt : public ScreenTest {
protected:
    bool answer(int n, const std::string &keys)
    {
        lineL = static_cast<uint16_t>(n);
        rangeL = 0;
        nonlocal = 1;
        type_keys(keys);
        return field_prompt();
    }
};

TEST_F(FieldPrompt, ReturnTakesTheDefaultMethod)
{
    EXPECT_TRUE(answer(10, "\r"));
    EXPECT_EQ(exhaustive_testing, exhaustive_off);
    EXPECT_EQ(neutral_order, 0);
    EXPECT_EQ(see_ppstack, see_ppstack_off);
}

TEST_F(FieldPrompt, SuccessorTableAndRandomMapUpTo31Cells)
{
    EXPECT_TRUE(answer(31, "e\r"));
    EXPECT_EQ(exhaustive_testing, exhaustive_table);
    EXPECT_TRUE(answer(20, "r\r"));
    EXPECT_EQ(exhaustive_testing, exhaustive_random_map);
    EXPECT_TRUE(answer(32, "e\r"));
    EXPECT_EQ(exhaustive_testing, exhaustive_off);
}

TEST_F(FieldPrompt, NeutralOrderOnlyUpTo12Cells)
{
    meta_graph = 1;
    EXPECT_TRUE(answer(12, "o\r"));
    EXPECT_EQ(neutral_order, 1);
    EXPECT_EQ(meta_graph, 0);
    EXPECT_TRUE(answer(13, "o\r"));
    EXPECT_EQ(neutral_order, 0);
    EXPECT_EQ(exhaustive_testing, exhaustive_off);
}

TEST_F(FieldPrompt, StackViewAndReorderToggle)
{
    reorderRBN = 0;
    EXPECT_TRUE(answer(40, "1R\r"));
    EXPECT_EQ(see_ppstack, see_ppstack_on);
    EXPECT_EQ(reorderRBN, 1);
    EXPECT_TRUE(answer(40, "R\r"));
    EXPECT_EQ(reorderRBN, 0);
    EXPECT_TRUE(answer(40, "2\r"));
    EXPECT_EQ(see_ppstack, see_ppstack_pause);
}

TEST_F(FieldPrompt, QBacksOut)
{
    EXPECT_FALSE(answer(10, "q"));
}

} // namespace
