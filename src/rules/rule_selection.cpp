// Stand-in until the rule dialogs are built: the network gets a random rule
// table, or a random tcode or kcode with the rule table made from it (the
// default of the rule menu), and the stage goes on.
#include "rules/rule_selection.h"

#include <cstdlib>

#include "model/globals.h"
#include "model/network_arrays.h"
#include "model/rule_conversions.h"
#include "model/value_line.h"
#include "screen/globals.h"

namespace {

void
random_value_line(uint8_t *line, uint64_t entries)
{
    for (uint64_t i = 0; i < entries; i++)
        set_value(line, static_cast<uint32_t>(i), static_cast<int>(random() % value_range));
}

} // namespace

int16_t
rule_selection()
{
    if (totalistic == 1) {
        random_value_line(cacode[0], tcode_entries(nhood));
        if (!tot_only)
            code2rule(carule[0], cacode[0], nhood);
    } else if (totalistic == 2) {
        random_value_line(v_code[0], kcode_entries(nhood));
        if (!tot_only)
            v_code2rule(carule[0], v_code[0], nhood, 1);
    } else if (!tot_only) {
        random_value_line(carule[0], rule_entries(nhood));
    }
    is[0] = kKeyReturn;
    return static_cast<int16_t>(gety + CHeight);
}
