// Network files (network_files.h): the five kinds read and written by
// load_save_wrs, and locate_small_net, which places a smaller network's
// file inside the network. The byte layouts, the whole-file checks and the
// writing of a checked file into the network are engine/storage/
// network_file_codec.cpp; this file chooses and reads the file, refuses
// what does not fit this network (the fit tests need the network's set-up
// stage, rules_set) and asks where a smaller block goes. A single-rule
// load of another k rebuilds the network through the model's allocators
// and the wire-up of wiring/. Start reading at load_wrs_file: nothing in
// the network changes before the whole file was checked; a bad file is
// refused with 255 and 'q' in is[0].
#include "ui/screen/question_table.h"
#include "ui/storage/network_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_count_trie.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring/wire_up.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"

namespace {

constexpr uint8_t kRefused = 255;
constexpr int kNotLoaded = -1;      // what the loaders below give a refusal
constexpr int kPlacementSlot = 6;   // prompt slot saved under the placement box

// Asks (or takes the default) where the block goes.
file_placement
place(int dim, uint32_t n, const file_block &b)
{
    uint16_t start[3] = {0, 0, 0};
    file_placement p;
    p.dim = dim;
    if (dim == 3) {
        locate_small_net(3, start, static_cast<int>(n), b.i, b.j, b.h);
        p.i = b.i;
        p.j = b.j;
    } else if (dim == 2) {
        locate_small_net(2, start, static_cast<int>(n), b.i, b.j, 0);
        p.i = b.i;
        p.j = b.j;
    } else {
        locate_small_net(1, start, static_cast<int>(n), static_cast<int>(n), 0, 0);
        p.i = static_cast<int>(n);
    }
    p.si = start[0];
    p.sj = start[1];
    p.sh = start[2];
    return p;
}

// ---- reading ---------------------------------------------------------------

int
refuse(const char *text, refusal_place where = refusal_place::box_erased)
{
    show_refusal(text, where);
    return kNotLoaded;
}

// The file error box with why the file was refused.
int
refuse_file_for(const char *name, const std::string &reason)
{
    refuse_file(name, reason);
    return kNotLoaded;
}

// A placement whose cells run out of the network (a start no fit test let
// through).
constexpr const char *kOutOfNetwork = "its cells run out of the network from that start";

// d with n = 2^d (the hypercube's dimension).
int
cube_dimension(uint32_t n)
{
    int d = 0;
    while ((uint32_t(1) << d) < n)
        d++;
    return d;
}

// Whether the network's wiring kind can wire k inputs per cell.
bool
wiring_takes_k(int k)
{
    if (loc_twod_fonly || whatwire != whatwire_hypercube)
        return true;
    int d = cube_dimension(lineL);
    return k == d || k == d + 1;
}

// The registered wire-up of the whole network (set_network_rewire).
void (*network_rewire)(int show) = nullptr;

// Rebuilds everything sized by k for a single rule of another k, and wires
// the network once for its wiring kind.
void
rebuild_for_k(int k)
{
    bool trie_built = v_tablecodemax != nullptr;
    bool code_extra = tot_only && statbuf != nullptr;
    checked_free(nhoodm);
    nhoodm = nullptr;
    if (!loc_twod_fonly)
        free_mem_wiring();
    if (!tot_only) {
        free_mem_all_0s_all_1s_rules();
        free_mem_rule0();
        free_mem_rule0_extra();
    }
    if (code_extra)
        free_mem_tcode0_extra();
    free_mem_tcode0();
    free_v_code_arrays();

    nhood = static_cast<int8_t>(k);
    nhood_lb = nhood_ub = static_cast<uint8_t>(k);
    nhoodm = static_cast<int8_t *>(checked_calloc(lineL, 1, "nhoodm"));
    memset(nhoodm, k, lineL);
    if (!tot_only) {
        allocate_mem_rule0(k);
        allocate_mem_rule0_extra(k);
        allocate_mem_all_0s_all_1s_rules(k);
    }
    if (trie_built) {
        begin_wait_notice();
        set_up_v_code();
        end_wait_notice();
    }
    allocate_mem_tcode0(k);
    if (code_extra)
        allocate_mem_tcode0_extra(k);
    if (loc_twod_fonly)
        return;
    allocate_mem_wiring();
    // A complete wiring stands should the wire-up be backed out.
    for (uint32_t c = 0; c < lineL; c++)
        oneD_local_wire_cell(static_cast<uint16_t>(c), L);
    if (network_rewire == nullptr)
        return;
    network_rewire(1);
    if (is[0] == 'q')
        is[0] = kKeyReturn;
}

// A checked single-rule file: its rule goes to the caller's buffer (a mix,
// or outer-totalistic kcodes) or to row 0 of the rule kind. The caller's
// buffer holds a rule of the network's k: a rule of another k is never
// copied to it (after a rebuild the returned k tells the caller the size).
int
load_single_rule(const network_file &file, uint8_t *buffer)
{
    int k = file.k;
    bool into_buffer = rulemix || (tot_only && outer_tot);
    if (k != nhood) {
        // The caller decides what a rule of another k means; the network
        // changes k only while it is set up with one k and no mix. A
        // smaller rule fits the caller's buffer (sized for nhood): the cell
        // of a k-mix with that k takes it.
        if (rulemix || secondpart || nhood_mixed) {
            if (into_buffer && buffer && k < nhood)
                copy_single_rule(file, buffer);
            return static_cast<uint8_t>(k);
        }
        if (!wiring_takes_k(k)) {
            char text[200];
            snprintf(text, sizeof text,
                     "hypercube wiring takes k=%d or %d, file k=%d, cant load, cont-ret:",
                     cube_dimension(lineL), cube_dimension(lineL) + 1, k);
            return refuse(text);
        }
        rebuild_for_k(k);
        if (into_buffer)
            return static_cast<uint8_t>(k);
    }
    uint8_t *row;
    if (into_buffer)
        row = buffer;
    else if (totalistic == rule_kind_tcodes)
        row = cacode[0];
    else if (totalistic == rule_kind_kcodes)
        row = v_code[0];
    else
        row = carule[0];
    if (row)
        copy_single_rule(file, row);
    return static_cast<uint8_t>(k);
}

// A checked wiring or scheme file: refused unless it fits this network,
// then placed (asking where a smaller block goes) and applied.
int
load_net_file(const char *name, const network_file &file, int what)
{
    bool has_rules = what == 2 || what == 3, has_wiring = what == 1 || what == 3;
    if ((has_rules && !rulemix) || (has_wiring && !wiring))
        return refuse(has_wiring && !wiring ? "no wiring table, cant load, cont-ret:"
                                            : "no rulemix to load into, cant load, cont-ret:");

    // The fit tests; the last failing one is what the user reads.
    uint32_t n = file.n;
    int k = file.k;
    char text[200];
    text[0] = 0;
    if (has_wiring && n > lineL)
        snprintf(text, sizeof text, "file netsize (%u) > netsize (%d), cant load, cont-ret:", n,
                 lineL);
    int dim = 1;
    file_block b = fitted_block(file.shape, n, &dim);
    uint32_t count = has_wiring ? n : (n < lineL ? n : lineL);
    if (has_wiring && !threed && twod && b.dim >= 2) {
        if (b.i > i2d)
            snprintf(text, sizeof text, "2d net width %d < %d, cont-ret:", i2d, b.i);
        else if (b.j > j2d)
            snprintf(text, sizeof text, "2d net height %d < %d, cont-ret:", j2d, b.j);
    } else if (has_wiring && threed && b.dim >= 2) {
        if (b.i > i3d)
            snprintf(text, sizeof text, "3d net width %d < %d, cont-ret:", i3d, b.i);
        else if (b.j > j3d)
            snprintf(text, sizeof text, "3d net height %d < %d, cont-ret:", j3d, b.j);
        else if (b.h > h3d)
            snprintf(text, sizeof text, "3d net depth %d < %d, cont-ret:", h3d, b.h);
    }
    if (k > nhood)
        snprintf(text, sizeof text,
                 "base net k (%d) smaller than file k (%d), cant load, cont-ret:", nhood, k);
    if (rules_set && !rulemix && (file.mixed || k != nhood))
        snprintf(text, sizeof text,
                 "base net has no rulemix, file has mixed-k, cant load, cont-ret:");
    if (text[0])
        return refuse(text);

    std::vector<uint16_t> map;
    if (!map_file_cells(place(dim, count, b), count, map))
        return refuse_file_for(name, kOutOfNetwork);
    // Accepted: from here the network changes.
    apply_net_file(file, what, count, map);
    return static_cast<uint8_t>(k);
}

// A checked seed file: a smaller one is placed (asking where), a larger
// one cut to the network.
int
load_seed(const char *name, const network_file &file, uint8_t *state)
{
    if (!state)
        return refuse("no state to load into, cant load, cont-ret:");
    std::vector<uint16_t> map;
    if (file.n <= lineL) {
        int dim = 1;
        file_block b = fitted_block(file.shape, file.n, &dim);
        if (!map_file_cells(place(dim, file.n, b), file.n, map))
            return refuse_file_for(name, kOutOfNetwork);
    }
    apply_seed_file(file, map, state);
    return static_cast<uint8_t>(file.n & 0xFF);
}

// A file loaded without the bytes past what its header asks: the user is
// told how many, as they may be the rest of a file of another kind.
void
tell_spare_bytes(const char *name, uint64_t spare, int what)
{
    const char *part = what == 0 ? "rule" : what == kSeedFile ? "state" : "cells";
    std::string text = formatted("%s: %s spare past its %s left out, cont-ret:", name,
                                 byte_count(spare).c_str(), part);
    show_refusal(text.c_str(), refusal_place::box_erased);
}

// ---- writing ---------------------------------------------------------------

// A save refused for a missing part: the reason in a box erased after its
// key, 'q' in is[0], and 0 for the caller to return.
uint8_t
save_failed(const char *text)
{
    show_refusal(text, refusal_place::box_erased);
    is[0] = 'q';
    return 0;
}

} // namespace

