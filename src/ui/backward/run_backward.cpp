// The node loop of the tree builder. Owns the level lists for one call
// (tree_levels.h) and the work of the build (tree_work: the local method's
// arrays and rotated copies of a node), released whatever the way out; the
// build's counters start afresh from reset_backward_tree. Calls the engine's
// pre-image methods (engine/backward: preimages_local.h, preimages_general.h,
// successor_table.h), the acceptance step's segment list (acceptance.h), the
// stop prompt (stop_prompts.h) and the fan drawing (fan_drawing.h). Reads the
// attractor (forward/globals.h), the run settings (backward/globals.h) and
// the network model. Start at run_backward, then expand_node: one node,
// phase by phase.
#include "ui/backward/run_backward.h"

#include <cstdio>
#include <cstring>

#include "engine/backward/acceptance.h"
#include "engine/backward/globals.h"
#include "engine/backward/preimages_general.h"
#include "engine/backward/preimages_local.h"
#include "engine/backward/state_rotation.h"
#include "engine/backward/state_symmetries.h"
#include "engine/backward/successor_table.h"
#include "engine/backward/tree_levels.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"
#include "ui/backward/fan_drawing.h"
#include "ui/backward/stop_prompts.h"
#include "ui/model/cell_display.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"

namespace {

// The work of one tree build: whether the local method's arrays were
// allocated, and two rotated copies of a node while it is placed. Made by
// start_tree, released by release_tree_work whatever the way out.
struct tree_work {
    bool local_arrays = false;
    uint8_t *s = nullptr, *t = nullptr;
};

// How the expansion of a node ends the build, or not.
enum class tree_end {
    going_on,    // the next node follows
    stopped,     // 'q' or 'n' from the user
    abandoned,   // the lists are full or too many partial pre-images
    segment_fan, // the root's fan is a segment fan: the caller builds segment trees
    done,        // every node is expanded, or the level limit is reached
};

void
mark(const uint8_t *s)
{
    if (!basinfield || !tickoff)
        return;
    uint32_t x = dec_equiv(s, L);
    if (x <= tickspace)
        set_bitlong(tickoff, x, 1);
}

// Step 4: every state the node in A stands for is marked in tickoff.
void
place_node(const tree_work &work, bool compressed)
{
    if (!compressed) {
        mark(A);
        progbar++;
        return;
    }
    if (!insegloop && attperiod == 0)
        return; // a subtree node is shown only
    uint8_t *s = work.s, *t = work.t;
    memcpy(s, A, bytesL);
    if (!regular2d) {
        if (!insegloop) {
            for (int m = 0; m < cyclematch; m++) {
                rotate_array(0, s, 'l', 0, static_cast<int>(basinno), 0, 0);
                mark(s);
                memcpy(t, s, bytesL);
                for (uint32_t b = 1; b < basinno; b++) {
                    rotate_array(0, t, 'l', 0, 1, 0, 0);
                    mark(t);
                    progbar++;
                }
                progbar++;
            }
        } else {
            for (uint32_t i = 0; i < seg[segindex]; i++) {
                rotate_array(0, s, 'l', 0, 1, 0, 0);
                mark(s);
                progbar++;
            }
        }
        return;
    }
    // 2d: "left" is one column on, "up" one row on.
    uint32_t W = static_cast<uint32_t>(i2d), H = static_cast<uint32_t>(j2d);
    if (insegloop) {
        // Each column shift starts from the unshifted rows: the kept periods
        // are those of torus_periods, whose row period may be below the
        // lattice's when the state has a diagonal symmetry.
        visit_translations_2d(s, seg_2d_h[segindex], seg_2d_v[segindex], [](const uint8_t *u) {
            mark(u);
            progbar++;
        });
        return;
    }
    int diag = cyclematch_2d_diag[0] >= 2 ? cyclematch_2d_diag[0] : cyclematch_2d_diag[1];
    if (diag < 2) {
        for (int cp = 0; cp < cyclematch_2d[0]; cp++) {
            for (int rp = 0; rp < cyclematch_2d[1]; rp++) {
                mark(s);
                memcpy(t, s, bytesL);
                for (uint32_t h = 1; h <= basinno_2d_h; h++) {
                    for (uint32_t w = 1; w <= basinno_2d_v; w++) {
                        if (h == 1 && w == 1)
                            continue;
                        rotate_array_2d(t, 'u', 1);
                        mark(t);
                        progbar++;
                    }
                    rotate_array_2d(t, 'l', 1);
                }
                progbar++;
                rotate_array_2d(s, 'u', static_cast<int>(basinno_2d_v % H));
            }
            rotate_array_2d(s, 'l', static_cast<int>(basinno_2d_h % W));
        }
        return;
    }
    uint32_t right = cyclematch_2d_diag[0] >= 2 ? W - 1 : 1;
    for (uint32_t b = 0; b < basinno; b++) {
        for (int d = 0; d < diag; d++) {
            mark(s);
            progbar++;
            rotate_array_2d(s, 'l', static_cast<int>(right));
            rotate_array_2d(s, 'u', 1);
        }
        rotate_array_2d(s, 'l', 1);
    }
}

// Step 5: how many states the node stands for.
uint32_t
node_weight(bool compressed)
{
    if (!compressed)
        return 1;
    if (insegloop)
        return regular2d ? static_cast<uint32_t>(seg_2d_h[segindex]) * seg_2d_v[segindex] : seg[segindex];
    if (direction == direction_forward)
        return static_cast<uint32_t>(cyclematch) * (basinfield ? basinno : 1u);
    return 1;
}

bool
uniform(const uint8_t *s)
{
    int first = get_value(s, 0);
    for (uint32_t c = 1; c < lineL; c++)
        if (get_value(s, c) != first)
            return false;
    return true;
}

void
release_tree_work(tree_work &work)
{
    free_level_lists();
    if (work.local_arrays)
        free_local_arrays();
    work.local_arrays = false;
    checked_free(work.s);
    checked_free(work.t);
    work.s = work.t = nullptr;
}

void
abandon_message()
{
    char text[150];
    if (abort_subtree == abort_subtree_too_many_partial)
        snprintf(text, sizeof text, "\n too many partial pre-images, subtree level %d, abort-ret", level);
    else
        snprintf(text, sizeof text, "\n nextindex=%lu, too many pre-images subtree level %d, abort-ret",
                 static_cast<unsigned long>(nextindex), level);
    if (mouse_found) {
        int16_t x = getx, y = gety;
        draw_prompt_box(1);
        outtext(text + 2);
        input_string(1, 0);
        erase_prompt_box(1);
        moveto(x, y);
    } else {
        fprintf(stderr, "%s\n", text);
    }
}

} // namespace

