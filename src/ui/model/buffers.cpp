// The start-up buffers. The seven text lines are labelled
// "textb[%d]" when they fail, composed in the first line once it exists.
#include "ui/model/buffers.h"

#include <cstdio>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "ui/screen/globals.h"
#include "ui/storage/globals.h"

namespace {
constexpr int kTextLines = 7;
constexpr int kFirstTextLineSize = 150;
constexpr int kTextLineSize = 80;
} // namespace

void
allocate_mem_buffers()
{
    textb = static_cast<char **>(checked_calloc(kTextLines, sizeof(char *), "textb"));
    textb[0] = static_cast<char *>(checked_calloc(kFirstTextLineSize, 1, "textb[0]"));
    for (int i = 1; i < kTextLines; i++) {
        snprintf(textb[0], kFirstTextLineSize, "textb[%d]", i);
        textb[i] = static_cast<char *>(checked_calloc(kTextLineSize, 1, textb[0]));
    }
    is = static_cast<char *>(checked_calloc(kInputLineSize, 1, "is"));
    filename = static_cast<char *>(checked_calloc(kFileNameSize, 1, "filename"));
    filename_data = static_cast<char *>(checked_calloc(kFileNameSize, 1, "filename_data"));
    old_dir = static_cast<char *>(checked_calloc(kFileNameSize, 1, "old_dir"));
    path = static_cast<char *>(checked_calloc(kFileNameSize, 1, "path"));
}

void
free_mem_buffers()
{
    for (int i = 0; i < kTextLines; i++)
        checked_free(textb[i]);
    checked_free(textb);
    textb = nullptr;
    checked_free(is);
    checked_free(filename);
    checked_free(filename_data);
    checked_free(old_dir);
    checked_free(path);
    is = filename = filename_data = old_dir = path = nullptr;
}
