// The whole basin field of 2^20 and 2^22 states through the field driver
// (draw_field): every attractor, period, basin size and garden-of-Eden count.
// Networks, v = 2 and k = 3: random wiring (seed 7) under rule 110 by the
// successor-table method and by the general method, and rings under rules
// 30 and 110 by the local method with rotation compression; and the
// neutral-order field of 9 randomly wired cells (9! update orders). "Computed" runs
// with no window; "Drawn" opens the window on $DISPLAY (run the program
// under tests/with_xvfb.sh) and draws every basin, waiting for the server to
// finish drawing before the clock stops; the basins are laid out by the
// program's default layout. "DrawnOneByOne" draws the same without shape
// batches (every edge and spot its own request), for comparison. Counters:
// basins, and ns per state (drawn: by the clock, the server's drawing
// included; computed: CPU time); drawn fields also count the requests and
// the CPU time of the program and of the X server a field (the server's
// when run under tests/with_xvfb.sh, which names it).
//
// Side by side: "Table" times the successor-table field of rings and
// random wiring from 2^16 to 2^28 states on all threads (0) or one, on a
// quiet machine or with every core kept busy by spinning child processes
// (their time is not the benchmark's); "Reference" times the plain C
// program of bench/reference on the same networks and checks that Zemra's
// field finds the same attractors, basin sizes and garden-of-Eden counts.
// Both run with rotation compression off, so every basin is computed, as
// the C program computes it. CPU time is the process's, all threads;
// counters: ns per state of CPU and of wall time, and the peak memory the
// field added, in bytes per state. Every run sets every counter of the
// program (0 where one does not apply), as the csv output needs.
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <malloc.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "reference/field_reference.h"

#include "engine/backward/basin_layout.h"
#include "engine/backward/basin_totals.h"
#include "engine/backward/parallel_table.h"
#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "ui/driver/run_drivers.h"
#include "ui/driver/startup.h"
#include "ui/model/buffers.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/shape_batch.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"
#include "ui/storage/globals.h"

