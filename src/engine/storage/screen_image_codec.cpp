// The run-length band format of *.nat screen images (screen_image_codec.h
// describes it byte by byte). Pure functions over arrays: the window side
// lives in screen_image_file.cpp. Start at encode_screen_image.
#include "engine/storage/screen_image_codec.h"

#include <cctype>

#include "engine/model/formatted_text.h"

namespace {

constexpr int kMaxBandRows = 128;        // row numbers have 7 bits
constexpr size_t kMaxBandBytes = 65535;  // the band length field
constexpr uint8_t kSinglePixel = 0x80;

struct resolution {
    char letter;
    int w, h;
};
constexpr resolution kResolutions[] = {{'l', 640, 480}, {'m', 800, 600}, {'h', 1024, 768}};

// Appends the column record of column x of one band.
void
encode_column(const uint8_t *indices, int w, int x, int top, int rows, uint8_t background,
              std::vector<uint8_t> &out)
{
    size_t count_at = out.size();
    out.push_back(0);
    int runs = 0;
    int start = 0, extra = 0;
    int colour = -1;  // the open run's colour, -1 when none is open
    auto close_run = [&] {
        if (colour < 0)
            return;
        if (extra == 0) {
            out.push_back(static_cast<uint8_t>(start | kSinglePixel));
        } else {
            out.push_back(static_cast<uint8_t>(start));
            out.push_back(static_cast<uint8_t>(extra));
        }
        out.push_back(static_cast<uint8_t>(colour));
        runs++;
        colour = -1;
    };
    for (int row = 0; row < rows; row++) {
        uint8_t c = indices[static_cast<size_t>(top + row) * static_cast<size_t>(w) +
                            static_cast<size_t>(x)];
        if (c == background) {
            close_run();
        } else if (c == colour) {
            extra++;
        } else {
            close_run();
            start = row;
            extra = 0;
            colour = c;
        }
    }
    close_run();
    // At most 128 rows give at most 128 runs, within the count byte.
    out[count_at] = static_cast<uint8_t>(runs);
}

// Reads a byte at pos within end, advancing; false past the end.
bool
take(const uint8_t *data, size_t end, size_t &pos, uint8_t &byte)
{
    if (pos >= end)
        return false;
    byte = data[pos++];
    return true;
}

// decode_screen_image, returning why the file is refused or an empty string.
std::string
screen_image_fault(const uint8_t *data, size_t size, int *w, int *h, std::vector<nat_run> &runs)
{
    runs.clear();
    size_t pos = 0;
    uint8_t letter;
    if (!take(data, size, pos, letter))
        return "empty file";
    int width = 0, height = 0;
    if (letter == 'o') {
        if (size < 5)
            return byte_count(size) + ", a header of its own size is 5";
        width = data[1] | (data[2] << 8);
        height = data[3] | (data[4] << 8);
        pos = 5;
        if (width == 0 || height == 0)
            return formatted("header says %dx%d, no picture", width, height);
    } else {
        for (const resolution &r : kResolutions)
            if (r.letter == letter) {
                width = r.w;
                height = r.h;
            }
        if (width == 0)
            return std::isprint(letter) ? formatted("first byte '%c', sizes are l m h o", letter)
                                        : formatted("first byte %d, sizes are l m h o", letter);
    }

    int bands = nat_band_count(height);
    for (int b = 0; b < bands; b++) {
        uint8_t high, low;
        if (!take(data, size, pos, high) || !take(data, size, pos, low))
            return formatted("file ends before band %d of %d", b + 1, bands);
        size_t length = static_cast<size_t>(high) << 8 | low;
        if (length < 2)
            return formatted("band %d says %s, its length alone is 2", b + 1,
                             byte_count(length).c_str());
        if (length - 2 > size - pos)
            return formatted("band %d says %zu bytes, file holds %zu", b + 1, length,
                             size - pos + 2);
        size_t end = pos + (length - 2);
        int top = nat_band_top(height, b), rows = nat_band_height(height, b);
        for (int x = 0; x < width; x++) {
            uint8_t count;
            bool whole = take(data, end, pos, count);
            for (int r = 0; whole && r < count; r++) {
                uint8_t row = 0, extra = 0, colour = 0;
                whole = take(data, end, pos, row) &&
                        ((row & kSinglePixel) || take(data, end, pos, extra)) &&
                        take(data, end, pos, colour);
                int first = row & ~kSinglePixel;
                if (whole && first + extra >= rows)
                    return formatted("band %d column %d: rows %d-%d past its %d", b + 1, x,
                                     first, first + extra, rows);
                if (whole)
                    runs.push_back({static_cast<uint16_t>(x),
                                    static_cast<uint16_t>(top + first),
                                    static_cast<uint16_t>(extra + 1), colour});
            }
            if (!whole)
                return formatted("band %d of %zu bytes ends in column %d of %d", b + 1,
                                 length, x, width);
        }
        if (pos != end)
            return formatted("band %d has %s past its %d columns", b + 1,
                             byte_count(end - pos).c_str(), width);
    }
    if (pos != size)
        return byte_count(size - pos) + " after the last band";
    if (w)
        *w = width;
    if (h)
        *h = height;
    return "";
}

} // namespace

int
nat_band_count(int h)
{
    return h <= 480 ? 4 : 8;
}

int
nat_band_top(int h, int b)
{
    return b * (h / nat_band_count(h));
}

int
nat_band_height(int h, int b)
{
    int bands = nat_band_count(h);
    int height = h / bands;
    return b == bands - 1 ? h - (bands - 1) * height : height;
}

nat_encode_status
encode_screen_image(const uint8_t *indices, int w, int h, uint8_t background,
                    std::vector<uint8_t> &out)
{
    out.clear();
    int bands = nat_band_count(h);
    for (int b = 0; b < bands; b++)
        if (nat_band_height(h, b) > kMaxBandRows)
            return nat_encode_status::band_too_tall;

    char letter = 'o';
    for (const resolution &r : kResolutions)
        if (r.w == w && r.h == h)
            letter = r.letter;
    out.push_back(static_cast<uint8_t>(letter));
    if (letter == 'o') {
        out.push_back(static_cast<uint8_t>(w & 0xFF));
        out.push_back(static_cast<uint8_t>((w >> 8) & 0xFF));
        out.push_back(static_cast<uint8_t>(h & 0xFF));
        out.push_back(static_cast<uint8_t>((h >> 8) & 0xFF));
    }

    for (int b = 0; b < bands; b++) {
        size_t start = out.size();
        out.push_back(0);
        out.push_back(0);
        int top = nat_band_top(h, b), rows = nat_band_height(h, b);
        for (int x = 0; x < w; x++) {
            encode_column(indices, w, x, top, rows, background, out);
            // A column adds at most 1 + 3 * 128 bytes, so checking after each
            // one stops a busy band long before memory matters.
            if (out.size() - start > kMaxBandBytes)
                return nat_encode_status::band_too_long;
        }
        size_t length = out.size() - start;
        out[start] = static_cast<uint8_t>(length >> 8);
        out[start + 1] = static_cast<uint8_t>(length & 0xFF);
    }
    return nat_encode_status::ok;
}

bool
decode_screen_image(const uint8_t *data, size_t size, int *w, int *h,
                    std::vector<nat_run> &runs, std::string *fault)
{
    std::string why = screen_image_fault(data, size, w, h, runs);
    if (fault)
        *fault = why;
    return why.empty();
}

