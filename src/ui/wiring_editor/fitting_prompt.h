// The wiring editors' prompt box of given lines that keeps inside its room:
// it writes them all in the small font, at the box's own line pitch, when
// one is wider than the box.
#pragma once
#include <string>
#include <vector>

// Draws a prompt box of lines.size() lines and writes them in white; the
// current point is left after the last line (in the normal font's
// metrics again) and the drawing colour is put back.
void draw_fitting_prompt(const std::vector<std::string> &lines);
