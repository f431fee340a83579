// Fuzz target of the histogram loaders: list_histogram_file (the list-only
// load of a computed histogram) and load_histogram_file (the load into a
// collected one). The first byte chooses the histogram loaded into: with
// its high bit set, as many columns as the file holds; else its low seven
// bits are the column count. The rest of the input is the file. A file of
// odd length, of fewer than two bytes or past the largest is refused; any
// other is listed, its counts read most significant byte first, and loaded
// only into a histogram of its own column count.
#include <vector>

#include "engine/storage/side_file_codecs.h"
#include "fuzz_support.h"
#include "ui/screen/globals.h"
#include "ui/storage/histogram_file.h"

namespace {

const char kFile[] = "fuzz.his";

// A histogram whose every count differs from what a file can hold.
std::vector<uint32_t>
marked_histogram(size_t counts)
{
    std::vector<uint32_t> h(counts);
    for (size_t c = 0; c < counts; c++)
        h[c] = 70000 + static_cast<uint32_t>(c);
    return h;
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz_input in{data, size};
    uint8_t choice = in.take();
    data = in.data;
    size = in.size;
    enter_fuzz_dir();
    put_file(kFile, data, size);
    bool sound = size >= 2 && size % 2 == 0 && size <= kLargestHistogramFile;

    is[0] = 0;
    bool listed = list_histogram_file(kFile);
    FUZZ_CHECK(listed == sound);
    FUZZ_CHECK(listed == (is[0] != 'q'));
    std::vector<uint16_t> counts;
    if (decode_histogram(data, size, counts)) {
        FUZZ_CHECK(counts.size() == size / 2);
        for (size_t c = 0; c < counts.size(); c++)
            FUZZ_CHECK(counts[c] == (data[2 * c] << 8 | data[2 * c + 1]));
    }

    int columns = choice & 0x80 ? static_cast<int>(size / 2) - 1 : choice & 0x7F;
    if (columns < 0)
        columns = 0;
    std::vector<uint32_t> histogram = marked_histogram(static_cast<size_t>(columns) + 1);
    const std::vector<uint32_t> before = histogram;
    is[0] = 0;
    histogram_load result = load_histogram_file(kFile, columns, histogram.data());
    FUZZ_CHECK((result == histogram_load::refused) == !sound);
    bool fits = sound && size / 2 == static_cast<size_t>(columns) + 1;
    FUZZ_CHECK((result == histogram_load::loaded) == fits);
    if (result == histogram_load::loaded) {
        for (size_t c = 0; c < histogram.size(); c++)
            FUZZ_CHECK(histogram[c] == counts[c]);
    } else {
        FUZZ_CHECK(histogram == before);
    }
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    enter_fuzz_dir();
    const uint32_t counts[] = {3, 256, 0, 65535, 17};
    for (int columns : {0, 1, 4})
        if (save_histogram_file(kFile, columns, counts)) {
            bytes file = get_file(kFile);
            // Loaded into its own column count, and into one of 4 columns.
            for (uint8_t choice : {uint8_t(0x80), uint8_t(4)}) {
                bytes seed{choice};
                seed.insert(seed.end(), file.begin(), file.end());
                seeds.push_back(seed);
            }
        }
}