namespace {

enum network_kind { ring_local = 0, random_table = 1, random_general = 2, random_orders = 3, ring_general = 4, ring_table = 5 };

float field_figures[3];
float level_radii[91];
// What the field's nodes show: spots, or labels (BM_FieldLabelled).
uint8_t field_labels = shownumbers_spot;

// A ring or a randomly wired network of n cells, v = 2, k = 3, one rule.
void
build_network(network_kind kind, int n, uint32_t rule)
{
    value_range = 2;
    value_bits = 1;
    lineL = static_cast<uint16_t>(n);
    L = static_cast<uint16_t>(n - 1);
    bytesL = static_cast<uint16_t>((n + 7) / 8);
    nhood = 3;
    nhood_lb = nhood_ub = 3;
    nhood_mixed = 0;
    oned = 1;
    twod = threed = 0;
    nhoodm = static_cast<int8_t *>(checked_calloc(lineL, 1, "nhoodm"));
    for (int c = 0; c < n; c++)
        nhoodm[c] = 3;
    allocate_mem_CA_states();
    allocate_mem_wiring();
    allocate_mem_rule0(3);
    srandom(7);
    for (int c = 0; c < n; c++)
        for (int j = 0; j < 3; j++)
            wiring[c][j] = kind == ring_local ? static_cast<uint16_t>((c - 1 + j + n) % n)
                                              : static_cast<uint16_t>(random() % n);
    if (kind == ring_general || kind == ring_table) // the ring's wiring, taken by a method for any wiring
        for (int c = 0; c < n; c++)
            for (int j = 0; j < 3; j++)
                wiring[c][j] = static_cast<uint16_t>((c - 1 + j + n) % n);
    for (uint32_t i = 0; i < 8; i++)
        set_value(carule[0], i, static_cast<int>((rule >> i) & 1));
    nonlocal = kind == ring_local ? 0 : 1;
    exhaustive_testing = kind == random_table || kind == ring_table ? exhaustive_table : exhaustive_off;
    if (!zparam)
        zparam = field_figures;
    shownumbers = field_labels;
    rad = level_radii;
    lastlevel = 90;
    basinfield = 1;
    compute_layout_defaults(Maxx, Maxy);
    dontcompress = 0;
    stp = 0;
    pdata = filedata = 0;
    isrepeat = 1;
}

void
free_network()
{
    exhaustive_testing = exhaustive_off;
    free_mem_wiring();
    free_mem_rule0();
    free_mem_CA_states();
    checked_free(nhoodm);
    nhoodm = nullptr;
    rad = nullptr;
    lastlevel = 0;
}

double
process_cpu_seconds()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// The CPU time the virtual X server has used so far, all its threads, in
// seconds (the first figure of each thread's schedstat, in nanoseconds);
// negative when tests/with_xvfb.sh did not name the server (ZEMRA_XVFB_PID).
double
server_cpu_seconds()
{
    const char *pid = getenv("ZEMRA_XVFB_PID");
    if (!pid)
        return -1;
    std::string tasks = std::string("/proc/") + pid + "/task";
    DIR *dir = opendir(tasks.c_str());
    if (!dir)
        return -1;
    double seconds = 0;
    while (dirent *task = readdir(dir)) {
        if (task->d_name[0] == '.')
            continue;
        std::ifstream stat(tasks + "/" + task->d_name + "/schedstat");
        double ns = 0;
        if (stat >> ns)
            seconds += 1e-9 * ns;
    }
    closedir(dir);
    return seconds;
}

// Every counter this program reports, 0 until a run sets it: the csv
// output takes its columns from the first run and refuses a counter that
// run lacked.
void
set_every_counter(benchmark::State &state)
{
    for (const char *name : {"basins", "ns_per_state", "client_cpu_ms", "requests", "server_cpu_ms",
                             "cpu_ns_state", "wall_ns_state", "peak_B_state", "peak_MB", "threads",
                             "agrees"})
        state.counters[name] = 0;
}

// One field per iteration; drawn when the window is open.
void
time_field(benchmark::State &state)
{
    set_every_counter(state);
    auto kind = static_cast<network_kind>(state.range(0));
    int n = static_cast<int>(state.range(1));
    build_network(kind, n, static_cast<uint32_t>(state.range(2)));
    uint64_t states = uint64_t(1) << n;
    if (kind == random_orders) { // n! update orders
        states = 1;
        for (int c = 2; c <= n; c++)
            states *= static_cast<uint64_t>(c);
    }
    const double client0 = process_cpu_seconds(), server0 = server_cpu_seconds();
    const unsigned long request0 = mouse_found ? XNextRequest(D) : 0;
    for (auto _ : state) {
        neutral_order = kind == random_orders; // each field ends the mode
        mutantdontpause = 1; // the successor table is made without its dialog
        basinfield = 1;
        direction = direction_forward;
        draw_field();
        if (mouse_found) {
            getpixel(0, 0); // a round trip: the server has drawn everything
            // ZEMRA_FIELD_SHOT names a file for the screen (xwd) after the
            // first drawn field, to compare pictures between builds.
            static bool shot_taken = false;
            if (const char *shot = getenv("ZEMRA_FIELD_SHOT"); shot && !shot_taken) {
                shot_taken = true;
                std::string command = std::string("xwd -root -silent > '") + shot + "'";
                if (system(command.c_str()) != 0)
                    state.SkipWithError("xwd failed");
            }
            state.PauseTiming();
            clearviewport();
            state.ResumeTiming();
        }
    }
    if (fieldsize != states || earlyexitfield)
        state.SkipWithError("the field did not place every state");
    // A drawn field's CPU time on each side of the connection, in ms a
    // field, and the requests sent a field (the clearing between fields
    // included): CPU times adding up to the wall time say the two sides
    // took turns rather than worked at once.
    if (mouse_found && state.iterations() > 0) {
        const double fields = static_cast<double>(state.iterations());
        state.counters["client_cpu_ms"] = 1e3 * (process_cpu_seconds() - client0) / fields;
        state.counters["requests"] = static_cast<double>(XNextRequest(D) - request0) / fields;
        if (server0 >= 0)
            state.counters["server_cpu_ms"] = 1e3 * (server_cpu_seconds() - server0) / fields;
    }
    state.counters["basins"] = totbasinsinfield;
    state.counters["ns_per_state"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(states),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    basinfield = 0;
    free_network();
}

void
BM_FieldComputed(benchmark::State &state)
{
    if (!is)
        allocate_mem_buffers();
    time_field(state);
}

// The general method against the table method on one thread, size by size:
// CPU time of the same field computed by each.
void
BM_FieldBySize(benchmark::State &state)
{
    if (!is)
        allocate_mem_buffers();
    set_table_threads(1);
    time_field(state);
    set_table_threads(0);
}

// False (and the benchmark skipped) when no window can be opened.
bool
open_window(benchmark::State &state)
{
    if (!is)
        allocate_mem_buffers();
    if (mouse_found)
        return true;
    if (!getenv("DISPLAY")) {
        state.SkipWithError("no DISPLAY: run under tests/with_xvfb.sh");
        return false;
    }
    open_graphics();
    register_window_hooks(); // the key polls of the engines, as the program has them
    return true;
}

void
BM_FieldDrawn(benchmark::State &state)
{
    if (open_window(state))
        time_field(state);
}

void
BM_FieldDrawnOneByOne(benchmark::State &state)
{
    if (!open_window(state))
        return;
    enable_shape_batches(false);
    time_field(state);
    enable_shape_batches(true);
}

// The same with every state's decimal label asked for: the rings of rule
// 204 (each of the 2^n states its own basin) and rule 110, whose labels,
// written once each basin is drawn, are written again where a later basin
// crosses them.
void
BM_FieldLabelled(benchmark::State &state)
{
    if (!open_window(state))
        return;
    field_labels = shownumbers_decimal;
    time_field(state);
    field_labels = shownumbers_spot;
}

// kind, cells, rule: the four networks of the comparison, then the other
// two rings and the general method on random wiring.
void
field_networks(benchmark::internal::Benchmark *b)
{
    b->Args({random_table, 20, 110});
    b->Args({random_table, 22, 110});
    b->Args({ring_local, 20, 110});
    b->Args({ring_local, 22, 30});
    b->Args({ring_local, 20, 30});
    b->Args({ring_local, 22, 110});
    b->Args({random_general, 20, 110});
    b->ArgNames({"kind", "n", "rule"});
    b->Unit(benchmark::kMillisecond);
    b->MinTime(0.5);
}

// The larger drawn fields: 2^24 states of the random wiring, the table
// method, and the rings of rule 30 of 2^24 and 2^26 states (its long edges
// reach far past the window).
void
drawn_networks(benchmark::internal::Benchmark *b)
{
    b->Args({random_table, 24, 110});
    b->Args({ring_local, 24, 30});
    b->Args({ring_local, 26, 30});
}

// The same, and the neutral-order field, whose component table waits for a
// key when a window is open: computed only.
void
computed_networks(benchmark::internal::Benchmark *b)
{
    field_networks(b);
    b->Args({random_orders, 9, 110});
}

// Random wiring (rule 110) and the rings of rules 30 and 110, each by the
// table and by the general method, at 16 to 24 cells.
void
size_networks(benchmark::internal::Benchmark *b)
{
    for (int n = 16; n <= 24; n += 2) {
        b->Args({random_table, n, 110});
        b->Args({random_general, n, 110});
        b->Args({ring_table, n, 30});
        b->Args({ring_general, n, 30});
        b->Args({ring_table, n, 110});
        b->Args({ring_general, n, 110});
    }
    b->ArgNames({"kind", "n", "rule"});
    b->Unit(benchmark::kMillisecond);
    b->MinTime(0.5);
}

// The side-by-side figures.

// Spinning child processes, one a core, while the object lives: the busy
// machine. They are other processes, so the process CPU time leaves them out.
class busy_cores {
public:
    explicit busy_cores(bool on)
    {
        long cores = on ? sysconf(_SC_NPROCESSORS_ONLN) : 0;
        for (long i = 0; i < cores; i++) {
            pid_t pid = fork();
            if (pid == 0)
                for (volatile uint64_t spin = 0;; spin++) {
                }
            if (pid > 0)
                children.push_back(pid);
        }
    }
    ~busy_cores()
    {
        for (pid_t pid : children)
            kill(pid, SIGKILL);
        for (pid_t pid : children)
            waitpid(pid, nullptr, 0);
    }

private:
    std::vector<pid_t> children;
};

// A field of /proc/self/status in bytes (VmRSS, VmHWM).
uint64_t
status_bytes(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    size_t length = strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, length, field) == 0 && line[length] == ':')
            return std::strtoull(line.c_str() + length + 1, nullptr, 10) * 1024;
    return 0;
}

