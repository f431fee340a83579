// A prompt box of given lines that keeps every line inside it: when one
// is wider than the box, all are written in the small font, at the box's
// own line pitch.
#pragma once
#include <string>
#include <vector>

// Draws a prompt box of lines.size() lines and writes them in white; the
// current point is left after the last line (in the normal font's
// metrics again) and the drawing colour is put back.
void draw_fitting_prompt(const std::vector<std::string> &lines);
