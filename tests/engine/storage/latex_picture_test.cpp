// LaTeX picture text: the 10-cell example written out by hand byte for
// byte, dots, hexagon rows, greys of v = 3, symbols of v = 4, a view shape
// larger than the line, and the old colour texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"
#include "engine/storage/latex_picture.h"

namespace {

// A value line of v holding the values, cell 0 first.
std::vector<uint8_t>
line_of(int v, const std::vector<int> &values)
{
    value_range = static_cast<int8_t>(v);
    value_bits = static_cast<int8_t>(check_value_bits(v));
    std::vector<uint8_t> line(value_line_bytes(values.size(), value_bits), 0);
    for (uint32_t c = 0; c < values.size(); c++)
        set_value(line.data(), c, values[c]);
    return line;
}

tex_picture
picture_of(const std::vector<uint8_t> &line, uint32_t count, int cols, int rows, char mode)
{
    tex_picture p;
    p.cells = line.data();
    p.count = count;
    p.cols = cols;
    p.rows = rows;
    p.v = value_range;
    p.mode = mode;
    p.scale = 10;
    for (int c = 0; c < p.v; c++)
        p.rgb.push_back(c == 0 ? "1,1,1" : "0,0,0");
    return p;
}

// How many times needle occurs in text.
int
count_of(const std::string &text, const std::string &needle)
{
    int n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        n++;
    return n;
}

} // namespace

TEST(LatexPicture, TenCellsTwoOnesInColourByteForByte)
{
    std::vector<uint8_t> line = line_of(2, {0, 0, 0, 0, 0, 0, 0, 0, 1, 1});
    std::string expected = R"(\begin{picture}(100.000000,10.000000)
\begin{footnotesize}
\linethickness{2.000000pt}
\definecolor{thiscolor}{rgb}{0,0,0}\color{thiscolor}
\linethickness{10.000000pt}
\put(-5.000000,10.000000){\line(1,0){10.000000}}
\put(5.000000,10.000000){\line(1,0){10.000000}}
\definecolor{thiscolor}{rgb}{1,1,1}\color{thiscolor}
\put(15.000000,10.000000){\line(1,0){10.000000}}
\put(25.000000,10.000000){\line(1,0){10.000000}}
\put(35.000000,10.000000){\line(1,0){10.000000}}
\put(45.000000,10.000000){\line(1,0){10.000000}}
\put(55.000000,10.000000){\line(1,0){10.000000}}
\put(65.000000,10.000000){\line(1,0){10.000000}}
\put(75.000000,10.000000){\line(1,0){10.000000}}
\put(85.000000,10.000000){\line(1,0){10.000000}}
\end{footnotesize}
\end{picture}
)";
    EXPECT_EQ(compose_latex_picture(picture_of(line, 10, 10, 1, tex_mode_color)), expected);
}

// The dot takes the colour of value v-1; the colour is written again at
// every change of value, whether or not it changes.
TEST(LatexPicture, DotAtTheStartUsesTheHeadersThickness)
{
    std::vector<uint8_t> line = line_of(2, {1, 0});
    tex_picture p = picture_of(line, 2, 2, 1, tex_mode_color);
    p.dots = true;
    std::string expected = R"(\begin{picture}(20.000000,10.000000)
\begin{footnotesize}
\linethickness{2.000000pt}
\definecolor{thiscolor}{rgb}{0,0,0}\color{thiscolor}
\put(0.000000,10.000000){\line(1,0){2.500000}}
\definecolor{thiscolor}{rgb}{0,0,0}\color{thiscolor}
\linethickness{10.000000pt}
\put(5.000000,10.000000){\line(1,0){10.000000}}
\end{footnotesize}
\end{picture}
)";
    EXPECT_EQ(compose_latex_picture(p), expected);
}

