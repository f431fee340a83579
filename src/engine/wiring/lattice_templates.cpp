// Lattice templates (lattice_templates.h): the offset lists of the 2d square,
// 2d hexagonal and 3d neighbourhoods for every k, and the lookup that turns a
// cell and an input position into the input cell.
//
// Reads from model/: nhoodm, i2d, j2d, i3d, j3d, h3d, hex2d. Writes the
// template results i_n, j_n, h_n, poss_n of wiring/globals.h. Start reading
// at pndood_2or3.
//
// The templates are written below as text, one row of offsets at a time, and
// turned into constant tables when the program is compiled, so a lookup is
// two array indexes. Notation: rows in ascending dj separated by '/', each
// "dj: di, di, ..." with di ascending and "a..b" for a run; in 3d the layers
// in ascending dh, "layer dh: rows", separated by ';'. Input position p is
// the p-th offset in that order (layer, then row, then column). Where the
// odd rows of a hexagonal lattice need their own list (odd rows stand half a
// cell to the right), the second text gives it; otherwise both parities
// share the first.
//
// Every axis wraps by a true modulus, so a lattice side shorter than a
// template's reach still gives a cell inside the lattice; where one
// correction suffices the result is the same.
#include "engine/wiring/lattice_templates.h"

#include "engine/model/globals.h"
#include "engine/wiring/globals.h"

namespace {

constexpr int kMaxK = kMaxTemplateK2d;

// One template: count offsets (di, dj, dh).
struct Offsets {
    int8_t count;
    int8_t d[kMaxK][3];
};

// ---- compile-time reading of the template texts ---------------------------

struct Reader {
    const char *s;
    int at;

