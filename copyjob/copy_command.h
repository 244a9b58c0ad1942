#pragma once
// One copy job: a folder copied to another by robocopy or xcopy, with one
// flag per switch of each tool and the batch script once composed or read.
// The virtual operations keep their slot order; the composing operations
// call the others through them, so a derived job that overrides a getter
// changes what is composed.
#include <cstdint>
#include <optional>
#include <string>

class x_CopyCommand {
public:
    x_CopyCommand();
    x_CopyCommand(const x_CopyCommand& other);
    x_CopyCommand& operator=(const x_CopyCommand&) = default;
    ~x_CopyCommand() = default;

    virtual std::string get_script_text();
    virtual std::string get_command_line();
    virtual std::string get_source();
    virtual std::string get_destination();
    virtual std::string get_files();
    virtual std::string get_extra_switches();
    virtual bool get_pause_at_end();
    virtual bool use_xcopy();
    virtual bool use_robocopy();
    virtual bool set_source(const std::string& text);
    virtual bool set_destination(const std::string& text);
    virtual bool set_files(const std::string& text);
    virtual bool set_extra_switches(const std::string& text);
    virtual bool set_pause_at_end(bool flag);
    virtual bool set_list_only(bool flag);
    virtual bool set_subfolders(bool flag);
    virtual bool set_mirror(bool flag);
    virtual bool set_purge(bool flag);
    virtual bool set_fat_times(bool flag);
    virtual bool set_use_retries(bool flag);
    virtual bool set_use_wait(bool flag);
    virtual bool set_exclude_older(bool flag);
    virtual bool set_exclude_extra(bool flag);
    virtual bool set_exclude_junction_dirs(bool flag);
    virtual bool set_use_min_size(bool flag);
    virtual bool set_use_max_size(bool flag);
    virtual bool set_use_max_age(bool flag);
    virtual bool set_use_min_age(bool flag);
    virtual bool set_use_exclude_files(bool flag);
    virtual bool set_use_exclude_dirs(bool flag);
    virtual bool set_retries(std::uint16_t value);
    virtual bool set_wait_seconds(std::uint16_t value);
    virtual bool set_min_size(std::uint64_t value);
    virtual bool set_max_size(std::uint64_t value);
    virtual bool set_max_age(std::uint32_t value);
    virtual bool set_min_age(std::uint32_t value);
    virtual bool set_exclude_files(const std::string& text);
    virtual bool set_exclude_dirs(const std::string& text);
    virtual bool add_exclude_files(const std::string& text);
    virtual bool add_exclude_dirs(const std::string& text);
    virtual std::string get_exclude_files();
    virtual std::string get_exclude_dirs();
    virtual std::uint16_t get_retries();
    virtual std::uint16_t get_wait_seconds();
    virtual std::uint64_t get_min_size();
    virtual std::uint64_t get_max_size();
    virtual std::uint32_t get_max_age();
    virtual std::uint32_t get_min_age();
    // Loads a batch script: its whole text, and the tool, paths and switches
    // of its copy command line. False when it holds no copy command line.
    virtual bool read_script(const std::string& path);
    // Picks robocopy or xcopy by the Windows version unless a tool is set.
    virtual bool choose_tool();
    virtual std::string build_command_line();
    virtual bool compose_script();
    virtual std::string script_file_name();
    virtual std::string get_tool();
    virtual bool is_xcopy();
    virtual bool is_robocopy();
    // Writes the script into the scratch folder and runs it: through the
    // command interpreter, waiting for it, or through the shell, not waiting.
    // False when it could not, the folder named on standard error instead.
    // Run through the interpreter, the script's status is kept in exit_code.
    virtual bool execute(std::int32_t show_command, bool use_interpreter);

    std::string script_text;
    std::string command_line;
    std::string tool;
    std::string source;
    std::string destination;
    std::string files;
    std::string extra_switches;
    bool xc_list_only = false;
    bool xc_subfolders = true;
    bool xc_newer_only = true;
    bool xc_folder_target = true;
    bool xc_no_prompt = true;
    // "/c": a file that cannot be copied (held open by another program)
    // does not stop the rest of the folder.
    bool xc_continue_after_errors = true;
    bool rc_list_only = false;
    bool rc_subfolders = true;
    bool rc_mirror = false;
    bool rc_purge = true;
    bool rc_fat_times = true;
    bool rc_use_retries = true;
    bool rc_use_wait = true;
    std::uint16_t rc_retries = 3;
    std::uint16_t rc_wait_seconds = 5;
    bool rc_exclude_older = true;
    bool rc_exclude_extra = false;
    bool rc_exclude_junction_dirs = true;
    bool rc_use_exclude_files = true;
    bool rc_use_exclude_dirs = false;
    std::string exclude_files;
    std::string exclude_dirs;
    bool rc_use_min_size = false;
    bool rc_use_max_size = false;
    std::uint64_t min_size = 0;
    std::uint64_t max_size = 1099511627776ULL;
    bool rc_use_max_age = false;
    bool rc_use_min_age = false;
    std::uint32_t max_age = 19700101;
    std::uint32_t min_age = 0;
    bool pause_at_end = false;
    // The text of the file that read_script loaded, in the interpreter's
    // code page: while script_text still holds what was read from it,
    // execute writes these bytes again rather than a conversion that might
    // name another folder.
    std::string script_as_read;
    // What the interpreter answered for the script execute last ran through
    // it: the copy tool's own status, which the script keeps across its
    // closing wait (a script kept from an older version answers the wait's).
    // None when the script went to the shell, which does not wait for it.
    std::optional<int> exit_code;
};
