// Network duplication for the damage runs between two networks: the
// network doubled side by side (engine/forward/network_duplication.h), its
// wiring and rules shown, and the seed dialog opened on the doubled seed.
#pragma once

// Doubles the network and its seed, shows the wiring and rule review and
// opens the seed dialog ("SEED", the window left drawn) so that the halves'
// seeds can be made to differ; is[0] holds the dialog's answer. True when
// the network was doubled (always, for the 1d and 2d networks offered it).
bool duplicate_net();
