// Canalyzing inputs of rule tables: forcing one, moving one cell's count
// towards a target, and moving a rule mix towards a share of canalyzing
// genes or inputs. Input j is canalyzing when some value u of it fixes the
// output w; forcing (j, u, w) gives every entry whose digit j is u the
// output w. The dialogs are ui/rule_dialogs/canalyzing_dialogs.h.
#pragma once
#include <cstdint>
#include <vector>

// count_canalyzing (canal, canaltotal), then the value w0: the output of
// the lowest entry whose input k-1 holds the last value tested for it (its
// canalized output when input k-1 canalyzes, else entry (v-1)v^(k-1)).
int canalyzing_w0(int k, const uint8_t *table);

// Forces (j, u, w) over the v^k entries of table.
void force_canalyzing(int k, uint8_t *table, int j, int u, int w);

// Moves the count of canalyzing inputs of a table of k inputs towards t by
// random changes, at most 101 tries (from try 21 on the table is drawn
// afresh first). canal and canaltotal describe the table on return.
void raise_canalyzing_inputs(int k, uint8_t *table, int t);
void lower_canalyzing_inputs(int k, uint8_t *table, int t);

// The whole network: every cell's table (the one table without a rule mix)
// with its own k is moved up towards t canalyzing inputs as
// raise_canalyzing_inputs does; a cell whose inputs all canalyze is left.
void raise_canalyzing_whole_net(int t);

// Colour class of a cell with c canalyzing inputs of k: 0..9 in the count
// scheme, 0..5 in the ratio scheme (see canal_count_scheme).
int set_canal_color(int chosen_k, int c, int k);
// True when set_canal_color uses the ten count classes.
bool canal_count_scheme(int chosen_k);

// The cells a canalyzing run considers: every cell (chosen_k 0) or those of
// k chosen_k, with their count of canalyzing inputs and of genes.
struct canal_census {
    int chosen_k = 0;
    std::vector<uint16_t> cells;  // considered cells, ascending
    uint64_t inputs = 0;          // sum of their k
    uint64_t canal_inputs = 0;    // canalyzing inputs among them
    int genes = 0;                // cells with at least one
    int classes[10] = {};         // cells per colour class
};
// Fills the census and iscanal (the genes marked), cinputfreq.
void take_canal_census(canal_census &census);

// Genes run: changes cells of the census until |changes| cells have become
// genes (increase) or stopped being genes, at most as many tries as cells
// considered. keep0 1 keeps entry 0 at 0 in re-drawn tables. A cell whose
// table no redraw makes free of canalyzing inputs is passed over as it was.
// Returns the number of cells changed.
long change_canalyzing_genes(canal_census &census, bool increase, long changes, int keep0);
// Inputs run towards target (a fraction of the inputs considered), at most
// changes changes; progress() is called every (n/300)+25 iterations. Cells
// of k = 1 are never candidates for a decrease; the run ends when no
// candidate qualifies or after n * (largest k) iterations.
void change_canalyzing_inputs(canal_census &census, bool increase, double target, long changes,
                              void (*progress)());
