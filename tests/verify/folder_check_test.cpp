#include "verify/folder_check.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/fake_services.h"
#include "compose/backup_paths.h"
#include "copyjob/copy_command.h"
#include "fileops/wildcard.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "support/job_surroundings.h"
#include "util/paths.h"
#include "util/wide_text.h"
#include "verify/copy_rule.h"
#include "verify/file_pairs.h"
#include "verify/version_retention.h"
#include "verify/versions.h"

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

std::u16string key(const std::u16string& name) { return platform::wide_files().case_key(name); }

// What each tool takes by the switches the program gives it: xcopy without
// /h neither copies nor searches hidden or system entries, and follows
// folder links; robocopy takes them but leaves out its /xf patterns (in any
// case, as Windows compares names), files above /max and folder links.
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
        {entry(u"Linked", 0x410), true, false},
    };
    for (const Case& c : folders) {
        EXPECT_EQ(xcopy.enters(c.entry), c.xcopy);
        EXPECT_EQ(robocopy.enters(c.entry), c.robocopy);
    }
    EXPECT_TRUE(matches_wildcard(key(u"Report 2024.DOCX"), key(u"r*?.docx"), copy_tool_wildcards));
    EXPECT_FALSE(matches_wildcard(key(u"Report.doc"), key(u"*.docx"), copy_tool_wildcards));
    EXPECT_TRUE(matches_wildcard(key(u"\u00E4rger.txt"), key(u"\u00C4*.TXT"), copy_tool_wildcards));
    EXPECT_TRUE(matches_wildcard(key(u"\u0444\u0430\u0439\u043B"), key(u"\u0424\u0410\u0419\u041B"),
                                 copy_tool_wildcards));
}

// FAT keeps times to two seconds, rounded: a copy 2 s older is another
// one. xcopy /d takes a copy as new as its source for done whatever its
// size: one cut short with its source's time is damaged for good; one of
// another size and newer is another version of the file.
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
        bool cut_short;
        bool xcopy_copies;
        bool robocopy_copies;
    };
    const Case cases[] = {
        {100, t, true, false, false, false},
        {100, t - 1, true, false, true, false},
        {100, t - two_seconds + 1, true, false, true, false},
        {100, t - two_seconds, false, false, true, false},
        {100, t - two_seconds - 1, false, false, true, true},
        {40, t, false, true, false, true},
        {40, t + two_seconds - 1, false, true, false, true},
        {40, t - two_seconds + 1, false, true, true, true},
        {40, t - two_seconds * 5, false, false, true, true},
        {0, t + two_seconds * 5, false, false, false, false},
    };
    const x_WideEntry source{u"f", 0x20, 100, t};
    for (const Case& c : cases) {
        const x_WideEntry copy{u"f", 0x20, c.copy_size, c.copy_written};
        SCOPED_TRACE(std::to_string(c.copy_size) + " " + std::to_string(c.copy_written - t));
        EXPECT_EQ(is_complete_copy(source, copy), c.complete);
        EXPECT_EQ(is_cut_short(source, copy), c.cut_short);
        EXPECT_EQ(xcopy.would_copy(source, &copy), c.xcopy_copies);
        EXPECT_EQ(robocopy.would_copy(source, &copy), c.robocopy_copies);
    }
    EXPECT_TRUE(xcopy.would_copy(source, nullptr));
}

