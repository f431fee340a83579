// LaTeX pictures written from the cell editor's file menu on the window,
// driven by typed keys: the 10-cell example as the engine composes it, a value colour
// outside the sixteen old colours taking its X colour's rgb, and a key that
// chooses no mode writing no file.
#include "support/x_test_fixture.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <thread>

#include "engine/forward/forward_test_support.h"
#include "engine/storage/latex_picture.h"
#include "ui/model/cell_display.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/string_editors/cell_editor.h"
#include "ui/string_editors/globals.h"
#include "support/work_dir.h"

namespace {

// A 10-cell ring whose cells 9 and 8 hold 1, its value colours those of old
// colour slots 0 (value 0) and 15 (value 1), edited with cells 10 pixels
// apart, without divisions or dots, in a directory of its own.
class LatexExportScreen : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        // Built after the fixture has put the start state back.
        net_.emplace(2, 10, 3);
        ASSERT_TRUE(work_.enter("zemra-tex"));
        setup_value_colors(1);
        color_v[0] = oldcolor[0];
        color_v[1] = oldcolor[15];
        divs_ = show_2d_divs;
        dots_ = show_dots;
        show_2d_divs = 0;
        show_dots = 0;
        memset(A, 0, bytesL);
        set_value(A, 9, 1);
        set_value(A, 8, 1);
    }
    void TearDown() override
    {
        show_2d_divs = divs_;
        show_dots = dots_;
        checked_free(color_v);
        color_v = nullptr;
        EXPECT_TRUE(work_.leave());
        net_.reset();
    }
    // The cell editor on A while keys are typed; no key may be left over.
    void edit(const std::string &keys)
    {
        moveto(40, 300);
        int size = 10;
        paced_thread typing = type_keys_paced(keys);
        input_string_cell(0, 0, A, L, 0, 1, &size, 2, 600, 400);
        typing.join();
        EXPECT_EQ(take_typed_keys(), 0) << "keys left over after \"" << keys << "\"";
    }
    static std::string read_file(const char *name)
    {
        std::ifstream in(name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    std::optional<TestNetwork> net_;

private:
    work_dir work_;
    uint8_t divs_ = 0, dots_ = 0;
};

// File menu, whole state; colour; settings kept; name pic, confirmed; accept.
constexpr const char *kColourPictureKeys = "Ftcspic\r\r\r";

TEST_F(LatexExportScreen, WholeStateInColourIsTheExampleByteForByte)
{
    edit(kColourPictureKeys);
    // The example of latex_picture_test: 10 x 1 cells at scale 10, value 1
    // in old colour 15 ("0,0,0"), value 0 in old colour 0 ("1,1,1").
    tex_picture p;
    p.cells = A;
    p.count = 10;
    p.cols = 10;
    p.rows = 1;
    p.rgb = {"1,1,1", "0,0,0"};
    std::string text = read_file("pic.tex");
    EXPECT_EQ(text, compose_latex_picture(p));
}

TEST_F(LatexExportScreen, ColourOutsideTheOldColoursTakesItsXColour)
{
    // Navy (0, 0, 128 in the X colour names) is no old colour on either background.
    for (int slot = 0; slot < 16; slot++)
        ASSERT_NE(oldcolor[slot], Navy);
    color_v[1] = Navy;
    edit(kColourPictureKeys);
    std::string text = read_file("pic.tex");
    EXPECT_NE(text.find("\\definecolor{thiscolor}{rgb}{0.000,0.000,0.502}\\color{thiscolor}\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("{rgb}{}"), std::string::npos);
}

TEST_F(LatexExportScreen, CellsOfAPartAndAKeyChoosingNoModeWritesNothing)
{
    edit("Ftx\r");
    EXPECT_EQ(access("pic.tex", F_OK), -1);
    // Part 7..9 (cells 7, 8, 9, the part's 0, 1, 2), symbols: two lines for
    // the part's cells 2 and 1, nothing for its 0.
    edit("FT7\r9\rsspic\r\r\r");
    std::string text = read_file("pic.tex");
    EXPECT_NE(text.find("\\begin{picture}(30.000000,10.000000)"), std::string::npos) << text;
    EXPECT_NE(text.find("\\linethickness{10.000000pt}\n\\put(-5.000000,10.000000){\\line(1,0){10.000000}}\n"
                        "\\put(5.000000,10.000000){\\line(1,0){10.000000}}\n\\end{footnotesize}"),
              std::string::npos)
        << text;
}

} // namespace
