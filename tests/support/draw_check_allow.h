// The draw check in the tests: every window test and end-to-end test runs
// with it on and fails on a report that no entry of the allow list (in
// draw_check_allow.cpp, each entry with its reason) accepts. The failure is
// the harness's (window_test_main.cpp), at the end of every test: it takes
// the reports of the drawing in the test's process and those the programs
// the test ran handed over (hand_over_program_reports).
#pragma once
#include <string>
#include <vector>

// The report lines of a program's standard error (the closing count left
// out); the lines are told apart as draw_check_lines.h defines them.
std::vector<std::string> draw_reports_in(const std::string &stderr_text);
// The text without the draw check's lines (its reports and closing count):
// what the program writes without the check.
std::string without_draw_check_lines(const std::string &stderr_text);
// The reports no entry of the allow list accepts.
std::vector<std::string> unallowed_draw_reports(const std::vector<std::string> &reports);
// The reports joined a line each, for a failure message.
std::string report_lines(const std::vector<std::string> &reports);
// A program under test, as it goes, hands over the reports in its standard
// error; the harness takes them at the end of the test, which taking empties.
void hand_over_program_reports(const std::string &stderr_text);
std::vector<std::string> take_program_reports();
