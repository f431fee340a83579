// Prompt texts broken at spaces to the width of the prompt box, or of a
// box as wide placed elsewhere, so that each line and the entry typed after
// the last stay inside it: counted for the box's height, then written.
#pragma once

// The character a text entry takes whose glyph is the widest in the font
// in use: an entry may be typed full of it.
char widest_entry_character();
// The width an entry of up to max characters takes at its longest in the
// font in use, each character as wide as the widest a text entry takes;
// and with the cursor's block after it (0 for no entry): the room a box
// keeps for the entry so that what is typed stays inside its frame.
int typed_entry_width(int max);
int typed_entry_room(int max);

// write_prompt_lines in such a box whose text margin is margin: the lines
// break at its width as they break at the prompt box's (prompt_box_lines
// counts them).
void write_prompt_lines_at(const char *text, int margin);
// Lines a text takes in the prompt box when broken at spaces to its width.
int prompt_box_lines(const char *text);
// Writes text from the current point, broken as prompt_box_lines counts, each
// further line at margin one line lower; the point stays on the last line.
void write_prompt_lines(const char *text, int margin);
// Writes text from margin on the `lines` lines of the prompt box from row
// top, broken as write_prompt_part breaks it for an entry of `entry`
// characters, the rows text_line clears for each line cleared together
// first, so that it takes the place of what those lines held and no line's
// clear cuts the line above it; the point stays after the text.
void rewrite_prompt_lines(const char *text, int entry, int margin, int top, int lines);
// A piece of a prompt line: a text, then an entry of up to `entry`
// characters typed after it (0: none).
struct prompt_part {
    const char *text;
    int entry;
};
// Lines a prompt line made of parts takes in the prompt box from its text
// margin: each text broken as write_prompt_part breaks it, each entry at its
// longest.
int prompt_parts_lines(const prompt_part *parts, int count);
// Writes text from the current point broken at spaces to the prompt box's
// width, so that an entry of `entry` characters after it (and its cursor)
// stays inside the box too; each further line at margin one line lower. A
// text that has no room left on the current line starts on the next one.
void write_prompt_part(const char *text, int entry, int margin);
// A prompt box as tall as text takes broken as write_prompt_part breaks it
// for an entry of `entry` characters, the text written in it from its
// first line; returns the box's lines, for its erase.
int prompt_box_with(const char *text, int entry);
