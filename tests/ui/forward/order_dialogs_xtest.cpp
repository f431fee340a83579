// The listing of all update orders answered through the server: an order
// chosen as an order seed shows its bits in the status box while the
// listing stays open, and the box goes when the listing closes; an order
// file that is no order is refused in the file error box with why.
#include "support/x_test_fixture.h"

#include <fstream>
#include <string>
#include <thread>

#include "engine/forward/forward_test_support.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "ui/forward/order_dialogs.h"
#include "ui/forward/order_file.h"
#include "ui/model/cell_display.h"
#include "ui/model/globals.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "support/work_dir.h"

namespace {

using OrderDialogs = ScreenTest;

// The value colours the seed dialog reads, made for the test's value range.
struct ValueColours {
    ValueColours() { setup_value_colors(1); }
    ~ValueColours()
    {
        checked_free(color_v);
        color_v = nullptr;
    }
};

TEST_F(OrderDialogs, AnOrderSeedShowsItsBitsInTheStatusBox)
{
    TestNetwork net(2, 4, 3);
    ValueColours colours;
    nonlocal = 0;
    i2d = 4;
    j2d = 1;
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    moveto(40, 300);
    int shown = -1;
    // Set by seed ('s'), the seed dialog left as it is ('q'), then the
    // listing again, where the status box is read, and quit ('q').
    paced_thread typist = type_keys_looking("s\rqq", [&](size_t i) {
        if (i == 3)
            shown = status_box_marks();
    });
    set_all_orders();
    typist.join();
    EXPECT_GT(shown, 20) << "no bits in the status box";
    window_pixel(0, 0); // everything drawn is on the screen
    EXPECT_EQ(status_box_marks(), 0) << "the status box left after the listing";
    EXPECT_EQ(lineL, 4u);
}

// An order file of a cell met twice is refused in the file error box,
// which names the cell and both entries, and seq_order stays as it was.
TEST_F(OrderDialogs, AnOrderFileThatIsNoOrderSaysWhy)
{
    work_dir work;
    ASSERT_TRUE(work.enter("zemra-order"));
    TestNetwork net(2, 4, 3);
    for (uint16_t i = 0; i < 4; i++)
        seq_order[i] = i;
    {
        std::ofstream out("twice.ord", std::ios::binary);
        const char file[] = {0, 1, 0, 2, 0, 0, 0, 2};
        out.write(file, sizeof file);
    }
    moveto(40, 300);
    const std::string keys = "twice\r\r\r";
    paced_thread typist = type_keys_looking(keys, [&keys](size_t i) {
        if (i + 1 == keys.size())
            screenshot("order_refusal_" + std::to_string(Maxx + 1));
    });
    load_save_order('l');
    typist.join();
    EXPECT_EQ(last_file_error(), "file error twice.ord: cell 2 twice, entries 1 and 3, cont-ret:");
    for (uint16_t i = 0; i < 4; i++)
        EXPECT_EQ(seq_order[i], i);
    EXPECT_EQ(getx, 40);
    EXPECT_EQ(gety, 300);
    EXPECT_TRUE(work.leave());
}

} // namespace
