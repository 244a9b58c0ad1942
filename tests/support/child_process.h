#pragma once
// Starting helper programs that are built beside the test binary.
#include <string>
#include <vector>

namespace testing_support {

// The full path of a program built into the test binary's own folder.
std::string sibling_program(const std::string& name);

// Starts every command (program path first, then its arguments) at once and
// waits for all of them. Answers their exit codes, -1 for one that did not
// start or did not end normally.
std::vector<int> run_all_at_once(const std::vector<std::vector<std::string>>& commands);

// Sets an environment variable, which started programs inherit, for the
// lifetime of the object.
class x_ScopedEnvironment {
public:
    x_ScopedEnvironment(const std::string& name, const std::string& value);
    ~x_ScopedEnvironment();
    x_ScopedEnvironment(const x_ScopedEnvironment&) = delete;
    x_ScopedEnvironment& operator=(const x_ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::string previous_;
    bool was_set_;
};

}  // namespace testing_support
