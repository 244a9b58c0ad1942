#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "fileops/deferred_ops.h"
#include "platform/process.h"
#include "support/temp_tree.h"

namespace {

using testing_support::x_TempTree;

bool exists(const std::string& path) { return x_TempTree::exists(path); }

class DeferredOps : public ::testing::Test {
protected:
    x_TempTree tree;
};

TEST_F(DeferredOps, FolderGoesAfterItsQueuedContentsInEitherOrder) {
    for (bool folder_first : {true, false}) {
        const std::string folder = tree.make_folder("dir");
        const std::string file = tree.make_file("dir\\file.txt");
        x_DeferredFileOps ops;
        if (folder_first) ops.queue_delete(folder.c_str());
        ops.queue_delete_string(file);
        if (!folder_first) ops.queue_delete(folder.c_str());
        EXPECT_TRUE(ops.run_deletes());
        EXPECT_FALSE(exists(file));
        EXPECT_FALSE(exists(folder)) << folder_first;
    }
}

TEST_F(DeferredOps, DuplicatesTrailingSeparatorsAndSlashesNameOnePath) {
    const std::string folder = tree.make_folder("dir");
    const std::string file = tree.make_file("dir\\file.txt");
    std::string slashed = file;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    {
        // Written with slashes the file sorts below its folder written with
        // backslashes; it must still go first so that the folder can follow.
        x_DeferredFileOps ops;
        ops.queue_delete_list({folder, slashed});
        ops.run_deletes();
        EXPECT_FALSE(exists(file));
        EXPECT_FALSE(exists(folder));
    }
    tree.make_folder("dir");
    tree.make_file("dir\\file.txt");
    x_DeferredFileOps ops;
    ops.queue_delete_list({folder + "\\", slashed, file, folder, file});
    ops.run_deletes();
    EXPECT_FALSE(exists(file));
    EXPECT_FALSE(exists(folder));
    // A second pass over the emptied queue does nothing.
    EXPECT_TRUE(ops.run_deletes());
}

TEST_F(DeferredOps, FolderWithUnqueuedContentsStays) {
    const std::string folder = tree.make_folder("dir");
    const std::string queued = tree.make_file("dir\\queued.txt");
    const std::string kept = tree.make_file("dir\\kept.txt");
    const std::string nested = tree.make_folder("dir\\nested");
    {
        x_DeferredFileOps ops;
        ops.queue_delete(folder.c_str());
        ops.queue_delete(queued.c_str());
        ops.queue_delete(tree.path("never-existed.txt").c_str());
    }  // destruction runs the passes
    EXPECT_FALSE(exists(queued));
    EXPECT_TRUE(exists(kept));
    EXPECT_TRUE(exists(nested));
    EXPECT_TRUE(exists(folder));
}

TEST_F(DeferredOps, MoveCreatesTheDestinationFolderCopiesThenDeletes) {
    const std::string source = tree.make_file("source.txt", "moved content");
    const std::string destination = tree.path("new\\deeper\\dest.txt");
    const std::string only_deleted = tree.make_file("delete-me.txt");
    x_DeferredFileOps ops;
    // Deletions queued before the move keep empty destinations.
    ops.queue_delete(only_deleted.c_str());
    ops.queue_move(source.c_str(), destination.c_str());
    EXPECT_TRUE(ops.run_copies());
    EXPECT_TRUE(exists(source));
    EXPECT_EQ(x_TempTree::content(destination), "moved content");
    EXPECT_FALSE(exists(tree.path("delete-me.txt.copy")));
    ops.run_deletes();
    EXPECT_FALSE(exists(source));
    EXPECT_FALSE(exists(only_deleted));
    EXPECT_EQ(x_TempTree::content(destination), "moved content");
}

TEST_F(DeferredOps, FailedCopyKeepsItsSource) {
    const std::string source = tree.make_file("source.txt", "precious");
    const std::string blocker = tree.make_file("blocker");
    // The destination's folder would have to be created below a file.
    const std::string destination = blocker + "\\sub\\dest.txt";
    {
        x_DeferredFileOps ops;
        ops.queue_move(source.c_str(), destination.c_str());
    }
    EXPECT_EQ(x_TempTree::content(source), "precious");
    EXPECT_FALSE(exists(destination));
}

TEST_F(DeferredOps, CopyFileRespectsFailIfExists) {
    const std::string source = tree.make_file("a.txt", "new");
    const std::string destination = tree.make_file("b.txt", "old");
    EXPECT_FALSE(copy_file(source, destination, true));
    EXPECT_EQ(x_TempTree::content(destination), "old");
    EXPECT_TRUE(copy_file(source, destination, false));
    EXPECT_EQ(x_TempTree::content(destination), "new");
    EXPECT_FALSE(copy_file(tree.path("missing.txt"), tree.path("c.txt"), false));
    EXPECT_FALSE(exists(tree.path("c.txt")));
}

TEST_F(DeferredOps, FolderIsEmptyIgnoresDotEntries) {
    const std::string folder = tree.make_folder("dir");
    EXPECT_TRUE(folder_is_empty(folder));
    EXPECT_TRUE(folder_is_empty(folder + "\\"));
    tree.make_folder("dir\\sub");
    EXPECT_FALSE(folder_is_empty(folder));
}

// A random tree of folders and files, a random subset of it queued in a
// random order and spelling; after the delete pass exactly the queued files
// and the queued folders whose whole contents went are gone.
struct x_Node {
    std::string relative;
    bool folder = false;
    std::vector<std::size_t> children;
};

void grow(std::mt19937& random, const x_TempTree& tree, std::vector<x_Node>& nodes,
          std::size_t parent, int depth) {
    std::uniform_int_distribution<int> files(0, 3);
    std::uniform_int_distribution<int> folders(0, depth < 3 ? 2 : 0);
    const std::string base = nodes[parent].relative.empty() ? "" : nodes[parent].relative + "\\";
    const int file_count = files(random);
    for (int i = 0; i < file_count; ++i) {
        nodes.push_back({base + "f" + std::to_string(i) + ".txt", false, {}});
        tree.make_file(nodes.back().relative);
        nodes[parent].children.push_back(nodes.size() - 1);
    }
    const int folder_count = folders(random);
    for (int i = 0; i < folder_count; ++i) {
        nodes.push_back({base + "d" + std::to_string(i), true, {}});
        tree.make_folder(nodes.back().relative);
        const std::size_t index = nodes.size() - 1;
        nodes[parent].children.push_back(index);
        grow(random, tree, nodes, index, depth + 1);
    }
}

std::string spelling(std::mt19937& random, const std::string& path, bool folder) {
    std::string spelled = path;
    if (random() % 4 == 0) std::replace(spelled.begin(), spelled.end(), '\\', '/');
    if (folder && random() % 3 == 0) spelled += (random() % 2 == 0) ? "\\" : "/";
    return spelled;
}

TEST_F(DeferredOps, DeletePassRemovesExactlyWhatBecameRemovable) {
    for (unsigned seed = 1; seed <= 24; ++seed) {
        std::mt19937 random(seed);
        const std::string top = std::string("t").append(std::to_string(seed));
        tree.make_folder(top);
        std::vector<x_Node> nodes{{top, true, {}}};
        grow(random, tree, nodes, 0, 0);

        std::vector<bool> queued(nodes.size());
        x_StringList queue;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            queued[i] = random() % 2 == 0;
            if (!queued[i]) continue;
            const int copies = random() % 5 == 0 ? 2 : 1;
            for (int c = 0; c < copies; ++c) {
                queue.push_back(spelling(random, tree.path(nodes[i].relative), nodes[i].folder));
            }
        }
        queue.push_back(tree.path(top + "\\not-there.txt"));
        std::shuffle(queue.begin(), queue.end(), random);

        // What should go: a queued file; a queued folder whose children all go.
        std::vector<bool> removed(nodes.size());
        std::function<bool(std::size_t)> goes = [&](std::size_t i) {
            bool all = true;
            for (std::size_t child : nodes[i].children) all = goes(child) && all;
            removed[i] = queued[i] && (!nodes[i].folder || all);
            return removed[i];
        };
        goes(0);

        x_DeferredFileOps ops;
        for (std::size_t i = 0; i < queue.size(); ++i) {
            if (i % 3 == 0) {
                ops.queue_delete(queue[i].c_str());
            } else if (i % 3 == 1) {
                ops.queue_delete_string(queue[i]);
            } else {
                ops.queue_delete_list({queue[i]});
            }
        }
        ops.run_deletes();
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            EXPECT_EQ(exists(tree.path(nodes[i].relative)), !removed[i])
                << "seed " << seed << ": " << nodes[i].relative;
        }
    }
}

