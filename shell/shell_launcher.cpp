#include "shell/shell_launcher.h"

#include "platform/shell.h"
#include "trace/trace_log.h"
#include "util/paths.h"
#include "util/strings.h"

namespace {

const char* shell_error_sentence(std::intptr_t code) {
    switch (code) {
        case 0:
            return "The operating system is out of memory or resources.";
        case 2:
            return "The specified file was not found.";
        case 3:
            return "The specified path was not found.";
        case 5:
            return "The operating system denied access to the specified file.";
        case 8:
            return "There was not enough memory to complete the operation.";
        case 11:
            return "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).";
        case 26:
            return "A sharing violation occurred.";
        case 27:
            return "The filename association is incomplete or invalid.";
        case 28:
            return "The DDE transaction could not be completed because the request timed out.";
        case 29:
            return "The DDE transaction failed.";
        case 30:
            return "The DDE transaction could not be completed because other DDE transactions "
                   "were being processed.";
        case 31:
            return "There is no application associated with the given file name extension.";
        case 32:
            return "The specified dynamic-link library was not found.";
        default:
            return nullptr;
    }
}

const char* text_or_absent(const char* pointer, const std::string& text) {
    return pointer != nullptr ? text.c_str() : nullptr;
}

}  // namespace

x_ShellLauncher::x_ShellLauncher(const x_ShellLauncher& other)
    : owner_window(other.owner_window),
      show_command(other.show_command),
      verb_text(other.verb_text),
      file_text(other.file_text),
      parameters_text(other.parameters_text),
      start_folder_text(other.start_folder_text) {
    repoint(other);
}

x_ShellLauncher& x_ShellLauncher::operator=(const x_ShellLauncher& other) {
    if (this == &other) return *this;
    owner_window = other.owner_window;
    show_command = other.show_command;
    verb_text = other.verb_text;
    file_text = other.file_text;
    parameters_text = other.parameters_text;
    start_folder_text = other.start_folder_text;
    repoint(other);
    return *this;
}

void x_ShellLauncher::repoint(const x_ShellLauncher& other) {
    verb = text_or_absent(other.verb, verb_text);
    file = text_or_absent(other.file, file_text);
    parameters = text_or_absent(other.parameters, parameters_text);
    start_folder = text_or_absent(other.start_folder, start_folder_text);
}

bool x_ShellLauncher::set_show(std::int32_t show) {
    show_command = show;
    return true;
}

bool x_ShellLauncher::set_verb(const std::string& text) {
    verb_text = text;
    verb = verb_text.c_str();
    return true;
}

bool x_ShellLauncher::set_file(const std::string& text) {
    file_text = path_exists(text) ? text : locate_program(text);
    file = file_text.c_str();
    return true;
}

bool x_ShellLauncher::set_parameters(const std::string& text) {
    parameters_text = text;
    parameters = parameters_text.c_str();
    return true;
}

bool x_ShellLauncher::execute() {
    // Without a file the parameters name what to open.
    const char* target = file != nullptr ? file : parameters;
    const char* arguments = file != nullptr ? parameters : nullptr;
    const std::intptr_t code =
        platform::shell().execute(verb, target, arguments, start_folder, show_command);
    if (static_cast<std::uintptr_t>(code) > 32) return true;
    write_trace(failure_message(code));
    return false;
}

bool x_ShellLauncher::explore(const std::string& folder) {
    set_file("explorer.exe");
    set_parameters(folder);
    return execute();
}

std::string x_ShellLauncher::failure_message(std::intptr_t code) const {
    const char* sentence = shell_error_sentence(code);
    std::string message =
        sentence != nullptr ? sentence : "Error\n" + file_text + "\n" + parameters_text;
    message += "\nOperation=" + surround(verb_text, '"');
    message += "\nFile=" + surround(file_text, '"');
    message += "\nParamaters=" + surround(parameters_text, '"');
    return message;
}
