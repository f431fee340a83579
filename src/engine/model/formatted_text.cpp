// printf-style text into a std::string: one pass into a stack buffer, a
// second into the string's own storage when the text is longer.
#include "engine/model/formatted_text.h"

#include <cstdio>

std::string
formatted_list(const char *format, va_list args)
{
    char text[256];
    va_list again;
    va_copy(again, args);
    int length = vsnprintf(text, sizeof text, format, args);
    std::string result;
    if (length >= static_cast<int>(sizeof text)) {
        result.resize(static_cast<size_t>(length));
        vsnprintf(&result[0], result.size() + 1, format, again);
    } else if (length > 0) {
        result.assign(text, static_cast<size_t>(length));
    }
    va_end(again);
    return result;
}

std::string
byte_count(unsigned long long count)
{
    return formatted("%llu byte%s", count, count == 1 ? "" : "s");
}

std::string
figure_column(unsigned long long value, int width)
{
    std::string text = formatted("%*llu", width, value);
    return text[0] == ' ' ? text : " " + text;
}

std::string
formatted(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::string result = formatted_list(format, args);
    va_end(args);
    return result;
}
