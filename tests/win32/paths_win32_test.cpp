#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/code_page_932_fixture.h"
#include "support/temp_folder.h"
#include "util/paths.h"

namespace {

using testing_support::hyo;
using testing_support::ju;
using testing_support::so;

bool lists_entry(const std::string& folder, const std::string& name) {
    std::vector<platform::x_FindEntry> entries;
    platform::files().find_entries(folder + "*", entries);
    return std::any_of(entries.begin(), entries.end(),
                       [&](const platform::x_FindEntry& entry) { return entry.name == name; });
}

TEST(PathsWin32, BareDriveRootCountsAsMissing) {
    EXPECT_FALSE(path_exists("C:\\"));
    EXPECT_FALSE(folder_exists("C:\\"));
    EXPECT_FALSE(path_exists("C:/"));
    EXPECT_TRUE(folder_exists("C:\\windows\\"));
    EXPECT_TRUE(create_folders("C:\\"));
    EXPECT_FALSE(create_folders("Q:\\"));
}

TEST(PathsWin32, CreateFoldersMakesEveryMissingLevel) {
    testing_support::x_TempFolder temp("paths_create");
    ASSERT_TRUE(temp.made());
    temp.adopt("a");
    const std::string deepest = temp.adopt("a\\b");
    EXPECT_TRUE(create_folders(temp.path() + "a/b/"));
    EXPECT_TRUE(folder_exists(deepest));
    const std::string file = temp.empty_file("plain.txt");
    EXPECT_FALSE(create_folders(file + "\\below"));
}

using PathsWin32CodePage932 = testing_support::x_CodePage932Test;

TEST_F(PathsWin32CodePage932, CreateFoldersNamesFoldersWhole) {
    testing_support::x_TempFolder temp("paths_sjis");
    ASSERT_TRUE(temp.made());
    temp.adopt(hyo);
    temp.adopt(hyo + "\\" + so);
    temp.adopt(hyo + "\\" + so + "\\sub");
    temp.adopt(ju);
    EXPECT_TRUE(create_folders(temp.path() + hyo + "\\" + so + "\\sub\\"));
    EXPECT_TRUE(create_folders(temp.path() + ju));
    EXPECT_TRUE(lists_entry(temp.path(), hyo));
    EXPECT_TRUE(lists_entry(temp.path(), ju));
    EXPECT_TRUE(lists_entry(temp.path() + hyo + "\\", so));
    EXPECT_TRUE(folder_exists(temp.path() + hyo + "\\" + so + "\\sub"));
    EXPECT_TRUE(folder_exists(temp.path() + ju + "\\"));
    EXPECT_FALSE(lists_entry(temp.path(), "\x95"));
    EXPECT_TRUE(create_folders(temp.path() + ju));

    const std::string file = temp.empty_file("a" + hyo);
    EXPECT_TRUE(path_exists(file));
    EXPECT_TRUE(x_FileStatus(file).is_file());
    EXPECT_FALSE(folder_exists(file));
}

}  // namespace
