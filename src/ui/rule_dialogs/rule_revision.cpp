// Revision of the rule or code outside the set-up, and the load of one
// rule, tcode or kcode for the dialogs (rule_revision.h). The dialogs are
// rule_dialog.h and code_dialog.h; the file itself is read by load_save_wrs
// (ui/storage/network_files.h), which leaves the network untouched when a
// file's k may not change it. Start at revise_rule_or_code.
#include "ui/rule_dialogs/rule_revision.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "ui/model/rule_parameters.h"
#include "ui/rule_dialogs/code_dialog.h"
#include "ui/rule_dialogs/rule_dialog.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/screen/window_record.h"
#include "ui/storage/network_files.h"

namespace {

constexpr int kReviseSlot = 5;   // boximage slot under the revise box
constexpr int kPromptSlot = 5;   // boximage_prompt slot under a message

// Bytes of one rule, tcode or kcode of k inputs of the rule kind.
size_t
kind_bytes(int k)
{
    if (totalistic == rule_kind_tcodes)
        return tcode_bytes(k);
    if (totalistic == rule_kind_kcodes)
        return kcode_bytes(k);
    return rule_bytes(k);
}

// A one-line message over the saved prompt box, one key, the box back.
void
tell(const char *text)
{
    int16_t x = getx, y = gety;
    get_prompt_box(kPromptSlot, 1);
    draw_prompt_box(1);
    outtext(text);
    input_string(1, text_entry);
    putimage(Maxx / 2, 2, &boximage_prompt[kPromptSlot], 3);
    freeimage(&boximage_prompt[kPromptSlot]);
    moveto(x, y);
}

} // namespace

void
revise_rule_or_code(int cell)
{
    int8_t kind = totalistic;
    if (!tot_only)
        totalistic = rule_kind_tables;
    // The box stands left of the running pattern's key panel, if one is
    // kept, so that the panel's lines stay readable under the dialog.
    const figure_box_place box = revise_box();
    const int text_left = revise_text_left();
    draw_box(kReviseSlot, box.x0, box.y0, box.x1, box.y1, 1, 0);
    moveto(text_left, vgay(345));
    if (!tot_only) {
        outtext("totalistic: tcode-t kcode-k (rule-def):");
        input_string(1, text_entry);
        totalistic = is[0] == 't'   ? rule_kind_tcodes
                     : is[0] == 'k' ? rule_kind_kcodes
                                    : rule_kind_tables;
    }
    moveto(text_left, vgay(345) - CHeight);
    keep_text_margin();
    xtext = static_cast<float>(text_left) / CWidth;
    bool own_row = rulemix || (outer_tot && cell < value_range);
    int which = own_row ? cell : Maxu;
    if (totalistic == rule_kind_tables)
        select_rule(1, 1, carule, 1, rulemix ? cell : Maxu);
    else
        select_t_v_code(1, 1, totalistic == rule_kind_tcodes ? cacode : v_code, carule, 1, which);
    put_back_text_margin();
    putimage(box.x0, box.y0, &boximage[kReviseSlot], 3);
    freeimage(&boximage[kReviseSlot]);
    if (!tot_only) {
        int row = rulemix ? cell : 0;
        rule_z_figures(nhoodm[row], carule[row]);
    }
    totalistic = kind;
    is[0] = 0;
}

int
loadlast_rule_tcode_vcode(uint8_t *row, int k, int32_t, int cell)
{
    char text[120];
    bool outer_row = outer_tot && cell < value_range;
    if (!rulemix && !outer_row) {
        int old_k = nhood;
        uint8_t file_k = load_save_wrs('l', row, 0);
        // A refused file was said so by the loader, 'q' in is[0].
        if (is[0] == 'q')
            return 0;
        if (file_k == k)
            return k;
        if (nhood != old_k) {
            // Set-up with one k: the network was rebuilt for the file's k.
            const char *what = totalistic == rule_kind_tcodes   ? "tcode"
                               : totalistic == rule_kind_kcodes ? "kcode"
                                                                : "rule";
            snprintf(text, sizeof text, "%s loaded, k changed from %d to %d, cont-ret:", what, k,
                     file_k);
            tell(text);
            next_line(xtext, 1.5f);
            return file_k;
        }
        snprintf(text, sizeof text, "not loaded, filek=%d, this basek=%d, return-continue", file_k, k);
        tell(text);
        return 0;
    }
    std::vector<uint8_t> scratch(kind_bytes(nhood), 0);
    uint8_t file_k = load_save_wrs('l', scratch.data(), 0);
    if (is[0] == 'q')
        return 0;
    if (file_k == k) {
        memcpy(row, scratch.data(), kind_bytes(k));
        return k;
    }
    snprintf(text, sizeof text, "not loaded, filek=%d, basek=%d, return-continue", file_k, k);
    tell(text);
    return 0;
}
