// The draw check in the tests (draw_check_allow.h): its lines read out of a
// program's standard error, the reports programs under test hand over, and
// the allow list of what the check reports there by design, each entry with
// its reason.
#include "support/draw_check_allow.h"

#include <array>
#include <sstream>
#include <utility>

#include "ui/screen/draw_check_lines.h"

namespace {

struct allowed_report {
    const char *contains; // a report holding this text
    const char *and_holds; // and this one ("" for none) is allowed
    const char *why;
};

// Empty: every report the window tests found is mended. A report allowed
// by design goes here with its reason and where it is seen.
constexpr std::array<allowed_report, 0> kAllowed{};

// The reports the programs of the running test handed over.
std::vector<std::string> program_reports;

} // namespace

std::vector<std::string>
draw_reports_in(const std::string &stderr_text)
{
    std::vector<std::string> found;
    std::istringstream lines(stderr_text);
    std::string line;
    while (std::getline(lines, line))
        if (is_draw_check_report(line))
            found.push_back(line);
    return found;
}

std::string
without_draw_check_lines(const std::string &stderr_text)
{
    std::string kept;
    std::istringstream lines(stderr_text);
    std::string line;
    while (std::getline(lines, line))
        if (!is_draw_check_line(line))
            kept += line + "\n";
    if (!stderr_text.empty() && stderr_text.back() != '\n' && !kept.empty())
        kept.pop_back();
    return kept;
}

std::vector<std::string>
unallowed_draw_reports(const std::vector<std::string> &reports)
{
    std::vector<std::string> left;
    for (const std::string &r : reports) {
        bool allowed = false;
        for (const allowed_report &a : kAllowed)
            allowed = allowed || (r.find(a.contains) != std::string::npos &&
                                  r.find(a.and_holds) != std::string::npos);
        if (!allowed)
            left.push_back(r);
    }
    return left;
}

std::string
report_lines(const std::vector<std::string> &reports)
{
    std::string text;
    for (const std::string &r : reports)
        text += r + "\n";
    return text;
}

void
hand_over_program_reports(const std::string &stderr_text)
{
    for (std::string &r : draw_reports_in(stderr_text))
        program_reports.push_back(std::move(r));
}

std::vector<std::string>
take_program_reports()
{
    std::vector<std::string> taken;
    taken.swap(program_reports);
    return taken;
}
