// Fuzz target of the successor-table loader, load_exhaustive_file, and of
// what takes a table load_exhaustive_into accepted: adopt_successor_table
// (the table of the basin and subtree runs) and apply_exhaustive_map (the
// rule transform's map). Input: the value range byte and the cell count
// byte (kept to tables of at most 4096 states), then the file. A refused
// load leaves exh_pairs as it was; an accepted one holds the file, every
// record a state of the network; adopted, it is the table; as a map, cell
// c reads every cell and its rule entry s is cell c of record s.
#include <cstring>

#include "engine/backward/successor_table.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/rules/rule_transforms.h"
#include "fuzz_support.h"
#include "ui/screen/globals.h"
#include "ui/storage/successor_file.h"

namespace {

const char kFile[] = "fuzz.exh";

// A network of v and n (at most 4096 states) with a table of successors.
uint64_t
make_table(int v, int n)
{
    use_value_range(v, false);
    while (n > 1 && int_power(v, n) > 4096)
        n--;
    lineL = static_cast<uint16_t>(n);
    L = static_cast<uint16_t>(n - 1);
    bytesL = static_cast<uint16_t>(value_line_bytes(n, value_bits));
    uint64_t states = int_power(v, n);
    exh_pairs = static_cast<uint8_t *>(checked_calloc(states, bytesL, "exh_pairs"));
    for (uint64_t s = 0; s < states; s++)
        dec_to_value_line(exh_pairs + s * bytesL, static_cast<uint32_t>((s * 7 + 3) % states), n);
    return states;
}

// The map of an accepted table: a k-mix of nhood = n as the rule transform
// has it, every cell's row filled from the records.
void
check_exhaustive_map(const bytes &records, uint64_t states)
{
    int n = lineL;
    nhood = static_cast<int8_t>(n);
    nhoodm = static_cast<int8_t *>(checked_calloc(n, 1, "nhoodm"));
    memset(nhoodm, 1, n);
    allocate_mem_rule0(n);
    allocate_mem_rulemix(n);
    allocate_mem_wiring();
    rulemix = 1;
    apply_exhaustive_map(records.data());
    for (int c = 0; c < n; c++) {
        FUZZ_CHECK(nhoodm[c] == n);
        for (int j = 0; j < n; j++)
            FUZZ_CHECK(wiring[c][j] == j);
        for (uint64_t s = 0; s < states; s++)
            FUZZ_CHECK(get_value(carule[c], static_cast<uint32_t>(s)) ==
                       get_value(records.data() + s * bytesL, static_cast<uint32_t>(c)));
    }
    FUZZ_CHECK(nhood_lb == n && nhood_ub == n);
    free_mem_wiring();
    free_mem_rulemix();
    free_mem_rule0();
    rulemix = 0;
    checked_free(nhoodm);
    nhoodm = nullptr;
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_dir();
    fuzz_input in{data, size};
    int v = 2 + in.take() % 7;
    int n = 1 + in.take() % 12;
    uint64_t states = make_table(v, n);
    size_t table = static_cast<size_t>(states * bytesL);
    bytes before(exh_pairs, exh_pairs + table);
    put_file(kFile, in.data, in.size);
    is[0] = 0;
    bool loaded = load_exhaustive_file(kFile);
    FUZZ_CHECK(loaded == (is[0] != 'q'));
    if (!loaded) {
        FUZZ_CHECK(bytes(exh_pairs, exh_pairs + table) == before);
    } else {
        FUZZ_CHECK(in.size == table);
        FUZZ_CHECK(bytes(exh_pairs, exh_pairs + table) == bytes(in.data, in.data + in.size));
        for (uint64_t s = 0; s < states; s++)
            for (uint32_t c = 0; c < lineL; c++)
                FUZZ_CHECK(get_value(exh_pairs + s * bytesL, c) < value_range);
        bytes records(exh_pairs, exh_pairs + table);
        FUZZ_CHECK(adopt_successor_table(records.data()) == 1);
        FUZZ_CHECK(bytes(exh_pairs, exh_pairs + table) == records);
        check_exhaustive_map(records, states);
    }
    free_successor_table();
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    enter_fuzz_dir();
    for (int v : {2, 3, 5})
        for (int n : {1, 3, 6}) {
            make_table(v, n);
            if (save_exhaustive_file(kFile)) {
                bytes seed = {static_cast<uint8_t>(v - 2), static_cast<uint8_t>(n - 1)};
                bytes file = get_file(kFile);
                seed.insert(seed.end(), file.begin(), file.end());
                seeds.push_back(seed);
            }
            free_successor_table();
        }
    // The input of the fault these checks found: v 2, 3 cells, records
    // with bits set past the last cell (0x3e is the state 6), which the
    // index read as successors past the table.
    seeds.push_back({0x00, 0x02, 0x3e, 0x05, 0x0c, 0x13, 0x1a, 0x21, 0x28, 0x04});
}
