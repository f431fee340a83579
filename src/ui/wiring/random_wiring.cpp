// The random wiring dialogs (random_wiring.h): the bias dialog and the
// per-layer quota dialog. They set the biases of wiring/globals.h and
// force_layer, which the draw of engine/wiring/random_wiring.h reads. Reads
// from model/: nhood, lineL, the lattice shape, rangeL and startL. Uses the
// prompt boxes and text entry of screen/. Start reading at
// bias_random_wiring.
#include "ui/wiring/random_wiring.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/random_wiring.h"

namespace {

// The number typed in the last entry, or -1 when it does not start with a digit.
int
typed_number()
{
    std::string text = entry_text();
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return -1;
    return atoi(text.c_str());
}

// Writes text at the current point in white.
void
say(const char *text)
{
    setcolor(white);
    outtext(text);
}

// The lines of the bias dialog's box: top of line `line`, and clearing it.
int
line_top(int line)
{
    return 5 + line * CHeight;
}

void
clear_line(int line)
{
    setfillstyle(0, black);
    bar(Maxx / 2 + 1, line_top(line), Maxx - 3, line_top(line) + CHeight - 1);
}

// Clears a line of the box and starts a question at its left margin.
void
start_line(int line)
{
    clear_line(line);
    moveto(Maxx / 2 + 3, line_top(line));
}

} // namespace

