#include "verify/folder_check.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/fake_services.h"
#include "compose/backup_paths.h"
#include "copyjob/copy_command.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "support/job_surroundings.h"
#include "util/paths.h"
#include "util/wide_text.h"
#include "verify/copy_rule.h"
#include "verify/file_pairs.h"

namespace {

using platform::x_WideEntry;
using testing_support::x_TempTree;

x_CopyCommand job_of(const char* tool) {
    x_CopyCommand job;
    job.tool = tool;
    job.set_max_size(std::uint64_t{1} << 32);
    job.set_use_max_size(true);
    return job;
}

x_WideEntry entry(const char16_t* name, std::uint32_t attributes, std::uint64_t size = 1) {
    return {name, attributes, size, 0};
}

// What each tool takes by the switches the program gives it: xcopy without
// /h neither copies nor searches hidden or system entries; robocopy takes
// them but leaves out its /xf patterns, files above /max and junctions.
TEST(CopyRule, EachToolTakesWhatItsSwitchesSay) {
    x_CopyCommand xcopy_job = job_of("xcopy");
    x_CopyCommand robocopy_job = job_of("robocopy");
    const x_CopyRule xcopy(xcopy_job);
    const x_CopyRule robocopy(robocopy_job);
    struct Case {
        x_WideEntry entry;
        bool xcopy;
        bool robocopy;
    };
    const Case files[] = {
        {entry(u"a.txt", 0x20), true, true},
        {entry(u".profile", 0x22), false, true},
        {entry(u"pagefile", 0x24), false, true},
        {entry(u"THUMBS.DB", 0x20), true, false},
        {entry(u"mfc42.TMP", 0x20), true, false},
        {entry(u"mfc.tmp.txt", 0x20), true, true},
        // Where the job carries the drive's limit (FAT32), xcopy cannot
        // write the file either.
        {entry(u"film.mkv", 0x20, (std::uint64_t{1} << 32) + 1), false, false},
    };
    for (const Case& c : files) {
        EXPECT_EQ(xcopy.selects(c.entry), c.xcopy) << c.entry.size;
        EXPECT_EQ(robocopy.selects(c.entry), c.robocopy) << c.entry.size;
    }
    const Case folders[] = {
        {entry(u"Sub", 0x10), true, true},
        {entry(u"Hidden", 0x12), false, true},
        {entry(u"My Music", 0x416), false, false},
    };
    for (const Case& c : folders) {
        EXPECT_EQ(xcopy.enters(c.entry), c.xcopy);
        EXPECT_EQ(robocopy.enters(c.entry), c.robocopy);
    }
    EXPECT_TRUE(matches_pattern(u"Report 2024.DOCX", u"r*?.docx"));
    EXPECT_FALSE(matches_pattern(u"Report.doc", u"*.docx"));
}

// FAT keeps times to two seconds. xcopy /d takes a copy as new as its
// source for done whatever its size: such a copy is damaged for good.
TEST(CopyRule, CopiesAreJudgedBySizeAndTimeAsTheToolsJudgeThem) {
    x_CopyCommand xcopy_job = job_of("xcopy");
    x_CopyCommand robocopy_job = job_of("robocopy");
    const x_CopyRule xcopy(xcopy_job);
    const x_CopyRule robocopy(robocopy_job);
    const std::int64_t t = 133000000000000000;
    struct Case {
        std::uint64_t copy_size;
        std::int64_t copy_written;
        bool complete;
        bool xcopy_copies;
        bool robocopy_copies;
    };
    const Case cases[] = {
        {100, t, true, false, false},
        {100, t - 1, true, true, false},
        {100, t - two_seconds, true, true, false},
        {100, t - two_seconds - 1, false, true, true},
        {40, t, false, false, true},
        {0, t + two_seconds * 5, false, false, false},
    };
    const x_WideEntry source{u"f", 0x20, 100, t};
    for (const Case& c : cases) {
        const x_WideEntry copy{u"f", 0x20, c.copy_size, c.copy_written};
        SCOPED_TRACE(std::to_string(c.copy_size) + " " + std::to_string(c.copy_written - t));
        EXPECT_EQ(is_complete_copy(source, copy), c.complete);
        EXPECT_EQ(xcopy.would_copy(source, &copy), c.xcopy_copies);
        EXPECT_EQ(robocopy.would_copy(source, &copy), c.robocopy_copies);
    }
    EXPECT_TRUE(xcopy.would_copy(source, nullptr));
}

// A name the program's code page may not hold, made through UTF-16.
void make_named_file(const std::u16string& path, const std::string& content) {
#ifdef _WIN32
    std::FILE* file = ::_wfopen(reinterpret_cast<const wchar_t*>(path.c_str()), L"wb");
#else
    std::string host = from_utf16(platform::code_page_utf8, path, false).value_or("");
    for (char& byte : host) byte = byte == '\\' ? '/' : byte;
    std::FILE* file = std::fopen(host.c_str(), "wb");
#endif
    ASSERT_NE(file, nullptr);
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
}

// A folder with an album in Japanese beside plain files, backed up to a
// stick of the test's own, as the copy tool would have left it.
class FolderCheck : public ::testing::Test {
protected:
    FolderCheck() : console_guard_(console) {
        job.use_xcopy();
        job.set_source(temp.make_folder("Docs"));
        job.set_destination(temp.make_folder("stick") + "\\_Backup_");
        copy_root = ansi_to_utf16(copy_paths(job).to);
        temp.make_folder("Docs\\Album");
        create_folders(copy_paths(job).to + "\\Album");
        for (const std::u16string& name : names) {
            make_named_file(child_path(source_root(), name), "content of a file");
            make_named_file(child_path(copy_root, name), "content of a file");
        }
        make_named_file(child_path(source_root(), u".hidden"), "not for xcopy");
    }

