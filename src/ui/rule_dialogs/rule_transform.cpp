// Stand-in until the rule transformations are built: no transformation is
// offered; the finished rule gets its figures, its readout and, with one
// rule, its last-rule file (a rule-table file), and the dialog ends as if
// the user pressed Return.
#include "ui/rule_dialogs/rule_transform.h"

#include "engine/model/globals.h"
#include "ui/model/rule_parameters.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/globals.h"
#include "ui/storage/last_rule.h"

int
transform_rule(int cell)
{
    int k = nhoodm ? nhoodm[cell] : nhood;
    rule_z_figures(k, carule[cell]);
    show_rule_bottom(k, 0, carule[cell], cell);
    if (!rulemix) {
        int8_t kind = totalistic;
        totalistic = rule_kind_tables;
        save_last_rule(carule[0], k);
        totalistic = kind;
    }
    is[0] = kKeyReturn;
    return 0;
}
