// Starts a command line as Task Scheduler starts a task's action: the
// program and its arguments as one line, handed to one process creation,
// without a console window. The process gets this one's standard handles
// (a task's line redirects its own), and its exit code is this one's; 3
// and a line on standard error when it could not be started.
//
//   start_as_task LINE_FILE      (the line: the file's first line, UTF-8)
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::ifstream file(argv[1], std::ios::binary);
    std::string line;
    if (!std::getline(file, line)) return 2;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const int length = static_cast<int>(line.size());
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    if (::MultiByteToWideChar(CP_UTF8, 0, line.data(), length, wide.data(), length) <= 0) return 2;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, wide.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                          nullptr, &startup, &process)) {
        std::fprintf(stderr, "CreateProcessW failed with error %lu\n", ::GetLastError());
        return 3;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
