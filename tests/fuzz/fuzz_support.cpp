// The fuzz targets' shared helpers (fuzz_support.h).
#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "engine/model/globals.h"
#include "engine/model/network_shape.h"
#include "ui/model/buffers.h"
#include "ui/storage/globals.h"

namespace {

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
    set_value_range_limits(v, totalistic_only);
}

void
fuzz_fail(const char *file, int line, const char *what)
{
    fprintf(stderr, "\nzemra fuzz finding: %s:%d: %s\n", file, line, what);
    abort();
}
