// Basin and field bookkeeping (see basin_totals.h). Reads the attractor
// (forward/globals.h), the tree totals and the segment list
// (backward/globals.h); writes the basin and field totals there. Start at
// set_basin_rotation; the order of calls is the header's.
#include "engine/backward/basin_totals.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "engine/backward/acceptance.h"
#include "engine/backward/globals.h"
#include "engine/backward/state_symmetries.h"
#include "engine/backward/tree_data_lines.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/wiring/globals.h"

namespace {

// 2d rotation data: the translation classes of the cycle, and the diagonal
// order when the first state has one.
void
set_rotation_2d()
{
    rot_cycle_equiv_2d(att[1]);
    attrepseg_2d_h = repseg_2d[0];
    attrepseg_2d_v = repseg_2d[1];
    attrepseg_2d_patch = static_cast<uint16_t>(attrepseg_2d_h * attrepseg_2d_v);
    cyclematch = static_cast<int16_t>(cyclematch_2d[0] * cyclematch_2d[1]);
    int diag = cyclematch_2d_diag[0] >= 2 ? cyclematch_2d_diag[0]
               : cyclematch_2d_diag[1] >= 2 ? cyclematch_2d_diag[1] : 0;
    if (diag)
        cyclematch = static_cast<int16_t>(diag);
    basinno_2d_h = static_cast<uint32_t>(attrepseg_2d_h / cyclematch_2d[0]);
    basinno_2d_v = static_cast<uint32_t>(attrepseg_2d_v / cyclematch_2d[1]);
    basinno = basinno_2d_h * basinno_2d_v;
    if (diag)
        basinno = basinno / static_cast<uint32_t>(diag);
}

} // namespace

void
set_basin_rotation(bool compressed)
{
    if (compressed && regular2d) {
        set_rotation_2d();
    } else if (compressed) {
        cyclematch = rot_cycle_equiv(att[1]);
        attrepseg = static_cast<uint16_t>(repeating_seg(att[1]));
        basinno = static_cast<uint32_t>(attrepseg / cyclematch);
    } else {
        cyclematch = 1;
        attrepseg = 1;
        attrepseg_2d_h = attrepseg_2d_v = attrepseg_2d_patch = 1;
        basinno = 1;
    }
    if (basinfield)
        totatt_states += static_cast<uint32_t>(basinno) * attperiod;
    else
        totatt_states = attperiod;
}

void
start_basin_totals()
{
    basinsize = 0;
    maxbasinlevel = 0;
    maxbasinfan = 0;
}

void
add_segment_tree(basin_tally &tally)
{
    uint32_t m = regular2d ? static_cast<uint32_t>(seg_2d_h[segindex]) * seg_2d_v[segindex]
                           : seg[segindex];
    totsubtree += m * treesize;
    tally.segment_g += m * gofEno;
    if (maxtreefan > maxbasinfan)
        maxbasinfan = maxtreefan;
    if (maxtreelevel > maxbasinlevel)
        maxbasinlevel = maxtreelevel;
}

void
close_segment_trees()
{
    totsubtree += justonepreimage ? 2 : 1;
    treesize = 0;
    gofEno = 0;
    insegloop = 0;
}

void
add_tree_to_basin(basin_tally &tally)
{
    uint32_t m = static_cast<uint32_t>(cyclematch);
    tally.g += tally.segment_g + m * gofEno;
    tally.segment_g = 0;
    basinsize += m * treesize + totsubtree;
    if (maxtreefan > maxbasinfan)
        maxbasinfan = maxtreefan;
    if (maxtreelevel > maxbasinlevel)
        maxbasinlevel = maxtreelevel;
}

void
close_basin(const basin_tally &tally)
{
    basingofEdensity = basinsize ? static_cast<float>(tally.g) / static_cast<float>(basinsize)
                                 : 0.0f;
    if (maxbasinfan > maxfieldfan)
        maxfieldfan = maxbasinfan;
    if (basinfield)
        cycles[attperiod < 10 ? attperiod : 0] += basinno;
}

