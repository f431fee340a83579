// A line of text in a rectangle it owns, as dwm's drw_text draws one: the
// rectangle cleared to the background, the text cut to its width and ended
// in "..." where it does not fit whole, then written; the caller goes on
// from where the text ends. The rectangle is the columns given and the rows
// the font in use may ink on a line at that top (line_ink_rows), so that
// lines one under another clear nothing of each other. A text that is a
// row of pieces (hex bytes, cell numbers) is cut between pieces, so that
// none shows in part.
#pragma once
#include <string>
#include <vector>

// The longest start of text that fits room pixels in the font in use with
// "..." after it, ending at one of cuts (places in text, rising; at any
// character where cuts is empty), and "..." after it; text itself where it
// fits whole, "..." alone where no start does.
std::string text_within(const std::string &text, int room, const std::vector<size_t> &cuts = {});
// Clears columns x0..x1 of the rows a line whose top is at row top takes,
// and writes text there from x0, cut to those columns (text_within), in the
// colour in use; the current point is left after it. Returns where the text
// ends.
int text_line(int x0, int x1, int top, const std::string &text,
              const std::vector<size_t> &cuts = {});
