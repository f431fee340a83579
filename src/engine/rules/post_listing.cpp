// The Post listing's candidates, counts and text (see post_listing.h).
// Reads the value range, the rule kind and the rule figures (model), the
// restriction ptype/pmu through post_class_answer, and the key poll. Start
// at run_post_listing.
//
// Example, v = 2, k = 3, the majority rule listed as pass 5:
//   "\n 5:  11101000 A[1]2 A[0]2   C=0 P=0.5 Z=0.75"
// (the table read from entry 7 down to 0, then its labels and figures).
#include "engine/rules/post_listing.h"

#include <cstdio>
#include <cstdlib>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/key_poll.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/rule_parameters.h"
#include "engine/model/value_line.h"

namespace {

// The entries from last down to 0 as digits.
void
append_digits(std::string &text, const uint8_t *line, int32_t last)
{
    for (int32_t i = last; i >= 0; i--)
        text += static_cast<char>('0' + get_value(line, static_cast<uint32_t>(i)));
}

} // namespace

int
post_space_entries(const post_listing_request &r)
{
    return (totalistic == rule_kind_tables ? r.rule_last : r.code_last) + 1;
}

uint64_t
post_space_size(int entries)
{
    uint64_t size = 1;
    for (int e = 0; e < entries; e++) {
        size *= static_cast<uint64_t>(value_range);
        if (size > post_space_limit)
            return post_space_limit + 1;
    }
    return size;
}

uint32_t
post_space_max(int entries)
{
    uint64_t size = post_space_size(entries);
    return size > post_space_limit ? Maxlu : static_cast<uint32_t>(size - 1);
}

const char *
post_space_name()
{
    if (totalistic == rule_kind_tcodes)
        return "tcode-space";
    if (totalistic == rule_kind_kcodes)
        return "kcode-space";
    return "rule-space";
}

std::string
post_line_group(uint64_t pass, const uint8_t *code, int32_t code_last, const uint8_t *rule,
                int k, const post_flags *flags)
{
    char figure[64];
    snprintf(figure, sizeof figure, "\n %llu: ", static_cast<unsigned long long>(pass));
    std::string text = figure;
    if (code)
        append_digits(text, code, code_last);
    text += ' ';
    append_digits(text, rule, static_cast<int32_t>(rule_entries(k)) - 1);
    if (flags) {
        text += ' ';
        for (const std::string &label : post_class_labels(*flags))
            text += label;
    }
    compute_rule_figures(k, rule);
    snprintf(figure, sizeof figure, "  C=%d", canaltotal);
    text += figure;
    if (value_range == 2) {
        snprintf(figure, sizeof figure, " P=%g", (1.0f - lratio) * 0.5 + 0.5);
        text += figure;
    }
    snprintf(figure, sizeof figure, " Z=%g", static_cast<double>(zparam[0]));
    text += figure;
    return text;
}

std::string
post_listing_summary(const post_listing_request &r, uint64_t count)
{
    char text[200];
    unsigned long long n = r.passes, c = count;
    if (r.whole_space) {
        double share = n ? 100.0 * static_cast<double>(c) / static_cast<double>(n) : 0.0;
        snprintf(text, sizeof text, "\n v%dk%d: Post count=%llu=%.3f%%, %s=%llu\n", value_range,
                 r.k, c, share, post_space_name(), n);
    } else {
        float share = n ? 100.0f * static_cast<float>(c) / static_cast<float>(n) : 0.0f;
        snprintf(text, sizeof text, "\n v%dk%d: Post count=%llu=%.3f%%, sample=%llu\n",
                 value_range, r.k, c, static_cast<double>(share), n);
    }
    return text;
}

post_listing_counts
run_post_listing(const post_listing_request &r,
                 const std::function<void(const std::string &)> &emit)
{
    bool codes = totalistic != rule_kind_tables;
    int entries = post_space_entries(r);
    uint8_t *rule = static_cast<uint8_t *>(checked_calloc(r.rule_bytes, 1, "temprule"));
    uint8_t *code = codes ? static_cast<uint8_t *>(checked_calloc(r.code_bytes, 1, "temp_code"))
                          : nullptr;
    uint8_t *candidate = codes ? code : rule;
    post_listing_counts counts;
    for (uint64_t pass = r.passes; pass-- > 0;) {
        if (key_poll() == 'q')
            break;
        counts.passes_made++;
        if (r.whole_space) {
            dec_to_value_line(candidate, static_cast<uint32_t>(pass), entries);
        } else {
            for (int e = 0; e < entries; e++)
                set_value(candidate, static_cast<uint32_t>(e),
                          static_cast<int>(random() % value_range));
        }
        if (totalistic == rule_kind_tcodes)
            code2rule(rule, code, r.k);
        else if (totalistic == rule_kind_kcodes)
            v_code2rule(rule, code, r.k, 1);
        post_flags flags;
        bool tested = find_post_classes(r.k, rule, &flags);
        int answer = tested ? post_class_answer(flags) : 0;
        counts.count += static_cast<uint64_t>(answer);
        if (r.post_only && !answer)
            continue;
        emit(post_line_group(pass, code, r.code_last, rule, r.k, tested ? &flags : nullptr));
    }
    checked_free(code);
    checked_free(rule);
    return counts;
}
