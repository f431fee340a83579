// Every array of the network model is born and dies here (network_arrays.h):
// rule tables and codes with their mixes, the k-matrix, the code sweep
// buffers, the state lines, the wiring table and the Z record. All go through
// the checked allocator (model/checked_alloc.h), so each is zero-filled and a
// failure ends the program through outof_memory with the array's label. Sizes
// are computed as exact 64-bit integers from value_range, value_bits and k.
// Start reading at the size helpers, then the families in set-up order.
#include "engine/model/network_arrays.h"

#include <cstdio>
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"

namespace {

// The label of row idx of an indexed family, such as "carule[17]".
struct row_label {
    char text[48];
    row_label(const char *family, long idx)
    {
        snprintf(text, sizeof text, "%s[%ld]", family, idx);
    }
};

uint8_t *
alloc_bytes(size_t bytes, const char *label)
{
    return static_cast<uint8_t *>(checked_calloc(bytes, 1, label));
}

uint8_t **
alloc_rows(size_t count, const char *label)
{
    return static_cast<uint8_t **>(checked_calloc(count, sizeof(uint8_t *), label));
}

// Frees rows first .. first+count-1 of a pointer array and clears them.
void
free_rows(uint8_t **rows, long first, long count)
{
    for (long c = first; c < first + count; c++) {
        checked_free(rows[c]);
        rows[c] = nullptr;
    }
}

// Resizes a mix of rows of row_size bytes after one cell was added or
// removed: lineL is the new count of rows and change = new - old.
void
resize_mix(uint8_t ***rows, const char *family, size_t row_size, int change)
{
    if (change < 0)
        free_rows(*rows, L + 1, -change);
    *rows = static_cast<uint8_t **>(
        checked_realloc(*rows, lineL * sizeof(uint8_t *), family));
    for (long c = long(lineL) - change; change > 0 && c < lineL; c++)
        (*rows)[c] = alloc_bytes(row_size, row_label(family, c).text);
}

// Entries of the code buffers of allocate_mem_tcode0_extra.
uint64_t
code_extra_entries(int k)
{
    if (totalistic == rule_kind_tcodes)
        return tcode_entries(k);
    if (totalistic == rule_kind_kcodes)
        return uint64_t(kcode_entries(k)) + 1;
    return static_cast<uint64_t>(k) + 1;
}

// statbuf, color_filter and hist_order for entries entries.
void
allocate_statistics_buffers(uint64_t entries)
{
    statbuf = alloc_bytes(1, "statbuf");
    totstatrules = 0;
    sizeof_statbuf = 2;
    color_filter = alloc_bytes(static_cast<size_t>((entries + 7) / 8), "color_filter");
    hist_order = static_cast<uint16_t *>(
        checked_calloc(static_cast<size_t>(entries), sizeof(uint16_t), "hist_order"));
}

void
free_statistics_buffers()
{
    checked_free(statbuf);
    checked_free(color_filter);
    checked_free(hist_order);
    statbuf = color_filter = nullptr;
    hist_order = nullptr;
    sizeof_statbuf = 0;
    totstatrules = 0;
}

} // namespace

uint64_t
rule_entries_for(int v, int k)
{
    return int_power(v, k);
}

uint32_t
tcode_entries_for(int v, int k)
{
    return static_cast<uint32_t>(k * (v - 1) + 1);
}

uint32_t
kcode_entries_for(int v, int k)
{
    return static_cast<uint32_t>(longlong_fact(k + v - 1, k + 1) / longlong_fact(v - 1, 1));
}

uint64_t
rule_entries(int k)
{
    return rule_entries_for(value_range, k);
}

size_t
rule_bytes(int k)
{
    return value_line_bytes(rule_entries(k), value_bits);
}

uint32_t
tcode_entries(int k)
{
    return tcode_entries_for(value_range, k);
}

size_t
tcode_bytes(int k)
{
    return value_line_bytes(tcode_entries(k), value_bits);
}

uint32_t
kcode_entries(int k)
{
    return kcode_entries_for(value_range, k);
}

size_t
kcode_bytes(int k)
{
    return value_line_bytes(kcode_entries(k), value_bits);
}

// ---- rule tables ----------------------------------------------------------

void
allocate_mem_rule0(int k)
{
    carule = alloc_rows(1, "carule");
    carule[0] = alloc_bytes(rule_bytes(k), "carule[0]");
}

