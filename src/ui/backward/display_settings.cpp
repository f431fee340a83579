// The DISPLAY stage (format_draw) and the PAUSE/DATA stage (data_att): two
// question tables over the tree display, pause and data settings of
// engine/backward/globals.h, with the stage cursor (accept_from, acceptall)
// of engine/forward/globals.h. A stage shows its dialog only when the
// cursor stands on it and moves the cursor on when it ends. Start reading at
// format_draw.
#include "ui/backward/display_settings.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "engine/backward/basin_layout.h"
#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "ui/backward/layout_settings.h"
#include "ui/screen/boxes.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/question_table.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"

namespace {

// The node letter chosen at the node prompt of this pass ('B' for bit
// patterns shown as 2d), read by the 1d-as-2d prompts that follow it.
char node_letter = 0;

void
next_prompt_line(int margin)
{
    moveto(margin, gety + CHeight);
}

// A one-key answer after the prompt, ended by Return as every answer of the
// set-up is; the key stays in is[0].
char
ask_key()
{
    input_string(1, text_entry);
    return is[0];
}

// Trees are compressed by rotational symmetry only on a regular 1d network
// with local wiring or a regular 2d lattice, with one rule.
bool
compression_offered()
{
    return (nonlocal == 0 || regular2d) && !rulemix;
}

bool
display_shown()
{
    return !acceptall && accept_from == accept_from_display;
}

// The letter of the current node display, offered as the default.
char
current_node_letter()
{
    switch (shownumbers) {
    case shownumbers_none:
        return 'n';
    case shownumbers_spot:
        return 's';
    case shownumbers_decimal:
        return lineL <= 31 && decimal_labels_fit(lineL, value_range) ? 'c' : 'h';
    case shownumbers_bits:
        return showbits_1d_as_2d ? 'B' : 'b';
    default:
        return 'h';
    }
}

// The two lines of the node prompt from the current point.
void
write_node_prompt(int margin, bool titled)
{
    if (!titled)
        outtext("DISPLAY ");
    bool decimal = decimal_labels_fit(lineL, value_range);
    if (oned)
        outtext(decimal ? "nodes: 2d-B 1d-b hex-h dec-c spot-s" : "nodes: 2d-B 1d-b hex-h spot-s");
    else
        outtext(decimal ? "nodes: 2d-b hex-h dec-c spot-s" : "nodes: 2d-b hex-h spot-s");
    next_prompt_line(margin);
    char text[150];
    snprintf(text, sizeof text, "just g-nodes +g, no g-nodes +G, none-n (def-%c):",
             current_node_letter());
    outtext(text);
}

// Takes the node answer of len characters. Decimal state numbers are
// refused where they do not fit 32 bits: the display stays as it was.
void
take_node_answer(int len)
{
    just_G = just_G_all;
    char first = is[0], second = len >= 2 ? is[1] : 0;
    node_letter = first;
    switch (first) {
    case 's':
        shownumbers = shownumbers_spot;
        break;
    case 'c':
        if (decimal_labels_fit(lineL, value_range))
            shownumbers = shownumbers_decimal;
        break;
    case 'h':
        shownumbers = shownumbers_hex;
        break;
    case 'B':
        if (oned) {
            showbits_1d_as_2d = 1;
            shownumbers = shownumbers_bits;
            set_i2dxj2d();
            break;
        }
        node_letter = 'b';
        [[fallthrough]];
    case 'b':
        shownumbers = shownumbers_bits;
        showbits_1d_as_2d = 0;
        hilight_learn = hilight_off;
        break;
    case 'n':
        shownumbers = shownumbers_none;
        break;
    default:
        node_letter = current_node_letter();
        break;
    }
    if (first == 'g' || second == 'g')
        just_G = just_G_only;
    else if (first == 'G' || second == 'G')
        just_G = just_G_none;
    if (twod)
        showbits_1d_as_2d = 0;
}

// "now %dx%d=%d, reset i-axis:" and its answer; false on 'q'.
bool
ask_i_axis(const char *format)
{
    char text[150];
    snprintf(text, sizeof text, format, i2d, j2d, lineL);
    outtext(text);
    int len = input_string(3, text_entry);
    if (is[0] == 'q')
        return false;
    if (is[0] != 'd' && is[0] != kKeyReturn)
        set_i_axis(whole_answer_held(i2d, {1, static_cast<double>(lineL)}, len), lineL);
    return true;
}

// --- The DISPLAY rows.

void
compression_prompt()
{
    int margin = replace_prompt_box(2);
    char text[150];
    if (twod)
        snprintf(text, sizeof text, "DISPLAY regular 2d CA, v%dk%d size=%dx%d", value_range, nhood,
                 i2d, j2d);
    else
        snprintf(text, sizeof text, "DISPLAY regular 1d CA, v%dk%d size=%d", value_range, nhood,
                 lineL);
    outtext(text);
    next_prompt_line(margin);
    outtext(dontcompress ? "compression in basins/fields is OFF, on-s:"
                         : "compression in basins/fields is ON, off-s:");
}

answer_step
take_compression(int)
{
    if (is[0] == 's')
        dontcompress = static_cast<uint8_t>(!dontcompress);
    return answer_step::next;
}

bool
copies_asked()
{
    return compression_offered() && !dontcompress;
}

void
copies_prompt()
{
    int margin = replace_prompt_box(2);
    outtext("suppress copies of trees (& sub-trees from all 0s,1s)");
    next_prompt_line(margin);
    outtext("all-3, show g-of-E nodes-2, reduce g-of-E nodes-1:");
}

answer_step
take_copies(int)
{
    char key = is[0];
    dontcopytrees = key >= '1' && key <= '3' ? static_cast<uint8_t>(key - '0') : copies_drawn;
    return answer_step::next;
}

void
open_row()
{
}

// The node prompt reads its own entry: 'q' goes back to the compression
// prompt when there was one, else out of the stage.
answer_step
take_nodes(int)
{
    int margin = replace_prompt_box(2);
    write_node_prompt(margin, compression_offered());
    int len = input_string(2, text_entry);
    if (is[0] == 'q')
        return compression_offered() ? answer_step::restart : answer_step::leave;
    if (is[0] == 'd') {
        acceptall = 1;
        return answer_step::finish;
    }
    take_node_answer(len);
    return answer_step::next;
}

bool
shows_labels()
{
    return shownumbers == shownumbers_decimal || shownumbers == shownumbers_hex;
}

// The highlight of an attractor (or subtree root) as a bit pattern. Here and
// at the questions after it 'q' asks the node prompt again and 'd' accepts
// the rest. Returns how the walk goes on.
answer_step
ask_highlight()
{
    const char *text = "highlight attractor (or subtree root) as bit pattern: one-1 all-a:";
    char key;
    {
        prompt_font font({std::string(text) + "00"});
        replace_prompt_box(1);
        outtext(text);
        key = ask_key();
    }
    show_one_att_state = 0;
    if (key == 'q')
        return answer_step::back;
    if (key == 'd')
        return answer_step::finish;
    if (key == '1')
        show_one_att_state = 1;
    else if (key == 'a')
        show_one_att_state = 2;
    if (!show_one_att_state)
        return answer_step::next;
    if (threed) {
        i2d = i3d;
        j2d = static_cast<int16_t>(j3d * h3d);
    } else if (oned) {
        set_i2dxj2d();
        if (i2d == 0) {
            i2d = static_cast<int16_t>(lineL);
            j2d = 1;
        }
    }
    return answer_step::next;
}

answer_step
ask_one_d_as_two_d()
{
    if (!oned)
        return answer_step::next;
    bool highlighted = show_one_att_state != 0;
    if (!showbits_1d_as_2d && (shownumbers == shownumbers_bits || highlighted)) {
        replace_prompt_box(1);
        outtext("show 1d network in 2d-2:");
        char key = ask_key();
        if (key == 'q')
            return answer_step::back;
        if (key == 'd')
            return answer_step::finish;
        if (key == '2') {
            showbits_1d_as_2d = 1;
            set_i2dxj2d();
        }
    }
    if (showbits_1d_as_2d && (node_letter == 'B' || highlighted)) {
        replace_prompt_box(1);
        if (!ask_i_axis("now %dx%d=%d, reset i-axis:"))
            return answer_step::back;
        if (is[0] == 'd')
            return answer_step::finish;
    }
    return answer_step::next;
}

answer_step
ask_label_scale()
{
    if (!shows_labels())
        return answer_step::next;
    if (labelsizefactor == 0)
        labelsizefactor = 1.0f;
    char text[150];
    snprintf(text, sizeof text, "dec/hex node scale, enter factor (now %.1f, curfont-0): ",
             labelsizefactor);
    // Broken at the box's width where the factor's entry would run past it.
    const prompt_part line = {text, 3};
    write_prompt_part(text, line.entry, replace_prompt_box(prompt_parts_lines(&line, 1)));
    int len = input_string(line.entry, text_entry);
    if (is[0] == 'q')
        return answer_step::back;
    if (is[0] == 'd')
        return answer_step::finish;
    if (is[0] == kKeyReturn)
        return answer_step::next;
    double value;
    entry_as_number(value); // text that is no number reads as 0: the current font
    if (value == 0) {
        labelsizefactor = 0;
    } else {
        // Held to labels between one pixel and the window's height tall: a
        // factor such as 1e9 or inf would overflow the scaled font metrics.
        labelsizefactor = static_cast<float>(
            answer_held(labelsizefactor, {1.0 / CHeight, static_cast<double>(Maxy) / CHeight}, len));
        char name[150];
        snprintf(name, sizeof name, "%s%d%s", "-*-times-medium-r-*-*-*-",
                 8 * static_cast<int>(labelsizefactor * pointsize), "-*-*-*-*-*-*");
        load_label_font(name);
    }
    return answer_step::next;
}

answer_step
ask_cell_scale()
{
    bool bits = shownumbers == shownumbers_bits || show_one_att_state != 0;
    if (!bits || shownumbers == shownumbers_none || shownumbers == shownumbers_spot)
        return answer_step::next;
    replace_prompt_box(1);
    char text[150];
    snprintf(text, sizeof text, "cell scale, now %d pixels:", scale);
    outtext(text);
    int len = input_string(2, text_entry);
    if (is[0] == 'q')
        return answer_step::back;
    if (is[0] == 'd')
        return answer_step::finish;
    scale = static_cast<uint8_t>(whole_answer_held(scale, {1, 99}, len));
    return answer_step::next;
}

answer_step
ask_angles_and_colour()
{
    char text[150];
    snprintf(text, sizeof text,
             "change start edge color (now %d) red-0 blue-1 green-2 yellow-3:", start_edge_color);
    // The box of three lines in the medium font where the colour line, the
    // widest, would run past the narrow window's edge.
    prompt_font font({with_widest_entry(text, 1), "", ""});
    int margin = replace_prompt_box(3);
    if (!ask_orientation())
        return answer_step::back;
    if (is[0] == 'd')
        return answer_step::finish;
    next_prompt_line(margin);
    if (!ask_fan_angle())
        return answer_step::back;
    if (is[0] == 'd')
        return answer_step::finish;
    next_prompt_line(margin);
    outtext(text);
    char key = ask_key();
    if (key == 'q')
        return answer_step::back;
    if (key == 'd')
        return answer_step::finish;
    const uint8_t edge_colours[] = {lightred, lightcyan, green, yellow};
    if (key >= '0' && key <= '3')
        start_edge_color = edge_colours[key - '0'];
    return answer_step::next;
}

answer_step
take_node_details(int)
{
    answer_step (*const steps[])() = {ask_highlight, ask_one_d_as_two_d, ask_label_scale,
                                      ask_cell_scale, ask_angles_and_colour};
    for (auto step : steps) {
        answer_step next = step();
        if (next == answer_step::finish)
            acceptall = 1;
        if (next != answer_step::next)
            return next;
    }
    return answer_step::next;
}

void
erase_display_prompt(int, int)
{
    erase_prompt_box(3);
}

// --- The PAUSE/DATA rows.

bool pause_title_due = false;  // "PAUSE/DATA " still to be written before a prompt

bool
pause_shown()
{
    return !acceptall && accept_from == accept_from_pause;
}

// Opens the prompt box of the row and writes its first line; the stage's
// title goes before the first row's line, which is then broken to the box's
// width. lines counts the row's lines with the first one unbroken.
int
open_pause_box(int lines, const char *first)
{
    std::string text = pause_title_due ? std::string("PAUSE/DATA ") + first : first;
    pause_title_due = false;
    int margin = replace_prompt_box(prompt_box_lines(text.c_str()) + lines - 1);
    write_prompt_lines(text.c_str(), margin);
    return margin;
}

bool
field_pause_asked()
{
    return basinfield && rangeL;
}

void
field_pause_prompt()
{
    open_pause_box(1, "pause after each field-f, don't pause-def:");
}

answer_step
take_field_pause(int)
{
    fieldpause = is[0] == 'f';
    return answer_step::next;
}

bool
data_pause_asked()
{
    return !basinfield || !rangeL || fieldpause;
}

void
data_pause_prompt()
{
    if (successive_basins) {
        datapause = datapause_basin;
        open_pause_box(1, "pause for data: subtree-3 tree-2 none-0 basin-def:");
    } else {
        datapause = datapause_unset;
        open_pause_box(1, "pause for data: subtree-3 tree-2 basin-1, none-def:");
    }
}

answer_step
take_data_pause(int)
{
    if (is[0] >= '0' && is[0] <= '3')
        datapause = static_cast<uint8_t>(is[0] - '0');
    return answer_step::next;
}

void
reset_print_data()
{
    pdata = data_off;
}

void
print_data_prompt()
{
    int margin = open_pause_box(2, "print data");
    next_prompt_line(margin);
    outtext("basin data only-1, and tree data-2:");
}

answer_step
take_print_data(int)
{
    if (is[0] == '1' || is[0] == '2')
        pdata = static_cast<uint8_t>(is[0] - '0');
    return answer_step::next;
}

void
reset_file_data()
{
    filestates = 0;
    filedata = data_off;
}

// The data file's question and its answer: a kind of data and 's', or 's'
// alone.
constexpr prompt_part file_data_question = {
    "basin data only-1, and tree data-2, show states-s or+s:", 2};

void
file_data_prompt()
{
    // Broken at the box's width where the answer's echo (and its cursor)
    // would run past the box's right frame (a window of a 1024-pixel screen).
    int margin = open_pause_box(1 + prompt_parts_lines(&file_data_question, 1), "save data");
    next_prompt_line(margin);
    write_prompt_part(file_data_question.text, file_data_question.entry, margin);
}

// Creates the data file when missing; an existing one keeps its lines, as
// every writer appends to it.
void
create_data_file()
{
    int fd = myopen(filename_data, open_write, open_append);
    if (fd < 0) {
        file_error(filename_data);
        return;
    }
    close(fd);
}

answer_step
take_file_data(int len)
{
    char first = is[0], second = len >= 2 ? is[1] : 0;
    if (first == '1' || first == '2')
        filedata = static_cast<uint8_t>(first - '0');
    if (first == 's' || second == 's')
        filestates = 1;
    if (!filedata && !filestates)
        return answer_step::next;
    erase_prompt_box(2);
    if (select_filename("SAVE", "DATA", "*.dat", "my_data") == 'q')
        return answer_step::again;
    snprintf(filename_data, kFileNameSize, "%s", filename);
    create_data_file();
    return answer_step::next;
}

void
reset_meta_graph()
{
    meta_graph = meta_graph_off;
}

bool
meta_graph_asked()
{
    return basinfield != 0;
}

// Whether a yes to the meta-graph turns tree compression off, which is then
// said on a line of its own: after the answer it would run past the box.
bool
meta_graph_turns_compression_off()
{
    return !dontcompress && compression_offered();
}

void
meta_graph_prompt()
{
    open_pause_box(meta_graph_turns_compression_off() ? 3 : 2, "attractor meta-graph -m:");
}

answer_step
take_meta_graph(int)
{
    if (is[0] != 'm')
        return answer_step::next;
    meta_graph = meta_graph_on;
    int margin = Maxx / 2 + 3;
    if (meta_graph_turns_compression_off()) {
        next_prompt_line(margin);
        outtext(" - compression in basins/fields turned OFF");
    }
    dontcompress = 1;
    next_prompt_line(margin);
    outtext("show jump-table: numbers-n fractions-f both-b:");
    char key = ask_key();
    if (key == 'q')
        return answer_step::again;
    if (key == 'd') {
        acceptall = 1;
        return answer_step::finish;
    }
    if (key == 'n')
        meta_graph = meta_graph_numbers;
    else if (key == 'f')
        meta_graph = meta_graph_fractions;
    else if (key == 'b')
        meta_graph = meta_graph_both;
    return answer_step::next;
}

void
erase_pause_prompt(int, int)
{
    erase_prompt_box(2);
}

} // namespace