// What is moved aside before the tool runs: what it writes over (not a
// copy it cut short, which holds nothing worth keeping), a newer version it
// would pass over, and what robocopy's cleaning removes; never a copy left
// as it is.
TEST(Versions, WhatTheToolWritesOverOrRemovesIsMovedAside) {
    x_CopyCommand xcopy_job = job_of("xcopy");
    x_CopyCommand robocopy_job = job_of("robocopy");
    const std::int64_t t = 133000000000000000;
    const x_WideEntry source{u"f", 0x20, 100, t};
    struct Case {
        const char16_t* relative;
        bool has_copy;
        x_WideEntry copy;
    };
    const Case cases[] = {
        {u"same", true, {u"f", 0x20, 100, t}},
        {u"changed", true, {u"f", 0x20, 90, t - two_seconds * 5}},
        {u"new", false, {}},
        {u"cut", true, {u"f", 0x20, 40, t}},
        {u"newer", true, {u"f", 0x20, 120, t + two_seconds * 5}},
    };
    x_TreePairs pairs;
    for (const Case& c : cases) pairs.files.push_back({c.relative, source, c.has_copy, c.copy});
    pairs.stale = {{u"gone.txt", 5}, {u"Old\\x.txt", 5}};
    const std::vector<std::u16string> by_xcopy{u"changed", u"newer"};
    const std::vector<std::u16string> by_robocopy{u"changed", u"newer", u"gone.txt", u"Old\\x.txt"};
    EXPECT_EQ(copies_to_keep(pairs, x_CopyRule(xcopy_job)), by_xcopy);
    EXPECT_EQ(copies_to_keep(pairs, x_CopyRule(robocopy_job)), by_robocopy);
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

// A file written to while it was copied is excused while its copy is on
// the drive; one that was not there before the copy, whatever its date,
// came during the backup. A file changed but never copied is missing.
TEST_F(FolderCheck, CompleteCopyIsConfirmedWithItsFileCount) {
    for (const std::u16string& name : names) set_written(name, past, false);
    for (const std::u16string& name : names) set_written(name, past, true);
    x_FolderCheck check(job, temp.path("stick"));
    EXPECT_TRUE(check.before_copy().may_start());
    check.copy_starts();
    x_CopyFindings findings = check.confirm();
    EXPECT_TRUE(findings.complete());
    EXPECT_EQ(findings.files, 3u);

    make_named_file(child_path(source_root(), u"a.txt"), "a newer text");
    make_named_file(child_path(source_root(), u"moved in.txt"), "an old file");
    set_written(u"moved in.txt", past, false);
    findings = check.confirm();
    EXPECT_TRUE(findings.complete());
    EXPECT_EQ(findings.changed, std::vector<std::u16string>{u"a.txt"});
    EXPECT_EQ(findings.added, std::vector<std::u16string>{u"moved in.txt"});

    platform::wide_files().remove_file(child_path(copy_root, u"a.txt"));
    findings = check.confirm();
    ASSERT_EQ(findings.short_files.size(), 1u);
    EXPECT_EQ(findings.short_files[0].relative, u"a.txt");
    EXPECT_EQ(findings.short_files[0].kind, x_ShortKind::missing);
}

// One copy missing, one cut short by a full drive with the source's time,
// one of another size and newer than its source (the user went back to an
// older version): all named, the first with why where it can be told; the
// cut one dated back, to a time FAT holds in every zone, so that xcopy /d
// takes it again; the newer one and the rest left as they are.
TEST_F(FolderCheck, OnlyCopiesCutShortAreMended) {
    for (const std::u16string& name : names) set_written(name, past, false);
    platform::wide_files().remove_file(child_path(copy_root, u"a.txt"));
    make_named_file(child_path(copy_root, u"b.txt"), "cut");
    set_written(u"b.txt", past, true);
    make_named_file(child_path(copy_root, album), "the newer version of the album");
    set_written(album, past + two_seconds * 100, true);
    std::FILE* held = platform::files().open_file(job.get_source() + "\\a.txt", "rb",
                                                  platform::x_Sharing::nobody);
    x_FolderCheck check(job, temp.path("stick"));
    check.copy_starts();
    const x_CopyFindings findings = check.confirm();
    platform::files().close_file(held);
    EXPECT_FALSE(findings.complete());
    ASSERT_EQ(findings.short_files.size(), 3u);
    EXPECT_EQ(findings.short_files[0].kind, x_ShortKind::kept_newer);
    EXPECT_EQ(findings.short_files[1].relative, u"a.txt");
    EXPECT_EQ(findings.short_files[1].why, "held open by another program");
    EXPECT_EQ(findings.short_files[2].kind, x_ShortKind::differs);
    EXPECT_FALSE(findings.short_files[2].mend_failed);
    x_WideEntry mended;
    ASSERT_TRUE(platform::wide_files().entry_of(child_path(copy_root, u"b.txt"), mended));
    EXPECT_EQ(mended.written, 119600928000000000);
    x_WideEntry kept;
    ASSERT_TRUE(platform::wide_files().entry_of(child_path(copy_root, album), kept));
    EXPECT_EQ(kept.written, past + two_seconds * 100);
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
    const x_CopyFindings findings = check.confirm();
    EXPECT_TRUE(findings.complete());
    EXPECT_EQ(findings.files, 3u);
    EXPECT_EQ(findings.too_large, std::vector<std::u16string>{u"film.mkv"});
}

// A changed file's copy and a newer version go to the run's versions
// folder under their paths, content and date as they were, so that the tool
// copies both sources afresh; the room asked for counts them in full. A
// second look with the copies in place moves nothing.
TEST_F(FolderCheck, ReplacedCopiesAreMovedIntoTheVersionsFirst) {
    for (const std::u16string& name : names) set_written(name, past, true);
    for (const std::u16string& name : names) set_written(name, past, false);
    make_named_file(child_path(source_root(), u"a.txt"), "the changed text");
    make_named_file(child_path(copy_root, album), "the newer version of the album");
    set_written(album, past + two_seconds * 100, true);
    const std::string run = temp.path("stick") + "\\_Backup_\\%versions\\run";
    x_FolderCheck check(job, temp.path("stick"));
    check.keep_versions_in(run);
    EXPECT_TRUE(check.before_copy().may_start());
    const std::vector<std::u16string> moved = check.move_aside();

    const std::u16string kept =
        ansi_to_utf16(run) + copy_root.substr(ansi_to_utf16(job.get_destination()).size());
    EXPECT_EQ(moved,
              (std::vector<std::u16string>{child_path(kept, album), child_path(kept, u"a.txt")}));
    x_WideEntry entry;
    EXPECT_FALSE(platform::wide_files().entry_of(child_path(copy_root, u"a.txt"), entry));
    ASSERT_TRUE(platform::wide_files().entry_of(child_path(kept, u"a.txt"), entry));
    EXPECT_EQ(entry.size, 17u);
    EXPECT_EQ(entry.written, past);
    ASSERT_TRUE(platform::wide_files().entry_of(child_path(kept, album), entry));
    EXPECT_EQ(entry.written, past + two_seconds * 100);
    EXPECT_TRUE(platform::wide_files().entry_of(child_path(copy_root, u"b.txt"), entry));

    x_FolderCheck again(job, temp.path("stick"));
    again.keep_versions_in(run + " (2)");
    again.before_copy();
    EXPECT_TRUE(again.move_aside().empty());
    EXPECT_FALSE(path_exists(run + " (2)"));
}

// Where a hostile stick's versions folder is a link, nothing moves through
// it: the copy stays where it is and is named as not kept.
class x_LinkedVersions : public platform::x_WideFileService {
public:
    bool entry_of(const std::u16string& path, x_WideEntry& entry) override {
        if (!x_WideFileService::entry_of(path, entry)) return false;
        if (path.ends_with(u"%versions")) entry.attributes |= platform::attribute_reparse_point;
        return true;
    }
};

TEST_F(FolderCheck, NothingIsMovedThroughALink) {
    for (const std::u16string& name : names) set_written(name, past, true);
    for (const std::u16string& name : names) set_written(name, past, false);
    make_named_file(child_path(source_root(), u"a.txt"), "the changed text");
    create_folders(temp.path("stick") + "\\_Backup_\\%versions");
    x_LinkedVersions linked;
    platform::x_Substitute<platform::x_WideFileService> guard(linked);
    x_FolderCheck check(job, temp.path("stick"));
    check.keep_versions_in(temp.path("stick") + "\\_Backup_\\%versions\\run");
    EXPECT_TRUE(check.before_copy().may_start());
    EXPECT_TRUE(check.move_aside().empty());
    x_WideEntry entry;
    EXPECT_TRUE(platform::wide_files().entry_of(child_path(copy_root, u"a.txt"), entry));
    const x_CopyFindings findings = check.confirm();
    ASSERT_EQ(findings.short_files.size(), 1u);
    EXPECT_EQ(findings.short_files[0].kind, x_ShortKind::not_kept);
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

// Each file takes a whole cluster: two new files do not fit in one. Where
// robocopy's /purge cleans the copy, the files of a folder the user renamed
// make room for the new ones.
TEST_F(FolderCheck, CopyThatCannotFitIsNotStarted) {
    platform::wide_files().remove_file(child_path(copy_root, u"a.txt"));
    platform::wide_files().remove_file(child_path(copy_root, u"b.txt"));
    x_SmallStick stick;
    platform::x_Substitute<platform::x_WideFileService> guard(stick);
    x_StartFindings start = x_FolderCheck(job, "E:").before_copy();
    EXPECT_FALSE(start.may_start());
    EXPECT_EQ(start.needed, 8192u);
    EXPECT_EQ(start.free, 4096u);

    job.use_robocopy();
    create_folders(copy_paths(job).to + "\\Old name");
    make_named_file(child_path(copy_root, u"Old name\\a.txt"), "stale");
    make_named_file(child_path(copy_root, u"Old name\\b.txt"), "stale");
    start = x_FolderCheck(job, "E:").before_copy();
    EXPECT_TRUE(start.may_start()) << start.needed;
}

// Each file removed frees its size; nothing else is free.
class x_FullStick : public platform::x_WideFileService {
public:
    bool remove_file(const std::u16string& path) override {
        platform::x_WideEntry entry;
        if (!entry_of(path, entry) || !x_WideFileService::remove_file(path)) return false;
        free += entry.size;
        return true;
    }
    bool free_space(const std::u16string&, std::uint64_t& free_bytes,
                    std::uint32_t& cluster_bytes) override {
        free_bytes = free;
        cluster_bytes = 1;
        return true;
    }
    std::uint64_t free = 0;
};

// Whole runs go, the oldest first, until the room is there; the run under
// way keeps its versions even when nothing else is left.
TEST_F(FolderCheck, OldestVersionsGiveWayForRoom) {
    const std::string stick = temp.path("stick");
    const std::string versions = stick + "\\_Backup_\\%versions";
    const char* const runs[] = {"2026-12-07 10.00.00", "2026-12-06 09.00.00", "2026-12-08 08.00.00",
                                "2026-12-08 09.00.00"};
    for (const char* run : runs) {
        create_folders(versions + "\\" + run + "\\C\\Docs");
        make_named_file(ansi_to_utf16(versions + "\\" + run + "\\C\\Docs\\a.txt"), "ten bytes!");
    }
    x_FullStick full;
    platform::x_Substitute<platform::x_WideFileService> guard(full);
    const auto remove = [&](std::uint64_t needed) {
        return remove_oldest_versions(ansi_to_utf16(stick + "\\"),
                                      ansi_to_utf16(stick + "\\_Backup_"),
                                      ansi_to_utf16(versions + "\\" + runs[2]), needed);
    };
    x_RemovedVersions removed = remove(15);
    EXPECT_EQ(removed.files, 2u);
    EXPECT_EQ(removed.bytes, 20u);
    EXPECT_EQ(removed.oldest_run, u"2026-12-06 09.00.00");
    EXPECT_EQ(removed.newest_run, u"2026-12-07 10.00.00");
    EXPECT_FALSE(path_exists(versions + "\\" + runs[0]));
    EXPECT_TRUE(path_exists(versions + "\\" + runs[3]));

    removed = remove(1000);
    EXPECT_EQ(removed.files, 1u);
    EXPECT_EQ(removed.oldest_run, u"2026-12-08 09.00.00");
    EXPECT_TRUE(path_exists(versions + "\\" + runs[2] + "\\C\\Docs\\a.txt"));
}

}  // namespace
