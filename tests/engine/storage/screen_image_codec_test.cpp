// The *.nat screen image format on plain pixel arrays: the byte examples of
// the format, band geometry for each resolution, round trips, the limits a
// picture must keep to, and the decoder's refusal of damaged files.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/storage/screen_image_codec.h"

namespace {

constexpr uint8_t kBackground = 1;

// A blank picture of w x h background pixels.
std::vector<uint8_t>
blank(int w, int h)
{
    return std::vector<uint8_t>(static_cast<size_t>(w) * h, kBackground);
}

std::vector<uint8_t>
encode(const std::vector<uint8_t> &picture, int w, int h)
{
    std::vector<uint8_t> out;
    EXPECT_EQ(encode_screen_image(picture.data(), w, h, kBackground, out),
              nat_encode_status::ok);
    return out;
}

// Draws the decoded runs onto a blank picture.
std::vector<uint8_t>
decode_to_picture(const std::vector<uint8_t> &file, int *w, int *h)
{
    std::vector<nat_run> runs;
    EXPECT_TRUE(decode_screen_image(file.data(), file.size(), w, h, runs));
    std::vector<uint8_t> picture = blank(*w, *h);
    for (const nat_run &run : runs)
        for (int i = 0; i < run.length; i++)
            picture[static_cast<size_t>(run.y + i) * *w + run.x] = run.colour;
    return picture;
}

TEST(ScreenImageCodec, OnePixelAtRowFiveIsCountRowWithBit7AndColour)
{
    // A 1-pixel-wide picture of 480 rows: 'o', 1, 480, then 4 bands.
    std::vector<uint8_t> picture = blank(1, 480);
    picture[5] = 4;
    std::vector<uint8_t> file = encode(picture, 1, 480);
    std::vector<uint8_t> expected = {'o', 0x01, 0x00, 0xE0, 0x01,
                                     0x00, 0x05, 0x01, 0x85, 0x04,  // band 0
                                     0x00, 0x03, 0x00,              // bands 1-3 blank
                                     0x00, 0x03, 0x00,
                                     0x00, 0x03, 0x00};
    EXPECT_EQ(file, expected);
}

TEST(ScreenImageCodec, TenPixelRunFromRowThreeStoresItsExtraCount)
{
    std::vector<uint8_t> picture = blank(1, 480);
    for (int y = 3; y < 13; y++)
        picture[y] = 4;
    std::vector<uint8_t> file = encode(picture, 1, 480);
    ASSERT_GE(file.size(), 11u);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 5, file.begin() + 11),
              (std::vector<uint8_t>{0x00, 0x06, 0x01, 0x03, 0x09, 0x04}));
}

TEST(ScreenImageCodec, ColourChangeAndBackgroundSplitRuns)
{
    // Rows 0-1 colour 4, row 2 colour 5, row 3 background, row 4 colour 5.
    std::vector<uint8_t> picture = blank(1, 480);
    picture[0] = picture[1] = 4;
    picture[2] = 5;
    picture[4] = 5;
    std::vector<uint8_t> file = encode(picture, 1, 480);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 5, file.begin() + 15),
              (std::vector<uint8_t>{0x00, 0x0A, 0x03, 0x00, 0x01, 0x04, 0x82, 0x05, 0x84,
                                    0x05}));
}

TEST(ScreenImageCodec, BlankBandIsLengthFieldAndOneZeroPerColumn)
{
    std::vector<uint8_t> file = encode(blank(640, 480), 640, 480);
    ASSERT_EQ(file.size(), 1u + 4 * (2 + 640));
    EXPECT_EQ(file[0], 'l');
    // 642 = 0x0282, high byte first.
    EXPECT_EQ(file[1], 0x02);
    EXPECT_EQ(file[2], 0x82);
    for (size_t i = 3; i < 3 + 640; i++)
        ASSERT_EQ(file[i], 0);
}

TEST(ScreenImageCodec, ResolutionLettersAndBandGeometry)
{
    EXPECT_EQ(encode(blank(640, 480), 640, 480)[0], 'l');
    EXPECT_EQ(encode(blank(800, 600), 800, 600)[0], 'm');
    EXPECT_EQ(encode(blank(1024, 768), 1024, 768)[0], 'h');

    EXPECT_EQ(nat_band_count(480), 4);
    for (int b = 0; b < 4; b++)
        EXPECT_EQ(nat_band_height(480, b), 120);
    EXPECT_EQ(nat_band_count(768), 8);
    for (int b = 0; b < 8; b++)
        EXPECT_EQ(nat_band_height(768, b), 96);
    EXPECT_EQ(nat_band_count(700), 8);
    for (int b = 0; b < 7; b++)
        EXPECT_EQ(nat_band_height(700, b), 87);
    EXPECT_EQ(nat_band_height(700, 7), 91);
    EXPECT_EQ(nat_band_top(700, 7), 609);
}

