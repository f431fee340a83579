// The network data menu and the listing's output (network_data.h). The
// listing's text is engine/wiring_editor/network_listing.h; loads and
// saves are storage/network_files.h and kmix_file.h; the data file is
// readied here through storage/file_dialog.h (a new or overwritten file
// is written whole by write_file) and appended to by data_lines.h. Reads
// the network model (model/), writes pdata, filedata (forward/),
// filename_data (storage/) and was_changed. Start at save_load_print_net.
#include "ui/wiring_editor/network_data.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring_editor/network_listing.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/storage/data_lines.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/kmix_file.h"
#include "ui/storage/network_files.h"

namespace {

// Prompt image slot saved under the menu's four lines.
constexpr int kMenuSlot = 14;
constexpr int kMenuLines = 4;

const char kWiringOffered[] = "just wiring: print-pw, load-lw, save-sw:";
const char kRulesNotOffered[] = "just rules: n/a                             ";

// The menu's four lines for the network as it is.
void
menu_lines(std::string lines[kMenuLines])
{
    const char *k_kind = nhood_mixed ? "k-mix" : "k-hom";
    char title[96];
    if (!rules_set) {
        snprintf(title, sizeof title, "%s, no rules, save/load/print: save kmix-k", k_kind);
        lines[0] = title;
        lines[1] = "just wiring: print-pw, load-lw, save-sw     ";
        lines[2] = kRulesNotOffered;
        lines[3] = "rulemix+wiring: n/a                        :";
        return;
    }
    snprintf(title, sizeof title, "%s, %s, save/load/print: save kmix-k", k_kind,
             rulemix ? "rulemix" : "no rulemix");
    lines[0] = title;
    lines[1] = kWiringOffered;
    if (!rulemix) {
        lines[2] = kRulesNotOffered;
        lines[3] = "rulemix+wiring:  n/a                       :";
    } else if (!nhood_mixed) {
        lines[2] = "just rules: print-pr, load-lr, save-sr,";
        lines[3] = "rulemix+wiring: print-pb, load-lb, save-sb :";
    } else {
        lines[2] = kRulesNotOffered;
        lines[3] = "rulemix+wiring: print-pb, load-lb, save-sb: ";
    }
}

// Shows the menu and reads up to two characters; the screen under it is
// put back. Returns the entry's length.
int
ask_menu()
{
    get_prompt_box(kMenuSlot, kMenuLines);
    int margin = draw_prompt_box(kMenuLines);
    int top = gety;
    int colour = getcolor();
    setcolor(white);
    std::string lines[kMenuLines];
    menu_lines(lines);
    for (int i = 0; i < kMenuLines; i++) {
        moveto(margin, top + i * CHeight);
        outtext(lines[i].c_str());
    }
    int len = input_string(2, text_entry);
    setcolor(colour);
    putimage(Maxx / 2, 2, &boximage_prompt[kMenuSlot], 0);
    freeimage(&boximage_prompt[kMenuSlot]);
    return len;
}

// One key at a one-line prompt box, which is erased again.
char
ask_line(const char *text)
{
    draw_prompt_box(1);
    int colour = getcolor();
    setcolor(white);
    outtext(text);
    input_string(1, single_key_entry);
    setcolor(colour);
    erase_prompt_box(1);
    return is[0];
}

bool
file_exists(const char *name)
{
    struct stat status;
    return stat(name, &status) == 0;
}

// The print sub-menu: sets pdata and filedata and readies the data file.
// False when the user went back to the menu ('q').
bool
ask_print_output()
{
    for (;;) {
        char key = ask_line("network text data: to xterm-p save-s both-b: ");
        if (key == 'q')
            return false;
        pdata = key == 'p' || key == 'b';
        filedata = key == 's' || key == 'b';
        if (!filedata)
            return true;
        if (select_filename("SAVE", "DATA", "*.dat", "net_data") == 'q') {
            filedata = 0;
            continue;
        }
        snprintf(filename_data, kFileNameSize, "%s", filename);
        if (ready_listing_file(filename_data))
            return true;
        filedata = 0;
    }
}

// The listing to wherever the flags send it.
void
put_listing(const std::string &text)
{
    if (pdata)
        print_out(text.c_str());
    if (filedata)
        save_data(text.c_str());
}

} // namespace

bool
ready_listing_file(const char *name)
{
    if (file_exists(name)) {
        char text[kFileNameSize + 48];
        snprintf(text, sizeof text, "%s exists: overwrite-o, append-a:", name);
        char key = ask_line(text);
        if (key == 'q')
            return false;
        if (key != 'o')
            return true;
    }
    if (!write_file(name, "", 0)) {
        int16_t x = getx, y = gety;
        file_error(name);
        moveto(x, y);
        filedata = 0;
    }
    return true;
}

void
write_network_listing(int kind)
{
    cell_out_freq();
    // Composed whole and then written: the data file takes the listing in
    // one append, so a failed one leaves no part of it.
    std::string listing = listing_header(kind);
    listing_sums sums = start_listing_sums();
    for (int c = lineL - 1; c >= 0; c--) {
        if (event_ready() && is[0] == 'q')
            break;
        listing += listing_row(static_cast<uint16_t>(c), kind, sums);
    }
    listing += listing_averages(kind, sums);
    listing += "\n";
    put_listing(listing);
}

int
save_load_print_net()
{
    int16_t x = getx, y = gety;
    int result = 0;
    for (;;) {
        int len = ask_menu();
        char first = is[0], second = len > 1 ? is[1] : 0;
        if (first == 'k' && nhood_mixed) {
            load_save_nhoodmix('s');
            continue;
        }
        int kind = listing_kind(rules_set, second);
        if (first == 'l') {
            uint8_t loaded = load_save_wrs('l', nullptr, kind);
            was_changed = 1;
            cell_out_freq();
            result = loaded != 0 ? 1 : 0;
        } else if (first == 's') {
            load_save_wrs('s', nullptr, kind);
        } else if (first == 'p') {
            uint8_t pdata_before = pdata;
            if (!ask_print_output()) {
                pdata = pdata_before;
                continue;
            }
            write_network_listing(kind);
            pdata = pdata_before;
            filedata = 0;
        }
        break;
    }
    is[0] = is[1] = 0;
    moveto(x, y);
    return result;
}
