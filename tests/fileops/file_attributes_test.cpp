#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "fileops/file_attributes.h"
#include "platform/files.h"
#include "support/temp_tree.h"

namespace {

using testing_support::x_TempTree;

class x_CountingSets : public platform::x_FileService {
public:
    bool set_attributes(const std::string& path, std::uint32_t bits) override {
        ++sets;
        return platform::x_FileService::set_attributes(path, bits);
    }
    int sets = 0;
};

TEST(FileAttributes, MakePlainLeavesAPlainFileUntouched) {
    x_TempTree tree;
    const std::string path = tree.make_file("plain.txt");
    x_CountingSets files;
    platform::x_Substitute<platform::x_FileService> guard(files);
    x_FileAttributes attributes(path);
    ASSERT_FALSE(attributes.is_invalid());
    EXPECT_EQ(attributes.has_any(platform::attribute_read_only), 0u);
    EXPECT_TRUE(attributes.make_plain());
    EXPECT_EQ(files.sets, 0);
    EXPECT_EQ(x_FileAttributes(path).get_attributes(), attributes.get_attributes());
}

TEST(FileAttributes, SettersWriteThroughButKeepTheSnapshot) {
    x_TempTree tree;
    const std::string path = tree.make_file("file.txt");
    x_FileAttributes before(path);
    EXPECT_TRUE(before.set_bits(platform::attribute_read_only));
    EXPECT_EQ(before.has_any(platform::attribute_read_only), 0u);
    x_FileAttributes read_only(path);
    EXPECT_NE(read_only.has_any(platform::attribute_read_only), 0u);
    EXPECT_TRUE(read_only.make_plain());
    EXPECT_EQ(x_FileAttributes(path).has_any(platform::attribute_read_only), 0u);
}

TEST(FileAttributes, PathIsStoredNormalised) {
    x_TempTree tree;
    tree.make_folder("sub");
    std::string slashed = tree.path("sub");
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    std::string expected = tree.path("sub");
    std::replace(expected.begin(), expected.end(), '/', '\\');
    x_FileAttributes attributes(slashed + "/");
    EXPECT_EQ(attributes.get_path(), expected);
    EXPECT_NE(attributes.has_any(platform::attribute_directory), 0u);
}

TEST(FileAttributes, MissingPathReadsAsEveryBitSet) {
    x_TempTree tree;
    x_FileAttributes missing(tree.path("missing.txt"));
    EXPECT_TRUE(missing.is_invalid());
    EXPECT_EQ(missing.get_attributes(), platform::invalid_attributes);
    EXPECT_EQ(missing.get_path(), "");
    EXPECT_NE(missing.has_any(platform::attribute_read_only), 0u);
    EXPECT_FALSE(missing.clear_bits(platform::attribute_read_only));
    EXPECT_FALSE(missing.set_bits(platform::attribute_hidden));
    EXPECT_FALSE(missing.make_plain());
}

}  // namespace
