#pragma once
// The POSIX stand-in's mapping of the Windows world onto the host.
//
// Paths: the program composes Windows paths. On the host every backslash
// becomes a slash, and a leading drive designator "X:" is replaced by the
// host folder named in the environment variable SHELLBACKUP_DRIVE_X (for
// example SHELLBACKUP_DRIVE_E=/tmp/stick). A path that begins with two
// separators (a network path) keeps its double slash, which the host
// treats as the root; nothing of the network is reached. Host paths such
// as /tmp/x pass through unchanged.
//
// Drives: a letter that SHELLBACKUP_REMOVABLE holds is a removable drive,
// with a medium in it when SHELLBACKUP_DRIVE_X names a folder that can be
// listed, an empty slot otherwise. Any other letter is present (fixed) only
// when SHELLBACKUP_DRIVE_X names a folder. Every other letter has no root
// directory (type 1), so a plain native run finds no removable drive and
// copies nothing.
//
// Special folders: the CSIDL value n is the host folder named in
// SHELLBACKUP_FOLDER_n; without it the folder does not exist (empty path).
// Nothing defaults to the home directory.
//
// Names: the program's paths hold the ANSI code page, the host's names
// UTF-8; a path is converted on its way to the host as Windows converts a
// narrow name to UTF-16, and a name found on the host on its way back.
//
// Code pages: the ANSI code page is 1252 and the OEM code page 437, as a
// Western Windows has them, with no double-byte lead bytes; tests that need
// code page 932 substitute the code-page service. Conversions use iconv.
#include <string>

namespace platform::posix {

std::string host_path(const std::string& windows_path);
// The same for a path in UTF-8, as the wide calls hand them over.
std::string host_path_of_utf8(const std::string& path);
// A host name in the ANSI code page ("?" for what the page lacks).
std::string ansi_name(const std::string& host_name);
std::string env_or_empty(const char* name);

}  // namespace platform::posix
