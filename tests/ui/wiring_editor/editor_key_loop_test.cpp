// The pieces both wiring editors' key tables share: the cells in reach
// named from an editor's state, the row actions over a session (its
// operation, the effects, the session's own part of them), the all-links
// toggle, and which turns leave the wiring general.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "ui/wiring_editor/editor_key_loop.h"

namespace {

// A session with the members the shared actions call, recording them.
struct probe_session : editor_session_core {
    static constexpr int kind = editor_1d;
    editor_state s;
    unsigned effects_seen = 0;
    int after_calls = 0;

    cells_in_reach reach() const { return reach_in_state(kind, s, all_links); }
    void after_effects(unsigned effects)
    {
        effects_seen = effects;
        after_calls++;
    }
};

std::vector<uint16_t> reached_by_operation;
char key_given = 0;

void
record_cells(const cells_in_reach &reach, char key)
{
    reached_by_operation = cells_reached(reach);
    key_given = key;
}

void
move_cursor(probe_session &e, char key)
{
    e.s.cursor += key == '+' ? 1 : -1;
}

class EditorKeyLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_cells = lineL;
        lineL = 20;
        was_changed = 0;
        reached_by_operation.clear();
        key_given = 0;
    }
    void TearDown() override
    {
        lineL = saved_cells;
        was_changed = 0;
    }
    uint16_t saved_cells = 0;
};

std::vector<uint16_t>
range(int low, int high)
{
    std::vector<uint16_t> cells;
    for (int c = low; c <= high; c++)
        cells.push_back(static_cast<uint16_t>(c));
    return cells;
}

TEST_F(EditorKeyLoop, TheBlockIsInReachOnlyWithBothItsFlags)
{
    editor_state s;
    s.rules_set = 1;
    s.cursor = 7;
    s.low = 3;
    s.high = 9;
    for (int block : {0, 1})
        for (int all_links : {0, 1}) {
            s.block = block;
            cells_in_reach reach = reach_in_state(editor_2d_3d, s, all_links);
            EXPECT_EQ(reach.editor, editor_2d_3d);
            EXPECT_EQ(reach.rules_set, 1);
            std::vector<uint16_t> expected = block && all_links ? range(3, 9) : range(7, 7);
            EXPECT_EQ(cells_reached(reach), expected) << "block " << block << " all " << all_links;
        }
}

TEST_F(EditorKeyLoop, ARowOnTheCellsGivesTheOperationTheSessionsReachAndItsEffects)
{
    probe_session e;
    e.s.cursor = 4;
    e.s.block = 1;
    e.s.low = 2;
    e.s.high = 5;
    act_on_cells<record_cells, changes>(e, 'r');
    EXPECT_EQ(reached_by_operation, range(4, 4));
    EXPECT_EQ(key_given, 'r');
    EXPECT_EQ(was_changed, 1);
    EXPECT_EQ(e.effects_seen, static_cast<unsigned>(changes));
    // 'g' puts the block in reach; a second 'g' takes it out again.
    act<toggle_all_links<probe_session>, no_effect>(e, 'g');
    act_on_cells<record_cells, no_effect>(e, 'r');
    EXPECT_EQ(reached_by_operation, range(2, 5));
    EXPECT_EQ(e.effects_seen, static_cast<unsigned>(no_effect));
    toggle_all_links(e, 'g');
    act_on_cells<record_cells, no_effect>(e, 'r');
    EXPECT_EQ(reached_by_operation, range(4, 4));
    EXPECT_EQ(e.after_calls, 4);
}

TEST_F(EditorKeyLoop, ARowOfTheEditorsOwnGivesTheSessionAndTheKey)
{
    probe_session e;
    e.s.cursor = 4;
    act<move_cursor, no_effect>(e, '+');
    act<move_cursor, no_effect>(e, '+');
    act<move_cursor, no_effect>(e, '-');
    EXPECT_EQ(e.s.cursor, 5);
    EXPECT_EQ(was_changed, 0);
}

TEST_F(EditorKeyLoop, LearningThatChangedNothingLeavesTheWiringAsItWas)
{
    probe_session e;
    EXPECT_FALSE(e.turn_changed_wiring());
    was_changed = 1;
    EXPECT_TRUE(e.turn_changed_wiring());
    e.learning_used = true;
    e.learning_result = 0;
    EXPECT_FALSE(e.turn_changed_wiring());
    e.learning_result = 1;
    EXPECT_TRUE(e.turn_changed_wiring());
    was_changed = 0;
    EXPECT_FALSE(e.turn_changed_wiring());
}

} // namespace