uint8_t
save_wrs_file(const char *name, const uint8_t *buffer, int what)
{
    std::vector<uint8_t> out;
    switch (encode_network_file(what, buffer, out)) {
    case network_part_missing::state:
        return save_failed("no state to save, cont-ret:");
    case network_part_missing::rule:
        return save_failed("no rule to save, cont-ret:");
    case network_part_missing::wiring:
        return save_failed("no wiring table to save, cont-ret:");
    case network_part_missing::none:
        break;
    }
    if (!write_or_refuse(name, out.data(), out.size()))
        return 0;
    return 's';
}

uint8_t
load_wrs_file(const char *name, uint8_t *buffer, int what)
{
    std::vector<uint8_t> data;
    if (!read_file(name, data, static_cast<size_t>(largest_network_file(what)))) {
        refuse_file(name);
        return 0;
    }
    network_file file;
    network_file_check check = decode_network_file(data.data(), data.size(), what, &file);
    int result;
    if (check == network_file_check::wrong_v) {
        char text[200];
        snprintf(text, sizeof text,
                 "v-range (%d) not equal to file v-range(%d), cant load, cont-ret:", value_range,
                 file.file_v);
        result = refuse(text, refusal_place::box_kept);
    } else if (check == network_file_check::damaged) {
        result = refuse_file_for(name, file.fault);
    } else if (what == 0) {
        result = load_single_rule(file, buffer);
    } else if (what == kSeedFile) {
        result = load_seed(name, file, buffer);
    } else {
        result = load_net_file(name, file, what);
    }
    // 'q' in is[0] tells a refusal from a seed of 255 cells, and only a
    // refusal has it.
    if (result == kNotLoaded) {
        is[0] = 'q';
        return kRefused;
    }
    if (file.spare > 0)
        tell_spare_bytes(name, file.spare, what);
    if (is[0] == 'q')
        is[0] = kKeyReturn;
    return static_cast<uint8_t>(result);
}

