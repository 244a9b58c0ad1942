#pragma once
// A shell that runs the command runner's one-line scripts at once, as the
// command interpreter and "where" would: the redirection targets are read
// as the interpreter reads them (quotes removed, doubled percent signs
// halved), and "where" answers from a table of names, writing nothing to
// standard output for a name it does not know.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "compose/batch_text.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "support/temp_tree.h"
#include "util/text_helpers.h"

namespace testing_copyjob {

class x_FakeWhere : public platform::x_ShellService {
public:
    std::intptr_t execute(const char*, const char* file, const char*, const char*,
                          int show_command) override {
        scripts.emplace_back(file != nullptr ? file : "");
        shows.push_back(show_command);
        if (runs) run(testing_support::x_TempTree::content(scripts.back()));
        return 33;
    }

    // Name for "where" to find, and what it prints for it.
    std::map<std::string, std::string> answers;
    // False: the scripts are launched but never run.
    bool runs = true;
    std::vector<std::string> scripts;
    std::vector<int> shows;
    std::vector<std::string> asked;

private:
    static void write(const std::string& path, const std::string& text) {
        if (std::FILE* file = platform::files().open_file(path, "wb")) {
            platform::files().write_file(file, text.data(), text.size());
            platform::files().close_file(file);
        }
    }

    static std::string target(const std::string& word) {
        return unescape_batch_percent(strip_quotes(word));
    }

    // where NAME > OUT 2> ERR; a line that splits otherwise (an unquoted
    // path with a blank) redirects nowhere the runner looks.
    void run(const std::string& script) {
        const x_StringList words = split_words(script);
        if (words.size() != 6 || words[0] != "where" || words[2] != ">" || words[4] != "2>") {
            return;
        }
        asked.push_back(words[1]);
        const auto found = answers.find(words[1]);
        const bool known = found != answers.end();
        write(target(words[3]), known ? found->second : "");
        const std::string complaint = "INFO: Could not find files for the given pattern(s).\r\n";
        write(target(words[5]), known ? "" : complaint);
    }
};

}  // namespace testing_copyjob
