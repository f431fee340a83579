// A one-key question in the status box, beside a summary in the prompt box
// (the pauses after a tree, a basin or a field's component).
#pragma once

// Clears and frames the status box at its place, ending before the prompt
// box, writes text in white at its text margin and reads one key into is.
// The text and the key's cursor take the medium font where they would run
// past the box's right frame in the normal one (a window of a 1024-pixel
// screen), so that nothing is written over the summary. The current point
// and colour are kept.
void status_box_key_prompt(const char *text);
