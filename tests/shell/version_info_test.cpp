#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/version.h"
#include "shell/version_info.h"
#include "tests/support/error_capture.h"

namespace {

using testing_support::x_ErrorCapture;

// A version library whose answers each test arranges: a block size, a
// translation table and values by their full sub-block path.
class x_ArrangedVersion : public platform::x_VersionService {
public:
    x_ArrangedVersion() : guard_(*this) {}

    std::uint32_t info_size(const std::string&, std::uint32_t& handle) override {
        ++size_queries;
        handle = 7;
        return size;
    }
    bool info(const std::string&, std::uint32_t handle, std::uint32_t block_size, void*) override {
        passed_handle = handle;
        passed_size = block_size;
        return info_succeeds;
    }
    bool query_value(const void*, const std::string& sub_block, const void*& buffer,
                     std::uint32_t& length) override {
        if (sub_block == "\\VarFileInfo\\Translation") {
            buffer = translation.data();
            length = translation_length;
            return translation_readable;
        }
        const auto found = values.find(sub_block);
        if (found == values.end()) return false;
        buffer = found->second.c_str();
        length = static_cast<std::uint32_t>(found->second.empty() ? 0 : found->second.size() + 1);
        return true;
    }

    std::uint32_t size = 100;
    bool info_succeeds = true;
    bool translation_readable = true;
    std::vector<std::uint16_t> translation = {0x0409, 0x04b0};
    std::uint32_t translation_length = 4;
    std::map<std::string, std::string> values;
    int size_queries = 0;
    std::uint32_t passed_handle = 0;
    std::uint32_t passed_size = 0;

private:
    platform::x_Substitute<platform::x_VersionService> guard_;
};

// A real file, so that the existence test before a load passes.
class VersionInfo : public ::testing::Test {
protected:
    void SetUp() override {
        // ctest runs the cases side by side: one file each, or one case's
        // clean-up removes another's file.
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        existing_ = (std::filesystem::temp_directory_path() / (name + ".exe")).string();
        std::ofstream(existing_) << "MZ";
    }
    void TearDown() override { std::filesystem::remove(existing_); }

