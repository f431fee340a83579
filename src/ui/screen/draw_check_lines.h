// The lines the draw check (draw_check.h) writes to standard error, named
// once for the check that writes them, for the tests that read them back
// from a program's standard error and for the random-key walker
// (tests/random_keys.py reads the two constants from this file): every line of the check begins with
// kDrawCheckPrefix; the closing one, "draw check: N drawings checked, R
// reported", holds kDrawCheckCountMark as well, every other one is a report.
#pragma once
#include <string>

inline constexpr char kDrawCheckPrefix[] = "draw check: ";
inline constexpr char kDrawCheckCountMark[] = " drawings checked, ";

// Whether line is one of the check's lines: a report or the closing count.
inline bool
is_draw_check_line(const std::string &line)
{
    return line.rfind(kDrawCheckPrefix, 0) == 0;
}

// Whether line is one of the check's reports (not its closing count).
inline bool
is_draw_check_report(const std::string &line)
{
    return is_draw_check_line(line) && line.find(kDrawCheckCountMark) == std::string::npos;
}
