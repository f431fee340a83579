// Fuzz target of the update-order loader, load_order_file. Input: the cell
// count byte, then the file. A refused load leaves seq_order as it was and
// gives its message; an accepted one a permutation of 0..n-1 equal to the
// file's entries.
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "fuzz_support.h"
#include "ui/forward/order_file.h"

namespace {

const char kFile[] = "fuzz.ord";

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_dir();
    fuzz_input in{data, size};
    lineL = static_cast<uint16_t>(1 + in.take());
    seq_order = static_cast<uint16_t *>(checked_calloc(lineL, sizeof(uint16_t), "seq_order"));
    for (uint32_t c = 0; c < lineL; c++)
        seq_order[c] = static_cast<uint16_t>(lineL - 1 - c);
    std::vector<uint16_t> before(seq_order, seq_order + lineL);
    put_file(kFile, in.data, in.size);
    char message[200];
    order_file_result r = load_order_file(kFile, message, sizeof message);
    if (r == order_file_ok) {
        std::vector<bool> seen(lineL, false);
        FUZZ_CHECK(in.size == 2u * lineL);
        for (uint32_t c = 0; c < lineL; c++) {
            FUZZ_CHECK(seq_order[c] < lineL && !seen[seq_order[c]]);
            seen[seq_order[c]] = true;
            FUZZ_CHECK(seq_order[c] == (in.data[2 * c] << 8 | in.data[2 * c + 1]));
        }
    } else {
        FUZZ_CHECK(r == order_file_wrong_size || r == order_file_not_order);
        // A wrong size is shown as it stands; a refused order names its fault
        // for the file error box, which adds its own key prompt.
        FUZZ_CHECK(r == order_file_wrong_size ? strstr(message, "cont-ret") != nullptr : message[0] != 0);
        FUZZ_CHECK(std::vector<uint16_t>(seq_order, seq_order + lineL) == before);
    }
    checked_free(seq_order);
    seq_order = nullptr;
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    enter_fuzz_dir();
    for (int n : {1, 3, 10, 200}) {
        lineL = static_cast<uint16_t>(n);
        seq_order = static_cast<uint16_t *>(checked_calloc(n, sizeof(uint16_t), "seq_order"));
        for (int c = 0; c < n; c++)
            seq_order[c] = static_cast<uint16_t>((c * 7 + 2) % n);
        if (save_order_file(kFile) != order_file_ok) {
            checked_free(seq_order);
            continue;
        }
        bytes seed = {static_cast<uint8_t>(n - 1)};
        bytes file = get_file(kFile);
        seed.insert(seed.end(), file.begin(), file.end());
        seeds.push_back(seed);
        checked_free(seq_order);
    }
    seq_order = nullptr;
}
