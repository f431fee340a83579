// Stand-in until the network duplication is built: doubling the network
// side by side for the damage runs between its two halves.
#pragma once

// Doubles the network and its seed; true when it did. The stand-in leaves
// the network as it is and returns false.
bool duplicate_net();