void
bias_random_wiring()
{
    ca_bias = ib = jb = hb = 0;
    fixmidwire = 0;
    escape_wires = 0;
    distinct = 0;
    force_layers_set = 0;
    bool cube = threed == 3;
    if (cube) {
        sup_3d_layers[0] = sup_3d_layers[2] = -1;
        direct_3d_link_layer = -1;
    }
    int n = lineL;
    int max = set_max_zonesize(static_cast<uint16_t>(n));
    if (max < 1)
        max = 1;

    float old_xtext = xtext;
    xtext = static_cast<float>(Maxx / 2 + 3) / static_cast<float>(CWidth);
    int memory_left = memory_box(3, "");
    setcolor(lightred);
    moveto(memory_left + 3, 3);
    outtext("accept defaults-d");
    int lines = cube ? 9 : 6;
    get_prompt_box(8, lines);
    draw_prompt_box(lines);

    bool ask_distinct = nhood <= (rangeL ? startL : lineL);
    const int line_of[11] = {0, 0, 0, 1, 2, 3, 4, 5, 6, 7, cube ? 8 : 5};
    char text[160];
    char last_key = 0;
    int q = 1;
    // q: the question to ask; 0 when the dialog is over.
    while (q != 0) {
        int back = 0; // the question to go back to on 'q'
        switch (q) {
        case 1:
            start_line(line_of[1]);
            snprintf(text, sizeof text,
                     "bias random wiring: confine to local zone (max=%d def=%d):", max,
                     zonesize);
            say(text);
            input_string(digits_of(n), 0);
            break;
        case 2:
            say(" CA-c:");
            ca_bias = 0;
            input_string(digits_of(n), 0);
            back = 1;
            break;
        case 3:
            start_line(line_of[3]);
            escape_wires = 0;
            snprintf(text, sizeof text, "release some wires from zone (def 0, max %d):", nhood);
            say(text);
            input_string(2, 0);
            back = 1;
            break;
        case 4:
            start_line(line_of[4]);
            ib = jb = hb = 0;
            say(oned || (!twod && !cube) ? "suppress periodic boundary-s: "
                                         : "suppress periodic boundary-s: i:");
            input_string(1, 0);
            back = 3;
            break;
        case 5:
            start_line(line_of[5]);
            fixmidwire = 0;
            say("exclude all selfwiring-2, selfwire centre wire-1:");
            input_string(1, 0);
            back = 4;
            break;
        case 6:
            start_line(line_of[6]);
            distinct = 0;
            say("distinct wiring (no duplication)-n:");
            input_string(1, 0);
            back = 5;
            break;
        case 7:
            start_line(line_of[7]);
            for (int s = 0; s < 4; s++)
                sup_3d_layers[s] = -1;
            snprintf(text, sizeof text, "suppress links to layers (0-%d),", h3d - 1);
            say(text);
            back = ask_distinct ? 6 : 5;
            break;
        case 8:
            start_line(line_of[8]);
            direct_3d_link_layer = -1;
            snprintf(text, sizeof text, "force direct link to a layer, enter (0-%d):", h3d - 1);
            say(text);
            input_string(1, 0);
            back = 7;
            break;
        case 9:
            start_line(line_of[9]);
            force_layers_set = 0;
            say("force random links to sepecific layers -y:");
            input_string(1, 0);
            back = 8;
            break;
        case 10:
            start_line(line_of[10]);
            same_wiring = 0;
            say("same wiring everywhere-e:");
            input_string(1, 0);
            back = cube ? 9 : (ask_distinct ? 6 : 5);
            break;
        }

        // The layer ranges of question 7 are two pairs of entries.
        if (q == 7) {
            bool stepped = false;
            for (int r = 0; r < 2 && !stepped; r++) {
                snprintf(text, sizeof text, " range%d low:", r + 1);
                say(text);
                input_string(2, 0);
                if (is[0] == 'q' || is[0] == 'd') {
                    stepped = true;
                    break;
                }
                int low = typed_number();
                if (low >= 0 && low < h3d)
                    sup_3d_layers[2 * r] = static_cast<int16_t>(low);
                say(" high:");
                input_string(2, 0);
                if (is[0] == 'q' || is[0] == 'd') {
                    stepped = true;
                    break;
                }
                int high = typed_number();
                sup_3d_layers[2 * r + 1] = high >= 0 && high < h3d
                                               ? static_cast<int16_t>(high)
                                               : sup_3d_layers[2 * r];
            }
            if (is[0] == 'd') {
                sup_3d_layers[0] = sup_3d_layers[2] = -1;
            }
        }

        char key = is[0];
        last_key = key;
        if (key == 'd') {
            last_key = 0;
            q = 0;
            break;
        }
        if (key == 'q') {
            clear_line(line_of[q]);
            if (q == 1) {
                q = 0;
                break;
            }
            q = back;
            continue;
        }
        // The answer.
        switch (q) {
        case 1: {
            int zone = typed_number();
            zonesize = static_cast<uint16_t>(zone < 2 || zone > max ? max : zone);
            q = 2;
            break;
        }
        case 2:
            if (key == 'c')
                ca_bias = 1;
            q = 3;
            break;
        case 3: {
            int e = typed_number();
            if (e >= 1 && e <= nhood)
                escape_wires = static_cast<int8_t>(e);
            q = 4;
            break;
        }
        case 4: {
            if (key == 's')
                ib = 1;
            // The other axes on the same line.
            const char *axis[2] = {"  j:", "  h:"};
            uint8_t *flag[2] = {&jb, &hb};
            int axes = cube ? 2 : (twod ? 1 : 0);
            bool stepped = false;
            for (int a = 0; a < axes; a++) {
                say(axis[a]);
                input_string(1, 0);
                if (is[0] == 'q' || is[0] == 'd') {
                    stepped = true;
                    break;
                }
                if (is[0] == 's')
                    *flag[a] = 1;
            }
            if (stepped && is[0] == 'd') {
                last_key = 0;
                q = 0;
            } else if (stepped) {
                clear_line(line_of[4]);
                q = 3;
            } else {
                last_key = is[0];
                q = 5;
            }
            break;
        }
        case 5:
            if (key == '1' || key == '2')
                fixmidwire = static_cast<uint8_t>(key - '0');
            q = ask_distinct ? 6 : (cube ? 7 : 10);
            break;
        case 6:
            if (key == 'n' && nhood <= zonesize)
                distinct = 1;
            q = cube ? 7 : 10;
            break;
        case 7:
            q = 8;
            break;
        case 8: {
            int layer = typed_number();
            if (layer >= 0 && layer < h3d)
                direct_3d_link_layer = static_cast<int16_t>(layer);
            q = 9;
            break;
        }
        case 9:
            if (key == 'y') {
                force_layers_set = 1;
                force_rand_links_layer();
                q = 0;
            } else {
                q = 10;
            }
            break;
        case 10:
            if (key == 'e')
                same_wiring = 1;
            q = 0;
            break;
        }
    }
    is[0] = last_key;

    putimage(Maxx / 2, 2, &boximage_prompt[8], 0);
    freeimage(&boximage_prompt[8]);
    erase_memory_box();
    xtext = old_xtext;
}

void
force_rand_links_layer()
{
    int layers = h3d < 1 ? 1 : h3d;
    checked_free(force_layer);
    force_layer = static_cast<int16_t *>(
        checked_calloc(static_cast<size_t>(layers), sizeof(int16_t), "force_layer"));
    force_layer_entries = h3d;
    int available = nhood;
    char text[120];
    int layer = layers - 1;
    while (layer >= 0 && available > 0) {
        draw_prompt_box(1);
        snprintf(text, sizeof text, "k=%d, enter n links to layer %d (%d available):", nhood,
                 layer, available);
        say(text);
        input_string(1, 0);
        if (is[0] == 'q') {
            if (layer == layers - 1)
                break;
            layer++;
            available += force_layer[layer];
            force_layer[layer] = 0;
            continue;
        }
        int quota = typed_number();
        if (quota >= 0 && quota <= available) {
            force_layer[layer] = static_cast<int16_t>(quota);
            available -= quota;
        }
        layer--;
    }
    erase_prompt_box(1);
}
