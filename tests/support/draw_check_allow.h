// The draw check in the tests: every window test and end-to-end test runs
// with it on and fails on a report that no entry of the allow list (in
// draw_check_allow.cpp, each entry with its reason) accepts.
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
