// The rule-sample statistics file (*.sta): no header, a sequence of
// records of R + 2 bytes, R the bytes of one rule of the network as a value
// line (rule table, tcode or kcode by the rule kind):
//
//   bytes 0..R-1  the rule
//   byte  R       trunc(mean entropy x 255)
//   byte  R+1     trunc(min(sd, 0.18) / 0.18 x 255), sd the standard
//                 deviation of the entropy
//
// A v = 2, k = 3 rule table (R = 1) of rule 110 with mean 0.5 and sd 0.09
// is 6e 7f 7f. Every record of a file has the size of the network it was
// written for; a reader takes R from its own network, so a file of another
// v, k or rule kind shows as spare bytes or values of v or more.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The standard deviation at which the sd byte reaches 255.
constexpr float kStatSdLimit = 0.18f;

// Entries of one rule of k inputs as the statistics records hold it: the
// rule table, or with tot_only the tcode or kcode by totalistic.
uint64_t stat_rule_entries(int k);
// R + 2 for a rule of k inputs.
size_t stat_record_bytes(int k);
// The mean byte: trunc(mean x 255), 0..255 (a mean outside 0..1 or NaN
// is clamped).
uint8_t stat_mean_byte(float mean);
// The sd byte: trunc(min(sd, 0.18) / 0.18 x 255), 0..255.
uint8_t stat_sd_byte(float sd);
// Appends the record of rule (rule_bytes bytes) with its mean and sd to out.
void encode_stat_record(const uint8_t *rule, size_t rule_bytes, float mean, float sd,
                        std::vector<uint8_t> &out);

// Checks a statistics file for records of rules of k inputs. Sound when it
// holds at least one whole record and every rule entry of the whole records
// is below v; then records holds the whole records, the bits past each
// rule's last entry cleared, and *spare the bytes left past them (a file of
// another v or k). Refused, records is left as it was.
bool decode_stat_sample(const uint8_t *data, size_t size, int k, std::vector<uint8_t> &records,
                        size_t *spare);
// The largest statistics file read: 2^20 records of rules of k inputs.
uint64_t largest_stat_sample(int k);
