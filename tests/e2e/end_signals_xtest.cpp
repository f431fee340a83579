// SIGTERM and SIGHUP end the real program through its clean end: at a
// prompt, under a running pattern, and in the middle of a screen save (its
// name dialog open), where the old picture of that name stays byte for byte
// and no temporary file is left.
#include "e2e/e2e_fixture.h"

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

const char kCleanExit[] = "\n Using backing store\n\nZemra clean exit\n";

// Each test runs the program in a fresh working directory of its own.
class EndSignals : public ZemraTest {
protected:
    void SetUp() override
    {
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        previous = here;
        char pattern[] = "/tmp/zemra-signals-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        ASSERT_EQ(chdir(dir.c_str()), 0);
    }
    void TearDown() override
    {
        ZemraTest::TearDown();
        ASSERT_EQ(chdir(previous.c_str()), 0);
        ASSERT_EQ(system(("rm -rf '" + dir + "'").c_str()), 0);
    }
    static std::vector<std::string> names_here()
    {
        std::vector<std::string> names;
        DIR *d = opendir(".");
        while (dirent *entry = readdir(d)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(d);
        return names;
    }
    // Sends sig to the program only: a program that never started has pid
    // -1, and kill(-1, sig) would signal every process the tests may reach.
    void signal_zemra(int sig)
    {
        ASSERT_GT(zemra->pid(), 0) << "no program to signal";
        kill(zemra->pid(), sig);
    }
    std::string dir, previous;
};

TEST_F(EndSignals, SigtermAtAPromptEndsCleanly)
{
    launch();
    signal_zemra(SIGTERM);
    EXPECT_EQ(zemra->wait_exit(5), 0);
    EXPECT_EQ(stderr_messages(), kCleanExit);
}

TEST_F(EndSignals, SighupUnderARunningPatternEndsCleanly)
{
    launch();
    road_to_forward_pattern();
    auto rows = [&] { return zemra->region_digest(0, 0, 14 * 6, 600); };
    unsigned long long early = rows();
    ASSERT_TRUE(wait_until([&] { return rows() != early; })) << "no running pattern";
    signal_zemra(SIGHUP);
    EXPECT_EQ(zemra->wait_exit(5), 0);
    EXPECT_NE(zemra->stderr_text().find("Zemra clean exit"), std::string::npos);
}

TEST_F(EndSignals, SigtermDuringAScreenSaveKeepsTheOldPicture)
{
    std::string old_picture(5000, 'o');
    {
        std::ofstream out("keep.nat", std::ios::binary);
        out << old_picture;
    }
    launch();
    zemra->type(">");       // the hot key: the window is captured, the name asked
    zemra->type("keep\r");  // the name; its confirmation waits
    signal_zemra(SIGTERM);
    EXPECT_EQ(zemra->wait_exit(5), 0);
    EXPECT_NE(zemra->stderr_text().find("Zemra clean exit"), std::string::npos);
    std::ifstream in("keep.nat", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              old_picture);
    EXPECT_EQ(names_here(), std::vector<std::string>{"keep.nat"});
}

} // namespace
