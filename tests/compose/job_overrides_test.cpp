// A job derived from the copy job that answers its own paths, file filter
// and switches: what is composed for it must come from its getters, never
// from the fields they would otherwise read.
#include <gtest/gtest.h>

#include <string>

#include "copyjob/copy_command.h"

namespace {

class x_RedirectedJob : public x_CopyCommand {
public:
    std::string get_source() override { return "D:\\Photos"; }
    std::string get_destination() override { return "F:\\_Backup_"; }
    std::string get_files() override { return "*.jpg"; }
    std::string get_extra_switches() override { return "/z"; }
};

x_RedirectedJob redirected_job() {
    x_RedirectedJob job;
    job.set_source("C:\\Data");
    job.set_destination("E:\\_Backup_");
    return job;
}

TEST(JobOverrides, CommandLinesComeFromTheGetters) {
    x_RedirectedJob job = redirected_job();
    job.use_robocopy();
    EXPECT_EQ(job.build_command_line(),
              "robocopy \"D:\\Photos\" \"F:\\_Backup_\\D\\Photos\" *.jpg /s /purge /fft /r:3 /w:5 "
              "/xo /xjd /xf  mfc*.tmp  Thumbs.db  /z");
    job.use_xcopy();
    EXPECT_EQ(job.build_command_line(), "xcopy \"D:\\Photos\" \"F:\\_Backup_\\D\\Photos\" /z");
}

TEST(JobOverrides, ScriptNameComesFromTheGetters) {
    x_RedirectedJob job = redirected_job();
    job.use_xcopy();
    EXPECT_EQ(job.script_file_name(), "xc_D__Photos_F___Backup__sdiy.bat");
}

}  // namespace
