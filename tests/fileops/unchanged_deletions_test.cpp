#include "fileops/unchanged_deletions.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "support/temp_tree.h"

namespace {

using testing_support::x_TempTree;

void queue_as_it_is(x_UnchangedDeletions& deletions, const std::string& path) {
    platform::x_FileStamp stamp;
    ASSERT_TRUE(platform::files().file_stamp(path, stamp)) << path;
    deletions.queue(path, stamp);
}

void append(const std::string& path, const std::string& text) {
    std::FILE* file = platform::files().open_file(path, "ab", platform::x_Sharing::readers_only);
    ASSERT_NE(file, nullptr) << path;
    platform::files().write_file(file, text.data(), text.size());
    platform::files().close_file(file);
}

}  // namespace

TEST(UnchangedDeletions, FileWrittenToAfterItWasQueuedKeepsItsEntries) {
    x_TempTree tree;
    const std::string untouched = tree.make_file("0101_00.txt", "old\r\n");
    const std::string appended = tree.make_file("0101_01.txt", "old\r\n");
    const std::string vanished = tree.make_file("0101_02.txt", "old\r\n");
    {
        x_UnchangedDeletions deletions;
        for (const std::string& path : {untouched, appended, vanished}) {
            queue_as_it_is(deletions, path);
        }
        append(appended, "new\r\n");
        platform::files().remove_file(vanished);
    }
    EXPECT_FALSE(x_TempTree::exists(untouched));
    EXPECT_EQ(x_TempTree::content(appended), "old\r\nnew\r\n");
    EXPECT_FALSE(x_TempTree::exists(vanished));
}

TEST(UnchangedDeletions, FileThatAWriterHoldsStaysUntilALaterRun) {
    x_TempTree tree;
    const std::string held = tree.make_file("0101_00.txt", "old\r\n");
    x_UnchangedDeletions deletions;
    queue_as_it_is(deletions, held);
    std::FILE* writer = platform::files().open_file(held, "ab", platform::x_Sharing::readers_only);
    ASSERT_NE(writer, nullptr);
    deletions.run();
    platform::files().close_file(writer);
    EXPECT_EQ(x_TempTree::content(held), "old\r\n");

    queue_as_it_is(deletions, held);
    deletions.run();
    EXPECT_FALSE(x_TempTree::exists(held));
}
