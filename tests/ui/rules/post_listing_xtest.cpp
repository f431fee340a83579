// The Post dialogs answered through the server: the restriction's answers,
// the listing of a small sample byte for byte, the data file holding what
// standard error shows, backing out of the file dialog, and the refusal of
// whole spaces of more than 2^32 rules.
#include "support/x_test_fixture.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

#include "engine/rules/globals.h"
#include "engine/rules/rules_test_support.h"
#include "ui/rules/post_listing.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/storage/globals.h"
#include "support/work_dir.h"

namespace {

struct Tables : RuleTableTest {
    void TestBody() override {}
    using RuleTableTest::SetUp;
    using RuleTableTest::TearDown;
};

class PostDialogs : public ScreenTest {
protected:
    Tables t;
    bool ready = false;
    work_dir work;

    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped())
            return;
        t.SetUp();
        ready = true;
        nhood = 3;
        totalistic = rule_kind_tables;
        moveto(vgax(60), vgay(250));
        ASSERT_TRUE(work.enter("zemra-post"));
    }
    void TearDown() override
    {
        if (!ready)
            return;
        EXPECT_TRUE(work.leave());
        ptype = ptype_any;
        pmu = post_class_any;
        nhood = 0;
        t.TearDown();
    }
    // Runs the listing dialog for k = nhood with keys typed; returns what it
    // wrote to standard error.
    std::string listing(const std::string &keys)
    {
        int k = nhood;
        long before = live_allocations;
        testing::internal::CaptureStderr();
        paced_thread typing = type_keys_paced(keys);
        post_samples(static_cast<int32_t>(rule_entries(k)) - 1, rule_bytes(k),
                     static_cast<int32_t>(tcode_entries(k)) - 1, tcode_bytes(k),
                     static_cast<int32_t>(kcode_entries(k)) - 1, kcode_bytes(k));
        typing.join();
        EXPECT_EQ(live_allocations, before);
        return testing::internal::GetCapturedStderr();
    }
    static std::string file(const char *name)
    {
        std::ifstream in(name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TEST_F(PostDialogs, RestrictionAnswers)
{
    is[0] = 'x';
    paced_thread typing = type_keys_paced("1\ri\r");
    restrict_post();
    typing.join();
    EXPECT_EQ(ptype, 1);
    EXPECT_EQ(pmu, post_class_ainf);
    EXPECT_EQ(is[0], 'x');
    // A type out of range is refused and asked again (in a box drawn
    // afresh, which says so): Return then keeps any type, and mu is asked
    // after it.
    typing = type_keys_paced("7\r\r3\r");
    restrict_post();
    typing.join();
    EXPECT_EQ(take_typed_keys(), 0) << "keys left over: the type was not asked again";
    EXPECT_EQ(ptype, ptype_any);
    EXPECT_EQ(pmu, post_class_a3);
    clear_drawing_area();
    typing = type_keys_paced("\r\r");
    restrict_post();
    typing.join();
    EXPECT_EQ(pmu, post_class_any);
    // The answered questions are gone from the prompt box's place: a box
    // saved over it later would bring them back.
    int left = 0;
    window_pixel(0, 0); // every drawing done before it is read
    for (unsigned long p : pixels_seen(Maxx / 2, 2, Maxx / 2 - 1, prompt_box_bottom(1) - 1))
        left += p != Color_Table[black];
    EXPECT_EQ(left, 0) << "the questions are left at the top right";
}

TEST_F(PostDialogs, SmallSampleListedByteForByte)
{
    srandom(5);
    EXPECT_EQ(listing("sa\r3\r\rq"),
              // 0, 1, 7 give 1: no value in a class, so the labels are
              // only the blank; then 0 and 1 give 1; then 5, 6, 7 give 1,
              // which all hold 1 at position 2.
              "\n 2:  10000011   C=0 P=0.625 Z=0.75"
              "\n 1:  00000011   C=2 P=0.75 Z=0.5"
              "\n 0:  11100000 A[1]i   C=1 P=0.625 Z=0.75"
              "\n v2k3: Post count=1=33.333%, sample=3\n");
}

TEST_F(PostDialogs, BothOutputsWriteTheSameText)
{
    srandom(8);
    std::string shown = listing("s\r\r\r4\rb\r\r\rq");
    EXPECT_EQ(file("post_data.dat"), shown);
    EXPECT_EQ(std::string(filename_data), "post_data.dat");
    EXPECT_NE(shown.find("sample=4"), std::string::npos);
}

TEST_F(PostDialogs, BackingOutOfTheFileDialogListsToStandardErrorOnly)
{
    nhood = 2;
    snprintf(filename_data, kFileNameSize, "stale.dat");
    std::string shown = listing("pa\rf\rqq");
    EXPECT_EQ(std::string(filename_data), "stale.dat");
    EXPECT_NE(access("stale.dat", F_OK), 0);
    EXPECT_EQ(shown.find("\n 15:  1111"), 0u);
    EXPECT_NE(shown.find(", rule-space=16"), std::string::npos);
}

TEST_F(PostDialogs, WholeSpaceAboveTwoToThe32IsRefused)
{
    nhood = 6;
    EXPECT_EQ(listing("pa\r\rq"), "");
}

} // namespace

namespace {

// While a long sample runs, the status box at the top middle says how to
// stop it; 'q' stops it there, and the box goes with the run.
TEST_F(PostDialogs, TheStatusBoxSaysHowToStopAndGoesWithTheRun)
{
    const int x0 = Maxx / 3 + 2, w = Maxx / 2 - 5 - x0, y0 = 4, h = CHeight;
    auto marks = [&] {
        int n = 0;
        for (unsigned long p : pixels_seen(x0, y0, w, h))
            n += p != Color_Table[black];
        return n;
    };
    int during = -1;
    // A Post-only sample of any type and class, to standard error: typed
    // from waits counted from here, before the dialog's first.
    paced_thread answers = type_keys_paced("s\r\r\r999999999\r\r");
    std::thread watcher([&] {
        answers.join();
        for (int i = 0; i < 3000 && (during = marks()) <= 0; i++)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        // The wait after the stop takes the second 'q', which leaves the
        // dialog: waits count from before the first is typed.
        paced_thread leave = act_paced({[] { type_in_step('q'); }});
        type_keys("q");  // stops the passes
        leave.join();
    });
    testing::internal::CaptureStderr();
    post_samples(static_cast<int32_t>(rule_entries(3)) - 1, rule_bytes(3),
                 static_cast<int32_t>(tcode_entries(3)) - 1, tcode_bytes(3),
                 static_cast<int32_t>(kcode_entries(3)) - 1, kcode_bytes(3));
    watcher.join();
    std::string listed = testing::internal::GetCapturedStderr();
    EXPECT_GT(during, 20) << "no words in the status box during the run";
    window_pixel(0, 0); // everything drawn is on the screen
    EXPECT_EQ(marks(), 0) << "the status box left after the run";
    EXPECT_NE(listed.find("Post count="), std::string::npos);
}

} // namespace
