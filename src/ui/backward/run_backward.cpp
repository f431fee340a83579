// The node loop of the tree builder. Owns the level lists for one call
// (tree_levels.h; a basin field holds them from one tree to the next) and
// the work of the build (tree_work: the method's work and rotated copies of
// a node), released whatever the way out; the build's counters start
// afresh from reset_backward_tree. Asks the
// pre-image method chosen for the tree (engine/backward/preimage_method.h)
// for each node's fan, calls the acceptance step's segment list (acceptance.h), the
// stop prompt (stop_prompts.h), the fan drawing (fan_drawing.h), the
// state-space matrix and the progress bar. Reads the attractor
// (forward/globals.h), the run settings (backward/globals.h) and the network
// model; writes the tree summary to the prompt box and the tree lines to
// standard error and the data file. Start at run_backward, then expand_node:
// one node, phase by phase; the keys between nodes are in act_on_key. The
// tree's edges and spots go out in a shape batch (screen/shape_batch.h),
// sent at each key poll and at the end of the tree.
#include "ui/backward/run_backward.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/backward/acceptance.h"
#include "engine/backward/globals.h"
#include "engine/backward/in_degree.h"
#include "engine/backward/number_rotation.h"
#include "engine/backward/preimage_method.h"
#include "engine/backward/preimages_general.h"
#include "engine/backward/state_rotation.h"
#include "engine/backward/state_symmetries.h"
#include "engine/backward/table_walk.h"
#include "engine/backward/tree_data_lines.h"
#include "engine/backward/tree_levels.h"
#include "engine/backward/tree_memory.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"
#include "ui/backward/fan_drawing.h"
#include "ui/backward/globals.h"
#include "ui/backward/ppstack_hist.h"
#include "ui/backward/progress_bar.h"
#include "ui/backward/statespace_matrix.h"
#include "ui/backward/stop_prompts.h"
#include "ui/model/cell_display.h"
#include "ui/screen/boxes.h"
#include "ui/rules/hex_readout.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/storage/data_lines.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/shape_batch.h"
#include "ui/screen/status_prompt.h"
#include "ui/screen/window.h"

