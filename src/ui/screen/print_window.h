// Printing the window through the shell's X and netpbm tools.
#pragma once

// Asks how to print and prints the window ('@' in any text entry).
void printimage();
// The same with its boxes (each as wide as the prompt box) at (left, top)
// instead of the prompt box's place: below or beside a box of the caller's
// that is printed with the window and stays whole while they are up.
void printimage_at(int left, int top);
