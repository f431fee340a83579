// Counts, bias schedule and texts of the lambda-Z-canalyzing sweep
// (lambda_z.h). Plain arithmetic on the tables it is given; the only global
// it touches is the allocator's count of live blocks.
#include "engine/measures/lambda_z.h"


#include "engine/model/checked_alloc.h"
#include "engine/model/formatted_text.h"

namespace {

double
percent_of(uint64_t part, uint64_t whole)
{
    return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

// A count with its share of all rules; wide counts show the share alone so
// that the cell stays narrow; an empty class shows nothing.
std::string
count_cell(uint32_t count, uint32_t rules)
{
    if (count == 0)
        return "";
    if (count <= 999)
        return formatted("%lu=%.3f%%", static_cast<unsigned long>(count), percent_of(count, rules));
    return formatted("%.3f%%", percent_of(count, rules));
}

} // namespace

void
allocate_lambda_z_counts(lambda_z_counts &t, int k)
{
    t.k = k;
    t.half = (uint32_t(1) << k) / 2;
    t.rules = 0;
    size_t rows = static_cast<size_t>(k) + 1, classes = static_cast<size_t>(t.half) + 1;
    t.canal_freq = static_cast<uint32_t *>(checked_calloc(rows, sizeof(uint32_t), "canal_freq"));
    t.lr_freq = static_cast<uint32_t *>(checked_calloc(classes, sizeof(uint32_t), "lr_freq"));
    t.canal_lr_freq =
        static_cast<uint32_t **>(checked_calloc(rows, sizeof(uint32_t *), "canal_lr-freq"));
    for (size_t c = 0; c < rows; c++)
        t.canal_lr_freq[c] =
            static_cast<uint32_t *>(checked_calloc(classes, sizeof(uint32_t), "canal_lr_freq"));
}

void
free_lambda_z_counts(lambda_z_counts &t)
{
    if (t.canal_lr_freq)
        for (int c = 0; c <= t.k; c++)
            checked_free(t.canal_lr_freq[c]);
    checked_free(t.canal_lr_freq);
    checked_free(t.lr_freq);
    checked_free(t.canal_freq);
    t = lambda_z_counts{};
}

uint32_t
lambda_ratio_class(float lratio, int k)
{
    uint32_t half = (uint32_t(1) << k) / 2;
    double b = static_cast<double>(lratio) * static_cast<double>(uint32_t(1) << k) * 0.5;
    if (b <= 0)
        return 0;
    return b >= half ? half : static_cast<uint32_t>(b);
}

void
add_lambda_z_rule(lambda_z_counts &t, int canalyzing, float lratio)
{
    int c = canalyzing < 0 ? 0 : canalyzing > t.k ? t.k : canalyzing;
    uint32_t b = lambda_ratio_class(lratio, t.k);
    t.canal_freq[c]++;
    t.lr_freq[b]++;
    t.canal_lr_freq[c][b]++;
    t.rules++;
}

void
lambda_bias_schedule(double progress, int16_t &bias, uint8_t &z_high)
{
    // Bounds written out rather than multiplied, so that each is the
    // decimal it reads as.
    static const double bounds[] = {0.09, 0.18, 0.27, 0.36, 0.45, 0.54, 0.63, 0.72, 0.81, 0.9};
    for (int i = 0; i < 10; i++)
        if (progress < bounds[i]) {
            bias = static_cast<int16_t>(5 * (i + 1));
            if (i >= 5)
                z_high = 0;
            return;
        }
    bias = 50;
    z_high = 1;
}

std::string
lambda_z_heading(const lambda_z_counts &t)
{
    return formatted("Canalyzing-lambda ratio and P frequency count, total rules=%lu",
                  static_cast<unsigned long>(t.rules));
}

std::string
canalyzing_freq_line(const lambda_z_counts &t)
{
    std::string line = "Canalyzing freq: ";
    uint64_t inputs = 0;
    for (int c = 0; c <= t.k; c++) {
        line += formatted("C%d=%lu=%.3f%% ", c, static_cast<unsigned long>(t.canal_freq[c]),
                       percent_of(t.canal_freq[c], t.rules));
        inputs += static_cast<uint64_t>(c) * t.canal_freq[c];
    }
    uint32_t canalyzing_rules = t.rules - t.canal_freq[0];
    line += formatted("total: Crules=%lu=%.3f%%, Cinputs=%lu=%.3f%%",
                   static_cast<unsigned long>(canalyzing_rules),
                   percent_of(canalyzing_rules, t.rules), static_cast<unsigned long>(inputs),
                   percent_of(inputs, static_cast<uint64_t>(t.k) * t.rules));
    return line;
}

std::string
lambda_z_plotted_text(uint32_t plotted, char code_classes, int classes_counted)
{
    std::string text = formatted("tot plotted=%lu", static_cast<unsigned long>(plotted));
    if (code_classes == 'e')
        text += formatted(", equivs=%d", classes_counted);
    else if (code_classes == 'c')
        text += formatted(", clusters=%d", classes_counted);
    return text;
}

std::string
canalyzing_progress_text(const lambda_z_counts &t, uint32_t total_rules, uint32_t last)
{
    std::string text = "c-frequency:";
    for (int c = 0; c <= t.k; c++)
        text += formatted("%lu ", static_cast<unsigned long>(t.canal_freq[c]));
    return text + formatted(" total rules=%lu last=%lu", static_cast<unsigned long>(total_rules),
                         static_cast<unsigned long>(last));
}

std::vector<lambda_z_row>
lambda_z_class_rows(const lambda_z_counts &t)
{
    uint32_t H = t.half;
    std::vector<lambda_z_row> rows(4);
    rows[0].label = rows[1].label = "ldr  ";
    rows[2].label = "P    ";
    rows[3].label = "freq ";
    for (uint32_t b = 0; b <= H; b++) {
        double share = static_cast<double>(b) / H;
        rows[0].cells.push_back(formatted("%lu/%lu", static_cast<unsigned long>(b),
                                       static_cast<unsigned long>(H)));
        rows[1].cells.push_back(formatted("%g", share));
        rows[2].cells.push_back(formatted("%g", 1.0 - 0.5 * share));
        rows[3].cells.push_back(count_cell(t.lr_freq[b], t.rules));
    }
    for (int c = 0; c <= t.k; c++) {
        lambda_z_row row{formatted("C=%d ", c), {}};
        for (uint32_t b = 0; b <= H; b++)
            row.cells.push_back(count_cell(t.canal_lr_freq[c][b], t.rules));
        rows.push_back(row);
    }
    return rows;
}

std::string
lambda_z_table_text(const lambda_z_counts &t)
{
    std::string text = "\n" + lambda_z_heading(t) + "\n" + canalyzing_freq_line(t) + "\n";
    for (const lambda_z_row &row : lambda_z_class_rows(t)) {
        text += row.label;
        for (const std::string &cell : row.cells)
            text += formatted("%11s", cell.c_str());
        text += "\n";
    }
    return text;
}
