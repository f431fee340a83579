// The program's start: fixed limits, the command line, the random seed, the
// handlers the lower layers call up through (the out-of-memory box, the text
// entry's hot keys), the memory that lives as long as the program, the
// window; then the first screen, the root of the staged set-up, and the clean
// exit. Start reading at start_zemra.
#include "ui/driver/startup.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/key_poll.h"
#include "engine/model/network_arrays.h"
#include "ui/backward/stop_prompts.h"
#include "ui/driver/options_box.h"
#include "ui/driver/run_drivers.h"
#include "ui/driver/ants.h"
#include "ui/driver/globals.h"
#include "ui/driver/mutation.h"
#include "ui/driver/network_growth.h"
#include "ui/driver/out_of_memory.h"
#include "ui/driver/setup_stages.h"
#include "ui/driver/start_state.h"
#include "ui/forward/frozen_key.h"
#include "ui/forward/run_settings.h"
#include "ui/graphs/graph_commands.h"
#include "ui/measures/lambda_z_plot.h"
#include "ui/forward/running_keys.h"
#include "ui/model/buffers.h"
#include "ui/model/cell_display.h"
#include "ui/model/globals.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/end_signals.h"
#include "ui/screen/globals.h"
#include "ui/screen/graphics_menu.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/print_window.h"
#include "ui/screen/window.h"
#include "ui/storage/globals.h"
#include "ui/storage/network_files.h"
#include "ui/storage/screen_image_file.h"
#include "ui/wiring_editor/wire_up.h"

namespace {

constexpr int kGliderValueRanges = 9;  // rows indexed by v, 2..8 used
constexpr int kGliderKs = 14;          // counts indexed by k, 0..13

void
allocate_glider_tables()
{
    no_glider_rules = static_cast<uint16_t **>(
        checked_calloc(kGliderValueRanges, sizeof(uint16_t *), "no_glider_rules"));
    for (int v = 2; v <= 8; v++)
        no_glider_rules[v] = static_cast<uint16_t *>(
            checked_calloc(kGliderKs, sizeof(uint16_t), "no_glider_rules"));
    glider_buf = static_cast<uint8_t *>(checked_calloc(4, 1, "glider_buf"));
}

void
free_glider_tables()
{
    for (int v = 2; v <= 8; v++)
        checked_free(no_glider_rules[v]);
    checked_free(no_glider_rules);
    no_glider_rules = nullptr;
    checked_free(glider_buf);
    glider_buf = nullptr;
}

// Clears the window, redraws the bottom title strip and leaves the viewport
// at the drawing area.
void
full_redraw()
{
    setviewport(0, 0, Maxx, WinMaxy, 1);
    clearviewport();
    setcolor(white);
    draw_bottom_title(0);
    setviewport(0, 0, Maxx, Maxy, 1);
    tview_x0 = view_x0;
    tview_y0 = view_y0;
    tview_x1 = view_x1;
    tview_y1 = view_y1;
}

const char kBuildTag[] = "Zemram05 Sept 2005 ";

const char kUsage[] =
    "Usage: zemra [-w | -b] [-t]\n"
    "Studies cellular automata and random Boolean networks in a window on the\n"
    "X display that DISPLAY names.\n"
    "  -w          white background\n"
    "  -b          black background (the default; the later of -w and -b wins)\n"
    "  -t          totalistic rules, forward only\n"
    "  -h, --help  print these options and exit\n"
    "Only the first two arguments set anything, each read by its first two\n"
    "characters (-wt is -w); anything else is ignored.\n";

// The first screen's figures: the window's size, the font's and the seed's.
void
compose_screen_figures(char *text, size_t size, uint32_t randseed)
{
    snprintf(text, size, "screen=%dx%d pt=%d randseed=%u", Maxx + 1, WinMaxy + 1, pointsize,
             randseed);
}

// Lines of the first prompt's box as last drawn: a resize redraws the box
// as it was, and the erase takes that box away.
int first_box_lines = 2;

// Two lines, or three when the build tag and the figures do not fit one
// line of the box (measured with the widest seed, so that the box depends
// on the window and the font alone).
int
first_box_lines_needed()
{
    char figures[150];
    compose_screen_figures(figures, sizeof figures, kLargestSeed);
    std::string line = std::string(kBuildTag) + figures;
    int room = box_right_edge(Maxx) - 3 - prompt_box_text(Maxx);
    return text_pixel_width(line.c_str(), static_cast<int>(line.size())) <= room ? 2 : 3;
}

// Draws the first prompt and reads its key into is[0]. The random generator
// starts again from randseed each time, so the same answers give the same
// random rules and wirings.
void
first_prompt(uint32_t randseed)
{
    srandom(randseed);
    int lines = first_box_lines = first_box_lines_needed();
    int margin = draw_prompt_box(lines);
    setcolor(green);
    outtext(kBuildTag);
    setcolor(white);
    if (lines > 2)
        moveto(margin, gety + CHeight);
    compose_screen_figures(textb[0], 150, randseed);
    outtext(textb[0]);
    moveto(margin, gety + CHeight);
    outtext("mouse buttons: left=ret right='q'=backtrack");

    moveto(vgax(50), text_column_top());
    if (!tot_only) {
        outtext("EXIT-q, graphics setup-g, randseed-r, totalistic/forward only-t");
        moveto(vgax(50), gety + CHeight);
        outtext("forward only/single basin/subtree-s (def-field):");
    } else {
        outtext("EXIT-q, graphics setup-g, randseed-r, allow basins-b");
        moveto(vgax(50), gety + CHeight);
        setcolor(lightred);
        outtext("totalistic rules and forward only (def):");
        setcolor(white);
    }
    setfillstyle(0, black);
    bar(getx, gety, getx + CWidth, gety + CHeight);
    input_string(1, text_entry);
}

void
random_seed_dialog(uint32_t *randseed)
{
    erase_prompt_box(first_prompt_box_lines());
    draw_prompt_box(1);
    char question[80];
    snprintf(question, sizeof question, "enter random number seed 0-%lu (def random):",
             static_cast<unsigned long>(kLargestSeed));
    outtext(question);
    input_string(5, text_entry);
    if (is[0] == 'q')
        return;
    if (is[0] == kKeyReturn) {
        *randseed = static_cast<uint32_t>(random() % (kLargestSeed + 1));
        return;
    }
    std::string answer = entry_text();
    if (parse_seed_answer(answer, randseed))
        return;
    // A refused answer is said so on a second line, with the seed that
    // stays: after the question and the answer it would pass the window's
    // edge.
    int margin = draw_prompt_box(2);
    outtext((question + answer).c_str());
    moveto(margin, gety + CHeight);
    snprintf(textb[0], 150, "refused, seed stays %u, cont-ret:", *randseed);
    outtext(textb[0]);
    input_string(1, text_entry);
}

// The exit box of the first screen: 'q' leaves the program, any other key
// takes the box down and redraws the screen.
void
exit_box()
{
    box_corners box = draw_exit_question(-1, "Exit Zemra-q, Restart-ret:");
    input_string(1, text_entry);
    if (is[0] == 'q')
        clean_exit();
    erase_box(box.x0, box.y0, box.x1, box.y1);
    setcolor(white);
    setpback_x_lines(0);
    full_redraw();
}

// The first screen's prompt and its keys, until the program ends.
[[noreturn]] void
first_screen(uint32_t randseed)
{
    uint8_t chosen_field = basinfield;
    full_redraw();
    for (;;) {
        first_prompt(randseed);
        char key = is[0];
        if (key == 't' && !tot_only) {
            free_mem_Z_parameter();
            tot_only = 1;
            full_redraw();
        } else if (key == 'b' && tot_only) {
            allocate_mem_Z_parameter();
            tot_only = 0;
            full_redraw();
        } else if (key == 'a') {
            clear_drawing_area();
            new_ant();
            clear_drawing_area();
            draw_bottom_title(1);
        } else if (key == 'r') {
            random_seed_dialog(&randseed);
        } else if (key == 'g') {
            show_old_colors();
            revise_graphics();
            full_redraw();
        } else if (key == 'q') {
            exit_box();
        } else {
            basinfield = key == 's' || key == 'S' || tot_only ? 0 : 1;
            if (basinfield != chosen_field) {
                chosen_field = basinfield;
                layout_notset = 1;
            }
            run_setup_stages();
        }
    }
}

} // namespace

