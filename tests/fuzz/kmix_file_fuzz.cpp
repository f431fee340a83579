// Fuzz target of the k-mix loader, load_nhoodmix_file. Input: the value
// range byte (with tot_only in bit 7, giving Maxnhood), the cell count
// byte, then the file. A refused load (an empty file among them) leaves
// nhoodm as it was; an accepted one gives the first cells the file's k,
// each in 1..Maxnhood, the others their k.
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "fuzz_support.h"
#include "ui/screen/globals.h"
#include "ui/storage/kmix_file.h"

namespace {

const char kFile[] = "fuzz.mix";

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_dir();
    fuzz_input in{data, size};
    uint8_t v = in.take();
    use_value_range(2 + (v & 0x7F) % 7, v & 0x80);
    lineL = static_cast<uint16_t>(1 + in.take());
    nhood = 3;
    nhoodm = static_cast<int8_t *>(checked_calloc(lineL, 1, "nhoodm"));
    memset(nhoodm, 3, lineL);
    put_file(kFile, in.data, in.size);
    std::vector<int8_t> before(nhoodm, nhoodm + lineL);
    is[0] = 0;
    uint16_t length = load_nhoodmix_file(kFile, 'l');
    if (is[0] == 'q') {
        FUZZ_CHECK(length == 0);
        FUZZ_CHECK(std::vector<int8_t>(nhoodm, nhoodm + lineL) == before);
    } else {
        FUZZ_CHECK(in.size > 0 && length == (in.size > 65535 ? 65535 : in.size));
        for (uint32_t c = 0; c < lineL; c++) {
            FUZZ_CHECK(nhoodm[c] >= 1 && nhoodm[c] <= Maxnhood);
            FUZZ_CHECK(nhoodm[c] == (c < in.size ? static_cast<int8_t>(in.data[c]) : 3));
        }
    }
    FUZZ_CHECK(load_nhoodmix_file(kFile, 'L') == (in.size > 65535 ? 65535 : in.size));
    checked_free(nhoodm);
    nhoodm = nullptr;
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    enter_fuzz_dir();
    for (int n : {1, 10, 40}) {
        use_value_range(2, false);
        lineL = static_cast<uint16_t>(n);
        nhoodm = static_cast<int8_t *>(checked_calloc(lineL, 1, "nhoodm"));
        for (int c = 0; c < n; c++)
            nhoodm[c] = static_cast<int8_t>(1 + c % 13);
        if (save_nhoodmix_file(kFile)) {
            bytes seed = {0, static_cast<uint8_t>(n - 1)};
            bytes file = get_file(kFile);
            seed.insert(seed.end(), file.begin(), file.end());
            seeds.push_back(seed);
        }
        checked_free(nhoodm);
        nhoodm = nullptr;
    }
}
