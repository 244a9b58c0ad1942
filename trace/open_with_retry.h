#pragma once
#include <cstdio>
#include <string>

// Opens the file so that no other writer can open it until it is closed,
// while readers may, retrying every 100 ms for the given number of seconds
// while another writer holds it; each failed attempt counts on standard
// error. nullptr when the file never opened.
std::FILE* open_with_retry(const std::string& path, const char* mode, int seconds);