int
first_prompt_box_lines()
{
    return first_box_lines;
}

void
parse_command_line(int argc, char **argv, char *background, uint8_t *totalistic_only)
{
    for (int i = 1; i < argc && i <= 2; i++) {
        const char *arg = argv[i];
        if (arg[0] != '-' || arg[1] == '\0')
            continue;
        if (arg[1] == 'w' || arg[1] == 'b')
            *background = arg[1];
        else if (arg[1] == 't')
            *totalistic_only = 1;
    }
}

bool
asks_for_help(int argc, char **argv)
{
    for (int i = 1; i < argc; i++)
        if (strcmp(argv[i], "-h") == 0 || strcmp(argv[i], "--help") == 0)
            return true;
    return false;
}

uint32_t
startup_randseed(uint32_t pid, uint32_t seconds)
{
    return (pid * seconds) % (kLargestSeed + 1);
}

bool
parse_seed_answer(const std::string &answer, uint32_t *seed)
{
    if (answer.empty())
        return false;
    if (answer.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    char *end = nullptr;
    long number = strtol(answer.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || number > static_cast<long>(kLargestSeed))
        return false;
    *seed = static_cast<uint32_t>(number);
    return true;
}

void
register_window_hooks()
{
    register_engine_prompts();
    set_tree_prompt_hooks({finish_options});
    set_entry_hot_key('@', printimage);
    set_entry_hot_key('>', [] { save_screen(); });
    set_entry_hot_key('<', load_screen);
    set_network_rewire(wire_up_network);
    set_graph_field_redraw(redraw_field_in_graph);
    set_program_end(clean_exit);
    set_network_change_hooks({can_resize_by_one, wire_rule_extra_cell, wire_move});
    set_network_resizer(change_net_size);
    set_lambda_z_hooks({mutate_rule, finish_options});
}

void
start_zemra(int argc, char **argv)
{
    if (asks_for_help(argc, argv)) {
        fputs(kUsage, stdout);
        exit(0);
    }
    set_outof_memory_handler(outof_memory);
    register_window_hooks();
    catch_end_signals();
    restore_start_state();
    parse_command_line(argc, argv, &bground, &tot_only);

    uint32_t randseed = startup_randseed(static_cast<uint32_t>(getpid()),
                                         static_cast<uint32_t>(time(nullptr)));

    allocate_mem_buffers();
    if (!tot_only)
        allocate_mem_Z_parameter();
    allocate_glider_tables();

    secondpart = 0;
    open_graphics();
    msize = vgax(200);
    Leftx = 50;
    xtext = static_cast<float>(vgax(50)) / CWidth;
    first_screen(randseed);
}

void
clean_exit()
{
    if (!tot_only)
        free_mem_Z_parameter();
    free_glider_tables();
    close_graphics();
    free_mem_buffers();
    fputs("\nZemra clean exit\n", stderr);
    exit(0);
}