void
pre_images_of_A()
{
    if (exhaustive_testing)
        pre_exhaustive();
    else if (neutral_order == 1)
        pre_neutral();
    else if (!nonlocal && !nhood_mixed)
        pre_images_local();
    else
        pre_images_rand();
}

namespace {

// The counters and work of a new tree; false when the level lists could not
// be started.
bool
start_tree(tree_work &work)
{
    reset_backward_tree();
    if (is)
        is[0] = 0;
    if (startsegfan == 1)
        level = justonepreimage == 1 ? 2 : 1;
    if (!exhaustive_testing && !nonlocal) {
        allocate_local_arrays();
        work.local_arrays = true;
    }
    work.s = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "run backwards arrays"));
    work.t = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "run backwards arrays"));
    return start_level_lists();
}

// Steps 1 and 2: the node into A, printed when patterns are shown.
void
take_node(bool first_pass)
{
    nextbefore = nextindex;
    memcpy(A, first_pass ? firstseed : current_level()[thisindex], bytesL);
    if (stp && mouse_found) {
        end_page(scale);
        print_current_state(A, white);
    }
}

// Step 3: the node's cells of the majority value, -1 when not counted.
int32_t
majority_count()
{
    if (value_range != 2 || show_maj == show_maj_off)
        return -1;
    int32_t majority = 0;
    for (uint32_t c = 0; c < lineL; c++)
        majority += get_value(A, c) == (show_maj ? 1 : 0);
    return majority;
}

// The counters of a tree the user stopped, with the key left in is[0].
void
stop_tree(char key)
{
    treesize = precount + 1;
    precount = pretested = nextindex = thisindex = 0;
    is[0] = key;
}

// Step 8: a 'q' between nodes asks whether to stop; true when stopped.
bool
stopped_at_poll()
{
    if (!(mouse_found && event_ready() && is[0] == 'q'))
        return false;
    int key = ask_stop_key(1);
    if (key != 'q' && key != 'n')
        return false;
    earlyexit = 1;
    stop_tree(static_cast<char>(key));
    return true;
}

// Steps 9 to 12: the node's pre-images, unless the build is abandoned or
// stopped by the user.
tree_end
find_fan()
{
    if (is)
        is[0] = 0;
    if (!insegloop)
        clear_segment_list();
    pre_images_of_A();
    if (abort_subtree) {
        abandon_message();
        is[0] = 'q';
        return tree_end::abandoned;
    }
    if (is && (is[0] == 'q' || is[0] == 'n')) {
        if (direction == direction_backward)
            segfan = 0;
        stop_tree(is[0]);
        return tree_end::stopped;
    }
    return tree_end::going_on;
}

// Step 13: a segment fan of one segment of one state is an ordinary fan;
// false (and an ordinary fan from then on) when it is.
bool
keep_segment_fan()
{
    if (justonepreimage_found || segno != 1 ||
        !(regular2d ? seg_2d_h[1] == 1 && seg_2d_v[1] == 1 : seg[1] == 1))
        return true;
    seg[1] = seg_2d_h[1] = seg_2d_v[1] = 0;
    clear_segment_list();
    justonepreimage_found = 1;
    justonepreimage = 1;
    segfan = 0;
    return false;
}

