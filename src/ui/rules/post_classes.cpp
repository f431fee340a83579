// The Post class labels (post_classes.h): the engine finds the classes and
// names them, this file writes each value's smallest class through the
// screen layer or to standard error and the data file
// (storage/data_lines.h). Start at post_func.
#include "ui/rules/post_classes.h"

#include <cstdio>
#include <string>

#include "engine/model/globals.h"
#include "engine/rules/post_classes.h"
#include "ui/screen/draw.h"
#include "ui/storage/data_lines.h"

namespace {

void
write_label(const char *text, int flag, int output)
{
    if (flag == 1) {
        outtext(text);
        return;
    }
    if (output == 1 || output == 2)
        save_data(text);
    if (output == 0 || output == 1)
        fputs(text, stderr);
}

} // namespace

int
post_func(int k, const uint8_t *rule, int mode, int flag, int, int output)
{
    post_flags f;
    if (!find_post_classes(k, rule, &f))
        return 0;
    int result = post_class_answer(f);
    if (mode != 2)
        return result;
    if (flag == 0)
        write_label(" ", flag, output);
    for (const std::string &label : post_class_labels(f))
        write_label(label.c_str(), flag, output);
    return result;
}