// Peak memory from here on: the peak is set back to what is resident now.
// Blocks of 64 kB and more are mapped on their own, so that a freed
// table leaves the resident memory (the allocator would otherwise keep it
// for the next field, hiding that field's peak).
uint64_t
start_peak_memory()
{
    mallopt(M_MMAP_THRESHOLD, 1 << 16);
    mallopt(M_TRIM_THRESHOLD, 1 << 16);
    std::ofstream("/proc/self/clear_refs") << "5";
    return status_bytes("VmRSS");
}

// Counters of the timed loop: CPU and wall ns a state, peak bytes a state
// above the resident memory at the start, and the peak in MB.
struct field_meter {
    uint64_t states;
    uint64_t resident = start_peak_memory();
    double cpu = process_cpu_seconds();
    timespec wall_start = now();

    static timespec
    now()
    {
        timespec t;
        clock_gettime(CLOCK_MONOTONIC, &t);
        return t;
    }

    void
    report(benchmark::State &state) const
    {
        timespec end = now();
        double wall = static_cast<double>(end.tv_sec - wall_start.tv_sec) +
                      1e-9 * static_cast<double>(end.tv_nsec - wall_start.tv_nsec);
        double runs = static_cast<double>(state.iterations()) * static_cast<double>(states);
        uint64_t peak = status_bytes("VmHWM");
        uint64_t added = peak > resident ? peak - resident : 0;
        state.counters["cpu_ns_state"] = 1e9 * (process_cpu_seconds() - cpu) / runs;
        state.counters["wall_ns_state"] = 1e9 * wall / runs;
        state.counters["peak_B_state"] = static_cast<double>(added) / static_cast<double>(states);
        state.counters["peak_MB"] = static_cast<double>(added) / 1e6;
    }
};

