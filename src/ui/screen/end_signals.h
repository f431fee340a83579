// The end of the program on SIGTERM or SIGHUP. The handler only notes the
// signal: the next key wait or poll of a long computation (input.cpp) ends
// the program through end_program, the registered clean end, so that a
// save under way finishes or fails first and leaves no temporary file. A
// second signal before that ends the program at once, removing the
// temporary file of a save under way.
#pragma once

// Installs the handler of SIGTERM and SIGHUP (start-up, once).
void catch_end_signals();
// True once SIGTERM or SIGHUP arrived.
bool end_signal_caught();
// The temporary file a save is writing, removed by a second signal (a name
// of 512 bytes or more is not held); released when the save renamed or removed it.
void hold_temporary_file(const char *name);
void release_temporary_file();
