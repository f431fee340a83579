// Side files beside the network files: the last rule kept between runs,
// ASCII rule tables, successor tables, k-mix files and the glider rule
// lists. Each kind has its own header; this one gathers them.
#pragma once

#include "storage/ascii_table.h"
#include "storage/glider_list.h"
#include "storage/kmix_file.h"
#include "storage/last_rule.h"
#include "storage/successor_file.h"
