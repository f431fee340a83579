// The basin type table of a field recorded for the attractor jump graph
// (m_att, m_att_period, m_basin_volume in globals.h): one row per basin
// type, its attractor period, its basin volume and a copy of its attractor
// states. One owner: the field starts it, the basin drawing adds a row per
// basin, the jump graph reads it, and the field frees it when it ends,
// whether the graph was built, stopped or never opened.
#pragma once
#include <cstdint>

// An empty table (any table still held is freed first).
void start_basin_types();
// Appends the next row: period, volume and the states states[1..period]
// (bytesL bytes each), copied. Does nothing when no table was started.
void add_basin_type(uint32_t period, uint32_t volume, uint8_t *const *states);
// Rows recorded since the start; 0 when no table is held.
uint32_t basin_types_recorded();
// Frees every row and the table; harmless when none is held.
void free_basin_types();
