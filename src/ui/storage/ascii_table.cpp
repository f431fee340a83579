// ASCII rule tables (ascii_table.h): the name dialog, the file read or
// written whole and the refusals; the layout and its check are
// encode_ascii_table and decode_ascii_table (engine/storage/
// side_file_codecs.h). Start at load_ascii_rule_table.
#include "ui/storage/ascii_table.h"

#include <cstdio>
#include <vector>

#include "engine/model/globals.h"
#include "engine/storage/content_faults.h"
#include "engine/storage/length_faults.h"
#include "engine/storage/side_file_codecs.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"

bool
save_ascii_table_file(const char *name, const uint8_t *table, int last)
{
    std::vector<uint8_t> out;
    encode_ascii_table(table, last, out);
    return write_or_refuse(name, out.data(), out.size());
}

uint16_t
load_ascii_table_file(const char *name, uint8_t *table, int last)
{
    std::vector<uint8_t> in;
    if (!read_file(name, in, static_cast<size_t>(largest_ascii_table_file(last)))) {
        refuse_file(name);
        return 0;
    }
    int file_v = ascii_table_v(in.data(), in.size());
    fprintf(stderr, "\nfilebytes=%d file_v=%d\n", static_cast<int>(in.size()), file_v);
    ascii_table_check check = decode_ascii_table(in.data(), in.size(), last, table);
    if (check == ascii_table_check::other_v) {
        char text[200];
        snprintf(text, sizeof text, " v(found)%d!=v(%d), cant load, cont-ret:", file_v,
                 value_range);
        show_refusal(text, refusal_place::at_point);
    }
    if (check == ascii_table_check::too_short) {
        refuse_file(name, ascii_table_length_fault(in.size(), last));
        return 0;
    }
    if (check == ascii_table_check::bad_digit) {
        refuse_file(name, ascii_table_digit_fault(in.data(), last));
        return 0;
    }
    if (check != ascii_table_check::sound) {
        refuse_file(name);
        return 0;
    }
    return in.size() > 65535 ? 65535 : static_cast<uint16_t>(in.size());
}

uint16_t
load_ascii_rule_table(int mode, uint8_t *table, int, int last)
{
    int16_t x = getx, y = gety;
    const char *action = mode == 'l' ? "LOAD " : "SAVE ";
    uint16_t length = 0;
    if (choose_file(action, "TABLE (ascii)", "*.tbl", "mytbl_v%d")) {
        if (mode == 'l')
            length = load_ascii_table_file(filename, table, last);
        else
            save_ascii_table_file(filename, table, last);
    }
    moveto(x, y);
    return length;
}
