// The staged set-up walked as a user types it: forward through every stage
// and back out, leaving no stage memory behind.
#include "support/x_test_fixture.h"

#include "engine/backward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "ui/driver/globals.h"
#include "ui/driver/setup_stages.h"
#include "ui/model/buffers.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"
#include "ui/storage/globals.h"

namespace {

class SetupStages : public ScreenTest {
protected:
    static void SetUpTestSuite()
    {
        ScreenTest::SetUpTestSuite();
        // What the start-up allocates for the life of the program. (The
        // rule figures are given to each test: tests of other suites
        // allocate and free their own.)
        no_glider_rules = static_cast<uint16_t **>(checked_calloc(9, sizeof(uint16_t *), "test"));
        for (int v = 2; v <= 8; v++)
            no_glider_rules[v] =
                static_cast<uint16_t *>(checked_calloc(14, sizeof(uint16_t), "test"));
    }
    void SetUp() override
    {
        ScreenTest::SetUp();
        give_rule_figures();
        xtext = static_cast<float>(vgax(50)) / CWidth;
        moveto(vgax(50), vgay(80));
        before = live_allocations;
    }
    // Runs the set-up with these keys already typed; it must come back to
    // the first screen with every stage's memory freed.
    void walk(const std::string &keys)
    {
        paced_thread typing = type_keys_paced(keys);
        run_setup_stages();
        typing.join();
        EXPECT_EQ(is[0], 'q');
        EXPECT_EQ(take_typed_keys(), 0) << "keys left over: the road was shorter than typed";
        EXPECT_EQ(live_allocations, before) << "stage memory left allocated";
    }
    long before = 0;
};

// Keys that step back from the network view to the first screen, for a
// plain 1d network (no network view after the wire-up).
const std::string kBackFromView = "q"   // network view -> rules
                                  "q"   // rules -> rule kind
                                  "q"   // rule kind -> network view shown
                                  "q"   // ... left with q -> wiring
                                  "q"   // wiring -> neighbourhood
                                  "q";  // neighbourhood -> network size

TEST_F(SetupStages, FieldRoadForwardToTheViewAndBackFreesEverything)
{
    basinfield = 1;
    walk("\r"      // value range 2
         "\r"      // no size range
         "\r\r"    // size 10, scale
         "\r"      // k = 3
         "\r"      // regular 1d
         "\r"      // rule tables
         "\r"      // a single rule
         "\r\r"    // a random rule, accepted
         "\r" +    // no transformation
         kBackFromView +
         "q"       // field size -> size range
         "q"       // size range -> value range
         "q");     // value range -> first screen
    EXPECT_EQ(value_range, 2);
    EXPECT_EQ(lineL, 10);
    EXPECT_EQ(nhood, 3);
    EXPECT_EQ(whatwire, whatwire_1d);
    EXPECT_EQ(nonlocal, 0);
}

TEST_F(SetupStages, SingleBasinRoadWithThreeValues)
{
    basinfield = 0;
    walk("3\r"     // value range 3
         "\r"      // no size range
         "\r20\r"  // scale, size 20
         "4\r"     // k = 4
         "\r"      // regular 1d
         "k\r"     // kcodes
         "\r"      // a single code
         "\r\r"    // a random code, accepted
         "\r" +    // no transformation
         kBackFromView +
         "q"       // scale -> size range
         "q"       // size range -> value range
         "q");
    EXPECT_EQ(value_range, 3);
    EXPECT_EQ(value_bits, 2);
    EXPECT_EQ(maxL_lu, 20);
    EXPECT_EQ(Maxnhood, 9);
    EXPECT_EQ(lineL, 20);
    EXPECT_EQ(totalistic, rule_kind_kcodes);
}

TEST_F(SetupStages, SteppingBackFromEveryStageInTurn)
{
    basinfield = 1;
    walk("\rq"            // value range, size range back
         "q");           // value range back
    walk("\r\rq"          // size range -> size prompt back
         "qq");
    walk("\r\r\r\rq"      // scale -> k back
         "qqq");
}

TEST_F(SetupStages, ValueRangeOutsideTwoToEightKeepsThePreviousOne)
{
    basinfield = 1;
    value_range = 4;
    walk("9\rq"   // refused: stays 4, then back from size range
         "q");
    EXPECT_EQ(value_range, 4);
    walk("1\rqq");
    EXPECT_EQ(value_range, 4);
    walk("2\rqq");
    EXPECT_EQ(value_range, 2);
}

} // namespace
