#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <utility>

#include "compose/backup_paths.h"
#include "copyjob/copy_command.h"
#include "platform/codepage.h"
#include "platform/drives.h"
#include "support/code_page_932_fixture.h"
#include "tests/support/code_page.h"
#include "util/path_split.h"
#include "util/strings.h"
#include "util/text_helpers.h"

namespace {

// M: stands for \\server\share; every other letter is a local disk.
class x_MappedDrive : public platform::x_DriveService {
public:
    unsigned drive_type(const std::string& root) override {
        return root == "M:" ? platform::drive_remote : platform::drive_fixed;
    }
    unsigned long network_connection(const std::string& local_name,
                                     std::string& remote_name) override {
        remote_name = local_name == "M:" ? "\\\\server\\share" : "";
        return remote_name.empty() ? 2250 : 0;
    }
};

TEST(BackupDestination, SharedBackupFolderReceivesTheWholeSourcePath) {
    struct Case {
        const char* source;
        const char* destination;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\Data\\Reports", "E:\\_Backup_", "E:\\_Backup_\\C\\Data\\Reports"},
        {"\\\\server\\share\\dir", "E:\\_Backup_", "E:\\_Backup_\\server\\share\\dir"},
        {"C:/Data//Reports/", "\"E:\\_BACKUP_\"", "E:\\_BACKUP_\\C\\Data\\Reports"},
        {"'C:\\Data'", "E:/_backup_", "E:\\_backup_\\C\\Data"},
        // One trailing separator does not hide the folder's name: without
        // this every source would land directly in E:\_Backup_.
        {"C:\\Data", "E:\\_Backup_\\", "E:\\_Backup_\\C\\Data"},
        {"C:\\Data", "\"E:\\Copies\\\"", "E:\\Copies\\"},
        {"C:\\Data", "E:\\_Backup_\\old", "E:\\_Backup_\\old"},
        {"C:\\Data", "E:\\_Backup_x", "E:\\_Backup_x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(backup_destination(c.source, c.destination), c.expected)
            << c.source << " -> " << c.destination;
    }
}

// A percent sign becomes a separator, and Windows does not keep the blank
// or dot that then ends a name ("X % Y" would make "X", or nothing). Such
// an end keeps a percent sign, which no other name below the backup
// folder can hold; every name that worked before stays as it was.
TEST(BackupDestination, NamesCutAtAPercentSignKeepTheirLastCharacter) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\X % Y", "E:\\_Backup_\\C\\X %\\ Y"},
        {"C:\\v2.%draft", "E:\\_Backup_\\C\\v2.%\\draft"},
        {"C:\\Plan %", "E:\\_Backup_\\C\\Plan %"},
        // No climbing out of the copy's own folder.
        {"C:\\a%..%b", "E:\\_Backup_\\C\\a\\..%\\b"},
        {"C:\\a\\%.%", "E:\\_Backup_\\C\\a\\.%"},
        // Unchanged: no blank or dot at a cut, or the source's own ending.
        {"C:\\100% Done", "E:\\_Backup_\\C\\100\\ Done"},
        {"C:\\%USERNAME% & Co", "E:\\_Backup_\\C\\USERNAME\\ & Co"},
        {"C:\\Notes. \\x", "E:\\_Backup_\\C\\Notes. \\x"},
    };
    for (const auto& [source, expected] : cases) {
        EXPECT_EQ(backup_destination(source, "E:\\_Backup_"), expected) << source;
    }
}

TEST(BackupDestination, MappedDriveBecomesItsNetworkNameFirst) {
    x_MappedDrive drives;
    platform::x_Substitute<platform::x_DriveService> guard(drives);
    EXPECT_EQ(to_unc_path("M:\\Docs\\x"), "\\\\server\\share\\Docs\\x");
    EXPECT_EQ(to_unc_path("M:"), "\\\\server\\share");
    for (const char* unchanged : {"C:\\Docs", "M", "", "\\\\other\\share"}) {
        EXPECT_EQ(to_unc_path(unchanged), unchanged);
    }

    x_CopyCommand job;
    job.use_xcopy();
    job.set_source("M:\\Docs");
    job.set_destination("E:\\_Backup_");
    EXPECT_EQ(job.build_command_line(),
              "xcopy \"\\\\server\\share\\Docs\" "
              "\"E:\\_Backup_\\server\\share\\Docs\" /s /d /i /y /c");
}

// 文書表 in code page 932: the second byte of 表 is a backslash.
const std::string documents = "C:\\users\\taro\\\x95\xB6\x8F\x91\x95\x5C";

void expect_every_byte_kept() {
    EXPECT_EQ(backup_destination(documents, "E:\\_Backup_"),
              "E:\\_Backup_\\C\\users\\taro\\\x95\xB6\x8F\x91\x95\x5C");
    x_CopyCommand job;
    job.use_xcopy();
    job.set_source(documents);
    job.set_destination("E:\\Copies");
    EXPECT_EQ(job.build_command_line(),
              "xcopy \"" + documents + "\" \"E:\\Copies\" /s /d /i /y /c");
}

TEST(BackupDestination, DoubleByteNameEndingInBackslashByteKeepsEveryByte) {
    testing_support::x_UseCodePage932 code_page;
    expect_every_byte_kept();
}

// The same under the process's real code page, when it is 932 (Wine with a
// Japanese locale); skipped elsewhere.
TEST(BackupDestinationCodePage932, RealCodePageKeepsEveryByte) {
    testing_support::x_UserLocale locale;
    if (platform::code_page().ansi_code_page() != 932) GTEST_SKIP() << "ANSI code page is not 932";
    expect_every_byte_kept();
}