namespace {

// The work of one tree build: the pre-image method, with the release of
// what the tree built for it (null where a field or run holds it), and two
// rotated copies of a node while it is placed. Made by start_tree, released
// by release_tree_work whatever the way out.
struct tree_work {
    const preimage_method *method = nullptr;
    void (*release_method)() = nullptr;
    uint8_t *s = nullptr, *t = nullptr;
    // Rotations of a ring node marked by number (rotated_number) when no
    // state-space matrix needs the rotated states themselves.
    bool marks_by_number = false;
    number_rotation rotation;
    // The tree's edges and spots go out in a shape batch (a window only).
    bool batch_open = false;
};

// How the expansion of a node ends the build, or not.
enum class tree_end {
    going_on,    // the next node follows
    stopped,     // 'q' or 'n' from the user
    abandoned,   // the lists are full or too many partial pre-images
    segment_fan, // the root's fan is a segment fan: the caller builds segment trees
    done,        // every node is expanded, or the level limit is reached
};

// A placed state shown in the state-space matrix: the root in lightred, the
// rest in green unless the callers chose the colour.
void
show_in_matrix(const uint8_t *s)
{
    if (!show_ss_matrix || !mouse_found || (ss_m_att_only && precount != 0))
        return;
    if (!ss_m_att_only && (!basinfield || successive_basins))
        matrixcolor = precount == 0 ? lightred : green;
    int16_t x = getx, y = gety;
    show_statespace_matrix(s);
    moveto(x, y);
}

// The node being expanded: its state is in A; with lists of numbers its
// number too, so that marking and the table method need not read A. It is
// the target of the node's fan.
using tree_node = fan_target;

// A placed state of number x marked in a field's tickoff.
void
tick_off(uint32_t x)
{
    if (basinfield && tickoff && x <= tickspace)
        set_bitlong(tickoff, x, 1);
}

// A placed state: marked in a field's tickoff and shown in the matrix.
void
mark(const uint8_t *s)
{
    if (basinfield && tickoff)
        tick_off(dec_equiv(s, L));
    show_in_matrix(s);
}

// The field's progress bar filled up to the states placed so far.
void
fill_progress_bar()
{
    if (!basinfield || !mouse_found)
        return;
    float share = static_cast<float>(barxr - barxl - 2) * static_cast<float>(progbar) /
                  (static_cast<float>(statespace) + 1.0f);
    int colour = getcolor();
    fill_progress_bar_to(barxl + static_cast<int>(share));
    setcolor(colour);
}

// The rotations of a ring node of number x marked in tickoff, in the order
// and with the counts of place_node's rotation of the state itself.
void
mark_rotations_by_number(const number_rotation &r, uint32_t x)
{
    if (!insegloop) {
        const uint32_t step = static_cast<uint32_t>(basinno) % r.cells;
        for (int m = 0; m < cyclematch; m++) {
            x = rotated_number(r, x, step);
            uint32_t t = x;
            tick_off(t);
            for (uint32_t b = 1; b < basinno; b++) {
                t = rotated_number(r, t, 1);
                tick_off(t);
                progbar++;
            }
            progbar++;
        }
        return;
    }
    for (uint32_t i = 0; i < seg[segindex]; i++) {
        x = rotated_number(r, x, 1);
        tick_off(x);
        progbar++;
    }
}

// The node placed: every state the node in A stands for is marked in
// tickoff.
void
place_node(const tree_work &work, const tree_node &node, bool compressed)
{
    if (!compressed) {
        if (node.numbered) {
            tick_off(node.number);
            show_in_matrix(A);
        } else {
            mark(A);
        }
        progbar++;
        return;
    }
    if (!insegloop && attperiod == 0) {
        show_in_matrix(A); // a subtree node is shown only
        return;
    }
    if (!regular2d && work.marks_by_number) {
        mark_rotations_by_number(work.rotation, node.numbered ? node.number : dec_equiv(A, L));
        return;
    }
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

// The node's weight: how many states the node stands for.
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
    if (work.batch_open)
        close_shape_batch();
    work.batch_open = false;
    end_level_lists();
    if (work.release_method)
        work.release_method();
    work.release_method = nullptr;
    checked_free(work.s);
    checked_free(work.t);
    work.s = work.t = nullptr;
}

void
abandon_message()
{
    char text[150];
    const tree_memory_failure &memory = tree_memory_failed();
    if (memory.what)
        snprintf(text, sizeof text, "\n out of memory: %s, %zu bytes, subtree level %u, abort-ret",
                 memory.what, memory.bytes, level);
    else if (abort_subtree == abort_subtree_too_many_partial)
        snprintf(text, sizeof text, "\n too many partial pre-images, subtree level %u, abort-ret", level);
    else
        snprintf(text, sizeof text, "\n nextindex=%lu, too many pre-images subtree level %u, abort-ret",
                 static_cast<unsigned long>(nextindex), level);
    if (mouse_found) {
        int16_t x = getx, y = gety;
        draw_prompt_box(1);
        outtext(text + 2);
        input_string(1, text_entry);
        erase_prompt_box(1);
        moveto(x, y);
    } else {
        fprintf(stderr, "%s\n", text);
    }
}

// The row gap of the space-time strip for the current scale.
void
set_strip_gap()
{
    sep = static_cast<int8_t>(scale > vgax(3) ? 2 : 1);
}

// The counters and work of a new tree; false when the level lists could not
// be started. Only a compressed tree places a node by its rotations
// (place_node), so only it takes the lines and the rotation for them.
bool
start_tree(tree_work &work, bool compressed)
{
    reset_backward_tree();
    restart_window_poll();
    if (is)
        is[0] = 0;
    if (startsegfan == 1)
        level = justonepreimage == 1 ? 2 : 1;
    if (mouse_found) {
        open_shape_batch();
        work.batch_open = true;
        if (local_stack_bar_shown())
            draw_local_stack_bar();
        set_strip_gap();
        if (scale == 1)
            sep = 0;
    }
    // A basin field holds the method's work for all its trees.
    bool built = false;
    work.method = &start_preimage_method(built);
    if (built)
        work.release_method = work.method->release;
    if (compressed) {
        work.s = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "run backwards arrays"));
        work.t = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "run backwards arrays"));
        // The matrix shows every rotated state: it takes them cell by cell.
        work.marks_by_number = basinfield && tickoff && !(show_ss_matrix && mouse_found) &&
                               start_number_rotation(work.rotation);
    }
    return start_level_lists();
}

