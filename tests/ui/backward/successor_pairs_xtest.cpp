// The successor-table dialog typed into the window: a computed table equals
// the network's step for every state, 'q' backs out with nothing kept, size
// ranges and unpaused mutants get their table without a question, 'p'
// lists every pair, a random map at Hamming distance h changes exactly h
// cells of every state, a saved random map loads back to the same table,
// and 'q' while the table is filled stops it through the stop box.
#include "support/x_test_fixture.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/backward/backward_test_support.h"
#include "engine/model/key_poll.h"
#include "support/work_dir.h"
#include "ui/model/cell_display.h"
#include "ui/backward/globals.h"
#include "ui/backward/stop_prompts.h"
#include "ui/backward/successor_pairs.h"
#include "ui/screen/boxes.h"
#include "ui/screen/globals.h"

namespace {

class SuccessorPairs : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        give_rule_figures();
    }
    void TearDown() override
    {
        free_successor_table();
        register_engine_prompts();
    }

    // Runs the dialog of a subtree-like run with keys typed as asked.
    static void run_dialog(const std::string &keys)
    {
        paced_thread typist = type_keys_paced(keys);
        prestate_successor_pairs();
        typist.join();
    }

    static uint32_t record_number(uint32_t s) { return dec_equiv(exh_pairs + s * bytesL, L); }

    static int differing_cells(uint32_t s)
    {
        set_number(A, s);
        int d = 0;
        for (uint32_t c = 0; c < lineL; c++)
            d += get_value(A, c) != get_value(exh_pairs + s * bytesL, c);
        return d;
    }
};

TEST_F(SuccessorPairs, ComputedTableIsTheStepOfEveryState)
{
    TestNetwork net(2, 9, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(110);
    std::vector<uint32_t> next = successors();
    exhaustive_testing = exhaustive_table;
    run_dialog("\r");
    EXPECT_EQ(is[0], 0);
    ASSERT_NE(exh_pairs, nullptr);
    ASSERT_NE(tickoff, nullptr); // a subtree's table brings its own tickoff
    for (uint32_t s = 0; s < next.size(); s++)
        ASSERT_EQ(record_number(s), next[s]) << "state " << s;
    EXPECT_EQ(dontcompress, 0);
    free_successor_table();
}

TEST_F(SuccessorPairs, QuitBacksOutWithNothingKept)
{
    TestNetwork net(2, 8, 3);
    reset_backward_settings();
    exhaustive_testing = exhaustive_table;
    run_dialog("q");
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(exh_pairs, nullptr);
    EXPECT_EQ(tickoff, nullptr);

    exhaustive_testing = exhaustive_random_map;
    run_dialog("\rq"); // 'q' at the Hamming question
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(exh_pairs, nullptr);
}

TEST_F(SuccessorPairs, SizeRangesAndUnpausedMutantsAreNotAsked)
{
    TestNetwork net(2, 8, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(90);
    std::vector<uint32_t> next = successors();
    exhaustive_testing = exhaustive_table;
    for (uint8_t *flag : {&rangeL, &mutantdontpause}) {
        *flag = 1;
        prestate_successor_pairs(); // no key typed: no question asked
        *flag = 0;
        EXPECT_EQ(is[0], 0);
        ASSERT_NE(exh_pairs, nullptr);
        for (uint32_t s = 0; s < next.size(); s++)
            ASSERT_EQ(record_number(s), next[s]) << "state " << s;
        free_successor_table();
    }
}

TEST_F(SuccessorPairs, PrintListsEveryPair)
{
    TestNetwork net(2, 6, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(30);
    std::vector<uint32_t> next = successors();
    exhaustive_testing = exhaustive_table;
    testing::internal::CaptureStderr();
    run_dialog("p\r");
    std::string out = testing::internal::GetCapturedStderr();
    std::string expected;
    for (uint32_t s = 0; s < next.size(); s++)
        expected += " " + std::to_string(s) + " " + std::to_string(next[s]) + "\n";
    EXPECT_EQ(out, expected);
    EXPECT_EQ(is[0], 0);
    free_successor_table();
}

TEST_F(SuccessorPairs, HammingDistanceChangesExactlyThatManyCells)
{
    struct hcase {
        int v, n, h;
    };
    for (hcase c : {hcase{2, 10, 3}, hcase{2, 10, 8}, hcase{2, 10, 10}, hcase{3, 6, 2},
                    hcase{3, 6, 5}, hcase{2, 8, 0}}) {
        TestNetwork net(c.v, c.n, 3);
        // A network of its own starts on a cleared drawing area: its start
        // values forget where the last case's rule box stood.
        clear_drawing_area();
        reset_backward_settings();
        setup_value_colors(1); // the rule readout of v = 3 is drawn in them
        exhaustive_testing = exhaustive_random_map;
        run_dialog("\r" + std::to_string(c.h) + "\r");
        SCOPED_TRACE("v " + std::to_string(c.v) + " n " + std::to_string(c.n) + " h " +
                     std::to_string(c.h));
        ASSERT_NE(exh_pairs, nullptr);
        for (uint32_t s = 0; s < states_of_network(); s++)
            ASSERT_EQ(differing_cells(s), c.h) << "state " << s;
        free_successor_table();
        checked_free(color_v);
        color_v = nullptr;
    }
}

TEST_F(SuccessorPairs, SavedRandomMapLoadsBackTheSameTable)
{
    work_dir dir;
    ASSERT_TRUE(dir.enter("zemra-pairs"));
    {
        TestNetwork net(2, 8, 3);
        reset_backward_settings();
        exhaustive_testing = exhaustive_random_map;
        run_dialog("s\r\rs\rmap\r\r"); // save; free map; SAVE-s; name; confirm
        EXPECT_EQ(is[0], 0);
        EXPECT_EQ(dontcompress, 1);
        ASSERT_NE(exh_pairs, nullptr);
        std::vector<uint8_t> table(exh_pairs, exh_pairs + 256 * bytesL);
        std::ifstream in("map.exh", std::ios::binary);
        std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(file, table);
        free_successor_table();

        run_dialog("l\rmap\r\r");
        EXPECT_EQ(is[0], 0);
        ASSERT_NE(exh_pairs, nullptr);
        EXPECT_EQ(std::vector<uint8_t>(exh_pairs, exh_pairs + 256 * bytesL), table);
        ASSERT_NE(tickoff, nullptr);
        free_successor_table();

        run_dialog("l\rq"); // backing out of the name dialog
        EXPECT_EQ(is[0], 'q');
        EXPECT_EQ(exh_pairs, nullptr);
    }
    EXPECT_TRUE(dir.leave());
}

int
quit_pending()
{
    return 'q';
}

TEST_F(SuccessorPairs, QuitWhileFillingStopsThroughTheStopBox)
{
    TestNetwork net(2, 13, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(110);
    exhaustive_testing = exhaustive_random_map;
    paced_thread typist = type_keys_paced("\r\r\rq"); // map, free, go on, then stop
    set_key_poll(quit_pending);
    prestate_successor_pairs();
    typist.join();
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(exh_pairs, nullptr);
    EXPECT_EQ(tickoff, nullptr);
}

} // namespace
