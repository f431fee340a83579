// Allocation and release of every array of the network model: rule tables,
// codes, mixes, the k-matrix, the code sweep buffers, the state lines, the
// wiring table and the Z record. Each allocation is zero-filled and fails
// through outof_memory with the array's name as its label ("carule[%d]" with
// the row index for the rows of an indexed family). A free function must run
// while the variables that sized the allocation (lineL, nhood, tot_only,
// notolearn, the count, K) still hold the values they had then. Mix
// allocations and one-cell resizes may move carule, cacode, v_code and
// wiring: reach them through the globals.
#pragma once
#include <cstddef>
#include <cstdint>

// Sizes for the current value_range (v) and value_bits (w).
uint64_t rule_entries(int k);  // v^k entries of a rule table
size_t rule_bytes(int k);      // R(k): ceil(w * v^k / 8)
uint32_t tcode_entries(int k); // k(v-1)+1
size_t tcode_bytes(int k);     // T(k)
uint32_t kcode_entries(int k); // (k+v-1)! / (k! (v-1)!)
size_t kcode_bytes(int k);     // V(k)
// The same entries for any value range v, as a file of another v holds them.
uint64_t rule_entries_for(int v, int k);
uint32_t tcode_entries_for(int v, int k);
uint32_t kcode_entries_for(int v, int k);

// carule with one row of R(k) bytes.
void allocate_mem_rule0(int k);
void free_mem_rule0();
// carule_mut, statbuf (1 byte; sizeof_statbuf 2, totstatrules 0),
// color_filter and hist_order for v^k entries.
void allocate_mem_rule0_extra(int k);
// Frees those four; sizeof_statbuf and totstatrules become 0.
void free_mem_rule0_extra();
// statbuf, color_filter and hist_order for the codes: k(v-1)+1 entries with
// rule_kind_tcodes, kcode entries + 1 with rule_kind_kcodes, k+1 otherwise.
void allocate_mem_tcode0_extra(int k);
void free_mem_tcode0_extra();
// Grows carule to lineL pointers (row 0 kept) and allocates rows 1..lineL-1.
void allocate_mem_rulemix(int k);
// Frees rows 1..lineL-1; row 0 and the pointer array stay.
void free_mem_rulemix();
// After one cell was added or removed: lineL and L already hold the new
// size, change = new size - old size. Frees the dropped rows, resizes the
// pointer array, allocates the new rows.
void reallocate_mem_rulemix(int k, int change);
// cacode and v_code with one row each.
void allocate_mem_tcode0(int k);
void free_mem_tcode0();
// Grows cacode and v_code to lineL pointers and allocates rows 1..lineL-1.
void allocate_mem_tcodemix(int k);
void free_mem_tcodemix();
void reallocate_mem_tcodemix(int k, int change);
// diffrule with count rule tables.
void allocate_mem_diffrules(int k, int count);
void free_mem_diffrules(int count);
// diffcode and v_diffcode with count codes each.
void allocate_mem_diffcodes(int k, int count);
void free_mem_diffcodes(int count);
// rule_all_0s (zero) and rule_all_1s (every byte 0xFF).
void allocate_mem_all_0s_all_1s_rules(int k);
void free_mem_all_0s_all_1s_rules();
// The k-matrix nm of K rows of v^K entries, row j holding base-v digit j of
// every index, and canal.
void allocate_mem_nhood_matrix(int K);
void free_mem_nhood_matrix(int K);
// codetickoff (2^(k+1) bits) and tempcode (k+1 bits) for k = nhood; their
// users free them with checked_free.
void allocate_code_mem();
// The state lines of lineL cells; with tot_only only up to tempState.
void allocate_mem_CA_states();
// Frees them in the same order, then learn_pre[0..notolearn-1] and learn_pre.
void free_mem_CA_states();
// The wiring table (every slot Maxu), celloutfreq and force_layer.
void allocate_mem_wiring();
// After one cell was added or removed (lineL, L already new; change in
// -127..127): new rows are zero-filled, not preset; celloutfreq follows.
void reallocate_mem_wiring(int change);
void free_mem_wiring();
// zparam: Z, Z-left, Z-right; program lifetime while tot_only is 0.
void allocate_mem_Z_parameter();
void free_mem_Z_parameter();