bool
ask_learning_nodes()
{
    for (;;) {
        int margin = replace_prompt_box(2);
        write_node_prompt(margin, false);
        int len = input_string(2, text_entry);
        if (is[0] == 'q')
            return false;
        take_node_answer(len);
        if (!(oned && showbits_1d_as_2d))
            return true;
        replace_prompt_box(1);
        if (ask_i_axis("now %dx%d, reset i-axis:"))
            return true;
    }
}

void
format_draw()
{
    if (display_shown()) {
        hilight_learn = hilight_off;
        node_letter = 0;
        show_accept_defaults();
        static const question rows[] = {
            question::row()
                .when(compression_offered)
                .prompts(compression_prompt)
                .entry(1, text_entry)
                .then(take_compression)
                .quits(answer_step::leave),
            question::row()
                .when(copies_asked)
                .prompts(copies_prompt)
                .entry(1, text_entry)
                .then(take_copies),
            question::row().prompts(open_row).then(take_nodes).quits(answer_step::leave),
            question::row().prompts(open_row).then(take_node_details),
        };
        static const question_place place = {nullptr, erase_display_prompt, true};
        answer_step end = ask_questions(rows, place);
        erase_prompt_box(3);
        if (end == answer_step::leave)
            return;
        if (is[0] == 'd')
            acceptall = 1;
    }
    if (accept_from == accept_from_display)
        accept_from = accept_from_pause;
    is[0] = kKeyReturn;
}

