// Network files (network_files.h): the five kinds read and written by
// load_save_wrs, and locate_small_net, which places a smaller network's
// file inside the network. Reads and writes the network model's globals
// (model/), the wiring table and nhoodm; a single-rule load of another k
// rebuilds the network through the model's allocators and the wire-up of
// wiring/. Reads secondpart and rules_set (driver/). Start reading at
// load_wrs_file: every load reads the whole file and validates it (length
// at the file's own record size, k, lattice sides, entries, values) before
// anything in the network changes; a bad file is refused with 255.
#include "ui/storage/network_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "ui/driver/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_count_trie.h"
#include "engine/model/value_line.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring/wire_up.h"
#include "ui/wiring_editor/wire_up.h"

namespace {

constexpr uint8_t kMixedFlag = 0x80;
constexpr uint8_t kRefused = 255;
constexpr int kPlacementSlot = 6;   // prompt slot saved under the placement box
constexpr size_t kNetHeader = 6;    // v, k, n (2), i, j
constexpr size_t kSeedHeader = 5;   // v, n (2), i, j

// ---- sizes and shapes ------------------------------------------------------

uint64_t
entries_of_kind(int kind, int k)
{
    if (kind == 1)
        return tcode_entries(k);
    if (kind == 2)
        return kcode_entries(k);
    return rule_entries(k);
}

// The rule kind of scheme records: rule tables unless the network runs on
// its codes alone.
int
scheme_kind()
{
    return tot_only ? totalistic : 0;
}

// Wiring entries take one byte up to 254 cells, so that 0xFF stays free
// for the unused mark.
int
entry_width(uint32_t n)
{
    return n <= 254 ? 1 : 2;
}

// Whether every one of count entries of a value line is below v.
bool
values_below_v(const uint8_t *line, uint64_t count)
{
    if (value_range == 2 || value_range == 4 || value_range == 8)
        return true;  // every pattern of value_bits bits is a value
    for (uint64_t e = 0; e < count; e++)
        if (get_value(line, static_cast<uint32_t>(e)) >= value_range)
            return false;
    return true;
}

// The network's own sides as the header stores them (low bytes).
uint8_t
header_i()
{
    if (threed)
        return static_cast<uint8_t>(i3d & 0xFF);
    return twod ? static_cast<uint8_t>(i2d & 0xFF) : 0;
}

uint8_t
header_j()
{
    if (threed)
        return static_cast<uint8_t>(j3d & 0xFF);
    return twod ? static_cast<uint8_t>(j2d & 0xFF) : 0;
}

// A block of cells a file describes: dimension and sides (1d: i = n).
struct block {
    int dim = 1;
    int i = 0, j = 0, h = 0;
};

// The shape a file's n, i and j describe; false when the sides do not
// multiply to n (2d: n = i*j; 3d: n = i*j*h with h = n div (i*j)).
bool
file_shape(uint32_t n, int i, int j, block *shape)
{
    if (i == 0 || j == 0) {
        *shape = {1, static_cast<int>(n), 0, 0};
        return n >= 1;
    }
    uint32_t face = static_cast<uint32_t>(i) * static_cast<uint32_t>(j);
    uint32_t h = n / face;
    if (h <= 1) {
        *shape = {2, i, j, 1};
        return n == face;
    }
    *shape = {3, i, j, static_cast<int>(h)};
    return n == face * h;
}

bool
fits_2d(const block &b)
{
    return b.i <= i2d && b.j <= j2d;
}

bool
fits_3d(const block &b)
{
    return b.i <= i3d && b.j <= j3d && b.h <= h3d;
}

// Where a block lies in the network: its dimension, sides and start.
struct placement {
    int dim = 1;
    int i = 0, j = 0;
    uint32_t si = 0, sj = 0, sh = 0;
};

// Asks (or takes the default) where the block goes.
placement
place(int dim, uint32_t n, const block &b)
{
    uint16_t start[3] = {0, 0, 0};
    placement p;
    p.dim = dim;
    if (dim == 3) {
        locate_small_net(3, start, static_cast<int>(n), b.i, b.j, b.h);
        p.i = b.i;
        p.j = b.j;
    } else if (dim == 2) {
        locate_small_net(2, start, static_cast<int>(n), b.i, b.j, 0);
        p.i = b.i;
        p.j = b.j;
    } else {
        locate_small_net(1, start, static_cast<int>(n), static_cast<int>(n), 0, 0);
        p.i = static_cast<int>(n);
    }
    p.si = start[0];
    p.sj = start[1];
    p.sh = start[2];
    return p;
}

// The network cell of file cell f under a placement (64 bits, so that a
// wrong placement shows as an index of lineL or more, never wraps).
uint64_t
mapped_cell(const placement &p, uint64_t f)
{
    uint64_t i = static_cast<uint64_t>(p.i), j = static_cast<uint64_t>(p.j);
    switch (p.dim) {
    case 2:
        return (p.si + f % i) + static_cast<uint64_t>(i2d) * (p.sj + f / i);
    case 3:
        return (p.si + f % i) + static_cast<uint64_t>(i3d) * (p.sj + (f % (i * j)) / i) +
               static_cast<uint64_t>(i3d) * static_cast<uint64_t>(j3d) * (p.sh + f / (i * j));
    default:
        return p.si + f;
    }
}

// Maps file cells 0..count-1; false when one falls outside the network.
bool
map_cells(const placement &p, uint32_t count, std::vector<uint16_t> &map)
{
    map.resize(count);
    for (uint32_t f = 0; f < count; f++) {
        uint64_t c = mapped_cell(p, f);
        if (c >= lineL)
            return false;
        map[f] = static_cast<uint16_t>(c);
    }
    return true;
}

// ---- reading ---------------------------------------------------------------

// Reads the whole file into data; on failure shows the file error box and
// leaves 'q' in is[0].
bool
read_whole_file(const char *name, std::vector<uint8_t> &data)
{
    int fd = myopen(name, 0, 0);
    bool ok = fd >= 0;
    if (ok) {
        struct stat st;
        ok = fstat(fd, &st) == 0 && st.st_size >= 0;
        if (ok) {
            data.resize(static_cast<size_t>(st.st_size));
            ok = read_fully(fd, data.data(), data.size());
        }
        close(fd);
    }
    if (!ok) {
        file_error(name);
        is[0] = 'q';
    }
    return ok;
}

uint8_t
refuse(const char *text)
{
    show_refusal(text, refusal_place::box_erased);
    return kRefused;
}

uint8_t
refuse_bad_file(const char *name)
{
    char text[320];
    snprintf(text, sizeof text, "%s: wrong or damaged file, cant load, cont-ret:", name);
    return refuse(text);
}

// The rows of cell c that a scheme record fills or comes from; row 0 when
// there is no mix.
uint8_t *
scheme_row(uint32_t c)
{
    uint32_t r = rulemix ? c : 0;
    if (scheme_kind() == 1)
        return cacode[r];
    if (scheme_kind() == 2)
        return v_code[r];
    return carule[r];
}

// d with n = 2^d (the hypercube's dimension).
int
cube_dimension(uint32_t n)
{
    int d = 0;
    while ((uint32_t(1) << d) < n)
        d++;
    return d;
}

// Whether the network's wiring kind can wire k inputs per cell.
bool
wiring_takes_k(int k)
{
    if (loc_twod_fonly || whatwire != 5)
        return true;
    int d = cube_dimension(lineL);
    return k == d || k == d + 1;
}

// Rebuilds everything sized by k for a single rule of another k, and wires
// the network once for its wiring kind.
void
rebuild_for_k(int k)
{
    bool trie_built = v_tablecodemax != nullptr;
    bool code_extra = tot_only && statbuf != nullptr;
    checked_free(nhoodm);
    nhoodm = nullptr;
    if (!loc_twod_fonly)
        free_mem_wiring();
    if (!tot_only) {
        free_mem_all_0s_all_1s_rules();
        free_mem_rule0();
        free_mem_rule0_extra();
    }
    if (code_extra)
        free_mem_tcode0_extra();
    free_mem_tcode0();
    free_v_code_arrays();

    nhood = static_cast<int8_t>(k);
    nhood_lb = nhood_ub = static_cast<uint8_t>(k);
    nhoodm = static_cast<int8_t *>(checked_calloc(lineL, 1, "nhoodm"));
    memset(nhoodm, k, lineL);
    if (!tot_only) {
        allocate_mem_rule0(k);
        allocate_mem_rule0_extra(k);
        allocate_mem_all_0s_all_1s_rules(k);
    }
    if (trie_built) {
        begin_wait_notice();
        set_up_v_code();
        end_wait_notice();
    }
    allocate_mem_tcode0(k);
    if (code_extra)
        allocate_mem_tcode0_extra(k);
    if (loc_twod_fonly)
        return;
    allocate_mem_wiring();
    // A complete wiring stands should the wire-up be backed out.
    for (uint32_t c = 0; c < lineL; c++)
        oneD_local_wire_cell(static_cast<uint16_t>(c), L);
    wire_up_network(1);
    if (is[0] == 'q')
        is[0] = kKeyReturn;
}

uint8_t
load_single_rule(const char *name, const uint8_t *body, size_t size, uint8_t *buffer)
{
    if (size < 1)
        return refuse_bad_file(name);
    int k = body[0] & 0x7F;
    // A k byte of 0 comes from files without a v byte: the network's k.
    int used_k = k == 0 ? nhood : k;
    if (used_k < 1 || used_k > Maxnhood)
        return refuse_bad_file(name);
    uint64_t record = single_rule_record_bytes(used_k);
    if (size < 1 + record || !values_below_v(body + 1, entries_of_kind(totalistic, used_k)))
        return refuse_bad_file(name);

    bool into_buffer = rulemix || (tot_only && outer_tot && totalistic == 2);
    if (used_k != nhood) {
        // The caller decides what a rule of another k means; the network
        // changes k only while it is set up with one k and no mix.
        if (rulemix || secondpart || nhood_mixed)
            return static_cast<uint8_t>(k);
        if (!wiring_takes_k(used_k)) {
            char text[200];
            snprintf(text, sizeof text,
                     "hypercube wiring takes k=%d or %d, file k=%d, cant load, cont-ret:",
                     cube_dimension(lineL), cube_dimension(lineL) + 1, used_k);
            return refuse(text);
        }
        rebuild_for_k(used_k);
    }
    uint8_t *row;
    if (into_buffer)
        row = buffer;
    else if (totalistic == 1)
        row = cacode[0];
    else if (totalistic == 2)
        row = v_code[0];
    else
        row = carule[0];
    if (row)
        memcpy(row, body + 1, static_cast<size_t>(record));
    return static_cast<uint8_t>(k);
}

// Entry s of a wiring record of width w.
uint32_t
wiring_entry(const uint8_t *record, int s, int w)
{
    if (w == 1)
        return record[s];
    return static_cast<uint32_t>(record[2 * s] | record[2 * s + 1] << 8);
}

uint8_t
load_net_file(const char *name, const uint8_t *body, size_t size, int what)
{
    if (size < kNetHeader - 1)
        return refuse_bad_file(name);
    bool file_mixed = (body[0] & kMixedFlag) != 0;
    int k = body[0] & 0x7F;
    uint32_t n = static_cast<uint32_t>(body[1] | body[2] << 8);
    int fi = body[3], fj = body[4];
    block shape;
    if (k < 1 || k > Maxnhood || !file_shape(n, fi, fj, &shape))
        return refuse_bad_file(name);
    bool has_rules = what == 2 || what == 3, has_wiring = what == 1 || what == 3;
    int w = entry_width(n);
    uint32_t mark = w == 1 ? 0xFF : Maxu;
    uint64_t rule_size = has_rules ? scheme_record_bytes(k) : 0;
    uint64_t record = rule_size + (has_wiring ? static_cast<uint64_t>(k) * w : 0);
    if (size < kNetHeader - 1 + n * record)
        return refuse_bad_file(name);
    const uint8_t *records = body + kNetHeader - 1;
    for (uint32_t f = 0; f < n; f++) {
        const uint8_t *rec = records + f * record;
        if (has_rules && !values_below_v(rec, entries_of_kind(scheme_kind(), k)))
            return refuse_bad_file(name);
        for (int s = 0; has_wiring && s < k; s++) {
            uint32_t e = wiring_entry(rec + rule_size, s, w);
            if (e != mark && e >= n)
                return refuse_bad_file(name);
        }
    }
    if ((has_rules && !rulemix) || (has_wiring && !wiring))
        return refuse(has_wiring && !wiring ? "no wiring table, cant load, cont-ret:"
                                            : "no rulemix to load into, cant load, cont-ret:");

    // The fit tests; the last failing one is what the user reads.
    char text[200];
    text[0] = 0;
    if (has_wiring && n > lineL)
        snprintf(text, sizeof text, "file netsize (%u) > netsize (%d), cant load, cont-ret:", n,
                 lineL);
    block b = shape;
    if (threed && b.dim == 2 && b.i <= i3d && b.j <= j3d)
        b = {3, b.i, b.j, 1};
    else if (threed && b.dim == 1 && static_cast<int>(n) <= i3d)
        b = {3, static_cast<int>(n), 1, 1};
    else if (twod && !threed && b.dim == 1 && static_cast<int>(n) <= i2d)
        b = {2, static_cast<int>(n), 1, 1};
    uint32_t count = has_wiring ? n : (n < lineL ? n : lineL);
    if (has_wiring && !threed && twod && b.dim >= 2) {
        if (b.i > i2d)
            snprintf(text, sizeof text, "2d net width %d < %d, cont-ret:", i2d, b.i);
        else if (b.j > j2d)
            snprintf(text, sizeof text, "2d net height %d < %d, cont-ret:", j2d, b.j);
    } else if (has_wiring && threed && b.dim >= 2) {
        if (b.i > i3d)
            snprintf(text, sizeof text, "3d net width %d < %d, cont-ret:", i3d, b.i);
        else if (b.j > j3d)
            snprintf(text, sizeof text, "3d net height %d < %d, cont-ret:", j3d, b.j);
        else if (b.h > h3d)
            snprintf(text, sizeof text, "3d net depth %d < %d, cont-ret:", h3d, b.h);
    }
    if (k > nhood)
        snprintf(text, sizeof text,
                 "base net k (%d) smaller than file k (%d), cant load, cont-ret:", nhood, k);
    if (rules_set && !rulemix && (file_mixed || k != nhood))
        snprintf(text, sizeof text,
                 "base net has no rulemix, file has mixed-k, cant load, cont-ret:");
    if (text[0])
        return refuse(text);

    int dim = 1;
    if (threed && b.dim == 3 && fits_3d(b))
        dim = 3;
    else if (twod && !threed && b.dim == 2 && fits_2d(b))
        dim = 2;
    placement p = place(dim, count, b);
    std::vector<uint16_t> map;
    if (!map_cells(p, count, map))
        return refuse_bad_file(name);

    // Accepted: from here the network changes.
    if (file_mixed && !nhood_mixed)
        nhood_mixed = 1;
    uint64_t row_size = has_rules ? scheme_record_bytes(nhood) : 0;
    for (uint32_t f = 0; f < count; f++) {
        const uint8_t *rec = records + f * record;
        uint16_t c = map[f];
        if (has_rules) {
            uint8_t *row = scheme_row(c);
            memcpy(row, rec, static_cast<size_t>(rule_size));
            // A rule of fewer inputs leaves the rest of a longer row clear.
            memset(row + rule_size, 0, static_cast<size_t>(row_size - rule_size));
        }
        if (!has_wiring)
            continue;
        int used = k;
        for (int s = 0; s < k; s++) {
            uint32_t e = wiring_entry(rec + rule_size, s, w);
            if (e == mark) {
                used = s;
                break;
            }
            wiring[c][s] = map[e];
        }
        for (int s = used; s < nhood; s++)
            wiring[c][s] = Maxu;
        nhoodm[c] = static_cast<int8_t>(used);
    }
    if (has_wiring && nhood_mixed)
        cell_out_freq();
    return static_cast<uint8_t>(k);
}

// Copies count cells of the file's state line into the network's under a
// placement; the other cells keep their values.
void
place_seed_cells(const uint8_t *line, uint32_t count, const std::vector<uint16_t> &map,
                 uint8_t *state)
{
    for (uint32_t f = 0; f < count; f++)
        set_value(state, map[f], get_value(line, f));
}

uint8_t
load_seed(const char *name, const uint8_t *body, size_t size, uint8_t *state)
{
    if (size < kSeedHeader - 1 || !state)
        return refuse_bad_file(name);
    uint32_t n = static_cast<uint32_t>(body[0] | body[1] << 8);
    int fi = body[2], fj = body[3];
    block shape;
    if (!file_shape(n, fi, fj, &shape))
        return refuse_bad_file(name);
    const uint8_t *line = body + kSeedHeader - 1;
    if (size < kSeedHeader - 1 + value_line_bytes(n, value_bits) || !values_below_v(line, n))
        return refuse_bad_file(name);

    std::vector<uint16_t> map;
    if (n > lineL) {
        // A larger file gives its central block to a lattice it covers, else
        // its first cells.
        block net;
        if (threed && shape.dim == 3 && shape.i >= i3d && shape.j >= j3d && shape.h >= h3d)
            net = {3, i3d, j3d, h3d};
        else if (twod && !threed && shape.dim == 2 && shape.i >= i2d && shape.j >= j2d)
            net = {2, i2d, j2d, 1};
        map.resize(lineL);
        for (uint32_t c = 0; c < lineL; c++) {
            if (net.dim == 1) {
                map[c] = static_cast<uint16_t>(c);
                continue;
            }
            uint32_t x = c % net.i, y = (c / net.i) % net.j, z = c / (net.i * net.j);
            uint32_t oi = (shape.i - net.i) / 2, oj = (shape.j - net.j) / 2,
                     oh = net.dim == 3 ? (shape.h - net.h) / 2 : 0;
            map[c] = static_cast<uint16_t>((x + oi) + shape.i * (y + oj) +
                                           shape.i * shape.j * (z + oh));
        }
        for (uint32_t c = 0; c < lineL; c++)
            set_value(state, c, get_value(line, map[c]));
        return body[0];
    }

    block b = shape;
    int dim = 1;
    if (threed) {
        if (b.dim == 3 && fits_3d(b))
            dim = 3;
        else if (b.dim == 2 && b.i <= i3d && b.j <= j3d)
            b = {3, b.i, b.j, 1}, dim = 3;
        else if (b.dim == 1 && static_cast<int>(n) <= i3d)
            b = {3, static_cast<int>(n), 1, 1}, dim = 3;
    } else if (twod) {
        if (b.dim == 2 && fits_2d(b))
            dim = 2;
        else if (b.dim == 1 && static_cast<int>(n) <= i2d)
            b = {2, static_cast<int>(n), 1, 1}, dim = 2;
    }
    placement p = place(dim, n, b);
    if (!map_cells(p, n, map))
        return refuse_bad_file(name);
    place_seed_cells(line, n, map, state);
    return body[0];
}

// ---- writing ---------------------------------------------------------------

void
put_u16(std::vector<uint8_t> &out, uint32_t x)
{
    out.push_back(static_cast<uint8_t>(x & 0xFF));
    out.push_back(static_cast<uint8_t>(x >> 8 & 0xFF));
}

uint8_t
save_failed(const char *name, const char *text = nullptr)
{
    if (text)
        show_refusal(text, refusal_place::box_erased);
    else
        file_error(name);
    is[0] = 'q';
    return 0;
}

} // namespace