// The node taken: into A (and its number when the lists hold numbers),
// printed when patterns are shown.
tree_node
take_node(bool first_pass)
{
    nextbefore = nextindex;
    tree_node node;
    node.numbered = level_lists_hold_numbers();
    if (first_pass) {
        memcpy(A, firstseed, bytesL);
        if (node.numbered)
            node.number = dec_equiv(A, L);
    } else if (node.numbered) {
        node.number = current_level_number(thisindex);
        write_state_line(A, node.number);
    } else {
        memcpy(A, current_level()[thisindex], bytesL);
    }
    if (stp && mouse_found) {
        end_page(scale);
        print_current_state(A, white);
    }
    return node;
}

// The node's cells of the majority value, -1 when not counted.
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

// The majority count of the node of number t, as majority_count reads it
// from the node's line (for v = 2 the line is the number's bits).
int32_t
majority_count_of(uint32_t t)
{
    if (value_range != 2 || show_maj == show_maj_off)
        return -1;
    int32_t ones = __builtin_popcount(t);
    return show_maj ? ones : static_cast<int32_t>(lineL) - ones;
}

// The counters of a tree the user stopped, with the key left in is[0].
void
stop_tree(char key)
{
    treesize = precount + 1;
    precount = pretested = nextindex = thisindex = 0;
    is[0] = key;
}

// Scrolling of the strip stopped: the scrolled region cleared.
void
stop_scrolling()
{
    scrolling = 0;
    pixmap_width = static_cast<int16_t>(lineL * scale);
    setviewport(0, 0, lineL * scale, Maxy, 1);
    clearviewport();
    setviewport(0, 0, Maxx, Maxy, 1);
}

// The pause prompt of 'q' between nodes; true when the user stopped the
// tree ('q' or 'n').
bool
pause_between_nodes()
{
    int colour = getcolor();
    int16_t x = getx, y = gety;
    int key = ask_stop_key(1);
    if (key == 'q' || key == 'n') {
        if (stp) {
            setviewport(0, 0, lineL * scale, Maxy, 1);
            clearviewport();
            setviewport(0, 0, Maxx, Maxy, 1);
            moveto(0, 0);
        }
        earlyexit = 1;
        stop_tree(static_cast<char>(key));
        setcolor(colour);
        return true;
    }
    if (stp)
        end_page(scale);
    if (basinfield)
        progress_bar();
    moveto(x, y);
    setcolor(colour);
    return false;
}

// The key left in is[0] by the poll between nodes; true when it stopped the
// tree.
bool
act_on_key(char key, tree_work &work)
{
    switch (key) {
    case '#':
        if (!stp)
            break;
        if (scrolling)
            stop_scrolling();
        else
            scrolling = 1;
        nowscrolling = 0;
        fprintf(stderr, "\n scrolling=%d\n", scrolling);
        break;
    case 'P':
        if (!nonlocal)
            break;
        if (see_ppstack == see_ppstack_off) {
            see_ppstack = see_ppstack_on;
            shrink_stack_scale();
            setup_ppstack_hist();
        } else if (see_ppstack == see_ppstack_on) {
            see_ppstack = see_ppstack_off;
            erase_ppstack_hist();
        }
        // The stack view decides the general method's form.
        work.method = &choose_preimage_method();
        break;
    case 'c':
    case 'e':
        if (!stp && shownumbers != shownumbers_bits)
            break;
        if (key == 'c' && scale > 1) {
            scale--;
            if (stp) {
                // The columns the narrower strip no longer covers.
                int colour = getcolor();
                setfillstyle(0, black);
                bar(lineL * scale, 0, lineL * (scale + 1), Maxy);
                setcolor(colour);
            }
        } else if (key == 'e') {
            scale++;
        }
        if (scrolling)
            nowscrolling = 0;
        pixmap_width = static_cast<int16_t>(lineL * scale);
        set_strip_gap();
        break;
    case 'm':
        if (show_ss_matrix) {
            erase_statespace_matrix();
            show_ss_matrix = 0;
        } else {
            show_ss_matrix = 1;
            show_statespace_matrix(nullptr);
        }
        break;
    case 'p':
        if (see_ppstack == see_ppstack_on && nonlocal) {
            // The start prompt goes, or the two-line report of a tree drawn
            // over it since: whole, not cut after its first line.
            erase_prompt_box(2);
            see_ppstack = see_ppstack_pause;
        }
        break;
    case 's':
        stp = static_cast<uint8_t>(!stp);
        if (stp) {
            // The rows start at the window's top left, as each basin's rows
            // in a field do: the current point is where the last drawing
            // left it (in a field the foot of the progress bar's tick), and
            // a row printed there would cross the bar's frame.
            moveto(0, 0);
        } else if (scrolling) {
            stop_scrolling();
        }
        nowscrolling = 0;
        break;
    case 'q':
        return pause_between_nodes();
    default:
        break;
    }
    return false;
}

