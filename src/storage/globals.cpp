// Definitions of the file-name buffers (allocated with the start-up buffers).
#include "storage/globals.h"

char *filename = nullptr;
char *filename_data = nullptr;
char *old_dir = nullptr;
char *path = nullptr;
