// The model's few screen moments on the real window: the rule-figure box,
// the canalyzing line, the value exchange dialog of kcodes and the wait
// message while the value-count tries are built.
#include "support/x_test_fixture.h"

#include <cstdint>
#include <string>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/model_test_support.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_count_trie.h"
#include "ui/model/buffers.h"
#include "ui/model/rule_conversions.h"
#include "ui/model/rule_parameters.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

class ModelScreen : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (!zparam)
            allocate_mem_Z_parameter();
    }
    void TearDown() override
    {
        nhood = 0;
        use_value_range(2);
    }
};

TEST_F(ModelScreen, FigureBoxIsFramedAndColourEndsWhite)
{
    use_value_range(2);
    allocate_mem_nhood_matrix(13);
    std::vector<uint8_t> rule = pack({0, 1, 1, 1, 1, 0, 0, 0});
    moveto(40, 300);
    setcolor(yellow);
    z_parameter_all(3, 1, rule.data());
    flush_display();
    EXPECT_EQ(getcolor(), white);
    EXPECT_EQ(getx, 40);
    EXPECT_EQ(gety, 300);
    // The frame's top-left corner is drawn in lightred.
    EXPECT_EQ(window_pixel(Maxx / 2, vgay(27)), Color_Table[lightred]);
    EXPECT_FLOAT_EQ(zparam[0], 1.0f);

    setcolor(yellow);
    z_parameter_all_mvalue(3, 1, rule.data());
    EXPECT_EQ(getcolor(), white);
    canalyzing(3, 1, rule.data());
    EXPECT_EQ(getx, 40);
    EXPECT_EQ(gety, 300);
    free_mem_nhood_matrix(13);
}

TEST_F(ModelScreen, ValueExchangeAsksBothValues)
{
    use_value_range(3);
    nhood = 2;
    set_up_v_code();
    std::vector<uint8_t> kcode = pack({0, 1, 2, 0, 1, 2});
    type_keys("0\r2\r");
    ::testing::internal::CaptureStderr();
    swap_values_vcode(kcode.data(), 2);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "\n 0 - 2\n");
    EXPECT_EQ(unpack(kcode.data(), 6), (std::vector<int>{0, 1, 0, 2, 1, 2}));

    // Return for the second value takes |first - 1|: here 1.
    type_keys("0\r\r");
    ::testing::internal::CaptureStderr();
    swap_values_vcode(kcode.data(), 2);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "\n 0 - 1\n");
    free_v_code_arrays();
}

TEST_F(ModelScreen, TrieBuildPutsBackWhatTheWaitMessageCovered)
{
    use_value_range(4);
    nhood = 7;
    int x0 = Maxx / 3 + 5, y0 = 6;
    setfillstyle(0, magenta);
    bar(Maxx / 3, 2, Maxx / 2, 40);
    flush_display();
    unsigned long before = window_pixel(x0, y0);
    set_up_v_code();
    flush_display();
    EXPECT_EQ(window_pixel(x0, y0), before);
    EXPECT_EQ(boximage[5], 0u);
    free_v_code_arrays();
}

} // namespace
