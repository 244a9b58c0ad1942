#include "support/child_process.h"

#include <cstdlib>

#include "platform/process.h"

#ifdef _WIN32
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace testing_support {

namespace {

std::vector<char*> argument_vector(const std::vector<std::string>& command) {
    std::vector<char*> arguments;
    for (const std::string& argument : command) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    return arguments;
}

void set_variable(const std::string& name, const std::string* value) {
#ifdef _WIN32
    _putenv_s(name.c_str(), value != nullptr ? value->c_str() : "");
#else
    if (value != nullptr) {
        setenv(name.c_str(), value->c_str(), 1);
    } else {
        unsetenv(name.c_str());
    }
#endif
}

#ifdef _WIN32
using x_Child = std::intptr_t;

x_Child start(const std::vector<std::string>& command) {
    std::vector<char*> arguments = argument_vector(command);
    return _spawnv(_P_NOWAIT, arguments[0], arguments.data());
}

int wait_for(x_Child child) {
    if (child == -1) return -1;
    int status = 0;
    if (_cwait(&status, child, _WAIT_CHILD) == -1) return -1;
    return status;
}
#else
using x_Child = pid_t;

x_Child start(const std::vector<std::string>& command) {
    std::vector<char*> arguments = argument_vector(command);
    const pid_t child = fork();
    if (child == 0) {
        execv(arguments[0], arguments.data());
        _exit(127);
    }
    return child;
}

int wait_for(x_Child child) {
    if (child < 0) return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}
#endif

}  // namespace

std::string sibling_program(const std::string& name) {
    const std::string self = platform::process().module_file_name();
    const std::size_t separator = self.find_last_of("\\/");
    const std::string folder = separator == std::string::npos ? "." : self.substr(0, separator);
#ifdef _WIN32
    return folder + "\\" + name + ".exe";
#else
    return folder + "/" + name;
#endif
}

std::vector<int> run_all_at_once(const std::vector<std::vector<std::string>>& commands) {
    std::vector<x_Child> children;
    for (const auto& command : commands) children.push_back(start(command));
    std::vector<int> codes;
    for (x_Child child : children) codes.push_back(wait_for(child));
    return codes;
}

x_ScopedEnvironment::x_ScopedEnvironment(const std::string& name, const std::string& value)
    : name_(name), was_set_(std::getenv(name.c_str()) != nullptr) {
    if (was_set_) previous_ = std::getenv(name.c_str());
    set_variable(name_, &value);
}

x_ScopedEnvironment::~x_ScopedEnvironment() {
    set_variable(name_, was_set_ ? &previous_ : nullptr);
}

}  // namespace testing_support
