// The byte layouts of the network files: single rules (*.rul, *.tco, *.vco),
// wiring (*.w_s), rule schemes (*.r_s, *.r_t, *.r_v), wiring with rule
// schemes (*.wrs, *.wrt, *.wrv) and seeds (*.eed). Encoding, decoding with
// the whole file checked, the shape of the block a file describes and where
// its cells go in the network; no file is opened here (ui/storage/
// network_files.cpp asks for the name, reads, refuses and places).
//
// Layouts (integers low byte first, values as value lines byte for byte):
//   single rule  v, k (| 0x80 with a k-mix), R bytes of rule, tcode or kcode
//   net files    v, k (| 0x80), n (2 bytes), i, j; then n cell records:
//                wiring k entries; rule scheme R bytes; both R then k entries
//   seed         v, n (2 bytes), i, j, the state line (bytesL bytes)
// R is the record of one rule for k = nhood (rule_bytes, or tcode_bytes /
// kcode_bytes by totalistic). i, j are the low bytes of the 2d (3d) sides,
// 0 for 1d; a 3d file's height is n div (i*j). A wiring entry is 1 byte
// when n <= 254, else 2; the unused slot Maxu is stored as 0xFF or 0xFFFF.
// A first byte of 0 or 1 is no v byte (files of v = 2 written without
// one): it is already the next field.
// Example: v = 2, n = 10, k = 3 regular ring wiring: 02 03 0A 00 00 00
// 09 00 01  00 01 02 ... 08 09 00 (36 bytes).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// File kinds (the what of load_save_wrs): 0 single rule, 1 wiring only, 2
// rule scheme only, 3 wiring and rule scheme, 's' seed.
constexpr int kSeedFile = 's';

// Bytes of one rule of k inputs in a single-rule file (by totalistic) and
// in a rule-scheme record (rule tables unless tot_only).
uint64_t single_rule_record_bytes(int k);
uint64_t scheme_record_bytes(int k);
// Entries of one rule of k inputs of the network's rule kind (by
// totalistic): a rule table, a tcode or a kcode.
uint64_t single_rule_entries(int k);
// Whether every one of the first count entries of a value line is below v,
// as a file's values must be.
bool values_below_v(const uint8_t *line, uint64_t count);
// The first of those entries that is v or more; count when none is.
uint64_t first_value_of_v(const uint8_t *line, uint64_t count);
// Clears the bits of a value line's last byte past its entries, as every
// rule a file gives must have them: they would otherwise become entries of
// a longer row (a v = 3 value of 3, a rule of more inputs) or show in its
// hex.
void clear_padding(uint8_t *line, uint64_t entries);
// The largest valid file of kind what of any v (2..8), rule kind and k up
// to that v's Maxnhood (codes alone included): n at most 65535 (its 16-bit
// field), wiring entries of 2 bytes. A single-rule file is one kind
// whatever its rule kind (*.rul, *.tco, *.vco). A larger file is refused
// before it is read; a smaller one of another v or k is read and refused
// for that.
uint64_t largest_network_file(int what);

// A block of cells a file describes: dimension and sides (1d: i = n).
struct file_block {
    int dim = 1;
    int i = 0, j = 0, h = 0;
};

// A network file whose whole layout was checked: its header fields and
// where its records start inside the caller's bytes.
struct network_file {
    int file_v = 2;        // the first byte as v; 2 when it is 0 (no v byte)
    int k = 0;             // the k byte without the mix flag: 1..Maxnhood
    bool mixed = false;    // the k byte's mix flag
    uint32_t n = 0;        // net and seed files: cells
    file_block shape;      // net and seed files: the block n, i, j describe
    const uint8_t *body = nullptr; // the rule, the first cell record or the state line
    uint64_t rule_size = 0;   // net files: bytes of a record's rule part (0 without)
    uint64_t record_size = 0; // net files: bytes of a whole cell record
    int entry_width = 1;      // net files: bytes of a wiring entry
    uint32_t unused_mark = 0; // net files: a stored unused slot
    uint64_t spare = 0;       // bytes past what the header asks: not read
    std::string fault;        // a damaged file: why, for the file error box
};

enum class network_file_check {
    sound,    // every field and value checked: the file may be placed
    wrong_v,  // a rule, scheme or seed file of another v (file_v tells which)
    damaged,  // too short, k or sides out of range, a value of v or more, a
              // wiring entry past the file's cells, a cell of no inputs (its
              // first wiring entry the unused mark)
};

// Checks the whole of a file of kind what against the network's v, rule
// kind and Maxnhood and fills file (a damaged one: its fault, as "k=9 past
// the most 7" or "cell 3 wired to cell 12, file has 10"; a net file too
// short for its header is said to have a k past the network's nhood when
// it has one); nothing else is changed.
network_file_check decode_network_file(const uint8_t *data, size_t size, int what,
                                       network_file *file);

// What the network lacks for a save.
enum class network_part_missing { none, rule, wiring, state };

// Encodes the network's part what into out: buffer is the rule or code of
// a single-rule file or the state line of a seed; the schemes come from
// the rule rows (row 0 for every cell without a mix) and the wiring table.
network_part_missing encode_network_file(int what, const uint8_t *buffer,
                                         std::vector<uint8_t> &out);

// The shape a file's n, i and j describe; false when the sides do not
// multiply to n (2d: n = i*j; 3d: n = i*j*h with h = n div (i*j)).
bool file_shape(uint32_t n, int i, int j, file_block *shape);

// The block a smaller file of n cells fills in the network's lattice (a 1d
// file as one row, a 2d one as one layer of a 3d lattice) and the
// dimension it is placed in: the network's own when the block fits, else 1.
file_block fitted_block(const file_block &shape, uint32_t n, int *dim);

// Where a block lies in the network: its dimension, sides and start.
struct file_placement {
    int dim = 1;
    int i = 0, j = 0;
    uint32_t si = 0, sj = 0, sh = 0;
};

// The network cells of file cells 0..count-1 under a placement; false when
// one falls outside the network.
bool map_file_cells(const file_placement &p, uint32_t count, std::vector<uint16_t> &map);

// Writes count cell records of a checked wiring or scheme file (what 1, 2
// or 3) into the network's cells map[0..count-1]: rule rows (entries past
// the file's k clear), wiring table, nhoodm and the mix flag, set by the
// file's flag or when a cell's k is then not nhood; recounts the
// out-degrees after a mixed wiring.
void apply_net_file(const network_file &file, int what, uint32_t count,
                    const std::vector<uint16_t> &map);

// Copies a checked single-rule file's record (single_rule_record_bytes of
// its k) to row, with the bits past its last entry clear.
void copy_single_rule(const network_file &file, uint8_t *row);

// Sets the state line from a checked seed file. A file of at most lineL
// cells is copied to the cells map[0..n-1] (the rest keep their values); a
// larger one gives its central block to a lattice it covers, else its first
// cells (map unused).
void apply_seed_file(const network_file &file, const std::vector<uint16_t> &map,
                     uint8_t *state);
