#include "copyjob/version_source.h"

#include <gtest/gtest.h>

#include <string>

#include "copyjob/fake_where.h"
#include "support/trace_surroundings.h"

namespace {

class VersionSource : public ::testing::Test {
protected:
    VersionSource() : guard_(where) {}

    // An existing file in the test's folder, as "where" prints it.
    std::string existing(const std::string& name) {
        return surroundings.tree.make_file(name, "MZ");
    }

    testing_support::x_TraceSurroundings surroundings;
    testing_copyjob::x_FakeWhere where;

private:
    platform::x_Substitute<platform::x_ShellService> guard_;
};

TEST_F(VersionSource, WinverBeforeWhereBeforeExplorer) {
    const std::string winver = existing("winver.exe");
    const std::string where_exe = existing("where.exe");
    const std::string explorer = existing("explorer.exe");
    where.answers = {{"where", where_exe + "\r\n"},
                     {"winver", winver + "\r\n"},
                     {"explorer", explorer + "\r\n"}};
    EXPECT_EQ(find_version_source(), winver);
    EXPECT_EQ(where.asked, (std::vector<std::string>{"where", "winver", "explorer"}));

    where.answers.erase("winver");
    EXPECT_EQ(find_version_source(), where_exe);
    where.answers["where"] = surroundings.folder() + "missing\\where.exe\r\n";
    EXPECT_EQ(find_version_source(), explorer);
}

TEST_F(VersionSource, NothingUsableGivesTheEmptyText) {
    where.answers = {{"winver", "\r\n"}, {"explorer", "C:\\nowhere\\explorer.exe\r\n"}};
    EXPECT_EQ(find_version_source(), "");
    EXPECT_EQ(where.asked.size(), 3u);
}

}  // namespace
