#include "compose/named_script.h"

#include <cstdint>
#include <vector>

#include "compose/backup_paths.h"
#include "compose/batch_script.h"
#include "compose/script_code_page.h"
#include "copyjob/copy_command.h"
#include "platform/files.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_helpers.h"
#include "util/wide_text.h"

namespace {

const std::string variable_prefix = "shellbackup_";
const std::string names_root = "names\\";
const std::string names_marker = "\"%~dp0" + names_root;

// A piece's name stays short, so that the path of its file stays within
// what the interpreter reaches, and within the 255 bytes a name has on a
// host that keeps names in UTF-8 (Wine's).
constexpr std::size_t longest_name = 80;
// MAX_PATH less the terminating zero: the interpreter finds no file beyond.
constexpr std::size_t longest_path = 259;

// The codes of a name, the number sign last: decoded before the others it
// could make "#hs" into "#s" and then a separator. A dot is coded because
// a name starting with one is hidden on Wine, and the interpreter's "for"
// passes hidden files over; a blank and a dot because Windows drops them
// from the end of a name.
struct x_Code {
    char letter;
    char byte;
};
constexpr x_Code codes[] = {{'s', '\\'}, {'c', ':'}, {'d', '.'}, {'b', ' '}, {'h', '#'}};

std::string code_of(char byte) {
    if (byte == '/') byte = '\\';
    for (const x_Code& code : codes) {
        if (code.byte == byte) return std::string{'#', code.letter};
    }
    return std::string(1, byte);
}

bool no_file_name_holds(char byte) {
    return std::string("*?\"<>|").find(byte) != npos || static_cast<unsigned char>(byte) < 0x20;
}

// Left to right, as the script's replacements in the order of the codes
// come out: a number sign before any other letter stays with it.
std::string path_of_name(const std::string& name) {
    std::string path;
    for (std::size_t i = 0; i < name.size(); i += char_width(name, i)) {
        const x_Code* found = nullptr;
        for (const x_Code& code : codes) {
            if (name[i] == '#' && i + 1 < name.size() && name[i + 1] == code.letter) found = &code;
        }
        if (found != nullptr) {
            path += found->byte;
            ++i;
        } else {
            path.append(name, i, char_width(name, i));
        }
    }
    return path;
}

// One variable of a copy line: its name after the prefix, which is also
// its folder's, and the name of the file it is set from.
struct x_Piece {
    std::string which;
    std::string name;
};

// A path as a word of the copy line: variables, and between them the
// path's percent signs, doubled. A percent sign never goes into a value:
// Wine's interpreter expands a value once more, so "..%\..%" would come
// out as "..\.." and climb out of the backup folder.
struct x_NamedWord {
    std::string word;
    std::vector<x_Piece> pieces;
};

class x_WordBuilder {
public:
    explicit x_WordBuilder(std::string stem) : stem_(std::move(stem)) {}

    void add(const std::string& code) {
        if (name_.size() + code.size() > longest_name) end_piece();
        name_ += code;
    }
    void add_percent() {
        end_piece();
        named_.word += "%%";
    }
    x_NamedWord finish() {
        end_piece();
        named_.word = surround(named_.word, '"');
        return named_;
    }

private:
    void end_piece() {
        if (name_.empty()) return;
        const std::size_t count = named_.pieces.size();
        const std::string which = stem_ + (count == 0 ? "" : uint_to_text(count + 1, 10));
        named_.word += "%" + variable_prefix + which + "%";
        named_.pieces.push_back({which, name_});
        name_.clear();
    }

