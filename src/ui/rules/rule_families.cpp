// The dialog side of the rule and code families (rule_families.h): the
// reaction-diffusion thresholds asked through the screen layer. Start at
// set_reaction_diffusion_rule.
#include "ui/rules/rule_families.h"

#include <cstdio>

#include "engine/model/globals.h"
#include "engine/rules/code_families.h"
#include "engine/rules/rule_families.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"

namespace {

// The threshold dialog of both reaction-diffusion families: lower, then
// upper, each of at most 2 characters; out-of-range answers take their
// defaults (lower 1, upper k-1). False with 'q' in is[0] when the user left
// at the first prompt; 'q' at the second asks the first again.
bool
ask_thresholds(int k, int &lower, int &upper)
{
    for (;;) {
        draw_prompt_box(1);
        snprintf(textb[0], 150, "thresholds: lower (0-%d):", k);
        outtext(textb[0]);
        input_string(2, text_entry);
        if (is[0] == 'q')
            return false;
        lower = static_cast<int>(entry_number());
        if (lower < 0 || lower > k)
            lower = 1;
        snprintf(textb[0], 150, " upper (%d-thisnhood):", k);
        outtext(textb[0]);
        input_string(2, text_entry);
        if (is[0] == 'q')
            continue;
        upper = static_cast<int>(entry_number());
        if (upper < lower || upper > k)
            upper = k - 1;
        return true;
    }
}

} // namespace

void
set_reaction_diffusion_rule(uint8_t *rule, int k, int32_t last)
{
    int x = getx, y = gety;
    int lower, upper;
    if (ask_thresholds(k, lower, upper))
        fill_reaction_diffusion_rule(rule, k, last, lower, upper);
    moveto(x, y);
}

void
set_reaction_diffusion_outer(int c, uint8_t *kcode, int k, int32_t last)
{
    int x = getx, y = gety;
    int lower, upper;
    if (ask_thresholds(k, lower, upper))
        fill_reaction_diffusion_outer(c, kcode, k, last, lower, upper);
    moveto(x, y);
}
