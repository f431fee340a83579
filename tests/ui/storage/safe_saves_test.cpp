// Saves that never destroy the file they replace: write_file through a
// temporary file beside the target, with the writes failed as a full disk
// or a failing device fails them (the set_write_call hook), a directory in
// the way, and SIGTERM arriving during a save, once (the save finishes and
// the program is asked to end) and twice (the program ends at once and the
// temporary file goes with it). After every failure the old file is byte
// for byte what it was, nothing else is left in the directory, and the
// file error box says why.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/in_degree.h"
#include "engine/backward/successor_table.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "ui/screen/end_signals.h"
#include "ui/storage/ascii_table.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/histogram_file.h"
#include "ui/storage/in_degree_file.h"
#include "ui/storage/kmix_file.h"
#include "ui/storage/storage_test_support.h"
#include "ui/storage/successor_file.h"

namespace {

// The fake writes: how many calls went through, and what the next ones do.
int writes_made = 0;
int writes_before_failure = 0;   // calls that still write
int failure_errno = ENOSPC;
size_t first_write_limit = 0;    // a call that writes writes at most this many
int signals_to_raise = 0;        // SIGTERMs left to raise, one before a write

ssize_t
failing_write(int fd, const void *data, size_t size)
{
    if (signals_to_raise > 0) {
        signals_to_raise--;
        raise(SIGTERM);
    }
    if (writes_made++ >= writes_before_failure) {
        errno = failure_errno;
        return -1;
    }
    return write(fd, data, first_write_limit && size > first_write_limit ? first_write_limit : size);
}

class SafeSaves : public StorageTest {
protected:
    void SetUp() override
    {
        StorageTest::SetUp();
        writes_made = 0;
        writes_before_failure = 0;
        failure_errno = ENOSPC;
        first_write_limit = 0;
        signals_to_raise = 0;
        old_file = bytes(10000, 0);
        for (size_t i = 0; i < old_file.size(); i++)
            old_file[i] = static_cast<uint8_t>(i * 7 + 1);
        write_file("keep.nat", old_file);
        new_file = bytes(20000, 0x5A);
    }
    void TearDown() override
    {
        set_write_call(nullptr);
        StorageTest::TearDown();
    }
    // The names in the working directory.
    static std::vector<std::string> names_here()
    {
        std::vector<std::string> names;
        DIR *dir = opendir(".");
        while (dirent *entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(dir);
        return names;
    }
    // The file error box's line on standard error after a failed save.
    static std::string error_line_of_failed_save(const bytes &data)
    {
        testing::internal::CaptureStderr();
        bool saved = ::write_file("keep.nat", data.data(), data.size());
        file_error("keep.nat");
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(saved);
        return said;
    }
    bytes old_file, new_file;
};

TEST_F(SafeSaves, ASaveReplacesTheFileWholeWithMode0644AndLeavesNothingElse)
{
    chmod("keep.nat", 0600);
    ASSERT_TRUE(::write_file("keep.nat", new_file.data(), new_file.size()));
    EXPECT_EQ(contents("keep.nat"), new_file);
    EXPECT_EQ(mode_of("keep.nat"), 0644u);
    EXPECT_EQ(names_here(), std::vector<std::string>{"keep.nat"});
    // An empty file is a file too.
    ASSERT_TRUE(::write_file("empty.dat", "", 0));
    EXPECT_EQ(contents("empty.dat"), bytes{});
    EXPECT_EQ(mode_of("empty.dat"), 0644u);
}

TEST_F(SafeSaves, AFullDiskKeepsTheOldFileAndSaysSo)
{
    set_write_call(failing_write);
    EXPECT_EQ(error_line_of_failed_save(new_file),
              "file error keep.nat: No space left on device\n");
    EXPECT_EQ(contents("keep.nat"), old_file);
    EXPECT_EQ(names_here(), std::vector<std::string>{"keep.nat"});
}

TEST_F(SafeSaves, AFailureAfterTheFirstWriteKeepsTheOldFile)
{
    // 4096 bytes of the new file are written, then the device fails.
    writes_before_failure = 1;
    first_write_limit = 4096;
    failure_errno = EIO;
    set_write_call(failing_write);
    EXPECT_EQ(error_line_of_failed_save(new_file), "file error keep.nat: Input/output error\n");
    EXPECT_EQ(writes_made, 2);
    EXPECT_EQ(contents("keep.nat"), old_file);
    EXPECT_EQ(names_here(), std::vector<std::string>{"keep.nat"});
}

TEST_F(SafeSaves, AWriteThatMovesNothingIsAFullDisk)
{
    set_write_call([](int, const void *, size_t) -> ssize_t { return 0; });
    EXPECT_EQ(error_line_of_failed_save(new_file),
              "file error keep.nat: No space left on device\n");
    EXPECT_EQ(contents("keep.nat"), old_file);
}

TEST_F(SafeSaves, ADirectoryInTheWayIsNamed)
{
    ASSERT_EQ(mkdir("dir.mix", 0755), 0);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(::write_file("dir.mix", new_file.data(), new_file.size()));
    file_error("dir.mix");
    // Refused as a direct open would be: the line of a failed open, then
    // the box's.
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "fid=-1 this_filename=dir.mix write=1\nfile error dir.mix: Is a directory\n");
    struct stat st;
    ASSERT_EQ(stat("dir.mix", &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(names_here().size(), 2u);
}

TEST_F(SafeSaves, TheKmixSaveOnAFullDiskKeepsTheOldMix)
{
    use_n(5000);
    std::vector<int8_t> ks(5000, 3);
    nhoodm = ks.data();
    bytes old_mix(5000, 2);
    write_file("my_mix.mix", old_mix);
    writes_before_failure = 1;
    first_write_limit = 4096;
    set_write_call(failing_write);
    testing::internal::CaptureStderr();
    is[0] = 0;
    EXPECT_FALSE(save_nhoodmix_file("my_mix.mix"));
    std::string said = testing::internal::GetCapturedStderr();
    nhoodm = nullptr;
    EXPECT_EQ(said, "file error my_mix.mix: No space left on device\n");
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(contents("my_mix.mix"), old_mix);
    EXPECT_EQ(names_here().size(), 2u);
}

// The savers of the side files share one failure path: on a full disk
// each returns false, names the file and the reason once, leaves 'q' for
// its caller and the old file as it was.
TEST_F(SafeSaves, EverySideFileSaveOnAFullDiskKeepsTheOldFile)
{
    use_n(3);
    exh_pairs = static_cast<uint8_t *>(checked_calloc(8, bytesL, "exh_pairs"));
    uint32_t saved_max = maxinhist;
    maxinhist = 4;
    reset_in_degree_counts(5);
    static uint8_t rule[1] = {150};
    static uint32_t counts[3] = {3, 256, 65535};
    struct saver {
        const char *name;
        bool (*save)(const char *);
    };
    const saver savers[] = {
        {"t.tbl", [](const char *name) { return save_ascii_table_file(name, rule, 7); }},
        {"h.his", [](const char *name) { return save_histogram_file(name, 2, counts); }},
        {"t.exh", save_exhaustive_file},
        {"p.prh", save_in_degree_file},
    };
    set_write_call(failing_write);
    for (const saver &s : savers) {
        write_file(s.name, old_file);
        is[0] = 0;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(s.save(s.name)) << s.name;
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said, std::string("file error ") + s.name + ": No space left on device\n");
        EXPECT_EQ(is[0], 'q') << s.name;
        EXPECT_EQ(contents(s.name), old_file) << s.name;
    }
    set_write_call(nullptr);
    free_successor_table();
    checked_free(pre_fan_freq);
    pre_fan_freq = nullptr;
    maxinhist = saved_max;
}

// One SIGTERM during a save: the save goes on to its end, and the program
// is asked to end (at its next wait, through the clean end).
TEST_F(SafeSaves, ASignalDuringASaveLetsItFinishAndAsksTheEnd)
{
    EXPECT_EXIT(
        {
            catch_end_signals();
            writes_before_failure = 1000;
            first_write_limit = 4096;
            signals_to_raise = 1;
            set_write_call(failing_write);
            bool saved = ::write_file("keep.nat", new_file.data(), new_file.size());
            bool ended = end_signal_caught();
            exit(saved && ended && contents("keep.nat") == new_file && names_here().size() == 1
                     ? 0
                     : 1);
        },
        testing::ExitedWithCode(0), "");
}

// A second SIGTERM before the program reached a wait ends it at once: the
// temporary file is removed and the old file stays as it was.
TEST_F(SafeSaves, ASecondSignalEndsAtOnceAndTakesTheTemporaryFile)
{
    EXPECT_EXIT(
        {
            catch_end_signals();
            writes_before_failure = 1000;
            first_write_limit = 4096;
            set_write_call(failing_write);
            // The first signal before the save, the second at its first write.
            raise(SIGTERM);
            signals_to_raise = 1;
            ::write_file("keep.nat", new_file.data(), new_file.size());
            exit(0);
        },
        testing::KilledBySignal(SIGTERM), "");
    EXPECT_EQ(contents("keep.nat"), old_file);
    EXPECT_EQ(names_here(), std::vector<std::string>{"keep.nat"});
}

}  // namespace
