// Exact translation periods, the walk over distinct translations and the
// canonical form of rotation compression, against sets of states built
// from every shift.
#include "backward_test_support.h"

#include <set>
#include <string>

namespace {

using line = std::vector<uint8_t>;

// Every translation of a 2d state by the model's shifts.
std::set<line>
all_translations(const line &state)
{
    std::set<line> all;
    line column = state;
    for (int dh = 0; dh < i2d; dh++) {
        line moved = column;
        for (int dw = 0; dw < j2d; dw++) {
            all.insert(moved);
            rotate_array_2d(moved.data(), 'u', 1);
        }
        rotate_array_2d(column.data(), 'l', 1);
    }
    return all;
}

// On a 6 x 4 torus, cell (i, j) := f((i - 3j) mod 6) with f of period 6:
// shifting 3 columns and 1 row gives the state back, and so does 2 rows.
// Its 24 translations give 6 states.
line
diagonal_state()
{
    const int f[6] = {1, 1, 0, 1, 0, 0};
    line state(bytesL, 0);
    for (int j = 0; j < j2d; j++)
        for (int i = 0; i < i2d; i++)
            set_value(state.data(), static_cast<uint32_t>(i + j * i2d), f[((i - 3 * j) % 6 + 6) % 6]);
    return state;
}

TEST(StateRotation, TorusPeriodsOfADiagonalStateCountItsTranslations)
{
    TestNetwork net(2, 2, 6, 4, 1, 5);
    reset_backward_settings();
    line state = diagonal_state();
    ASSERT_EQ(all_translations(state).size(), 6u);
    uint32_t h = 0, w = 0;
    torus_periods(state.data(), &h, &w);
    EXPECT_EQ(repseg_2d[0], 6); // no column period below the width
    EXPECT_EQ(repseg_2d[1], 2); // two rows give it back
    EXPECT_EQ(h, 6u);
    EXPECT_EQ(w, 1u); // one row with three columns does
    // The walk visits each distinct translation once, the state first.
    std::vector<line> seen;
    visit_translations_2d(state.data(), h, w, [&](const uint8_t *t) { seen.emplace_back(t, t + bytesL); });
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0], state);
    EXPECT_EQ(std::set<line>(seen.begin(), seen.end()), all_translations(state));
}

TEST(StateRotation, TorusPeriodsOfPlainStates)
{
    TestNetwork net(2, 2, 6, 4, 1, 5);
    reset_backward_settings();
    uint32_t h = 0, w = 0;
    line uniform(bytesL, 0);
    torus_periods(uniform.data(), &h, &w);
    EXPECT_EQ(h * w, 1u);
    // Columns repeat every 3 cells and rows every 2, with no diagonal.
    line stripes(bytesL, 0);
    for (int j = 0; j < j2d; j++)
        for (int i = 0; i < i2d; i++)
            set_value(stripes.data(), static_cast<uint32_t>(i + j * i2d), i % 3 == 0 && j % 2 == 0);
    torus_periods(stripes.data(), &h, &w);
    EXPECT_EQ(h, 3u);
    EXPECT_EQ(w, 2u);
    EXPECT_EQ(all_translations(stripes).size(), 6u);
}

TEST(StateRotation, CanonicalFormNamesTheClass)
{
    TestNetwork net(2, 2, 6, 4, 1, 5);
    reset_backward_settings();
    regular2d = 1;
    line state = diagonal_state();
    std::set<std::string> forms;
    for (const line &t : all_translations(state))
        forms.insert(canonical_state(t.data()));
    EXPECT_EQ(forms.size(), 1u);
    line other = state;
    set_value(other.data(), 0, 1 - get_value(other.data(), 0));
    EXPECT_NE(canonical_state(other.data()), *forms.begin());
    regular2d = 0;
}

TEST(StateRotation, RingCanonicalFormOfEveryRotation)
{
    TestNetwork net(3, 7, 3);
    reset_backward_settings();
    line state(bytesL, 0);
    set_number(state.data(), 1234);
    std::set<std::string> forms;
    line moved = state;
    for (uint32_t r = 0; r < lineL; r++) {
        forms.insert(canonical_state(moved.data()));
        rotate_array(0, moved.data(), 'l', 0, 1, 0, 0);
    }
    EXPECT_EQ(forms.size(), 1u);
    EXPECT_EQ(moved, state);
    // A mirror image that is no rotation has another form.
    line mirror(bytesL, 0);
    for (uint32_t c = 0; c < lineL; c++)
        set_value(mirror.data(), c, get_value(state.data(), L - c));
    EXPECT_NE(canonical_state(mirror.data()), *forms.begin());
}

} // namespace
