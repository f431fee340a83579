// The maximum-k reduction (see max_k_reduction.h). Reads the k-mix nhoodm
// and writes nhood, nhood_ub, the rows of wiring, cacode and v_code (model
// globals); rebuilds the rule extras (model/network_arrays.h) and the
// value-count trie, and recounts the out-degrees (wiring/out_degrees.h).
//
// Example: v = 2, nhood 7, cells of k 3 and 5: nhood and nhood_ub become 5,
// the wiring rows hold 5 slots, the rule-table rows keep their 16 bytes.
#include "engine/rules/max_k_reduction.h"

#include <cstdio>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_count_trie.h"
#include "engine/wiring/out_degrees.h"

namespace {

// Resizes rows 0..count-1 of a row array to bytes each, keeping their
// leading contents; label is "name[%d]" with the row index.
void
resize_rows(uint8_t **rows, uint32_t count, size_t bytes, const char *name)
{
    char label[32];
    for (uint32_t c = 0; c < count; c++) {
        snprintf(label, sizeof label, "%s[%u]", name, c);
        rows[c] = static_cast<uint8_t *>(checked_realloc(rows[c], bytes, label));
    }
}

} // namespace

void
reduce_max_k()
{
    if (!nhood_mixed)
        return;
    int k_new = 0;
    for (uint32_t c = 0; c < lineL; c++)
        if (nhoodm[c] > k_new)
            k_new = nhoodm[c];
    if (k_new < 1 || k_new >= nhood)
        return;
    bool trie = v_tree != nullptr;
    if (trie)
        free_v_code_arrays();
    if (wiring) {
        char label[32];
        for (uint32_t c = 0; c < lineL; c++) {
            snprintf(label, sizeof label, "wiring[%u]", c);
            wiring[c] = static_cast<uint16_t *>(checked_realloc(
                wiring[c], static_cast<size_t>(k_new) * sizeof(uint16_t), label));
        }
    }
    if (tot_only) {
        // Outer-totalistic codes have one row per value of the cell itself.
        uint32_t rows = outer_tot ? static_cast<uint32_t>(value_range) : rulemix ? lineL : 1;
        if (totalistic == rule_kind_tcodes && cacode)
            resize_rows(cacode, rows, tcode_bytes(k_new), "cacode");
        else if (totalistic == rule_kind_kcodes && v_code)
            resize_rows(v_code, rows, kcode_bytes(k_new), "cacode");
        free_mem_tcode0_extra();
    } else {
        free_mem_rule0_extra();
        free_mem_all_0s_all_1s_rules();
    }
    nhood = static_cast<int8_t>(k_new);
    nhood_ub = static_cast<uint8_t>(k_new);
    if (tot_only) {
        allocate_mem_tcode0_extra(k_new);
    } else {
        allocate_mem_rule0_extra(k_new);
        allocate_mem_all_0s_all_1s_rules(k_new);
    }
    if (trie)
        set_up_v_code();
    if (wiring)
        cell_out_freq();
}
