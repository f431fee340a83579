// The update-order file: save and checked load of seq_order. Reads lineL
// and seq_order (model) and is_permutation (forward/update_order.h). Start at
// load_order_file.
#include "forward/order_file.h"

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "forward/update_order.h"
#include "model/checked_alloc.h"
#include "model/globals.h"

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
    int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        if (fchmod(fd, 0644) == 0 && write(fd, data, bytes) == static_cast<ssize_t>(bytes))
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
    int fd = open(name, O_RDONLY);
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
    ssize_t got = read(fd, data, bytes);
    close(fd);
    if (got != static_cast<ssize_t>(bytes)) {
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
