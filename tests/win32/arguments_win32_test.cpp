#include <gtest/gtest.h>

#include <string>

#include "app/arguments.h"
#include "util/strings.h"

namespace {

// Before main's arguments are set, the list comes from the runtime's own
// vector: this test binary and the arguments it was started with.
TEST(ArgumentListWin32, EmptyListIsFilledFromTheRuntimeVector) {
    set_arguments(0, nullptr);
    const x_StringList arguments = get_arv();
    set_arguments(0, nullptr);
    ASSERT_FALSE(arguments.empty());
    const std::string program = to_lower(arguments.front());
    const std::string name = "shellbackup_tests.exe";
    ASSERT_GE(program.size(), name.size());
    EXPECT_EQ(program.substr(program.size() - name.size()), name);
}

}  // namespace
