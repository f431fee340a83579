// Stand-in of the network duplication (network_duplication.h): nothing is
// doubled, so a damage display of an odd width is refused as for a network
// the user chose not to double.
#include "ui/forward/network_duplication.h"

bool
duplicate_net()
{
    return false;
}
