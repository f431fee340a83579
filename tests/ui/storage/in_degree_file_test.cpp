// In-degree histogram files without a window: pre_fan_freq saved as 804
// bytes for a cut-off of 200 and loaded back, a file's length setting the
// cut-off, and files of refused lengths (none, not whole counts, too short,
// too long) or missing shown as the file error with the counts, their
// array and the cut-off left exactly as they were.
#include "ui/storage/storage_test_support.h"

#include <cstring>

#include "engine/backward/globals.h"
#include "engine/backward/in_degree.h"
#include "engine/model/checked_alloc.h"
#include "ui/storage/in_degree_file.h"

namespace {

class InDegreeFile : public StorageTest {
protected:
    uint32_t saved_max = maxinhist;
    void SetUp() override
    {
        StorageTest::SetUp();
        maxinhist = 200;
        reset_in_degree_counts(201);
        for (uint32_t i = 0; i <= 200; i++)
            pre_fan_freq[i] = (i * 7919u) ^ (i << 20);
        pre_fan_edges = 12345;
    }
    void TearDown() override
    {
        checked_free(pre_fan_freq);
        pre_fan_freq = nullptr;
        pre_fan_edges = 0;
        maxinhist = saved_max;
        StorageTest::TearDown();
    }
};

TEST_F(InDegreeFile, CutOff200Is804BytesAndLoadsBack)
{
    std::vector<uint32_t> before(pre_fan_freq, pre_fan_freq + 201);
    ASSERT_TRUE(save_in_degree_file("my_prh.prh"));
    bytes file = contents("my_prh.prh");
    ASSERT_EQ(file.size(), 804u);
    EXPECT_EQ(mode_of("my_prh.prh"), 0644u);
    // Entry 1 (7919 ^ 1 << 20) most significant byte first.
    EXPECT_EQ(bytes(file.begin() + 4, file.begin() + 8), (bytes{0x00, 0x10, 0x1E, 0xEF}));
    memset(pre_fan_freq, 0, 201 * sizeof(uint32_t));
    ASSERT_TRUE(load_in_degree_file("my_prh.prh"));
    EXPECT_EQ(maxinhist, 200u);
    EXPECT_EQ(std::vector<uint32_t>(pre_fan_freq, pre_fan_freq + 201), before);
    // The edges of loaded counts: the last entry's nodes count 200 each.
    EXPECT_EQ(pre_fan_edges, sum_in_degree_counts(pre_fan_freq, 200, false).edges);
}

TEST_F(InDegreeFile, A400ByteFileSetsCutOff99)
{
    bytes file(400, 0);
    file[3] = 9;
    file[399] = 2;
    write_file("small.prh", file);
    ASSERT_TRUE(load_in_degree_file("small.prh"));
    EXPECT_EQ(maxinhist, 99u);
    EXPECT_EQ(pre_fan_freq[0], 9u);
    EXPECT_EQ(pre_fan_freq[99], 2u);
    EXPECT_EQ(pre_fan_edges, 198u);
}

TEST_F(InDegreeFile, RefusedLengthsLeaveTheHistogramUntouched)
{
    uint32_t *array = pre_fan_freq;
    std::vector<uint32_t> before(pre_fan_freq, pre_fan_freq + 201);
    for (size_t length : {0, 3, 5, 200, 202, 806, 20008, 262148}) {
        write_file("bad.prh", bytes(length, 0x11));
        is[0] = 0;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(load_in_degree_file("bad.prh")) << length;
        // Longer than the largest sound file (20004 bytes): refused unread;
        // else refused for its length, which is said.
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  length > 20004 ? "file error bad.prh: File too large\n"
                                 : "file error bad.prh: " + std::to_string(length) +
                                       " bytes, 51-5001 counts of 4 bytes\n");
        EXPECT_EQ(is[0], 'q');
        EXPECT_EQ(pre_fan_freq, array) << length;
        EXPECT_EQ(maxinhist, 200u) << length;
        EXPECT_EQ(pre_fan_edges, 12345u) << length;
        EXPECT_EQ(std::vector<uint32_t>(pre_fan_freq, pre_fan_freq + 201), before) << length;
    }
    testing::internal::CaptureStderr();
    EXPECT_FALSE(load_in_degree_file("missing.prh"));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(pre_fan_freq, array);
}

TEST_F(InDegreeFile, UnwritableFileIsAFileError)
{
    testing::internal::CaptureStderr();
    EXPECT_FALSE(save_in_degree_file("no_such_dir/x.prh"));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(is[0], 'q');
}

} // namespace
