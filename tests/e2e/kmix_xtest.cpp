// The k-mix stage of the real program: a random mix between bounds 2 and 2
// saved from its summary under the default name, in a working directory of
// the test's own (umask 077, so the file's mode 0644 comes from the program).
#include "e2e/e2e_fixture.h"
#include "support/work_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class KmixRoad : public ZemraTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.enter("zemra-e2e-kmix"));
        previous_umask = umask(077);
    }
    void TearDown() override
    {
        ZemraTest::TearDown();
        umask(previous_umask);
        ASSERT_TRUE(work.leave());
    }
    work_dir work;
    mode_t previous_umask = 0;
};

TEST_F(KmixRoad, RandomMixOfK2IsSavedAsTenBytesOf2)
{
    launch();
    answer({"\r",        // basin field
            "\r",        // value range 2
            "\r",        // no size range
            "\r", "\r",  // size 10, scale
            "m\r",       // k-mix
            "\r",        // random between bounds
            "2\r", "2\r",  // lower and upper bound
            "\r",        // no greater max-k
            "s\r",       // save from the summary
            "\r", "\r"});  // default name my_mix, confirmed
    std::string path = work.dir + "/my_mix.mix";
    ASSERT_TRUE(wait_until(
        [&] {
            struct stat st;
            return stat(path.c_str(), &st) == 0 && st.st_size == 10;
        }))
        << "no my_mix.mix of 10 bytes";
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string(10, '\x02'));
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

} // namespace