// The poll between nodes: a key acts by the key table; true when it
// stopped the tree.
bool
stopped_at_poll(tree_work &work)
{
    if (!(mouse_found && window_poll_due()))
        return false;
    send_gathered_shapes(); // the tree so far is seen while it grows
    if (!event_ready())
        return false;
    int colour = getcolor();
    bool stopped = act_on_key(is[0], work);
    if (!stopped)
        setcolor(colour);
    return stopped;
}

// How the build goes on after a node's fan: abandoned (the lists are full
// or too many partial pre-images), stopped by the user ('q' or 'n'), or on.
tree_end
fan_outcome()
{
    if (abort_subtree) {
        abandon_message();
        is[0] = 'q';
        return tree_end::abandoned;
    }
    if (is && (is[0] == 'q' || is[0] == 'n')) {
        if (direction == direction_backward)
            segfan = 0;
        char key = is[0];
        stop_tree(key);
        // The status box taken away (not left framed and empty), and one
        // pending key dropped.
        if (mouse_found) {
            erase_memory_box();
            event_ready();
        }
        is[0] = key;
        return tree_end::stopped;
    }
    return tree_end::going_on;
}

// The node's pre-images, unless the build is abandoned or stopped by the
// user.
tree_end
find_fan(const tree_work &work, const tree_node &node)
{
    if (is)
        is[0] = 0;
    if (!insegloop)
        clear_segment_list();
    work.method->fan_of(node);
    return fan_outcome();
}

// Whether a segment fan stays one: a segment fan of one segment of one
// state is an ordinary fan; false (and an ordinary fan from then on) when
// it is.
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

// A fan of in_degree pre-images, its node standing for weight states, into
// the in-degree histogram when it is kept; with the node's majority count
// (-1 when not counted) into the count of majority exceptions.
void
count_in_degree_of_fan(uint64_t in_degree, uint32_t weight, int32_t majority)
{
    count_in_degree(in_degree, weight);
    if (majority >= 0 && static_cast<uint32_t>(majority) > lineL / 2u)
        isexception = static_cast<int32_t>(isexception + weight);
}

// The fan counted: its totals, the largest fans and the in-degree
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
        if (!segment_fan)
            count_in_degree_of_fan(uint64_t(fansize) + (basin_root ? 1u : 0u), weight, majority);
        else
            count_in_degree_of_fan(justonepreimage == 1 ? totalsegfan : uint64_t(totalsegfan) + 1, 1,
                                   majority);
    }
    if (fansize > maxtreefan)
        maxtreefan = fansize + (basin_root ? 1 : 0);
    if (basin_root && fansize == 0 && maxtreefan == 0)
        maxtreefan = 1;
    if (fansize > tree_max_fan)
        tree_max_fan = fansize + (basin_root ? 1 : 0);
}

// The positions of a segment fan's nodes, kept for the segment trees the
// caller builds.
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

// The level expanded: the list filled becomes the one expanded, from
// before its first entry.
void
next_level()
{
    level++;
    release_level(pretog ? 1 : 0);
    pretog = static_cast<uint8_t>(1 - pretog);
    thismax = nextmax;
    thisindex = nextmax = nextindex = 0;
}

// On to the node after the current one, unless the tree is done: every
// node accepted is expanded, or the level limit is reached.
tree_end
step_to_next_node()
{
    if (pretested == precount || (level_limit && !basinfield && level == level_limit))
        return tree_end::done;
    pretested++;
    thisindex++;
    return tree_end::going_on;
}

// On to the next node: the garden-of-Eden count, the end of a level, and
// the next node unless the tree is done.
tree_end
next_node()
{
    nextmax = nextindex;
    if (fansize == 0)
        gofEno++;
    fansize = 0;
    if (thisindex == thismax)
        next_level();
    return step_to_next_node();
}

// The tree whose fan is being drawn, and the line metrics of the normal
// font, for the poll while it is drawn.
tree_work *drawing_work = nullptr;
int16_t normal_height = 0, normal_width = 0;

