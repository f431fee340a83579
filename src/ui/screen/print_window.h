// Printing the window through the shell's X and netpbm tools.
#pragma once

// Asks how to print and prints the window ('@' in any text entry).
void printimage();
