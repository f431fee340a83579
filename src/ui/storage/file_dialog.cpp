// The file-name dialog (select_filename, and choose_file around it for every
// load and save) with its listing of matching files (select_list_files), and
// the conventions every file routine follows: myopen, file_error, and reads
// and writes that move every byte or report failure. A whole file is read
// by read_file, bounded by the largest valid file of its kind, and saved by
// write_file through a temporary file renamed over the old name, so that a
// failed or interrupted save leaves the old file as it was; append_file
// adds to a file whole or not at all. Every file lies in the working
// directory; a name is a typed base of at most 8 characters, or the kind's
// default, plus the extension.
// Reads the screen layer (boxes, text entry) and value_range (model/).
// Start reading at select_filename.
#include "ui/storage/file_dialog.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "engine/model/globals.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/end_signals.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/text_inks.h"
#include "ui/screen/window.h"
#include "ui/storage/globals.h"

namespace {

constexpr int kNameChars = 8;        // longest typed base name
constexpr int kDialogSlot = 0;       // prompt slot of the name dialog
constexpr int kNestedDialogSlot = 13; // of a name dialog opened inside one ('>' at its entry)
constexpr int kListSlot = 2;         // box slot of the listing

// Why the last open, read or write failed, shown by the file error box: a
// system error's text or a refusal of the file; empty when none was given.
std::string failure_reason;

// The text of the last file error (last_file_error).
std::string file_error_said;

// The call write_fully makes (set_write_call).
ssize_t (*write_call)(int fd, const void *data, size_t size) = write;

// Notes error as the reason of the failure; false for the caller.
bool
fail_with(int error)
{
    failure_reason = strerror(error);
    return false;
}

// myopen, and the status of the file opened in *st; -1 when either
// fails (the file closed again, the reason kept).
int
open_with_status(const char *name, int mode, int append, struct stat *st)
{
    int fd = myopen(name, mode, append);
    if (fd < 0 || fstat(fd, st) == 0)
        return fd;
    int error = errno;
    close(fd);
    fail_with(error);
    return -1;
}

// The extension of a pattern: "*.rul" gives ".rul".
std::string
extension_of(const char *pattern)
{
    return pattern[0] == '*' ? std::string(pattern + 1) : std::string(pattern);
}

// The default base name with its first "%d" replaced by the value range
// ("myrul_v%d" gives myrul_v3 for v = 3).
std::string
default_base(const char *name)
{
    std::string base(name);
    size_t at = base.find("%d");
    if (at != std::string::npos)
        base.replace(at, 2, std::to_string(value_range));
    return base;
}

bool
ends_with(const std::string &name, const std::string &tail)
{
    return name.size() >= tail.size() &&
           name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
}

// Names of the working directory that end in ext, sorted.
std::vector<std::string>
matching_files(const std::string &ext)
{
    std::vector<std::string> names;
    DIR *dir = opendir(".");
    if (!dir)
        return names;
    while (dirent *entry = readdir(dir)) {
        std::string name(entry->d_name);
        if (ends_with(name, ext))
            names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

// The typed answer of the last entry, len characters long.
std::string
typed(int len)
{
    return std::string(is, static_cast<size_t>(len));
}

// Writes the listing's three-line question and reads its answer.
int
ask_listing_question(const char *first, int x)
{
    outtext(first);
    moveto(x, gety + CHeight);
    outtext("or filename");
    moveto(x, gety + CHeight);
    outtext(":");
    return input_string(kNameChars, text_entry);
}

// Whether the listing's three-line question still fits inside the box's
// bottom frame when it starts on the line at y.
bool
question_fits_at(int y)
{
    return y + 3 * CHeight <= Maxy - 3;
}

// A name typed at the listing: its first character is a letter.
bool
names_a_file(int len)
{
    return len > 0 && isalpha(static_cast<unsigned char>(is[0]));
}

// The name dialogs standing: a hot key typed at a name's entry opens a
// second over the first, which must not take the first one's slot (the
// first would put back a picture of itself when it closes).
int name_dialogs_open = 0;

struct name_dialog_slot {
    int slot = name_dialogs_open ? kNestedDialogSlot : kDialogSlot;
    name_dialog_slot() { name_dialogs_open++; }
    ~name_dialog_slot() { name_dialogs_open--; }
};

} // namespace

int
select_filename(const char *action, const char *kind, const char *pattern,
                const char *default_name)
{
    std::string ext = extension_of(pattern);
    std::string base = default_base(default_name);
    bool screen_load = strncmp(action, "LOAD", 4) == 0 && strcmp(pattern, "*.nat") == 0;
    const char *revise = screen_load ? " REVISE-q keepscreen-k cont-ret:" : " REVISE-q cont-ret:";
    char line[400];

    // Each line broken at blanks to the box's width: the title takes the
    // empty second line before the box grows, and the name's lines have room
    // for the typed name, and for the confirmation with the longest name and
    // its one-key answer.
    char title[400];
    snprintf(title, sizeof title, "%s %s-filename (no ext) %s will be added", action, kind,
             ext.c_str());
    std::string name_prompt = "list-?, quit-q, default " + base + ":";
    std::string widest(std::max<size_t>(kNameChars, base.size()), 'M');
    std::string longest = "filename=" + widest + ext + revise;
    const prompt_part name_part = {name_prompt.c_str(), kNameChars};
    const prompt_part confirmation = {longest.c_str(), 1};
    int above_name = std::max(2, prompt_box_lines(title));
    int name_lines =
        std::max(prompt_parts_lines(&name_part, 1), prompt_parts_lines(&confirmation, 1));
    int box_lines = prompt_lines_covering_top_right_box(above_name + name_lines);

    // The box's foot goes below a line of text it would cut; a box that
    // reaches the text column's first lines hides them whole while it
    // stands, rather than showing them cut at its left edge.
    int foot = prompt_box_bottom_past_ink(box_lines);
    // A line standing above the column's top (a column begun again at the
    // window's top) is hidden too: the band starts above the first text
    // below the one-line boxes at the top that the box's left edge meets.
    const int hide_from = std::min(text_column_top(),
                                   free_row_above(prompt_box_bottom(1) + 1, 0, prompt_box_left(Maxx)));
    const name_dialog_slot under;
    save_hiding_lines_in_band(2, hide_from, text_column_clear_row(foot), &boximage_prompt[under.slot]);
    for (;;) {
        int margin = draw_prompt_box_to(foot);
        write_prompt_lines(title, margin);
        moveto(margin, 5 + above_name * CHeight);
        int third_y = gety;
        write_prompt_part(name_prompt.c_str(), kNameChars, margin);
        int len = input_string(kNameChars, text_entry);

        std::string name;
        if (len == 0 && is[0] == 'q') {
            put_back_under_prompt_band(under.slot);
            return 'q';
        }
        if (len > 0 && is[0] == '?') {
            int listed = select_list_files(pattern, Maxx - vgax(75), vgay(40));
            if (listed == 0)
                continue;
            name = typed(listed) + ext;
        } else if (len == 0 || isdigit(static_cast<unsigned char>(is[0]))) {
            name = base + ext;
        } else {
            name = typed(len) + ext;
        }
        snprintf(filename, kFileNameSize, "%s", name.c_str());

        // The confirmation takes the place of the name's lines.
        snprintf(line, sizeof line, "filename=%s%s", filename, revise);
        rewrite_prompt_lines(line, 1, margin, third_y, name_lines);
        int answer = input_string(1, text_entry);
        if (answer == 0 && is[0] == 'q')
            continue;
        put_back_under_prompt_band(under.slot);
        return 0;
    }
}

bool
choose_file(const char *action, const char *kind, const char *pattern, const char *default_name)
{
    if (select_filename(action, kind, pattern, default_name) != 'q')
        return true;
    is[0] = 'q';
    return false;
}

int
select_list_files(const char *pattern, int x, int y)
{
    int16_t px = getx, py = gety;
    std::string ext = extension_of(pattern);
    int left = x + 3;
    int result = 0;
    draw_box(kListSlot, x, y, Maxx - 2, Maxy - 2, 1, 0);

    for (bool again = true; again;) {
        again = false;
        std::vector<std::string> names = matching_files(ext);
        moveto(left, y);
        bool name_typed = false;
        for (const std::string &name : names) {
            // A name goes on while the question still fits below it.
            if (!question_fits_at(gety + CHeight)) {
                int len = ask_listing_question("see more-m", left);
                if (len == 1 && is[0] == 'm') {
                    draw_box(-1, x, y, Maxx - 2, Maxy - 2, 1, 0);
                    moveto(left, y);
                } else {
                    if (names_a_file(len)) {
                        result = len;
                        name_typed = true;
                    }
                    break;
                }
            }
            outtext(name.c_str());
            moveto(left, gety + CHeight);
        }
        if (name_typed)
            break;
        if (!question_fits_at(gety)) {
            draw_box(-1, x, y, Maxx - 2, Maxy - 2, 1, 0);
            moveto(left, y);
        }
        int len = ask_listing_question("list again-?", left);
        if (len > 0 && is[0] == '?') {
            draw_box(-1, x, y, Maxx - 2, Maxy - 2, 1, 0);
            again = true;
            continue;
        }
        result = names_a_file(len) ? len : 0;
        if (names.empty()) {
            char line[300];
            snprintf(line, sizeof line, "no %s files", pattern);
            moveto(left, gety + CHeight);
            outtext(line);
            // The answer typed above stays in `is` for the caller.
            char kept[kNameChars];
            memcpy(kept, is, kNameChars);
            input_string(1, text_entry);
            memcpy(is, kept, kNameChars);
        }
    }

    setviewport(0, 0, Maxx, Maxy, 1);
    if (boximage[kListSlot]) {
        putimage(x, y, &boximage[kListSlot], 3);
        freeimage(&boximage[kListSlot]);
    }
    moveto(px, py);
    return result;
}

int
myopen(const char *name, int mode, int append)
{
    failure_reason.clear();
    if (mode == open_read) {
        // Without blocking: a FIFO or a device named like a data file
        // would otherwise hold the open until a writer comes.
        int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            fail_with(errno);
            return -1;
        }
        struct stat st;
        if (fstat(fd, &st) != 0) {
            fail_with(errno);
        } else if (S_ISDIR(st.st_mode)) {
            fail_with(EISDIR);
        } else if (!S_ISREG(st.st_mode)) {
            failure_reason = "not a regular file";
        } else {
            return fd;
        }
        close(fd);
        return -1;
    }
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append == open_append ? O_APPEND : O_TRUNC);
    int fd = open(name, flags, 0600);
    if (fd < 0) {
        fail_with(errno);
        fprintf(stderr, "fid=%d this_filename=%s write=%d\n", -1, name, 1);
        return -1;
    }
    // Every file the program writes ends readable by all, whatever the
    // umask, also when it already existed.
    fchmod(fd, 0644);
    return fd;
}