// The poll between nodes while a wide fan is drawn (draw_fan's stop): a
// prompt it opens is written in the normal font, and the fan's viewport,
// font, colour and point come back after it. True when it stopped the tree.
bool
stopped_while_drawing()
{
    saved_viewport view;
    const int16_t x = getx, y = gety;
    const int colour = getcolor();
    const font_use font = font_in_use();
    const int16_t height = CHeight, width = CWidth;
    restore_def_font();
    CHeight = normal_height;
    CWidth = normal_width;
    bool stopped = stopped_at_poll(*drawing_work);
    use_font(font);
    CHeight = height;
    CWidth = width;
    view.put_back();
    setcolor(colour);
    moveto(x, y);
    return stopped;
}

// The fan drawn, with small labels when asked and inside the band of a
// G-density graph when one is on screen; false when the poll while it was
// drawn stopped the tree.
bool
draw_fan_of_node(tree_work &work)
{
    if (!mouse_found) {
        draw_fan(); // the node's state line only
        return true;
    }
    int16_t x = getx, y = gety;
    int16_t height = CHeight, width = CWidth;
    drawing_work = &work;
    normal_height = height;
    normal_width = width;
    bool small_labels = labelsizefactor > 0 &&
                        (shownumbers == shownumbers_decimal || shownumbers == shownumbers_hex);
    if (small_labels) {
        CHeight = static_cast<int16_t>(CHeight * labelsizefactor);
        CWidth = static_cast<int16_t>(CWidth * labelsizefactor);
        set_temp_font();
    }
    bool drawn;
    if (gd_z_graph) {
        const field_area strip = sweep_run_strip();
        setviewport(strip.left, strip.top, strip.right, strip.bottom, 1);
        drawn = draw_fan(stopped_while_drawing);
        setviewport(0, 0, Maxx, Maxy, 1);
    } else {
        drawn = draw_fan(stopped_while_drawing);
    }
    drawing_work = nullptr;
    if (small_labels) {
        CHeight = height;
        CWidth = width;
        restore_def_font();
    }
    moveto(x, y);
    return drawn;
}

// The pause after each fan of a subtree, when asked.
void
pause_after_fan()
{
    if (datapause != datapause_tree_and_fan || fansize == 0 || !mouse_found)
        return;
    char text[150];
    snprintf(text, sizeof text, "fansize=%lu nextindex=%lu level=%u",
             static_cast<unsigned long>(fansize), static_cast<unsigned long>(nextindex), level);
    int16_t x = getx, y = gety;
    int16_t margin = draw_prompt_box(2);
    outtext(text);
    moveto(margin, gety + CHeight);
    outtext("subtree pause on, turn off-q, next subtree-ret:");
    input_string(1, text_entry);
    erase_prompt_box(2);
    moveto(x, y);
    if (is[0] == 'q')
        datapause = datapause_tree;
}

// One node of the tree: its pre-images found, counted and drawn.
tree_end
expand_node(tree_work &work, bool compressed, bool first_pass)
{
    tree_node node = take_node(first_pass);
    int32_t majority = majority_count();
    // The node placed, and its weight.
    if (basinfield || show_ss_matrix) {
        place_node(work, node, compressed);
        fill_progress_bar();
    }
    uint32_t weight = node_weight(compressed);
    if (stp && mouse_found)
        end_page(scale);
    // A uniform root's fan is compressed. Only the root's: a fan
    // compressed deeper in the tree would end the build there (the segment
    // trees are built from a root fan only) and lose the rest of the tree.
    allbitssame = compressed && first_pass && uniform(A) ? 1 : 0;
    if (stopped_at_poll(work))
        return tree_end::stopped;
    // What the fans of the nodes some places on read is fetched from memory
    // while this one is expanded: in this level or, past its end, in the
    // list being filled, which is expanded next (as far as it is filled);
    // UINT32_MAX, no state, where there is none.
    constexpr uint32_t kNear = 4, kMiddle = 10, kFar = 18;
    if (work.method->warm && level_lists_hold_numbers() && !first_pass) {
        auto ahead = [](uint32_t places) {
            uint64_t at = uint64_t(thisindex) + places;
            if (at <= thismax)
                return current_level_number(static_cast<uint32_t>(at));
            at -= thismax;
            if (at > nextindex)
                at = nextindex;
            return at > 0 ? preim_numbers[pretog ? 0 : 1][at] : UINT32_MAX;
        };
        work.method->warm(ahead(kNear), ahead(kMiddle), ahead(kFar));
        // The tick of a node in a field is a store at a place of its own.
        uint32_t middle = ahead(kMiddle);
        if (basinfield && tickoff && middle <= tickspace)
            __builtin_prefetch(tickoff + (middle >> 3), 1);
    }
    tree_end end = find_fan(work, node);
    if (end != tree_end::going_on)
        return end;
    bool segment_fan = segfan && compressed && keep_segment_fan();
    count_fan(segment_fan, weight, majority);
    if (!draw_fan_of_node(work))
        return tree_end::stopped;
    if (segment_fan) {
        keep_segment_positions();
        return tree_end::segment_fan;
    }
    pause_after_fan();
    return next_node();
}

