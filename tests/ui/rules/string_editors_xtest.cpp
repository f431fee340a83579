// The hex entry and the cell editor on the window, driven by typed keys.
#include "support/x_test_fixture.h"

#include "engine/forward/forward_test_support.h"
#include "ui/model/cell_display.h"
#include "ui/rules/cell_editor.h"
#include "ui/rules/hex_entry.h"
#include "ui/rules/random_strings.h"
#include "ui/screen/draw.h"
#include "engine/rules/string_edits.h"
#include "ui/screen/globals.h"

namespace {

class StringEditorsScreen : public ScreenTest {};

// The value colours the drawings read, made for the test's value range;
// declared after the network, so released before its allocation check.
struct ValueColours {
    ValueColours() { setup_value_colors(1); }
    ~ValueColours()
    {
        checked_free(color_v);
        color_v = nullptr;
    }
};

TEST_F(StringEditorsScreen, HexFfForThreeValuesGivesTwosAndWrapsToTheFirstDigit)
{
    TestNetwork net(3, 8, 3);
    memset(A, 0, bytesL);
    moveto(40, 300);
    // Five digits in a block of four: the fifth wraps to the first.
    std::thread keys = type_keys_paced("ffff0\r");
    int clamped = define_hex(xtext, 0, 0, A, bytesL - 1, 0);
    keys.join();
    EXPECT_EQ(clamped, 1);
    std::vector<int> values = state_values(A);
    EXPECT_EQ(values, (std::vector<int>{2, 2, 2, 2, 2, 2, 0, 0}));
}

TEST_F(StringEditorsScreen, HexEntryShiftsATwoDStateUp)
{
    TestNetwork net(2, 2, 4, 2, 1, 4);
    memset(A, 0, bytesL);
    set_value(A, 1, 1);
    moveto(40, 300);
    std::thread keys = type_keys_paced("u\r");
    EXPECT_EQ(define_hex(xtext, 0, 0, A, bytesL - 1, 0), 0);
    keys.join();
    EXPECT_EQ(get_value(A, 1), 0);
    EXPECT_EQ(get_value(A, 5), 1);
}

TEST_F(StringEditorsScreen, RandomBitsComplementTwiceKeepsTheString)
{
    srandom(3);
    TestNetwork net(2, 40, 3);
    ValueColours colours;
    moveto(40, 300);
    std::vector<int> drawn;
    std::thread first = type_keys_paced("\r");
    random_bits(0, 0, 0, 1, A, L);
    first.join();
    drawn = state_values(A);
    EXPECT_EQ(count_nonzero(A, 0, lineL), 20u);
    std::thread keys = type_keys_paced("mm\r");
    srandom(3);
    random_bits(0, 0, 0, 1, A, L);
    keys.join();
    EXPECT_EQ(state_values(A), drawn);
    EXPECT_FLOAT_EQ(bias_density, 50.0f);
}

TEST_F(StringEditorsScreen, CellEditorTypesAValueAndAccepts)
{
    TestNetwork net(3, 10, 3);
    ValueColours colours;
    memset(A, 0, bytesL);
    moveto(40, 300);
    int size = 8;
    std::thread keys = type_keys_paced("23\r");
    cell_edit_outcome outcome = input_string_cell(0, 0, A, L, 0, 1, &size, 2, 600, 400);
    keys.join();
    EXPECT_EQ(outcome, cell_edit_outcome::accept);
    EXPECT_EQ(is[0], 13);
    // '2' set position 0 (cell 9) and moved right; '3' is no value of v = 3.
    EXPECT_EQ(get_value(A, 9), 2);
    EXPECT_EQ(get_value(A, 8), 0);
    EXPECT_EQ(getx, 40);
}

} // namespace
