// Shortest paths between all pairs of nodes (shortest_paths.h). Reads the
// link table of the open graph (globals.h). Start at all_pair_distances.
#include "engine/graphs/shortest_paths.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "engine/graphs/globals.h"
#include "engine/model/checked_alloc.h"

namespace {

// Whether the search may step from u to w.
bool
step_allowed(char mode, uint32_t u, uint32_t w)
{
    auto link = [](uint32_t from, uint32_t to) { return basinjumps && basinjumps[from][to] > 0; };
    return link(u, w) || (mode == paths_undirected && (w == u || link(w, u)));
}

// The nodes the search may step to from each node, ascending, held once
// for all sources: a search then costs the links it follows rather than a
// scan of the whole row of each node it reaches, which matters on the
// sparse network graphs of thousands of cells. Node numbers fit 16 bits
// (node_no is at most kMostLinkedNodes); a list holds node_no entries at
// most, so all of them together hold no more than the distance matrix.
class neighbour_lists {
public:
    explicit neighbour_lists(char mode)
    {
        const size_t entries = static_cast<size_t>(node_no) + 1;
        start_ = static_cast<size_t *>(checked_calloc(entries + 1, sizeof(size_t), "start_nodes[]"));
        for (uint32_t u = 1; u <= node_no; u++) {
            size_t count = 0;
            for (uint32_t w = 1; w <= node_no; w++)
                count += step_allowed(mode, u, w) ? 1 : 0;
            start_[u + 1] = start_[u] + count;
        }
        nodes_ = static_cast<uint16_t *>(checked_calloc(start_[entries], sizeof(uint16_t), "start_nodes[][]"));
        for (uint32_t u = 1; u <= node_no; u++) {
            size_t at = start_[u];
            for (uint32_t w = 1; w <= node_no; w++)
                if (step_allowed(mode, u, w))
                    nodes_[at++] = static_cast<uint16_t>(w);
        }
    }
    ~neighbour_lists()
    {
        checked_free(nodes_);
        checked_free(start_);
    }
    neighbour_lists(const neighbour_lists &) = delete;
    neighbour_lists &operator=(const neighbour_lists &) = delete;

    const uint16_t *begin(uint32_t u) const { return nodes_ + start_[u]; }
    const uint16_t *end(uint32_t u) const { return nodes_ + start_[u + 1]; }

private:
    size_t *start_ = nullptr;
    uint16_t *nodes_ = nullptr;
};

// A quotient with two decimals, or "n/a" when the divisor is 0.
std::string
quotient(double top, double divisor)
{
    if (divisor == 0)
        return "n/a";
    char text[40];
    snprintf(text, sizeof text, "%.2f", top / divisor);
    return text;
}

} // namespace

uint16_t **
all_pair_distances(char mode)
{
    const size_t entries = static_cast<size_t>(node_no) + 1;
    uint16_t *block = static_cast<uint16_t *>(checked_calloc(entries * entries, sizeof(uint16_t), "swdis[]"));
    uint16_t **swdis = static_cast<uint16_t **>(checked_calloc(entries, sizeof(uint16_t *), "swdis"));
    for (size_t s = 0; s < entries; s++)
        swdis[s] = block + entries * s;
    neighbour_lists next_to(mode);
    uint8_t *visited = static_cast<uint8_t *>(checked_calloc(entries, 1, "d_levels"));
    uint32_t *frontier = static_cast<uint32_t *>(checked_calloc(entries, sizeof(uint32_t), "start_nodes"));
    uint32_t *next = static_cast<uint32_t *>(checked_calloc(entries, sizeof(uint32_t), "start_nodes_temp"));
    for (uint32_t s = 1; s <= node_no; s++) {
        // The source is not marked: a walk back to it gives its own distance.
        std::fill(visited, visited + entries, 0);
        frontier[0] = s;
        uint32_t size = 1;
        for (uint32_t level = 1; level <= node_no && size > 0; level++) {
            uint32_t found = 0;
            for (uint32_t f = 0; f < size; f++) {
                for (const uint16_t *w = next_to.begin(frontier[f]); w != next_to.end(frontier[f]); w++) {
                    if (visited[*w])
                        continue;
                    visited[*w] = 1;
                    swdis[s][*w] = static_cast<uint16_t>(level);
                    next[found++] = *w;
                }
            }
            std::swap(frontier, next);
            size = found;
        }
    }
    checked_free(visited);
    checked_free(frontier);
    checked_free(next);
    return swdis;
}

void
free_distances(uint16_t **swdis)
{
    if (!swdis)
        return;
    checked_free(swdis[0]);
    checked_free(swdis);
}

path_totals
sum_distances(uint16_t *const *swdis)
{
    path_totals totals;
    for (uint32_t s = 1; s <= node_no; s++)
        for (uint32_t t = 1; t <= node_no; t++)
            if (swdis[s][t] > 0) {
                totals.finite++;
                totals.distance_sum += swdis[s][t];
            }
    return totals;
}

path_totals
shortest_path_totals(char mode)
{
    uint16_t **swdis = all_pair_distances(mode);
    path_totals totals = sum_distances(swdis);
    free_distances(swdis);
    return totals;
}

std::string
path_summary(char mode, const path_totals &totals)
{
    const uint64_t n = node_no;
    uint64_t finite = totals.finite, pairs = n * n, sum = totals.distance_sum;
    const char *format = "finite shortest paths (%llu/%llu=%s) av=%s";
    if (mode == paths_undirected) {
        // Every node's distance 1 to itself counts in no figure.
        finite -= n;
        pairs -= n;
        sum -= n;
        format = "finite distances (%llu/%llu=%s), small world distance (av)=%s";
    }
    char text[160];
    snprintf(text, sizeof text, format, static_cast<unsigned long long>(finite),
             static_cast<unsigned long long>(pairs), quotient(static_cast<double>(finite), static_cast<double>(pairs)).c_str(),
             quotient(static_cast<double>(sum), static_cast<double>(finite)).c_str());
    return text;
}
