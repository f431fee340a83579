// Printing the window on paper ('@' in any text entry, 'p' in the options
// and out-of-memory boxes). The program draws nothing itself: it asks how to
// print, dumps the window with xwd into temp_window_file.im in the working
// directory, converts the dump to PostScript in temp_window_file.ps (xpr, or
// the converter named by XWDTOPNM_PATH, else xwdtopnm on PATH, piped into
// pnmtops) and hands that to lpr, each through system(). The dump (some
// megabytes) is removed once converted. The prompt area it uses is saved
// first and put back, so printing leaves the screen as it was. A print that
// fails says why in a box that waits for a key ("cont-ret:"): the tool the
// shell did not find or that failed, what to set, or, when the PostScript
// was made, where it was left: the shell's own words go only to standard
// error.
#include "ui/screen/print_window.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window.h"

namespace {

// Longest XWDTOPNM_PATH taken into the shell command.
constexpr size_t kMaxConverterPath = 200;

// How a tool's command ended.
enum class tool_end { done, failed, not_found };

// The shell's exit status for a command it found nowhere on PATH.
constexpr int kShellNotFound = 127;

// Runs a shell command.
tool_end
run_command(const char *command)
{
    // What was drawn reaches the server before the tool runs (xwd reads the
    // window; while the spooler runs the screen shows the restored prompt).
    flush_display();
    int status = system(command);
    if (status == -1 || !WIFEXITED(status))
        return tool_end::failed;
    if (WEXITSTATUS(status) == kShellNotFound)
        return tool_end::not_found;
    return WEXITSTATUS(status) == 0 ? tool_end::done : tool_end::failed;
}

// How far a print got, for the box that ends it.
struct print_result {
    bool printed = false;         // lpr took the PostScript
    bool postscript_made = false; // temp_window_file.ps holds this window
    std::string cause;            // why it did not print: "lpr not found", "xwd failed"
    bool converter_unknown = false; // no xwdtopnm to run: what to set follows the cause
};

// Runs the command of one step, whose program is tool; true when it ended
// well, else the cause noted: tool not found by the shell, or `failure`
// (by default tool failed).
bool
run_step(const char *command, const char *tool, print_result *result,
         const char *failure = nullptr)
{
    tool_end end = run_command(command);
    if (end == tool_end::not_found)
        result->cause = std::string(tool) + " not found";
    else if (end == tool_end::failed)
        result->cause = failure ? failure : std::string(tool) + " failed";
    return end == tool_end::done;
}

// Where the dialog's boxes stand and how many lines the tallest takes.
struct print_place {
    int left, top, lines;
    int right = 0, bottom = 0;
};

// Puts the saved area of the boxes back (the slot stays filled).
void
restore_area(const print_place &at, image_slot *slot)
{
    if (!*slot)
        return;
    setviewport(0, 0, Maxx, Maxy, 1);
    putimage(at.left, at.top, slot, 3);
}

// The dialog over: what its boxes covered shown again for good.
void
put_back_area(const print_place &at, image_slot *slot)
{
    restore_area(at, slot);
    if (*slot)
        freeimage(slot);
}

// No converter to run, for the reason given.
bool
note_converter_unknown(const char *cause, print_result *result)
{
    result->cause = cause;
    result->converter_unknown = true;
    return false;
}

// Whether a program called name is in one of PATH's folders, as the shell
// would find it (an empty folder is the working directory).
bool
on_path(const char *name)
{
    const char *path = getenv("PATH");
    std::string folders = path ? path : "";
    for (size_t start = 0; start <= folders.size();) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string folder = folders.substr(start, end - start);
        std::string file = (folder.empty() ? "." : folder) + "/" + name;
        struct stat st;
        if (stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(file.c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

// The conversion of the dump to PostScript: the xpr pipeline for a print
// without greyscale ('n'), else the converter XWDTOPNM_PATH names, or
// xwdtopnm on PATH when it is unset or empty, piped into pnmtops. False,
// with the cause noted, when it cannot be run or fails.
bool
convert_dump(bool no_greyscale, print_result *result)
{
    if (no_greyscale)
        return run_step("xpr -device ps -compact -cutoff 99 temp_window_file.im > "
                        "temp_window_file.ps",
                        "xpr", result);
    const char *converter = getenv("XWDTOPNM_PATH");
    if (!converter || !*converter) {
        if (!on_path("xwdtopnm")) {
            fputs("To print in greyscale put xwdtopnm on the PATH or set the environment "
                  "variable XWDTOPNM_PATH to its full path\n",
                  stderr);
            return note_converter_unknown("xwdtopnm not found", result);
        }
        converter = "xwdtopnm";
    } else if (strlen(converter) > kMaxConverterPath) {
        fputs("XWDTOPNM_PATH is too long\n", stderr);
        return note_converter_unknown("XWDTOPNM_PATH too long", result);
    } else if (access(converter, X_OK) != 0) {
        fprintf(stderr, "XWDTOPNM_PATH=%s: not a program\n", converter);
        return note_converter_unknown("XWDTOPNM_PATH: no program", result);
    }
    char command[kMaxConverterPath + 80];
    snprintf(command, sizeof command, "%s %s", converter,
             "temp_window_file.im | pnmtops > temp_window_file.ps");
    // The converter is known to be there: a program not found is pnmtops.
    // A pipe's status is its last program's, which may have failed on what
    // the converter gave it.
    return run_step(command, "pnmtops", result, "the conversion failed");
}

// The lines of the box that ends a print, from the box's first line on:
// done, or not done with its cause, then what to set or where the
// PostScript is, ending in "cont-ret:".
void
write_print_end(const print_result &result, int margin)
{
    if (result.printed) {
        outtext(" done - press any key to continue:");
        return;
    }
    outtext((" could not print -- " + result.cause).c_str());
    const char *next = " cont-ret:";
    if (result.converter_unknown)
        next = " set XWDTOPNM_PATH or PATH, cont-ret:";
    else if (result.postscript_made)
        next = " the PostScript is left in temp_window_file.ps, cont-ret:";
    moveto(margin, gety + CHeight);
    outtext(next);
}

const char *const kPrintQuestion = "print: without frame -p, with frame -P, for no greyscale add -n";
const char *const kPrintClick = "then click mouse button in window, quit-q:";

// The lines the question and the click line take.
int
print_question_lines()
{
    return prompt_box_lines(kPrintQuestion) + 1;
}

// The dialog with its boxes at (left, top), each `lines` lines tall.
void
print_dialog(int left, int top, int lines)
{
    int16_t px = getx, py = gety;
    // Every box of the dialog is as tall as the first, whose place is
    // saved: what stands there is hidden whole while one is up.
    print_place at{left, top, lines};
    at.right = left + box_right_edge(Maxx) - prompt_box_left(Maxx);
    at.bottom = top - 2 + prompt_box_bottom(at.lines);
    image_slot area = 0;
    setviewport(0, 0, Maxx, Maxy, 1);
    // Boxes at the top right (a readout, the damage count) that the boxes
    // meet in part go whole before the save, so that neither the boxes nor
    // their put back leave a piece of one standing.
    const box_place place{left, top, at.right, at.bottom};
    save_giving_way(place, place, &area);

    int margin = draw_prompt_box_at(left, top, at.lines);
    write_prompt_lines_at(kPrintQuestion, margin);
    moveto(margin, gety + CHeight);
    outtext(kPrintClick);
    int len = input_string(2, text_entry);
    char how = len > 0 ? is[0] : 0;
    bool no_greyscale = len > 1 && is[1] == 'n';
    if (how != 'p' && how != 'P') {
        is[0] = 0;
        put_back_area(at, &area);
        moveto(px, py);
        return;
    }

    // The prompt must not be part of the dump.
    restore_area(at, &area);
    flush_display();
    print_result result;
    bool dumped = run_step(how == 'p' ? "xwd > temp_window_file.im"
                                      : "xwd -frame > temp_window_file.im",
                           "xwd", &result);
    flush_display();

    if (dumped) {
        draw_prompt_box_at(left, top, at.lines);
        outtext(" wait");
        flush_display();
        result.postscript_made = convert_dump(no_greyscale, &result);
    }
    remove("temp_window_file.im");
    restore_area(at, &area);
    if (result.postscript_made)
        result.printed = run_step("lpr temp_window_file.ps", "lpr", &result);

    margin = draw_prompt_box_at(left, top, at.lines);
    write_print_end(result, margin);
    input_string(1, text_entry);

    put_back_area(at, &area);
    moveto(px, py);
}

} // namespace

void
printimage()
{
    // At the prompt box's place the boxes reach below a key standing at the
    // top right (the frozen key) or a settings prompt left standing, as a
    // message box does: those are kept standing, so a box over their top
    // rows only would cut their lower lines while it is up.
    print_dialog(prompt_box_left(Maxx), 2, prompt_lines_covering_top_right_box(print_question_lines()));
}

void
printimage_at(int left, int top)
{
    print_dialog(left, top, print_question_lines());
}
