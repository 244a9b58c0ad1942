#pragma once
// Date and time stamps in local time, formatted with strftime into a
// 255-byte limit: a stamp is at most 254 characters, else empty.
#include <cstdint>
#include <ctime>
#include <string>

std::string time_text(const char* format);
std::string format_time(std::int64_t seconds, const char* format);
std::string format_tm(const std::tm& broken_down, const char* format);
