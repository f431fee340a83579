// The network under study: its shape, value range, neighbourhood and rule
// kind, and the arrays that hold its rules. Every subsystem reads these
// directly; the set-up stages write them. Value lines pack entries of
// value_bits bits, entry i from stream bit i * value_bits upward (see
// value_line.h for the layout with a worked example).
#pragma once
#include <cstdint>

// Fixed limits, the same for the whole run.
constexpr uint16_t Maxu = 65535;          // largest u16; an empty wiring slot
constexpr int16_t Maxint = 32767;         // largest i16
constexpr uint32_t Maxlu = 4294967295u;   // largest u32

// Network description. All start at zero unless a value is given.
extern int8_t value_range;    // v, 2..8; 2 at start-up; set by the value-range stage
extern int8_t value_bits;     // bits per value: 1 (v=2), 2 (v=3,4), 3 (v=5..8)
extern uint16_t lineL;        // n, number of cells; changes with L and bytesL
extern uint16_t L;            // n-1, the last cell
extern uint16_t bytesL;       // bytes of a state line: ceil(n*value_bits/8)
extern uint8_t oned;          // 1 for a 1d network
extern uint8_t twod;          // 2 for a 2d lattice, else 0
extern uint8_t threed;        // 3 for a 3d lattice, else 0
extern int16_t i2d, j2d;      // 2d width and height; cell i + j*i2d
extern int16_t i3d, j3d, h3d; // 3d width, depth, height
extern uint8_t hex2d;         // 1 for a hexagonal 2d lattice
extern uint8_t nonlocal;      // 0 only for regular 1d wiring with one k
extern uint8_t whatwire;      // 0 random, 1 1d, 2 2d, 3 hand, 4 loaded, 5 hypercube, 6 3d
extern int8_t nhood;          // k; with a k-mix the largest k; 0 at start-up
extern int8_t *nhoodm;        // k of each cell (lineL bytes); neighbourhood stage
extern uint8_t nhood_lb, nhood_ub; // smallest and largest k in nhoodm
extern uint8_t nhood_mixed;   // 1 when cells may have different k
extern int8_t Maxnhood;       // largest k allowed; 13 at start-up, then by v
extern int16_t maxL_lu;       // largest n whose state numbers fit 32 bits
extern int8_t totalistic;     // rule kind: 0 rule tables, 1 tcodes, 2 kcodes
extern uint8_t tot_only;      // 1 in the forward-only totalistic mode ("-t")
extern uint8_t outer_tot;     // 1 for outer-totalistic codes
extern uint8_t rulemix;       // 1 when each cell has its own rule or code
extern uint8_t scale;         // size of a drawn cell in pixels
extern uint8_t rangeL;        // 1 while a range of sizes startL..endL is studied
extern uint16_t startL, endL; // first and last size of a range; 5 and 12
extern uint16_t rangebytesL;  // bytesL when the seed was set

// Rule tables: carule[0] serves every cell, or carule[c] each cell with
// rulemix. Allocated by the neighbourhood stage, not with tot_only.
extern uint8_t **carule;
// Z, Z-left, Z-right of the current rule; program lifetime while tot_only is 0.
extern float *zparam;