    std::string stem_;
    std::string name_;
    x_NamedWord named_;
};

std::optional<x_NamedWord> named_word(const std::string& path, const char* stem) {
    const std::string word_path = path_in_word(path);
    x_WordBuilder builder(stem);
    for (std::size_t i = 0; i < word_path.size(); i += char_width(word_path, i)) {
        const std::size_t width = char_width(word_path, i);
        const char byte = word_path[i];
        if (width == 1 && no_file_name_holds(byte)) return std::nullopt;
        if (byte == '%') {
            builder.add_percent();
        } else {
            builder.add(width == 1 ? code_of(byte) : word_path.substr(i, width));
        }
    }
    return builder.finish();
}

std::uint64_t fingerprint(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char byte : text) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::string names_folder(const x_CopyPaths& paths) {
    return names_root + uint64_to_padded_text(fingerprint(paths.from + "\n" + paths.to), 16, 16);
}

// The names folder a script refers to, as "names\" and its digits.
std::optional<std::string> names_folder_in(const std::string& script_text) {
    const std::size_t start = script_text.find(names_marker);
    if (start == npos) return std::nullopt;
    const std::size_t folder = start + names_marker.size() - names_root.size();
    const std::size_t end = script_text.find('\\', folder + names_root.size());
    if (end == npos) return std::nullopt;
    return script_text.substr(folder, end - folder);
}

std::string piece_folder(const std::string& names, const std::string& which) {
    return names + "\\" + which;
}

// One code replaced in the variable's value.
std::string decoding_line(const std::string& variable, const x_Code& code) {
    return "@set \"" + variable + "=%" + variable + ":#" + code.letter + "=" + code.byte + "%\"";
}

// The variable set from the one file of its folder, then decoded. The
// lines are not echoed: the console shows the copy line as in every
// other script.
x_StringList lines_setting(const std::string& names, const x_Piece& piece) {
    const std::string variable = variable_prefix + piece.which;
    const std::string folder = "%~dp0" + piece_folder(names, piece.which);
    x_StringList lines{"@for /r \"" + folder + "\" %%N in (*) do @set \"" + variable + "=%%~nxN\"",
                       "@if not defined " + variable +
                           " echo The name of the folder to copy is missing from \"" + folder +
                           "\", where shellbackup.exe writes it.& exit /b 1"};
    for (const x_Code& code : codes) lines.push_back(decoding_line(variable, code));
    return lines;
}

// The files of a piece's folder; an earlier run may have left another.
std::vector<std::string> files_in(const std::string& folder) {
    std::vector<platform::x_FindEntry> entries;
    platform::files().find_entries(folder + "\\*.*", entries);
    std::vector<std::string> names;
    for (const platform::x_FindEntry& entry : entries) {
        if ((entry.attributes & platform::attribute_directory) == 0) names.push_back(entry.name);
    }
    return names;
}

// Made through the narrow calls, which take the program's code page:
// every character of the name reaches the system as it is.
bool write_name_file(const std::string& folder, const std::string& name) {
    for (const std::string& old : files_in(folder)) {
        if (old != name) platform::files().remove_file(add_trailing_separator(folder) + old);
    }
    if (!create_folders(folder)) return false;
    std::FILE* file = platform::files().open_file(folder + "\\" + name, "wb");
    return file != nullptr && platform::files().close_file(file);
}

std::optional<std::string> write_names(const std::string& names,
                                       const std::vector<x_Piece>& pieces) {
    for (const x_Piece& piece : pieces) {
        const std::string file = piece_folder(names, piece.which) + "\\" + piece.name;
        if (ansi_to_utf16(file).size() > longest_path) {
            return "the path of a name kept beside its script would be longer than the command "
                   "interpreter reaches (" +
                   uint_to_text(static_cast<std::uint32_t>(longest_path), 10) +
                   " characters): " + surround(file, '"');
        }
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!write_name_file(piece_folder(names, pieces[i].which), pieces[i].name)) {
            for (std::size_t k = 0; k < i; ++k) {
                platform::files().remove_file(piece_folder(names, pieces[k].which) + "\\" +
                                              pieces[k].name);
            }
            return "the name of a folder could not be kept in " + surround(names, '"');
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> compose_named_script(x_CopyCommand& job, const x_CopyPaths& paths) {
    const std::optional<x_NamedWord> from = named_word(paths.from, "from");
    const std::optional<x_NamedWord> to = named_word(paths.to, "to");
    if (!from || !to) return std::nullopt;
    const std::string names = names_folder(paths);
    x_StringList lines{"@setlocal"};
    for (const x_NamedWord* word : {&*from, &*to}) {
        for (const x_Piece& piece : word->pieces) {
            const x_StringList setting = lines_setting(names, piece);
            lines.insert(lines.end(), setting.begin(), setting.end());
        }
    }
    lines.push_back(command_line_with(job, from->word, to->word));
    return script_around(job, within_interpreter_code_page(job.get_source()), lines);
}

bool names_folders_beside(const std::string& script_text) {
    return script_text.find(names_marker) != npos;
}

// Only names the script reads as they are written: a script kept from an
// older version may decode them otherwise, and would copy another folder.
std::optional<std::string> keep_names(const std::string& script_folder,
                                      const std::string& script_text, const x_CopyPaths& paths) {
    if (paths.from.empty() || paths.to.empty()) {
        return "its script names its folders by names kept beside it, and they were not found "
               "beside the script it was read from";
    }
    const std::optional<std::string> names = names_folder_in(script_text);
    const std::optional<x_NamedWord> from = named_word(paths.from, "from");
    const std::optional<x_NamedWord> to = named_word(paths.to, "to");
    bool fits = names && from && to && script_text.find(" " + from->word + " " + to->word) != npos;
    std::vector<x_Piece> pieces;
    if (fits) {
        pieces = from->pieces;
        pieces.insert(pieces.end(), to->pieces.begin(), to->pieces.end());
    }
    for (const x_Piece& piece : pieces) {
        for (const std::string& line : lines_setting(*names, piece)) {
            fits = fits && script_text.find(line) != npos;
        }
    }
    if (!fits) {
        return "its script reads the names kept beside it otherwise than this version writes "
               "them for the job's folders";
    }
    return write_names(add_trailing_separator(script_folder) + *names, pieces);
}

x_NamedPath named_path(const std::string& script_folder, const std::string& script_text,
                       const std::string& word) {
    const std::string inner = strip_quotes(word);
    x_NamedPath named{inner.find("%" + variable_prefix) != npos, std::nullopt};
    const std::optional<std::string> names = names_folder_in(script_text);
    if (!named.named || !names) return named;
    const std::string folder = add_trailing_separator(script_folder) + *names;
    std::string path;
    // A percent sign is never a later byte of a character.
    for (std::size_t i = 0; i < inner.size();) {
        if (inner.compare(i, 2, "%%") == 0) {
            path += '%';
            i += 2;
        } else if (inner.compare(i, variable_prefix.size() + 1, "%" + variable_prefix) == 0) {
            const std::size_t start = i + 1 + variable_prefix.size();
            const std::size_t end = inner.find('%', start);
            if (end == npos) return named;
            const std::vector<std::string> files =
                files_in(piece_folder(folder, inner.substr(start, end - start)));
            if (files.empty()) return named;
            path += path_of_name(files.front());
            i = end + 1;
        } else {
            path += inner[i++];
        }
    }
    named.path = path;
    return named;
}