void
free_mem_rule0()
{
    if (!carule)
        return;
    checked_free(carule[0]);
    checked_free(carule);
    carule = nullptr;
}

void
allocate_mem_rule0_extra(int k)
{
    carule_mut = alloc_bytes(rule_bytes(k), "carule_mut");
    allocate_statistics_buffers(rule_entries(k));
}

void
free_mem_rule0_extra()
{
    checked_free(carule_mut);
    carule_mut = nullptr;
    free_statistics_buffers();
}

void
allocate_mem_tcode0_extra(int k)
{
    allocate_statistics_buffers(code_extra_entries(k));
}

void
free_mem_tcode0_extra()
{
    free_statistics_buffers();
}

void
allocate_mem_rulemix(int k)
{
    carule = static_cast<uint8_t **>(
        checked_realloc(carule, lineL * sizeof(uint8_t *), "carule"));
    size_t bytes = rule_bytes(k);
    for (long c = 1; c < lineL; c++)
        carule[c] = alloc_bytes(bytes, row_label("carule", c).text);
}

void
free_mem_rulemix()
{
    if (lineL > 1)
        free_rows(carule, 1, lineL - 1);
}

void
reallocate_mem_rulemix(int k, int change)
{
    resize_mix(&carule, "carule", rule_bytes(k), change);
}

void
allocate_mem_diffrules(int k, int count)
{
    diffrule = alloc_rows(static_cast<size_t>(count), "diffrule");
    size_t bytes = rule_bytes(k);
    for (long c = 0; c < count; c++)
        diffrule[c] = alloc_bytes(bytes, row_label("diffrule", c).text);
}

void
free_mem_diffrules(int count)
{
    if (!diffrule)
        return;
    free_rows(diffrule, 0, count);
    checked_free(diffrule);
    diffrule = nullptr;
}

void
allocate_mem_all_0s_all_1s_rules(int k)
{
    size_t bytes = rule_bytes(k);
    rule_all_0s = alloc_bytes(bytes, "rule_all_0s");
    rule_all_1s = alloc_bytes(bytes, "rule_all_1s");
    memset(rule_all_1s, 0xFF, bytes);
}

void
free_mem_all_0s_all_1s_rules()
{
    checked_free(rule_all_0s);
    checked_free(rule_all_1s);
    rule_all_0s = rule_all_1s = nullptr;
}

// ---- codes ----------------------------------------------------------------

void
allocate_mem_tcode0(int k)
{
    cacode = alloc_rows(1, "cacode");
    cacode[0] = alloc_bytes(tcode_bytes(k), "cacode[0]");
    v_code = alloc_rows(1, "v_code");
    v_code[0] = alloc_bytes(kcode_bytes(k), "v_code[0]");
}

void
free_mem_tcode0()
{
    if (cacode) {
        checked_free(cacode[0]);
        checked_free(cacode);
    }
    if (v_code) {
        checked_free(v_code[0]);
        checked_free(v_code);
    }
    cacode = v_code = nullptr;
}

void
allocate_mem_tcodemix(int k)
{
    cacode = static_cast<uint8_t **>(
        checked_realloc(cacode, lineL * sizeof(uint8_t *), "cacode"));
    v_code = static_cast<uint8_t **>(
        checked_realloc(v_code, lineL * sizeof(uint8_t *), "v_code"));
    size_t tbytes = tcode_bytes(k), vbytes = kcode_bytes(k);
    for (long c = 1; c < lineL; c++) {
        cacode[c] = alloc_bytes(tbytes, row_label("cacode", c).text);
        v_code[c] = alloc_bytes(vbytes, row_label("v_code", c).text);
    }
}

void
free_mem_tcodemix()
{
    if (lineL > 1) {
        free_rows(cacode, 1, lineL - 1);
        free_rows(v_code, 1, lineL - 1);
    }
}

void
reallocate_mem_tcodemix(int k, int change)
{
    if (change < 0) {
        for (long c = L + 1; c <= L - change; c++) {
            checked_free(cacode[c]);
            checked_free(v_code[c]);
            cacode[c] = v_code[c] = nullptr;
        }
    }
    cacode = static_cast<uint8_t **>(
        checked_realloc(cacode, lineL * sizeof(uint8_t *), "cacode"));
    v_code = static_cast<uint8_t **>(
        checked_realloc(v_code, lineL * sizeof(uint8_t *), "v_code"));
    size_t tbytes = tcode_bytes(k), vbytes = kcode_bytes(k);
    for (long c = long(lineL) - change; change > 0 && c < lineL; c++) {
        cacode[c] = alloc_bytes(tbytes, row_label("cacode", c).text);
        v_code[c] = alloc_bytes(vbytes, row_label("v_code", c).text);
    }
}

