// The value exchange prompt (rule_conversions.h): two values asked in the
// prompt box through the screen layer, then exchange_values_vcode of the
// engine. Start at swap_values_vcode.
#include "ui/model/rule_conversions.h"

#include <cstdio>
#include <cstdlib>

#include "engine/model/globals.h"
#include "engine/model/rule_conversions.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"

namespace {

// A typed digit 0..9 from the first character of the input line, or -1.
int
typed_digit()
{
    if (is[0] >= '0' && is[0] <= '9')
        return is[0] - '0';
    return -1;
}

} // namespace

void
swap_values_vcode(uint8_t *kcode, int k)
{
    int v = value_range;
    char text[80];
    int margin = draw_prompt_box(2);
    snprintf(text, sizeof text, "swap 2 values: enter first (0-%d):", v - 1);
    outtext(text);
    input_string(1, text_entry);
    int a = typed_digit();
    if (a < 0)
        a = 0;
    else if (a > v - 1)
        a = static_cast<int>(random() % v);

    moveto(margin, gety + CHeight);
    snprintf(text, sizeof text, "first=%d, enter second (0-%d):", a, v - 1);
    outtext(text);
    input_string(1, text_entry);
    int b = typed_digit();
    if (b < 0 || b > v - 1 || b == a)
        b = abs(a - 1);
    fprintf(stderr, "\n %d - %d\n", a, b);

    exchange_values_vcode(kcode, k, a, b);
    erase_prompt_box(2);
}
