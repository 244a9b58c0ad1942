#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/files.h"
#include "platform/process.h"
#include "support/error_capture.h"
#include "support/temp_tree.h"
#include "util/text_file.h"

namespace {

using testing_support::retry_counter_up_to;

using testing_support::x_TempTree;

class x_RecordingConsole : public platform::x_ConsoleService {
public:
    void write_out(std::string_view text) override { out.append(text); }
    void write_err(std::string_view text) override { err.append(text); }
    std::string out;
    std::string err;
};

// Records the waits instead of waiting.
class x_RecordingSleeps : public platform::x_ProcessService {
public:
    void sleep_ms(unsigned milliseconds) override { sleeps.push_back(milliseconds); }
    std::vector<unsigned> sleeps;
};

class x_NothingOpens : public platform::x_FileService {
public:
    std::FILE* open_file(const std::string&, const char*, platform::x_Sharing) override {
        ++opens;
        return nullptr;
    }
    int opens = 0;
};

// Reports a size of its own for every status query, as a file that
// changed between the query and the read would.
class x_StaleSize : public platform::x_FileService {
public:
    explicit x_StaleSize(std::int64_t reported) : reported_(reported) {}
    int status(const std::string& path, platform::x_StatRecord& record) override {
        const int error = platform::x_FileService::status(path, record);
        record.size = reported_;
        return error;
    }

private:
    std::int64_t reported_;
};

class TextFile : public ::testing::Test {
protected:
    x_TempTree tree;
    x_RecordingConsole console;
    platform::x_Substitute<platform::x_ConsoleService> console_guard{console};
};

TEST_F(TextFile, WritesBytesExactlyAndReadsThemBack) {
    const std::string path = tree.path("data.bin");
    const std::string text("line one\r\nline two\n\x00\xFF end", 23);
    EXPECT_TRUE(write_text_file(path, text));
    const x_ByteList bytes = read_file_bytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), text);
    // Rewriting truncates.
    EXPECT_TRUE(write_text_file(path, "short"));
    EXPECT_EQ(x_TempTree::content(path), "short");
    EXPECT_EQ(read_text_file(path), "short");
    EXPECT_EQ(console.err, "");
}

TEST_F(TextFile, EmptyTextMakesEmptyFile) {
    const std::string path = tree.path("empty.txt");
    tree.make_file("empty.txt", "old content");
    EXPECT_TRUE(write_text_file(path, ""));
    EXPECT_TRUE(x_TempTree::exists(path));
    EXPECT_EQ(x_TempTree::content(path), "");
    EXPECT_TRUE(read_file_bytes(path).empty());
}

TEST_F(TextFile, EmptyOrMissingPathsAnswerAtOnce) {
    x_RecordingSleeps sleeps;
    platform::x_Substitute<platform::x_ProcessService> sleep_guard(sleeps);
    EXPECT_FALSE(write_text_file("", "text"));
    EXPECT_TRUE(read_file_bytes("").empty());
    EXPECT_EQ(read_text_file(""), "");
    EXPECT_EQ(read_text_file(tree.path("missing.txt")), "");
    EXPECT_TRUE(sleeps.sleeps.empty());
    EXPECT_EQ(console.err, "");
    EXPECT_EQ(console.out, "");
}

TEST_F(TextFile, FileThatNeverOpensIsTriedAHundredTimes) {
    x_RecordingSleeps sleeps;
    platform::x_Substitute<platform::x_ProcessService> sleep_guard(sleeps);
    x_NothingOpens files;
    platform::x_Substitute<platform::x_FileService> files_guard(files);

    EXPECT_FALSE(write_text_file(tree.path("locked.txt"), "text"));
    EXPECT_EQ(files.opens, 100);
    EXPECT_EQ(sleeps.sleeps, std::vector<unsigned>(100, 100));
    EXPECT_EQ(console.err, retry_counter_up_to(100));

    console.err.clear();
    EXPECT_TRUE(read_file_bytes(tree.path("locked.txt")).empty());
    EXPECT_EQ(files.opens, 200);
    EXPECT_EQ(console.err, retry_counter_up_to(100));
}

TEST_F(TextFile, WriteIsRepeatedWhileTheFileReadsAsEmpty) {
    x_RecordingSleeps sleeps;
    platform::x_Substitute<platform::x_ProcessService> sleep_guard(sleeps);
    x_StaleSize files(0);
    platform::x_Substitute<platform::x_FileService> files_guard(files);
    // Twelve passes, with a 10 ms pause between each two, then failure.
    EXPECT_FALSE(write_text_file(tree.path("late.txt"), "text"));
    EXPECT_EQ(sleeps.sleeps, std::vector<unsigned>(11, 10));
}

TEST_F(TextFile, ShortWriteIsNoSuccess) {
    class x_DiskFull : public platform::x_FileService {
    public:
        std::size_t write_file(std::FILE* file, const void* data, std::size_t size) override {
            return platform::x_FileService::write_file(file, data, size / 2);
        }
    } files;
    x_RecordingSleeps sleeps;
    platform::x_Substitute<platform::x_ProcessService> sleep_guard(sleeps);
    platform::x_Substitute<platform::x_FileService> files_guard(files);
    EXPECT_FALSE(write_text_file(tree.path("full.txt"), "twelve bytes"));
}

TEST_F(TextFile, ReadKeepsOnlyWhatTheFileDelivered) {
    const std::string path = tree.make_file("changing.txt", "0123456789");
    {
        // The file shrank after its size was taken: no invented zero bytes.
        x_StaleSize grown_report(4096);
        platform::x_Substitute<platform::x_FileService> guard(grown_report);
        const x_ByteList bytes = read_file_bytes(path);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123456789");
    }
    {
        // The file grew: the read stays within the buffer it sized.
        x_StaleSize shrunk_report(4);
        platform::x_Substitute<platform::x_FileService> guard(shrunk_report);
        const x_ByteList bytes = read_file_bytes(path);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123");
    }
    {
        // Beyond 4 GB the low 32 bits would name an arbitrary slice.
        x_StaleSize huge((std::int64_t{1} << 32) + 3);
        platform::x_Substitute<platform::x_FileService> guard(huge);
        EXPECT_TRUE(read_file_bytes(path).empty());
    }
}

TEST_F(TextFile, ReadsRealFilesInTheirEncodings) {
    const std::string japanese_932 = "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C";
    const std::string sjis = tree.make_file("sjis.txt", "rem " + japanese_932 + "\r\n");
    EXPECT_EQ(read_text_file(sjis), "rem " + japanese_932 + "\r\n");
    const std::string utf8_text =
        "rem \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE"
        "\xE3\x83\x86\xE3\x82\xAD\r\n";
    const std::string utf8 = tree.make_file("utf8.txt", utf8_text);
    EXPECT_EQ(read_text_file(utf8), "rem " + japanese_932 + "\r\n");
    const std::string with_mark = tree.make_file("utf8bom.txt", "\xEF\xBB\xBF" + utf8_text);
    EXPECT_EQ(read_text_file(with_mark), "rem " + japanese_932 + "\r\n");
}

}  // namespace
