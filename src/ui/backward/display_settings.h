// The DISPLAY and PAUSE/DATA stages of a run's set-up: how trees are drawn,
// where runs pause, what goes to standard error and to the data file, and
// the attractor jump graph of a field.
#pragma once

// The DISPLAY stage; 'q' in is[0] when the user steps back.
void format_draw();
// The PAUSE/DATA stage; 'q' in is[0] when the user steps back.
void data_att();
// The node display prompt of the learning layout, then its i-axis when 1d
// states are shown as 2d; false on 'q'.
bool ask_learning_nodes();
