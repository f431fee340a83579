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

// The labels drawn (flag 1) or, composed whole, appended to the data file
// (output 1, 2) and written to standard error (output 0, 1).
void
write_labels(const std::string &text, int flag, int output)
{
    if (flag == 1) {
        outtext(text.c_str());
        return;
    }
    if (output == 1 || output == 2)
        save_data(text.c_str());
    if (output == 0 || output == 1)
        fputs(text.c_str(), stderr);
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
    std::string text = flag == 0 ? " " : "";
    for (const std::string &label : post_class_labels(f))
        text += label;
    write_labels(text, flag, output);
    return result;
}
