// The network line of the frame of the forward-run histograms (damage,
// attractor types, frozen skeletons): the network's dimension and size, k,
// whether the wiring is local or random, a random wiring's zone and the
// share of canalyzing inputs. Composed apart from the frame that draws it
// (ui/measures/damage_plot.cpp) so it is read with no window.
#pragma once
#include <string>

// Reads the network, wiring and canalyzing globals: "1d net=n" for a ring,
// "net=IxJ" for a 2d lattice, "net=IxJxH" for a 3d one (i2d and j2d, or
// i3d, j3d and h3d: the doubled network once a damage run has doubled it);
// then " k=K" or " k=LB-UB" with mixed k; " local wiring" for a regular
// network or lattice, else " rand-wiring"; " zone-diam=Z" for a random
// wiring limited to a zone, and for a random lattice wired without limit;
// " C-in=P%" when a canalyzing census has set a share. A 24-cell ring with
// k = 3: "1d net=24 k=3 local wiring"; a random 4x3x2 lattice of zone 1:
// "net=4x3x2 k=7 rand-wiring zone-diam=1".
std::string histogram_network_caption();
