// Start-up, the first screen and the clean exit.
#pragma once
#include <cstdint>
#include <string>

// Reads the first two arguments, and of each its first two characters:
// "-w"/"-b" set the background letter (the later one wins), "-t" the
// totalistic forward-only mode. Anything else is ignored.
void parse_command_line(int argc, char **argv, char *background, uint8_t *totalistic_only);
// Whether any argument is "-h" or "--help": the program then prints its
// options to standard output and ends with status 0, before it opens the
// display.
bool asks_for_help(int argc, char **argv);
// Seeds run from 0 to kLargestSeed, the range the seed prompt states, so
// that every seed the first screen shows can be typed back.
constexpr uint32_t kLargestSeed = 32767;
// The start-up random seed: process id times seconds, in 32 bits, reduced
// to 0..kLargestSeed.
uint32_t startup_randseed(uint32_t pid, uint32_t seconds);
// The answer to the random seed prompt: true with the new seed in *seed for
// digits alone giving 0..kLargestSeed; false (a sign, other characters, a
// larger number) leaves it.
bool parse_seed_answer(const std::string &answer, uint32_t *seed);
// Lines of the first screen's prompt box as last drawn: two, or three on a
// window too narrow for the build tag and the screen's figures on one line
// (the figures then take a line of their own).
int first_prompt_box_lines();

// Registers what the lower layers call up to: the engines' key polls and
// prompts through the window, the hot keys of every text entry ('@' prints
// the window, '>' saves it and '<' loads a screen image), the wire-up a
// network file of another k calls for, the resize of a size range, and the
// clean exit that ends the program from the exit box or when the window is
// destroyed.
void register_window_hooks();
// Sets the limits, allocates the program-lifetime memory, opens the window
// and runs the first screen; never returns.
[[noreturn]] void start_zemra(int argc, char **argv);
// Frees the program-lifetime memory, closes the window, writes
// "\nZemra clean exit\n" to standard error and exits with status 0.
[[noreturn]] void clean_exit();
