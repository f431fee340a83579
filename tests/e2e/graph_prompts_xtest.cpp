// The one-line prompts of a basin field's attractor meta-graph window (its
// jump table's keys and the table's jump question), on both screens: below
// them the menu's place stays the graph window's own, not the field's
// finished progress bar that the graph opened over.
#include "e2e/e2e_fixture.h"

namespace {

class GraphPrompts : public ZemraTest {
protected:
    // The field of rule 110 on the 10-cell ring with its attractor
    // meta-graph and jump table of numbers; the graph window's menu waits
    // for a key once the field is drawn.
    void road_to_meta_graph()
    {
        road_to_field_rule("110");
        answer({"\r",         // network view: on to the output parameters
                "t\r",        // revise from pause/data
                "\r", "\r",   // no data pause, no printed data
                "\r",         // no data saved
                "m\r", "n\r", // attractor meta-graph, its jump table in numbers
                "\r", "\r",   // mutation: the default, no pause after it
                "\r"});       // field: the pre-image method
    }

    // Pixels other than the background in the progress bar's band under
    // the prompt box, which the menu's lower lines cover while it is up.
    int inked_under_prompt()
    {
        const int w = zemra->width();
        return zemra->marked_pixels(w / 2 + 8, vy(31), w / 2 - 18, vy(41) - vy(31));
    }

    void one_line_prompts_keep_the_menus_place(int width)
    {
        launch();
        ASSERT_EQ(zemra->width(), width) << "not the screen the test is for";
        road_to_meta_graph();
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no meta-graph";
        shot("meta-graph-menu-" + std::to_string(width));
        answer({"t"});        // the jump table and its keys' one-line prompt
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no jump table";
        shot("meta-graph-table-" + std::to_string(width));
        EXPECT_EQ(inked_under_prompt(), 0) << "the table's prompt uncovers the field's progress bar";
        answer({"j"});        // the jump question
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no jump question";
        shot("meta-graph-jump-" + std::to_string(width));
        EXPECT_EQ(inked_under_prompt(), 0) << "the jump question uncovers the field's progress bar";
        answer({"2\r", "3\r"}); // the table from node 2, 3 on
        ASSERT_TRUE(zemra->wait_ready_for_key()) << "no jump table after the jump";
        EXPECT_EQ(inked_under_prompt(), 0) << "the table's prompt uncovers the field's progress bar";
        answer({"\r"});       // the table left: the graph's menu again
        EXPECT_TRUE(zemra->wait_ready_for_key()) << "no meta-graph menu";
    }
};

TEST_F(GraphPrompts, MetaGraphTablePromptsKeepTheMenusPlace)
{
    one_line_prompts_keep_the_menus_place(1024);
}

// On a 1024 x 768 screen (a window 925 x 694).
TEST_F(GraphPrompts, SmallScreenMetaGraphTablePromptsKeepTheMenusPlace)
{
    one_line_prompts_keep_the_menus_place(925);
}

} // namespace
