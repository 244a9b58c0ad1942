// Stands in for the system's "where", which under Wine prints nothing.
// Built as where.exe into the stand-in folder, which tests put first on PATH.
//
//   where NAME...
//
// Looks for each name, as given and with ".exe", in the folders listed in
// WHERE_SEARCH_PATH (separated by semicolons), and prints every full path
// it finds on a line of its own followed by two blanks, as some versions of
// the real command pad their lines. Nothing found: a complaint on standard
// error and exit code 1. Each call is appended to the file named in
// WHERE_LOG, when set, so that tests can tell whether it ran.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> search_folders() {
    std::vector<std::string> folders;
    const char* list = std::getenv("WHERE_SEARCH_PATH");
    std::string folder;
    for (const char* c = list != nullptr ? list : "";; ++c) {
        if (*c == ';' || *c == '\0') {
            if (!folder.empty()) folders.push_back(folder);
            folder.clear();
            if (*c == '\0') break;
        } else {
            folder += *c;
        }
    }
    return folders;
}

bool exists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

void log_call(int argc, char** argv) {
    const char* log = std::getenv("WHERE_LOG");
    if (log == nullptr || *log == '\0') return;
    if (std::FILE* file = std::fopen(log, "ab")) {
        for (int i = 1; i < argc; ++i) std::fprintf(file, "%s[%s]", i > 1 ? " " : "", argv[i]);
        std::fprintf(file, "\r\n");
        std::fclose(file);
    }
}

}  // namespace

int main(int argc, char** argv) {
    log_call(argc, argv);
    int found = 0;
    for (int i = 1; i < argc; ++i) {
        for (const std::string& folder : search_folders()) {
            for (const std::string& leaf : {std::string(argv[i]), std::string(argv[i]) + ".exe"}) {
                const std::string path = folder + "\\" + leaf;
                if (!exists(path)) continue;
                std::printf("%s  \n", path.c_str());
                ++found;
                break;
            }
        }
    }
    if (found > 0) return 0;
    std::fprintf(stderr, "INFO: Could not find files for the given pattern(s).\n");
    return 1;
}