uint8_t
load_save_wrs(int mode, uint8_t *buffer, int what)
{
    file_dim = 0;
    file_i = file_j = file_h = 0;
    file_starti = file_startj = file_starth = 0;
    int16_t x = getx, y = gety;
    setviewport(0, 0, Maxx, Maxy, 1);
    const char *action = mode == 'l' ? "LOAD " : "SAVE ";
    const char letters[3] = {'s', 't', 'v'};
    char letter = letters[totalistic >= 0 && totalistic <= 2 ? totalistic : 0];
    std::string pattern;
    const char *label = nullptr, *base = nullptr;
    switch (what) {
    case 0:
        label = totalistic == rule_kind_tcodes   ? "SINGLE T-CODE"
                : totalistic == rule_kind_kcodes ? "SINGLE K-CODE"
                                                 : "SINGLE RULE";
        pattern = totalistic == rule_kind_tcodes   ? "*.tco"
                  : totalistic == rule_kind_kcodes ? "*.vco"
                                                   : "*.rul";
        base = totalistic == rule_kind_tcodes   ? "mytco_v%d"
               : totalistic == rule_kind_kcodes ? "myvco_v%d"
                                                : "myrul_v%d";
        break;
    case 1:
        label = "WIRING ONLY";
        pattern = "*.w_s";
        base = "mywso";
        break;
    case 2:
        label = "RULE SCHEME ONLY";
        pattern = std::string("*.r_") + letter;
        base = "myrso_v%d";
        break;
    case 3:
        label = "WIRING+RULE SCHEME";
        pattern = std::string("*.wr") + letter;
        base = "mywrs_v%d";
        break;
    case kSeedFile:
        label = "SEED";
        pattern = "*.eed";
        base = "mysee_v%d";
        break;
    default:
        is[0] = 'q';
        return 0;
    }
    if (select_filename(action, label, pattern.c_str(), base) == 'q') {
        moveto(x, y);
        is[0] = 'q';
        return 0;
    }
    uint8_t result = mode == 'l' ? load_wrs_file(filename, buffer, what)
                                 : save_wrs_file(filename, buffer, what);
    moveto(x, y);
    return result;
}