uint64_t
single_rule_record_bytes(int k)
{
    return value_line_bytes(entries_of_kind(totalistic, k), value_bits);
}

uint64_t
scheme_record_bytes(int k)
{
    return value_line_bytes(entries_of_kind(scheme_kind(), k), value_bits);
}

uint8_t
save_wrs_file(const char *name, const uint8_t *buffer, int what)
{
    std::vector<uint8_t> out;
    out.push_back(static_cast<uint8_t>(value_range));
    if (what == kSeedFile) {
        if (!buffer)
            return save_failed(name, "no state to save, cont-ret:");
        put_u16(out, lineL);
        out.push_back(header_i());
        out.push_back(header_j());
        out.insert(out.end(), buffer, buffer + bytesL);
    } else {
        out.push_back(static_cast<uint8_t>(nhood | (nhood_mixed ? kMixedFlag : 0)));
        if (what == 0) {
            if (!buffer)
                return save_failed(name, "no rule to save, cont-ret:");
            out.insert(out.end(), buffer, buffer + single_rule_record_bytes(nhood));
        } else {
            bool has_rules = what == 2 || what == 3, has_wiring = what == 1 || what == 3;
            if (has_wiring && !wiring)
                return save_failed(name, "no wiring table to save, cont-ret:");
            put_u16(out, lineL);
            out.push_back(header_i());
            out.push_back(header_j());
            size_t rule_size = static_cast<size_t>(scheme_record_bytes(nhood));
            int w = entry_width(lineL);
            for (uint32_t c = 0; c < lineL; c++) {
                if (has_rules) {
                    // Without a mix every cell has row 0's rule.
                    const uint8_t *row = scheme_row(c);
                    out.insert(out.end(), row, row + rule_size);
                }
                for (int s = 0; has_wiring && s < nhood; s++) {
                    if (w == 1)
                        out.push_back(static_cast<uint8_t>(wiring[c][s] & 0xFF));
                    else
                        put_u16(out, wiring[c][s]);
                }
            }
        }
    }
    int fd = myopen(name, 1, 0);
    if (fd < 0)
        return save_failed(name);
    bool written = write_fully(fd, out.data(), out.size());
    if (close(fd) != 0 || !written)
        return save_failed(name);
    return 's';
}

