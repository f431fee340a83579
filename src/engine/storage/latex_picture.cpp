// LaTeX picture text (latex_picture.h). Reads get_value (model/value_line.h)
// and nothing else of the network: the caller hands over the line, its shape
// and the settings. Start at compose_latex_picture; the per-cell drawing is
// picture_writer::cell.
#include "engine/storage/latex_picture.h"

#include <cmath>
#include "engine/model/formatted_text.h"
#include "engine/model/value_line.h"

namespace {

// The rgb text of each old colour slot 0..15.
constexpr const char *kOldColorRgb[16] = {
    "1,1,1",     "1,.83,0",   ".25,.75,.25", ".67,0,0", "1,0,0",   ".83,0,.17",
    "0,.5,0",    "0,.83,1",   ".5,1,.5",     ".5,0,1",  ".25,.75,.25", ".5,.5,0",
    ".67,.33,0", "1,.33,.67", "0,.17,1",     "0,0,0"};

// Writes the picture command by command, keeping the previous cell's value
// and the line thickness in force.
struct picture_writer {
    const tex_picture &p;
    std::string out;
    double dy, gap, dot;
    int previous = -1;   // value of the previous cell drawn; none at the start
    double thickness;    // the thickness last written

    explicit picture_writer(const tex_picture &pic) : p(pic)
    {
        double s = p.scale;
        dy = p.hexagons ? s * std::cos(M_PI / 6) : s;
        gap = p.divisions && !p.hexagons ? s / 7 : 0;
        dot = p.dot_scale * s;
        thickness = s / 5;
    }

    void set_thickness(double t)
    {
        out += formatted("\\linethickness{%fpt}\n", t);
        thickness = t;
    }
    // The colour of value c (colour and grey modes).
    void color(int c)
    {
        bool dot_cell = c == 0 && p.dots;
        if (p.mode == tex_mode_grey) {
            double grey = dot_cell ? 0.0 : 1.0 - static_cast<double>(c) / (p.v - 1);
            out += formatted("\\definecolor{thiscolor}{gray}{%f}", grey);
        } else {
            size_t value = dot_cell ? static_cast<size_t>(p.v - 1) : static_cast<size_t>(c);
            out += "\\definecolor{thiscolor}{rgb}{";
            out += value < p.rgb.size() ? p.rgb[value] : std::string("0,0,0");
            out += "}";
        }
        out += "\\color{thiscolor}\n";
    }
    // A full cell: a filled circle, or a thick line (its thickness written
    // when the value is not 0 and differs from the previous cell's).
    void full_cell(int c, double x, double y, double shift)
    {
        double s = p.scale;
        if (p.hexagons) {
            out += formatted("\\put(%f,%f){\\circle*{%f}}\n", x + shift, y, s);
            return;
        }
        if (c > 0 && c != previous)
            set_thickness(s - gap);
        out += formatted("\\put(%f,%f){\\line(1,0){%f}}\n", x - s / 2 + gap / 2, y, s - gap);
    }
    void cell(int c, double x, double y, double shift)
    {
        double s = p.scale;
        if (p.mode == tex_mode_symbols) {
            if (c == p.v - 1) {
                full_cell(c, x, y, shift);
            } else if (c > 0) {
                out += formatted("\\put(%f,%f){\\circle{%f}}\n", x + shift, y, s);
                if (p.v == 4 && c == 2)
                    out += formatted("\\put(%f,%f){\\circle{%f}}\n", x + shift, y, s / 2);
            }
        } else {
            if (c != previous)
                color(c);
            if (c > 0 || !p.dots)
                full_cell(c, x, y, shift);
        }
        if (p.dots && c == 0) {
            if (p.hexagons) {
                out += formatted("\\put(%f,%f){\\circle*{%f}}\n", x + shift, y, dot);
            } else {
                if (thickness != s / 5)
                    set_thickness(s / 5);
                out += formatted("\\put(%f,%f){\\line(1,0){%f}}\n", x, y, dot);
            }
        }
        previous = c;
    }
};

} // namespace

std::string
old_color_rgb(const uint8_t oldcolor[16], int index)
{
    for (int slot = 0; slot < 16; slot++)
        if (oldcolor[slot] == index)
            return kOldColorRgb[slot];
    return std::string();
}

std::string
compose_latex_picture(const tex_picture &p)
{
    picture_writer w(p);
    double s = p.scale;
    w.out += formatted("\\begin{picture}(%f,%f)\n\\begin{footnotesize}\n", s * p.cols, w.dy * p.rows);
    w.set_thickness(s / 5);
    for (int r = p.rows - 1; r >= 0; r--) {
        double y = w.dy * (r + 1);
        double shift = p.hexagons && r % 2 == 0 ? s / 2 : 0;
        for (int k = 0; k < p.cols; k++) {
            uint64_t index = static_cast<uint64_t>(r) * p.cols + (p.cols - 1 - k);
            // A view shape larger than the line: nothing past its last cell.
            if (index >= p.count)
                continue;
            w.cell(get_value(p.cells, static_cast<uint32_t>(index)), s * k, y, shift);
        }
    }
    w.out += "\\end{footnotesize}\n\\end{picture}\n";
    return w.out;
}
