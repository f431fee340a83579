// Histogram files (histogram_file.h), shared by the damage, attractor-type
// and skeleton histograms and the k and degree histograms of the model:
// the name dialog, the file written or read whole and the listing on
// standard error; the layout is encode_histogram and decode_histogram
// (engine/storage/side_file_codecs.h). Start at hist_save_load.
#include "ui/storage/histogram_file.h"

#include <cstdio>
#include <vector>

#include "engine/storage/side_file_codecs.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"

namespace {

bool
failed(const char *name)
{
    refuse_file(name);
    return false;
}

void
list_counts(int columns, const std::vector<uint16_t> &counts)
{
    fprintf(stderr, "\nhistogram: 1+%d columns\n", columns);
    for (uint16_t c : counts)
        fprintf(stderr, "%d ", c);
}

} // namespace

bool
save_histogram_file(const char *name, int columns, const uint16_t *counts)
{
    if (columns < 0)
        return failed(name);
    std::vector<uint8_t> out;
    encode_histogram(counts, columns, out);
    if (!write_file(name, out.data(), out.size()))
        return failed(name);
    list_counts(columns, std::vector<uint16_t>(counts, counts + columns + 1));
    return true;
}

bool
list_histogram_file(const char *name)
{
    std::vector<uint8_t> in;
    std::vector<uint16_t> counts;
    if (!read_file(name, in, kLargestHistogramFile) || !decode_histogram(in.data(), in.size(), counts))
        return failed(name);
    list_counts(static_cast<int>(counts.size()) - 1, counts);
    return true;
}

void
hist_save_load(int columns, const uint16_t *counts)
{
    int16_t x = getx, y = gety;
    bool save = is[0] == 's';
    if (choose_file(save ? "SAVE " : "LOAD ", "HIST-DATA", "*.his", "my_hist")) {
        if (save)
            save_histogram_file(filename, columns, counts);
        else
            list_histogram_file(filename);
    }
    moveto(x, y);
}
