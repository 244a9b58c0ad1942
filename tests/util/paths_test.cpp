#include "util/paths.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "support/code_page_932_fixture.h"
#include "support/temp_folder.h"
#include "util/path_split.h"

namespace {

using testing_support::hyo;
using testing_support::so;

// A file system of folders only: status and access answer for the folders
// it holds, and every folder creation is recorded.
class x_FolderWorld : public platform::x_FileService {
public:
    std::set<std::string> folders;
    std::vector<std::string> made;
    std::string refused;

    int status(const std::string& path, platform::x_StatRecord& record) override {
        record = platform::x_StatRecord{};
        if (folders.count(path) == 0) return 2;
        record.mode = platform::mode_folder;
        return 0;
    }
    bool access_exists(const std::string& path) override { return folders.count(path) != 0; }
    bool make_folder(const std::string& path) override {
        made.push_back(path);
        if (path == refused) return false;
        folders.insert(path);
        return true;
    }
};

class CreateFolders : public ::testing::Test {
protected:
    x_FolderWorld world;
    platform::x_Substitute<platform::x_FileService> guard{world};
};

TEST(NormalizeSeparators, ConvertsCollapsesAndDropsTrailing) {
    EXPECT_EQ(normalize_separators("C:/dir/sub/"), "C:\\dir\\sub");
    EXPECT_EQ(normalize_separators("C:\\a\\\\b"), "C:\\a\\b");
    EXPECT_EQ(normalize_separators("\\\\server\\share\\dir"), "\\\\server\\share\\dir");
    EXPECT_EQ(normalize_separators("//server/share/dir"), "\\\\server\\share\\dir");
    EXPECT_EQ(normalize_separators("\\dir"), "\\dir");
    EXPECT_EQ(normalize_separators("C:\\"), "C:");
    EXPECT_EQ(normalize_separators("dir\\\\sub"), "dir\\\\sub");
    EXPECT_EQ(normalize_separators(""), "");
    EXPECT_EQ(normalize_separators("C:\\a/b", '/'), "C:/a/b");
}

TEST(NormalizeSeparators, LeavesQuotedComponentsAlone) {
    EXPECT_EQ(normalize_separators("C:/\"a/b\"/c"), "C:\\\"a/b\"\\c");
}

TEST(SplitPath, FollowsTheTokenizerRulesOnSingleByteText) {
    for (const std::string text : {"", "\\", "a\\\\b\\", "\\\\s\\x", "\"a\\b\"\\c", "'a\\b\\c"}) {
        EXPECT_EQ(split_path(text, '\\'), split(text, '\\')) << text;
    }
    EXPECT_EQ(split_path("a/b\\c", "\\/"), (x_StringList{"a", "b", "c"}));
}

TEST(TrailingSeparator, AddsAndStripsOnlyOne) {
    EXPECT_EQ(add_trailing_separator(""), "");
    EXPECT_EQ(add_trailing_separator("C:/dir/"), "C:/dir/");
    EXPECT_EQ(add_trailing_separator("C:\\dir"), "C:\\dir\\");
    EXPECT_EQ(strip_trailing_separator("C:\\dir\\\\"), "C:\\dir\\");
    EXPECT_EQ(strip_trailing_separator("C:/dir/"), "C:/dir");
    EXPECT_EQ(strip_trailing_separator("C:\\dir"), "C:\\dir");
    EXPECT_EQ(strip_trailing_separator(""), "");
}

TEST(PathParts, NameFolderExtensionAndBase) {
    EXPECT_EQ(file_name("a/b\\c/d"), "c/d");
    EXPECT_EQ(file_name("C:\\dir\\"), "");
    EXPECT_EQ(file_name("name.txt"), "name.txt");
    EXPECT_EQ(dir_part("name.txt"), "\\");
    EXPECT_EQ(dir_part("C:\\dir\\"), "C:\\dir");
    EXPECT_EQ(dir_part("a/b/c"), "a/b");
    EXPECT_EQ(file_extension("C:\\log\\.txt"), "txt");
    EXPECT_EQ(file_extension("C:\\log\\README"), "");
    EXPECT_EQ(file_extension("C:\\a.b\\c"), "");
    EXPECT_EQ(file_extension("C:\\a\\x?.txt"), "");
    EXPECT_EQ(base_name("archive.tar.gz"), "archive.tar");
    EXPECT_EQ(base_name(".profile"), "");
    EXPECT_EQ(base_name("C:\\dir\\what?.txt"), "");
    EXPECT_EQ(base_name(" "), "");
    EXPECT_EQ(base_name("C:\\dir\\plain"), "plain");
}

TEST_F(CreateFolders, NetworkPathStartsInsideTheShare) {
    EXPECT_TRUE(create_folders("\\\\server\\share\\a\\b"));
    EXPECT_EQ(world.made,
              (std::vector<std::string>{"\\\\server\\share\\a", "\\\\server\\share\\a\\b"}));
    world.made.clear();
    EXPECT_TRUE(create_folders("//host/public/x/"));
    EXPECT_EQ(world.made, (std::vector<std::string>{"\\\\host\\public\\x"}));
}

TEST_F(CreateFolders, MakesOnlyMissingLevelsAndNeverADrive) {
    world.folders = {"C:\\x"};
    EXPECT_TRUE(create_folders("C:\\x\\y\\"));
    EXPECT_EQ(world.made, (std::vector<std::string>{"C:\\x\\y"}));
    world.made.clear();
    EXPECT_TRUE(create_folders("C:/x/y"));
    EXPECT_TRUE(world.made.empty());
    world.folders.insert("D:\\");
    EXPECT_TRUE(create_folders("D:\\"));
    EXPECT_FALSE(create_folders("Q:\\"));
    EXPECT_FALSE(create_folders("Q:"));
    EXPECT_TRUE(world.made.empty());
}

TEST_F(CreateFolders, StopsAtTheFirstLevelThatFails) {
    world.refused = "C:\\a\\b";
    EXPECT_FALSE(create_folders("C:\\a\\b\\c"));
    EXPECT_EQ(world.made, (std::vector<std::string>{"C:\\a", "C:\\a\\b"}));
    EXPECT_TRUE(world.folders.count("C:\\a"));
}

TEST(FileStatus, MissingPathFailsWithNothingFilledIn) {
    testing_support::x_TempFolder temp("paths_status");
    for (const std::string& path : {temp.path() + "missing.txt", temp.path() + "*.txt"}) {
        x_FileStatus status(path);
        EXPECT_TRUE(status.failed()) << path;
        EXPECT_EQ(status.error(), 2) << path;
        EXPECT_EQ(status.size(), 0);
        EXPECT_FALSE(status.is_file());
        EXPECT_FALSE(status.is_folder());
    }
}

TEST(PathExists, EmptyFileAndEmptyFolderExist) {
    testing_support::x_TempFolder temp("paths_exist");
    ASSERT_TRUE(temp.made());
    const std::string file = temp.empty_file("empty.txt");
    const std::string folder = temp.folder("empty");
    EXPECT_TRUE(path_exists(file));
    EXPECT_FALSE(folder_exists(file));
    EXPECT_TRUE(path_exists(folder + "\\"));
    EXPECT_TRUE(folder_exists(folder + "/"));
    EXPECT_FALSE(path_exists(temp.path() + "absent"));
    EXPECT_FALSE(folder_exists(temp.path() + "absent"));

    x_FileStatus file_status(file);
    EXPECT_FALSE(file_status.failed());
    EXPECT_TRUE(file_status.is_file());
    EXPECT_EQ(file_status.size(), 0);
    EXPECT_TRUE(x_FileStatus(folder).is_folder());
}

using PathsCodePage932 = testing_support::x_CodePage932Test;

TEST_F(PathsCodePage932, TrailByteBackslashIsNoSeparator) {
    const std::string table_sub = "C:\\" + hyo + "\\sub";
    EXPECT_EQ(normalize_separators(table_sub), table_sub);
    EXPECT_EQ(normalize_separators("C:\\" + so + "\\"), "C:\\" + so);
    EXPECT_EQ(normalize_separators("C:/dir/" + hyo), "C:\\dir\\" + hyo);
    EXPECT_EQ(normalize_separators("C:\\" + so + "\\\\" + hyo + "\\"), "C:\\" + so + "\\" + hyo);

    EXPECT_EQ(strip_trailing_separator("C:\\" + hyo), "C:\\" + hyo);
    EXPECT_EQ(strip_trailing_separator("C:\\" + so + "\\"), "C:\\" + so);
    EXPECT_EQ(add_trailing_separator("C:\\" + hyo), "C:\\" + hyo + "\\");

    EXPECT_EQ(file_name("C:\\" + hyo), hyo);
    EXPECT_EQ(dir_part("C:\\dir\\" + so), "C:\\dir");
    EXPECT_EQ(split_path(table_sub, '\\'), (x_StringList{"C:", hyo, "sub"}));
}

TEST_F(PathsCodePage932, CreateFoldersKeepsEveryCharacter) {
    x_FolderWorld world;
    platform::x_Substitute<platform::x_FileService> guard(world);
    EXPECT_TRUE(create_folders("C:\\" + hyo + "\\sub"));
    EXPECT_TRUE(create_folders("C:\\" + so + "\\"));
    EXPECT_TRUE(create_folders("C:\\dir\\" + hyo));
    EXPECT_TRUE(create_folders("\\\\server\\" + so + "\\" + hyo));
    EXPECT_EQ(world.made, (std::vector<std::string>{"C:\\" + hyo, "C:\\" + hyo + "\\sub",
                                                    "C:\\" + so, "C:\\dir", "C:\\dir\\" + hyo,
                                                    "\\\\server\\" + so + "\\" + hyo}));
}

// As on Windows: the status query knows nothing of a share, while the access
// test sees the shares that are there.
class x_NetworkWorld : public x_FolderWorld {
public:
    std::set<std::string> reachable;