    std::u16string source_root() { return ansi_to_utf16(job.get_source()); }
    void set_written(const std::u16string& name, std::int64_t written, bool copy) {
        platform::wide_files().set_written(child_path(copy ? copy_root : source_root(), name),
                                           written);
    }

    testing_support::x_JobSurroundings surroundings{"5.1.2600.0"};
    x_TempTree& temp = surroundings.temp;
    testing_app::x_CapturedConsole console;
    x_CopyCommand job;
    std::u16string copy_root;
    const std::u16string album = u"Album\\\u30C9\u30AD\u30E5\u8868.jpg";
    const std::u16string names[3] = {u"a.txt", u"b.txt", album};
    const std::int64_t past = 130000000000000000;

private:
    platform::x_Substitute<platform::x_ConsoleService> console_guard_;
};

// A file written to while it was copied is said, but not held against it.
TEST_F(FolderCheck, CompleteCopyIsConfirmedWithItsFileCount) {
    for (const std::u16string& name : names) set_written(name, past, false);
    for (const std::u16string& name : names) set_written(name, past, true);
    x_FolderCheck check(job, temp.path("stick"));
    EXPECT_TRUE(check.has_room());
    check.copy_starts();
    EXPECT_EQ(check.confirm(), std::optional<std::size_t>(3)) << console.err;
    EXPECT_EQ(console.err, "");

    make_named_file(child_path(source_root(), u"a.txt"), "a newer text");
    EXPECT_EQ(check.confirm(), std::optional<std::size_t>(3)) << console.err;
    // The program's own notices (a lost argument list) may follow.
    EXPECT_EQ(console.err.rfind("Changed during the backup: " + job.get_source() +
                                    " - 1 file was written to while it was copied, the first "
                                    "a.txt; the next run copies it again\n",
                                0),
              0u)
        << console.err;
}

// One copy missing, one cut short by a full drive with the source's time:
// both named, the first with why where it can be told; the cut one dated
// back so that xcopy /d takes it again, the others left alone.
TEST_F(FolderCheck, MissingAndDamagedCopiesAreNamedAndTheDamagedOneIsMended) {
    for (const std::u16string& name : names) set_written(name, past, false);
    set_written(album, past, true);
    platform::wide_files().remove_file(child_path(copy_root, u"a.txt"));
    make_named_file(child_path(copy_root, u"b.txt"), "cut");
    set_written(u"b.txt", past, true);
    std::FILE* held = platform::files().open_file(job.get_source() + "\\a.txt", "rb",
                                                  platform::x_Sharing::nobody);
    x_FolderCheck check(job, temp.path("stick"));
    check.copy_starts();
    EXPECT_EQ(check.confirm(), std::nullopt);
    platform::files().close_file(held);
    EXPECT_NE(console.err.find("Not backed up completely: " + job.get_source() +
                               " - 2 of 3 files are missing or differ on "),
              std::string::npos)
        << console.err;
    EXPECT_NE(console.err.find("; the first: a.txt (missing, held open by another program)\n"),
              std::string::npos)
        << console.err;
    x_WideEntry mended;
    ASSERT_TRUE(platform::wide_files().entry_of(child_path(copy_root, u"b.txt"), mended));
    EXPECT_LT(mended.written, past);
    x_WideEntry kept;
    ASSERT_TRUE(platform::wide_files().entry_of(child_path(copy_root, album), kept));
    EXPECT_EQ(kept.written, past);
}

// A file the drive cannot take is named, and not counted as missing.
TEST_F(FolderCheck, FilesAboveTheDrivesLimitAreNamedNotMissed) {
    job.set_max_size(17);
    job.set_use_max_size(true);
    make_named_file(child_path(source_root(), u"film.mkv"), "eighteen bytes ...");
    for (const std::u16string& name : names) set_written(name, past, false);
    for (const std::u16string& name : names) set_written(name, past, true);
    x_FolderCheck check(job, temp.path("stick"));
    check.copy_starts();
    EXPECT_EQ(check.confirm(), std::optional<std::size_t>(3)) << console.err;
    const std::string line = "Left out for its size: " + job.get_source() +
                             "\\film.mkv - larger than a file on " + temp.path("stick") +
                             " can be\n";
    EXPECT_EQ(console.err.rfind(line, 0), 0u) << console.err;
}

class x_SmallStick : public platform::x_WideFileService {
public:
    bool free_space(const std::u16string&, std::uint64_t& free_bytes,
                    std::uint32_t& cluster_bytes) override {
        free_bytes = 4096;
        cluster_bytes = 4096;
        return true;
    }
};

// Each file takes a whole cluster: two new files do not fit in one.
TEST_F(FolderCheck, CopyThatCannotFitIsNotStarted) {
    platform::wide_files().remove_file(child_path(copy_root, u"a.txt"));
    platform::wide_files().remove_file(child_path(copy_root, u"b.txt"));
    x_SmallStick stick;
    platform::x_Substitute<platform::x_WideFileService> guard(stick);
    x_FolderCheck check(job, "E:");
    EXPECT_FALSE(check.has_room());
    EXPECT_NE(console.err.find("Not backed up: " + job.get_source() +
                               " - it needs 8.0 KB on E:, which has 4.0 KB free\n"),
              std::string::npos)
        << console.err;
}

}  // namespace
