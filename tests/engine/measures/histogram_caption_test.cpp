// The network line of the forward-run histograms' frame: each network
// named by its own dimension and size (a 3d lattice is neither a ring nor
// a 2d lattice), a random wiring's zone named and a regular one's not, the
// mixed k and the canalyzing share.
#include <gtest/gtest.h>

#include "engine/forward/forward_test_support.h"
#include "engine/measures/histogram_caption.h"
#include "engine/wiring/globals.h"

namespace {

// The wiring and canalyzing globals the tests set, put back.
struct caption_globals_kept {
    uint8_t local = nonlocal, r2 = regular2d, r3 = regular3d, mixed = nhood_mixed;
    uint8_t lb = nhood_lb, ub = nhood_ub;
    uint16_t zone = zonesize;
    float canalyzing = cinputfreq;
    ~caption_globals_kept()
    {
        nonlocal = local, regular2d = r2, regular3d = r3, nhood_mixed = mixed;
        nhood_lb = lb, nhood_ub = ub, zonesize = zone, cinputfreq = canalyzing;
    }
};

TEST(HistogramCaption, RingNamesItsCellsAndItsZone)
{
    caption_globals_kept kept;
    TestNetwork net(2, 24, 3);
    nonlocal = 0;
    cinputfreq = 0;
    EXPECT_EQ(histogram_network_caption(), "1d net=24 k=3 local wiring");
    nonlocal = 1;
    zonesize = 24;
    EXPECT_EQ(histogram_network_caption(), "1d net=24 k=3 rand-wiring");
    zonesize = 5;
    nhood_mixed = 1, nhood_lb = 2, nhood_ub = 3;
    cinputfreq = 0.25f;
    EXPECT_EQ(histogram_network_caption(), "1d net=24 k=2-3 rand-wiring zone-diam=5 C-in=25.00%");
}

// A lattice wired randomly with zone 3 reads "<net> rand-wiring
// zone-diam=3", and "<net> local wiring" once its regular flag is set.
void
expect_lattice_captions(uint8_t &regular, const std::string &net)
{
    nonlocal = 1;
    zonesize = 3;
    regular = 1;
    EXPECT_EQ(histogram_network_caption(), net + " local wiring");
    regular = 0;
    EXPECT_EQ(histogram_network_caption(), net + " rand-wiring zone-diam=3");
}

TEST(HistogramCaption, LatticesNameTheirSidesAndOnlyARandomWiringItsZone)
{
    caption_globals_kept kept;
    cinputfreq = 0;
    nhood_mixed = 0;
    {
        TestNetwork net(2, 3, 4, 3, 2, 7);
        expect_lattice_captions(regular3d, "net=4x3x2 k=7");
        zonesize = 1;
        EXPECT_EQ(histogram_network_caption(), "net=4x3x2 k=7 rand-wiring zone-diam=1");
    }
    TestNetwork net(2, 2, 6, 4, 1, 5);
    expect_lattice_captions(regular2d, "net=6x4 k=5");
}

} // namespace
