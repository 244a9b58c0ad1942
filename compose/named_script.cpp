#include "compose/named_script.h"

#include <cstdint>
#include <vector>

#include "compose/backup_paths.h"
#include "compose/batch_script.h"
#include "copyjob/copy_command.h"
#include "copyjob/script_code_page.h"
#include "platform/files.h"
#include "util/paths.h"
#include "util/strings.h"

namespace {

const char* const from_variable = "shellbackup_from";
const char* const to_variable = "shellbackup_to";

std::uint64_t fingerprint(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char byte : text) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::string names_of(const std::string& folder, const char* which) {
    return "%~dp0" + folder + "\\" + which;
}

// The variable set from the one file of its folder, then decoded. The
// number signs come back last, so that "#hs" stays "#s". The lines are not
// echoed: the console shows the copy line as in every other script.
x_StringList lines_setting(const char* variable, const std::string& folder, const char* which) {
    const std::string name = variable;
    const std::string value = "%" + name;
    return {
        "@for /r \"" + names_of(folder, which) + "\" %%N in (*) do @set \"" + name + "=%%~nxN\"",
        "@if not defined " + name + " echo The name of the folder to copy is missing from \"" +
            names_of(folder, which) + "\", where shellbackup.exe writes it.& exit /b 1",
        "@set \"" + name + "=" + value + ":#s=\\%\"", "@set \"" + name + "=" + value + ":#c=:%\"",
        "@set \"" + name + "=" + value + ":#h=#%\""};
}

}  // namespace

std::optional<std::string> name_of_path(const std::string& path) {
    std::string name;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char byte = path[i];
        if (is_lead_byte(byte) && i + 1 < path.size()) {
            name += path.substr(i++, 2);
        } else if (byte == '\\' || byte == '/') {
            name += "#s";
        } else if (byte == ':') {
            name += "#c";
        } else if (byte == '#') {
            name += "#h";
        } else if (std::string("*?\"<>|").find(byte) != npos ||
                   static_cast<unsigned char>(byte) < 0x20) {
            return std::nullopt;
        } else {
            name += byte;
        }
    }
    return name;
}

std::string path_of_name(const std::string& name) {
    std::string path;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (is_lead_byte(name[i]) && i + 1 < name.size()) {
            path += name.substr(i++, 2);
        } else if (name[i] == '#' && i + 1 < name.size()) {
            const char code = name[++i];
            path += code == 's' ? '\\' : code == 'c' ? ':' : '#';
        } else {
            path += name[i];
        }
    }
    return path;
}

std::string names_folder(const x_CopyPaths& paths) {
    return "names\\" + uint64_to_padded_text(fingerprint(paths.from + "\n" + paths.to), 16, 16);
}

std::string compose_named_script(x_CopyCommand& job, const std::string& folder) {
    x_StringList lines{"@setlocal"};
    for (const auto& [variable, which] : {std::pair{from_variable, "from"}, {to_variable, "to"}}) {
        const x_StringList setting = lines_setting(variable, folder, which);
        lines.insert(lines.end(), setting.begin(), setting.end());
    }
    lines.push_back(command_line_with(job, "\"%" + std::string(from_variable) + "%\"",
                                      "\"%" + std::string(to_variable) + "%\""));
    return script_around(job, within_interpreter_code_page(job.get_source()), lines);
}

std::optional<std::string> named_folder(const std::string& script_path,
                                        const std::string& script_text, const char* which) {
    const std::string marker = "\"%~dp0names\\";
    const std::size_t start = script_text.find(marker);
    if (start == npos) return std::nullopt;
    const std::size_t id = start + marker.size() - 6;  // from "names\"
    const std::size_t end = script_text.find('\\', id + 6);
    if (end == npos) return std::nullopt;
    const std::string folder =
        dir_part(script_path) + "\\" + script_text.substr(id, end - id) + "\\" + which;
    std::vector<platform::x_FindEntry> entries;
    platform::files().find_entries(folder + "\\*.*", entries);
    for (const platform::x_FindEntry& entry : entries) {
        if ((entry.attributes & platform::attribute_directory) == 0) {
            return path_of_name(entry.name);
        }
    }
    return std::nullopt;
}
