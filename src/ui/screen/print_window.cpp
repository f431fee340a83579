// Printing the window on paper ('@' in any text entry, 'p' in the options
// and out-of-memory boxes). The program draws nothing itself: it asks how to
// print, dumps the window with xwd into temp_window_file.im in the working
// directory, converts the dump to PostScript in temp_window_file.ps (xpr, or
// the converter named by XWDTOPNM_PATH piped into pnmtops) and hands that to
// lpr, each through system(). The dump (some megabytes) is removed once
// converted. The prompt area it uses is saved first and put back, so printing
// leaves the screen as it was.
#include "ui/screen/print_window.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"

namespace {

// Longest XWDTOPNM_PATH taken into the shell command.
constexpr size_t kMaxConverterPath = 200;

// Runs a shell command; true when it ran and exited with status 0.
bool
run_command(const char *command)
{
    // What was drawn reaches the server before the tool runs (xwd reads the
    // window; while the spooler runs the screen shows the restored prompt).
    flush_display();
    int status = system(command);
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Where the dialog's boxes stand and how many lines the tallest takes.
struct print_place {
    int left, top, lines;
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

// The conversion of the dump to PostScript: the xpr pipeline for a print
// without greyscale ('n'), else the converter of XWDTOPNM_PATH. False, with
// the reason on standard error, when it cannot be run or fails; *missing is
// set when the converter is not known or names no program.
bool
convert_dump(bool no_greyscale, bool *missing)
{
    *missing = false;
    if (no_greyscale)
        return run_command("xpr -device ps -compact -cutoff 99 temp_window_file.im > "
                           "temp_window_file.ps");
    const char *converter = getenv("XWDTOPNM_PATH");
    if (!converter) {
        fputs("You need to set the environment variable XWDTOPNM_PATH to the full path "
              "of your xwdtopnm to print in greyscale\n",
              stderr);
        *missing = true;
        return false;
    }
    if (strlen(converter) > kMaxConverterPath) {
        fputs("XWDTOPNM_PATH is too long\n", stderr);
        *missing = true;
        return false;
    }
    if (access(converter, X_OK) != 0) {
        *missing = true;
        return false;
    }
    char command[kMaxConverterPath + 80];
    snprintf(command, sizeof command, "%s %s", converter,
             "temp_window_file.im | pnmtops > temp_window_file.ps");
    return run_command(command);
}

} // namespace

void
printimage()
{
    printimage_at(prompt_box_left(Maxx), 2);
}

void
printimage_at(int left, int top)
{
    const char *question = "print: without frame -p, with frame -P, for no greyscale add -n";
    const char *click = "then click mouse button in window, quit-q:";
    int16_t px = getx, py = gety;
    // Every box of the dialog is as tall as the question's, whose place is
    // saved: what stands there is hidden whole while one is up.
    print_place at{left, top, prompt_box_lines(question) + 1};
    image_slot area = 0;
    setviewport(0, 0, Maxx, Maxy, 1);
    getimage(left, top, left + box_right_edge(Maxx) - prompt_box_left(Maxx),
             top - 2 + prompt_box_bottom(at.lines), &area);

    int margin = draw_prompt_box_at(left, top, at.lines);
    write_prompt_lines_at(question, margin);
    moveto(margin, gety + CHeight);
    outtext(click);
    int len = input_string(2, text_entry);
    char how = len > 0 ? is[0] : 0;
    bool no_greyscale = len > 1 && is[1] == 'n';
    if (how != 'p' && how != 'P') {
        is[0] = 0;
        restore_area(at, &area);
        if (area)
            freeimage(&area);
        moveto(px, py);
        return;
    }

    // The prompt must not be part of the dump.
    restore_area(at, &area);
    flush_display();
    bool printed = run_command(how == 'p' ? "xwd > temp_window_file.im"
                                          : "xwd -frame > temp_window_file.im");
    flush_display();

    bool missing = false;
    if (printed) {
        draw_prompt_box_at(left, top, at.lines);
        outtext(" wait");
        flush_display();
        printed = convert_dump(no_greyscale, &missing);
    }
    remove("temp_window_file.im");
    restore_area(at, &area);
    if (printed)
        printed = run_command("lpr temp_window_file.ps");

    margin = draw_prompt_box_at(left, top, at.lines);
    if (missing) {
        outtext(" could not print -- xwdtopnm not found");
        moveto(margin, gety + CHeight);
        outtext(" set XWDTOPNM_PATH to its full path, cont-ret:");
    } else {
        outtext(printed ? " done - press any key to continue:" : " could not print");
    }
    input_string(1, text_entry);

    restore_area(at, &area);
    if (area)
        freeimage(&area);
    moveto(px, py);
}