TEST(ScreenImageCodec, OtherSizeWritesItsSizeLowByteFirstAndEightBands)
{
    std::vector<uint8_t> picture = blank(1000, 700);
    picture[static_cast<size_t>(699) * 1000 + 3] = 7;  // last row, in the 91-row band
    std::vector<uint8_t> file = encode(picture, 1000, 700);
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 5),
              (std::vector<uint8_t>{'o', 0xE8, 0x03, 0xBC, 0x02}));
    // Walk the bands by their length fields: 8 of them, nothing after.
    size_t pos = 5;
    int bands = 0;
    while (pos < file.size()) {
        size_t length = static_cast<size_t>(file[pos]) << 8 | file[pos + 1];
        if (bands == 7) {
            // Column 3 of the last band: one single pixel at row 90 (699 - 609).
            EXPECT_EQ(length, 2u + 1000 + 2);
            EXPECT_EQ(file[pos + 2 + 3], 1);
            EXPECT_EQ(file[pos + 2 + 4], 0x80 | 90);
            EXPECT_EQ(file[pos + 2 + 5], 7);
        } else {
            EXPECT_EQ(length, 2u + 1000);
        }
        pos += length;
        bands++;
    }
    EXPECT_EQ(bands, 8);
    EXPECT_EQ(pos, file.size());
}

TEST(ScreenImageCodec, RoundTripOfAVariedPicture)
{
    int w = 300, h = 250;
    std::vector<uint8_t> picture = blank(w, h);
    srandom(7);
    for (size_t i = 0; i < picture.size(); i++)
        picture[i] = static_cast<uint8_t>(random() % 4 == 0 ? kBackground : 2 + (i / 37) % 5);
    std::vector<uint8_t> file = encode(picture, w, h);
    int dw = 0, dh = 0;
    EXPECT_EQ(decode_to_picture(file, &dw, &dh), picture);
    EXPECT_EQ(dw, w);
    EXPECT_EQ(dh, h);
}

TEST(ScreenImageCodec, BusyBandIsRefused)
{
    // Random three-colour pixels need about 100,000 bytes in a 96-row band.
    std::vector<uint8_t> picture = blank(1024, 768);
    srandom(1);
    for (uint8_t &pixel : picture)
        pixel = static_cast<uint8_t>(random() % 3 + 1);
    std::vector<uint8_t> out;
    EXPECT_EQ(encode_screen_image(picture.data(), 1024, 768, kBackground, out),
              nat_encode_status::band_too_long);
}

TEST(ScreenImageCodec, BandsTallerThan128RowsAreRefused)
{
    // 1031 rows: seven bands of 128 and a last one of 135.
    std::vector<uint8_t> out;
    std::vector<uint8_t> picture = blank(10, 1031);
    EXPECT_EQ(encode_screen_image(picture.data(), 10, 1031, kBackground, out),
              nat_encode_status::band_too_tall);
    // 1024 rows still fit: eight bands of exactly 128.
    picture = blank(10, 1024);
    picture[static_cast<size_t>(1023) * 10] = 3;
    std::vector<uint8_t> file = encode(picture, 10, 1024);
    int w = 0, h = 0;
    EXPECT_EQ(decode_to_picture(file, &w, &h), picture);
}

class DamagedFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<uint8_t> picture = blank(640, 480);
        for (int y = 100; y < 110; y++)
            picture[static_cast<size_t>(y) * 640 + 20] = 4;
        file = encode(picture, 640, 480);
    }
    bool decodes(const std::vector<uint8_t> &data)
    {
        std::vector<nat_run> runs;
        int w = 0, h = 0;
        return decode_screen_image(data.data(), data.size(), &w, &h, runs);
    }
    // Why the decoder refuses data; empty when it takes it.
    static std::string fault_of(const std::vector<uint8_t> &data)
    {
        std::vector<nat_run> runs;
        std::string fault = "not set";
        bool taken = decode_screen_image(data.data(), data.size(), nullptr, nullptr, runs, &fault);
        EXPECT_EQ(taken, fault.empty()) << fault;
        return fault;
    }
    std::vector<uint8_t> file;
};

TEST_F(DamagedFile, IntactFileDecodes)
{
    EXPECT_TRUE(decodes(file));
}

TEST_F(DamagedFile, UnknownFirstByteOrEmptyFile)
{
    file[0] = 'x';
    EXPECT_FALSE(decodes(file));
    EXPECT_FALSE(decodes({}));
    EXPECT_FALSE(decodes({'o', 0x10}));
    EXPECT_FALSE(decodes({'o', 0x00, 0x00, 0x10, 0x00}));  // width 0
}

