// A rule of the loaded rule sample put into the network: by its index as the
// running pattern steps through the sample ('V', 'w', '9'), or as the
// browser's list chooses it.
#pragma once
#include <cstdint>

#include "ui/measures/run_records.h"

// The rules of the loaded sample that the network can take: totstatrules
// when statbuf holds that many records of the current k, else 0 (none
// loaded, or a sample of another k, whose records have another length).
uint32_t usable_sample_rules();
// mode 0 asks for an index (or a new sample, or scanning from an index);
// mode 1 takes index. Puts that record's rule into the network and shows
// it with its figures; returns the index used (0 when nothing changed: no
// sample loaded, or 'q'). An index outside 1..total takes record 1.
uint32_t stat_rule(int mode, uint32_t index, run_iteration *it, int x0);
// Copies record index (1..totstatrules) of statbuf into carule row 0, or
// the tcode or kcode row 0 of the totalistic mode.
void put_sample_rule(uint32_t index);
// The hex readout's kind of the sampled rules: 1 rule table, 2 tcode, 3
// kcode.
int sample_hex_kind();