// The nodes after the root may go through expand_stored_fans: the method
// hands its fans whole now (stored, or made at once), nothing is shown or
// asked per node (no window, no state lines to the data file, nodes not
// compressed) and the fans take the plain acceptance (acceptance.h). None
// of this changes while they do.
bool
stored_walk_applies(const tree_work &work, bool compressed)
{
    return work.method->stored_fan && (!work.method->stored_fans_ready || work.method->stored_fans_ready()) &&
           !mouse_found && filestates != 1 && !compressed && plain_fans_apply();
}

// The counters of the tree that the walk of stored fans changes at every
// node, kept in locals through a level instead of the globals of the same
// meaning (which each call would read and write again): taken at the start
// of a level, written back at its end, before a key poll and where the
// walk hands a node over to expand_node.
struct walk_counters {
    uint32_t at;        // nextindex: the entries of the list being filled
    uint32_t before;    // nextbefore: at before the current node's fan
    uint32_t accepted;  // precount
    uint32_t expanded;  // pretested
    uint32_t gardens;   // gofEno
    uint32_t placed;    // progbar
    uint32_t largest;   // the largest fan of the walk (into maxtreefan, tree_max_fan)

    void
    take()
    {
        at = nextindex;
        before = nextbefore;
        accepted = precount;
        expanded = pretested;
        gardens = gofEno;
        placed = progbar;
        largest = 0;
    }
    // The current node's fan is counted in every field but largest and
    // gardens, which are counted after the key poll, as count_fan counts
    // them after fan_outcome. nextmax, the end of the fan before, is the
    // caller's.
    void
    write_back() const
    {
        nextindex = at;
        nextbefore = before;
        precount = accepted;
        pretested = expanded;
        gofEno = gardens;
        progbar = placed;
        fansize = 0;
        if (largest > maxtreefan)
            maxtreefan = largest;
        if (largest > tree_max_fan)
            tree_max_fan = largest;
    }
};

