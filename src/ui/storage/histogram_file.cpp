// Histogram files (histogram_file.h), shared by the damage, attractor-type
// and skeleton histograms and the k and degree histograms of the model:
// the name dialog, the file written or read whole, the listing on standard
// error and the load into a histogram; the layout is encode_histogram and
// decode_histogram (engine/storage/side_file_codecs.h). Start at
// hist_save_load.
#include "ui/storage/histogram_file.h"

#include <cstdio>
#include <vector>

#include "engine/storage/length_faults.h"
#include "engine/storage/side_file_codecs.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"

namespace {

void
list_counts(const std::vector<uint16_t> &counts)
{
    fprintf(stderr, "\nhistogram: 1+%d columns\n", static_cast<int>(counts.size()) - 1);
    for (uint16_t c : counts)
        fprintf(stderr, "%d ", c);
    fputc('\n', stderr);
}

// The counts of a histogram file, listed; false (file error shown) when it
// is none. A file longer than the largest histogram is refused unread.
bool
read_and_list(const char *name, std::vector<uint16_t> &counts)
{
    std::vector<uint8_t> in;
    if (!read_file(name, in, kLargestHistogramFile))
        return file_refused(name);
    if (!decode_histogram(in.data(), in.size(), counts))
        return file_refused(name, histogram_length_fault(in.size()));
    list_counts(counts);
    return true;
}

} // namespace

bool
save_histogram_file(const char *name, int columns, const uint32_t *counts)
{
    if (columns < 0 || static_cast<size_t>(columns) + 1 > kLargestHistogramFile / 2)
        return file_refused(name);
    std::vector<uint8_t> out;
    encode_histogram(counts, columns, out);
    if (!write_or_refuse(name, out.data(), out.size()))
        return false;
    // The listing shows what the file holds: the counts saturated.
    std::vector<uint16_t> written;
    decode_histogram(out.data(), out.size(), written);
    list_counts(written);
    // The file's 16-bit counts are what stored files hold: a larger count
    // is kept at the most, and the user told so.
    int saturated = 0;
    for (int c = 0; c <= columns; c++)
        saturated += counts[c] > 65535 ? 1 : 0;
    if (saturated > 0) {
        char text[120];
        snprintf(text, sizeof text, "%d count%s past 65,535 saved as 65,535, cont-ret:", saturated,
                 saturated == 1 ? "" : "s");
        show_refusal(text, refusal_place::box_erased);
    }
    return true;
}

bool
list_histogram_file(const char *name)
{
    std::vector<uint16_t> counts;
    return read_and_list(name, counts);
}

histogram_load
load_histogram_file(const char *name, int columns, uint32_t *counts)
{
    std::vector<uint16_t> file;
    if (!read_and_list(name, file))
        return histogram_load::refused;
    if (columns < 0 || file.size() != static_cast<size_t>(columns) + 1) {
        char text[120];
        snprintf(text, sizeof text, "%zu columns in the file, %d here: not loaded, cont-ret:",
                 file.size() - 1, columns);
        show_refusal(text, refusal_place::box_erased);
        return histogram_load::other_columns;
    }
    for (size_t c = 0; c < file.size(); c++)
        counts[c] = file[c];
    return histogram_load::loaded;
}

void
hist_save_load(int columns, const uint32_t *counts, uint32_t *load_into)
{
    int16_t x = getx, y = gety;
    bool save = is[0] == 's';
    if (choose_file(save ? "SAVE " : "LOAD ", "HIST-DATA", "*.his", "my_hist")) {
        if (save)
            save_histogram_file(filename, columns, counts);
        else if (load_into)
            load_histogram_file(filename, columns, load_into);
        else
            list_histogram_file(filename);
    }
    moveto(x, y);
}
