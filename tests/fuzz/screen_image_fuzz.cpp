// Fuzz target of the screen-image decoder, decode_screen_image (load_screen
// draws what it gives and needs a window): the whole input is the file.
// A refused file is given a reason, an accepted one none; an accepted file
// gives runs inside the picture and inside their bands, and the picture
// they paint encodes and decodes to the same picture.
#include "engine/storage/screen_image_codec.h"
#include "fuzz_support.h"

#include <string>

namespace {

constexpr uint8_t kBackground = 0;

// The picture the runs paint (row-major colour indices).
bytes
paint(int w, int h, const std::vector<nat_run> &runs)
{
    bytes picture(static_cast<size_t>(w) * h, kBackground);
    for (const nat_run &r : runs)
        for (int y = r.y; y < r.y + r.length; y++)
            picture[static_cast<size_t>(y) * w + r.x] = r.colour;
    return picture;
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int w = 0, h = 0;
    std::vector<nat_run> runs;
    std::string fault;
    bool accepted = decode_screen_image(data, size, &w, &h, runs, &fault);
    FUZZ_CHECK(accepted == fault.empty());
    if (!accepted)
        return 0;
    FUZZ_CHECK(w > 0 && h > 0);
    for (const nat_run &r : runs) {
        FUZZ_CHECK(r.x < w && r.length >= 1 && r.y + r.length <= h);
        int band = 0;
        while (band + 1 < nat_band_count(h) && nat_band_top(h, band + 1) <= r.y)
            band++;
        FUZZ_CHECK(r.y + r.length <= nat_band_top(h, band) + nat_band_height(h, band));
    }
    // Pictures of up to 1024 x 1024 pixels go round again.
    if (static_cast<long>(w) * h > 1 << 20)
        return 0;
    bytes picture = paint(w, h, runs);
    std::vector<uint8_t> again;
    if (encode_screen_image(picture.data(), w, h, kBackground, again) != nat_encode_status::ok)
        return 0;
    int w2 = 0, h2 = 0;
    std::vector<nat_run> runs2;
    FUZZ_CHECK(decode_screen_image(again.data(), again.size(), &w2, &h2, runs2));
    FUZZ_CHECK(w2 == w && h2 == h && paint(w2, h2, runs2) == picture);
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    // Small pictures of the 'o' resolution and one of 'l' (640 x 480).
    for (int size : {8, 40}) {
        bytes picture(static_cast<size_t>(size) * size, kBackground);
        for (int y = 0; y < size; y++)
            for (int x = 0; x < size; x++)
                if ((x * y) % 5 == 1)
                    picture[static_cast<size_t>(y) * size + x] = static_cast<uint8_t>(1 + x % 15);
        std::vector<uint8_t> out;
        if (encode_screen_image(picture.data(), size, size, kBackground, out) ==
            nat_encode_status::ok)
            seeds.push_back(out);
    }
    bytes blank(640 * 480, kBackground);
    blank[5 * 640 + 3] = 4;
    std::vector<uint8_t> out;
    if (encode_screen_image(blank.data(), 640, 480, kBackground, out) == nat_encode_status::ok)
        seeds.push_back(out);
}
