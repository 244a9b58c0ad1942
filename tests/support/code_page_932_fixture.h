#pragma once
// A test fixture for double-byte behaviour. Natively code page 932 is
// substituted. The Windows build takes the real thing: the user's locale,
// which is code page 932 when Wine runs with LC_ALL=ja_JP.UTF-8; under any
// other code page the test is skipped. The locale is restored afterwards.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/code_page.h"

namespace testing_support {

class x_CodePage932Test : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        locale_.emplace();
        if (platform::code_page().ansi_code_page() != 932) {
            GTEST_SKIP() << "needs ANSI code page 932 (LC_ALL=ja_JP.UTF-8 under Wine)";
        }
#else
        code_page_.emplace();
#endif
    }

    void TearDown() override {
        locale_.reset();
        code_page_.reset();
    }

private:
    std::optional<x_UserLocale> locale_;
    std::optional<x_UseCodePage932> code_page_;
};

// Shift_JIS characters whose second byte is a backslash.
inline const std::string hyo = "\x95\x5C";  // 表
inline const std::string so = "\x83\x5C";   // ソ
inline const std::string ju = "\x8F\x5C";   // 十

}  // namespace testing_support