// Zemra's field of the network as it is, by the successor table, with
// compression off.
void
one_table_field()
{
    neutral_order = 0;
    mutantdontpause = 1;
    basinfield = 1;
    dontcompress = 1;
    direction = direction_forward;
    draw_field();
}

// kind, cells, rule, threads (0: the machine's), busy (1: every core busy).
void
BM_FieldTable(benchmark::State &state)
{
    set_every_counter(state);
    if (!is)
        allocate_mem_buffers();
    auto kind = static_cast<network_kind>(state.range(0));
    int n = static_cast<int>(state.range(1));
    build_network(kind, n, static_cast<uint32_t>(state.range(2)));
    set_table_threads(static_cast<unsigned>(state.range(3)));
    {
        busy_cores busy(state.range(4) != 0);
        // The count the field will choose, asked with the busy cores running.
        state.counters["threads"] = threads_for(uint64_t(1) << n);
        field_meter meter{uint64_t(1) << n};
        for (auto _ : state)
            one_table_field();
        meter.report(state);
    }
    set_table_threads(0);
    if (fieldsize != (uint64_t(1) << n) || earlyexitfield)
        state.SkipWithError("the field did not place every state");
    state.counters["basins"] = totbasinsinfield;
    basinfield = 0;
    free_network();
}

// The basins of Zemra's field as its data lines give them, attractors
// given by their least state: empty when a line could not be read.
std::vector<reference_basin>
zemra_basins(const reference_field &reference)
{
    char name[] = "/tmp/zemra_field_lines_XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0)
        return {};
    close(fd);
    filename_data = name;
    filedata = 1;
    one_table_field();
    filedata = 0;
    filename_data = nullptr;
    std::vector<reference_basin> basins;
    FILE *lines = fopen(name, "r");
    char line[300];
    bool readable = lines != nullptr && !earlyexitfield;
    while (readable && fgets(line, sizeof line, lines)) {
        unsigned number, copies;
        uint32_t attractor;
        unsigned long period, size, eden;
        char share[40];
        if (line[0] < '0' || line[0] > '9')
            continue;
        readable = sscanf(line, "%u. %" SCNx32 " %u (%lu) %lu %39s %lu", &number, &attractor, &copies, &period,
                          &size, share, &eden) == 7 && copies == 1 && attractor < (uint64_t(1) << reference.n);
        if (readable)
            basins.push_back({reference_cycle_least(&reference, attractor), static_cast<uint32_t>(period), size, eden});
    }
    if (lines)
        fclose(lines);
    unlink(name);
    return readable ? basins : std::vector<reference_basin>{};
}