    std::string existing_;
};

TEST_F(VersionInfo, ValuesComeFromTheFirstTranslationOnly) {
    x_ArrangedVersion version;
    version.translation = {0x0C0A, 0x04E4, 0x0409, 0x04B0};
    version.translation_length = 8;
    version.values["\\StringFileInfo\\0c0a04e4\\ProductVersion"] = "6.1.7601";
    version.values["\\StringFileInfo\\040904b0\\ProductVersion"] = "second table";
    version.values["\\StringFileInfo\\040904b0\\FileVersion"] = "second table";
    x_ErrorCapture errors;

    x_VersionInfo info(existing_);
    EXPECT_EQ(info.prefix, "\\StringFileInfo\\0c0a04e4\\");
    EXPECT_EQ(info.size, 100u);
    EXPECT_EQ(info.block.size(), 200u);
    EXPECT_EQ(version.passed_handle, 7u);
    EXPECT_EQ(version.passed_size, 100u);  // the reported size, not the doubled one
    EXPECT_EQ(info.get_product_version(), "6.1.7601");
    EXPECT_EQ(errors.text(), "");

    EXPECT_EQ(info.get_file_version(), "");
    EXPECT_EQ(errors.text(), "::VerQueryValue ...   FileVersion\n");
    EXPECT_EQ(version.size_queries, 1);
}

TEST_F(VersionInfo, EmptyValueIsReportedWithItsKey) {
    x_ArrangedVersion version;
    version.values["\\StringFileInfo\\040904b0\\Comments"] = "";
    x_ErrorCapture errors;

    x_VersionInfo info(existing_);
    EXPECT_EQ(info.get_comments(), "");
    EXPECT_EQ(errors.text(), "::VerQueryValue len=0 Comments\n");
    EXPECT_GE(errors.flushes(), 1);
}

TEST_F(VersionInfo, FailedLoadIsRepeatedAndReportedOnEveryQuery) {
    struct Case {
        const char* report;
        void (*arrange)(x_ArrangedVersion&);
    };
    const Case cases[] = {
        {"::GetFileVersionInfoSize ... 0\n", [](x_ArrangedVersion& v) { v.size = 0; }},
        {"::GetFileVersionInfo ... false\n", [](x_ArrangedVersion& v) { v.info_succeeds = false; }},
        {"::VerQueryValue ... false\n",
         [](x_ArrangedVersion& v) { v.translation_readable = false; }},
        {"::VerQueryValue   len = 0\n", [](x_ArrangedVersion& v) { v.translation_length = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        x_ArrangedVersion version;
        c.arrange(version);
        x_ErrorCapture errors;

        x_VersionInfo info(existing_);
        EXPECT_EQ(info.prefix, "");
        EXPECT_EQ(info.get_product_version(), "");
        EXPECT_EQ(info.get_original_filename(), "");
        EXPECT_EQ(errors.text(), std::string(c.report) + c.report + c.report);
        EXPECT_EQ(version.size_queries, 3);
        EXPECT_EQ(errors.flushes(), 3);
    }
}

TEST_F(VersionInfo, SetPathLoadsOnlyAnExistingPath) {
    x_ArrangedVersion version;
    version.values["\\StringFileInfo\\040904b0\\ProductName"] = "tool";
    x_ErrorCapture errors;

    x_VersionInfo info;
    EXPECT_FALSE(info.set_path(""));
    EXPECT_FALSE(info.set_path_string(existing_ + ".missing"));
    EXPECT_EQ(version.size_queries, 0);
    EXPECT_EQ(errors.text(), "");

    EXPECT_TRUE(info.set_path_string(existing_));
    EXPECT_EQ(version.size_queries, 1);
    EXPECT_EQ(info.get_product_name(), "tool");

    // A path that was not there is loaded, and its failure reported, when asked.
    version.size = 0;
    x_VersionInfo missing(existing_ + ".missing");
    EXPECT_EQ(errors.text(), "");
    EXPECT_EQ(missing.get_internal_name(), "");
    EXPECT_EQ(errors.text(), "::GetFileVersionInfoSize ... 0\n");
}

// A reader that is pointed at another file answers for that file only:
// one without a version resource, or one that is not there, has no values.
TEST_F(VersionInfo, ReusedReaderForgetsThePreviousFile) {
    x_ArrangedVersion version;
    version.values["\\StringFileInfo\\040904b0\\ProductVersion"] = "6.1.7601";
    x_ErrorCapture errors;
    x_VersionInfo info(existing_);
    ASSERT_EQ(info.get_product_version(), "6.1.7601");

    version.size = 0;
    EXPECT_FALSE(info.set_path_string(existing_));
    EXPECT_EQ(info.get_product_version(), "");
    EXPECT_TRUE(info.block.empty());

    version.size = 100;
    ASSERT_TRUE(info.set_path_string(existing_));
    EXPECT_FALSE(info.set_path_string(existing_ + ".missing"));
    EXPECT_EQ(info.prefix, "");
    version.size = 0;
    EXPECT_EQ(info.get_product_version(), "");
}

// A damaged resource whose value runs to the end of the block without a
// terminating zero must not be read beyond the block.
class x_UnterminatedValue : public x_ArrangedVersion {
public:
    bool info(const std::string&, std::uint32_t, std::uint32_t block_size, void* block) override {
        start = static_cast<char*>(block);
        std::memset(start, 'x', 2 * static_cast<std::size_t>(block_size));
        end = start + 2 * static_cast<std::size_t>(block_size);
        return true;
    }
    bool query_value(const void* block, const std::string& sub_block, const void*& buffer,
                     std::uint32_t& length) override {
        if (sub_block == "\\VarFileInfo\\Translation") {
            return x_ArrangedVersion::query_value(block, sub_block, buffer, length);
        }
        buffer = end - 3;
        length = 4096;
        return true;
    }
    char* start = nullptr;
    char* end = nullptr;
};

TEST_F(VersionInfo, ValueIsNeverReadPastTheBlock) {
    x_UnterminatedValue version;
    x_VersionInfo info(existing_);
    EXPECT_EQ(info.get_special_build(), "xxx");
}

}  // namespace
