#include "util/time_stamps.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "platform/process.h"

namespace {

// A clock stopped at 31 January 2024, 17:05:09 local time, whose local
// time differs from UTC so that a stamp in UTC would show.
class x_StoppedClock : public platform::x_ProcessService {
public:
    static constexpr std::int64_t moment = 1706717109;
    std::int64_t asked = -1;
    bool broken = false;

    std::int64_t now() override { return moment; }
    bool local_time(std::int64_t seconds, std::tm& out) override {
        asked = seconds;
        if (broken) return false;
        out = std::tm{};
        out.tm_year = 124;
        out.tm_mon = 0;
        out.tm_mday = 31;
        out.tm_hour = 17;
        out.tm_min = 5;
        out.tm_sec = 9;
        out.tm_wday = 3;
        out.tm_yday = 30;
        return true;
    }
};

TEST(TimeStamps, FormatsTheCurrentMomentInLocalTime) {
    x_StoppedClock clock;
    platform::x_Substitute<platform::x_ProcessService> guard(clock);
    EXPECT_EQ(time_text("%Y%m%d"), "20240131");
    EXPECT_EQ(clock.asked, x_StoppedClock::moment);
    EXPECT_EQ(time_text("%Y/%m/%d %H:%M:%S"), "2024/01/31 17:05:09");
    EXPECT_EQ(format_time(0, "%m%d_%H"), "0131_17");
    EXPECT_EQ(clock.asked, 0);
    clock.broken = true;
    EXPECT_EQ(time_text("%Y%m%d"), "");
}

TEST(TimeStamps, RealClockGivesEightDigitDates) {
    const std::string stamp = time_text("%Y%m%d");
    ASSERT_EQ(stamp.size(), 8u);
    for (char c : stamp) EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c))) << stamp;
}

TEST(TimeStamps, ResultIsWholeOrEmpty) {
    std::tm moment{};
    moment.tm_year = 124;
    moment.tm_mday = 1;
    EXPECT_EQ(format_tm(moment, std::string(254, 'x').c_str()), std::string(254, 'x'));
    EXPECT_EQ(format_tm(moment, std::string(255, 'x').c_str()), "");
    EXPECT_EQ(format_tm(moment, (std::string(251, 'x') + "%Y").c_str()), "");
    EXPECT_EQ(format_tm(moment, ""), "");
    EXPECT_EQ(format_tm(moment, nullptr), "");
}

}  // namespace
