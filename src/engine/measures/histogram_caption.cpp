// The network line of the forward-run histograms' frame
// (histogram_caption.h). Reads engine/model's sizes and k, engine/wiring's
// kind of wiring and zone, and engine/rules' canalyzing share.
#include "engine/measures/histogram_caption.h"

#include <cstdio>

#include "engine/model/globals.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/random_wiring.h"

std::string
histogram_network_caption()
{
    char text[64];
    std::string net;
    if (threed)
        snprintf(text, sizeof text, "net=%dx%dx%d", i3d, j3d, h3d);
    else if (twod)
        snprintf(text, sizeof text, "net=%dx%d", i2d, j2d);
    else
        snprintf(text, sizeof text, "1d net=%u", static_cast<unsigned>(lineL));
    net = text;
    if (nhood_mixed)
        snprintf(text, sizeof text, " k=%d-%d", nhood_lb, nhood_ub);
    else
        snprintf(text, sizeof text, " k=%d", nhood);
    net += text;
    net += regular_wiring() ? " local wiring" : " rand-wiring";
    zone_caption zone = caption_of_zone();
    if (zone == zone_caption::width || (zone == zone_caption::no_limit && (twod || threed))) {
        snprintf(text, sizeof text, " zone-diam=%d", zonesize);
        net += text;
    }
    if (cinputfreq != 0) {
        snprintf(text, sizeof text, " C-in=%.2f%%", 100.0 * cinputfreq);
        net += text;
    }
    return net;
}