// The words a tool gets from a batch line. The interpreter makes "%%" one
// percent sign (a lone one would start a variable: no words then); the C
// runtime then splits the line: blanks end words outside quotes, 2n
// backslashes before a quote are n and the quote opens or closes, 2n+1 are
// n and a literal quote. A double-byte character is taken whole.
std::optional<x_StringList> words_of_batch_line(const std::string& line) {
    x_StringList words(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        std::string& word = words.back();
        const std::size_t stop = line.find_first_not_of('\\', i);
        const std::size_t run = (stop == npos ? line.size() : stop) - i;
        if (is_lead_byte(line[i]) && i + 1 < line.size()) {
            word += line.substr(i++, 2);
        } else if (line[i] == '%') {
            if (i + 1 == line.size() || line[++i] != '%') return std::nullopt;
            word += '%';
        } else if (run > 0 && i + run < line.size() && line[i + run] == '"') {
            word += std::string(run / 2, '\\') + (run % 2 == 1 ? "\"" : "");
            quoted = run % 2 == 1 ? quoted : !quoted;
            i += run;
        } else if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == ' ' && !quoted) {
            if (!word.empty()) words.emplace_back();
        } else {
            word += line[i];
        }
    }
    return words;
}

// The rule as a user reads it: every colon, slash and percent sign becomes
// a backslash, runs of them collapse, and a name that a percent sign cut to
// end in a blank or a dot keeps the percent sign. Nothing left is "%".
std::string expected_destination(const std::string& source) {
    const std::string path = strip_quotes(source);
    std::string below;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (is_lead_byte(path[i]) && i + 1 < path.size()) {
            below += path.substr(i++, 2);
            continue;
        }
        const char last = below.empty() ? '\\' : last_char(below);
        if (path[i] == '%' && (last == ' ' || last == '.')) below += '%';
        if (std::string("\\/:%").find(path[i]) == npos) {
            below += path[i];
        } else if (last != '\\' || below.empty()) {
            if (!below.empty()) below += '\\';
        }
    }
    if (last_char(below) == '\\') below.pop_back();
    return "E:\\_Backup_\\" + (below.empty() ? "%" : below);
}

// The folder as Windows takes it from the source: trailing separators go,
// but a root keeps one.
std::string expected_source(const std::string& source) {
    std::string path = strip_quotes(source);
    const std::size_t length = path.size();
    while (path.size() > 1 && (last_char(path) == '\\' || last_char(path) == '/')) path.pop_back();
    const bool root = path.size() < length && path.size() == 2 && path[1] == ':';
    return root ? path + "\\" : path;
}

bool climbs(const std::string& path) {
    for (const std::string& folder : split_literally(path, "\\")) {
        if (folder == "." || folder == "..") return true;
    }
    return false;
}

std::string random_source(std::mt19937& random, bool double_byte) {
    static const char* const starts[] = {
        "C:\\", "d:/", "\\\\server\\share\\", "D:\\\\", "C:", "", "'C:\\", "\"C:\\"};
    static const char* const names[] = {
        "Data", "X ", "v2.", "'Tis", "'80s Hits",  "it's", "100%", "%",   "%%", "..",  ".",
        "...",  " ",  "&",   "^(1)", "%USERNAME%", "'",    "a.b",  "%..", ".%", "% .", "!x"};
    static const char* const double_byte_names[] = {"\x95\x5C", "\x83\x5C", "\x83\x7C", "\x82\xA0"};
    static const char* const separators[] = {"\\", "/", "\\\\"};
    const auto pick = [&](const auto& list) {
        return std::string(list[random() % std::size(list)]);
    };
    std::string source = pick(starts);
    const std::size_t count = random() % 6;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t parts = 1 + random() % 3;
        for (std::size_t k = 0; k < parts; ++k) {
            source += double_byte && random() % 3 == 0 ? pick(double_byte_names) : pick(names);
        }
        if (i + 1 < count || random() % 3 == 0) source += pick(separators);
    }
    if (source.front() == '\'' || source.front() == '"') source += source.front();
    return source;
}

// Over random sources: each path word reaches the tool as exactly the
// intended path, no destination climbs out of its place below the backup
// folder, and a source without "." or ".." pieces lands where the rule
// says, with or without apostrophes.
void expect_every_word_intended(bool double_byte) {
    std::mt19937 random(double_byte ? 932 : 1252);
    // Under Wine each line asks the system for drive types: 3 ms a line.
    for (int round = 0; round < 5000; ++round) {
        const std::string source = random_source(random, double_byte);
        SCOPED_TRACE(source);
        x_CopyCommand job;
        job.use_robocopy();
        job.set_source(source);
        job.set_destination("E:\\_Backup_");
        const std::string line = job.build_command_line();
        const std::optional<x_StringList> words = words_of_batch_line(line);
        ASSERT_TRUE(words.has_value()) << line;
        ASSERT_GE(words->size(), 3u) << line;
        const std::string expected = expected_source(source);
        if (expected.empty()) continue;  // the default source, for an empty path
        EXPECT_EQ((*words)[1], expected) << line;
        const std::string& destination = (*words)[2];
        EXPECT_EQ(destination.rfind("E:\\_Backup_\\", 0), 0u) << line;
        EXPECT_FALSE(climbs(destination)) << line;
        const std::string by_rule = expected_destination(source);
        if (!climbs(by_rule)) {
            EXPECT_EQ(destination, by_rule) << line;
        }
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(BackupDestination, EveryPathWordIsTheIntendedPath) { expect_every_word_intended(false); }

class BackupDestinationWordsCodePage932 : public testing_support::x_CodePage932Test {};

TEST_F(BackupDestinationWordsCodePage932, EveryDoubleBytePathWordIsTheIntendedPath) {
    expect_every_word_intended(true);
}

}  // namespace
