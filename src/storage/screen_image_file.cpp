// Stand-in until screen image files are built: tells the user they are not
// available yet.
#include "storage/screen_image_file.h"

#include <cstdio>

void
save_screen()
{
    fputs("\nscreen image files are not available in this build\n", stderr);
}

void
load_screen()
{
    fputs("\nscreen image files are not available in this build\n", stderr);
}
