// Fuzz target of the ASCII rule-table loader, load_ascii_table_file.
// Input: the value range byte, the last entry's index (two bytes), then the
// file. A refused load leaves the table as it was; an accepted one sets
// entries 0..last to the file's digits, each below v, and nothing past them.
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "fuzz_support.h"
#include "ui/screen/globals.h"
#include "ui/storage/ascii_table.h"

namespace {

const char kFile[] = "fuzz.tbl";

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_dir();
    fuzz_input in{data, size};
    use_value_range(2 + in.take() % 7, false);
    int last = in.take();
    last |= (in.take() % 8) << 8;
    put_file(kFile, in.data, in.size);
    size_t table_size = value_line_bytes(static_cast<uint64_t>(last) + 1, value_bits);
    // A guard byte past the table shows a write beyond entry last.
    bytes table(table_size + 1, 0);
    is[0] = 0;
    uint16_t length = load_ascii_table_file(kFile, table.data(), last);
    if (is[0] == 'q') {
        FUZZ_CHECK(length == 0);
        FUZZ_CHECK(table == bytes(table_size + 1, 0));
    } else {
        FUZZ_CHECK(length == (in.size > 65535 ? 65535 : in.size));
        for (int e = 0; e <= last; e++)
            FUZZ_CHECK(get_value(table.data(), static_cast<uint32_t>(e)) == in.data[e + 1] - '0');
        uint64_t bits = (static_cast<uint64_t>(last) + 1) * static_cast<uint64_t>(value_bits);
        FUZZ_CHECK(bits % 8 == 0 || (table[bits / 8] >> (bits % 8)) == 0);
        FUZZ_CHECK(table[table_size] == 0);
    }
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    enter_fuzz_dir();
    for (int v : {2, 3, 8}) {
        use_value_range(v, false);
        for (int last : {0, 7, 26, 300}) {
            bytes table(value_line_bytes(static_cast<uint64_t>(last) + 1, value_bits), 0);
            for (int e = 0; e <= last; e++)
                set_value(table.data(), static_cast<uint32_t>(e), (e * 5 + 1) % v);
            if (!save_ascii_table_file(kFile, table.data(), last))
                continue;
            bytes seed = {static_cast<uint8_t>(v - 2), static_cast<uint8_t>(last & 0xFF),
                          static_cast<uint8_t>(last >> 8)};
            bytes file = get_file(kFile);
            seed.insert(seed.end(), file.begin(), file.end());
            seeds.push_back(seed);
        }
    }
}