uint8_t
load_wrs_file(const char *name, uint8_t *buffer, int what)
{
    std::vector<uint8_t> data;
    if (!read_whole_file(name, data))
        return 0;
    if (data.empty())
        return refuse_bad_file(name);
    int file_v = data[0] == 0 ? 2 : data[0];
    if (what != 1 && file_v != value_range) {
        char text[200];
        snprintf(text, sizeof text,
                 "v-range (%d) not equal to file v-range(%d), cant load, cont-ret:", value_range,
                 file_v);
        show_refusal(text, refusal_place::box_kept);
        return kRefused;
    }
    // A first byte of 0 or 1 is no v byte: it is the next field.
    size_t skip = data[0] > 1 ? 1 : 0;
    const uint8_t *body = data.data() + skip;
    size_t size = data.size() - skip;
    if (what == 0)
        return load_single_rule(name, body, size, buffer);
    if (what == kSeedFile)
        return load_seed(name, body, size, buffer);
    return load_net_file(name, body, size, what);
}

uint8_t
load_save_wrs(int mode, uint8_t *buffer, int what)
{
    file_dim = 0;
    file_i = file_j = file_h = 0;
    file_starti = file_startj = file_starth = 0;
    int16_t x = getx, y = gety;
    setviewport(0, 0, Maxx, Maxy, 1);
    const char *action = mode == 'l' ? "LOAD " : "SAVE ";
    const char letters[3] = {'s', 't', 'v'};
    char letter = letters[totalistic >= 0 && totalistic <= 2 ? totalistic : 0];
    std::string pattern;
    const char *label = nullptr, *base = nullptr;
    switch (what) {
    case 0:
        label = totalistic == 1 ? "SINGLE T-CODE" : totalistic == 2 ? "SINGLE K-CODE" : "SINGLE RULE";
        pattern = totalistic == 1 ? "*.tco" : totalistic == 2 ? "*.vco" : "*.rul";
        base = totalistic == 1 ? "mytco_v%d" : totalistic == 2 ? "myvco_v%d" : "myrul_v%d";
        break;
    case 1:
        label = "WIRING ONLY";
        pattern = "*.w_s";
        base = "mywso";
        break;
    case 2:
        label = "RULE SCHEME ONLY";
        pattern = std::string("*.r_") + letter;
        base = "myrso_v%d";
        break;
    case 3:
        label = "WIRING+RULE SCHEME";
        pattern = std::string("*.wr") + letter;
        base = "mywrs_v%d";
        break;
    case kSeedFile:
        label = "SEED";
        pattern = "*.eed";
        base = "mysee_v%d";
        break;
    default:
        is[0] = 'q';
        return 0;
    }
    if (select_filename(action, label, pattern.c_str(), base) == 'q') {
        moveto(x, y);
        is[0] = 'q';
        return 0;
    }
    uint8_t result = mode == 'l' ? load_wrs_file(filename, buffer, what)
                                 : save_wrs_file(filename, buffer, what);
    moveto(x, y);
    return result;
}

