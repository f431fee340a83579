// The rule-sample browser's pieces and the state they share while it is
// open: the scatter and its mouse probe (sample_scatter.cpp), the list of
// rules with its paging and choice (sample_list.cpp), the frequency
// histogram over a grid (sample_histogram.cpp). The loader and its menu are
// rule_stats.cpp, which opens the browser and frees its state on leaving.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/measures/rule_sample.h"
#include "ui/screen/key_table.h"

// One opening of the browser over the sample in statbuf.
struct rule_browser {
    int x0 = 0;             // left edge of the plot's side strip (the pattern's right edge)
    int k = 0;              // inputs of the sampled rules (nhood)
    stat_sample sample{};   // the records of statbuf
    int y_kind = sample_y_mean;
    bool big_dots = false;  // 2 x 2 pixel dots instead of one pixel
    // trunc(Z x 255) and trunc(lambda ratio x 255) of each record's rule,
    // filled the first time the scatter is plotted against them.
    std::vector<uint8_t> z_bytes, lambda_bytes;
    std::vector<uint8_t> y_bytes, sd_bytes; // of each record, for the y kind
    int y_pos = 0, sd_pos = 0;              // the position last listed or probed
};

// The plot's corner and size: column of sd 0, row of y 0, its width and
// height in pixels (the kind-2 frame at the browser's x0).
struct plot_frame {
    int left, bottom, width, height;
};
plot_frame sample_plot_frame(const rule_browser &b);
// The y bytes and sd bytes of each record for b.y_kind (the Z and lambda
// bytes computed when first needed).
void take_sample_bytes(rule_browser &b);

// show_list_rules modes.
constexpr int list_rules_list = 1, list_rules_scatter = 2;
// mode 2 draws the scatter in the kind-2 frame; mode 1 lists the records,
// all of them or, with filter, those within radius of (b.y_pos, b.sd_pos),
// and lets one be chosen. Returns true when a rule was put into the network.
bool show_list_rules(rule_browser &b, int mode, bool filter, int radius);
// The list of show_list_rules mode 1.
bool list_sample_rules(rule_browser &b, bool filter, int radius);
// The mouse probe over the scatter until 'q' (or the right button), then
// "... frequency histogram-f, quit-q, cont-ret:".
void highlight_box(rule_browser &b);
// The frequency histogram over a grid of the plane, and its data file.
void ent_3d(rule_browser &b);
// The window's area the histogram's view takes beside the plot f (its
// screen kept and put back), with the line its keys wait on at the top.
struct view_area {
    int left, top, right, bottom;
};
view_area histogram_view_area(const plot_frame &f);

// The key table of the question after the probe, exposed for the check
// that its prompt and its keys are one set.
using probe_end_key = key_row<rule_browser, bool>;
std::vector<key_help_line> probe_end_help();
std::string probe_end_keys();

// The key tables of the list: the page's end and the question after it.
struct list_walk;
using list_page_key = key_row<list_walk, int>;
using list_end_key = key_row<list_walk, int>;
// Help and keys of the page's end (last: at the last record) and of the
// question after the list (filtered: with the radius).
std::vector<key_help_line> list_page_help(bool last);
std::string list_page_keys();
std::vector<key_help_line> list_end_help(bool filtered, bool stopped);
std::string list_end_keys();
