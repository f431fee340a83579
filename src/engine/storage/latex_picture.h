// LaTeX picture files (*.tex): a state, or a rectangular part of it, as a
// picture environment that draws every cell as a short thick line, a filled
// or open circle or a dot, in colour, in grey or as black symbols. The file
// holds only the picture environment; a document that inputs it needs the
// color (or xcolor) package for the colour and grey modes. Example: v = 2,
// cells 9 and 8 of a 10 x 1 state at 1, colour mode, cell scale 10, no dots
// or divisions, value 1 old colour 15, value 0 old colour 0:
//   \begin{picture}(100.000000,10.000000)
//   \begin{footnotesize}
//   \linethickness{2.000000pt}
//   \definecolor{thiscolor}{rgb}{0,0,0}\color{thiscolor}
//   \linethickness{10.000000pt}
//   \put(-5.000000,10.000000){\line(1,0){10.000000}}
//   \put(5.000000,10.000000){\line(1,0){10.000000}}
//   \definecolor{thiscolor}{rgb}{1,1,1}\color{thiscolor}
//   \put(15.000000,10.000000){\line(1,0){10.000000}}
//   ... to x = 85, then \end{footnotesize} and \end{picture}.
// The dialog and the file are ui/string_editors/latex_export.cpp.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// How cells are drawn: black symbols, colours or greys.
constexpr char tex_mode_symbols = 's', tex_mode_color = 'c', tex_mode_grey = 'g';

struct tex_picture {
    const uint8_t *cells = nullptr; // the value line, cell r * cols + c at row r, column c
    uint32_t count = 0;             // cells in the line; positions from count on draw nothing
    int cols = 1, rows = 1;
    int v = 2;                      // value range
    char mode = tex_mode_color;
    double scale = 10;              // cell scale s, in picture units
    bool dots = false;              // zero cells drawn as small dots
    double dot_scale = 0.25;        // dot size as a fraction of s
    bool divisions = false;         // a gap of s/7 between square cells
    bool hexagons = false;          // hexagonal lattice: circles, even rows shifted s/2
    std::vector<std::string> rgb;   // colour mode: "r,g,b" text of each value 0..v-1
};

// The rgb text of the old colour slot that holds palette index index (the
// first slot when two hold it), from the sixteen slots oldcolor gives; empty
// when no slot holds it.
std::string old_color_rgb(const uint8_t oldcolor[16], int index);

// The file's text, every number by "%f".
std::string compose_latex_picture(const tex_picture &p);
