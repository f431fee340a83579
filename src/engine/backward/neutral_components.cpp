// The component-type table of a neutral field (neutral_components.h), kept
// in comp_type (backward/globals.h) as rows of (size, count) in the order
// the sizes were first met. Sizes and counts are 32-bit: 12! orders do not
// fit 16 bits. Start at add_component_type.
#include "engine/backward/neutral_components.h"

#include <cstdio>

#include "engine/backward/globals.h"
#include "engine/model/checked_alloc.h"

void
start_component_types()
{
    free_component_types();
    comp_type = static_cast<uint32_t(*)[2]>(checked_calloc(1, sizeof *comp_type, "comp_type"));
}

void
add_component_type(uint32_t size)
{
    uint32_t row = 0;
    while (row < comp_type_tot && comp_type[row][0] != size)
        row++;
    if (row == comp_type_tot) {
        comp_type = static_cast<uint32_t(*)[2]>(
            checked_realloc(comp_type, (static_cast<size_t>(comp_type_tot) + 1) * sizeof *comp_type,
                            "(comp_type"));
        comp_type[row][0] = size;
        comp_type[row][1] = 0;
        comp_type_tot++;
    }
    comp_type[row][1]++;
}

void
sort_component_types()
{
    // Few rows (one per size met): neighbouring rows swapped until sorted.
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (uint32_t r = 1; r < comp_type_tot; r++)
            if (comp_type[r - 1][0] > comp_type[r][0]) {
                for (int i = 0; i < 2; i++) {
                    uint32_t t = comp_type[r - 1][i];
                    comp_type[r - 1][i] = comp_type[r][i];
                    comp_type[r][i] = t;
                }
                swapped = true;
            }
    }
}

void
free_component_types()
{
    checked_free(comp_type);
    comp_type = nullptr;
    comp_type_tot = 0;
}

std::string
compose_component_count()
{
    char text[80];
    snprintf(text, sizeof text, "%stotal components=%d\n",
             earlyexitfield || earlyexitbasin ? "EARLY EXIT " : "",
             static_cast<int>(totbasinsinfield));
    return text;
}
