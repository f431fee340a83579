// Fuzz target of the histogram loader, list_histogram_file: the whole input
// is the file. A file of odd length or fewer than two bytes is refused; any
// other is listed, its counts read most significant byte first.
#include "engine/storage/side_file_codecs.h"
#include "fuzz_support.h"
#include "ui/screen/globals.h"
#include "ui/storage/histogram_file.h"

namespace {

const char kFile[] = "fuzz.his";

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_dir();
    put_file(kFile, data, size);
    is[0] = 0;
    bool listed = list_histogram_file(kFile);
    FUZZ_CHECK(listed == (size >= 2 && size % 2 == 0));
    FUZZ_CHECK(listed == (is[0] != 'q'));
    std::vector<uint16_t> counts;
    if (decode_histogram(data, size, counts)) {
        FUZZ_CHECK(counts.size() == size / 2);
        for (size_t c = 0; c < counts.size(); c++)
            FUZZ_CHECK(counts[c] == (data[2 * c] << 8 | data[2 * c + 1]));
    }
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    enter_fuzz_dir();
    const uint16_t counts[] = {3, 256, 0, 65535, 17};
    for (int columns : {0, 1, 4})
        if (save_histogram_file(kFile, columns, counts))
            seeds.push_back(get_file(kFile));
}
