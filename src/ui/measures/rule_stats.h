// The rule-sample statistics browser over "*.sta" files, opened from the
// pause and options box and by stat_rule: the file loaded whole into
// statbuf, then a menu of the list, the sort (saved to a file) and the
// scatter of standard deviation against mean entropy, Z or lambda ratio.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/screen/key_table.h"

// mode 0 asks for a sample file and loads it, any other mode browses the
// sample already loaded (or asks for one when none is). Returns the bytes
// of the sample loaded (whole records), or 0 with 'q' in is[0] when the
// user backed out or the file was refused; x0: the left edge of the plot's
// side strip.
size_t load_rule_stats(int mode, int x0);
// The index of the rule chosen from the list during the last browsing
// (put into the network), or 0 when none was.
uint32_t last_chosen_sample_rule();
// Records that the list put record index into the network.
void note_chosen_sample_rule(uint32_t index);

// How a save goes to a file name chosen in a dialog.
enum class save_way { none, append, replace };
// The file choice of the sort's save: the dialog, then "%s: append data-a,
// or new file-default:", and for a new file over an existing one the
// question of existing_file_way. none when the user backed out.
save_way select_sort_filename();
// For a file about to be written anew: replace when no file has that name,
// else the answer to "%s exists: overwrite-o, append-a:" ('o' replace, 'a'
// append, anything else none: the file is kept).
save_way existing_file_way(const char *name);
// Writes size bytes to name the chosen way: appended, or the file replaced
// whole; the file error box on a failure. False when nothing was written.
bool save_browser_file(const char *name, const void *data, size_t size, save_way way);

// The menu's key table, exposed for the check that its prompt and its keys
// are one set.
std::vector<key_help_line> rule_stats_menu_help(bool rule_tables);
std::string rule_stats_menu_keys();
