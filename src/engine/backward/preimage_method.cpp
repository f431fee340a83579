// The pre-image methods as instances of one interface (see
// preimage_method.h), and the one place where the method of a run is chosen
// from the network and the settings (table mode, the neutral-order mode,
// the wiring). Start at choose_preimage_method.
#include "engine/backward/preimage_method.h"

#include "engine/backward/general_field_fans.h"
#include "engine/backward/globals.h"
#include "engine/backward/preimages_general.h"
#include "engine/backward/preimages_local.h"
#include "engine/backward/successor_table.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"

namespace {

bool
nothing_to_prepare()
{
    return false;
}

void
nothing_to_release()
{
}

bool
hands_lines()
{
    return false;
}

bool
states_numbered()
{
    return state_count() != 0;
}

bool
prepare_local()
{
    if (local_arrays_current())
        return false;
    allocate_local_arrays();
    return true;
}

void
local_fan(const fan_target &)
{
    pre_images_local();
}

bool
prepare_general()
{
    if (general_tables_built())
        return false;
    prepair_pre_rand();
    return true;
}

// The word form hands numbers.
bool
general_hands_numbers()
{
    return value_range == 2 && state_count() != 0;
}

void
general_breadth_first_fan(const fan_target &)
{
    pre_images_breadth_first();
}

// The walk, chosen where it serves; should a setting change under it, the
// fan goes breadth first. In a field its fans are also made whole
// (general_field_fans.h).
void
general_walk_fan(const fan_target &)
{
    pre_images_rand();
}

void
table_fan(const fan_target &target)
{
    if (target.numbered)
        pre_exhaustive_of(target.number);
    else
        pre_exhaustive();
}

void
neutral_order_fan(const fan_target &)
{
    pre_neutral();
}

} // namespace

const preimage_method local_1d_preimages = {
    "local 1d",        // name
    prepare_local,     // prepare
    free_local_arrays, // release
    local_fan,         // fan_of
    hands_lines,       // hands_numbers
    nullptr,           // stored_fan
    nullptr,           // stored_fans_ready
    nullptr,           // warm
    nullptr,           // stored_index
    true,              // polls_keys
    false,             // leaves_out_ticked_off
};
const preimage_method general_breadth_first_preimages = {
    "general breadth-first",   // name
    prepare_general,           // prepare
    free_pre_rand,             // release
    general_breadth_first_fan, // fan_of
    general_hands_numbers,     // hands_numbers
    nullptr,                   // stored_fan
    nullptr,                   // stored_fans_ready
    nullptr,                   // warm
    nullptr,                   // stored_index
    false,                     // polls_keys
    false,                     // leaves_out_ticked_off
};
const preimage_method general_walk_preimages = {
    "general walk",           // name
    prepare_general,          // prepare
    free_pre_rand,            // release
    general_walk_fan,         // fan_of
    general_hands_numbers,    // hands_numbers
    general_field_fan,        // stored_fan
    general_field_fans_ready, // stored_fans_ready
    warm_walk,                // warm
    nullptr,                  // stored_index
    false,                    // polls_keys
    false,                    // leaves_out_ticked_off
};
// The table's fans leave out the states a field placed already.
const preimage_method table_preimages = {
    "table",            // name
    nothing_to_prepare, // prepare
    nothing_to_release, // release
    table_fan,          // fan_of
    states_numbered,    // hands_numbers
    table_pre_images,   // stored_fan
    nullptr,            // stored_fans_ready
    warm_pre_images,    // warm
    table_fan_index,    // stored_index
    true,               // polls_keys
    true,               // leaves_out_ticked_off
};
const preimage_method neutral_order_preimages = {
    "neutral orders",   // name
    nothing_to_prepare, // prepare
    nothing_to_release, // release
    neutral_order_fan,  // fan_of
    hands_lines,        // hands_numbers
    nullptr,            // stored_fan
    nullptr,            // stored_fans_ready
    nullptr,            // warm
    nullptr,            // stored_index
    true,               // polls_keys
    false,              // leaves_out_ticked_off
};

const preimage_method &
choose_preimage_method()
{
    if (exhaustive_testing)
        return table_preimages;
    if (neutral_order == 1)
        return neutral_order_preimages;
    if (!nonlocal && !nhood_mixed)
        return local_1d_preimages;
    return general_walk_serves() ? general_walk_preimages : general_breadth_first_preimages;
}

bool
general_method_needed()
{
    const preimage_method &chosen = choose_preimage_method();
    return &chosen == &general_walk_preimages || &chosen == &general_breadth_first_preimages;
}

const preimage_method &
start_preimage_method(bool &built)
{
    built = choose_preimage_method().prepare();
    return choose_preimage_method();
}
