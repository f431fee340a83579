// The ants demonstration of the first screen.
#pragma once

void new_ant();
