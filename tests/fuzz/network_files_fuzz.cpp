// Fuzz target of the network-file loader, load_wrs_file (single rules,
// wiring, rule schemes, wiring with rule schemes, seeds), on a network built
// as the set-up stages leave it. Input: six set-up bytes (v; flags: rule
// mix, tot_only, outer_tot, rules_set, secondpart, lattice, totalistic; k;
// the size; the file kind; the depth of a lattice, 3d when above 1), then
// the file. A refused load must leave the
// network, the k settings and the caller's buffer as they were; an accepted
// one only values below v, wiring inside the network, every cell's k in
// 1..Maxnhood (nhood_mixed set when they differ), a single rule's k in
// 1..Maxnhood, and what the file holds.
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/storage/network_file_codec.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/wire_up.h"
#include "fuzz_support.h"
#include "ui/screen/globals.h"
#include "ui/storage/network_files.h"

namespace {

const char kFile[] = "fuzz.net";
constexpr int kKinds[5] = {0, 1, 2, 3, kSeedFile};

struct setup {
    int v = 2, k = 3, n = 10, what = 0;
    bool mix = false, totalistic_only = false, outer = false, set = false, second = false;
    bool lattice = false;
    int kind = 0;  // totalistic
    int i = 0, j = 0, h = 1;  // the lattice's sides; 3d when h > 1
};

setup
read_setup(fuzz_input &in)
{
    setup s;
    s.v = 2 + in.take() % 7;
    uint8_t flags = in.take();
    s.mix = flags & 1;
    s.totalistic_only = flags & 2;
    s.outer = flags & 4;
    s.set = flags & 8;
    s.second = flags & 16;
    s.lattice = flags & 32;
    s.kind = (flags >> 6) % 3;
    // A network of codes alone has a code kind.
    if (s.totalistic_only && s.kind == 0)
        s.kind = 2;
    use_value_range(s.v, s.totalistic_only);
    int most = Maxnhood < 4 ? Maxnhood : 4;
    s.k = 1 + in.take() % most;
    uint8_t size = in.take();
    if (s.lattice) {
        s.i = 1 + size % 16;
        s.j = 1 + size / 16;
        s.n = s.i * s.j;
    } else {
        s.n = 1 + size;
    }
    s.what = kKinds[in.take() % 5];
    uint8_t depth = in.take();
    if (s.lattice) {
        s.h = 1 + depth % 4;
        s.n *= s.h;
    }
    return s;
}

// The set-up bytes that read_setup turns into s.
bytes
setup_bytes(const setup &s)
{
    uint8_t flags = static_cast<uint8_t>(s.mix | s.totalistic_only << 1 | s.outer << 2 |
                                         s.set << 3 | s.second << 4 | s.lattice << 5 |
                                         s.kind << 6);
    uint8_t size = static_cast<uint8_t>(s.lattice ? (s.i - 1) + 16 * (s.j - 1) : s.n - 1);
    int kind_index = s.what == kSeedFile ? 4 : s.what;
    return {static_cast<uint8_t>(s.v - 2), flags, static_cast<uint8_t>(s.k - 1), size,
            static_cast<uint8_t>(kind_index), static_cast<uint8_t>(s.h - 1)};
}

// The network as the set-up leaves it: regular 1d wiring, the rule rows
// of its kind (rule tables unless tot_only), a row per cell with a mix.
void
build_network(const setup &s)
{
    use_value_range(s.v, s.totalistic_only);
    tot_only = s.totalistic_only;
    outer_tot = s.outer;
    totalistic = static_cast<int8_t>(s.kind);
    rulemix = 0;
    rules_set = s.set;
    secondpart = s.second;
    nhood_mixed = 0;
    loc_twod_fonly = 0;
    whatwire = 1;
    defaultwiring = 1;
    hex2d = 0;
    bool cube = s.lattice && s.h > 1;
    threed = cube ? 3 : 0;
    oned = !s.lattice;
    twod = s.lattice && !cube ? 2 : 0;
    i2d = static_cast<int16_t>(cube ? 0 : s.i);
    j2d = static_cast<int16_t>(cube ? 0 : s.j);
    i3d = static_cast<int16_t>(cube ? s.i : 0);
    j3d = static_cast<int16_t>(cube ? s.j : 0);
    h3d = static_cast<int16_t>(cube ? s.h : 0);
    lineL = static_cast<uint16_t>(s.n);
    L = static_cast<uint16_t>(s.n - 1);
    bytesL = static_cast<uint16_t>(value_line_bytes(s.n, value_bits));
    nhood = static_cast<int8_t>(s.k);
    nhood_lb = nhood_ub = static_cast<uint8_t>(s.k);
    nhoodm = static_cast<int8_t *>(checked_calloc(s.n, 1, "nhoodm"));
    memset(nhoodm, s.k, s.n);
    if (!tot_only) {
        allocate_mem_rule0(s.k);
        allocate_mem_rule0_extra(s.k);
        allocate_mem_all_0s_all_1s_rules(s.k);
    }
    allocate_mem_tcode0(s.k);
    allocate_mem_wiring();
    for (int c = 0; c < s.n; c++)
        oneD_local_wire_cell(static_cast<uint16_t>(c), L);
    if (s.mix) {
        rulemix = 1;
        if (!tot_only)
            allocate_mem_rulemix(s.k);
        allocate_mem_tcodemix(s.k);
    }
}

void
free_network()
{
    if (rulemix) {
        if (!tot_only)
            free_mem_rulemix();
        free_mem_tcodemix();
        rulemix = 0;
    }
    free_mem_wiring();
    free_mem_tcode0();
    if (!tot_only) {
        free_mem_all_0s_all_1s_rules();
        free_mem_rule0_extra();
        free_mem_rule0();
    }
    checked_free(nhoodm);
    nhoodm = nullptr;
}

// The rows of one rule kind with their entries for k = nhood.
struct row_set {
    uint8_t **rows;
    uint64_t entries;
};

std::vector<row_set>
rule_rows()
{
    std::vector<row_set> sets;
    if (!tot_only)
        sets.push_back({carule, rule_entries(nhood)});
    sets.push_back({cacode, tcode_entries(nhood)});
    sets.push_back({v_code, kcode_entries(nhood)});
    return sets;
}

// Everything a load may change.
struct snapshot {
    int k, lb, ub, mixed;
    std::vector<int8_t> ks;
    std::vector<uint16_t> wires;
    bytes rows;
    bool operator==(const snapshot &o) const
    {
        return k == o.k && lb == o.lb && ub == o.ub && mixed == o.mixed && ks == o.ks &&
               wires == o.wires && rows == o.rows;
    }
};

snapshot
take()
{
    snapshot s{nhood, nhood_lb, nhood_ub, nhood_mixed, {}, {}, {}};
    for (uint32_t c = 0; c < lineL; c++) {
        s.ks.push_back(nhoodm[c]);
        for (int p = 0; p < nhood; p++)
            s.wires.push_back(wiring[c][p]);
    }
    uint32_t count = rulemix ? lineL : 1;
    for (const row_set &set : rule_rows())
        for (uint32_t r = 0; r < count; r++)
            s.rows.insert(s.rows.end(), set.rows[r],
                          set.rows[r] + value_line_bytes(set.entries, value_bits));
    return s;
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

void
check_network()
{
    bool differ = false;
    for (uint32_t c = 0; c < lineL; c++) {
        FUZZ_CHECK(nhoodm[c] >= 1 && nhoodm[c] <= Maxnhood && nhoodm[c] <= nhood);
        differ |= nhoodm[c] != nhood;
        for (int p = 0; p < nhoodm[c]; p++)
            FUZZ_CHECK(wiring[c][p] < lineL);
    }
    FUZZ_CHECK(!differ || nhood_mixed);
    uint32_t count = rulemix ? lineL : 1;
    for (const row_set &set : rule_rows())
        for (uint32_t r = 0; r < count; r++)
            FUZZ_CHECK(sound_line(set.rows[r], set.entries));
}

// The file's entries agree with where they went: a single rule of rule_k inputs with its
// row or buffer, a seed or a wiring of the network's size in 1d with the
// network.
void
check_agrees(const setup &s, const uint8_t *file, const uint8_t *rule_row,
             const uint8_t *state, int rule_k = nhood)
{
    size_t at = file[0] > 1 ? 1 : 0;
    if (s.what == 0) {
        uint64_t entries = totalistic == rule_kind_tcodes ? tcode_entries(rule_k)
                         : totalistic == rule_kind_kcodes ? kcode_entries(rule_k)
                                                          : rule_entries(rule_k);
        for (uint64_t e = 0; e < entries; e++)
            FUZZ_CHECK(get_value(rule_row, static_cast<uint32_t>(e)) ==
                       get_value(file + at + 1, static_cast<uint32_t>(e)));
        return;
    }
    uint32_t n = s.what == kSeedFile ? file[at] | file[at + 1] << 8
                                     : file[at + 1] | file[at + 2] << 8;
    if (s.lattice || n != lineL)
        return;
    if (s.what == kSeedFile) {
        for (uint32_t c = 0; c < n; c++)
            FUZZ_CHECK(get_value(state, c) == get_value(file + at + 4, c));
        return;
    }
    if (s.what == 2)
        return;
    int k = file[at] & 0x7F, w = n <= 254 ? 1 : 2;
    uint64_t rule_size = s.what == 3 ? scheme_record_bytes(k) : 0;
    const uint8_t *rec = file + at + 5;
    for (uint32_t c = 0; c < n; c++, rec += rule_size + k * w) {
        for (int p = 0; p < nhoodm[c]; p++) {
            const uint8_t *e = rec + rule_size + p * w;
            FUZZ_CHECK(wiring[c][p] == (w == 1 ? e[0] : e[0] | e[1] << 8));
        }
    }
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    enter_fuzz_dir();
    fuzz_input in{data, size};
    setup s = read_setup(in);
    build_network(s);
    put_file(kFile, in.data, in.size);

    // The caller's buffer: a rule of the network's k, or the state line.
    bool into_buffer = rulemix || (tot_only && outer_tot);
    size_t buffer_size = s.what == kSeedFile ? bytesL
                                             : static_cast<size_t>(single_rule_record_bytes(nhood));
    bytes buffer(buffer_size, 0);
    int old_k = nhood;
    snapshot before = take();
    is[0] = 0;
    uint8_t result = load_wrs_file(kFile, buffer.data(), s.what);

    if (is[0] == 'q') {
        // A file larger than the largest of its kind is not read: the file
        // error box and 0, as for a file that cannot be opened.
        bool too_large = in.size > largest_network_file(s.what);
        FUZZ_CHECK(result == (too_large ? 0 : 255));
        FUZZ_CHECK(before == take());
        FUZZ_CHECK(buffer == bytes(buffer_size, 0));
    } else {
        check_network();
        // A single rule is copied only where it fits: to the caller's
        // buffer when its k is the network's k, or a smaller one while the
        // network keeps its k (a mix, or past the set-up).
        int rule_k = s.what == 0 ? result : old_k;
        FUZZ_CHECK(s.what != 0 || (rule_k >= 1 && rule_k <= Maxnhood));
        bool kept_k = rulemix || secondpart || nhood_mixed;
        if (s.what == 0 && into_buffer && (rule_k == old_k || (rule_k < old_k && kept_k)))
            check_agrees(s, in.data, buffer.data(), nullptr, rule_k);
        else if (s.what == 0)
            FUZZ_CHECK(buffer == bytes(buffer_size, 0));
        if (s.what == 0 && !into_buffer && rule_k == nhood)
            check_agrees(s, in.data,
                         totalistic == rule_kind_tcodes   ? cacode[0]
                         : totalistic == rule_kind_kcodes ? v_code[0]
                                                          : carule[0],
                         nullptr);
        if (s.what != 0)
            check_agrees(s, in.data, nullptr, buffer.data());
        if (s.what == kSeedFile)
            FUZZ_CHECK(sound_line(buffer.data(), lineL));
    }
    free_network();
    return 0;
}

void
make_fuzz_seeds(std::vector<bytes> &seeds)
{
    enter_fuzz_dir();
    auto add = [&seeds](const setup &s, const bytes &file) {
        bytes seed = setup_bytes(s);
        seed.insert(seed.end(), file.begin(), file.end());
        seeds.push_back(seed);
    };
    // Every kind saved from a few networks.
    for (int v : {2, 3, 5}) {
        for (int what : {0, 1, 2, 3, static_cast<int>(kSeedFile)}) {
            // Variant 0 a ring, 1 a ring of tcodes, 2 a 2d lattice, 3 a 3d one.
            for (int variant = 0; variant < 4; variant++) {
                setup s;
                s.v = v;
                s.what = what;
                s.k = 1 + variant % 3;
                s.mix = what == 2 || what == 3 || variant >= 2;
                s.kind = variant == 1 ? 1 : 0;
                s.lattice = variant >= 2;
                s.i = variant == 2 ? 4 : variant == 3 ? 3 : 0;
                s.j = variant == 2 ? 3 : variant == 3 ? 2 : 0;
                s.h = variant == 3 ? 2 : 1;
                s.n = s.lattice ? s.i * s.j * s.h : 10;
                build_network(s);
                bytes state(bytesL, 0);
                for (uint32_t c = 0; c < lineL; c++)
                    set_value(state.data(), c, static_cast<int>(c % v));
                for (const row_set &set : rule_rows())
                    for (uint32_t r = 0; r < (rulemix ? lineL : 1u); r++)
                        for (uint64_t e = 0; e < set.entries; e++)
                            set_value(set.rows[r], static_cast<uint32_t>(e),
                                      static_cast<int>((e + r) % v));
                const uint8_t *buffer = what == kSeedFile                ? state.data()
                                      : totalistic == rule_kind_tcodes ? cacode[0]
                                                                       : carule[0];
                if (save_wrs_file(kFile, buffer, what) == 's')
                    add(s, get_file(kFile));
                free_network();
            }
        }
    }
    // A single kcode (v 2, k = 1 in a 2d mix) with spare bytes, and one
    // past the largest single-rule file of any v and k.
    {
        setup big;
        big.mix = big.lattice = true;
        big.kind = 2;
        big.k = 1;
        big.i = 3;
        big.j = 2;
        big.n = 6;
        bytes spare = {2, 1, 0x02};
        spare.resize(1003, 0);
        add(big, spare);
        spare.resize(largest_network_file(0) + 1, 0);
        add(big, spare);
    }
    // The inputs of the faults these checks found: a kcode of k = 9 into
    // the caller's buffer of a k = 5 network; k = 2 scheme records with
    // padding bits into k = 3 rows; a cell whose first entry is the unused
    // mark; a smaller-k wiring without the mix flag; a seed of 255 cells.
    setup s;
    s.totalistic_only = s.outer = true;
    s.kind = 2;
    s.k = 5;
    s.n = 10;
    add(s, bytes{0x02, 0x09, 0x00, 0x00});
    s = setup();
    s.mix = true;
    s.n = 4;
    s.what = 2;
    add(s, bytes{2, 2, 4, 0, 0, 0, 0xF5, 0xF5, 0xF5, 0xF5});
    s.what = 1;
    s.mix = false;
    add(s, bytes{2, 3, 4, 0, 0, 0, 0xFF, 1, 2, 1, 2, 3, 2, 3, 0, 3, 0, 1});
    add(s, bytes{2, 2, 4, 0, 0, 0, 1, 2, 2, 3, 3, 0, 0, 1});
    s.n = 255;
    s.what = kSeedFile;
    bytes seed = {2, 255, 0, 0, 0};
    seed.resize(seed.size() + 32, 0x11);
    seed.back() = 0x01;
    add(s, seed);
}
