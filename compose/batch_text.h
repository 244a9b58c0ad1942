#pragma once
// The command interpreter expands %NAME% in every line of a batch file,
// comment lines included, before it runs the line: a percent sign that is
// meant literally has to be written twice. Paths written into a script pass
// through escape_batch_percent; a reader of such a script undoes it with
// unescape_batch_percent.
#include <string>

// Every percent sign written twice.
std::string escape_batch_percent(const std::string& text);
// Every doubled percent sign written once; a lone one stays as it is.
std::string unescape_batch_percent(const std::string& text);
