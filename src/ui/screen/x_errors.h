// How X errors reach the program: protocol errors are counted and reported
// on standard error instead of ending the program; a lost connection ends it
// with "Zemra: lost connection to X server" and status 255.
#pragma once

// Installs both handlers; called once the display is open.
void install_x_error_handlers();
// Protocol errors seen so far (callers compare before and after a request).
extern unsigned long x_error_count;
// Waits for the server to process every request and returns the error count.
unsigned long x_sync_errors();
// Waits for the server to process every request and tells whether the one
// of that serial (NextRequest(D) before it was made) failed. An error of an
// earlier request reported meanwhile is no failure of this one.
bool x_request_failed(unsigned long serial);