// The process-wide queue as the program keeps it: a function-level static
// whose destruction at exit carries out what is still queued.
x_DeferredFileOps& process_queue() {
    static x_DeferredFileOps queue;
    return queue;
}

// The same on every run of this binary: the death test runs the test again
// from its start in a new process.
std::string exit_test_folder() {
    const std::size_t binary = std::hash<std::string>{}(platform::process().module_file_name());
    std::string temp = platform::process().temp_path();
    if (!temp.empty() && temp.back() != '\\' && temp.back() != '/') temp += '\\';
    return temp + "sbtest_exit_" + std::to_string(binary % 1000000007ULL);
}

TEST(DeferredOpsAtExit, ProcessWideQueueIsCarriedOutAtExit) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string folder = exit_test_folder();
    x_TempTree::remove_tree(folder);
    platform::files().make_folder(folder);
    const std::string deleted = folder + "\\deleted.txt";
    const std::string source = folder + "\\source.txt";
    const std::string moved_to = folder + "\\moved\\source.txt";
    for (const std::string& path : {deleted, source}) {
        if (std::FILE* file = platform::files().open_file(path, "wb")) {
            platform::files().close_file(file);
        }
    }
    ASSERT_TRUE(exists(deleted));
    EXPECT_EXIT(
        {
            process_queue().queue_delete(deleted.c_str());
            process_queue().queue_move(source.c_str(), moved_to.c_str());
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(exists(deleted));
    EXPECT_FALSE(exists(source));
    EXPECT_TRUE(exists(moved_to));
    x_TempTree::remove_tree(folder);
}

}  // namespace
