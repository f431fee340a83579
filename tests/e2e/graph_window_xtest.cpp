// The network graph of a running pattern through the real program: opened
// from the pause box with its links, each layout key draws the graph
// anew, the window toggle shows what the graph covers and then the graph
// again, and 'q' goes back to the run.
#include "e2e/e2e_fixture.h"

#include <chrono>
#include <string>
#include <thread>

namespace {

using GraphWindowRoad = ZemraTest;

// The digest of a region once it has changed from `from` and then stayed
// the same for a while: what a command drew, whole. 0 when it never changed.
template <typename Digest>
unsigned long long
changed_and_settled(Digest digest, unsigned long long from)
{
    unsigned long long now = 0;
    if (!wait_until([&] { return (now = digest()) != from; }))
        return 0;
    for (int same = 0; same < 6;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        unsigned long long next = digest();
        same = next == now ? same + 1 : 0;
        now = next;
    }
    return now;
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
    unsigned long long paused = changed_and_settled(graph, 0);
    answer({"g\r", "L"}); // toggle the graph layout; the graph with its links
    unsigned long long shown = changed_and_settled(graph, paused);
    ASSERT_NE(shown, 0u) << "no graph";
    for (char key : std::string("O1rR2o")) {
        answer({std::string(1, key)});
        unsigned long long next = changed_and_settled(graph, shown);
        EXPECT_NE(next, 0u) << "'" << key << "' drew nothing new";
        shown = next;
    }
    answer({"w"});
    unsigned long long covered = changed_and_settled(graph, shown);
    EXPECT_NE(covered, 0u) << "'w' left the graph";
    answer({"w"});
    EXPECT_EQ(changed_and_settled(graph, covered), shown) << "the second 'w' did not bring the graph back";
    answer({"q"});          // back to the run, which goes on in the graph layout
    zemra->type_now("q");   // pause box again
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

} // namespace
