#include "app/arguments.h"

#include "platform/process.h"

namespace {

x_StringList& argument_list() {
    static x_StringList list;
    return list;
}

}  // namespace

x_StringList get_arv() {
    x_StringList& list = argument_list();
    // Code that runs before main, or a host whose main never reached
    // set_arguments, still sees the program's arguments.
    if (list.empty()) list = platform::process().runtime_arguments();
    return list;
}

void set_arguments(int argc, char** argv) {
    x_StringList& list = argument_list();
    list.clear();
    if (argv == nullptr) return;
    for (int i = 0; i < argc; ++i) list.emplace_back(argv[i] != nullptr ? argv[i] : "");
}