bool
same_basins(std::vector<reference_basin> a, std::vector<reference_basin> b)
{
    auto key = [](const reference_basin &x) { return std::make_tuple(x.attractor, x.period, x.size, x.eden); };
    auto before = [&](const reference_basin &x, const reference_basin &y) { return key(x) < key(y); };
    std::sort(a.begin(), a.end(), before);
    std::sort(b.begin(), b.end(), before);
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](auto &x, auto &y) { return key(x) == key(y); });
}

// kind, cells, rule. The C program's field, then the check against Zemra's
// (untimed).
void
BM_FieldReference(benchmark::State &state)
{
    set_every_counter(state);
    if (!is)
        allocate_mem_buffers();
    auto kind = static_cast<network_kind>(state.range(0));
    int n = static_cast<int>(state.range(1));
    build_network(kind, n, static_cast<uint32_t>(state.range(2)));
    std::vector<uint16_t> inputs;
    for (int c = 0; c < n; c++)
        inputs.insert(inputs.end(), wiring[c], wiring[c] + 3);
    reference_field reference{};
    bool computed = true;
    {
        field_meter meter{uint64_t(1) << n};
        for (auto _ : state) {
            reference_field_free(&reference);
            computed = computed && reference_field_compute(n, 3, inputs.data(), static_cast<uint64_t>(state.range(2)),
                                                           &reference);
        }
        meter.report(state);
    }
    if (!computed) {
        state.SkipWithError("the C program ran out of memory");
    } else {
        std::vector<reference_basin> basins(reference.basin, reference.basin + reference.basins);
        state.counters["basins"] = static_cast<double>(reference.basins);
        state.counters["agrees"] = same_basins(basins, zemra_basins(reference)) ? 1 : 0;
        if (state.counters["agrees"] == 0)
            state.SkipWithError("Zemra's field differs from the C program's");
    }
    reference_field_free(&reference);
    basinfield = 0;
    free_network();
}

// Random wiring under rule 110, the rings under 30 and 110, 2^16 .. 2^28
// states, each with every list of extra arguments (for the table: threads,
// busy).
void
side_by_side(benchmark::internal::Benchmark *b, std::vector<std::vector<int64_t>> extras)
{
    for (int n = 16; n <= 28; n += 2)
        for (auto [kind, rule] : {std::pair{random_table, 110}, std::pair{ring_table, 30}, std::pair{ring_table, 110}})
            for (const auto &extra : extras) {
                // Every core kept busy up to 2^24 states only: past that a
                // run lasts minutes, and the machine may be shared.
                if (extra.size() == 2 && extra[1] && n > 24)
                    continue;
                std::vector<int64_t> args{kind, n, rule};
                args.insert(args.end(), extra.begin(), extra.end());
                b->Args(args);
            }
    b->Unit(benchmark::kMillisecond);
    b->UseRealTime();
    b->MeasureProcessCPUTime();
    b->MinTime(0.3);
}

void
table_networks(benchmark::internal::Benchmark *b)
{
    side_by_side(b, {{0, 0}, {1, 0}, {0, 1}, {1, 1}});
    b->ArgNames({"kind", "n", "rule", "threads", "busy"});
}

void
reference_networks(benchmark::internal::Benchmark *b)
{
    side_by_side(b, {{}});
    b->ArgNames({"kind", "n", "rule"});
}

} // namespace

BENCHMARK(BM_FieldBySize)->Apply(size_networks);
BENCHMARK(BM_FieldComputed)->Apply(computed_networks);
// Drawn fields are timed by the clock (UseRealTime): the wait for the
// server to draw belongs to them.
BENCHMARK(BM_FieldDrawn)->Apply(field_networks)->Apply(drawn_networks)->UseRealTime();
BENCHMARK(BM_FieldLabelled)
    ->Args({ring_local, 14, 204})
    ->Args({ring_local, 16, 204})
    ->Args({ring_local, 18, 110})
    ->ArgNames({"kind", "n", "rule"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FieldDrawnOneByOne)->Apply(field_networks)->UseRealTime();
BENCHMARK(BM_FieldReference)->Apply(reference_networks);
BENCHMARK(BM_FieldTable)->Apply(table_networks);
