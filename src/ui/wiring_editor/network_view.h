// The network view: the door through which the wiring and rules are
// reviewed and revised once they are set up.
#pragma once

// Shows the network's heading and its key menu and opens the chosen tool.
// is[0] afterwards: 'q' backed out, 13 Return, else the tool's last key.
void show_w_r_scheme();
