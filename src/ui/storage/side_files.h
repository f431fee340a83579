// Side files beside the network files: the last rule kept between runs,
// ASCII rule tables, successor tables, k-mix files and the glider rule
// lists. Each kind has its own header; this one gathers them.
#pragma once

#include "ui/storage/ascii_table.h"
#include "ui/storage/glider_list.h"
#include "ui/storage/kmix_file.h"
#include "ui/storage/last_rule.h"
#include "ui/storage/successor_file.h"
