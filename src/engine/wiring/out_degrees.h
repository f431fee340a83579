// Out-degrees of the wiring table: how often each cell is an input, with the
// network totals of wires, self-links and two-way links.
#pragma once

// Recounts celloutfreq, tot_wires, tot_self_links and, up to 2500 cells,
// tot_bi_links (bi_links_counted says whether it did). Slots holding Maxu or
// a cell number of n or more count as wires but in no out-degree.
void cell_out_freq();
// Recounts tot_bi_links: unordered pairs of distinct cells each of which is
// an input of the other. Needs n*n bytes ("bi_link" on failure).
void check_bi_links();
