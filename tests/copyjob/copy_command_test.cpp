#include "copyjob/copy_command.h"

#include <gtest/gtest.h>

namespace {

TEST(CopyCommand, NewJobHasTheDefaultOptionSet) {
    x_CopyCommand job;
    EXPECT_EQ(job.get_exclude_files(), " mfc*.tmp  Thumbs.db ");
    EXPECT_EQ(job.get_exclude_files().size(), 21u);
    EXPECT_TRUE(job.rc_use_exclude_files);
    EXPECT_EQ(job.get_exclude_dirs(), "");
    EXPECT_EQ(job.get_retries(), 3);
    EXPECT_EQ(job.get_wait_seconds(), 5);
    EXPECT_EQ(job.get_min_size(), 0u);
    EXPECT_EQ(job.get_max_size(), 1099511627776ULL);
    EXPECT_EQ(job.get_max_age(), 19700101u);
    EXPECT_EQ(job.get_min_age(), 0u);
    EXPECT_EQ(job.get_tool(), "");
    EXPECT_FALSE(job.is_xcopy());
    EXPECT_FALSE(job.is_robocopy());
    EXPECT_TRUE(job.get_script_text().empty());
    EXPECT_TRUE(job.xc_subfolders && job.xc_newer_only && job.xc_folder_target && job.xc_no_prompt);
    EXPECT_TRUE(job.rc_subfolders && job.rc_purge && job.rc_fat_times && job.rc_exclude_older);
    EXPECT_FALSE(job.xc_list_only || job.rc_list_only || job.rc_mirror || job.pause_at_end);
}

TEST(CopyCommand, SharedSwitchesSetBothToolsOthersOnlyTheirOwn) {
    x_CopyCommand job;
    EXPECT_TRUE(job.set_list_only(true));
    EXPECT_TRUE(job.rc_list_only && job.xc_list_only);
    EXPECT_TRUE(job.set_subfolders(false));
    EXPECT_FALSE(job.rc_subfolders || job.xc_subfolders);
    const bool purge = job.rc_purge;
    EXPECT_TRUE(job.set_mirror(true));
    EXPECT_TRUE(job.rc_mirror);
    EXPECT_EQ(job.rc_purge, purge);
    EXPECT_TRUE(job.xc_newer_only);
}

TEST(CopyCommand, ToolQueriesMatchTheWholeNameInAnyCase) {
    x_CopyCommand job;
    job.use_xcopy();
    EXPECT_TRUE(job.is_xcopy());
    EXPECT_FALSE(job.is_robocopy());
    job.use_robocopy();
    EXPECT_TRUE(job.is_robocopy());
    EXPECT_FALSE(job.is_xcopy());
    job.tool = "RoboCopy";
    EXPECT_EQ(job.get_tool(), "robocopy");
    EXPECT_TRUE(job.is_robocopy());
    for (const char* other : {"robocopy.exe", " xcopy", "xcopy ", "x"}) {
        job.tool = other;
        EXPECT_FALSE(job.is_xcopy() || job.is_robocopy()) << other;
    }
}

TEST(CopyCommand, AppendingToExclusionListsAddsNoSeparator) {
    x_CopyCommand job;
    job.set_exclude_files("");
    job.add_exclude_files(" Thumbs.db ");
    job.add_exclude_files(" Thumbs.db ");
    EXPECT_EQ(job.get_exclude_files(), " Thumbs.db  Thumbs.db ");
    job.add_exclude_dirs("a");
    job.add_exclude_dirs("b");
    EXPECT_EQ(job.get_exclude_dirs(), "ab");
}

TEST(CopyCommand, CopySharesNothingWithItsOriginal) {
    x_CopyCommand original;
    original.script_text = "rem script";
    original.set_source("C:\\src");
    original.set_max_size(7);
    original.set_pause_at_end(true);
    original.xc_no_prompt = false;

    x_CopyCommand copy(original);
    EXPECT_EQ(copy.get_script_text(), "rem script");
    EXPECT_EQ(copy.get_source(), "C:\\src");
    EXPECT_EQ(copy.get_max_size(), 7u);
    EXPECT_TRUE(copy.get_pause_at_end());
    EXPECT_FALSE(copy.xc_no_prompt);

    copy.script_text = "rem other";
    copy.set_source("D:\\");
    copy.add_exclude_files(" *.bak ");
    EXPECT_EQ(original.get_script_text(), "rem script");
    EXPECT_EQ(original.get_source(), "C:\\src");
    EXPECT_EQ(original.get_exclude_files(), " mfc*.tmp  Thumbs.db ");
}

}  // namespace
