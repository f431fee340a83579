// The LAYOUT stage of a run's set-up and the layout revision in the middle
// of a run: the dialogs over the layout arithmetic of
// engine/backward/basin_layout.h, and the half-scale preview.
#pragma once

// The defaults for the kind of run, for this window.
void set_layout_defaults();
// The LAYOUT stage; 'q' in is[0] when the user steps back.
void setup_plot();
// Resets the cursor to (fox, foy) and draws the half-scale preview of the
// layout in the top-left quarter of the window.
void draw_layout_preview();
// The revision of angles, next position and spacing offered in a data
// pause; returns on 'q' at its first prompt or once the spacing is taken.
void amend_layout();
// "accept defaults-d" in the status box: every settings stage writes it
// before its dialog.
void show_accept_defaults();
// The basin orientation and fan angle prompts at the current point, each
// number held within its bounds (kAngleBounds, kFanFactorBounds); false on
// 'q'.
bool ask_orientation();
bool ask_fan_angle();
// Reads the last text entry as a number; false when it starts with none or
// reads as "nan" (then value is 0, as text that is no number reads).
bool entry_as_number(double &value);
