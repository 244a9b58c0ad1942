#include "app/arguments.h"

#include <gtest/gtest.h>

#include "app/fake_services.h"

namespace {

using testing_app::x_QuietProcess;

class ArgumentList : public ::testing::Test {
protected:
    ArgumentList() : guard_(process_) {}
    // The list is process-wide: leave it empty for the next test.
    ~ArgumentList() override { set_arguments(0, nullptr); }

    x_QuietProcess process_;

private:
    platform::x_Substitute<platform::x_ProcessService> guard_;
};

TEST_F(ArgumentList, HoldsExactlyMainsArgumentsOnceSet) {
    process_.runtime = {"runtime.exe", "other"};
    char program[] = "C:\\tools\\shellbackup.exe";
    char first[] = "first";
    char blank[] = "";
    char* argv[] = {program, first, blank, nullptr};
    set_arguments(3, argv);
    const x_StringList expected = {"C:\\tools\\shellbackup.exe", "first", ""};
    EXPECT_EQ(get_arv(), expected);
    EXPECT_EQ(get_arv(), expected);
}

TEST_F(ArgumentList, EmptyListIsFilledFromTheRuntimeWheneverItIsFoundEmpty) {
    set_arguments(0, nullptr);
    EXPECT_TRUE(get_arv().empty());  // no runtime vector either

    process_.runtime = {"runtime.exe", "a b"};
    EXPECT_EQ(get_arv(), (x_StringList{"runtime.exe", "a b"}));

    // Once filled, later changes of the runtime vector do not show.
    process_.runtime = {"changed.exe"};
    EXPECT_EQ(get_arv(), (x_StringList{"runtime.exe", "a b"}));
}

}  // namespace
