// File names shared by every file dialog and data-line writer.
#pragma once

constexpr int kFileNameSize = 256;
extern char *filename;       // the chosen file name with its extension
extern char *filename_data;  // the data file lines are appended to
extern char *old_dir;        // directory name buffer
extern char *path;           // path buffer
