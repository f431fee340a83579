// Killing and deleting cells (cell_removal.h).
//
// Reads and writes the network model (model/globals.h): wiring, nhoodm,
// nhood_lb, nhood_ub, nhood_mixed, carule, cacode, v_code, lineL, L,
// bytesL, the state lines; recounts the out-degrees (wiring/). The identity
// rule comes from the rule makers (rules/). Start at cut_in_out_links.
//
// A kill must leave no reader of the cell, since a delete that follows it
// renumbers the inputs above the cell: an input still naming the deleted
// cell would silently come to read its upper neighbour. So the scan of a
// reader looks again at a position whose input has just moved down into
// it, and a reader fed by the cell at two neighbouring positions loses both.
#include "engine/wiring_editor/cell_removal.h"

#include <cstdlib>
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/network_shape.h"
#include "engine/model/value_line.h"
#include "engine/rules/rule_makers.h"
#include "engine/wiring/out_degrees.h"

namespace {

// True when every cell has a rule table of its own that a kill rewrites.
bool
own_rule_tables()
{
    return rulemix && carule;
}

// Cell c's rule (old_k inputs before) := the identity rule of k = 1.
void
give_identity_rule(uint16_t c, int old_k)
{
    if (!own_rule_tables())
        return;
    memset(carule[c], 0, rule_bytes(old_k));
    self_wiring_rule(carule[c]);
}

// Cell c's rule (old_k inputs before) := a random table for its k now.
void
give_random_rule(uint16_t c, int old_k)
{
    if (!own_rule_tables())
        return;
    memset(carule[c], 0, rule_bytes(old_k));
    uint64_t entries = rule_entries(nhoodm[c]);
    for (uint64_t x = 0; x < entries; x++)
        set_value(carule[c], static_cast<uint32_t>(x), static_cast<int>(random() % value_range));
}

// Cell i loses its input at position p: the inputs above move down (through
// the row scratch temp); with no input left it reads itself.
void
drop_input(uint16_t i, int p, uint16_t *temp)
{
    int k = nhoodm[i];
    if (p < k - 1) {
        memcpy(temp, wiring[i], static_cast<size_t>(k) * sizeof(uint16_t));
        for (int q = p; q < k - 1; q++)
            wiring[i][q] = temp[q + 1];
    }
    if (k == 1) {
        wiring[i][0] = i;
        give_identity_rule(i, 1);
        return;
    }
    wiring[i][k - 1] = Maxu;
    nhoodm[i] = static_cast<int8_t>(k - 1);
    give_random_rule(i, k);
}

// nhood_lb and nhood_ub from nhoodm; a network whose cells now differ in k
// is marked mixed, so that every reader of k takes each cell's own.
void
recount_k_bounds()
{
    nhood_lb_ub();
    if (nhood_lb != nhood_ub)
        nhood_mixed = 1;
}

// Moves entry c of a row-pointer array to the end, the entries above it
// one place down.
template <typename Row>
void
rotate_row_to_end(Row *rows, uint16_t c, uint16_t n)
{
    Row gone = rows[c];
    memmove(&rows[c], &rows[c + 1], static_cast<size_t>(n - 1 - c) * sizeof(Row));
    rows[n - 1] = gone;
}

} // namespace

void
cut_in_out_links(uint16_t c)
{
    if (tot_only || c >= lineL)
        return;
    uint16_t *temp = static_cast<uint16_t *>(
        checked_calloc(static_cast<size_t>(nhood), sizeof(uint16_t), "tempwiring"));
    int k = nhoodm[c];
    for (int p = 1; p < k; p++)
        wiring[c][p] = Maxu;
    nhoodm[c] = 1;
    wiring[c][0] = c;
    give_identity_rule(c, k);

    for (uint16_t i = 0; i < lineL; i++) {
        if (i == c)
            continue;
        int p = 0;
        while (p < nhoodm[i]) {
            if (wiring[i][p] == c)
                drop_input(i, p, temp); // position p is looked at again
            else
                p++;
        }
    }
    checked_free(temp);
    recount_k_bounds();
}

void
delete_cell(uint16_t c)
{
    if (tot_only || lineL < 2 || c >= lineL)
        return;
    cut_in_out_links(c);

    // The killed cell's rows go to the end, where the shrinking frees them.
    uint16_t n = lineL;
    rotate_row_to_end(wiring, c, n);
    memmove(&nhoodm[c], &nhoodm[c + 1], static_cast<size_t>(n - 1 - c));
    if (rulemix) {
        if (carule)
            rotate_row_to_end(carule, c, n);
        if (cacode && v_code) {
            rotate_row_to_end(cacode, c, n);
            rotate_row_to_end(v_code, c, n);
        }
    }
    for (uint16_t i = 0; i + 1 < n; i++)
        for (int p = 0; p < nhood; p++)
            if (wiring[i][p] != Maxu && wiring[i][p] > c)
                wiring[i][p]--;

    free_mem_CA_states();
    lineL = static_cast<uint16_t>(n - 1);
    set_line_lengths();
    reallocate_mem_wiring(-1);
    nhoodm = static_cast<int8_t *>(checked_realloc(nhoodm, lineL, "nhoodm"));
    if (rulemix) {
        if (carule)
            reallocate_mem_rulemix(nhood, -1);
        if (cacode && v_code)
            reallocate_mem_tcodemix(nhood, -1);
    }
    allocate_mem_CA_states();
    recount_k_bounds();
    cell_out_freq();
}

int
frozen_cell(uint16_t c, bool rules_set)
{
    if (!rules_set || tot_only || c >= lineL || !carule)
        return 0;
    if (nhoodm[c] != 1 || wiring[c][0] != c)
        return 0;
    const uint8_t *rule = rulemix ? carule[c] : carule[0];
    for (int i = 0; i < value_range; i++)
        if (get_value(rule, static_cast<uint32_t>(i)) != i)
            return 0;
    return 1;
}
