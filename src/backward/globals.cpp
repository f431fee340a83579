// Definitions of the pre-image and basin modes (see globals.h).
#include "backward/globals.h"

uint8_t neutral_order = 0;
uint8_t exhaustive_testing = 0;
uint16_t templineL = 0;
uint8_t *exh_pairs = nullptr;
