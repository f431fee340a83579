// printf-style text composed into a std::string, of any length.
#pragma once
#include <cstdarg>
#include <string>

std::string formatted(const char *format, ...) __attribute__((format(printf, 1, 2)));
// The same from an argument list the caller started (and ends).
std::string formatted_list(const char *format, va_list args) __attribute__((format(printf, 1, 0)));
// "1 byte", "40 bytes": a count of bytes as a message says it.
std::string byte_count(unsigned long long count);
