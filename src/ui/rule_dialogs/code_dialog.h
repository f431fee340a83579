// The code dialog: the twin of the single-rule dialog (rule_dialog.h) for
// tcodes and kcodes, which also keeps each code's rule table up to date when
// the network runs from rule tables.
#pragma once
#include <cstdint>

// mode, single, count and cell as select_rule; codes the code rows (cacode,
// v_code, diffcode or v_diffcode), rules the rule rows that receive their
// conversions (carule or diffrule). Returns the current text row; is[0] =
// 'q' when the user backed out of the menu.
int16_t select_t_v_code(int mode, int single, uint8_t **codes, uint8_t **rules, int count,
                        int cell);
