// The fuzz targets' shared helpers (fuzz_support.h).
#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "engine/model/globals.h"
#include "ui/model/buffers.h"
#include "ui/storage/globals.h"

namespace {

// As the value-range stage's table: value bits, largest n of numbered
// states, Maxnhood, and Maxnhood with tot_only, for v = 2..8.
struct limits {
    int8_t bits, max_n, k, k_totalistic_only;
};
constexpr limits kLimits[9] = {
    {0, 0, 0, 0},   {0, 0, 0, 0},   {1, 31, 13, 25}, {2, 20, 9, 25}, {2, 15, 7, 25},
    {3, 13, 6, 25}, {3, 12, 5, 17}, {3, 11, 5, 13},  {3, 10, 4, 11}};

// The working directory, removed at exit.
char work_dir[] = "/tmp/zemra-fuzz-XXXXXX";

void
remove_work_dir()
{
    std::error_code ignored;
    std::filesystem::remove_all(work_dir, ignored);
}

} // namespace

void
enter_fuzz_dir()
{
    static bool entered = false;
    if (entered)
        return;
    entered = true;
    if (!mkdtemp(work_dir) || chdir(work_dir) != 0) {
        perror("zemra fuzz: working directory");
        exit(1);
    }
    atexit(remove_work_dir);
    if (!filename)
        allocate_mem_buffers();
}

void
put_file(const char *name, const uint8_t *data, size_t size)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
}

bytes
get_file(const char *name)
{
    std::ifstream in(name, std::ios::binary);
    return bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void
use_value_range(int v, bool totalistic_only)
{
    value_range = static_cast<int8_t>(v);
    value_bits = kLimits[v].bits;
    maxL_lu = kLimits[v].max_n;
    Maxnhood = totalistic_only ? kLimits[v].k_totalistic_only : kLimits[v].k;
}

void
fuzz_fail(const char *file, int line, const char *what)
{
    fprintf(stderr, "\nzemra fuzz finding: %s:%d: %s\n", file, line, what);
    abort();
}