    bool access_exists(const std::string& path) override { return reachable.count(path) != 0; }
};

class NetworkPaths : public ::testing::Test {
protected:
    x_NetworkWorld world;
    platform::x_Substitute<platform::x_FileService> guard{world};
};

TEST_F(NetworkPaths, AreTestedForAccessAndNeverByTheirStatus) {
    world.reachable = {"\\\\server\\share", "\\\\server\\share\\x.bat"};
    EXPECT_TRUE(path_exists("\\\\server\\share\\"));
    EXPECT_TRUE(folder_exists("//server/share"));
    EXPECT_TRUE(path_exists("\\\\server\\share\\x.bat"));

    // A status answer, wherever it came from, does not count for them.
    world.reachable.clear();
    world.folders = {"\\\\server\\share", "\\\\server\\share\\x.bat"};
    EXPECT_FALSE(path_exists("\\\\server\\share"));
    EXPECT_FALSE(folder_exists("\\\\server\\share"));
    EXPECT_FALSE(path_exists("\\\\server\\share\\x.bat"));
}

TEST_F(NetworkPaths, BareShareIsReportedAsItIsFound) {
    EXPECT_FALSE(create_folders("\\\\server\\share"));
    EXPECT_FALSE(create_folders("//server/share/"));
    EXPECT_FALSE(create_folders("\\\\server"));
    world.reachable = {"\\\\server\\share"};
    EXPECT_TRUE(create_folders("\\\\server\\share\\"));
    EXPECT_TRUE(world.made.empty());
}

}  // namespace
