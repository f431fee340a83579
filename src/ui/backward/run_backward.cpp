// The node loop of the tree builder. Owns the level lists for one call
// (tree_levels.h) and the local work arrays; calls the pre-image methods
// of the engine (engine/backward: preimages_local.h, preimages_general.h,
// successor_table.h), the acceptance step's segment list (acceptance.h), the
// stop prompt (stop_prompts.h) and the fan drawing (fan_drawing.h). Reads
// the attractor (forward/globals.h), the run settings (backward/globals.h)
// and the network model. Start at run_backward.
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

bool local_arrays = false;
uint8_t *s_work = nullptr, *t_work = nullptr; // rotated copies while placing

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
place_node(bool compressed)
{
    if (!compressed) {
        mark(A);
        progbar++;
        return;
    }
    if (!insegloop && attperiod == 0)
        return; // a subtree node is shown only
    uint8_t *s = s_work, *t = t_work;
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
    if (direction == 'f')
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
release_all()
{
    free_level_lists();
    if (local_arrays)
        free_local_arrays();
    local_arrays = false;
    checked_free(s_work);
    checked_free(t_work);
    s_work = t_work = nullptr;
}

void
abandon_message()
{
    char text[150];
    if (abort_subtree == 2)
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

void
run_backward()
{
    gofEno = precount = pretested = 0;
    abort_subtree = 0;
    segfan = 0;
    thisindex = thismax = nextindex = nextmax = 0;
    pretog = 0;
    if (is)
        is[0] = 0;
    level = 0;
    if (startsegfan == 1)
        level = justonepreimage == 1 ? 2 : 1;
    if (!exhaustive_testing && !nonlocal) {
        allocate_local_arrays();
        local_arrays = true;
    }
    s_work = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "run backwards arrays"));
    t_work = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "run backwards arrays"));
    isrepeat = 0;
    tree_max_fan = 0;
    if (!start_level_lists()) {
        abort_subtree = 1;
        abandon_message();
        release_all();
        is[0] = 'q';
        return;
    }
    const bool compressed = compression_on() != 0;
    bool first_pass = true;
    for (;;) {
        // 1. The node.
        nextbefore = nextindex;
        memcpy(A, first_pass ? firstseed : current_level()[thisindex], bytesL);
        if (stp && mouse_found) {
            end_page(scale);
            print_current_state(A, white);
        }
        // 3. Majority count.
        int32_t majority = -1;
        if (value_range == 2 && show_maj != 0xFF) {
            majority = 0;
            for (uint32_t c = 0; c < lineL; c++)
                majority += get_value(A, c) == (show_maj ? 1 : 0);
        }
        // 4, 5. Placing and the node's weight.
        if (basinfield || show_ss_matrix)
            place_node(compressed);
        uint32_t weight = node_weight(compressed);
        if (stp && mouse_found)
            end_page(scale);
        // 7. A uniform root's fan is compressed. Only the root's: a fan
        // compressed deeper in the tree would end the build there (the
        // segment trees are built from a root fan only) and lose the rest
        // of the tree.
        allbitssame = compressed && first_pass && uniform(A) ? 1 : 0;
        first_pass = false;
        // 8. Key poll.
        if (mouse_found && event_ready() && is[0] == 'q') {
            int key = ask_stop_key(1);
            if (key == 'q' || key == 'n') {
                treesize = precount + 1;
                precount = pretested = nextindex = thisindex = 0;
                earlyexit = 1;
                release_all();
                is[0] = static_cast<char>(key);
                return;
            }
        }
        // 9, 10. The pre-images.
        if (is)
            is[0] = 0;
        if (!insegloop)
            clear_segment_list();
        pre_images_of_A();
        // 11. Abandoned.
        if (abort_subtree) {
            abandon_message();
            release_all();
            is[0] = 'q';
            return;
        }
        // 12. Stopped by the user.
        if (is && (is[0] == 'q' || is[0] == 'n')) {
            char key = is[0];
            treesize = precount + 1;
            precount = pretested = nextindex = thisindex = 0;
            if (direction == 'b')
                segfan = 0;
            release_all();
            is[0] = key;
            return;
        }
        bool segment_fan = segfan && compressed;
        // 13. One segment of one state is an ordinary fan.
        if (segment_fan && !justonepreimage_found && segno == 1 &&
            (regular2d ? seg_2d_h[1] == 1 && seg_2d_v[1] == 1 : seg[1] == 1)) {
            seg[1] = seg_2d_h[1] = seg_2d_v[1] = 0;
            clear_segment_list();
            justonepreimage_found = 1;
            justonepreimage = 1;
            segfan = 0;
            segment_fan = false;
        }
        // 14 - 17. Totals.
        fansize = nextindex - nextbefore;
        bool basin_root = level == 0 && direction == 'f';
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
        // 18. The fan on screen.
        draw_fan();
        // 19. A segment fan ends the call; the caller builds segment trees.
        if (segment_fan) {
            checked_free(segx);
            checked_free(segy);
            segx = static_cast<int16_t *>(checked_calloc(segno + 1, sizeof(int16_t), "xseg"));
            segy = static_cast<int16_t *>(checked_calloc(segno + 1, sizeof(int16_t), "yseg"));
            for (uint32_t i = 0; i <= segno && i <= nextindex; i++) {
                segx[i] = next_level_x()[i];
                segy[i] = next_level_y()[i];
            }
            precount = pretested = nextindex = thisindex = 0;
            release_all();
            return;
        }
        // 21. Garden-of-Eden nodes.
        nextmax = nextindex;
        if (fansize == 0)
            gofEno++;
        fansize = 0;
        // 22. End of a level.
        if (thisindex == thismax) {
            level++;
            release_level(pretog ? 1 : 0);
            pretog = static_cast<uint8_t>(1 - pretog);
            thismax = nextmax;
            thisindex = nextmax = nextindex = 0;
        }
        // 23. Done, or the level limit.
        if (pretested == precount || (level_limit && !basinfield && level == level_limit))
            break;
        pretested++;
        thisindex++;
    }
    level--;
    if (level > maxtreelevel)
        maxtreelevel = level;
    if (direction == 'f' && precount == 0)
        gofEno = insegloop ? 1 : 0;
    treesize = precount + 1;
    release_all();
}
