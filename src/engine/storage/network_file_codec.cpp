// Network file layouts (network_file_codec.h describes them byte by byte):
// encoding a network part, decoding a whole file before anything changes,
// the block a file describes and where its cells go, and writing a checked
// file's records into the network. Reads and writes the network model's
// globals (engine/model) and the wiring table; opens no file. Start reading
// at decode_network_file.
#include "engine/storage/network_file_codec.h"

#include <algorithm>
#include <cstring>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/network_shape.h"
#include "engine/model/formatted_text.h"
#include "engine/model/value_line.h"
#include "engine/storage/content_faults.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring/random_wiring.h"

namespace {

constexpr uint8_t kMixedFlag = 0x80;
constexpr int kLeastV = 2, kMostV = 8;  // the value ranges a file can be of
constexpr size_t kNetHeader = 6;    // v, k, n (2), i, j
constexpr size_t kSeedHeader = 5;   // v, n (2), i, j

// ---- sizes and shapes ------------------------------------------------------

// Entries of one rule of k inputs of a rule kind for value range v.
uint64_t
entries_of_kind(int kind, int k, int v = value_range)
{
    if (kind == rule_kind_tcodes)
        return tcode_entries_for(v, k);
    if (kind == rule_kind_kcodes)
        return kcode_entries_for(v, k);
    return rule_entries_for(v, k);
}

// The rule kind of scheme records: rule tables unless the network runs on
// its codes alone.
int
scheme_kind()
{
    return tot_only ? totalistic : rule_kind_tables;
}

// Wiring entries take one byte up to 254 cells, so that 0xFF stays free
// for the unused mark.
int
entry_width(uint32_t n)
{
    return n <= 254 ? 1 : 2;
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

bool
fits_2d(const file_block &b)
{
    return b.i <= i2d && b.j <= j2d;
}

bool
fits_3d(const file_block &b)
{
    return b.i <= i3d && b.j <= j3d && b.h <= h3d;
}

// The network cell of file cell f under a placement (64 bits, so that a
// wrong placement shows as an index of lineL or more, never wraps).
uint64_t
mapped_cell(const file_placement &p, uint64_t f)
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

// The rows of cell c that a scheme record fills or comes from; row 0 when
// there is no mix.
uint8_t *
scheme_row(uint32_t c)
{
    uint32_t r = rulemix ? c : 0;
    if (scheme_kind() == rule_kind_tcodes)
        return cacode[r];
    if (scheme_kind() == rule_kind_kcodes)
        return v_code[r];
    return carule[r];
}

// Entry s of a wiring record of width w.
uint32_t
wiring_entry(const uint8_t *record, int s, int w)
{
    if (w == 1)
        return record[s];
    return static_cast<uint32_t>(record[2 * s] | record[2 * s + 1] << 8);
}

void
put_u16(std::vector<uint8_t> &out, uint32_t x)
{
    out.push_back(static_cast<uint8_t>(x & 0xFF));
    out.push_back(static_cast<uint8_t>(x >> 8 & 0xFF));
}

// ---- decoding, after the v byte --------------------------------------------

// A damaged file and why.
network_file_check
damaged(network_file *file, const std::string &fault)
{
    file->fault = fault;
    return network_file_check::damaged;
}

// Why file_shape refuses n cells of sides i, j.
std::string
shape_fault(uint32_t n, int i, int j)
{
    if (i == 0 || j == 0)
        return "header says 0 cells";
    uint32_t face = static_cast<uint32_t>(i) * static_cast<uint32_t>(j);
    if (n / face <= 1)
        return formatted("header says %u cells, sides %dx%d hold %u", n, i, j, face);
    return formatted("header says %u cells, not whole %dx%d layers", n, i, j);
}

constexpr const char *kCutHeader = "file ends inside its header";

// The rule kinds as a refusal names them, by rule kind.
constexpr const char *kKindNames[3] = {"rule tables", "tcodes", "kcodes"};

// The first fault of a net file's n cell records (file's sizes, its rules
// of rule_entries entries): a value of v or more, a cell of no inputs (the
// unused mark first: every cell has a k of 1..Maxnhood, as in a k-mix
// file) or a wiring entry past the file's cells. Empty when none.
std::string
records_fault(const network_file &file, uint64_t rule_entries)
{
    bool has_wiring = file.record_size > file.rule_size;
    for (uint32_t f = 0; f < file.n; f++) {
        const uint8_t *rec = file.body + f * file.record_size;
        if (file.rule_size > 0) {
            std::string fault = value_fault(formatted("cell %u rule ", f), "entry", rec,
                                            rule_entries);
            if (!fault.empty())
                return fault;
        }
        for (int s = 0; has_wiring && s < file.k; s++) {
            uint32_t e = wiring_entry(rec + file.rule_size, s, file.entry_width);
            if (s == 0 && e == file.unused_mark)
                return formatted("cell %u has no inputs", f);
            if (e != file.unused_mark && e >= file.n)
                return formatted("cell %u wired to cell %u, file has %u", f, e, file.n);
        }
    }
    return "";
}

// Whether body bytes after a net file's header are exactly its n cell
// records, all sound, when they hold rules of kind (with rules) and k
// inputs (the file's sizes otherwise).
bool
records_fit(const network_file &file, uint64_t body, int kind, int k)
{
    network_file other = file;
    other.k = k;
    uint64_t entries = entries_of_kind(kind, k);
    other.rule_size = file.rule_size > 0 ? value_line_bytes(entries, value_bits) : 0;
    bool has_wiring = file.record_size > file.rule_size;
    other.record_size = other.rule_size + (has_wiring ? uint64_t(k) * file.entry_width : 0);
    return body == file.n * other.record_size && records_fault(other, entries).empty();
}

// Why a scheme file whose records (body bytes after the header) are not
// what its n and k ask of this network's rule kind is refused when sound
// records of another kind fill it exactly: a network of codes alone stores
// its codes, any other its rule tables ("its cells hold k=3 tcodes, this
// network takes rule tables"). Empty when no other kind does.
std::string
other_kind_fault(const network_file &file, uint64_t body)
{
    std::string kinds;
    for (int kind : {rule_kind_tables, rule_kind_tcodes, rule_kind_kcodes})
        if (kind != scheme_kind() && records_fit(file, body, kind, file.k))
            kinds += (kinds.empty() ? "" : " or ") + std::string(kKindNames[kind]);
    if (kinds.empty())
        return "";
    return formatted("its cells hold k=%d %s, this network takes %s", file.k, kinds.c_str(),
                     kKindNames[scheme_kind()]);
}

// Why a net file is refused when sound cells of another k than its k byte
// says fill its records (body bytes) exactly: "its cells hold k=3 inputs,
// its k byte says 2". Empty when no other k does.
std::string
other_k_fault(const network_file &file, uint64_t body)
{
    for (int k = 1; k <= Maxnhood; k++)
        if (k != file.k && records_fit(file, body, scheme_kind(), k))
            return formatted("its cells hold k=%d inputs, its k byte says %d", k, file.k);
    return "";
}

network_file_check
decode_single_rule(const uint8_t *body, size_t size, network_file *file)
{
    if (size < 1)
        return damaged(file, kCutHeader);
    file->mixed = (body[0] & kMixedFlag) != 0;
    file->k = body[0] & 0x7F;
    std::string fault = k_fault(file->k, Maxnhood);
    if (!fault.empty())
        return damaged(file, fault);
    uint64_t record = single_rule_record_bytes(file->k);
    if (size < 1 + record)
        return damaged(file, formatted("a k=%d rule is %s, file holds %zu", file->k,
                                       byte_count(record).c_str(), size - 1));
    fault = value_fault("", "entry", body + 1, single_rule_entries(file->k));
    if (!fault.empty())
        return damaged(file, fault);
    file->body = body + 1;
    file->spare = size - 1 - record;
    return network_file_check::sound;
}

network_file_check
decode_net_records(const uint8_t *body, size_t size, int what, network_file *file)
{
    if (size < kNetHeader - 1)
        return damaged(file, kCutHeader);
    file->mixed = (body[0] & kMixedFlag) != 0;
    file->k = body[0] & 0x7F;
    file->n = static_cast<uint32_t>(body[1] | body[2] << 8);
    int k = file->k;
    uint32_t n = file->n;
    std::string fault = k_fault(k, Maxnhood);
    if (!fault.empty())
        return damaged(file, fault);
    if (!file_shape(n, body[3], body[4], &file->shape))
        return damaged(file, shape_fault(n, body[3], body[4]));
    bool has_rules = what == 2 || what == 3, has_wiring = what == 1 || what == 3;
    int w = entry_width(n);
    file->entry_width = w;
    file->unused_mark = w == 1 ? 0xFF : Maxu;
    file->rule_size = has_rules ? scheme_record_bytes(k) : 0;
    file->record_size = file->rule_size + (has_wiring ? static_cast<uint64_t>(k) * w : 0);
    // A file too short for its header is refused for its k first when that
    // k is past the network's: the field before n, and one no load of this
    // network takes (its records were most likely written for another k).
    // Else a length that sound records of another rule kind fill exactly
    // names that kind, before the cells it holds are counted or read.
    uint64_t whole = kNetHeader - 1 + n * file->record_size;
    uint64_t held = size - (kNetHeader - 1);
    file->body = body + kNetHeader - 1;
    if (size < whole && k > nhood)
        return damaged(file, k_fault(k, nhood));
    if (size != whole && has_rules) {
        fault = other_kind_fault(*file, held);
        if (!fault.empty())
            return damaged(file, fault);
    }
    // A file its own k reads as no whole cells, or as cells of which one is
    // unsound, while sound cells of another k fill it exactly has a wrong k
    // byte; one of whole cells too few (its n wrong) is said to be so.
    if (size < whole)
        fault = cells_fault(n, held / file->record_size);
    else
        fault = records_fault(*file, entries_of_kind(scheme_kind(), k));
    if (!fault.empty() && size != whole && held % file->record_size != 0) {
        std::string other_k = other_k_fault(*file, held);
        return damaged(file, other_k.empty() ? fault : other_k);
    }
    if (!fault.empty())
        return damaged(file, fault);
    file->spare = size - whole;
    return network_file_check::sound;
}

network_file_check
decode_seed(const uint8_t *body, size_t size, network_file *file)
{
    if (size < kSeedHeader - 1)
        return damaged(file, kCutHeader);
    file->n = static_cast<uint32_t>(body[0] | body[1] << 8);
    if (!file_shape(file->n, body[2], body[3], &file->shape))
        return damaged(file, shape_fault(file->n, body[2], body[3]));
    file->body = body + kSeedHeader - 1;
    size_t line = size - (kSeedHeader - 1);
    if (line < value_line_bytes(file->n, value_bits))
        return damaged(file, cells_fault(file->n, line * 8 / value_bits));
    std::string fault = value_fault("", "cell", file->body, file->n);
    if (!fault.empty())
        return damaged(file, fault);
    file->spare = line - value_line_bytes(file->n, value_bits);
    return network_file_check::sound;
}

} // namespace

uint64_t
single_rule_entries(int k)
{
    return entries_of_kind(totalistic, k);
}

uint64_t
single_rule_record_bytes(int k)
{
    return value_line_bytes(single_rule_entries(k), value_bits);
}

bool
values_below_v(const uint8_t *line, uint64_t count)
{
    return first_value_of_v(line, count) == count;
}

uint64_t
first_value_of_v(const uint8_t *line, uint64_t count)
{
    if (value_range == 2 || value_range == 4 || value_range == 8)
        return count;  // every pattern of value_bits bits is a value
    for (uint64_t e = 0; e < count; e++)
        if (get_value(line, static_cast<uint32_t>(e)) >= value_range)
            return e;
    return count;
}

void
clear_padding(uint8_t *line, uint64_t entries)
{
    uint64_t bits = entries * static_cast<uint64_t>(value_bits);
    if (bits % 8 != 0)
        line[bits / 8] &= static_cast<uint8_t>((1u << (bits % 8)) - 1);
}

uint64_t
scheme_record_bytes(int k)
{
    return value_line_bytes(entries_of_kind(scheme_kind(), k), value_bits);
}

uint64_t
largest_network_file(int what)
{
    constexpr uint64_t kMostCells = 65535;
    bool has_rules = what != 1 && what != kSeedFile, has_wiring = what == 1 || what == 3;
    uint64_t largest = 0;
    for (int v = kLeastV; v <= kMostV; v++) {
        int bits = check_value_bits(v);
        if (what == kSeedFile) {
            largest = std::max(largest, kSeedHeader + value_line_bytes(kMostCells, bits));
            continue;
        }
        for (bool codes_only : {false, true}) {
            // A network of codes alone stores codes; any other stores a
            // single rule of any kind and scheme records as rule tables.
            int k = largest_k(v, codes_only);
            uint64_t rule = 0;
            for (int kind : {rule_kind_tables, rule_kind_tcodes, rule_kind_kcodes}) {
                bool stored = codes_only ? kind != rule_kind_tables
                                         : what == 0 || kind == rule_kind_tables;
                if (stored)
                    rule = std::max(rule, value_line_bytes(entries_of_kind(kind, k, v), bits));
            }
            uint64_t record = (has_rules ? rule : 0) +
                              (has_wiring ? 2 * static_cast<uint64_t>(k) : 0);
            largest = std::max(largest, what == 0 ? 2 + rule : kNetHeader + kMostCells * record);
        }
    }
    return largest;
}

network_file_check
decode_network_file(const uint8_t *data, size_t size, int what, network_file *file)
{
    *file = network_file();
    if (size == 0)
        return damaged(file, "empty file");
    file->file_v = data[0] == 0 ? 2 : data[0];
    // A wiring file serves a network of any v.
    if (what != 1 && file->file_v != value_range)
        return network_file_check::wrong_v;
    // A first byte of 0 or 1 is no v byte: it is the next field.
    size_t skip = data[0] > 1 ? 1 : 0;
    const uint8_t *body = data + skip;
    size -= skip;
    if (what == 0)
        return decode_single_rule(body, size, file);
    if (what == kSeedFile)
        return decode_seed(body, size, file);
    return decode_net_records(body, size, what, file);
}

network_part_missing
encode_network_file(int what, const uint8_t *buffer, std::vector<uint8_t> &out)
{
    out.clear();
    out.push_back(static_cast<uint8_t>(value_range));
    if (what == kSeedFile) {
        if (!buffer)
            return network_part_missing::state;
        put_u16(out, lineL);
        out.push_back(header_i());
        out.push_back(header_j());
        out.insert(out.end(), buffer, buffer + bytesL);
        return network_part_missing::none;
    }
    out.push_back(static_cast<uint8_t>(nhood | (nhood_mixed ? kMixedFlag : 0)));
    if (what == 0) {
        if (!buffer)
            return network_part_missing::rule;
        out.insert(out.end(), buffer, buffer + single_rule_record_bytes(nhood));
        return network_part_missing::none;
    }
    bool has_rules = what == 2 || what == 3, has_wiring = what == 1 || what == 3;
    if (has_wiring && !wiring)
        return network_part_missing::wiring;
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
    return network_part_missing::none;
}

bool
file_shape(uint32_t n, int i, int j, file_block *shape)
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

file_block
fitted_block(const file_block &shape, uint32_t n, int *dim)
{
    file_block b = shape;
    int cells = static_cast<int>(n);
    if (threed && b.dim == 2 && b.i <= i3d && b.j <= j3d)
        b = {3, b.i, b.j, 1};
    else if (threed && b.dim == 1 && cells <= i3d)
        b = {3, cells, 1, 1};
    else if (twod && !threed && b.dim == 1 && cells <= i2d)
        b = {2, cells, 1, 1};
    *dim = 1;
    if (threed && b.dim == 3 && fits_3d(b))
        *dim = 3;
    else if (twod && !threed && b.dim == 2 && fits_2d(b))
        *dim = 2;
    return b;
}

bool
map_file_cells(const file_placement &p, uint32_t count, std::vector<uint16_t> &map)
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

void
apply_net_file(const network_file &file, int what, uint32_t count,
               const std::vector<uint16_t> &map)
{
    bool has_rules = what == 2 || what == 3, has_wiring = what == 1 || what == 3;
    if (file.mixed && !nhood_mixed)
        nhood_mixed = 1;
    uint64_t row_size = has_rules ? scheme_record_bytes(nhood) : 0;
    for (uint32_t f = 0; f < count; f++) {
        const uint8_t *rec = file.body + f * file.record_size;
        uint16_t c = map[f];
        if (has_rules) {
            uint8_t *row = scheme_row(c);
            memcpy(row, rec, static_cast<size_t>(file.rule_size));
            // A rule of fewer inputs leaves the rest of a longer row clear,
            // the padding bits of its last byte too.
            clear_padding(row, entries_of_kind(scheme_kind(), file.k));
            memset(row + file.rule_size, 0, static_cast<size_t>(row_size - file.rule_size));
        }
        if (!has_wiring)
            continue;
        int used = file.k;
        for (int s = 0; s < file.k; s++) {
            uint32_t e = wiring_entry(rec + file.rule_size, s, file.entry_width);
            if (e == file.unused_mark) {
                used = s;
                break;
            }
            wiring[c][s] = map[e];
        }
        for (int s = used; s < nhood; s++)
            wiring[c][s] = Maxu;
        nhoodm[c] = static_cast<int8_t>(used);
    }
    // Cells of fewer inputs than nhood make the network mixed, flag or not:
    // code reading nhood_mixed 0 takes nhood inputs for every cell.
    for (uint32_t c = 0; has_wiring && !nhood_mixed && c < lineL; c++)
        if (nhoodm[c] != nhood)
            nhood_mixed = 1;
    if (has_wiring && nhood_mixed)
        cell_out_freq();
    // No zone confined the wiring read: a later random redraw of a cell
    // draws from the whole lattice, and captions say so.
    if (has_wiring)
        zonesize = set_max_zonesize(lineL);
}

void
copy_single_rule(const network_file &file, uint8_t *row)
{
    memcpy(row, file.body, static_cast<size_t>(single_rule_record_bytes(file.k)));
    clear_padding(row, single_rule_entries(file.k));
}

void
apply_seed_file(const network_file &file, const std::vector<uint16_t> &map, uint8_t *state)
{
    const uint8_t *line = file.body;
    if (file.n <= lineL) {
        for (uint32_t f = 0; f < file.n; f++)
            set_value(state, map[f], get_value(line, f));
        return;
    }
    // A larger file gives its central block to a lattice it covers, else
    // its first cells.
    const file_block &shape = file.shape;
    file_block net;
    if (threed && shape.dim == 3 && shape.i >= i3d && shape.j >= j3d && shape.h >= h3d)
        net = {3, i3d, j3d, h3d};
    else if (twod && !threed && shape.dim == 2 && shape.i >= i2d && shape.j >= j2d)
        net = {2, i2d, j2d, 1};
    for (uint32_t c = 0; c < lineL; c++) {
        uint32_t f = c;
        if (net.dim != 1) {
            uint32_t x = c % net.i, y = (c / net.i) % net.j, z = c / (net.i * net.j);
            uint32_t oi = (shape.i - net.i) / 2, oj = (shape.j - net.j) / 2,
                     oh = net.dim == 3 ? (shape.h - net.h) / 2 : 0;
            f = (x + oi) + shape.i * (y + oj) + shape.i * shape.j * (z + oh);
        }
        set_value(state, c, get_value(line, f));
    }
}
