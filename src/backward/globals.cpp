// Definitions of the pre-image and basin globals (see globals.h).
#include "backward/globals.h"

uint8_t neutral_order = 0;
uint8_t exhaustive_testing = 0;
uint16_t templineL = 0;
uint8_t *exh_pairs = nullptr;
uint16_t lastlevel = 0;
float *rad = nullptr;
uint32_t maxinhist = 0;
uint32_t *pre_fan_freq = nullptr;

uint16_t basintypeno = 0;
uint8_t meta_graph = 0;
