// File conventions without a window: how myopen opens for loads and saves
// (read-only, 0644 whatever the umask, append or truncate), whole reads and
// writes, and data lines appended by save_data and save_binary_data.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "ui/model/buffers.h"
#include "ui/storage/data_lines.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/storage_test_support.h"

namespace {

// Each test runs in a fresh temporary directory with umask 077 (see
// StorageTest), so a mode of 0644 can only come from the program.
class FileConventions : public StorageTest {
protected:
    static std::string text_of(const char *name)
    {
        bytes data = contents(name);
        return std::string(data.begin(), data.end());
    }
};

TEST_F(FileConventions, SaveCreatesWithMode0644AndTruncates)
{
    int fd = myopen("-odd?name.rul", open_write, open_truncate);
    ASSERT_GE(fd, 0);
    EXPECT_TRUE(write_fully(fd, "abcdef", 6));
    close(fd);
    EXPECT_EQ(mode_of("-odd?name.rul"), 0644u);
    fd = myopen("-odd?name.rul", open_write, open_truncate);
    ASSERT_GE(fd, 0);
    EXPECT_TRUE(write_fully(fd, "xy", 2));
    close(fd);
    EXPECT_EQ(text_of("-odd?name.rul"), "xy");
}

TEST_F(FileConventions, AppendKeepsWhatWasThereAndFixesTheMode)
{
    {
        std::ofstream out("log.dat");
        out << "one\n";
    }
    chmod("log.dat", 0600);
    int fd = myopen("log.dat", open_write, open_append);
    ASSERT_GE(fd, 0);
    EXPECT_TRUE(write_fully(fd, "two\n", 4));
    close(fd);
    EXPECT_EQ(text_of("log.dat"), "one\ntwo\n");
    EXPECT_EQ(mode_of("log.dat"), 0644u);
}

TEST_F(FileConventions, LoadOpensReadOnlySoReadOnlyFilesLoad)
{
    {
        std::ofstream out("ro.rul");
        out << "12345";
    }
    chmod("ro.rul", 0444);
    int fd = myopen("ro.rul", open_read, open_truncate);
    ASSERT_GE(fd, 0);
    char buffer[5];
    EXPECT_TRUE(read_fully(fd, buffer, 5));
    EXPECT_EQ(std::string(buffer, 5), "12345");
    EXPECT_FALSE(read_fully(fd, buffer, 1));  // end of file
    // The descriptor is not writable.
    EXPECT_LT(write(fd, "x", 1), 0);
    close(fd);
    EXPECT_EQ(myopen("missing.rul", open_read, open_truncate), -1);
}

TEST_F(FileConventions, FailedSaveOpenIsReportedOnStandardError)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(myopen("no-such-dir/x.rul", open_write, open_truncate), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "fid=-1 this_filename=no-such-dir/x.rul write=1\n");
}

TEST_F(FileConventions, ShortReadOfAPipeEndIsAFailure)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_EQ(write(fds[1], "ab", 2), 2);
    close(fds[1]);
    char buffer[4];
    EXPECT_FALSE(read_fully(fds[0], buffer, 4));
    close(fds[0]);
}

TEST_F(FileConventions, DataLinesAppendLineByLine)
{
    snprintf(filename_data, kFileNameSize, "%s", "run.dat");
    EXPECT_EQ(save_data("v2k3 rule"), 0);
    EXPECT_EQ(save_data("(dec)110 \n"), 0);
    EXPECT_EQ(text_of("run.dat"), "v2k3 rule(dec)110 \n");
    EXPECT_EQ(mode_of("run.dat"), 0644u);

    const unsigned char record[3] = {1, 0, 255};
    EXPECT_EQ(save_binary_data("rec.bin", record, 3), 0);
    EXPECT_EQ(save_binary_data("rec.bin", record, 3), 0);
    EXPECT_EQ(text_of("rec.bin"), std::string("\x01\x00\xff\x01\x00\xff", 6));
}

TEST_F(FileConventions, DataLineFailureIsReturned)
{
    snprintf(filename_data, kFileNameSize, "%s", "no-such-dir/run.dat");
    testing::internal::CaptureStderr();
    EXPECT_EQ(save_data("x"), -1);
    EXPECT_EQ(save_data("y"), -1);
    std::string said = testing::internal::GetCapturedStderr();
    // Without a window the error box is a line on standard error, once.
    EXPECT_EQ(said.find("file error no-such-dir/run.dat"),
              said.rfind("file error no-such-dir/run.dat"));
    EXPECT_NE(said.find("file error no-such-dir/run.dat"), std::string::npos);
}

}  // namespace