TEST(LatexPicture, DivisionsNarrowTheLinesAndADotRestoresTheThinLine)
{
    std::vector<uint8_t> line = line_of(2, {0, 1});
    tex_picture p = picture_of(line, 2, 2, 1, tex_mode_symbols);
    p.scale = 7;
    p.divisions = true;
    p.dots = true;
    std::string text = compose_latex_picture(p);
    // Cell 1 (value 1) first: thickness 6, a line from -3.5 + 0.5.
    EXPECT_NE(text.find("\\linethickness{6.000000pt}\n\\put(-3.000000,7.000000){\\line(1,0){6.000000}}\n"
                        "\\linethickness{1.400000pt}\n\\put(7.000000,7.000000){\\line(1,0){1.750000}}\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(count_of(text, "color"), 0);
}

TEST(LatexPicture, HexagonRowsTwoAndZeroAreShifted)
{
    std::vector<uint8_t> line = line_of(2, {1, 1, 1, 1});
    tex_picture p = picture_of(line, 4, 1, 4, tex_mode_color);
    p.hexagons = true;
    std::string text = compose_latex_picture(p);
    double dy = 10 * 0.86602540378;
    char row[4][80];
    for (int r = 0; r < 4; r++)
        snprintf(row[r], sizeof row[r], "\\put(%f,%f){\\circle*{10.000000}}\n", r % 2 == 0 ? 5.0 : 0.0,
                 dy * (r + 1));
    size_t r3 = text.find(row[3]), r2 = text.find(row[2]), r1 = text.find(row[1]), r0 = text.find(row[0]);
    ASSERT_NE(r3, std::string::npos) << text;
    ASSERT_NE(r2, std::string::npos) << text;
    ASSERT_NE(r1, std::string::npos) << text;
    ASSERT_NE(r0, std::string::npos) << text;
    EXPECT_LT(r3, r2);
    EXPECT_LT(r2, r1);
    EXPECT_LT(r1, r0);
    EXPECT_EQ(count_of(text, "\\line("), 0);
}

TEST(LatexPicture, GreysOfThreeValuesAreFractions)
{
    std::vector<uint8_t> line = line_of(3, {2, 1, 0});
    std::string text = compose_latex_picture(picture_of(line, 3, 3, 1, tex_mode_grey));
    size_t white = text.find("{gray}{1.000000}"), mid = text.find("{gray}{0.500000}"),
           black = text.find("{gray}{0.000000}");
    ASSERT_NE(white, std::string::npos) << text;
    ASSERT_NE(mid, std::string::npos) << text;
    ASSERT_NE(black, std::string::npos) << text;
    // Leftmost is cell 2 (value 0, white), then 1, then cell 0 (value 2, black).
    EXPECT_LT(white, mid);
    EXPECT_LT(mid, black);
}

TEST(LatexPicture, SymbolsOfFourValues)
{
    std::vector<uint8_t> line = line_of(4, {3, 2, 1, 0});
    std::string text = compose_latex_picture(picture_of(line, 4, 4, 1, tex_mode_symbols));
    std::string expected_cells = "\\put(10.000000,10.000000){\\circle{10.000000}}\n"
                                 "\\put(20.000000,10.000000){\\circle{10.000000}}\n"
                                 "\\put(20.000000,10.000000){\\circle{5.000000}}\n"
                                 "\\linethickness{10.000000pt}\n"
                                 "\\put(25.000000,10.000000){\\line(1,0){10.000000}}\n";
    EXPECT_NE(text.find("\\linethickness{2.000000pt}\n" + expected_cells + "\\end{footnotesize}"),
              std::string::npos)
        << text;
}

TEST(LatexPicture, PositionsPastTheLastCellDrawNothing)
{
    // Seven cells in a 3 x 3 view: the top row holds only cell 6.
    std::vector<uint8_t> line = line_of(2, {1, 1, 1, 1, 1, 1, 1});
    std::string text = compose_latex_picture(picture_of(line, 7, 3, 3, tex_mode_color));
    EXPECT_EQ(count_of(text, "\\put("), 7) << text;
    EXPECT_NE(text.find("\\put(15.000000,30.000000)"), std::string::npos) << text;
    EXPECT_EQ(text.find("\\put(-5.000000,30.000000)"), std::string::npos) << text;
}

TEST(LatexPicture, ColourTextsOfTheOldColourSlots)
{
    // Index 19 in slots 5 and 13: the first slot's text wins.
    uint8_t oldcolor[16] = {0, 3, 28, 15, 11, 19, 33, 36, 25, 43, 27, 31, 13, 19, 40, 1};
    EXPECT_EQ(old_color_rgb(oldcolor, 19), ".83,0,.17");
    EXPECT_EQ(old_color_rgb(oldcolor, 0), "1,1,1");
    EXPECT_EQ(old_color_rgb(oldcolor, 1), "0,0,0");
    EXPECT_EQ(old_color_rgb(oldcolor, 50), "");
}
