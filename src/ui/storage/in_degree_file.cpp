// In-degree histogram files (in_degree_file.h): the counts of pre_fan_freq
// saved whole, and a file checked whole before it replaces them. Reads and
// writes pre_fan_freq, maxinhist and pre_fan_edges (engine/backward); the
// byte layout is engine/storage/in_degree_codec.h. The histogram that
// offers these is ui/backward/in_degree_hist.cpp. Start at
// load_in_degree_file.
#include "ui/storage/in_degree_file.h"

#include <cstring>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/in_degree.h"
#include "engine/storage/in_degree_codec.h"
#include "engine/storage/length_faults.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/load_refusal.h"

bool
save_in_degree_file(const char *name)
{
    if (!pre_fan_freq)
        return file_refused(name);
    std::vector<uint8_t> out;
    encode_in_degree_counts(pre_fan_freq, maxinhist, out);
    return write_or_refuse(name, out.data(), out.size());
}

bool
load_in_degree_file(const char *name)
{
    std::vector<uint8_t> in;
    std::vector<uint32_t> counts;
    if (!read_file(name, in, 4 * (kInDegreeMostLast + 1)))
        return file_refused(name);
    if (!decode_in_degree_counts(in.data(), in.size(), counts))
        return file_refused(name, in_degree_length_fault(in.size()));
    maxinhist = static_cast<uint32_t>(counts.size() - 1);
    reset_in_degree_counts(maxinhist + 1);
    memcpy(pre_fan_freq, counts.data(), counts.size() * sizeof(uint32_t));
    pre_fan_edges = sum_in_degree_counts(pre_fan_freq, maxinhist, false).edges;
    return true;
}
