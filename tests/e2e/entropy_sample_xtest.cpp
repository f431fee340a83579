// The input entropy plot and its rule sampling driven through the real
// program: a forward-only run with the entropy-density plane, an entropy
// sample in test mode whose figures end in the test question, 'a' there
// turning to automatic sampling into a *.sta file of whole records, and a
// record whose start lies past the end kept from before.
#include "e2e/e2e_fixture.h"

#include <sys/stat.h>

#include <string>

#include "support/work_dir.h"

namespace {

class EntropySample : public ZemraTest {
protected:
    void SetUp() override { ASSERT_TRUE(work.enter("zemra-entropy")); }
    void TearDown() override
    {
        ZemraTest::TearDown();
        work.leave();
    }

    // The default forward-only run with its lookup histogram, then 'u': the
    // entropy-density plane beside it.
    void run_with_plane()
    {
        launch();
        road_to_forward_pattern();
        ASSERT_TRUE(wait_for_pattern()) << "no space-time pattern";
        zemra->type_now("u");
    }

    static long file_size(const char *name)
    {
        struct stat st;
        return stat(name, &st) == 0 ? static_cast<long>(st.st_size) : -1;
    }

    work_dir work;
};

TEST_F(EntropySample, TestModeShowsTheFiguresAndAutomaticModeAppendsWholeRecords)
{
    run_with_plane();
    zemra->type_now("E");
    // Test sample, standard deviation, record 30..60, 2 runs a rule.
    answer({"\r", "\r", "30\r", "60\r", "2\r"});
    // Two runs of 61 steps, then the figures and the test question wait.
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no test question";
    const int w = zemra->width();
    unsigned long long box = zemra->region_digest(w / 2, 0, w / 2 - 2, 5 * 18);
    EXPECT_NE(box, 0u);
    // Automatic: the file dialog (default name, confirmed) and a new file.
    answer({"a\r", "\r", "\r", "\r"});
    // With R = 1 byte (v = 2, k = 3) each record is 3 bytes; records come
    // whole, one a rule.
    ASSERT_TRUE(wait_until([&] { return file_size("my_stat.sta") >= 9; }))
        << "no records appended";
    long size = file_size("my_stat.sta");
    zemra->type_now("q");
    EXPECT_EQ(zemra->quit_by_steps(), 0);
    EXPECT_EQ(size % 3, 0) << size;
    EXPECT_EQ(file_size("my_stat.sta") % 3, 0);
}

TEST_F(EntropySample, AStartPastTheKeptEndRecordsOnTheStepAfterIt)
{
    run_with_plane();
    zemra->type_now("E");
    // Start 500 with the end 430 kept from before: the end becomes 501, and
    // one run a rule ends in the test question at step 502.
    answer({"\r", "\r", "500\r", "\r", "1\r"});
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "no test question";
    answer({"s\r"});  // the same rule once more
    // The next run of 502 steps ends in the question again.
    ASSERT_TRUE(zemra->wait_ready_for_key()) << "the run did not go on to its next record";
    answer({"s\r"});
    zemra->type_now("q");
    EXPECT_EQ(zemra->quit_by_steps(), 0);
    EXPECT_EQ(zemra->stderr_text().find("memory"), std::string::npos);
}

} // namespace