void
file_error(const char *name, const std::string &reason)
{
    std::string said = std::string("file error ") + name;
    if (!reason.empty())
        said += ": " + reason;
    else if (!failure_reason.empty())
        said += ": " + failure_reason;
    failure_reason.clear();
    if (!mouse_found) {
        file_error_said = said;
        fprintf(stderr, "%s\n", said.c_str());
        return;
    }
    said += ", cont-ret:";
    file_error_said = said;
    message_box(said.c_str());
}

void
message_box(const char *text)
{
    // The text and the one-key entry after it: the lines leave room for the
    // entry's cursor, which would otherwise cover the box's edge.
    const prompt_part line = {text, 1};
    int16_t px = getx, py = gety;
    // The box's foot goes below lines of text it would cut (a box of the
    // screen the message came from), which it hides whole while it stands.
    int lines = prompt_lines_covering_top_right_box(prompt_parts_lines(&line, 1));
    int bottom = prompt_box_bottom_past_ink(lines);
    // Each box keeps what it covers in its own slot: a hot key at its wait
    // ('<', a screen's load) can open another message box over it.
    image_slot under = 0;
    save_hiding_lines_in_band(2, bottom + 1, bottom, &under);
    int margin = draw_prompt_box_to(bottom);
    write_prompt_part(line.text, line.entry, margin);
    input_string(line.entry, text_entry);
    put_back_under_band(2, &under);
    moveto(px, py);
}

