// The cell operations typed through the server: the hand edit of a cell's
// inputs, the averaged rule figures' box and the copy question of a rule
// revision.
#include "support/x_test_fixture.h"

#include <X11/keysym.h>

#include <thread>
#include <vector>

#include "engine/model/network_arrays.h"
#include "engine/wiring_editor/editor_network_support.h"
#include "ui/screen/boxes.h"
#include "ui/screen/colors.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/wiring_editor/cell_operations.h"

namespace {

class CellOperations : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        give_rule_figures();
    }
};

// Cell 4's inputs 0, 1 and 2 from cells 1, 3 and 5.
void
wire_cell_4()
{
    wiring[4][0] = 1;
    wiring[4][1] = 3;
    wiring[4][2] = 5;
}

std::vector<int>
inputs_of(int c)
{
    std::vector<int> in;
    for (int p = 0; p < nhoodm[c]; p++)
        in.push_back(wiring[c][p]);
    return in;
}

// The edit starts at the leftmost column, input 2: 7 there, the right arrow
// to input 1, 2 and Return there, 'q' at input 0.
TEST_F(CellOperations, TypedCellsReplaceTheInputsOfTheFramedColumns)
{
    srandom(1);
    MixNetwork net(2, 10, {3});
    wire_cell_4();
    type_keys("7");
    press_keysym(XK_Right);
    type_keys("2\rq");
    rewire_single_cell(4);
    EXPECT_EQ(inputs_of(4), (std::vector<int>{1, 2, 7}));
}

// The framed column's entry begins with the input's cell, written in the
// entry's yellow; Return there keeps it, and each column the edit reaches
// shows its own cell in turn.
TEST_F(CellOperations, EditedColumnShowsItsInputAndReturnKeepsIt)
{
    srandom(4);
    MixNetwork net(2, 10, {3});
    wire_cell_4();
    std::vector<int> yellow_seen;
    paced_thread typist = type_keys_looking("\r\r\rq", [&](size_t) {
        int count = 0;
        for (unsigned long pixel : pixels_seen(Maxx / 2, 2, Maxx / 2 - 2, prompt_box_bottom(5) - 2))
            count += pixel == Color_Table[yellow];
        yellow_seen.push_back(count);
    });
    rewire_single_cell(4);
    typist.join();
    EXPECT_EQ(inputs_of(4), (std::vector<int>{1, 3, 5}));
    ASSERT_EQ(yellow_seen.size(), 4u);
    for (size_t i = 0; i < yellow_seen.size(); i++)
        EXPECT_GT(yellow_seen[i], 0) << "no cell in the column at wait " << i;
}

TEST_F(CellOperations, NumbersOutsideTheNetworkAreIgnored)
{
    srandom(2);
    MixNetwork net(2, 10, {3});
    wire_cell_4();
    type_keys("99\r");
    press_keysym(XK_Left);
    type_keys("x1\rq");
    print_wiring_cell(Maxx / 2 + 3, 5, 4);
    EXPECT_EQ(inputs_of(4), (std::vector<int>{1, 3, 5}));
}

// The left arrow from the leftmost column wraps to input 0; Return there
// wraps on to input 2.
TEST_F(CellOperations, ArrowsAndReturnWrapAroundTheColumns)
{
    srandom(3);
    MixNetwork net(2, 12, {3});
    wiring[2][0] = 0;
    wiring[2][2] = 0;
    press_keysym(XK_Left);
    type_keys("11\r1q\rq");
    print_wiring_cell(Maxx / 2 + 3, 5, 2);
    EXPECT_EQ(wiring[2][0], 11);
    // At input 2 the 'q' after a typed 1 erases it: Return then keeps 0.
    EXPECT_EQ(wiring[2][2], 0);
}

TEST_F(CellOperations, AverageFiguresWaitForAKeyAndClearIt)
{
    srandom(4);
    MixNetwork net(2, 8, {3});
    allocate_mem_nhood_matrix(3);
    for (int c = 0; c < 8; c++)
        carule[c][0] = 0x96; // 3-input parity: Z = 1
    type_keys("\r");
    av_z_para();
    free_mem_nhood_matrix(3);
    EXPECT_EQ(is[0], 0);
}

// With every rule constant the average Z is 0: no box, no key taken.
TEST_F(CellOperations, AverageFiguresOfZeroZShowNothing)
{
    srandom(5);
    MixNetwork net(2, 8, {3});
    allocate_mem_nhood_matrix(3);
    for (int c = 0; c < 8; c++)
        carule[c][0] = 0;
    type_keys("z");
    av_z_para();
    free_mem_nhood_matrix(3);
    input_string(1, single_key_entry);
    EXPECT_EQ(is[0], 'z');
}

} // namespace

namespace {

// The revision dialog left as it was (Return, then 'q'); 'c' at the copy
// question copies the cell's rule to the block cells of its k, any other
// answer copies nothing.
TEST_F(CellOperations, OnlyCCopiesTheRevisedRuleOverTheBlock)
{
    srandom(6);
    MixNetwork net(2, 8, {3, 2});
    allocate_mem_nhood_matrix(3);
    network_copy before = copy_network();
    type_keys("\rqx");
    revise_rule_graphic(editor_1d, 1, 1, block_corners(), 2, 0, 7);
    EXPECT_EQ(copy_network().table, before.table);
    type_keys("\rqc");
    revise_rule_graphic(editor_1d, 1, 1, block_corners(), 2, 0, 7);
    free_mem_nhood_matrix(3);
    network_copy after = copy_network();
    for (int c = 0; c < 8; c++)
        EXPECT_EQ(after.table[static_cast<size_t>(c)],
                  c % 2 == 0 ? before.table[2] : before.table[static_cast<size_t>(c)])
            << c;
}

} // namespace
