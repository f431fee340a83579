// The network data menu typed through the server: the listing to a data
// file that exists keeps the file's lines unless 'o' is answered; a data
// file that cannot be made gets the file error and the listing still goes
// to standard error; the menu restores the output flags.
#include "support/x_test_fixture.h"

#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

#include "engine/forward/globals.h"
#include "engine/wiring_editor/editor_network_support.h"
#include "support/work_dir.h"
#include "ui/screen/globals.h"
#include "ui/storage/globals.h"
#include "ui/wiring_editor/network_data.h"

namespace {

class NetworkData : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        ASSERT_TRUE(dir.enter("zemra-netdata"));
        rules_set = false;
        pdata = 0;
        filedata = 0;
    }
    void TearDown() override
    {
        filedata = 0;
        pdata = 0;
        EXPECT_TRUE(dir.leave());
    }
    work_dir dir;
};

std::string
read_all(const char *name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void
three_cells()
{
    wiring[0][0] = 1;
    wiring[0][1] = 2;
    wiring[1][0] = 2;
    wiring[1][1] = 0;
    wiring[2][0] = 0;
    wiring[2][1] = 1;
}

const std::string kListing = "\nv2k2, n=3\ncell. wiring(1-0)\n" + std::string(45, '-') +
                             "\n2. 1 0, \n1. 0 2, \n0. 2 1, \n\n";

// Only the wiring is set, so "pr" lists the wiring as "pw" does.
TEST_F(NetworkData, AnExistingDataFileKeepsItsLinesUnlessOverwritten)
{
    srandom(1);
    MixNetwork net(2, 3, {2});
    three_cells();
    {
        std::ofstream out("my_data.dat");
        out << "basin line\n";
    }
    type_keys("pr\rsmy_data\r\ra");
    EXPECT_EQ(save_load_print_net(), 0);
    EXPECT_EQ(read_all("my_data.dat"), "basin line\n" + kListing);
    EXPECT_EQ(filedata, 0);
    EXPECT_EQ(pdata, 0);
    type_keys("pw\rsmy_data\r\ro");
    EXPECT_EQ(save_load_print_net(), 0);
    EXPECT_EQ(read_all("my_data.dat"), kListing);
    // A new name: the file is made for the listing.
    type_keys("pw\rsfresh\r\r");
    EXPECT_EQ(save_load_print_net(), 0);
    EXPECT_EQ(read_all("fresh.dat"), kListing);
}

// A directory stands where the file would go: overwriting it fails, the
// error box takes a key, and with 'b' the listing still reaches standard
// error, while nothing is written under the directory's name.
TEST_F(NetworkData, AFileThatCannotBeMadeStillListsToStandardError)
{
    srandom(2);
    MixNetwork net(2, 3, {2});
    three_cells();
    ASSERT_EQ(mkdir("blocked.dat", 0755), 0);
    type_keys("pw\rbblocked\r\ro\r");
    testing::internal::CaptureStderr();
    EXPECT_EQ(save_load_print_net(), 0);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(kListing), std::string::npos) << err;
    struct stat status;
    ASSERT_EQ(stat("blocked.dat", &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
    EXPECT_EQ(filedata, 0);
    EXPECT_EQ(pdata, 0);
}

// 'q' in the print question goes back to the menu, whose 'q' leaves with
// nothing written.
TEST_F(NetworkData, QuitStepsBackThroughThePrintQuestion)
{
    srandom(3);
    MixNetwork net(2, 3, {2});
    type_keys("pw\rqq");
    testing::internal::CaptureStderr();
    EXPECT_EQ(save_load_print_net(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(is[0], 0);
}

} // namespace