bool
write_fully(int fd, const void *data, size_t size)
{
    const char *p = static_cast<const char *>(data);
    while (size > 0) {
        ssize_t n = write_call(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A write that moves nothing on a file is a full device.
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool
read_fully(int fd, void *data, size_t size)
{
    char *p = static_cast<char *>(data);
    while (size > 0) {
        ssize_t n = read(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool
read_to_end(int fd, std::vector<uint8_t> &data, size_t limit)
{
    constexpr size_t kChunk = 65536;
    data.clear();
    while (data.size() < limit) {
        size_t at = data.size();
        size_t want = limit - at < kChunk ? limit - at : kChunk;
        data.resize(at + want);
        ssize_t n = read(fd, data.data() + at, want);
        if (n < 0 && errno == EINTR) {
            data.resize(at);
            continue;
        }
        if (n < 0)
            return false;
        data.resize(at + static_cast<size_t>(n));
        if (n == 0)
            break;
    }
    return true;
}

bool
read_file(const char *name, std::vector<uint8_t> &data, size_t largest)
{
    data.clear();
    struct stat st;
    int fd = open_with_status(name, open_read, open_truncate, &st);
    if (fd < 0)
        return false;
    // Refused before a byte is read: a huge or sparse file would otherwise
    // take all memory.
    if (static_cast<uint64_t>(st.st_size) > largest) {
        close(fd);
        return fail_with(EFBIG);
    }
    // One byte more than the largest tells a file that grew since.
    size_t limit = largest < SIZE_MAX ? largest + 1 : largest;
    bool ok = read_to_end(fd, data, limit);
    int error = errno;
    close(fd);
    if (!ok)
        return fail_with(error);
    if (data.size() > largest) {
        data.clear();
        return fail_with(EFBIG);
    }
    return true;
}

bool
write_file(const char *name, const void *data, size_t size)
{
    failure_reason.clear();
    // What a direct open of the name would refuse is refused before
    // anything is written: a directory, a file the user made read-only, a
    // directory that cannot take the temporary file.
    struct stat st;
    int refused = 0;
    if (stat(name, &st) == 0 && S_ISDIR(st.st_mode))
        refused = EISDIR;
    else if (access(name, W_OK) != 0 && errno != ENOENT)
        refused = errno;
    std::string temporary = std::string(name) + ".XXXXXX";
    int fd = refused ? -1 : mkostemp(&temporary[0], O_CLOEXEC);
    if (fd < 0) {
        // The standard-error line of a failed write open, as myopen's.
        fail_with(refused ? refused : errno);
        fprintf(stderr, "fid=%d this_filename=%s write=%d\n", -1, name, 1);
        return false;
    }
    hold_temporary_file(temporary.c_str());
    errno = 0;
    bool written = fchmod(fd, 0644) == 0 && write_fully(fd, data, size) && fsync(fd) == 0;
    int error = written ? 0 : errno != 0 ? errno : EIO;
    if (close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && rename(temporary.c_str(), name) != 0)
        error = errno;
    if (error != 0)
        unlink(temporary.c_str());
    release_temporary_file();
    return error == 0 || fail_with(error);
}

bool
append_file(const char *name, const void *data, size_t size)
{
    // The length before the append is what a failed append is cut back
    // to, so that no torn line or record stays for the next one to land
    // after.
    struct stat st;
    int fd = open_with_status(name, open_write, open_append, &st);
    if (fd < 0)
        return false;
    errno = 0;
    if (!write_fully(fd, data, size)) {
        int error = errno != 0 ? errno : EIO;
        if (ftruncate(fd, st.st_size) != 0)
            fprintf(stderr, "%s: not cut back to %lld bytes: %s\n", name,
                    static_cast<long long>(st.st_size), strerror(errno));
        close(fd);
        return fail_with(error);
    }
    if (close(fd) != 0)
        return fail_with(errno);
    return true;
}

const std::string &
last_file_error()
{
    return file_error_said;
}

void
set_write_call(ssize_t (*call)(int fd, const void *data, size_t size))
{
    write_call = call ? call : write;
}
