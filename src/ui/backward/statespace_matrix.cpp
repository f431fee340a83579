// STAND-IN until the state-space matrix is built: nothing is drawn.
#include "ui/backward/statespace_matrix.h"

void
show_statespace_matrix(const uint8_t *)
{
}
