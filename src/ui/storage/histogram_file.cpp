// Histogram files (histogram_file.h), shared by the damage, attractor-type
// and skeleton histograms and the k and degree histograms of the model.
// Uses the file dialog of this folder. Start at hist_save_load.
#include "ui/storage/histogram_file.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"

namespace {

bool
failed(const char *name)
{
    file_error(name);
    is[0] = 'q';
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
    std::vector<uint16_t> listed(counts, counts + columns + 1);
    for (uint16_t c : listed) {
        out.push_back(static_cast<uint8_t>(c >> 8));
        out.push_back(static_cast<uint8_t>(c & 0xFF));
    }
    int fd = myopen(name, 1, 0);
    if (fd < 0)
        return failed(name);
    bool ok = write_fully(fd, out.data(), out.size());
    if (close(fd) != 0 || !ok)
        return failed(name);
    list_counts(columns, listed);
    return true;
}

bool
list_histogram_file(const char *name)
{
    int fd = myopen(name, 0, 0);
    if (fd < 0)
        return failed(name);
    struct stat st;
    std::vector<uint8_t> in;
    bool ok = fstat(fd, &st) == 0;
    if (ok) {
        in.resize(static_cast<size_t>(st.st_size));
        ok = read_fully(fd, in.data(), in.size());
    }
    close(fd);
    if (!ok || in.size() < 2 || in.size() % 2 != 0)
        return failed(name);
    std::vector<uint16_t> counts(in.size() / 2);
    for (size_t c = 0; c < counts.size(); c++)
        counts[c] = static_cast<uint16_t>(in[2 * c] << 8 | in[2 * c + 1]);
    list_counts(static_cast<int>(counts.size()) - 1, counts);
    return true;
}

void
hist_save_load(int columns, const uint16_t *counts)
{
    int16_t x = getx, y = gety;
    bool save = is[0] == 's';
    if (select_filename(save ? "SAVE " : "LOAD ", "HIST-DATA", "*.his", "my_hist") == 'q') {
        moveto(x, y);
        is[0] = 'q';
        return;
    }
    if (save)
        save_histogram_file(filename, columns, counts);
    else
        list_histogram_file(filename);
    moveto(x, y);
}
