// The *.nat screen image format on plain arrays, apart from the window, so it
// can be checked without a display.
//
// Layout. Byte 0 is the resolution: 'l' 640x480, 'm' 800x600, 'h' 1024x768,
// or 'o' followed by the width and height, 16 bits each, low byte first.
// Then B bands (B = 4 when the height is at most 480, else 8); band b covers
// the rows from b * (H div B), each H div B rows high except the last, which
// takes the rest. A band is its length (2 bytes, high byte first, counting
// these two) and one column record per x = 0..W-1: the run count r, then r
// runs top to bottom, each a row byte (bits 0-6 the first row within the
// band, bit 7 set for a single pixel), an extra byte only when bit 7 is
// clear (the run covers extra + 1 pixels), and the colour index. Background
// pixels are not stored. Example: a column with one pixel of colour 4 at row
// 5 is 01 85 04; ten pixels of colour 4 from row 3 are 01 03 09 04; an empty
// column is 00, so a blank band is 2 + W bytes.
//
// Limits: a band is at most 128 rows high (row numbers have 7 bits) and at
// most 65535 bytes long; the encoder refuses pictures beyond them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class nat_encode_status { ok, band_too_tall, band_too_long };

// Encodes a w x h picture of colour indices (row-major) into out; pixels
// equal to background are not stored. On failure out holds nothing useful.
nat_encode_status encode_screen_image(const uint8_t *indices, int w, int h,
                                      uint8_t background, std::vector<uint8_t> &out);

// One stored run: `length` pixels of colour `colour` from (x, y) downward.
struct nat_run {
    uint16_t x, y, length;
    uint8_t colour;
};

// Decodes a whole file. Returns false, with nothing else trusted, when the
// first byte is unknown, the file ends early or has bytes left over, a band's
// length disagrees with its columns, or a run leaves its band; *fault (when
// given) then says why, in words short enough for the file error box ("band
// 3 says 700 bytes, file holds 650"), and is emptied when the file is taken.
bool decode_screen_image(const uint8_t *data, size_t size, int *w, int *h,
                         std::vector<nat_run> &runs, std::string *fault = nullptr);


// Bands of a picture of height h, and the first row and height of band b.
int nat_band_count(int h);
int nat_band_top(int h, int b);
int nat_band_height(int h, int b);
