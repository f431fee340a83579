// The rule-kind stage: whether cells compute from full rule tables, from
// tcodes (the sum of the inputs) or kcodes (how many inputs hold each value);
// in the totalistic forward-only mode also whether the codes are outer
// totalistic (one code per value of the cell itself).
#include "ui/rules/rule_kind.h"

#include "engine/model/globals.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"

void
select_totalistic()
{
    outer_tot = 0;
    setcolor(white);
    next_line(xtext, 1);
    outtext(tot_only ? "totalistic only: outertot-o/+o, tcode-t, (def-kcode):"
                     : "totalistic: tcode-t kcode-k (def-rule):");
    int len = input_string(2, text_entry);
    if (is[0] == 'q') {
        setpback_x_lines(0);
        return;
    }
    totalistic = tot_only ? rule_kind_kcodes : rule_kind_tables;
    if (is[0] == 't')
        totalistic = rule_kind_tcodes;
    else if (is[0] == 'k')
        totalistic = rule_kind_kcodes;
    if (tot_only && (is[0] == 'o' || (len > 1 && is[1] == 'o')))
        outer_tot = 1;
}
