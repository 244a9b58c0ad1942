#include "trace/purge_old_files.h"

#include <gtest/gtest.h>

#include <string>

#include "fileops/file_attributes.h"
#include "platform/files.h"
#include "support/trace_surroundings.h"
#include "util/paths.h"

using testing_support::x_TraceSurroundings;

namespace {

constexpr std::int64_t ten_days = 864000;

class PurgeOldFiles : public ::testing::Test {
protected:
    // Creates the file below the test folder; answers its path.
    std::string make_file(const std::string& relative) {
        create_folders(dir_part(at.folder() + relative));
        return at.tree.make_file(relative);
    }
    std::string in_test_folder(const std::string& relative) { return at.folder() + relative; }
    void set_clock_after(const std::string& path, std::int64_t seconds) {
        at.process.seconds = x_FileStatus(path).modify_time() + seconds;
    }

    x_TraceSurroundings at;
};

}  // namespace

TEST_F(PurgeOldFiles, FileIsQueuedFromTenDaysAfterItsLastChange) {
    const std::string file = make_file("age\\0101_01.txt");
    set_clock_after(file, ten_days - 1);
    EXPECT_TRUE(purge_old_files(in_test_folder("age\\.txt"), 10));
    set_clock_after(file, ten_days);
    EXPECT_FALSE(purge_old_files(in_test_folder("age\\.txt"), 10));
    // Queued files go at process exit, not at once.
    EXPECT_TRUE(path_exists(file));
}

TEST_F(PurgeOldFiles, ReadOnlyAndUnrelatedFilesStay) {
    const std::string read_only = make_file("kept\\0101_01.txt");
    make_file("kept\\notes.log");
    make_file("kept\\txt");
    make_file("kept\\deeper\\0101_02.txt");
    ASSERT_TRUE(x_FileAttributes(read_only).set_bits(platform::attribute_read_only));
    set_clock_after(read_only, 20 * ten_days);
    EXPECT_TRUE(purge_old_files(in_test_folder("kept\\.txt"), 10));
}

TEST_F(PurgeOldFiles, ExtensionMatchesInAnyCase) {
    const std::string file = make_file("upper\\0101_01.TXT");
    set_clock_after(file, ten_days);
    EXPECT_FALSE(purge_old_files(in_test_folder("upper\\.txt"), 10));
}

// A file where a log folder belongs must not turn the purge to the folder
// above it, which holds the program's other files.
TEST_F(PurgeOldFiles, FileWhereTheFolderBelongsQueuesNothing) {
    const std::string beside = make_file("scratch\\0101_01.txt");
    make_file("scratch\\_trace_");
    set_clock_after(beside, 20 * ten_days);
    EXPECT_TRUE(purge_old_files(in_test_folder("scratch\\_trace_\\.txt"), 10));
}
