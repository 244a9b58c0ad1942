#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "fileops/deferred_ops.h"
#include "fileops/listing.h"
#include "support/code_page_932_fixture.h"
#include "support/temp_tree.h"

namespace {

using testing_support::hyo;
using testing_support::ju;
using testing_support::so;
using testing_support::x_TempTree;

using FileOpsCodePage932 = testing_support::x_CodePage932Test;

x_StringList sorted(x_StringList list) {
    std::sort(list.begin(), list.end());
    return list;
}

// Japanese names whose second bytes are backslashes: a file that seems to
// end in a separator, and a folder whose name seems to hold one.
TEST_F(FileOpsCodePage932, DoubleByteNamesAreListedMatchedAndDeleted) {
    x_TempTree tree;
    const std::string log = tree.make_file(hyo + ".log");
    const std::string plain = tree.make_file("a" + so);
    const std::string folder = tree.make_folder(ju);
    const std::string inner = tree.make_file(ju + "\\" + so + ".txt");
    ASSERT_TRUE(x_TempTree::exists(inner));

    EXPECT_EQ(sorted(list_folder(tree.root(), true)), sorted({log, plain, folder + "\\"}));
    EXPECT_EQ(sorted(list_matching(tree.root(), "*")), sorted({log, plain}));
    EXPECT_EQ(list_matching(tree.root(), "*.LOG"), x_StringList{log});
    EXPECT_EQ(list_matching(folder, "*.txt"), x_StringList{inner});

    x_DeferredFileOps ops;
    ops.queue_delete_list({folder, plain, inner});
    ops.run_deletes();
    EXPECT_FALSE(x_TempTree::exists(plain));
    EXPECT_FALSE(x_TempTree::exists(inner));
    EXPECT_FALSE(x_TempTree::exists(folder));
    EXPECT_TRUE(x_TempTree::exists(log));
}

}  // namespace
