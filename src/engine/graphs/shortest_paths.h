// Shortest paths between all pairs of nodes of the open graph: breadth-first
// from every source over the links (a link i to j exists when
// basinjumps[i][j] is above 0), directed or along links either way, the
// matrix of distances, and the summary of the share of finite paths and
// their mean length (the "small world distance").
#pragma once
#include <cstdint>
#include <string>

// The two kinds of path, as the graph window's keys name them.
constexpr char paths_directed = 'p';   // along links only
constexpr char paths_undirected = 'd'; // along links either way; every node 1 from itself

// The distances of the open graph: node_no+1 row pointers into one block
// of (node_no+1)^2 16-bit distances, [s][t] the number of links on a
// shortest path from s to t, 0 for none. A node reaches itself only
// through a cycle ('p', 1 for a self-link), or at distance 1 ('d').
// node_no is at most kMostLinkedNodes, so a distance fits 16 bits and the
// block, sized in 64 bits, holds 32 MiB at most.
// Labelled "swdis" and "swdis[]"; free with free_distances.
uint16_t **all_pair_distances(char mode);
void free_distances(uint16_t **swdis);

// The totals over the pairs s, t of 1..node_no: how many have a distance
// (F) and the sum of those distances (D).
struct path_totals {
    uint64_t finite = 0;
    uint64_t distance_sum = 0;
};
path_totals sum_distances(uint16_t *const *swdis);
// The distances computed, summed and freed.
path_totals shortest_path_totals(char mode);

// The summary line: 'p' "finite shortest paths (F/N=share) av=D/F" with N
// = node_no^2; 'd' "finite distances (F'/N'=share), small world distance
// (av)=D'/F'" with the node_no self-distances taken out of every figure
// (F' = F - node_no, N' = node_no^2 - node_no, D' = D - node_no). A share
// or mean whose divisor is 0 (no pairs, no paths) shows as "n/a".
std::string path_summary(char mode, const path_totals &totals);
