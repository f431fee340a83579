// The canalyzing picture of a rule mix on the virtual server: the grid of a
// prime number of cells is one row, the screen under the picture comes
// back when the dialog ends, a long prime row stays inside the window
// without an X error, and a target share of genes is reached.
#include "support/x_test_fixture.h"

#include <algorithm>
#include <thread>

#include "engine/forward/forward_test_support.h"
#include "engine/rules/canalyzing.h"
#include "ui/rule_dialogs/canalyzing_dialogs.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/screen/x_errors.h"

namespace {

class CanalyzingNet : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        allocate_mem_nhood_matrix(13);
        setviewport(0, 0, Maxx, Maxy, 1);
    }
    void TearDown() override
    {
        free_mem_nhood_matrix(13);
    }
    static void run(const std::string &keys)
    {
        paced_thread typist = type_keys_paced(keys);
        set_canalyzing_net(0);
        typist.join();
    }
    static unsigned long long screen_sum()
    {
        unsigned long long sum = 0;
        for (int y = vgay(150); y < vgay(420); y += 7)
            for (int x = Maxx / 2; x < Maxx; x += 7)
                sum = sum * 31 + window_pixel(x, y);
        return sum;
    }
};

TEST_F(CanalyzingNet, PrimeRingIsOneRowAndTheScreenComesBack)
{
    TestNetwork net(2, 13, 3);
    allocate_mem_rulemix(3);
    rulemix = 1;
    for (uint32_t c = 0; c < 13; c++)
        carule[c][0] = 0x96;
    unsigned long long before = screen_sum();
    unsigned long errors = x_error_count;
    run("\r\r\r"); // inputs, percentage, accept
    EXPECT_EQ(i2d, 13);
    EXPECT_EQ(j2d, 1);
    EXPECT_EQ(screen_sum(), before);
    EXPECT_EQ(x_error_count, errors);
    free_mem_rulemix();
    rulemix = 0;
}

// The histogram's last line ("frequency %") ends inside the picture's box:
// the descenders of its 'q' and 'y' were left below the box when it went.
TEST_F(CanalyzingNet, NothingIsLeftBelowThePicture)
{
    TestNetwork net(2, 20, 3);
    allocate_mem_rulemix(3);
    rulemix = 1;
    for (uint32_t c = 0; c < 20; c++)
        carule[c][0] = 0x96;
    clearviewport();
    run("\r\r\r");
    int bottom = std::min<int>(Maxy, vgay(400) + vgay(20));  // the picture's last row
    int marked = 0;
    for (int y = bottom + 1; y <= bottom + 6; y++)
        for (int x = Maxx / 3; x < Maxx; x++)
            marked += window_pixel(x, y) != Color_Table[black];
    EXPECT_EQ(marked, 0) << "pieces of the histogram below the picture";
    free_mem_rulemix();
    rulemix = 0;
}

TEST_F(CanalyzingNet, LongPrimeRowStaysInsideTheWindow)
{
    TestNetwork net(2, 1009, 2);
    allocate_mem_rulemix(2);
    rulemix = 1;
    unsigned long errors = x_error_count;
    run("\r\r\r");
    EXPECT_EQ(i2d, 1009);
    EXPECT_EQ(x_sync_errors(), errors);
    free_mem_rulemix();
    rulemix = 0;
}

TEST_F(CanalyzingNet, GenesReachTheTypedNumber)
{
    srandom(12);
    TestNetwork net(2, 20, 3);
    allocate_mem_rulemix(3);
    rulemix = 1;
    for (uint32_t c = 0; c < 20; c++)
        carule[c][0] = 0x96;
    run("g\rn\r8\r\r"); // genes, a number: 8, then accept
    canal_census census;
    take_canal_census(census);
    EXPECT_EQ(census.genes, 8);
    free_mem_rulemix();
    rulemix = 0;
}

} // namespace