// Steps 14 to 17: the fan's totals, the largest fans and the in-degree
// histogram.
void
count_fan(bool segment_fan, uint32_t weight, int32_t majority)
{
    fansize = nextindex - nextbefore;
    bool basin_root = level == 0 && direction == direction_forward;
    if (segment_fan) {
        totalsegfan = 0;
        for (uint32_t i = 1; i <= segno; i++)
            totalsegfan += regular2d ? static_cast<uint32_t>(seg_2d_h[i]) * seg_2d_v[i] : seg[i];
        if (totalsegfan > maxtreefan)
            maxtreefan = totalsegfan;
        if (level == 0)
            maxtreefan++;
    }
    if (pre_fansize_freq_hist && pre_fan_freq) {
        if (!segment_fan) {
            uint64_t i = fansize >= maxinhist ? maxinhist : fansize + (basin_root ? 1u : 0u);
            pre_fan_freq[i > maxinhist ? maxinhist : i] += weight;
        } else {
            uint64_t i = justonepreimage == 1 ? totalsegfan : uint64_t(totalsegfan) + 1;
            pre_fan_freq[i > maxinhist ? maxinhist : i] += 1;
        }
        if (majority >= 0 && static_cast<uint32_t>(majority) > lineL / 2u)
            isexception = static_cast<int16_t>(isexception + weight);
    }
    if (fansize > maxtreefan)
        maxtreefan = fansize + (basin_root ? 1 : 0);
    if (basin_root && fansize == 0 && maxtreefan == 0)
        maxtreefan = 1;
    if (fansize > tree_max_fan)
        tree_max_fan = fansize + (basin_root ? 1 : 0);
}

// Step 19: the positions of a segment fan's nodes, kept for the segment
// trees the caller builds.
void
keep_segment_positions()
{
    checked_free(segx);
    checked_free(segy);
    segx = static_cast<int16_t *>(checked_calloc(segno + 1, sizeof(int16_t), "xseg"));
    segy = static_cast<int16_t *>(checked_calloc(segno + 1, sizeof(int16_t), "yseg"));
    for (uint32_t i = 0; i <= segno && i <= nextindex; i++) {
        segx[i] = next_level_x()[i];
        segy[i] = next_level_y()[i];
    }
    precount = pretested = nextindex = thisindex = 0;
}

// Steps 21 to 23: garden-of-Eden count, the end of a level, and the next
// node unless the tree is done.
tree_end
next_node()
{
    nextmax = nextindex;
    if (fansize == 0)
        gofEno++;
    fansize = 0;
    if (thisindex == thismax) {
        level++;
        release_level(pretog ? 1 : 0);
        pretog = static_cast<uint8_t>(1 - pretog);
        thismax = nextmax;
        thisindex = nextmax = nextindex = 0;
    }
    if (pretested == precount || (level_limit && !basinfield && level == level_limit))
        return tree_end::done;
    pretested++;
    thisindex++;
    return tree_end::going_on;
}

// One node of the tree: its pre-images found, counted and drawn.
tree_end
expand_node(const tree_work &work, bool compressed, bool first_pass)
{
    take_node(first_pass);
    int32_t majority = majority_count();
    // Steps 4 and 5: placing and the node's weight.
    if (basinfield || show_ss_matrix)
        place_node(work, compressed);
    uint32_t weight = node_weight(compressed);
    if (stp && mouse_found)
        end_page(scale);
    // Step 7: a uniform root's fan is compressed. Only the root's: a fan
    // compressed deeper in the tree would end the build there (the segment
    // trees are built from a root fan only) and lose the rest of the tree.
    allbitssame = compressed && first_pass && uniform(A) ? 1 : 0;
    if (stopped_at_poll())
        return tree_end::stopped;
    tree_end end = find_fan();
    if (end != tree_end::going_on)
        return end;
    bool segment_fan = segfan && compressed && keep_segment_fan();
    count_fan(segment_fan, weight, majority);
    draw_fan(); // step 18
    if (segment_fan) {
        keep_segment_positions();
        return tree_end::segment_fan;
    }
    return next_node();
}

// The depth and size of a finished tree.
void
finish_tree()
{
    level--;
    if (level > maxtreelevel)
        maxtreelevel = level;
    if (direction == direction_forward && precount == 0)
        gofEno = insegloop ? 1 : 0;
    treesize = precount + 1;
}

} // namespace

void
run_backward()
{
    tree_work work;
    if (!start_tree(work)) {
        abort_subtree = abort_subtree_list_full;
        abandon_message();
        release_tree_work(work);
        is[0] = 'q';
        return;
    }
    const bool compressed = compression_on() != 0;
    tree_end end = tree_end::going_on;
    for (bool first_pass = true; end == tree_end::going_on; first_pass = false)
        end = expand_node(work, compressed, first_pass);
    if (end == tree_end::done)
        finish_tree();
    release_tree_work(work);
}
