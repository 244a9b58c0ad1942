#include <gtest/gtest.h>

#include "platform/drives.h"

namespace {

class x_AllRemovable : public platform::x_DriveService {
public:
    unsigned drive_type(const std::string&) override { return platform::drive_removable; }
};

TEST(PlatformSlot, SubstituteAnswersOnlyWhileItLives) {
    const unsigned real = platform::drives().drive_type("Q:/");
    {
        x_AllRemovable substitute;
        platform::x_Substitute<platform::x_DriveService> guard(substitute);
        EXPECT_EQ(platform::drives().drive_type("Q:/"), platform::drive_removable);
    }
    EXPECT_EQ(platform::drives().drive_type("Q:/"), real);
}

}  // namespace
