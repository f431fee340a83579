// printf-style text composed into a std::string, of any length.
#pragma once
#include <cstdarg>
#include <string>

std::string formatted(const char *format, ...) __attribute__((format(printf, 1, 2)));
// The same from an argument list the caller started (and ends).
std::string formatted_list(const char *format, va_list args) __attribute__((format(printf, 1, 0)));
// "1 byte", "40 bytes": a count of bytes as a message says it.
std::string byte_count(unsigned long long count);
// An unsigned number right-aligned in `width` characters, as "%*llu" puts
// it, with a blank before it when its digits fill the width: a column of
// figures keeps its place while they fit, and a wider one never runs into
// the figure before it.
std::string figure_column(unsigned long long value, int width);