TEST_F(DamagedFile, EveryTruncationIsRefused)
{
    for (size_t size = 0; size < file.size(); size += 97)
        EXPECT_FALSE(decodes(std::vector<uint8_t>(file.begin(), file.begin() + size))) << size;
    EXPECT_FALSE(decodes(std::vector<uint8_t>(file.begin(), file.end() - 1)));
}

TEST_F(DamagedFile, BytesAfterTheLastBand)
{
    file.push_back(0);
    EXPECT_FALSE(decodes(file));
}

TEST_F(DamagedFile, BandLengthDisagreeingWithItsColumns)
{
    std::vector<uint8_t> longer = file;
    longer[2] += 1;  // band 0 one byte longer than its columns
    EXPECT_FALSE(decodes(longer));
    std::vector<uint8_t> shorter = file;
    shorter[2] -= 1;
    EXPECT_FALSE(decodes(shorter));
}

TEST_F(DamagedFile, RunLeavingItsBand)
{
    // Band 0 of 'l' is 120 rows; the run of column 20 is at rows 100..109.
    // Find it: count 1, row 100, extra 9, colour 4.
    size_t at = 0;
    for (size_t i = 3; i + 3 < file.size(); i++)
        if (file[i] == 1 && file[i + 1] == 100 && file[i + 2] == 9 && file[i + 3] == 4)
            at = i;
    ASSERT_NE(at, 0u);
    file[at + 2] = 20;  // rows 100..120: one past the band
    EXPECT_FALSE(decodes(file));
    file[at + 2] = 19;  // rows 100..119: the band's last row
    EXPECT_TRUE(decodes(file));
}

// The reasons a refused file is given, one for each check of the decoder.
TEST_F(DamagedFile, ReasonsSayWhichCheckRefusedTheFile)
{
    EXPECT_EQ(fault_of(file), "");
    EXPECT_EQ(fault_of({}), "empty file");
    EXPECT_EQ(fault_of({'x', 0, 2}), "first byte 'x', sizes are l m h o");
    EXPECT_EQ(fault_of({7, 0, 2}), "first byte 7, sizes are l m h o");
    EXPECT_EQ(fault_of({'o', 0x10, 0, 1}), "4 bytes, a header of its own size is 5");
    EXPECT_EQ(fault_of({'o', 0x00, 0x00, 0x10, 0x00}), "header says 0x16, no picture");
    EXPECT_EQ(fault_of({'o', 0x02, 0x00, 0x00, 0x00}), "header says 2x0, no picture");
    EXPECT_EQ(fault_of({'l'}), "file ends before band 1 of 4");
    EXPECT_EQ(fault_of({'l', 0x00, 0x01}), "band 1 says 1 byte, its length alone is 2");

    // Each band of this picture is 642 bytes but band 0, whose column 20
    // holds one run (4 bytes for 1): 645.
    ASSERT_EQ(file.size(), 1u + 645 + 3 * 642);
    std::vector<uint8_t> cut(file.begin(), file.begin() + 1 + 645 + 642 + 100);
    EXPECT_EQ(fault_of(cut), "band 3 says 642 bytes, file holds 100");
    std::vector<uint8_t> shorter = file;
    shorter[2] -= 1;  // band 0 one byte shorter than its columns: column 639 is cut
    EXPECT_EQ(fault_of(shorter), "band 1 of 644 bytes ends in column 639 of 640");
    std::vector<uint8_t> longer = file;
    longer[2] += 1;
    EXPECT_EQ(fault_of(longer), "band 1 has 1 byte past its 640 columns");
    std::vector<uint8_t> trailing = file;
    trailing.insert(trailing.end(), {0, 0, 0});
    EXPECT_EQ(fault_of(trailing), "3 bytes after the last band");
    std::vector<uint8_t> own_size = encode(blank(3, 2), 3, 2);
    own_size.resize(own_size.size() - 1);  // the last band's last column record
    EXPECT_EQ(fault_of(own_size), "band 4 says 5 bytes, file holds 4");
}

TEST_F(DamagedFile, ARunLeavingItsBandIsNamedByBandColumnAndRows)
{
    // Band 0's run at column 20 holds rows 100..109; ask for 100..125.
    size_t at = 1 + 2 + 20;
    ASSERT_EQ(file[at], 1);
    ASSERT_EQ(file[at + 1], 100);
    file[at + 2] = 25;
    EXPECT_EQ(fault_of(file), "band 1 column 20: rows 100-125 past its 120");
    // A single pixel whose row number (bit 7 set, bits 0-6 = 127) lies past
    // the band of 120 rows.
    file[at + 1] = 0x80 | 127;
    file.erase(file.begin() + static_cast<long>(at) + 2);  // single pixels store no extra
    file[2] -= 1;
    EXPECT_EQ(fault_of(file), "band 1 column 20: rows 127-127 past its 120");
}

}  // namespace
