// The k-mix stage of the real program: a random mix between bounds 2 and 2
// saved from its summary under the default name, in a working directory of
// the test's own (umask 077, so the file's mode 0644 comes from the program).
#include "e2e/e2e_fixture.h"

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
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        previous_dir = here;
        char pattern[] = "/tmp/zemra-e2e-kmix-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        ASSERT_EQ(chdir(dir.c_str()), 0);
        previous_umask = umask(077);
    }
    void TearDown() override
    {
        ZemraTest::TearDown();
        umask(previous_umask);
        ASSERT_EQ(chdir(previous_dir.c_str()), 0);
        std::string command = "rm -rf '" + dir + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }
    std::string dir, previous_dir;
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
    std::string path = dir + "/my_mix.mix";
    ASSERT_TRUE(wait_until(
        [&] {
            struct stat st;
            return stat(path.c_str(), &st) == 0 && st.st_size == 10;
        },
        20))
        << "no my_mix.mix of 10 bytes";
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string(10, '\x02'));
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

} // namespace
