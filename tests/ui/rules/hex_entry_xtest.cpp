// The hex entry on the window, driven by typed keys.
#include "support/x_test_fixture.h"

#include "engine/forward/forward_test_support.h"
#include "ui/rules/hex_entry.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

namespace {

class HexEntryScreen : public ScreenTest {};

TEST_F(HexEntryScreen, HexFfForThreeValuesGivesTwosAndWrapsToTheFirstDigit)
{
    TestNetwork net(3, 8, 3);
    memset(A, 0, bytesL);
    moveto(40, 300);
    // Five digits in a block of four: the fifth wraps to the first.
    paced_thread keys = type_keys_paced("ffff0\r");
    int clamped = define_hex(xtext, Maxx - 5, 0, 0, A, bytesL - 1, 0);
    keys.join();
    EXPECT_EQ(clamped, 1);
    std::vector<int> values = state_values(A);
    EXPECT_EQ(values, (std::vector<int>{2, 2, 2, 2, 2, 2, 0, 0}));
}

TEST_F(HexEntryScreen, HexEntryShiftsATwoDStateUp)
{
    TestNetwork net(2, 2, 4, 2, 1, 4);
    memset(A, 0, bytesL);
    set_value(A, 1, 1);
    moveto(40, 300);
    paced_thread keys = type_keys_paced("u\r");
    EXPECT_EQ(define_hex(xtext, Maxx - 5, 0, 0, A, bytesL - 1, 0), 0);
    keys.join();
    EXPECT_EQ(get_value(A, 1), 0);
    EXPECT_EQ(get_value(A, 5), 1);
}

} // namespace