void
data_att()
{
    if (pause_shown()) {
        pause_title_due = true;
        show_accept_defaults();
        static const question rows[] = {
            question::row()
                .when(field_pause_asked)
                .prompts(field_pause_prompt)
                .entry(1, text_entry)
                .then(take_field_pause)
                .quits(answer_step::leave),
            question::row()
                .when(data_pause_asked)
                .prompts(data_pause_prompt)
                .entry(1, text_entry)
                .then(take_data_pause)
                .quits(answer_step::leave),
            question::row()
                .resets(reset_print_data)
                .prompts(print_data_prompt)
                .entry(1, text_entry)
                .then(take_print_data)
                .quits(answer_step::restart),
            question::row()
                .resets(reset_file_data)
                .prompts(file_data_prompt)
                .entry(file_data_question.entry, text_entry)
                .then(take_file_data),
            question::row()
                .when(meta_graph_asked)
                .resets(reset_meta_graph)
                .prompts(meta_graph_prompt)
                .entry(1, text_entry)
                .then(take_meta_graph),
        };
        static const question_place place = {nullptr, erase_pause_prompt, true};
        answer_step end = ask_questions(rows, place);
        erase_prompt_box(2);
        if (end == answer_step::leave)
            return;
        if (is[0] == 'd')
            acceptall = 1;
    }
    if (accept_from == accept_from_pause)
        accept_from = accept_from_mutation;
    is[0] = kKeyReturn;
}