// The nodes from the current one on, as expand_node expands them where
// stored_walk_applies holds, with only the steps that then apply: the node
// placed, its stored fan through the plain acceptance, counted, and on to
// the next, a level at a time with the counters in locals (walk_counters).
// A fan the method could not make whole is left to expand_node too.
// What the fans ask of begin_fan, and the cleared key, stay as they are
// through the walk: they are set once. The keys are polled after every
// kPollEvery-th fan that kept a pre-image rather than after each (a poll
// of a window that finds no key costs more than a small fan), whatever the
// method's own terms: a walk of stored fans can take a whole large tree,
// and nothing else polls while it goes on. A fan that
// might not fit the list is left to expand_node (its general way abandons
// the tree as it should): going_on then means that the current node is
// still to be expanded. A is left holding the last node taken, as
// expand_node leaves it.
tree_end
expand_stored_fans(const tree_work &work)
{
    const preimage_method &method = *work.method;
    // A plain fan adds no segment: the list is emptied once.
    if (!insegloop)
        clear_segment_list();
    begin_fan(method);
    if (is)
        is[0] = 0;
    const plain_terms terms = plain_acceptance_terms();
    const bool places = basinfield || show_ss_matrix;
    // In table mode the acceptance ticked every node off already (the
    // stored walk's nodes were all accepted so); a second mark, a random
    // store, is left out.
    const bool tick_nodes = places && !exhaustive_testing;
    const bool in_degrees = pre_fansize_freq_hist && pre_fan_freq;
    constexpr uint32_t kPollEvery = 64;
    uint32_t polls_due = kPollEvery;
    // What the fans some nodes on read is asked from memory while this
    // one is expanded, a step of each lookup: the index entry of the far
    // node, the spilled entry of the middle one, the pre-image list of the
    // near one (their earlier steps asked while nodes before were expanded).
    constexpr uint32_t kNear = 4, kMiddle = 10, kFar = 18;
    // Where each fan takes only the test and mark of its states' tickoff
    // bits, the nodes of a level go through the table's own walk
    // (table_walk.h) up to where it stops; the rest come here one by one.
    const successor_index *index = method.stored_index ? method.stored_index() : nullptr;
    const bool walks_index = index && terms.ticks && terms.leave_out && terms.marks && !tick_nodes &&
                             !in_degrees && uint64_t(terms.space) + 1 >= index->states;
    uint32_t t = 0;
    tree_end end = tree_end::going_on;
    walk_counters c;
    for (bool level_done = true; level_done;) {
        c.take();
        const uint32_t *nodes = preim_numbers[pretog ? 1 : 0];
        uint32_t *list = preim_numbers[pretog ? 0 : 1];
        // The list being filled holds entries below room, and at most
        // Maxlu - 2 (as count_pre_image has it).
        uint64_t room = std::min<uint64_t>(preim_capacity[pretog ? 0 : 1], Maxlu - 1);
        const uint32_t last_node = thismax;
        uint32_t i = thisindex;
        // The state number of the node places on from node i: in the level
        // being expanded or, past its end, in the list being filled; the
        // last node there is where there are fewer (a narrow tree's nodes,
        // few to a level, are asked for as far ahead as they go);
        // UINT32_MAX, no state, where there is none.
        auto node_ahead = [&](uint32_t places) {
            uint64_t ahead = uint64_t(i) + places;
            if (ahead <= last_node)
                return nodes[ahead];
            ahead -= last_node;
            if (ahead > c.at)
                ahead = c.at;
            return ahead > 0 ? list[ahead] : UINT32_MAX;
        };
        level_done = false;
        for (;;) {
            if (walks_index && i < last_node && polls_due > 1) {
                table_walk w{nodes, i, last_node, list, c.at, room, c.before,
                             polls_due, c.accepted, c.expanded, c.gardens,
                             c.placed, c.largest};
                table_walk_level(w, *index, terms.ticks, places);
                i = w.i;
                c.at = w.at;
                c.before = w.before;
                polls_due = w.polls_due;
                c.accepted = w.accepted;
                c.expanded = w.expanded;
                c.gardens = w.gardens;
                c.placed = w.placed;
                c.largest = w.largest;
            }
            t = nodes[i];
            uint32_t count;
            const uint32_t *fan = method.stored_fan(t, &count);
            if (count == fan_not_made)
                break;
            uint64_t last = uint64_t(c.at) + count;
            if (last >= room) {
                if (last >= Maxlu - 1 || !grow_next_level_numbers(static_cast<uint32_t>(last)))
                    break;
                list = preim_numbers[pretog ? 0 : 1];
                room = std::min<uint64_t>(preim_capacity[pretog ? 0 : 1], Maxlu - 1);
            }
            c.before = c.at;
            if (tick_nodes)
                tick_off(t);
            c.placed += places;
            // Mostly all three lie in the level being expanded.
            if (method.warm && uint64_t(i) + kFar <= last_node)
                method.warm(nodes[i + kNear], nodes[i + kMiddle], nodes[i + kFar]);
            else if (method.warm)
                method.warm(node_ahead(kNear), node_ahead(kMiddle), node_ahead(kFar));
            uint32_t kept = accept_plain_into(terms, fan, count, list, c.at);
            c.accepted += kept;
            if (kept && --polls_due == 0) {
                polls_due = kPollEvery;
                thisindex = i;
                c.write_back();
                nextmax = c.before;
                if (is)
                    is[0] = 0;
                interrupt_pre_fan();
                end = fan_outcome();
                if (end != tree_end::going_on)
                    break;
            }
            c.gardens += kept == 0;
            if (kept > c.largest)
                c.largest = kept;
            if (in_degrees)
                count_in_degree_of_fan(kept, 1, majority_count_of(t));
            if (i == last_node) {
                level_done = true;
                break;
            }
            c.expanded++;
            i++;
        }
        if (end != tree_end::going_on)
            break; // stop_tree has set the counters
        thisindex = i;
        c.write_back();
        nextmax = c.at;
        if (!level_done)
            break; // the node is expand_node's
        next_level();
        end = step_to_next_node();
        if (end != tree_end::going_on)
            break;
    }
    write_state_line(A, t);
    return end;
}

