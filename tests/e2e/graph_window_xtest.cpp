// The network graph of a running pattern through the real program: opened
// from the pause box with its links, each layout key draws the graph
// anew, the window toggle shows what the graph covers and then the graph
// again, and 'q' goes back to the run.
#include "e2e/e2e_fixture.h"

#include <string>

namespace {

using GraphWindowRoad = ZemraTest;

// The digest of a region once the program waits for its next key: what the
// last command drew, whole (all drawn before a key wait is on the screen
// then). 0 when no wait came.
template <typename Digest>
unsigned long long
drawn_at_next_wait(ZemraProcess &zemra, Digest digest)
{
    return zemra.wait_ready_for_key() ? digest() : 0;
}

TEST_F(GraphWindowRoad, LayoutKeysAndTheWindowToggle)
{
    launch();
    road_to_forward_pattern();
    const int w = zemra->width(), h = zemra->height();
    // The left half of the graph window's middle: below the menu and left
    // of the pause box, both of which blink their cursors on the right.
    auto graph = [&] { return zemra->region_digest(w / 16, h / 4, w / 2 - w / 16 - 4, h / 2); };
    zemra->type_now("q");  // the running pattern: pause box
    unsigned long long paused = drawn_at_next_wait(*zemra, graph);
    ASSERT_NE(paused, 0u) << "no pause box";
    answer({"g\r", "L"}); // toggle the graph layout; the graph with its links
    unsigned long long shown = drawn_at_next_wait(*zemra, graph);
    ASSERT_NE(shown, 0u) << "no wait in the graph window";
    ASSERT_NE(shown, paused) << "no graph";
    for (char key : std::string("O1rR2o")) {
        answer({std::string(1, key)});
        unsigned long long next = drawn_at_next_wait(*zemra, graph);
        EXPECT_NE(next, 0u) << "no wait after '" << key << "'";
        EXPECT_NE(next, shown) << "'" << key << "' drew nothing new";
        shown = next;
    }
    answer({"w"});
    unsigned long long covered = drawn_at_next_wait(*zemra, graph);
    EXPECT_NE(covered, shown) << "'w' left the graph";
    answer({"w"});
    EXPECT_EQ(drawn_at_next_wait(*zemra, graph), shown) << "the second 'w' did not bring the graph back";
    answer({"q"});          // back to the run, which goes on in the graph layout
    zemra->type_now("q");   // pause box again
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

} // namespace
