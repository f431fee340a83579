// The Post dialogs (post_listing.h): the prompts of the restriction and of
// the listing, the data file chosen through the file dialog
// (storage/file_dialog.h), and the text of the engine's listing
// (engine/rules/post_listing.h) written to standard error and the data file
// (storage/data_lines.h). Start at post_samples.
#include "ui/rules/post_listing.h"

#include <cstdio>
#include <string>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/rules/globals.h"
#include "engine/rules/post_listing.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/storage/data_lines.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"

namespace {

// Where the listing goes: standard error, the data file and standard error,
// or the data file only.
enum listing_output { to_stderr = 0, to_both = 1, to_file = 2 };

void
write_listing(const std::string &text, listing_output output)
{
    if (output != to_stderr)
        save_data(text.c_str());
    if (output != to_file)
        fputs(text.c_str(), stderr);
}

// Lines of the prompt box the last question drew, for the erase at the end.
int asked_lines = 1;

// A prompt in the prompt box, broken at blanks to its width with room left
// for the entry and its cursor (a box taller than the next one is cleared
// by it), then an entry of up to max characters; returns its length.
int
ask(const char *text, int max, int mode)
{
    const prompt_part line = {text, max};
    asked_lines = prompt_parts_lines(&line, 1);
    int margin = replace_prompt_box(asked_lines);
    write_prompt_part(text, max, margin);
    return input_string(max, mode);
}

// The data file for 'f' and 'b': chosen through the file dialog and created
// empty. Backing out of the dialog, or a file that cannot be created (the
// file error box), leaves the listing to standard error alone.
listing_output
choose_data_file(listing_output wanted)
{
    if (select_filename("SAVE", "DATA", "*.dat", "post_data") != 0)
        return to_stderr;
    snprintf(filename_data, kFileNameSize, "%s", filename);
    if (!write_file(filename_data, "", 0)) {
        file_error(filename_data);
        return to_stderr;
    }
    return wanted;
}

} // namespace

void
restrict_post()
{
    char kept = is[0];
    int16_t x = getx, y = gety;
    ptype = ptype_any;
    pmu = post_class_any;
    // A type out of range is refused: the question is asked again, saying
    // so, with the type that stays (any) and no echo of the answer.
    char text[80];
    snprintf(text, sizeof text, "restrict Post: type(0-%d, def any):", value_range - 1);
    for (;;) {
        ask(text, 1, text_entry);
        if (is[0] == kKeyReturn || is[0] == 'q')
            break;
        long typed = is[0] >= '0' && is[0] <= '9' ? entry_number() : -1;
        if (typed >= 0 && typed <= value_range - 1) {
            ptype = static_cast<uint8_t>(typed);
            break;
        }
        snprintf(text, sizeof text, "restrict Post: %c refused, type(0-%d, def any):", is[0],
                 value_range - 1);
    }
    outtext(" mu(i,3,2):");
    input_string(1, text_entry);
    if (is[0] == 'i')
        pmu = post_class_ainf;
    else if (is[0] == '2')
        pmu = post_class_a2;
    else if (is[0] == '3')
        pmu = post_class_a3;
    // The answered questions go: a box saved over later (the network view's)
    // would bring them back while the next question waits.
    erase_prompt_box(asked_lines);
    moveto(x, y);
    is[0] = kept;
}

void
post_samples(int32_t rule_last, size_t rule_bytes, int32_t tcode_last, size_t tcode_bytes,
             int32_t kcode_last, size_t kcode_bytes)
{
    int16_t x = getx, y = gety;
    ptype = ptype_any;
    pmu = post_class_any;
    for (;;) {
        post_listing_request r;
        r.k = nhood;
        r.rule_last = rule_last;
        r.rule_bytes = rule_bytes;
        r.code_last = totalistic == rule_kind_kcodes ? kcode_last : tcode_last;
        r.code_bytes = totalistic == rule_kind_kcodes ? kcode_bytes : tcode_bytes;
        int entries = post_space_entries(r);
        uint64_t space = post_space_size(entries);
        char text[200];
        snprintf(text, sizeof text,
                 "Post: sample-s, %s (%d^%d=%lu rules)-p, Post only +0, all +a:",
                 post_space_name(), value_range, entries,
                 static_cast<unsigned long>(post_space_max(entries)));
        int len = ask(text, 2, text_entry);
        if (is[0] == 'q')
            break;
        if (is[0] != 's' && is[0] != 'p')
            continue;
        r.whole_space = is[0] == 'p';
        r.post_only = !(len > 1 && is[1] == 'a');
        if (r.whole_space && space > post_space_limit) {
            // The pass numbers are the strings' 32-bit numbers.
            snprintf(text, sizeof text, "%s of %d^%d too large to list whole, cont-ret:",
                     post_space_name(), value_range, entries);
            ask(text, 1, text_entry);
            continue;
        }
        if (r.post_only)
            restrict_post();
        r.passes = space;
        if (!r.whole_space) {
            ask("enter sample size (def 1000)", 9, numeric_entry);
            if (is[0] == 'q')
                continue;
            r.passes = atolu(entry_text().c_str());
            if (r.passes == 0)
                r.passes = 1000;
            snprintf(text, sizeof text, "rule sample (%lu)", static_cast<unsigned long>(r.passes));
        } else {
            snprintf(text, sizeof text, "all rule space");
        }
        char prompt[260];
        snprintf(prompt, sizeof prompt, "%s%s: print to xterm-(def), save to file-f, both-b:",
                 text, r.post_only ? " (Post only)" : " ");
        ask(prompt, 1, text_entry);
        if (is[0] == 'q')
            continue;
        listing_output output = to_stderr;
        if (is[0] == 'f' || is[0] == 'b')
            output = choose_data_file(is[0] == 'f' ? to_file : to_both);
        memory_box(2, "stop Post -q");
        post_listing_counts counts =
            run_post_listing(r, [output](const std::string &group) { write_listing(group, output); });
        erase_memory_box();
        write_listing(post_listing_summary(r, counts.count), output);
    }
    erase_prompt_box(asked_lines);
    moveto(x, y);
}
