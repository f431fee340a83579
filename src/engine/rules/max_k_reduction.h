// Shrinking the largest k of a mixed-k network to the largest k a cell
// actually uses, with the per-cell arrays that are sized by it.
#pragma once

// For a k-mix (nhood_mixed) whose cells use at most k_new < nhood inputs:
// every wiring row shrinks to k_new slots; rule-table rows keep their size
// (it holds the smaller table); with tot_only the tcode or kcode rows shrink
// to the size of a code of k_new inputs; nhood and nhood_ub become k_new,
// the rule extras and the value-count trie are made again for it and the
// out-degrees recounted. nhood_lb and nhood_mixed stay. Any value range.
void reduce_max_k();
