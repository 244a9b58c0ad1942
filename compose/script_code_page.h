#pragma once
// The program composes its scripts in the ANSI code page, like every text it
// holds, while the command interpreter reads a batch file in the code page of
// its console: the one chcp set, which a new console takes from the OEM code
// page. Outside ASCII the pages disagree (e with acute accent is 0xE9 in ANSI
// page 1252 and 0x82 in OEM pages 437 and 850), so a script is converted on
// its way to and from a file.
#include <optional>
#include <string>

// The console's code page when the program has a console, else the
// system's OEM code page that the interpreter's new console starts with
// (not the program's own, which is 65001 when its manifest asks for UTF-8).
unsigned interpreter_code_page();

// The text in the interpreter's code page; nothing when a character has no
// exact counterpart there. An approximation ("A" for an A with grave accent)
// would name another folder, so it counts as no counterpart.
std::optional<std::string> to_interpreter_code_page(const std::string& ansi_text);

// What the bytes of a script file say, as a job holds its script text: in
// the ANSI code page where every character has an exact counterpart there,
// else the bytes as they came.
std::string script_text_of_file(const std::string& script_bytes);

// The text with every character the interpreter's page lacks shown as its
// nearest likeness or a question mark, still in the ANSI code page. For a
// comment of a script only: elsewhere a likeness would name another folder.
std::string within_interpreter_code_page(const std::string& ansi_text);
