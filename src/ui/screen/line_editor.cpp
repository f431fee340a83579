// The rules of a text entry, kept apart from the drawing so they can be
// checked key by key: which characters each mode takes, erase, Return, the
// keys that end an empty entry at once, and the hot keys that act on the
// screen without entering the line.
#include "ui/screen/line_editor.h"

#include <cctype>
#include <cstdlib>

#include "ui/screen/globals.h"
#include "ui/screen/input.h"

namespace {

bool
is_arrow(int key)
{
    return key == kKeyLeft || key == kKeyUp || key == kKeyRight || key == kKeyDown;
}

} // namespace

// Numeric entry takes digits, '.' and '-'; text and arrow entry letters,
// digits and . - + _ ? ^ (no blank).
bool
entry_accepts(int mode, int key)
{
    if (key <= 0 || key > 127)
        return false;
    if (mode == numeric_entry)
        return isdigit(key) || key == '.' || key == '-';
    if (mode == text_entry || mode == arrow_entry)
        return isalnum(key) || key == '.' || key == '-' || key == '+' ||
               key == '_' || key == '?' || key == '^';
    return false;
}

namespace {

// Position where an arrow that ends a non-empty arrow entry is kept.
constexpr int kArrowSlot = 20;

} // namespace

entry_step
edit_entry(char *line, int &len, int key, int max, int mode)
{
    // No key: a modifier pressed alone (Shift before a capital, Control
    // before a control key) or a wait that ended on a resize.
    if (key == 0)
        return entry_step::ignored;
    if (key == '@' || key == '>' || key == '<')
        return entry_step::hot_key;
    if (len == 0) {
        bool ends_at_once = key == 'q' || mode == single_key_entry ||
                            (mode == arrow_entry && (is_arrow(key) || key == kKeyErase ||
                                                     key == '[' || key == ']'));
        if (ends_at_once) {
            line[0] = static_cast<char>(key);
            return entry_step::finished;
        }
    }
    if (key == kKeyReturn) {
        if (len < kInputLineSize)
            line[len] = kKeyReturn;
        return entry_step::finished;
    }
    if (mode == arrow_entry && is_arrow(key)) {
        if (len < kInputLineSize)
            line[len] = kKeyReturn;
        // The arrow's slot lies inside longer text, which it must not overwrite.
        if (len < kArrowSlot)
            line[kArrowSlot] = static_cast<char>(key);
        return entry_step::finished;
    }
    if ((key == kKeyErase || key == 'q') && len > 0) {
        len--;
        return entry_step::erased;
    }
    if (len >= 0 && len < max && len < kInputLineSize && entry_accepts(mode, key)) {
        line[len++] = static_cast<char>(key);
        return entry_step::stored;
    }
    return entry_step::ignored;
}

std::string
entry_text()
{
    int end = 0;
    while (end < kInputLineSize && is[end] != kKeyReturn)
        end++;
    return std::string(is, end);
}

long
entry_number()
{
    return atol(entry_text().c_str());
}

long long
entry_leading_number()
{
    std::string text = entry_text();
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return -1;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        if (value < (1LL << 40))
            value = value * 10 + (c - '0');
    }
    return value;
}
