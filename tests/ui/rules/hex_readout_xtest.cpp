// The hex readout of packed strings on the real window: byte order and
// two-digit bytes, the byte count of each kind, where the current point is
// left, line breaks, and the copies of each output mode.
#include "support/x_test_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"
#include "ui/rules/hex_readout.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/storage/globals.h"
#include "support/work_dir.h"

namespace {

void
use_values(int v)
{
    value_range = static_cast<int8_t>(v);
    value_bits = static_cast<int8_t>(check_value_bits(v));
}

class HexReadout : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        use_values(2);
        pdata = filedata = data_off;
        setviewport(0, 0, Maxx, Maxy, 1);
    }
    void TearDown() override
    {
        pdata = filedata = data_off;
        lineL = 0;
        use_values(2);
    }
    // Standard error of one readout at (100, 300) in mode 6, on a cleared
    // drawing area as the dialogs clear a readout's lines before it.
    static std::string hex_of(int kind, const uint8_t *line, int k)
    {
        clear_drawing_area();
        moveto(100, 300);
        testing::internal::CaptureStderr();
        print_current_bitstring_hexbytes(kind, line, k, Maxx, white, 6);
        return testing::internal::GetCapturedStderr();
    }
};

TEST_F(HexReadout, Rule110IsSixE)
{
    // Entries 7..0 = 0,1,1,0,1,1,1,0.
    // The second byte stays 0: it keeps the inlined v > 2 path of set_value
    // inside the array (only the first byte is printed).
    uint8_t rule[2] = {0, 0};
    for (int i : {1, 2, 3, 5, 6})
        set_value(rule, static_cast<uint32_t>(i), 1);
    EXPECT_EQ(hex_of(1, rule, 3), "6e");
}

TEST_F(HexReadout, BytesFromTheLastDownWithTwoDigitsEach)
{
    const uint8_t rule[2] = {0x05, 0x0a};  // v = 2, k = 4: 16 entries, 2 bytes
    EXPECT_EQ(hex_of(1, rule, 4), "0a05");
    lineL = 20;  // a state of 20 cells: 3 bytes
    const uint8_t state[3] = {0x01, 0x23, 0x0f};
    EXPECT_EQ(hex_of(0, state, 0), "0f2301");
}

TEST_F(HexReadout, ThreeValuesTakeTwoBitsAnEntry)
{
    use_values(3);
    // 9 entries of 2 bits: 3 bytes; entry 0 = 2, entry 1 = 1, entry 8 = 1.
    uint8_t rule[3] = {0, 0, 0};
    set_value(rule, 0, 2);
    set_value(rule, 1, 1);
    set_value(rule, 8, 1);
    EXPECT_EQ(hex_of(1, rule, 2), "010006");
    EXPECT_EQ(hex_string_bytes(1, 2), 3);
    EXPECT_EQ(hex_string_bytes(2, 3), 2);  // tcode: 7 entries, 14 bits
}

TEST_F(HexReadout, CurrentPointGoesBackToTheTextColumnOrStaysAfterInModeTwo)
{
    const uint8_t rule[2] = {0x12, 0x34};
    moveto(100, 300);
    EXPECT_EQ(print_current_bitstring_hexbytes(1, rule, 4, Maxx, lightcyan, 0), -1);
    EXPECT_EQ(getx, static_cast<int>(xtext * CWidth));
    EXPECT_EQ(gety, 300);
    moveto(100, 300);
    print_current_bitstring_hexbytes(1, rule, 4, Maxx, lightcyan, 2);
    EXPECT_EQ(getx, 100 + 2 * 2 * CWidth);
    EXPECT_EQ(gety, 300);
}

TEST_F(HexReadout, LinesBreakAfterThirtyTwoOrSixteenBytes)
{
    lineL = 320;  // 40 bytes
    std::vector<uint8_t> state(40, 0xab);
    moveto(100, 300);
    EXPECT_EQ(print_current_bitstring_hexbytes(0, state.data(), 0, Maxx, white, 0), 0);
    EXPECT_EQ(gety, 300);
    // A limit short of Maxx gives 16 bytes a line: 40 bytes break twice.
    moveto(100, 300);
    EXPECT_EQ(print_current_bitstring_hexbytes(0, state.data(), 0, Maxx - 1, white, 0), 1);
    EXPECT_EQ(gety, 300);
    // A narrow limit breaks by width: a line ends once the point passes
    // limit - vgax(8), here after 5 bytes of 2 character widths: 8 breaks.
    moveto(100, 300);
    int limit = 100 + 9 * CWidth + vgax(8);
    EXPECT_EQ(print_current_bitstring_hexbytes(0, state.data(), 0, limit, white, 2), 7);
}

TEST_F(HexReadout, ModeSixWritesEveryByteButDrawsOnlyTheFirstLine)
{
    lineL = 320;
    std::vector<uint8_t> state(40, 0x3c);
    moveto(100, 300);
    testing::internal::CaptureStderr();
    print_current_bitstring_hexbytes(0, state.data(), 0, 100 + 9 * CWidth + vgax(8), white, 6);
    std::string all;
    for (int i = 0; i < 40; i++)
        all += "3c";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), all);
}

TEST_F(HexReadout, ModeOneCopiesOnlyWhenTheFlagsAreSet)
{
    const uint8_t rule[1] = {0x6e};
    moveto(100, 300);
    testing::internal::CaptureStderr();
    print_current_bitstring_hexbytes(1, rule, 3, Maxx, white, 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    pdata = data_basins;
    testing::internal::CaptureStderr();
    print_current_bitstring_hexbytes(1, rule, 3, Maxx, white, 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "6e");
    testing::internal::CaptureStderr();
    print_current_bitstring_hexbytes(1, rule, 3, Maxx, white, 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(HexReadout, ModeThreeCopiesToStandardErrorAndDrawsNothing)
{
    work_dir work;
    ASSERT_TRUE(work.enter("zemra-hex"));
    snprintf(filename_data, kFileNameSize, "%s", "hex.dat");
    pdata = filedata = data_basins;
    setfillstyle(0, blue);
    bar(90, 290, 300, 330);
    const uint8_t rule[2] = {0xff, 0x00};
    moveto(100, 300);
    setcolor(yellow);
    testing::internal::CaptureStderr();
    print_current_bitstring_hexbytes(1, rule, 4, Maxx, white, 3);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "00ff");
    EXPECT_EQ(getcolor(), yellow);
    // The data file's copy is the caller's, composed into its whole line
    // with the readout's text.
    EXPECT_EQ(hex_readout_text(1, rule, 4), "00ff");
    EXPECT_FALSE(std::ifstream(filename_data).good());
    for (int x = 100; x < 160; x += 3)
        for (int y = 300; y < 300 + CHeight; y += 3)
            ASSERT_EQ(window_pixel(x, y), Color_Table[blue]) << x << "," << y;
    EXPECT_TRUE(work.leave());
}

}  // namespace