namespace {

// One start coordinate: Return keeps the default, 'r' draws one, a number
// within 0..maximum is taken, anything else keeps the default.
int
read_start(int chars, int fallback, int maximum)
{
    int len = input_string(chars, 0);
    if (len == 0 && is[0] == kKeyReturn)
        return fallback;
    if (is[0] == 'r')
        return maximum > 0 ? static_cast<int>(random() % maximum) : 0;
    long typed = entry_number();
    return typed >= 0 && typed <= maximum ? static_cast<int>(typed) : fallback;
}

} // namespace

void
locate_small_net(int dimension, uint16_t *out, int n, int i, int j, int h)
{
    int def[3] = {0, 0, 0}, most[3] = {0, 0, 0};
    if (dimension == 1) {
        def[0] = (lineL - n) / 2;
        most[0] = lineL - n;
    } else if (dimension == 2) {
        def[0] = (i2d - i) / 2;
        def[1] = (j2d - j) / 2;
        most[0] = i2d - i;
        most[1] = j2d - j;
    } else {
        def[0] = (i3d - i) / 2;
        def[1] = (j3d - j) / 2;
        def[2] = (h3d - h) / 2;
        most[0] = i3d - i;
        most[1] = j3d - j;
        most[2] = h3d - h;
    }
    int start[3] = {def[0], def[1], def[2]};
    if (lineL > n && mouse_found) {
        int16_t x = getx, y = gety;
        get_prompt_box(kPlacementSlot, 2);
        int margin = draw_prompt_box(2);
        char text[200];
        if (dimension == 1)
            snprintf(text, sizeof text, "1d: array size=%d, file size=%d, enter start pos", lineL, n);
        else if (dimension == 2)
            snprintf(text, sizeof text, "2d:i,j=%d,%d, file:i,j=%d,%d, enter start coords", i2d,
                     j2d, i, j);
        else
            snprintf(text, sizeof text, "3d:i,j,h=%d,%d,%d file:i,j,h=%d,%d,%d enter start coords",
                     i3d, j3d, h3d, i, j, h);
        outtext(text);
        moveto(margin, gety + CHeight);
        if (dimension == 1)
            snprintf(text, sizeof text, "(def %d, max %d, rand-r):", def[0], most[0]);
        else if (dimension == 2)
            snprintf(text, sizeof text, "(default %d,%d, max %d,%d, rand-r) i:", def[0], def[1],
                     most[0], most[1]);
        else
            snprintf(text, sizeof text, "(def %d,%d,%d, max %d,%d,%d, rand-r) i:", def[0], def[1],
                     def[2], most[0], most[1], most[2]);
        outtext(text);
        start[0] = read_start(dimension == 1 ? digits_of(most[0]) : 3, def[0], most[0]);
        if (dimension >= 2) {
            outtext(" j:");
            start[1] = read_start(3, def[1], most[1]);
        }
        if (dimension == 3) {
            outtext(" h:");
            start[2] = read_start(3, def[2], most[2]);
        }
        setviewport(0, 0, Maxx, Maxy, 1);
        putimage(Maxx / 2, 2, &boximage_prompt[kPlacementSlot], 3);
        freeimage(&boximage_prompt[kPlacementSlot]);
        moveto(x, y);
    }
    for (int a = 0; a < 3; a++)
        out[a] = static_cast<uint16_t>(a < dimension ? start[a] : 0);
    file_dim = static_cast<uint8_t>(dimension);
    file_i = static_cast<int16_t>(i);
    file_j = static_cast<int16_t>(j);
    file_h = static_cast<int16_t>(h);
    file_starti = out[0];
    file_startj = out[1];
    file_starth = out[2];
}