namespace {

// One start coordinate: Return keeps the default, 'r' draws one, a number
// within 0..maximum is taken, anything else keeps the default.
int
read_start(int chars, int fallback, int maximum)
{
    int len = input_string(chars, text_entry);
    if (len == 0 && is[0] == kKeyReturn)
        return fallback;
    if (is[0] == 'r')
        return maximum > 0 ? static_cast<int>(random() % maximum) : 0;
    return static_cast<int>(entry_held(fallback, {0, static_cast<double>(maximum)}, true));
}

} // namespace

void
locate_small_net(int dimension, uint16_t *out, int n, int i, int j, int h)
{
    int def[3] = {0, 0, 0}, most[3] = {0, 0, 0};
    if (dimension == 1) {
        def[0] = (lineL - n) / 2;
        most[0] = lineL - n;
    } else if (dimension == 2) {
        def[0] = (i2d - i) / 2;
        def[1] = (j2d - j) / 2;
        most[0] = i2d - i;
        most[1] = j2d - j;
    } else {
        def[0] = (i3d - i) / 2;
        def[1] = (j3d - j) / 2;
        def[2] = (h3d - h) / 2;
        most[0] = i3d - i;
        most[1] = j3d - j;
        most[2] = h3d - h;
    }
    int start[3] = {def[0], def[1], def[2]};
    if (lineL > n && mouse_found) {
        int16_t x = getx, y = gety;
        get_prompt_box(kPlacementSlot, 2);
        int margin = draw_prompt_box(2);
        char text[200];
        if (dimension == 1)
            snprintf(text, sizeof text, "1d: array size=%d, file size=%d, enter start pos", lineL, n);
        else if (dimension == 2)
            snprintf(text, sizeof text, "2d:i,j=%d,%d, file:i,j=%d,%d, enter start coords", i2d,
                     j2d, i, j);
        else
            snprintf(text, sizeof text, "3d:i,j,h=%d,%d,%d file:i,j,h=%d,%d,%d enter start coords",
                     i3d, j3d, h3d, i, j, h);
        outtext(text);
        moveto(margin, gety + CHeight);
        if (dimension == 1)
            snprintf(text, sizeof text, "(def %d, max %d, rand-r):", def[0], most[0]);
        else if (dimension == 2)
            snprintf(text, sizeof text, "(default %d,%d, max %d,%d, rand-r) i:", def[0], def[1],
                     most[0], most[1]);
        else
            snprintf(text, sizeof text, "(def %d,%d,%d, max %d,%d,%d, rand-r) i:", def[0], def[1],
                     def[2], most[0], most[1], most[2]);
        outtext(text);
        start[0] = read_start(dimension == 1 ? digits_of(most[0]) : 3, def[0], most[0]);
        if (dimension >= 2) {
            outtext(" j:");
            start[1] = read_start(3, def[1], most[1]);
        }
        if (dimension == 3) {
            outtext(" h:");
            start[2] = read_start(3, def[2], most[2]);
        }
        setviewport(0, 0, Maxx, Maxy, 1);
        putimage(Maxx / 2, 2, &boximage_prompt[kPlacementSlot], 3);
        freeimage(&boximage_prompt[kPlacementSlot]);
        moveto(x, y);
    }
    for (int a = 0; a < 3; a++)
        out[a] = static_cast<uint16_t>(a < dimension ? start[a] : 0);
    file_dim = static_cast<uint8_t>(dimension);
    file_i = static_cast<int16_t>(i);
    file_j = static_cast<int16_t>(j);
    file_h = static_cast<int16_t>(h);
    file_starti = out[0];
    file_startj = out[1];
    file_starth = out[2];
}

void
set_network_rewire(void (*rewire)(int show))
{
    network_rewire = rewire;
}
