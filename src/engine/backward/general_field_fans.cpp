// The general method's whole fans of a basin field (see
// general_field_fans.h): the field's final partials of a target, then their
// wild cells expanded in the order expand_wild_words has.
#include "engine/backward/general_field_fans.h"

#include "engine/backward/general_field_points.h"
#include "engine/backward/general_tries.h"
#include "engine/backward/general_walk.h"
#include "engine/backward/globals.h"
#include "engine/backward/preimage_method.h"
#include "engine/backward/preimages_general.h"

namespace {

// The final partials of the last target, and after them the partials their
// wild cells add.
field_final_list fans;

// Every partial of the list, and each one appended, with its unassigned
// cells taken from position L down: for each such cell the partial has it
// 0 and marked assigned from then on, and a copy with it 1 is appended (as
// expand_wild_words expands a stack). False when memory ran out.
bool
expand_wild_cells(field_final_list &list)
{
    const uint32_t all = lineL == 32 ? ~uint32_t(0) : (uint32_t(1) << lineL) - 1;
    const bool in_position_order = !(reorderRBN && cell_order);
    for (uint32_t i = 0; i < list.count; i++) {
        uint32_t mask = list.mask[i];
        const uint32_t value = list.value[i];
        auto expand = [&list, &mask, value](uint32_t bit) {
            mask |= bit;
            if (list.count == list.room && !grow_field_finals(list))
                return false;
            list.value[list.count] = value | bit;
            list.mask[list.count++] = mask;
            return true;
        };
        if (in_position_order) {
            // The cell of the highest position unassigned is the highest
            // bit unassigned.
            for (uint32_t left = all & ~mask; left; left = all & ~mask)
                if (!expand(uint32_t(1) << (31 - __builtin_clz(left))))
                    return false;
            continue;
        }
        for (uint32_t pos = L + 1; mask != all && pos-- > 0;)
            if (!(mask >> cell_order[pos] & 1) && !expand(uint32_t(1) << cell_order[pos]))
                return false;
    }
    return true;
}

} // namespace

bool
general_field_fans_ready()
{
    return basinfield && general_tables_built() && walk_allowed() && field_points_ready();
}

const uint32_t *
general_field_fan(uint32_t t, uint32_t *count)
{
    if (!field_finals(t, fans)) {
        *count = fan_not_made;
        return nullptr;
    }
    const uint32_t finals = fans.count;
    if (!expand_wild_cells(fans)) {
        *count = fan_not_made;
        return nullptr;
    }
    pp_wild = fans.count - finals;
    pp_wild_tot += pp_wild;
    *count = fans.count;
    return fans.value;
}

void
release_general_field_fans()
{
    release_field_finals(fans);
}
