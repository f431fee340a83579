// The LaTeX picture export of the cell editor's file menu: its settings
// box, the file name and the file (text by engine/storage/latex_picture.h).
#pragma once
#include <cstdint>

// Writes string, cols x rows cells of which the first cells exist, as a
// LaTeX picture file after asking the drawing mode, the cell scale (from
// size), the zero dots (from dots; off below size 4) and the dot scale, and
// the file name ("*.tex", default "my_tex"). layers is not used. divs is the
// editor's show_2d_divs, hex its hexagon flag. A key other than 's', 'c' or
// 'g' at the first prompt, or 'q' at the file name, writes nothing; a file
// that cannot be written gets the file error box.
void save_to_tex(const uint8_t *string, int cols, int rows, int layers, uint32_t cells, int size,
                 int divs, int dots, int hex);