// The summary of a finished tree in the prompt box, then "options-o
// cont-ret:" in the status box.
void
show_tree_summary(bool cut_at_limit)
{
    uint32_t members = 0;
    if (insegloop)
        members = regular2d ? static_cast<uint32_t>(seg_2d_h[segindex]) * seg_2d_v[segindex]
                            : seg[segindex];
    char first[200], totals[120];
    const char *limit_mark = cut_at_limit ? "LEVEL LIMIT " : "";
    if (direction == direction_backward)
        snprintf(first, sizeof first, "%sseg-fan=%lu (%d segs) seg-tree=%d no=%d size=%lu ",
                 limit_mark, static_cast<unsigned long>(totalsegfan), static_cast<int>(segno),
                 static_cast<int>(segindex), static_cast<int>(members),
                 static_cast<unsigned long>(treesize));
    else if (insegloop)
        snprintf(first, sizeof first, "%sseg-fan=%lu (%d segs) thisseg=%d segindex=%d treesize=%lu ",
                 limit_mark, static_cast<unsigned long>(totalsegfan), static_cast<int>(segno),
                 static_cast<int>(segindex), static_cast<int>(members),
                 static_cast<unsigned long>(treesize));
    else
        snprintf(first, sizeof first, "%stree %lu. no=%d treesize=%lu (tree types=%d att=%lu)",
                 limit_mark, static_cast<unsigned long>(attperiod - attindex + 1), cyclematch,
                 static_cast<unsigned long>(treesize),
                 cyclematch ? static_cast<int>(attperiod / static_cast<uint32_t>(cyclematch)) : 0,
                 static_cast<unsigned long>(attperiod));
    float density = treesize ? static_cast<float>(gofEno) / static_cast<float>(treesize) : 0.0f;
    snprintf(totals, sizeof totals, " g=%lu=%.3g ml=%d mp=%lu", static_cast<unsigned long>(gofEno),
             density, level, static_cast<unsigned long>(tree_max_fan));
    int16_t x = getx, y = gety;
    int colour = getcolor();
    int16_t margin = draw_prompt_box(2);
    setcolor(white);
    outtext(first);
    moveto(margin, gety + CHeight);
    outtext(insegloop ? "seg-root(hex)=" : "root(hex)=");
    int16_t hex_x = getx;
    print_current_bitstring_hexbytes(0, firstseed, 0, Maxx, white, 0);
    moveto(hex_x + vgax(4) * bytesL / 2 + 2 * bytesL * CWidth, gety);
    outtext(totals);
    status_box_key_prompt("options-o cont-ret:");
    erase_memory_box();
    if (is[0] == 'o')
        open_options_box();
    erase_prompt_box(2);
    moveto(x, y);
    setcolor(colour);
}

// The tree lines to standard error and the data file (data_basins_and_trees).
void
write_tree_lines()
{
    if (pdata != data_basins_and_trees && filedata != data_basins_and_trees)
        return;
    if (direction == direction_backward && !insegloop)
        return; // the subtree run reports a subtree
    std::string text = compose_tree_lines(firstseed, tree_max_fan);
    if (pdata == data_basins_and_trees)
        print_out(text.c_str());
    if (filedata == data_basins_and_trees)
        save_data(text.c_str());
}

// The depth and size of a finished tree, its summary and its data lines.
// cut_at_limit: the level limit stopped the build (its nodes at the limit
// are drawn, not expanded).
void
finish_tree(bool cut_at_limit)
{
    level--;
    if (level > maxtreelevel)
        maxtreelevel = level;
    if (direction == direction_forward && precount == 0)
        gofEno = insegloop ? 1 : 0;
    treesize = precount + 1;
    level_limit_reached = cut_at_limit ? 1 : 0;
    bool summary = direction == direction_forward || insegloop;
    if (summary && datapause > 1 && mouse_found)
        show_tree_summary(cut_at_limit);
    write_tree_lines();
}

} // namespace

void
run_backward()
{
    tree_work work;
    const bool compressed = compression_on() != 0;
    if (!start_tree(work, compressed)) {
        abort_subtree = abort_subtree_list_full;
        abandon_message();
        release_tree_work(work);
        is[0] = 'q';
        return;
    }
    tree_end end = tree_end::going_on;
    for (bool first_pass = true; end == tree_end::going_on; first_pass = false) {
        end = expand_node(work, compressed, first_pass);
        if (end == tree_end::going_on && stored_walk_applies(work, compressed))
            end = expand_stored_fans(work);
    }
    if (end == tree_end::done)
        finish_tree(pretested != precount);
    release_tree_work(work);
}
