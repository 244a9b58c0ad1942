#include "shell/special_folders.h"

#include <gtest/gtest.h>

#include "app/fake_services.h"

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

TEST_F(SpecialFolders, PathComesBackAsTheShellGaveItAndUnknownIsEmpty) {
    for (const bool function : {true, false}) {
        shell_.function_available = function;
        EXPECT_EQ(get_special_folder(csidl_program_files), "C:\\Program Files\\");
        EXPECT_EQ(get_special_folder(csidl_common_music), "");
    }
}

}  // namespace
