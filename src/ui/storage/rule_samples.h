// The complex-rule samples: the rules stage's 'G' loads sample file i
// ("v%dk%d_c%d.rul", ".vco" with tot_only) into the rule table (kcode) of
// cell i; the layout and its check are decode_rule_sample (engine/storage/
// side_file_codecs.h).
#pragma once

// Loads the samples of this v and k, as many as the glider list counts
// (no_glider_rules), at most one per cell. A file that is missing, not a
// regular file, of another size, v or k, or that holds a value of v or more
// or set padding bits gets the file error box and leaves its cell's rule as
// it was.
void load_samples();