void
add_basin_to_field(const basin_tally &tally)
{
    fieldsize += static_cast<uint32_t>(basinno) * basinsize;
    fieldgofE += static_cast<uint32_t>(basinno) * tally.g;
    totbasinsinfield += basinno;
    if (fieldsize)
        fieldgofEdensity = static_cast<float>(fieldgofE) / static_cast<float>(fieldsize);
}

double
basin_share()
{
    return 100.0 * basinno * static_cast<double>(basinsize) / std::pow(double(value_range), lineL);
}

std::string
compose_basin_data_line(const basin_tally &tally, bool field)
{
    char text[200];
    const char *mark = tally.tree_skipped ? "EARLY EXIT! " : "";
    if (field)
        snprintf(text, sizeof text, "%u. %s", basintypeno, mark);
    else
        snprintf(text, sizeof text, "single basin. %s", mark);
    std::string line = text;
    line += state_hex(att[1]);
    snprintf(text, sizeof text, " %u (%lu) %lu %.3g%% %lu %.3g %u %lu\n", basinno,
             static_cast<unsigned long>(attperiod), static_cast<unsigned long>(basinsize),
             basin_share(), static_cast<unsigned long>(tally.g), basingofEdensity, maxbasinlevel,
             static_cast<unsigned long>(maxbasinfan));
    line += text;
    if (!field)
        line += "\n";
    return line;
}

float
cycle_radius(float r, uint32_t period)
{
    return r / 3 + (2 * r / 3) * (static_cast<float>(period) - 2) / static_cast<float>(period);
}

float
cycle_state_angle(uint32_t i, uint32_t period, float o)
{
    if (period == 2)
        return o + 11 * float(M_PI) / 6 - float(M_PI) * static_cast<float>(i);
    return o - 2 * float(M_PI) * static_cast<float>(i) / static_cast<float>(period);
}

std::string
format_elapsed(long s, long u)
{
    if (u < 0) {
        s--;
        u += 1000000;
    }
    char text[60];
    if (s < 60)
        snprintf(text, sizeof text, "  %.3fsec", static_cast<double>(s) + u / 1000000.0);
    else
        snprintf(text, sizeof text, "  %dmin %.3fsec", static_cast<int>(s / 60),
                 static_cast<double>(s % 60) + u / 1000000.0);
    return text;
}

bool
set_field_state_space()
{
    uint64_t states = 1;
    for (uint32_t i = 0; i < lineL; i++) {
        states *= static_cast<uint64_t>(value_range);
        if (states > UINT32_MAX)
            return false;
    }
    statespace = static_cast<uint32_t>(states - 1);
    tickspace = statespace;
    return true;
}

void
start_field_totals()
{
    earlyexitbasin = 0;
    fieldsize = 0;
    fieldgofEdensity = 0;
    maxfieldfan = 1;
    fieldgofE = 0;
    totbasinsinfield = 0;
    basintypeno = 0;
    earlyexitfield = 0;
    totatt_states = 0;
    progbar = 0;
    for (uint32_t &c : cycles)
        c = 0;
}

std::string
compose_field_counts()
{
    char text[120];
    snprintf(text, sizeof text, "%sbasin types=%u total basins=%u\n",
             earlyexitfield || earlyexitbasin ? "EARLY EXIT " : "", basintypeno, totbasinsinfield);
    return text;
}

std::string
compose_field_size_line()
{
    char text[120];
    uint64_t states = static_cast<uint64_t>(statespace) + 1;
    if (states == fieldsize)
        snprintf(text, sizeof text, "n=%d field=%lu\n", lineL, static_cast<unsigned long>(states));
    else
        snprintf(text, sizeof text, "n=%d sspace=%lu field=%lu \n", lineL,
                 static_cast<unsigned long>(states), static_cast<unsigned long>(fieldsize));
    return text;
}

std::string
compose_field_g_line()
{
    char text[120];
    snprintf(text, sizeof text, "g=%lu=%.3g \n", static_cast<unsigned long>(fieldgofE),
             fieldgofEdensity);
    return text;
}

std::string
format_elapsed_since(const timeval &start)
{
    timeval now;
    gettimeofday(&now, nullptr);
    return format_elapsed(now.tv_sec - start.tv_sec, now.tv_usec - start.tv_usec);
}
