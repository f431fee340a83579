// The update-order file: save and checked load of seq_order, and the
// dialog around them. Reads lineL and seq_order (model), the byte layout
// (engine/storage/side_file_codecs.h), the file-name dialog and file helpers
// (storage/file_dialog.h) and the prompt box (screen). Start at
// load_save_order.
#include "ui/forward/order_file.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "engine/model/globals.h"
#include "engine/storage/content_faults.h"
#include "engine/storage/side_file_codecs.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"

order_file_result
save_order_file(const char *name)
{
    std::vector<uint8_t> bytes;
    encode_update_order(seq_order, lineL, bytes);
    return write_file(name, bytes.data(), bytes.size()) ? order_file_ok : order_file_error;
}

order_file_result
load_order_file(const char *name, char *message, size_t size)
{
    if (size)
        message[0] = 0;
    std::vector<uint8_t> bytes;
    if (!read_file(name, bytes, kLargestOrderFile))
        return order_file_error;
    switch (decode_update_order(bytes.data(), bytes.size(), lineL, seq_order)) {
    case update_order_check::sound:
        return order_file_ok;
    case update_order_check::wrong_size:
        snprintf(message, size, "filesize(%lld)!=netsize(%d), cont-ret",
                 static_cast<long long>(bytes.size() / 2), lineL);
        return order_file_wrong_size;
    case update_order_check::not_order:
        break;
    }
    snprintf(message, size, "%s", update_order_fault(bytes.data(), lineL).c_str());
    return order_file_not_order;
}

void
load_save_order(int mode)
{
    int16_t x = getx, y = gety;
    if (select_filename(mode == 's' ? "SAVE" : "LOAD", "ORDER-DATA", "*.ord", "my_order") != 0) {
        moveto(x, y);
        return;
    }
    char message[80];
    order_file_result result = mode == 's' ? save_order_file(filename)
                                           : load_order_file(filename, message, sizeof message);
    if (result == order_file_error) {
        file_error(filename);
    } else if (result == order_file_not_order) {
        file_error(filename, message);
    } else if (result != order_file_ok) {
        draw_prompt_box(1);
        outtext(message);
        input_string(1, text_entry);
        erase_prompt_box(1);
    }
    moveto(x, y);
}
