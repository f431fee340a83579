// K-mix files (kmix_file.h): nhoodm (engine/model) written and read whole
// through the name dialog; the check of a file's k values is decode_kmix
// (engine/storage/side_file_codecs.h), a refusal names the first cell of a
// k out of range. Start at load_save_nhoodmix.
#include "ui/storage/kmix_file.h"

#include <vector>

#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "engine/storage/content_faults.h"
#include "engine/storage/side_file_codecs.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"

bool
save_nhoodmix_file(const char *name)
{
    return write_or_refuse(name, nhoodm, lineL);
}

uint16_t
load_nhoodmix_file(const char *name, int mode)
{
    std::vector<uint8_t> data;
    if (!read_file(name, data, kLargestKmixFile)) {
        refuse_file(name);
        return 0;
    }
    size_t size = data.size();
    // An empty file holds no k: loaded, it would leave every cell to the
    // background k asked for after a short file.
    if (size == 0) {
        refuse_file(name, "empty file");
        return 0;
    }
    uint16_t length = size > 65535 ? 65535 : static_cast<uint16_t>(size);
    if (mode == 'L')
        return length;
    size_t bad = 0;
    if (!decode_kmix(data.data(), size, nhoodm, lineL, &bad)) {
        refuse_file(name, formatted("cell %zu ", bad) +
                              k_fault(static_cast<int8_t>(data[bad]), Maxnhood));
        return 0;
    }
    return length;
}

uint16_t
load_save_nhoodmix(int mode)
{
    int16_t x = getx, y = gety;
    const char *action = mode == 's' ? "SAVE " : "LOAD ";
    uint16_t length = 0;
    if (choose_file(action, "K-MIX", "*.mix", "my_mix")) {
        if (mode == 's')
            save_nhoodmix_file(filename);
        else
            length = load_nhoodmix_file(filename, mode);
    }
    moveto(x, y);
    return length;
}
