// The basin type table of a field (basin_types.h): rows grown one at a time
// with the checked allocator, each row's attractor states in one block.
// Writes m_att, m_att_period and m_basin_volume (globals.h); reads bytesL.
#include "engine/backward/basin_types.h"

#include <cstring>

#include "engine/backward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"

namespace {

// Rows 1..rows are filled; the arrays hold rows + 1 entries (row 0 unused).
uint32_t rows = 0;

} // namespace

void
start_basin_types()
{
    free_basin_types();
    m_att_period = static_cast<uint32_t *>(checked_calloc(1, sizeof *m_att_period, "m_att_period"));
    m_basin_volume = static_cast<uint32_t *>(checked_calloc(1, sizeof *m_basin_volume, "m_basin_volume"));
    m_att = static_cast<uint8_t ***>(checked_calloc(1, sizeof *m_att, "m_att***"));
}

void
add_basin_type(uint32_t period, uint32_t volume, uint8_t *const *states)
{
    if (!m_att)
        return;
    size_t t = static_cast<size_t>(rows) + 1;
    m_att_period = static_cast<uint32_t *>(
        checked_realloc(m_att_period, (t + 1) * sizeof *m_att_period, "m_att_period"));
    m_basin_volume = static_cast<uint32_t *>(
        checked_realloc(m_basin_volume, (t + 1) * sizeof *m_basin_volume, "m_basin_volume"));
    m_att = static_cast<uint8_t ***>(checked_realloc(m_att, (t + 1) * sizeof *m_att, "m_att**"));
    m_att_period[t] = period;
    m_basin_volume[t] = volume;
    m_att[t] = static_cast<uint8_t **>(checked_calloc(static_cast<size_t>(period) + 1, sizeof(uint8_t *), "m_att**"));
    if (period > 0) {
        uint8_t *block = static_cast<uint8_t *>(
            checked_calloc(static_cast<size_t>(period), bytesL, "m_att*"));
        for (uint32_t p = 1; p <= period; p++) {
            m_att[t][p] = block + static_cast<size_t>(p - 1) * bytesL;
            memcpy(m_att[t][p], states[p], bytesL);
        }
    }
    rows = static_cast<uint32_t>(t);
}

uint32_t
basin_types_recorded()
{
    return m_att ? rows : 0;
}

void
free_basin_types()
{
    if (m_att)
        for (uint32_t t = 1; t <= rows; t++) {
            if (m_att[t] && m_att_period[t] > 0)
                checked_free(m_att[t][1]);
            checked_free(m_att[t]);
        }
    checked_free(m_att);
    checked_free(m_att_period);
    checked_free(m_basin_volume);
    m_att = nullptr;
    m_att_period = nullptr;
    m_basin_volume = nullptr;
    rows = 0;
}
