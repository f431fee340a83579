// Fuzz target of the complex-rule sample loader, load_samples, on a rule
// mix of three cells as the rules stage has it. Input: three set-up bytes
// (v; flags: tot_only; k), then the file of cell 0 ("v%dk%d_c0.rul", or
// ".vco" with tot_only); the glider list counts two samples, and cell 1's
// file is missing. A refused file leaves its cell's rule as it was; an
// accepted one gives a rule of values below v with its padding bits clear,
// equal to the file's; cells without a file keep theirs.
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "fuzz_support.h"
#include "ui/screen/globals.h"
#include "ui/storage/globals.h"
#include "ui/storage/rule_samples.h"

namespace {

constexpr int kCells = 3;

struct setup {
    int v = 2, k = 3;
    bool kcodes = false;
};

setup
read_setup(fuzz_input &in)
{
    setup s;
    s.v = 2 + in.take() % 7;
    s.kcodes = in.take() & 1;
    use_value_range(s.v, s.kcodes);
    int most = Maxnhood < 4 ? Maxnhood : 4;
    s.k = 1 + in.take() % most;
    return s;
}

// The rows of the mix, every entry (c + e) % v, and the glider counts.
void
build_network(const setup &s)
{
    use_value_range(s.v, s.kcodes);
    tot_only = s.kcodes;
    totalistic = s.kcodes ? rule_kind_kcodes : rule_kind_tables;
    lineL = kCells;
    L = kCells - 1;
    nhood = static_cast<int8_t>(s.k);
    nhoodm = static_cast<int8_t *>(checked_calloc(kCells, 1, "nhoodm"));
    memset(nhoodm, s.k, kCells);
    if (!tot_only) {
        allocate_mem_rule0(s.k);
        allocate_mem_rulemix(s.k);
    }
    allocate_mem_tcode0(s.k);
    allocate_mem_tcodemix(s.k);
    rulemix = 1;
    uint8_t **rows = s.kcodes ? v_code : carule;
    uint64_t entries = s.kcodes ? kcode_entries(s.k) : rule_entries(s.k);
    for (int c = 0; c < kCells; c++)
        for (uint64_t e = 0; e < entries; e++)
            set_value(rows[c], static_cast<uint32_t>(e), static_cast<int>((c + e) % s.v));
    no_glider_rules = static_cast<uint16_t **>(checked_calloc(9, sizeof(uint16_t *), "glider"));
    for (int v = 2; v <= 8; v++)
        no_glider_rules[v] = static_cast<uint16_t *>(checked_calloc(14, sizeof(uint16_t), "glider"));
    no_glider_rules[s.v][s.k] = 2;
}

void
free_network()
{
    for (int v = 2; v <= 8; v++)
        checked_free(no_glider_rules[v]);
    checked_free(no_glider_rules);
    no_glider_rules = nullptr;
    free_mem_tcodemix();
    free_mem_tcode0();
    if (!tot_only) {
        free_mem_rulemix();
        free_mem_rule0();
    }
    rulemix = 0;
    checked_free(nhoodm);
    nhoodm = nullptr;
}

std::string
sample_name(const setup &s, int cell)
{
    char name[64];
    snprintf(name, sizeof name, s.kcodes ? "v%dk%d_c%d.vco" : "v%dk%d_c%d.rul", s.v, s.k, cell);
    return name;
}

bytes
row_of(const setup &s, int cell)
{
    size_t size = s.kcodes ? kcode_bytes(s.k) : rule_bytes(s.k);
    const uint8_t *row = (s.kcodes ? v_code : carule)[cell];
    return bytes(row, row + size);
}

// Entries below v and the bits past the last entry clear.
bool
sound_line(const uint8_t *line, uint64_t entries)
{
    for (uint64_t e = 0; e < entries; e++)
        if (get_value(line, static_cast<uint32_t>(e)) >= value_range)
            return false;
    uint64_t bits = entries * static_cast<uint64_t>(value_bits);
    return bits % 8 == 0 || (line[bits / 8] >> (bits % 8)) == 0;
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_dir();
    fuzz_input in{data, size};
    setup s = read_setup(in);
    build_network(s);
    std::string name = sample_name(s, 0);
    put_file(name.c_str(), in.data, in.size);
    bytes before[kCells];
    for (int c = 0; c < kCells; c++)
        before[c] = row_of(s, c);

    load_samples();

    bytes after = row_of(s, 0);
    if (after != before[0]) {
        uint64_t entries = s.kcodes ? kcode_entries(s.k) : rule_entries(s.k);
        FUZZ_CHECK(sound_line(after.data(), entries));
        FUZZ_CHECK(in.size == after.size() + 2);
        FUZZ_CHECK(in.data[0] == s.v && in.data[1] == s.k);
        FUZZ_CHECK(bytes(in.data + 2, in.data + in.size) == after);
    }
    FUZZ_CHECK(row_of(s, 1) == before[1]);
    FUZZ_CHECK(row_of(s, 2) == before[2]);
    remove(name.c_str());
    free_network();
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    enter_fuzz_dir();
    // Sound samples of a few v and k, with rules and kcodes.
    for (int v : {2, 3, 5, 8})
        for (int kcodes = 0; kcodes < 2; kcodes++)
            for (int k : {1, 2, 3}) {
                setup s;
                s.v = v;
                s.kcodes = kcodes;
                s.k = k;
                build_network(s);
                bytes seed = {static_cast<uint8_t>(v - 2), static_cast<uint8_t>(kcodes),
                              static_cast<uint8_t>(k - 1), static_cast<uint8_t>(v),
                              static_cast<uint8_t>(k)};
                bytes row = row_of(s, 2);
                seed.insert(seed.end(), row.begin(), row.end());
                seeds.push_back(seed);
                free_network();
            }
    // The input of the fault these checks found: v 3, k 3, kcodes, an entry
    // of 3 (a cell value past the colour table of v entries).
    seeds.push_back({1, 1, 2, 0x03, 0x03, 0x53, 0x61, 0x04});
}
