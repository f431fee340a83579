// Network files through their dialogs on the virtual server: the name
// dialog, the placement prompt of a smaller seed (typed and random start),
// the v-range refusal box, a damaged file's refusal and backing out.
#include "support/x_test_fixture.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/network_files.h"
#include "support/work_dir.h"

namespace {

class NetworkFileDialogs : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        ASSERT_TRUE(work.enter("zemra-netfiles"));
        value_range = 2;
        value_bits = 1;
        oned = threed = 0;
        twod = 2;
        i2d = 40;
        j2d = 30;
        lineL = 1200;
        L = 1199;
        bytesL = 150;
        state.assign(bytesL, 0);
        // A 4 x 2 seed with cells 0 and 5 set.
        std::ofstream out("small.eed", std::ios::binary);
        const char file[] = {2, 8, 0, 4, 2, 0x21};
        out.write(file, sizeof file);
        moveto(40, 60);
    }
    void TearDown() override
    {
        ASSERT_TRUE(work.leave());
        twod = 0;
    }
    work_dir work;
    std::vector<uint8_t> state;
};

TEST_F(NetworkFileDialogs, TypedStartPlacesTheSeed)
{
    type_keys("small\r\r3\r4\r");
    EXPECT_EQ(load_save_wrs('l', state.data(), 's'), 8);
    EXPECT_EQ(file_dim, 2);
    EXPECT_EQ(file_starti, 3);
    EXPECT_EQ(file_startj, 4);
    EXPECT_EQ(get_value(state.data(), 3 + 40 * 4), 1);      // file cell 0
    EXPECT_EQ(get_value(state.data(), 3 + 1 + 40 * 5), 1);  // file cell 5
    EXPECT_EQ(get_value(state.data(), 4 + 40 * 4), 0);
    EXPECT_EQ(getx, 40);
    EXPECT_EQ(gety, 60);
}

TEST_F(NetworkFileDialogs, RandomStartStaysWithinTheLattice)
{
    type_keys("small\r\rr\rr\r");
    load_save_wrs('l', state.data(), 's');
    EXPECT_LT(file_starti, 36);
    EXPECT_LT(file_startj, 28);
}

// 99 is held at the last start that keeps the small net inside, 36.
TEST_F(NetworkFileDialogs, OutOfRangeStartIsHeldInside)
{
    type_keys("small\r\r99\r\r");
    load_save_wrs('l', state.data(), 's');
    EXPECT_EQ(file_starti, 36);
    EXPECT_EQ(file_startj, 14);
}

TEST_F(NetworkFileDialogs, SeedOfAnotherVIsRefusedAfterAKey)
{
    {
        std::ofstream out("v3.eed", std::ios::binary);
        const char file[] = {3, 8, 0, 4, 2, 0x21, 0};
        out.write(file, sizeof file);
    }
    type_keys("v3\r\r\r");
    EXPECT_EQ(load_save_wrs('l', state.data(), 's'), 255);
    EXPECT_EQ(state, std::vector<uint8_t>(bytesL, 0));
}

// A damaged network file is refused in the file error box with why, the
// longest reason a network file is given (its header's cells in no whole
// layers of its sides) on as many lines as the box needs.
TEST_F(NetworkFileDialogs, ADamagedFileIsRefusedWithWhyInTheFileErrorBox)
{
    {
        std::ofstream out("layers.wrs", std::ios::binary);
        const char file[] = {2, 3, '\xFF', '\xFF', '\xFF', '\x80', 0, 0};
        out.write(file, sizeof file);
    }
    const std::string keys = "layers\r\r\r";
    paced_thread typist = type_keys_looking(keys, [&keys](size_t i) {
        if (i + 1 == keys.size())
            screenshot("network_file_refusal_" + std::to_string(Maxx + 1));
    });
    EXPECT_EQ(load_save_wrs('l', state.data(), 3), 255);
    typist.join();
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(last_file_error(), "file error layers.wrs: header says 65535 cells, "
                                 "not whole 255x128 layers, cont-ret:");
    EXPECT_EQ(getx, 40);
    EXPECT_EQ(gety, 60);
}

TEST_F(NetworkFileDialogs, SaveUnderTheDefaultNameAndBackOut)
{
    set_value(state.data(), 7, 1);
    type_keys("\r\r");
    EXPECT_EQ(load_save_wrs('s', state.data(), 's'), 's');
    EXPECT_EQ(std::string(filename), "mysee_v2.eed");
    EXPECT_EQ(access("mysee_v2.eed", R_OK), 0);
    type_keys("q");
    EXPECT_EQ(load_save_wrs('l', state.data(), 's'), 0);
    EXPECT_EQ(is[0], 'q');
}

} // namespace
