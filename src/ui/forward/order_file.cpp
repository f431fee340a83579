// The update-order file: save and checked load of seq_order, and the
// dialog around them. Reads lineL and seq_order (model), is_permutation
// (forward/update_order.h), the file-name dialog and file helpers
// (storage/file_dialog.h) and the prompt box (screen). Start at
// load_save_order.
#include "ui/forward/order_file.h"

#include <cstdint>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/forward/update_order.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"

order_file_result
save_order_file(const char *name)
{
    size_t n = lineL, bytes = 2 * n;
    uint8_t *data = static_cast<uint8_t *>(checked_calloc(bytes ? bytes : 1, 1, "order"));
    for (size_t i = 0; i < n; i++) {
        data[2 * i] = static_cast<uint8_t>(seq_order[i] >> 8);
        data[2 * i + 1] = static_cast<uint8_t>(seq_order[i] & 0xFF);
    }
    order_file_result result = order_file_error;
    int fd = myopen(name, 1, 0);
    if (fd >= 0) {
        if (write_fully(fd, data, bytes))
            result = order_file_ok;
        if (close(fd) != 0)
            result = order_file_error;
    }
    checked_free(data);
    return result;
}

order_file_result
load_order_file(const char *name, char *message, size_t size)
{
    if (size)
        message[0] = 0;
    int fd = myopen(name, 0, 0);
    if (fd < 0)
        return order_file_error;
    struct stat st;
    if (fstat(fd, &st) != 0) {
        close(fd);
        return order_file_error;
    }
    size_t n = lineL, bytes = 2 * n;
    if (static_cast<uint64_t>(st.st_size) != bytes) {
        close(fd);
        snprintf(message, size, "filesize(%lld)!=netsize(%d), cont-ret",
                 static_cast<long long>(st.st_size / 2), lineL);
        return order_file_wrong_size;
    }
    uint8_t *data = static_cast<uint8_t *>(checked_calloc(bytes ? bytes : 1, 1, "order"));
    bool got = read_fully(fd, data, bytes);
    close(fd);
    if (!got) {
        checked_free(data);
        return order_file_error;
    }
    uint16_t *order = static_cast<uint16_t *>(checked_calloc(n ? n : 1, sizeof(uint16_t), "order"));
    for (size_t i = 0; i < n; i++)
        order[i] = static_cast<uint16_t>(data[2 * i] << 8 | data[2 * i + 1]);
    checked_free(data);
    order_file_result result = order_file_not_order;
    if (is_permutation(order, static_cast<int>(n))) {
        for (size_t i = 0; i < n; i++)
            seq_order[i] = order[i];
        result = order_file_ok;
    } else {
        snprintf(message, size, "order not a permutation of 0-%d, cont-ret", lineL - 1);
    }
    checked_free(order);
    return result;
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
    } else if (result != order_file_ok) {
        draw_prompt_box(1);
        outtext(message);
        input_string(1, 0);
        erase_prompt_box(1);
    }
    moveto(x, y);
}
