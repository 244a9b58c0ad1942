#pragma once
// Hands a document, folder or program to the shell to open, print, edit,
// explore or run. A launch the shell refuses is written to the trace log
// with the shell's reason and what was asked for.
#include <cstdint>
#include <string>

class x_ShellLauncher {
public:
    x_ShellLauncher() = default;
    // Copies point at their own texts, never at the original's.
    x_ShellLauncher(const x_ShellLauncher& other);
    x_ShellLauncher& operator=(const x_ShellLauncher& other);

    virtual bool set_show(std::int32_t show_command);
    virtual bool set_verb(const std::string& verb);
    // Stores the path as passed when it exists, otherwise what
    // locate_program finds for it.
    virtual bool set_file(const std::string& file);
    virtual bool set_parameters(const std::string& parameters);
    virtual bool execute();
    // Opens the folder with the located "explorer.exe"; the verb stays.
    virtual bool explore(const std::string& folder);

private:
    void repoint(const x_ShellLauncher& other);
    std::string failure_message(std::intptr_t code) const;

    // Each pointer is null (absent) or points at the text beside it; an
    // empty text that was set is passed as an empty string, not as absent.
    void* owner_window = nullptr;
    std::int32_t show_command = 1;
    const char* verb = nullptr;
    const char* file = nullptr;
    const char* parameters = nullptr;
    const char* start_folder = nullptr;
    std::string verb_text;
    std::string file_text;
    std::string parameters_text;
    std::string start_folder_text;
};

// A full path for a bare program or document name from the Program Files
// folders and, for ".exe" names, the Windows and System folders; the name
// unchanged when none of them holds it.
std::string locate_program(const std::string& name);
