// The probabilistic ant's walk over the open graph (globals.h), without
// drawing: from each node the ant goes on along a link chosen with the
// probability of the link's share of the node's jumps (its perturbation
// runs, or its wires in the network graph), and every arrival is counted.
// The random ant instead starts afresh after each step at a node drawn by
// the nodes' size shares. The window's walk is ui/graphs/ant_view.h.
#pragma once
#include <cstdint>

// The total of hits at which the walk stops: the counts are 32 bits.
constexpr uint32_t kMostAntHits = 4294967295u;
// The pace of the walk, in busy counts of about 10 ns each: the start,
// the largest '<' leaves, and where a doubling above it lands instead.
constexpr uint32_t kAntStartDelay = 65535;
constexpr uint32_t kAntDelayCap = 16777214;
constexpr uint32_t kAntDelayAfterCap = 16647160;
// Probabilities and size shares are counted in ten-thousandths.
constexpr uint32_t kAntScale = 10000;

struct ant_walk {
    // Per node 0..node_no: arrivals ("(hit_count"), and the share of the
    // node's size measure in m_space, in ten-thousandths.
    uint32_t *hit_count = nullptr;
    uint32_t *size_share = nullptr;
    uint32_t share_total = 0; // the sum of the size shares, at most 10000
    // The targets of the node last looked at ("target"), ascending, and
    // their probabilities in ten-thousandths ("prob_target"); target_count
    // of them.
    uint32_t *target = nullptr;
    uint32_t *prob_target = nullptr;
    uint32_t target_count = 0;
    uint32_t current = 0;   // the node the ant is at, 1..node_no
    uint32_t total = 0;     // every hit; the walk stops at kMostAntHits
    bool show_ant = true;   // the window animates each step
    bool random_ant = false;
    uint32_t delay = kAntStartDelay;
};

// Allocates the arrays for the open graph (which has links), works out the
// size shares and puts the ant at a start node with every count 0.
void open_ant_walk(ant_walk &ant);
// Frees the arrays; harmless twice.
void close_ant_walk(ant_walk &ant);

// The size share of each node: trunc(measure x 10000 / M), with the
// measure of the node size rule and M the sum of the measures of all nodes
// (m_space whenever the nodes hold the whole space, as the field, the
// attractor types and the network's wires do). Dividing by anything
// smaller (m_space - 1) lets the shares pass 10000 and leaves the last
// nodes where no draw reaches them; dividing by the nodes' own sum keeps
// them within 10000 whatever m_space holds.
void compute_size_shares(ant_walk &ant);
// A node drawn by the size shares: r = random() % share_total + 1, the
// first node at which the running sum of shares reaches r, so each node is
// drawn in the proportion of its share and what truncation leaves over
// goes to none (it would hold the random ant where it was); previous when
// every share is 0.
uint32_t draw_by_size_shares(const ant_walk &ant, uint32_t previous);
// A new start node: random() % node_no + 1, or drawn by the size shares
// for the random ant. With clear_hits every count goes back to 0.
void restart_ant(ant_walk &ant, bool clear_hits);
// 's': the random ant on or off, restarted with every count 0.
void toggle_random_ant(ant_walk &ant);

// The targets of node c: every node j (ascending) with a link c to j, with
// probability trunc(weight x 10000 / jumps), jumps = node_period[c] x
// m_size. Returns their number.
uint32_t find_ant_targets(ant_walk &ant, uint32_t c);

enum class ant_event {
    stepped,   // a hit counted at `to` (which is `from` when the draw passed
               // every target)
    stuck,     // no target and the random ant off: the ant stays at `from`
    restarted, // no target: the random ant started afresh, nothing counted
    full,      // the total of hits has reached kMostAntHits: the walk stops
};
struct ant_step {
    ant_event event;
    uint32_t from, to;
};
// One step from the current node: the targets, r = random() % 10000 + 1,
// the first target whose running sum of probabilities reaches r (the ant
// stays where the sum stays below r), its hit counted; then the random ant
// starts afresh at a node drawn by the size shares, the other goes on from
// where it arrived. A walk whose total is full counts nothing more.
ant_step step_ant(ant_walk &ant);

// '>': the delay halved, at least 1. '<': doubled; above kAntDelayCap it
// becomes kAntDelayAfterCap.
uint32_t faster_delay(uint32_t delay);
uint32_t slower_delay(uint32_t delay);
