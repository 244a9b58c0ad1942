// The robocopy stand-in of the whole-program tests against what Microsoft
// documents for the switches the program writes: if it copied more or less
// than robocopy, the whole-program tests on the robocopy path would prove
// nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/wide_files.h"
#include "support/temp_tree.h"
#include "tools/robocopy/robocopy.h"
#include "win32/other_program_hold.h"

namespace {

using testing_support::x_TempTree;

constexpr std::int64_t second = 10000000;
constexpr std::int64_t base_time = 132000000000000000;  // 2019

std::u16string wide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }
std::wstring wstr(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

// The folders src and dst, empty.
void make_roots(const x_TempTree& tree) {
    tree.make_folder("src");
    tree.make_folder("dst");
}

int run(const x_TempTree& tree, const std::vector<std::wstring>& switches) {
    std::vector<std::wstring> words{wstr(tree.path("src")), wstr(tree.path("dst"))};
    words.insert(words.end(), switches.begin(), switches.end());
    x_RobocopyLine line;
    EXPECT_EQ(read_line(words, line), L"");
    return run_robocopy(line, 1);
}

void make_dated(const x_TempTree& tree, const std::string& relative, const std::string& content,
                std::int64_t written) {
    tree.make_file(relative, content);
    platform::wide_files().set_written(wide(tree.path(relative)), written);
}

// One source file "f" against its copy, under the switches: whether the
// copy is written, and the exit code.
struct x_ClassCase {
    const char* what;
    std::string name;
    std::size_t source_size;
    std::int64_t source_apart;  // from the copy's time
    std::size_t copy_size;      // 0: no copy
    std::vector<std::wstring> switches;
    bool copied;
};

TEST(RobocopyStandIn, ClassesAndFiltersDecideWhatIsCopied) {
    const std::vector<std::wstring> ours{L"/s",     L"/purge", L"/fft",     L"/xo",      L"/xjd",
                                         L"/max:5", L"/xf",    L"mfc*.tmp", L"Thumbs.db"};
    const x_ClassCase cases[] = {
        {"new", "f", 3, 0, 0, {}, true},
        {"newer", "f", 3, second, 3, {}, true},
        {"older", "f", 3, -second, 3, {}, true},
        {"older with /xo", "f", 3, -second, 3, {L"/xo"}, false},
        {"same", "f", 3, 0, 3, {}, false},
        {"changed: same time, other size", "f", 3, 0, 4, {}, true},
        {"1 s apart without /fft", "f", 3, second, 3, {}, true},
        {"2 s apart with /fft", "f", 3, 2 * second, 3, {L"/fft"}, false},
        {"3 s apart with /fft", "f", 3, 3 * second, 3, {L"/fft"}, true},
        {"/max: at the limit", "f", 5, 0, 0, ours, true},
        {"/max: above the limit", "f", 6, 0, 0, ours, false},
        {"/xf in any case", "MFC4.TMP", 3, 0, 0, ours, false},
        {"/xf, second pattern", "thumbs.DB", 3, 0, 0, ours, false},
        {"/xf: no match", "mfc.tmp.txt", 3, 0, 0, ours, true},
        {"/xf with ?", "a1c", 3, 0, 0, {L"/xf", L"a?c"}, false},
        {"/xf: ? is one character", "a12c", 3, 0, 0, {L"/xf", L"a?c"}, true},
    };
    for (const x_ClassCase& c : cases) {
        SCOPED_TRACE(c.what);
        x_TempTree tree;
        make_roots(tree);
        const std::string source(c.source_size, 's');
        const std::string old_copy(c.copy_size, 'c');
        make_dated(tree, "src\\" + c.name, source, base_time + c.source_apart);
        if (c.copy_size != 0) make_dated(tree, "dst\\" + c.name, old_copy, base_time);
        EXPECT_EQ(run(tree, c.switches), c.copied ? robocopy_copied : 0);
        EXPECT_EQ(x_TempTree::content(tree.path("dst\\" + c.name)), c.copied ? source : old_copy);
    }
}

TEST(RobocopyStandIn, HiddenAndSystemFilesAndSubfoldersOnlyWithS) {
    x_TempTree tree;
    make_roots(tree);
    tree.make_folder("src\\sub");
    tree.remove_tree(tree.path("dst"));
    tree.make_file("src\\sub\\inner.txt");
    const std::string hidden = tree.make_file("src\\hidden.sys");
    platform::files().set_attributes(hidden,
                                     platform::attribute_hidden | platform::attribute_system);
    EXPECT_EQ(run(tree, {}), robocopy_copied);
    EXPECT_TRUE(x_TempTree::exists(tree.path("dst\\hidden.sys")));
    EXPECT_FALSE(x_TempTree::exists(tree.path("dst\\sub")));
    EXPECT_EQ(run(tree, {L"/s"}), robocopy_copied);
    EXPECT_EQ(x_TempTree::content(tree.path("dst\\sub\\inner.txt")), "x");
}

// A file facing a folder of its name is a mismatch, left as it is.
TEST(RobocopyStandIn, ExtrasAreCountedAndPurgedExceptExcludedOnes) {
    x_TempTree tree;
    make_roots(tree);
    tree.make_file("src\\kept.txt");
    tree.make_file("src\\both");
    tree.make_folder("dst\\both");
    tree.make_folder("dst\\gone");
    tree.make_folder("dst\\gone\\deeper");
    tree.make_file("dst\\gone\\deeper\\old.txt");
    tree.make_file("dst\\gone.txt");
    tree.make_file("dst\\Thumbs.db");
    EXPECT_EQ(run(tree, {L"/s"}), robocopy_copied | robocopy_extras | robocopy_mismatches);
    EXPECT_TRUE(x_TempTree::exists(tree.path("dst\\gone.txt")));
    EXPECT_EQ(run(tree, {L"/s", L"/purge", L"/xf", L"thumbs.db"}),
              robocopy_extras | robocopy_mismatches);
    EXPECT_FALSE(x_TempTree::exists(tree.path("dst\\gone.txt")));
    EXPECT_FALSE(x_TempTree::exists(tree.path("dst\\gone")));
    EXPECT_TRUE(x_TempTree::exists(tree.path("dst\\Thumbs.db")));
    EXPECT_TRUE(x_TempTree::exists(tree.path("dst\\both")));
    EXPECT_TRUE(x_TempTree::exists(tree.path("dst\\kept.txt")));
}

// Its old copy stays whole while the source cannot be read.
TEST(RobocopyStandIn, HeldFileIsRetriedThenFailsAndTheRestIsCopied) {
    x_TempTree tree;
    make_roots(tree);
    tree.make_file("src\\free.txt");
    const std::string held = tree.make_file("src\\held.txt", "new");
    make_dated(tree, "dst\\held.txt", "old copy", base_time);
    ASSERT_TRUE(testing_support::hold_in_other_process(held, 0));
    EXPECT_EQ(run(tree, {L"/r:2", L"/w:1"}), robocopy_copied | robocopy_failures);
    tree.make_file("src\\held.txt.let_go");
    EXPECT_TRUE(x_TempTree::exists(tree.path("dst\\free.txt")));
    EXPECT_EQ(x_TempTree::content(tree.path("dst\\held.txt")), "old copy");
    EXPECT_TRUE(testing_support::released_by_other_process(held));
}

TEST(RobocopyStandIn, WhatItCannotDoEndsItAsFatal) {
    x_TempTree tree;
    const struct {
        std::vector<std::wstring> words;
        std::wstring refused;
    } lines[] = {
        {{L"C:\\src"}, L"(a source and a destination)"},
        {{L"C:\\src", L"D:\\dst", L"/mir"}, L"/mir"},
        {{L"C:\\src", L"D:\\dst", L"*.txt", L"/s"}, L"*.txt"},
        {{L"C:\\src", L"D:\\dst", L"/r:x"}, L"/r:x"},
        {{L"C:\\src", L"D:\\dst", L"/max:"}, L"/max:"},
        {{L"C:\\src", L"D:\\dst", L"/S", L"/XF", L"a", L"b", L"/xD", L"c"}, L"/xD"},
    };
    for (const auto& line : lines) {
        x_RobocopyLine read;
        EXPECT_EQ(read_line(line.words, read), line.refused);
    }
    x_RobocopyLine missing;
    read_line({wstr(tree.path("none")), wstr(tree.path("dst"))}, missing);
    EXPECT_EQ(run_robocopy(missing, 1), robocopy_fatal);
    EXPECT_FALSE(x_TempTree::exists(tree.path("dst")));
}

}  // namespace
