// The allow list of the draw check in the tests (draw_check_allow.h): what
// the check reports there by design, each entry with its reason.
#include "support/draw_check_allow.h"

#include <sstream>

namespace {

struct allowed_report {
    const char *contains; // a report holding this text is allowed
    const char *why;
};

constexpr allowed_report kAllowed[] = {
    // Faults found by the check and not yet mended: each entry goes when its
    // screen is mended.
    {"; prompt \"graphic: 1d+timestep-1 circle-c, 2d-2:\"",
     "NOT YET MENDED: on the small screen the network view's prompt box cuts the first set-up line, "
     "and after a k = 9 random rule the seed window cuts the rule's hex lines"},
    {"text \"backward for subtree-b, forward for basin (def):\"",
     "NOT YET MENDED: after a k = 9 random rule the next set-up lines are written over its hex lines"},
    {"text \"forward before backwards?\"",
     "NOT YET MENDED: after a k = 9 random rule the next set-up lines are written over its hex lines"},
    {"text \"Select SEED (v2 1d n=36)",
     "NOT YET MENDED: after a k = 9 random rule the seed menu is written over its hex lines"},
    {"; prompt \"my_stat.sta: append data-a, new file-def, add + to pause:\"",
     "NOT YET MENDED: the entropy sample's file question cuts the colour key"},
    {"cuts \"color key:  \" at (862,24)-(944,38) across rows 24-29 of its glyphs; prompt \"C=",
     "NOT YET MENDED: automatic rule sampling's status line cuts the colour key"},
    {"; prompt \"list-?, quit-q, default my_mix:\"",
     "NOT YET MENDED: the k-mix file name's box cuts the mix listing's line below it"},
    {"; prompt \"y-axis log2, cont-ret:\"",
     "NOT YET MENDED: the damage options' answer is echoed over its prompt and the box put back cuts it"},
    {"; prompt \"damage=",
     "NOT YET MENDED: the damage options' answer is echoed over its prompt and the box put back cuts it"},
    {"cuts \"redraw-r x-axis-x logx-X logy-y log-both-b:\"",
     "NOT YET MENDED: the damage options' box put back cuts the options line below it"},
    {"cuts \"redraw/options-o cont-ret:\"",
     "NOT YET MENDED: the type histograms' saved prompt area put back cuts the options line"},
};

} // namespace

std::vector<std::string>
draw_reports_in(const std::string &stderr_text)
{
    std::vector<std::string> found;
    std::istringstream lines(stderr_text);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind("draw check: ", 0) == 0 && line.find(" drawings checked, ") == std::string::npos)
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
        if (line.rfind("draw check: ", 0) != 0)
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
            allowed = allowed || r.find(a.contains) != std::string::npos;
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
