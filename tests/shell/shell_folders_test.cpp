#include "shell/shell_folders.h"

#include <gtest/gtest.h>

#include "app/fake_services.h"
#include "support/code_page.h"

namespace {

using testing_app::x_FakeShell;

class SpecialFolders : public ::testing::Test {
protected:
    SpecialFolders() : guard_(shell_) {
        shell_.paths = {{5, "C:\\Users\\ann\\Documents"}, {38, "C:\\Program Files\\"}};
    }

    x_FakeShell shell_;

private:
    platform::x_Substitute<platform::x_ShellService> guard_;
};

TEST_F(SpecialFolders, FunctionRoutePassesTheCreateFlagFromTheValue) {
    EXPECT_EQ(get_special_folder(csidl_personal), "C:\\Users\\ann\\Documents");
    EXPECT_EQ(get_special_folder(csidl_personal | csidl_flag_create), "C:\\Users\\ann\\Documents");
    ASSERT_EQ(shell_.function_calls.size(), 2u);
    EXPECT_FALSE(shell_.function_calls[0].create);
    EXPECT_EQ(shell_.function_calls[1].csidl, csidl_personal | csidl_flag_create);
    EXPECT_TRUE(shell_.function_calls[1].create);
    EXPECT_TRUE(shell_.id_list_calls.empty());
}

TEST_F(SpecialFolders, WithoutTheFunctionTheItemIdListRouteAnswers) {
    shell_.function_available = false;
    EXPECT_EQ(get_special_folder(csidl_personal), "C:\\Users\\ann\\Documents");
    EXPECT_EQ(shell_.id_list_calls, std::vector<int>{csidl_personal});
    EXPECT_TRUE(shell_.function_calls.empty());
}

TEST_F(SpecialFolders, OneTrailingBackslashGoesExceptFromADriveRoot) {
    shell_.paths = {{5, "C:\\Users\\ann\\Documents\\"}, {13, "D:\\"}, {14, "\\\\server\\share\\"}};
    for (const bool function : {true, false}) {
        shell_.function_available = function;
        EXPECT_EQ(get_special_folder(csidl_personal), "C:\\Users\\ann\\Documents");
        EXPECT_EQ(get_special_folder(csidl_my_music), "D:\\");
        EXPECT_EQ(get_special_folder(csidl_my_video), "\\\\server\\share");
        EXPECT_EQ(get_special_folder(csidl_common_music), "");
    }
}

TEST_F(SpecialFolders, TrailByteThatLooksLikeABackslashStays) {
    testing_support::x_UseCodePage932 code_page;
    const std::string table = "C:\\Users\\\x95\x5c";  // ends in a double-byte character
    shell_.paths = {{5, table}, {13, table + "\\"}};
    EXPECT_EQ(get_special_folder(csidl_personal), table);
    EXPECT_EQ(get_special_folder(csidl_my_music), table);
}

}  // namespace