void
allocate_mem_diffcodes(int k, int count)
{
    diffcode = alloc_rows(static_cast<size_t>(count), "diffcode");
    v_diffcode = alloc_rows(static_cast<size_t>(count), "v_diffcode");
    size_t tbytes = tcode_bytes(k), vbytes = kcode_bytes(k);
    for (long c = 0; c < count; c++) {
        diffcode[c] = alloc_bytes(tbytes, row_label("diffcode", c).text);
        v_diffcode[c] = alloc_bytes(vbytes, row_label("v_diffcode", c).text);
    }
}

void
free_mem_diffcodes(int count)
{
    if (diffcode) {
        free_rows(diffcode, 0, count);
        checked_free(diffcode);
    }
    if (v_diffcode) {
        free_rows(v_diffcode, 0, count);
        checked_free(v_diffcode);
    }
    diffcode = v_diffcode = nullptr;
}

// ---- k-matrix -------------------------------------------------------------

void
allocate_mem_nhood_matrix(int K)
{
    int v = value_range;
    uint64_t N = int_power(v, K);
    nm = alloc_rows(static_cast<size_t>(K), "nm");
    size_t row_bytes = value_line_bytes(N, value_bits);
    for (int j = 0; j < K; j++)
        nm[j] = alloc_bytes(row_bytes, row_label("nm", j).text);
    uint8_t *digits = alloc_bytes(value_line_bytes(static_cast<uint64_t>(K), value_bits),
                                  "nhoodbytes");
    for (uint64_t i = N; i-- > 0;) {
        uint32_t idx = static_cast<uint32_t>(i);
        if (v == 2) {
            for (int j = K - 1; j >= 0; j--)
                set_bitlong(nm[j], idx, static_cast<int>((idx >> j) & 1));
        } else {
            dec_to_value_line(digits, idx, K);
            for (int j = K - 1; j >= 0; j--)
                set_value(nm[j], idx, get_value(digits, static_cast<uint32_t>(j)));
        }
    }
    checked_free(digits);
    canal = alloc_bytes(2, "canal");
}

void
free_mem_nhood_matrix(int K)
{
    if (nm) {
        free_rows(nm, 0, K);
        checked_free(nm);
        nm = nullptr;
    }
    checked_free(canal);
    canal = nullptr;
    // The count goes with its bit set: a figure left behind would name
    // inputs of a set no longer there.
    canaltotal = 0;
}

// ---- code sweep buffers ---------------------------------------------------

void
allocate_code_mem()
{
    // 2^(k+1) bits; with the forward-only totalistic mode k reaches 25, so
    // the count is kept in 64 bits (8 MB at k = 25).
    uint64_t bits = uint64_t(1) << (nhood + 1);
    codetickoff = alloc_bytes(static_cast<size_t>((bits + 7) / 8), "codetickoff");
    tempcode = alloc_bytes(static_cast<size_t>((nhood + 1 + 7) / 8), "tempcode");
}

// ---- state lines ----------------------------------------------------------

void
allocate_mem_CA_states()
{
    size_t n = lineL, S = bytesL;
    seq_order = static_cast<uint16_t *>(checked_calloc(n, sizeof(uint16_t), "seq_order"));
    nhd = static_cast<uint16_t *>(checked_calloc(n, sizeof(uint16_t), "nhd"));
    bitseed = alloc_bytes(S, "bitseed");
    firstseed = alloc_bytes(S, "firstseed");
    this_firstseed = alloc_bytes(S, "this_firstseed");
    A = alloc_bytes(S, "A");
    F = alloc_bytes(S, "F");
    all_0s = alloc_bytes(S, "all_0s");
    all_1s = alloc_bytes(S, "all_1s");
    memset(all_1s, 0xFF, S);
    // For v = 2 the spare bits past the last cell are cleared, so all_1s is
    // the all-1 state; for v > 2 every entry holds 2^w - 1.
    if (value_range == 2)
        for (size_t b = n; b < 8 * S; b++)
            set_bitlong(all_1s, static_cast<uint32_t>(b), 0);
    rot = alloc_bytes(S, "rot");
    tempState = alloc_bytes(S, "tempState");
    if (tot_only)
        return;
    tempState2 = alloc_bytes(S, "tempState2");
    iscanal = alloc_bytes(S, "iscanal");
    tar = alloc_bytes(S, "tar");
    notolearn = 1;
    learn_pre = alloc_rows(static_cast<size_t>(notolearn), "learn_pre");
    learn_pre[0] = alloc_bytes(S, "learn_pre[0]");
    pp_hist = static_cast<uint16_t *>(checked_calloc(n, sizeof(uint16_t), "pp_hist"));
    pp_hist_total =
        static_cast<uint32_t *>(checked_calloc(n, sizeof(uint32_t), "pp_hist_total"));
}

