// Fuzz target of the in-degree histogram loader, load_in_degree_file: the
// whole input is the file. A length that is a multiple of 4 from 204 to
// 20004 bytes is taken, and the counts then agree with the file read most
// significant byte first; any other is refused with the counts, their
// array and the cut-off unchanged.
#include <cstring>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/in_degree.h"
#include "fuzz_support.h"
#include "ui/screen/globals.h"
#include "ui/storage/in_degree_file.h"

namespace {

const char kFile[] = "fuzz.prh";

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_dir();
    put_file(kFile, data, size);
    maxinhist = 60;
    reset_in_degree_counts(61);
    pre_fan_freq[60] = 5;
    pre_fan_edges = 300;
    uint32_t *array = pre_fan_freq;
    is[0] = 0;
    bool loaded = load_in_degree_file(kFile);
    bool sound = size % 4 == 0 && size >= 204 && size <= 20004;
    FUZZ_CHECK(loaded == sound);
    FUZZ_CHECK(loaded == (is[0] != 'q'));
    if (!loaded) {
        FUZZ_CHECK(pre_fan_freq == array && maxinhist == 60 && pre_fan_freq[60] == 5 &&
                   pre_fan_edges == 300);
        return 0;
    }
    FUZZ_CHECK(maxinhist == size / 4 - 1);
    for (uint32_t i = 0; i <= maxinhist; i++) {
        const uint8_t *b = data + 4 * i;
        FUZZ_CHECK(pre_fan_freq[i] ==
                   (uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3]));
    }
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    enter_fuzz_dir();
    for (uint32_t last : {50u, 200u, 5000u}) {
        maxinhist = last;
        reset_in_degree_counts(last + 1);
        for (uint32_t i = 0; i <= last; i++)
            pre_fan_freq[i] = i * 40503u;
        if (save_in_degree_file(kFile))
            seeds.push_back(get_file(kFile));
    }
    seeds.push_back(bytes(203, 1));
    seeds.push_back(bytes(20008, 1));
}
