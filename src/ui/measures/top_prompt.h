// A prompt of the measures at the top right that keeps clear of the boxes
// standing there below the prompt box's first line: the colour key's, a
// damage count's while a damage view runs, and a key panel kept at the
// right of the drawing area (side_panel.h). Its box goes over a saved copy
// of what it covers, which its close puts back.
#pragma once
#include <string>
#include <vector>

#include "ui/screen/boxes.h"

// On one line each, the box as wide as the lines and an entry of `entry`
// characters need, ending left of those boxes; where the window is too
// narrow for that, in the prompt box's columns below them, the lines
// wrapped, in colour (white unless given). The current point is left at
// the end of the last line.
struct top_prompt {
    int left = 0, top = 0, right = 0, bottom = 0;
    int entry = 0; // characters of the entry after the last line
    unsigned long under = 0; // the image slot of what it covers
};
// A box that would reach left of column `leftmost` (a status box's place
// that stays in use while it stands) goes below those boxes too.
top_prompt open_top_prompt(const std::vector<std::string> &lines, int entry, int colour = -1,
                           int leftmost = 2);
// Where open_top_prompt puts its box (nothing saved, nothing drawn), and
// the box framed there with the lines written in it, as it writes them: a
// line that stays up without waiting (a readout) is drawn so, clear of the
// same boxes.
top_prompt place_top_prompt(const std::vector<std::string> &lines, int entry, int leftmost = 2);
void draw_top_prompt(const top_prompt &p, const std::vector<std::string> &lines, int colour = -1);
// Puts back what the prompt covered.
void close_top_prompt(top_prompt &p);