void
free_mem_CA_states()
{
    checked_free(seq_order);
    checked_free(nhd);
    seq_order = nhd = nullptr;
    uint8_t **lines[] = {&bitseed, &firstseed, &this_firstseed, &A, &F,
                         &all_0s, &all_1s, &rot, &tempState};
    for (uint8_t **line : lines) {
        checked_free(*line);
        *line = nullptr;
    }
    if (tot_only)
        return;
    checked_free(tempState2);
    checked_free(iscanal);
    checked_free(tar);
    tempState2 = iscanal = tar = nullptr;
    if (learn_pre) {
        free_rows(learn_pre, 0, notolearn);
        checked_free(learn_pre);
        learn_pre = nullptr;
    }
    checked_free(pp_hist);
    checked_free(pp_hist_total);
    pp_hist = nullptr;
    pp_hist_total = nullptr;
}

// ---- wiring ---------------------------------------------------------------

void
allocate_mem_wiring()
{
    size_t n = lineL;
    int slots = nhood > 0 ? nhood : 0;
    wiring = static_cast<uint16_t **>(checked_calloc(n, sizeof(uint16_t *), "**wiring"));
    for (size_t c = 0; c < n; c++) {
        wiring[c] = static_cast<uint16_t *>(
            checked_calloc(static_cast<size_t>(slots), sizeof(uint16_t),
                           row_label("wiring", static_cast<long>(c)).text));
        for (int j = 0; j < slots; j++)
            wiring[c][j] = Maxu;
    }
    celloutfreq = static_cast<uint16_t *>(checked_calloc(n, sizeof(uint16_t), "celloutfreq"));
    // The 3d layer quotas may already have been set by the wiring dialog,
    // which runs before the table exists: keep them.
    if (!force_layer)
        force_layer = static_cast<int16_t *>(checked_calloc(2, sizeof(int16_t), "force_layer"));
}

void
reallocate_mem_wiring(int change)
{
    int slots = nhood > 0 ? nhood : 0;
    if (change != 0) {
        if (change < 0) {
            for (long c = L + 1; c <= L - change; c++) {
                checked_free(wiring[c]);
                wiring[c] = nullptr;
            }
        }
        wiring = static_cast<uint16_t **>(
            checked_realloc(wiring, lineL * sizeof(uint16_t *), "**wiring"));
        // New rows are zero-filled: the caller wires the new cell.
        for (long c = long(lineL) - change; change > 0 && c < lineL; c++)
            wiring[c] = static_cast<uint16_t *>(checked_calloc(
                static_cast<size_t>(slots), sizeof(uint16_t), row_label("wiring", c).text));
    }
    celloutfreq = static_cast<uint16_t *>(
        checked_realloc(celloutfreq, lineL * sizeof(uint16_t), "celloutfreq"));
    // Out-degrees are recounted before they are read; cleared meanwhile.
    for (long c = long(lineL) - change; change > 0 && c < lineL; c++)
        celloutfreq[c] = 0;
}

void
free_mem_wiring()
{
    if (wiring) {
        for (long c = 0; c < lineL; c++)
            checked_free(wiring[c]);
        checked_free(wiring);
        wiring = nullptr;
    }
    checked_free(celloutfreq);
    checked_free(force_layer);
    celloutfreq = nullptr;
    force_layer = nullptr;
}

void
allocate_mem_Z_parameter()
{
    zparam = static_cast<float *>(checked_calloc(3, sizeof(float), "zparam"));
}

void
free_mem_Z_parameter()
{
    checked_free(zparam);
    zparam = nullptr;
}
