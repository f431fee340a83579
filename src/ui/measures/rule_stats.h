// The rule-sample statistics browser over "*.sta" files, opened from the
// pause and options box.
#pragma once

// mode 0 loads a sample file and plots it, mode 1 keeps the loaded sample;
// offset shifts its plot on screen.
void load_rule_stats(int mode, int offset);
