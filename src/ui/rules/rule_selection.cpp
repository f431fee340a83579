// Stand-in until the rule dialogs are built: the first prompt of the rules
// stage is shown so the user can step back with 'q'; any other answer gives
// the network a random rule table, or a random tcode or kcode with the rule
// table made from it, and the stage goes on.
#include "ui/rules/rule_selection.h"

#include <cstdio>
#include <cstdlib>

#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/value_line.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"

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
    moveto(getx, gety + CHeight);
    int16_t x = getx, row = gety;
    if (!tot_only)
        snprintf(textb[0], 150, "RULES: single rule (def), load rulemix-l, list Post-P, "
                                "amend k-matrix-a");
    else
        snprintf(textb[0], 150, "%s: single code (def), load codemix-l, amend k-matrix-a",
                 totalistic == rule_kind_tcodes ? "TCODE" : "KCODE");
    int lines = prompt_box_lines(textb[0]) + 1;
    int margin = draw_prompt_box(lines);
    write_prompt_lines(textb[0], margin);
    moveto(margin, gety + CHeight);
    outtext("mix: no limit-n, or set limit up to 200:");
    input_string(3, 0);
    erase_prompt_box(lines);
    moveto(x, row);
    if (is[0] == 'q')
        return row;
    if (totalistic == rule_kind_tcodes) {
        random_value_line(cacode[0], tcode_entries(nhood));
        if (!tot_only)
            code2rule(carule[0], cacode[0], nhood);
    } else if (totalistic == rule_kind_kcodes) {
        random_value_line(v_code[0], kcode_entries(nhood));
        if (!tot_only)
            v_code2rule(carule[0], v_code[0], nhood, 1);
    } else if (!tot_only) {
        random_value_line(carule[0], rule_entries(nhood));
    }
    is[0] = kKeyReturn;
    return static_cast<int16_t>(row + CHeight);
}