    constexpr void skip_blanks()
    {
        while (s[at] == ' ')
            at++;
    }
    constexpr bool next_is(char c)
    {
        skip_blanks();
        return s[at] == c;
    }
    constexpr bool take(char c)
    {
        if (!next_is(c))
            return false;
        at++;
        return true;
    }
    constexpr int number()
    {
        skip_blanks();
        int sign = 1;
        if (s[at] == '+' || s[at] == '-')
            sign = s[at++] == '-' ? -1 : 1;
        int value = 0;
        while (s[at] >= '0' && s[at] <= '9')
            value = value * 10 + (s[at++] - '0');
        return sign * value;
    }
};

// Rows "dj: items / dj: items ..." of layer dh, up to ';' or the end.
constexpr void
read_rows(Reader &r, int dh, Offsets &t)
{
    for (;;) {
        int dj = r.number();
        r.take(':');
        for (;;) {
            int lo = r.number(), hi = lo;
            if (r.next_is('.')) {
                r.at += 2;
                hi = r.number();
            }
            for (int di = lo; di <= hi; di++) {
                t.d[t.count][0] = static_cast<int8_t>(di);
                t.d[t.count][1] = static_cast<int8_t>(dj);
                t.d[t.count][2] = static_cast<int8_t>(dh);
                t.count++;
            }
            if (!r.take(','))
                break;
        }
        if (!r.take('/'))
            return;
    }
}

constexpr Offsets
read_template(const char *text)
{
    Offsets t{};
    if (text == nullptr || text[0] == 0)
        return t;
    Reader r{text, 0};
    r.skip_blanks();
    if (r.s[r.at] != 'l') {
        read_rows(r, 0, t);
        return t;
    }
    do {
        r.skip_blanks();
        r.at += 5; // "layer"
        int dh = r.number();
        r.take(':');
        read_rows(r, dh, t);
    } while (r.take(';'));
    return t;
}

// ---- the template texts ---------------------------------------------------

// Index k; {even rows, odd rows or nullptr when the same}.
constexpr const char *kSquareText[kMaxK + 1][2] = {
    {"", nullptr},
    {"0: 0", nullptr},
    {"0: -1, +1", nullptr},
    {"0: -1..+1", nullptr},
    {"-1: 0 / 0: -1, +1 / +1: 0", nullptr},
    {"-1: 0 / 0: -1..+1 / +1: 0", nullptr},
    {"-1: -1, 0 / 0: -1, +1 / +1: -1, 0", "-1: 0, +1 / 0: -1, +1 / +1: 0, +1"},
    {"-1: -1, 0 / 0: -1..+1 / +1: -1, 0", "-1: 0, +1 / 0: -1..+1 / +1: 0, +1"},
    {"-1: -1..+1 / 0: -1, +1 / +1: -1..+1", nullptr},
    {"-1: -1..+1 / 0: -1..+1 / +1: -1..+1", nullptr},
    {"-2: 0 / -1: -1..+1 / 0: -1, +1 / +1: -1..+1 / +2: 0", nullptr},
    {"-2: 0 / -1: -1..+1 / 0: -1..+1 / +1: -1..+1 / +2: 0", nullptr},
    {"-2: 0 / -1: -1..+1 / 0: -2, -1, +1, +2 / +1: -1..+1 / +2: 0", nullptr},
    {"-2: 0 / -1: -1..+1 / 0: -2..+2 / +1: -1..+1 / +2: 0", nullptr},
    {"-3: 0 / -2: 0 / -1: -1..+1 / 0: -2, -1, +1, +2 / +1: -1..+1 / +2: 0 / +3: 0", nullptr},
    {"-3: 0 / -2: 0 / -1: -1..+1 / 0: -2..+2 / +1: -1..+1 / +2: 0 / +3: 0", nullptr},
    {"-3: 0 / -2: 0 / -1: -1..+1 / 0: -3..-1, +1..+3 / +1: -1..+1 / +2: 0 / +3: 0", nullptr},
    {"-3: 0 / -2: 0 / -1: -1..+1 / 0: -3..+3 / +1: -1..+1 / +2: 0 / +3: 0", nullptr},
    {"-2: -1..+1 / -1: -2..+1 / 0: -2, -1, +1, +2 / +1: -2..+1 / +2: -1..+1",
     "-2: -1..+1 / -1: -1..+2 / 0: -2, -1, +1, +2 / +1: -1..+2 / +2: -1..+1"},
    {"-2: -1..+1 / -1: -2..+1 / 0: -2..+2 / +1: -2..+1 / +2: -1..+1",
     "-2: -1..+1 / -1: -1..+2 / 0: -2..+2 / +1: -1..+2 / +2: -1..+1"},
    {"-2: -1..+1 / -1: -2..+2 / 0: -2, -1, +1, +2 / +1: -2..+2 / +2: -1..+1", nullptr},
    {"-2: -1..+1 / -1: -2..+2 / 0: -2..+2 / +1: -2..+2 / +2: -1..+1", nullptr},
    {"-3: -1 / -2: -2..0 / -1: -2..+2 / 0: -1..+2 / +1: -2..+2 / +2: -2..0 / +3: -1",
     "-3: 0 / -2: -2..0 / -1: -1..+3 / 0: -1..+2 / +1: -1..+3 / +2: -2..0 / +3: 0"},
    {"-3: 0 / -2: -1..+1 / -1: -2..+2 / 0: -2..+2 / +1: -2..+2 / +2: -1..+1 / +3: 0", nullptr},
    {"-2: -2..+2 / -1: -2..+2 / 0: -2, -1, +1, +2 / +1: -2..+2 / +2: -2..+2", nullptr},
    {"-2: -2..+2 / -1: -2..+2 / 0: -2..+2 / +1: -2..+2 / +2: -2..+2", nullptr},
};

// The hexagonal family where it differs from the square one (nullptr: the
// square template of that k).
constexpr const char *kHexText[kMaxK + 1][2] = {
    {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr},
    {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr},
    {nullptr, nullptr},
    {"-1: -2..+1 / 0: -1, +1 / +1: -1, 0 / +2: 0",
     "-1: -1..+2 / 0: -1, +1 / +1: 0, +1 / +2: 0"},
    {"-1: -2..+1 / 0: -1..+1 / +1: -1, 0 / +2: 0",
     "-1: -1..+2 / 0: -1..+1 / +1: 0, +1 / +2: 0"},
    {nullptr, nullptr},
    {"-2: 0 / -1: -2..+1 / 0: -1, +1 / +1: -2..+1 / +2: 0",
     "-2: 0 / -1: -1..+2 / 0: -1, +1 / +1: -1..+2 / +2: 0"},
    {"-2: 0 / -1: -2..+1 / 0: -1..+1 / +1: -2..+1 / +2: 0",
     "-2: 0 / -1: -1..+2 / 0: -1..+1 / +1: -1..+2 / +2: 0"},
    {nullptr, nullptr},
    {"-2: -1, 0 / -1: -2..+1 / 0: -1, +1, +2 / +1: -2..+1 / +2: -1, 0",
     "-2: -1, 0 / -1: -1..+2 / 0: -1, +1, +2 / +1: -1..+2 / +2: -1, 0"},
    {"-2: -1, 0 / -1: -2..+1 / 0: -1..+2 / +1: -2..+1 / +2: -1, 0",
     "-2: -1, 0 / -1: -1..+2 / 0: -1..+2 / +1: -1..+2 / +2: -1, 0"},
    {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr},
    {"-3: -1 / -2: -2..0 / -1: -2..+2 / 0: -1, +1, +2 / +1: -2..+2 / +2: -2..0 / +3: -1",
     "-3: 0 / -2: -2..0 / -1: -1..+3 / 0: -1, +1, +2 / +1: -1..+3 / +2: -2..0 / +3: 0"},
    {nullptr, nullptr}, {nullptr, nullptr},
    {"-2: -2..+2 / -1: -3..+2 / 0: -2, -1, +1, +2 / +1: -2..+1 / +2: -1..+1 / +3: -1, 0",
     "-2: -2..+2 / -1: -2..+3 / 0: -2, -1, +1, +2 / +1: -1..+2 / +2: -1..+1 / +3: 0, +1"},
    {"-2: -2..+2 / -1: -3..+2 / 0: -2..+2 / +1: -2..+1 / +2: -1..+1 / +3: -1, 0",
     "-2: -2..+2 / -1: -2..+3 / 0: -2..+2 / +1: -1..+2 / +2: -1..+1 / +3: 0, +1"},
};

constexpr const char *kCubeText[kMaxTemplateK3d + 1] = {
    "",
    "layer 0: 0: 0",
    "layer 0: 0: -1, +1",
    "layer 0: 0: -1..+1",
    "layer 0: -1: 0 / 0: -1, +1 / +1: 0",
    "layer 0: -1: 0 / 0: -1..+1 / +1: 0",
    "layer -1: 0: 0; layer 0: -1: 0 / 0: -1, +1 / +1: 0; layer +1: 0: 0",
    "layer -1: 0: 0; layer 0: -1: 0 / 0: -1..+1 / +1: 0; layer +1: 0: 0",
    "layer -1: 0: 0; layer 0: -1: 0 / 0: -2, -1, +1, +2 / +1: 0; layer +1: 0: 0",
    "layer -1: 0: 0; layer 0: -1: 0 / 0: -2..+2 / +1: 0; layer +1: 0: 0",
    "layer -1: 0: 0; layer 0: -1: -1..+1 / 0: -1, +1 / +1: -1..+1; layer +1: 0: 0",
    "layer -1: 0: 0; layer 0: -1: -1..+1 / 0: -1..+1 / +1: -1..+1; layer +1: 0: 0",
    "layer -2: 0: 0; layer -1: 0: 0; layer 0: -2: 0 / -1: 0 / 0: -2, -1, +1, +2 / +1: 0 / "
    "+2: 0; layer +1: 0: 0; layer +2: 0: 0",
    "layer -2: 0: 0; layer -1: 0: 0; layer 0: -2: 0 / -1: 0 / 0: -2..+2 / +1: 0 / +2: 0; "
    "layer +1: 0: 0; layer +2: 0: 0",
};

// ---- the constant tables ---------------------------------------------------

// table[family][k][parity]: family 0 square, 1 hexagonal.
struct Planar {
    Offsets t[2][kMaxK + 1][2];
};

constexpr Planar
build_planar()
{
    Planar p{};
    for (int k = 0; k <= kMaxK; k++) {
        for (int parity = 0; parity < 2; parity++) {
            const char *square = kSquareText[k][parity] ? kSquareText[k][parity]
                                                        : kSquareText[k][0];
            p.t[0][k][parity] = read_template(square);
            const char *hex = kHexText[k][0] == nullptr ? square
                              : kHexText[k][parity]     ? kHexText[k][parity]
                                                        : kHexText[k][0];
            p.t[1][k][parity] = read_template(hex);
        }
    }
    return p;
}

struct Cubic {
    Offsets t[kMaxTemplateK3d + 1];
};

constexpr Cubic
build_cubic()
{
    Cubic c{};
    for (int k = 0; k <= kMaxTemplateK3d; k++)
        c.t[k] = read_template(kCubeText[k]);
    return c;
}

constexpr Planar kPlanar = build_planar();
constexpr Cubic kCubic = build_cubic();

// ---- checks of the tables, made by the compiler ----------------------------

// Position of the offset (0, 0, 0), or -1.
constexpr int
centre_of(const Offsets &t)
{
    for (int p = 0; p < t.count; p++)
        if (t.d[p][0] == 0 && t.d[p][1] == 0 && t.d[p][2] == 0)
            return p;
    return -1;
}

// k offsets in strictly ascending order of layer, row, column.
constexpr bool
well_formed(const Offsets &t, int k)
{
    if (t.count != k)
        return false;
    for (int p = 1; p < t.count; p++) {
        const int8_t *a = t.d[p - 1], *b = t.d[p];
        bool ascending = a[2] < b[2] || (a[2] == b[2] && (a[1] < b[1] ||
                                         (a[1] == b[1] && a[0] < b[0])));
        if (!ascending)
            return false;
    }
    return true;
}

// The cell sits at k/2 where it belongs to the template, with three
// exceptions: square k = 22 at 10, hexagonal k = 16 at 7 and k = 25 at 13.
constexpr int
expected_centre(int family, int k)
{
    if (family == 0) {
        if (k == 22)
            return 10;
        return k % 2 == 1 ? k / 2 : -1;
    }
    if (family == 1) {
        switch (k) {
        case 1: case 3: case 5: case 7: case 10: case 11: case 13: case 17: case 19: case 23:
            return k / 2;
        case 22:
            return 10;
        case 16:
            return 7;
        case 25:
            return 13;
        default:
            return -1;
        }
    }
    return k % 2 == 1 ? k / 2 : -1;
}

constexpr bool
tables_check()
{
    for (int family = 0; family < 2; family++)
        for (int k = 1; k <= kMaxK; k++)
            for (int parity = 0; parity < 2; parity++) {
                const Offsets &t = kPlanar.t[family][k][parity];
                if (!well_formed(t, k) || centre_of(t) != expected_centre(family, k))
                    return false;
                for (int p = 0; p < k; p++)
                    if (t.d[p][2] != 0)
                        return false;
            }
    for (int k = 1; k <= kMaxTemplateK3d; k++)
        if (!well_formed(kCubic.t[k], k) || centre_of(kCubic.t[k]) != expected_centre(2, k))
            return false;
    return true;
}
static_assert(tables_check(), "a lattice template is malformed");

// ---- the lookup --------------------------------------------------------------

// x brought into 0..n-1: one correction where it suffices, else the modulus.
inline int
wrap(int x, int n)
{
    if (x < 0)
        x += n;
    else if (x >= n)
        x -= n;
    if (x >= 0 && x < n)
        return x;
    int r = x % n;
    return r < 0 ? r + n : r;
}

// The template for k of a cell on row j, or null when there is none.
inline const Offsets *
template_for(int dim, int k, int j)
{
    if (dim == 3)
        return k >= 1 && k <= kMaxTemplateK3d ? &kCubic.t[k] : nullptr;
    if (k < 1 || k > kMaxK)
        return nullptr;
    return &kPlanar.t[hex2d ? 1 : 0][k][j & 1];
}

// Lattice sides of dimension dim: columns, rows, layers.
struct Sides {
    int ni, nj, nh;
};

inline Sides
sides_of(int dim)
{
    if (dim == 3)
        return {i3d, j3d, h3d};
    return {i2d, j2d, 1};
}

// Writes the input at template position pos of the cell at (i, j, h) into
// i_n, j_n, h_n and poss_n; returns 1 for the offset (0, 0, 0).
inline int
template_input(int dim, const Sides &s, const Offsets *t, int i, int j, int h, int pos)
{
    int self = 0;
    if (t != nullptr && pos >= 0 && pos < t->count) {
        const int8_t *d = t->d[pos];
        i_n = static_cast<int16_t>(wrap(i + d[0], s.ni));
        j_n = static_cast<int16_t>(wrap(j + d[1], s.nj));
        h_n = dim == 3 ? static_cast<int16_t>(wrap(h + d[2], s.nh)) : 0;
        self = d[0] == 0 && d[1] == 0 && d[2] == 0;
    }
    if (dim == 3)
        poss_n = static_cast<uint16_t>(i_n + j_n * s.ni + h_n * s.ni * s.nj);
    else
        poss_n = static_cast<uint16_t>(i_n + j_n * s.ni);
    return self;
}

// Column, row and layer of cell; false when a side is below 1 (no lattice).
inline bool
split_cell(int dim, const Sides &s, uint16_t cell, int &i, int &j, int &h)
{
    if (s.ni < 1 || s.nj < 1 || s.nh < 1)
        return false;
    i = cell % s.ni;
    int rest = cell / s.ni;
    if (dim == 3) {
        j = rest % s.nj;
        h = rest / s.nj;
    } else {
        j = rest;
        h = 0;
    }
    return true;
}

void
wire_local(int dim, uint16_t cell, uint16_t *out)
{
    Sides s = sides_of(dim);
    int i = 0, j = 0, h = 0;
    if (!split_cell(dim, s, cell, i, j, h))
        return;
    int k = nhoodm[cell];
    const Offsets *t = template_for(dim, k, j);
    for (int p = 0; p < k; p++) {
        template_input(dim, s, t, i, j, h, p);
        out[p] = poss_n;
    }
}

} // namespace

int
pndood_2or3(int dim, uint16_t cell, int pos)
{
    Sides s = sides_of(dim);
    int i = 0, j = 0, h = 0;
    if (!split_cell(dim, s, cell, i, j, h))
        return 0;
    return template_input(dim, s, template_for(dim, nhoodm[cell], j), i, j, h, pos);
}

void
wire_2d_local(uint16_t cell, uint16_t *out)
{
    wire_local(2, cell, out);
}

void
wire_3d_local(uint16_t cell, uint16_t *out)
{
    wire_local(3, cell, out);
}
